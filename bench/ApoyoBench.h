// Shared by the benchmarks: the program's session started on a database folder, as the
// start-up does (working folder, INI with the login, data module).
#pragma once

#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"

#include "db/DialectoSqlite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <string>
#include <map>
#include <memory>
#include <sqlite3.h>

inline std::unique_ptr<TdmDatos> AbreSesionBench(const QString& carpeta, const char* usuario,
                                                 const char* clave) {
    QDir::setCurrent(carpeta);
    Arranque::PreparaProceso();
    QFile ini(ArchivoIni);
    ini.open(QIODevice::WriteOnly);
    ini.write(QByteArray("[CONECTIVIDAD]\r\nUsuario=") + usuario + "\r\nPassword=" + clave +
              "\r\nDialogo=0\r\n");
    ini.close();
    return Arranque::CreaModuloDatos();
}

// The same statement through SQLite alone, as its command-line tool runs it: a fresh connection
// on the file with the tool's default settings, the statement translated as the program sends
// it (the server functions registered, since the tool lacks them), every row stepped and every
// column read as text and written out as the tool's list mode writes it ("|" between values,
// a line per row) to the null device. Seconds, or -1 on an error (printed).
inline double TiempoSqlite(const QString& ruta, const QString& tsql,
                           const std::map<QString, QString>& parametros = {}) {
    sqlite3* bd = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &bd, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        return -1;
    DialectoSqlite::Sesion sesion;
    sesion.esMiembro = [](const QString&) { return 1; };
    DialectoSqlite::Registra(bd, &sesion);
    const QByteArray sql = DialectoSqlite::Traduce(tsql).toUtf8();
    QElapsedTimer reloj;
    reloj.start();
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(bd, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK) {
        std::printf("sqlite3: %s\n", sqlite3_errmsg(bd));
        sqlite3_close(bd);
        return -1;
    }
    for (const auto& [nombre, valor] : parametros) {
        const QByteArray v = valor.toUtf8();
        sqlite3_bind_text(st, sqlite3_bind_parameter_index(st, (":" + nombre).toUtf8().constData()),
                          v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    const int columnas = sqlite3_column_count(st);
    std::FILE* nulo = std::fopen("/dev/null", "wb");
    std::string salida;
    std::size_t bytes = 0;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        for (int c = 0; c < columnas; ++c) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
            const int n = sqlite3_column_bytes(st, c);
            if (t)
                salida.append(t, std::size_t(n));
            salida.push_back(c + 1 < columnas ? '|' : '\n');
        }
        if (salida.size() >= (1u << 16)) {
            bytes += salida.size();
            std::fwrite(salida.data(), 1, salida.size(), nulo);
            salida.clear();
        }
    }
    bytes += salida.size();
    std::fwrite(salida.data(), 1, salida.size(), nulo);
    std::fclose(nulo);
    const double s = reloj.nsecsElapsed() / 1e9;
    if (rc != SQLITE_DONE)
        std::printf("sqlite3: %s\n", sqlite3_errmsg(bd));
    sqlite3_finalize(st);
    sqlite3_close(bd);
    return rc == SQLITE_DONE && bytes > 0 ? s : -1;
}

inline void ImprimeComparacion(const char* que, double programa, double sqlite) {
    std::printf("%s: programa %.2f s, sqlite3 %.2f s, %.2fx\n", que, programa, sqlite,
                sqlite > 0 ? programa / sqlite : 0.0);
}
