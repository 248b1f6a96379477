// Checking and rescuing a damaged database file.
#include "Rescate.h"

#include "common/Errores.h"
#include "db/DialectoSqlite.h"
#include "db/Esquema.h"
#include "db/RevisionArchivo.h"

#include <QFile>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>

namespace {

void Escribe(const QString& texto) {
    std::fputs(texto.toUtf8().constData(), stdout);
}

sqlite3* Abre(const QString& ruta, int modo) {
    sqlite3* bd = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(ruta).constData(), &bd, modo, nullptr) != SQLITE_OK) {
        const QString texto = QString::fromUtf8(sqlite3_errmsg(bd));
        sqlite3_close(bd);
        throw ErrorBaseDatos(QStringLiteral("No se pudo abrir %1: %2").arg(ruta, texto));
    }
    sqlite3_busy_timeout(bd, 5000);
    DialectoSqlite::RegistraBase(bd);
    return bd;
}

QStringList Columna(sqlite3* bd, const QByteArray& sql) {
    QStringList l;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(bd, sql.constData(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            l << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return l;
}

struct Copia {
    qint64 filas = 0;
    qint64 saltos = 0; // rows that could not be read or written
    QString motivo;    // the first refusal of a row
};

// One table, in rowid order, read on the damaged file's own connection (its errors leave the
// new file's transaction alone); a damaged stretch is stepped over by rowid, in growing steps
// until a readable row is found again.
Copia CopiaTabla(sqlite3* origen, sqlite3* bd, const QString& tabla, const QStringList& columnas) {
    Copia c;
    const QString lista =
        QLatin1Char('"') + columnas.join(QStringLiteral("\", \"")) + QLatin1Char('"');
    QStringList marcas;
    for (qsizetype i = 0; i < columnas.size(); ++i)
        marcas << QStringLiteral("?");
    const QByteArray lee = QStringLiteral("SELECT rowid, %1 FROM \"%2\" NOT INDEXED WHERE "
                                          "rowid > ? ORDER BY rowid")
                               .arg(lista, tabla)
                               .toUtf8();
    const QByteArray escribe = QStringLiteral("INSERT OR REPLACE INTO main.\"%1\" (%2) VALUES (%3)")
                                   .arg(tabla, lista, marcas.join(QStringLiteral(", ")))
                                   .toUtf8();
    sqlite3_stmt* ins = nullptr;
    if (sqlite3_prepare_v2(bd, escribe.constData(), -1, &ins, nullptr) != SQLITE_OK)
        return c;
    sqlite3_int64 ultimo = -(sqlite3_int64(1) << 62);
    sqlite3_int64 salto = 1;
    int fallasSeguidas = 0;
    while (fallasSeguidas < 64) {
        sqlite3_stmt* sel = nullptr;
        if (sqlite3_prepare_v2(origen, lee.constData(), -1, &sel, nullptr) != SQLITE_OK)
            break;
        sqlite3_bind_int64(sel, 1, ultimo);
        int rc;
        while ((rc = sqlite3_step(sel)) == SQLITE_ROW) {
            ultimo = sqlite3_column_int64(sel, 0);
            for (int k = 0; k < columnas.size(); ++k)
                sqlite3_bind_value(ins, k + 1, sqlite3_column_value(sel, k + 1));
            if (sqlite3_step(ins) == SQLITE_DONE) {
                ++c.filas;
            } else {
                ++c.saltos;
                if (c.motivo.isEmpty())
                    c.motivo = QString::fromUtf8(sqlite3_errmsg(bd));
            }
            sqlite3_reset(ins);
            fallasSeguidas = 0;
            salto = 1;
        }
        sqlite3_finalize(sel);
        if (rc == SQLITE_DONE)
            break;
        // A damaged stretch: go on after it.
        ++c.saltos;
        ++fallasSeguidas;
        ultimo += salto;
        salto *= 2;
    }
    sqlite3_finalize(ins);
    return c;
}

} // namespace

int RevisaArchivo(const QString& ruta) {
    sqlite3* bd = Abre(ruta, SQLITE_OPEN_READONLY);
    const QString hallazgos = RevisionArchivo::Hallazgos(bd, true);
    sqlite3_close(bd);
    if (hallazgos.isEmpty()) {
        Escribe(QStringLiteral("El archivo %1 está sano.\n").arg(ruta));
        return 0;
    }
    Escribe(QString::fromUtf8("El archivo %1 está dañado:\n%2\nCopie lo que se pueda salvar con "
                              "«moravel-admin rescata %1 NUEVO.db» o restaure una copia de "
                              "seguridad.\n")
                .arg(ruta, hallazgos));
    return 1;
}

int RescataArchivo(const QString& danada, const QString& nueva) {
    Esquema::CreaBaseEmbebida(nueva);
    sqlite3* origen = Abre(danada, SQLITE_OPEN_READONLY);
    sqlite3* bd = Abre(nueva, SQLITE_OPEN_READWRITE);
    sqlite3_exec(bd, "BEGIN", nullptr, nullptr, nullptr);
    qint64 perdidas = 0;
    const QStringList tablas = Columna(bd, "SELECT name FROM main.sqlite_master WHERE type = "
                                           "'table' AND name NOT LIKE 'sqlite_%' ORDER BY name");
    const QStringList viejas = Columna(origen, "SELECT name FROM sqlite_master WHERE type = "
                                               "'table'");
    for (const QString& t : tablas) {
        if (!viejas.contains(t, Qt::CaseInsensitive))
            continue;
        // The columns both files have, so an older file's rows come across too.
        const QStringList nuevas = Columna(
            bd, QStringLiteral("SELECT name FROM pragma_table_info('%1', 'main')").arg(t).toUtf8());
        const QStringList antes = Columna(
            origen, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(t).toUtf8());
        QStringList comunes;
        for (const QString& c : nuevas)
            if (antes.contains(c, Qt::CaseInsensitive))
                comunes << c;
        if (comunes.isEmpty())
            continue;
        const Copia c = CopiaTabla(origen, bd, t, comunes);
        perdidas += c.saltos;
        Escribe(QString::fromUtf8("%1: %2 filas copiadas%3\n")
                    .arg(t)
                    .arg(c.filas)
                    .arg(c.saltos ? QString::fromUtf8(", %1 filas o tramos perdidos (%2)")
                                        .arg(c.saltos)
                                        .arg(c.motivo.isEmpty() ? QString::fromUtf8("ilegibles")
                                                                : c.motivo)
                                  : QString()));
    }
    const bool bien = sqlite3_exec(bd, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(bd);
    sqlite3_close(origen);
    if (!bien)
        throw ErrorBaseDatos(QStringLiteral("No se pudo guardar %1.").arg(nueva));
    Escribe(perdidas == 0 ? QString::fromUtf8("Rescate completo en %1.\n").arg(nueva)
                          : QString::fromUtf8("Rescate en %1, con pérdidas: revise las tablas "
                                              "señaladas antes de usarlo.\n")
                                .arg(nueva));
    return perdidas == 0 ? 0 : 1;
}
