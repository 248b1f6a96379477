// Session benchmark on a large embedded database (1,000,000 guides by default): building the
// database, the session start of the data module, and the next guide number of a department.
#include "ApoyoBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/RevisionArchivo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int guias = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));

    QElapsedTimer reloj;
    reloj.start();
    OpcionesDemo o;
    o.guias = guias;
    o.certificados = 60000;
    CreaBaseDemo(ruta, o);
    std::printf("base de %d guías creada en %.1f s\n", guias, reloj.nsecsElapsed() / 1e9);

    reloj.restart();
    auto modulo = AbreSesionBench(carpeta.path(), "operador", "operador2026");
    std::printf("inicio de sesión: %.1f ms (usuario %s, derechos GMA %d)\n",
                reloj.nsecsElapsed() / 1e6, qPrintable(UsuarioBase), int(PSi_GMA_Escribe));

    // The file's check for damage runs beside the session from its opening: the sign-in does
    // not wait for it, the first list or write does.
    reloj.restart();
    Conexion::Principal()->EsperaRevision();
    std::printf("revisión del archivo (quick_check) terminada %.1f ms después del inicio de "
                "sesión\n",
                reloj.nsecsElapsed() / 1e6);
    {
        sqlite3* bd = nullptr;
        sqlite3_open_v2(QFile::encodeName(ruta).constData(), &bd, SQLITE_OPEN_READONLY, nullptr);
        DialectoSqlite::RegistraBase(bd);
        reloj.restart();
        const QString hallazgos = RevisionArchivo::Hallazgos(bd);
        std::printf("quick_check solo: %.1f ms (%s)\n", reloj.nsecsElapsed() / 1e6,
                    hallazgos.isEmpty() ? "sano" : "dañado");
        sqlite3_close(bd);
    }

    Consulta q({QStringLiteral("SELECT MAX(NroGuia) AS Total"), QStringLiteral("FROM Guias"),
                QStringLiteral("WHERE Ori_IdDistrital = :xDado")});
    const int vueltas = 200;
    reloj.restart();
    qint64 total = 0;
    for (int i = 0; i < vueltas; ++i) {
        q.Texto(QStringLiteral("xDado"), i % 2 ? QStringLiteral("SCZ") : QStringLiteral("BEN"), 3);
        q.Abre();
        total += q.EnteroCampo(QStringLiteral("Total"));
    }
    std::printf("siguiente número de guía: %.3f ms por consulta (%lld)\n",
                reloj.nsecsElapsed() / 1e6 / vueltas, static_cast<long long>(total / vueltas));
    return 0;
}
