// Shared by the benchmarks that build large data: a demo database of few rows at `ruta`
// (geography, logins, `certificados` spread over the cycles), opened on a raw SQLite handle
// with the registry's collations and functions, for the fixtures written in SQL.
#pragma once

#include "BaseDemo.h"
#include "db/Esquema.h"

#include <QString>
#include <sqlite3.h>

inline sqlite3* CreaBaseBench(const QString& ruta, int certificados) {
    OpcionesDemo o;
    o.guias = 10;
    o.certificados = certificados;
    CreaBaseDemo(ruta, o);
    sqlite3* bd = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &bd);
    Esquema::PreparaConexion(bd);
    return bd;
}
