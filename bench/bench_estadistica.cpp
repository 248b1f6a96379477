// Statistics-by-province benchmark: 200,000 certificates in each of three cycles of one
// department (25 and 24 in Ciclos, 20 in the legacy Vacunaciones), the window's drawing of the
// three series (statements, table, chart) timed over a few runs, with the statements' plans.
#include "ApoyoBench.h"
#include "BaseBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "db/DialectoSqlite.h"
#include "db/Esquema.h"
#include "reports/EstadisticaProvincias.h"
#include "reports/GraficoProvincias.h"
#include "reports/TfEstadisP.h"

#include <QBarSet>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

// `n` copies of the table's first row as certificates of `ciclo` in SCZ, numbered from
// 1,000,000, spread over the 15 provinces with varied counts.
QByteArray Copias(const char* tabla, const char* ciclo, int n, const char* cambios) {
    return QStringLiteral(
               "DROP TABLE IF EXISTS temp.m; "
               "CREATE TEMP TABLE m AS WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 "
               "FROM n WHERE k < %3) SELECT p.*, n.k AS k FROM (SELECT * FROM %1 LIMIT 1) p, n; "
               "UPDATE m SET IdCiclo = '%2', CertificadoNro = 1000000 + k, %4; "
               "ALTER TABLE m DROP COLUMN k; INSERT INTO %1 SELECT * FROM m; DROP TABLE m;")
        .arg(QLatin1String(tabla), QLatin1String(ciclo))
        .arg(n)
        .arg(QLatin1String(cambios))
        .toUtf8();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int porCiclo = argc > 1 ? std::atoi(argv[1]) : 200'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    sqlite3* bd = CreaBaseBench(ruta, 600);
    QElapsedTimer reloj;
    reloj.start();
    const char* vigente = "Predio_IdDistrital = 'SCZ', Predio_IdProvincia = printf('%02d', 1 + k "
                          "% 15), BOV_Grupo_1M = k % 40, BOV_Grupo_1H = k % 30, BOV_Grupo_2M = k "
                          "% 20, BOV_Grupo_2H = k % 25, BOV_Grupo_3M = k % 10, BOV_Grupo_3H = k % "
                          "35, BOV_Grupo_4M = k % 5, BOV_Grupo_4H = k % 45";
    const char* legado = "IdDistrital = 'SCZ', IdProvincia = printf('%02d', 1 + k % 15), "
                         "Terneros = k % 40, Vaquillas = k % 30, Torillos = k % 20, Novillos = k "
                         "% 25, Vacas = k % 50, Toros = k % 10, Bueyes = k % 5, Bufalos = k % 3";
    const QByteArray sql = "BEGIN;" + Copias("Ciclos", "25", porCiclo, vigente) +
                           Copias("Ciclos", "24", porCiclo, vigente) +
                           Copias("Vacunaciones", "20", porCiclo, legado) + "COMMIT; ANALYZE;";
    char* error = nullptr;
    if (sqlite3_exec(bd, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
        std::printf("error: %s\n", error);
    for (const char* ciclo : {"25", "20"}) {
        const QByteArray plan =
            ("EXPLAIN QUERY PLAN " +
             DialectoSqlite::Traduce(
                 LineasTotalesProvincia(QLatin1String(ciclo)).join(QLatin1Char('\n'))))
                .toUtf8();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(bd, plan.constData(), -1, &st, nullptr);
        std::printf("plan del ciclo %s:\n", ciclo);
        while (sqlite3_step(st) == SQLITE_ROW)
            std::printf("  %s\n", sqlite3_column_text(st, 3));
        sqlite3_finalize(st);
    }
    sqlite3_close(bd);
    std::printf("%d certificados de SCZ en cada uno de los ciclos 25, 24 y 20 creados en %.1f s\n",
                porCiclo, reloj.nsecsElapsed() / 1e9);

    auto modulo = AbreSesionBench(carpeta.path(), "lector", "lector2026");
    TfEstadisP ventana;
    ventana.resize(1040, 620);
    ventana.show();
    ventana.cDistrital->setCurrentText(QStringLiteral("SCZ"));
    ventana.ColocaProvincias();
    ventana.cb3->setCurrentText(QStringLiteral("20"));
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        QElapsedTimer r;
        r.start();
        ventana.SpeedButton1Click();
        ventana.Chart1->Imagen(); // the chart drawn once, as the screen shows it
        std::printf("tres series (25, 24, 20) de SCZ con su gráfico: %.2f s; totales %s, %s, %s "
                    "(objetivo 2 s)\n",
                    r.nsecsElapsed() / 1e9, qPrintable(ventana.stSerie1->text()),
                    qPrintable(ventana.stSerie2->text()), qPrintable(ventana.stSerie3->text()));
    }
    return 0;
}
