// Row-by-row writes with a savepoint per row and batched commits.
#include "db/EscrituraPorFilas.h"

#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/TextoErrores.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

EscrituraPorFilas::EscrituraPorFilas(Conexion& conexion, bool soloVerificar, int filasPorLote)
    : conexion_(conexion), soloVerificar_(soloVerificar),
      embebida_((conexion.AseguraAbierta(), conexion.Embebida())),
      filasPorLote_(filasPorLote > 0 ? filasPorLote : 1) {}

EscrituraPorFilas::~EscrituraPorFilas() {
    // Only reached open when Termina was not called or failed: nothing half-done is kept.
    if (abierta_)
        conexion_.Bd().rollback();
}

void EscrituraPorFilas::Sql(const char* sentencia) {
    if (embebida_) {
        sqlite3* bd = conexion_.Manejador();
        if (!bd)
            throw ErrorBaseDatos(QStringLiteral("No hay conexión con la base de datos."));
        // Kept prepared by the connection: the savepoints run twice for every row.
        sqlite3_stmt* st = conexion_.Preparada(QByteArray(sentencia));
        const int rc = st ? sqlite3_step(st) : SQLITE_ERROR;
        if (rc != SQLITE_DONE) {
            const QString texto = TextoErrorSqlite(sqlite3_extended_errcode(bd),
                                                   QString::fromUtf8(sqlite3_errmsg(bd)));
            if (st)
                sqlite3_reset(st);
            throw ErrorBaseDatos(texto);
        }
        sqlite3_reset(st);
        return;
    }
    // Forward-only, as every statement of the program: a scrollable one would make SQL Server
    // open a cursor for a statement that returns nothing.
    QSqlQuery q(conexion_.Bd());
    q.setForwardOnly(true);
    if (!q.exec(QString::fromLatin1(sentencia)))
        throw ErrorBaseDatos(TextoErrorBase(q.lastError()));
}

bool EscrituraPorFilas::EnTransaccion() const {
    if (embebida_) {
        sqlite3* bd = conexion_.Manejador();
        return bd && sqlite3_get_autocommit(bd) == 0;
    }
    QSqlQuery q(conexion_.Bd());
    q.setForwardOnly(true);
    return q.exec(QStringLiteral("SELECT @@TRANCOUNT")) && q.next() && q.value(0).toInt() > 0;
}

void EscrituraPorFilas::Inicia() {
    if (!conexion_.Bd().transaction())
        throw ErrorBaseDatos(QStringLiteral("No se pudo iniciar la transacción: %1")
                                 .arg(TextoErrorBase(conexion_.Bd().driver()->lastError())));
    abierta_ = true;
    filasEnLote_ = 0;
}

QString EscrituraPorFilas::Fila(const std::function<void()>& escribe) {
    // SQL Server commits each row of a real run by itself: one statement is one row.
    if (!embebida_ && !soloVerificar_) {
        try {
            escribe();
        } catch (const ErrorTarvelion& e) {
            // A lost connection is no refusal of the row: it may have been stored.
            if (conexion_.Perdida())
                throw ConexionPerdidaEnFila(e.Texto());
            return e.Texto().isEmpty() ? QString::fromUtf8("Error sin descripción.") : e.Texto();
        }
        return {};
    }
    if (!abierta_)
        Inicia();
    Sql(embebida_ ? "SAVEPOINT fila" : "SAVE TRANSACTION fila");
    QString motivo;
    try {
        escribe();
    } catch (const ErrorTarvelion& e) {
        if (!embebida_ && conexion_.Perdida()) {
            abierta_ = false; // the server dropped the transaction with the connection
            throw ConexionPerdidaEnFila(e.Texto());
        }
        motivo = e.Texto().isEmpty() ? QString::fromUtf8("Error sin descripción.") : e.Texto();
    } catch (...) {
        Deshace();
        throw;
    }
    if (!motivo.isEmpty())
        Deshace();
    else if (embebida_)
        Sql("RELEASE fila");
    if (!soloVerificar_ && ++filasEnLote_ >= filasPorLote_)
        Confirma();
    return motivo;
}

void EscrituraPorFilas::Deshace() {
    // A transaction the server ended on its own would take the earlier rows with it and let
    // the next ones commit one by one: the work stops.
    if (!EnTransaccion()) {
        abierta_ = false;
        throw ErrorBaseDatos(QStringLiteral(
            "La base de datos deshizo la transacción en curso; el trabajo no puede seguir. "
            "Revise lo guardado antes de repetirlo."));
    }
    Sql(embebida_ ? "ROLLBACK TO fila" : "ROLLBACK TRANSACTION fila");
    if (embebida_)
        Sql("RELEASE fila");
}

void EscrituraPorFilas::Confirma() {
    // The rows of the batch were written without looking at the file: a file deleted or
    // replaced meanwhile would take them with it, so it is looked at before they are kept.
    if (embebida_)
        conexion_.VerificaArchivo();
    QSqlDatabase bd = conexion_.Bd();
    if (!bd.commit())
        throw ErrorBaseDatos(TextoErrorBase(bd.lastError()));
    abierta_ = false;
}

void EscrituraPorFilas::Termina() {
    if (!abierta_)
        return;
    if (soloVerificar_) {
        abierta_ = false;
        conexion_.Bd().rollback();
        return;
    }
    Confirma();
}
