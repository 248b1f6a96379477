// Legacy certificate console and registries benchmark: a district with 200,000 legacy
// certificates listed with grid and totals (the first and a second run), and the
// premises search on them, and the veterinarians' registry with 20,000 rows opened (list and record
// tab) and listed again.
#include "ApoyoBench.h"
#include "BaseBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "db/Consulta.h"
#include "db/Esquema.h"
#include "vaccination/BusquedaPredios.h"
#include "vaccination/TfBuscar.h"
#include "vaccination/TfVacunaC.h"
#include "vaccination/TfVeterinarios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>
#include <sqlite3.h>

namespace {
// The whole-district question is answered OK, as the user does to list a district.
class SiempreSi : public Mensajes::Servicio {
public:
    void Muestra(const QString&, Mensajes::Icono, const QString& texto) override {
        std::printf("caja: %s\n", qPrintable(texto));
    }
    bool Pregunta(const QString&, Mensajes::Icono, const QString&) override { return true; }
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int certificados = argc > 1 ? std::atoi(argv[1]) : 200'000;
    const int veterinarios = argc > 2 ? std::atoi(argv[2]) : 20'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    sqlite3* bd = CreaBaseBench(ruta, 60);
    const QByteArray sql =
        QStringLiteral(
            "DELETE FROM Vacunaciones; "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Veterinarios SELECT 'V' || i, 'PATERNO ' || (i % 997), "
            "CASE WHEN i % 3 = 0 THEN NULL ELSE 'MATERNO' END, 'NOMBRE ' || i, "
            "CASE WHEN i % 2 = 0 THEN 'M' ELSE 'F' END, "
            "CASE i % 3 WHEN 0 THEN 'SCZ' WHEN 1 THEN 'BEN' ELSE 'LPZ' END FROM n; "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
            "INSERT INTO Vacunaciones SELECT '20', i, 'ESTANCIA ' || i, NULL, 'CAT-' || i, "
            "'SCZ', substr('0' || (1 + i % 15), -2), substr('0' || (1 + i % 2), -2), 'CENTRO', "
            "NULL, NULL, "
            "(SELECT IdVeterinaria FROM Veterinarias LIMIT 1), 'V' || (1 + i % %1), 100, "
            "'BIOGÉNESIS', 'S1', 'P1', 'ARGENTINA', '12/2027', '2020-05-01 00:00:00.000', "
            "'2020-05-03 00:00:00.000', i % 50, i % 40, i % 30, i % 20, i % 60, i % 5, i % 7, 0, "
            "'123', 'ROCA', CASE WHEN i % 2 = 0 THEN NULL ELSE 'VACA' END, 'ANA', 'operador', "
            "'2020-05-04 00:00:00.000' FROM n; ANALYZE;")
            .arg(veterinarios)
            .arg(certificados)
            .toUtf8();
    char* error = nullptr;
    if (sqlite3_exec(bd, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK)
        std::printf("error: %s\n", error);
    sqlite3_close(bd);

    auto modulo = AbreSesionBench(carpeta.path(), "operador", "operador2026");
    Mensajes::Instala(std::make_shared<SiempreSi>());
    TfVacunaC consola;
    consola.show();
    consola.cbCiclo->setCurrentText(QStringLiteral("20"));
    consola.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
    consola.cProvincias->setChecked(false);
    // SOLO_BUSQUEDA=1 runs the premises search alone (for a profiler).
    const bool soloBusqueda = qEnvironmentVariableIntValue("SOLO_BUSQUEDA") == 1;
    const double sSqlite =
        soloBusqueda
            ? 0
            : TiempoSqlite3(ruta, LineasConsultaLegado(consola.Filtros()).join(QLatin1Char(0x0a)));
    for (const char* que : {"consola de certificados anteriores, primera corrida",
                            "consola de certificados anteriores, segunda corrida"}) {
        if (soloBusqueda)
            break;
        QElapsedTimer r;
        r.start();
        consola.sbEjecutar->click();
        QCoreApplication::processEvents();
        std::printf("%s (objetivo 1,5 s)\n", qPrintable(consola.lTotal->text()));
        ImprimeComparacion(que, r.nsecsElapsed() / 1e9, sSqlite);
    }

    // The premises search on the same 200,000 certificates: by a premises name (a scan of the
    // district's rows), by an owner's name and by a certificate number.
    {
        TfBuscar busqueda;
        busqueda.show();
        busqueda.SeleccionaCiclo(QStringLiteral("20"));
        busqueda.SeleccionaDistrital(QStringLiteral("SCZ"));
        const struct {
            int tipo;
            const char* criterio;
        } busquedas[] = {{0, "ESTANCIA 1999"}, {1, "VACA"}, {2, "123456"}, {0, "estancia 7"}};
        for (const auto& b : busquedas) {
            busqueda.cbTipo->setCurrentIndex(b.tipo);
            busqueda.eBuscar->setText(QString::fromUtf8(b.criterio));
            QElapsedTimer r;
            r.start();
            busqueda.bbBuscar->click();
            QCoreApplication::processEvents();
            const double total = r.nsecsElapsed() / 1e9;
            // The statement alone, into a model of its own, to tell it from the grid's work.
            r.restart();
            Consulta q;
            q.FijaSql(LineasBusqueda(true, QStringLiteral("20"), QStringLiteral("SCZ"),
                                     TipoBusqueda(b.tipo), QString::fromUtf8(b.criterio)));
            ModeloGrilla m;
            q.AbreEn(m);
            std::printf("búsqueda de predios \"%s\" (%s): %.3f s, de ello la sentencia %.3f s "
                        "(objetivo 0,3 s)\n",
                        b.criterio, qPrintable(busqueda.StatusBar1->text()), total,
                        r.nsecsElapsed() / 1e9);
        }
    }

    QElapsedTimer r;
    r.start();
    TfVeterinarios registro;
    registro.show();
    QCoreApplication::processEvents();
    std::printf("registro de veterinarios abierto (lista y registro): %s en %.2f s\n",
                qPrintable(registro.lTotal->text()), r.nsecsElapsed() / 1e9);
    r.restart();
    registro.RefrescaLista();
    QCoreApplication::processEvents();
    std::printf("lista de veterinarios: %s en %.3f s (objetivo 0,2 s)\n",
                qPrintable(registro.lTotal->text()), r.nsecsElapsed() / 1e9);
    return 0;
}
