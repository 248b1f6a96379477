// What the ODBC layer costs per row: the one-month guide console of a department with
// 1,000,000 guides over two years, run on the embedded file and then through QODBC,
// unixODBC and FreeTDS to the TDS test server serving the same file, in rows per second.
// The test server runs the statement on the same embedded database, so the difference is the
// wire (encoding, packets, the driver's decoding and Qt's value objects), not the database.
#include "ApoyoBench.h"
#include "BaseBench.h"
#include "apoyo/ServidorTds.h"
#include "app/Aplicacion.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "guides/TfMueveC.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Three one-month runs of the console (the first is the session's first); the best one.
void Corre(const char* que) {
    TfMueveC consola;
    consola.show();
    consola.cUsuarios->setChecked(false);
    consola.deDesde->setDate(QDate::currentDate().addDays(-30));
    consola.deHasta->setDate(QDate::currentDate());
    double mejor = 1e9;
    int filas = 0;
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        QElapsedTimer r;
        r.start();
        consola.ArmaConsultaGuias();
        QCoreApplication::processEvents();
        mejor = std::min(mejor, r.nsecsElapsed() / 1e9);
        filas = consola.dbGrid1->Modelo().Filas();
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("%s: %d guías en %.2f s, %.0f filas/s (memoria pico %.0f MB)\n", que, filas, mejor,
                filas / mejor, double(uso.ru_maxrss) / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int guias = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    sqlite3* bd = CreaBaseBench(ruta, 600);
    LlenaGuias(bd, guias);
    sqlite3_close(bd);
    std::printf("%d guías de SCZ en dos años\n", guias);
    {
        auto modulo = AbreSesionBench(carpeta.path(), "supervisor", "supervisor2026");
        Corre("archivo embebido");
    }
    {
        ServidorTds servidor(carpeta.path());
        auto modulo = AbreSesionBench(
            carpeta.path(), "supervisor", "supervisor2026",
            EncryptIP(QStringLiteral("127.0.0.1,%1").arg(servidor.Puerto())).toLatin1());
        Corre("ODBC y FreeTDS al servidor de prueba");
    }
    return 0;
}
