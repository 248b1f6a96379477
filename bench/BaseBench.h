// Shared by the benchmarks that build large data: a demo database of few rows at `ruta`
// (geography, logins, `certificados` spread over the cycles), opened on a raw SQLite handle
// with the registry's collations and functions, for the fixtures written in SQL.
#pragma once

#include "BaseDemo.h"
#include "db/Esquema.h"

#include <QString>
#include <cstdio>
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

// `guias` guides of department SCZ spread over the last two years (the newest today), three
// in five of bovines, one of swine, one of buffalo, for the guide console and its reports.
inline void LlenaGuias(sqlite3* bd, int guias) {
    const QByteArray sql =
        QStringLiteral(
            "DELETE FROM Guias; "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Guias SELECT i, CASE i % 5 WHEN 0 THEN 'SUI' WHEN 1 THEN 'BUB' ELSE 'BOV' "
            "END, "
            "'SOLICITANTE ' || i, '1234567', CASE WHEN i % 3 = 0 THEN 1001 + i % 100 END, '25', "
            "'Predio', 'ESTANCIA ' || (i % 5000), 'PROPIETARIO', 'SCZ', printf('%02d', 1 + i % "
            "15), "
            "'01', NULL, NULL, 'Matadero', 'FRIGORIFICO', NULL, 'SCZ', printf('%02d', 1 + (i / 7) "
            "% 15), "
            "'02', 0, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
            "0, 0, i % 9, i % 7, i % 5, i % 3, 1, 2, 3, 4, 'Camión', 'CONDUCTOR', 'RUTA', 'Santa "
            "Cruz', "
            "strftime('%Y-%m-%d 00:00:00.000', date('now', '-' || ((%1 - i) * 730 / %1) || ' "
            "days')), "
            "CASE WHEN i % 2 = 0 THEN 'operador' ELSE 'supervisor' END, 1, 0, 0, 0, 0, 1, NULL, 0, "
            "'FIEBRE AFTOSA', '01/06/2026', 'DR. PEÑA', '', '', NULL FROM n; ANALYZE;")
            .arg(guias)
            .toUtf8();
    char* error = nullptr;
    if (sqlite3_exec(bd, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
        std::printf("error: %s\n", error);
    sqlite3_free(error);
}
