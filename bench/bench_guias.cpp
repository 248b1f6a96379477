// Guide console benchmark: a department with 1,000,000 guides over two years; the session's
// first one-month run (list, grid and totals), a second one and the whole two years, each
// beside the same statement through the sqlite3 tool; and printing one guide to PDF.
#include "ApoyoBench.h"
#include "BaseBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "db/DialectoSqlite.h"
#include "db/Esquema.h"
#include "guides/ConsultaGuias.h"
#include "guides/Existencias.h"
#include "guides/ImpresionGuia.h"
#include "guides/TfGuiaR.h"
#include "guides/TfMueveA.h"
#include "guides/TfMueveC.h"
#include "guides/TfTotalBov.h"
#include "reports/GuiasEmitidas.h"
#include "reports/Historial.h"
#include "reports/TfGuias.h"
#include <QComboBox>
#include <QLabel>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <sys/resource.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const int guias = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    sqlite3* bd = CreaBaseBench(ruta, 600);
    QElapsedTimer reloj;
    reloj.start();
    LlenaGuias(bd, guias);
    char* error = nullptr;
    // A certificate of the demo named by 50 of those guides: 25 bringing bovines in, 25 taking
    // them out, as the stock dialog reads it.
    QString certificado, ciclo;
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(bd, "SELECT CertificadoNro, IdCiclo FROM Ciclos LIMIT 1", -1, &st,
                           nullptr);
        if (sqlite3_step(st) == SQLITE_ROW) {
            certificado = QString::number(sqlite3_column_int(st, 0));
            ciclo = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        }
        sqlite3_finalize(st);
        const QByteArray nombrado =
            QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i "
                           "< 50) INSERT INTO Guias (NroGuia, Especie, SolicitanteNombre, "
                           "Ori_Rubro, Ori_Establecimiento, Ori_IdDistrital, Ori_IdProvincia, "
                           "Ori_IdMunicipio, Ori_Certificado, Ori_Ciclo, Des_Rubro, "
                           "Des_Establecimiento, Des_IdDistrital, Des_IdProvincia, "
                           "Des_IdMunicipio, Des_Certificado, Des_Ciclo, Grupo_1M, "
                           "Medio_Transporte, Medio_Conductor, Autoriza_Ruta, Autoriza_DadoEn, "
                           "Autoriza_Fecha, Autoriza_Funcionario) SELECT 3000000 + i, 'BOV', 'S', "
                           "'Predio', 'E', 'LPZ', '01', '01', CASE WHEN i % 2 = 0 THEN %1 END, "
                           "'%2', 'Predio', 'F', 'LPZ', '01', '01', CASE WHEN i % 2 = 1 THEN %1 "
                           "END, '%2', 1, 'Tren', 'C', 'R', 'D', '2026-06-01 00:00:00.000', 'op' "
                           "FROM n")
                .arg(certificado, ciclo)
                .toUtf8();
        if (sqlite3_exec(bd, nombrado.constData(), nullptr, nullptr, &error) != SQLITE_OK)
            std::printf("error: %s\n", error);
        // A premises (certificate 8888 of cycle 25) named by 200 bovine guides over a year:
        // 100 taking animals out, 100 bringing them in, for its movement history.
        const QByteArray doscientas =
            QByteArray("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i "
                       "< 200) INSERT INTO Guias (NroGuia, Especie, SolicitanteNombre, "
                       "Ori_Rubro, Ori_Establecimiento, Ori_IdDistrital, Ori_IdProvincia, "
                       "Ori_IdMunicipio, Ori_Certificado, Ori_Ciclo, Des_Rubro, "
                       "Des_Establecimiento, Des_IdDistrital, Des_IdProvincia, "
                       "Des_IdMunicipio, Des_Certificado, Des_Ciclo, Grupo_0M, Grupo_0H, "
                       "Grupo_1M, Grupo_1H, Grupo_2M, Grupo_2H, Grupo_3M, Grupo_3H, Grupo_4M, "
                       "Grupo_4H, Medio_Transporte, Medio_Conductor, Autoriza_Ruta, "
                       "Autoriza_DadoEn, Autoriza_Fecha, Autoriza_Funcionario) SELECT 4000000 + "
                       "i, 'BOV', 'S', 'Predio', 'LA HISTORIA', 'SCZ', '01', '01', CASE WHEN i % "
                       "2 = 0 THEN 8888 END, '25', 'Predio', 'VECINO', 'SCZ', '02', '01', CASE "
                       "WHEN i % 2 = 1 THEN 8888 END, '25', 0, 0, 1, 2, 0, 0, 0, 0, 0, 0, 'Tren', "
                       "'C', 'R', 'D', strftime('%Y-%m-%d 00:00:00.000', date('now', '-' || "
                       "(i * 365 / 200) || ' days')), 'op' FROM n; ANALYZE;");
        if (sqlite3_exec(bd, doscientas.constData(), nullptr, nullptr, &error) != SQLITE_OK)
            std::printf("error: %s\n", error);
        // The plans of the reports' statements: the guides issued by origin and by destination
        // in both variants, and the movement history.
        for (const QStringList& l :
             {LineasGuiasEmitidas(VarianteGuias::Grupos, true),
              LineasGuiasEmitidas(VarianteGuias::Grupos, false),
              LineasGuiasEmitidas(VarianteGuias::Categorias, true),
              LineasHistorial(QStringLiteral("8888"), QStringLiteral("25"))}) {
            const QByteArray plan =
                ("EXPLAIN QUERY PLAN " + DialectoSqlite::Traduce(l.join(QLatin1Char('\n'))))
                    .toUtf8();
            sqlite3_prepare_v2(bd, plan.constData(), -1, &st, nullptr);
            std::printf("plan de %s\n", qPrintable(l.mid(l.size() - 3).join(QLatin1Char(' '))));
            while (sqlite3_step(st) == SQLITE_ROW)
                std::printf("  %s\n", sqlite3_column_text(st, 3));
            sqlite3_finalize(st);
        }
        // The plans of the three stock statements.
        for (const QStringList& l :
             {LineasVacunados(false), LineasMovidos(true), LineasMovidos(false)}) {
            const QByteArray plan =
                ("EXPLAIN QUERY PLAN " + DialectoSqlite::Traduce(l.join(QLatin1Char('\n'))))
                    .toUtf8();
            sqlite3_prepare_v2(bd, plan.constData(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                std::printf("plan: %s\n", sqlite3_column_text(st, 3));
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(bd);
    std::printf("%d guías de SCZ creadas en %.1f s\n", guias, reloj.nsecsElapsed() / 1e9);

    auto modulo = AbreSesionBench(carpeta.path(), "supervisor", "supervisor2026");

    TfMueveC consola;
    consola.show();
    consola.cUsuarios->setChecked(false);
    // Each run beside the same statement, with the same dates, through the sqlite3 tool. The
    // first one-month run is the session's first.
    auto corrida = [&](int dias, const char* que) {
        consola.deDesde->setDate(QDate::currentDate().addDays(-dias));
        consola.deHasta->setDate(QDate::currentDate());
        auto fecha = [](const QDate& d) {
            return d.startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        };
        const double sSqlite =
            TiempoSqlite3(ruta, LineasConsultaGuias(consola.Filtros()).join(QLatin1Char('\n')),
                          {{QStringLiteral("Inic"), fecha(consola.deDesde->date())},
                           {QStringLiteral("Fina"), fecha(consola.deHasta->date())}});
        QElapsedTimer r;
        r.start();
        consola.ArmaConsultaGuias();
        const double sLista = r.nsecsElapsed() / 1e9;
        QCoreApplication::processEvents();
        const double s = r.nsecsElapsed() / 1e9;
        std::printf("lista y totales %.2f s, pintado %.2f s\n", sLista, s - sLista);
        rusage uso{};
        getrusage(RUSAGE_SELF, &uso);
        std::printf("%d guías (memoria pico %.0f MB)\n", consola.dbGrid1->Modelo().Filas(),
                    double(uso.ru_maxrss) / 1024.0);
        ImprimeComparacion(que, s, sSqlite);
    };
    corrida(30, "un mes, primera corrida (lista, grilla y totales)");
    corrida(30, "un mes, segunda corrida");
    corrida(740, "dos años");

    // The stock dialog's computation for that certificate, and the whole save of a new guide.
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        QElapsedTimer r;
        r.start();
        TfTotalBov existencias(
            {QStringLiteral("Predio"), {certificado, ciclo, QStringLiteral("BOV"), {}}});
        existencias.FormActivate();
        std::printf("existencias del certificado %s (50 guías): %.1f ms, %s animales (objetivo "
                    "50 ms)\n",
                    qPrintable(certificado), r.nsecsElapsed() / 1e6,
                    qPrintable(existencias.Celda(TfTotalBov::Existentes, 8)->text()));
    }
    {
        DatosGuia g;
        g.especie = QStringLiteral("BOV");
        g.solicitanteNombre = QStringLiteral("SOLICITANTE");
        g.oriRubro = g.desRubro = QStringLiteral("Feria");
        g.oriEstablecimiento = g.desEstablecimiento = QStringLiteral("FERIA");
        g.oriIdDistrital = g.desIdDistrital = QStringLiteral("SCZ");
        g.oriIdProvincia = g.desIdProvincia = QStringLiteral("01");
        g.oriIdMunicipio = g.desIdMunicipio = QStringLiteral("01");
        g.cantidadesGrupo[2] = 3;
        g.medioTransporte = QStringLiteral("Tren");
        g.medioConductor = g.autorizaRuta = g.autorizaDadoEn = QStringLiteral("X");
        g.autorizaFecha = QDate::currentDate();
        g.funcionario = QStringLiteral("supervisor");
        double peor = 0, suma = 0;
        const int n = 20;
        for (int vuelta = 0; vuelta < n; ++vuelta) {
            QElapsedTimer r;
            r.start();
            if (!GuardarGuia(FormaGuia::Bovina, true, g, QStringLiteral("SCZ"), nullptr))
                std::printf("la guía no se guardó\n");
            const double ms = r.nsecsElapsed() / 1e6;
            suma += ms;
            peor = std::max(peor, ms);
        }
        std::printf("guardar una guía nueva (número + inserción), %d veces: media %.1f ms, peor "
                    "%.1f ms (objetivo 20 ms); última %d\n",
                    n, suma / n, peor, g.nroGuia);
    }

    // The reports on the same guides: issued by the district over two years (one of its
    // statements also beside the sqlite3 tool), and the movement history of a premises named by
    // 200 of them.
    {
        const QDate desde = QDate::currentDate().addDays(-740), hasta = QDate::currentDate();
        auto fecha = [](const QDate& d) {
            return d.startOfDay().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        };
        const double sSqlite = TiempoSqlite3(
            ruta, LineasGuiasEmitidas(VarianteGuias::Grupos, false).join(QLatin1Char('\n')),
            {{QStringLiteral("LaDis"), QStringLiteral("SCZ")},
             {QStringLiteral("FecD"), fecha(desde)},
             {QStringLiteral("FecH"), fecha(hasta)}});
        QElapsedTimer r;
        r.start();
        LeeGuiasEmitidas(VarianteGuias::Grupos, false, QStringLiteral("SCZ"), desde, hasta);
        ImprimeComparacion("guías emitidas por destino, grupos, dos años", r.nsecsElapsed() / 1e9,
                           sSqlite);
    }
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        QElapsedTimer r;
        r.start();
        TfGuias21 reporte;
        reporte.cbJD->setCurrentText(QStringLiteral("SCZ"));
        reporte.deDesde->setDate(QDate::currentDate().addDays(-740));
        const Informe informe = reporte.Reporte();
        std::printf("reporte de guías emitidas, SCZ, dos años: %.2f s, total de origen %s "
                    "(objetivo 2 s)\n",
                    r.nsecsElapsed() / 1e9,
                    qPrintable(informe.Etiqueta(QStringLiteral("qrlTot09")).texto));
        r.restart();
        const auto filas = LeeHistorial(QStringLiteral("8888"), QStringLiteral("25"));
        const double sLectura = r.nsecsElapsed() / 1e9;
        const Informe historial =
            InformeHistorial({QStringLiteral("LA HISTORIA"), QStringLiteral("SCZ - Warnes"),
                              QStringLiteral("ROCA"), QStringLiteral("25")},
                             filas, QStringLiteral("S"), QDate::currentDate());
        historial.GuardaPdf(QDir(carpeta.path()).filePath(QStringLiteral("historial.pdf")));
        std::printf("historial del certificado 8888, ciclo 25: %zu guías leídas en %.3f s, con el "
                    "informe en PDF %.3f s (objetivo 0,3 s)\n",
                    filas.size(), sLectura, r.nsecsElapsed() / 1e9);
    }

    // The edit form on the console's first guide, read, filled and shown.
    consola.dbGrid1->IrAPrimera();
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        QElapsedTimer r;
        r.start();
        DatosGuia guia;
        LeeGuia(consola.Actual(QStringLiteral("NroGuia")).toInt(),
                consola.Actual(QStringLiteral("Ori_IdDistrital")).toString(), guia);
        TfMueveA forma(&consola);
        forma.AbreEdicion(guia);
        forma.show();
        QCoreApplication::processEvents();
        std::printf("formulario de edición de la guía %d abierto y mostrado: %.0f ms (objetivo "
                    "200 ms)\n",
                    guia.nroGuia, r.nsecsElapsed() / 1e6);
    }

    ValorGuia v = [&](const QString& campo) { return consola.Actual(campo); };
    const QString pdf = QDir(carpeta.path()).filePath(QStringLiteral("guia.pdf"));
    for (int vuelta = 0; vuelta < 3; ++vuelta) {
        QElapsedTimer r;
        r.start();
        TfGuiaR a4;
        LlenaGuia(a4, false, v, LeeVacunaOrigen(v));
        a4.GuardaPdf(pdf);
        std::printf("impresión de una guía a PDF: %.0f ms\n", r.nsecsElapsed() / 1e6);
    }
    return 0;
}
