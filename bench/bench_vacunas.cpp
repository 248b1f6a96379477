// Certificate console benchmark: a cycle and department with 200,000 certificates; the first
// and a second run (list read, grid filled, totals shown) beside the same statement through
// the sqlite3 command-line tool, and the export of the grid.
#include "ApoyoBench.h"
#include "BaseBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"
#include "db/Consulta.h"
#include "db/Esquema.h"
#include "vaccination/ConsultaVacunas.h"
#include "vaccination/TfVacunaC_New.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int certificados = argc > 1 ? std::atoi(argv[1]) : 200'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    // Cycle 25 of Santa Cruz gets the large list, spread over its provinces' municipalities.
    sqlite3* bd = CreaBaseBench(ruta, 60);
    const QByteArray sql =
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Ciclos SELECT '25', 100000 + i, 'ESTANCIA ' || i, 'UP-' || i, NULL, NULL, "
            "'SCZ', printf('%02d', 1 + i % 15), printf('%02d', 1 + i % 2), 'COTOCA', 'AGROVET', "
            "50, "
            "'BIOGÉNESIS BAGÓ', 'S1', 'P1', 'ARGENTINA', '12/2027', '2026-04-01 00:00:00.000', "
            "'2026-05-10 00:00:00.000', '2026-05-12 00:00:00.000', 1, 0, 0, 1, 'DR. PEÑA', "
            "i % 50, i % 40, i % 30, NULL, i % 20, i % 10, i % 7, i % 5, "
            "NULL, NULL, i % 3, NULL, NULL, NULL, NULL, NULL, "
            "'123', 'ROCA', CASE WHEN i % 2 = 0 THEN NULL ELSE 'VACA' END, 'ANA', 'ANA ROCA', "
            "'JUAN', 'CALLE 1', 'operador', '2026-05-13 00:00:00.000', NULL, 0 FROM n")
            .arg(certificados)
            .toUtf8();
    sqlite3_exec(bd, "DELETE FROM Ciclos WHERE IdCiclo = '25' AND Predio_IdDistrital = 'SCZ'",
                 nullptr, nullptr, nullptr);
    char* error = nullptr;
    if (sqlite3_exec(bd, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
        std::printf("error: %s\n", error);
    sqlite3_close(bd);

    auto modulo = AbreSesionBench(carpeta.path(), "operador", "operador2026");

    // The first run of the session (nothing read yet by this connection), beside the same
    // statement through the sqlite3 command-line tool; then a second run.
    const QStringList lineas =
        LineasConsultaVacunas(QStringLiteral("25"), QStringLiteral("SCZ"), std::nullopt);
    const double sSqlite = TiempoSqlite3(ruta, lineas.join(QLatin1Char('\n')));
    TfVacunaC_New consola;
    consola.show();
    consola.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
    auto corrida = [&] {
        rusage antes{}, despues{};
        getrusage(RUSAGE_SELF, &antes);
        QElapsedTimer r;
        r.start();
        consola.ArmaConsultaVacunas();
        QCoreApplication::processEvents();
        const double s = r.nsecsElapsed() / 1e9;
        getrusage(RUSAGE_SELF, &despues);
        std::printf("(%ld fallos de página)\n", despues.ru_minflt - antes.ru_minflt);
        return s;
    };
    const double primera = corrida();
    std::printf("%d certificados\n", consola.UltimDBGrid1->Modelo().Filas());
    ImprimeComparacion("primera corrida (consulta, grilla y totales)", primera, sSqlite);
    ImprimeComparacion("segunda corrida", corrida(), sSqlite);

    QElapsedTimer reloj;
    const QString archivo = QDir(carpeta.path()).filePath(QStringLiteral("vacunas.csv"));
    reloj.start();
    ExportaGrillaCSV(*consola.UltimDBGrid1, archivo);
    const double sExporta = reloj.nsecsElapsed() / 1e9;
    std::printf("exportación: %.1f MB en %.2f s\n", QFileInfo(archivo).size() / 1048576.0,
                sExporta);
    return 0;
}
