// Serialised write transactions.
#include "db/TransaccionEscritura.h"

#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/TextoErrores.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {

void Sqlite(sqlite3* bd, const char* sql) {
    if (sqlite3_exec(bd, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw ErrorBaseDatos(
            TextoErrorSqlite(sqlite3_extended_errcode(bd), QString::fromUtf8(sqlite3_errmsg(bd))));
}

} // namespace

TransaccionEscritura::TransaccionEscritura(Conexion* conexion)
    : conexion_(conexion ? conexion : Conexion::Principal()) {
    if (!conexion_)
        throw ErrorBaseDatos(QStringLiteral("No hay conexión con la base de datos."));
    conexion_->AseguraAbierta();
    if (conexion_->Embebida()) {
        conexion_->EsperaRevision();
        // The connection's busy wait lets a second station queue behind the first.
        Sqlite(conexion_->Manejador(), "BEGIN IMMEDIATE");
    } else if (!conexion_->Bd().transaction()) {
        throw ErrorBaseDatos(QStringLiteral("No se pudo iniciar la transacción: %1")
                                 .arg(TextoErrorBase(conexion_->Bd().driver()->lastError())));
    }
    abierta_ = true;
}

TransaccionEscritura::~TransaccionEscritura() {
    try {
        Deshace();
    } catch (...) {
        // A connection already gone has dropped the transaction with it.
    }
}

void TransaccionEscritura::Confirma() {
    if (!abierta_)
        return;
    abierta_ = false;
    if (conexion_->Embebida()) {
        sqlite3* bd = conexion_->Manejador();
        try {
            // A file replaced meanwhile would take the write with it unseen.
            conexion_->VerificaArchivo();
            Sqlite(bd, "COMMIT");
        } catch (...) {
            if (!sqlite3_get_autocommit(bd))
                sqlite3_exec(bd, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
        return;
    }
    QSqlDatabase bd = conexion_->Bd();
    if (!bd.commit()) {
        const QString texto = TextoErrorBase(bd.lastError());
        bd.rollback();
        throw ErrorBaseDatos(texto);
    }
}

void TransaccionEscritura::Deshace() {
    if (!abierta_)
        return;
    abierta_ = false;
    if (conexion_->Embebida()) {
        sqlite3* bd = conexion_->Manejador();
        if (bd && !sqlite3_get_autocommit(bd))
            Sqlite(bd, "ROLLBACK");
        return;
    }
    conexion_->Bd().rollback();
}
