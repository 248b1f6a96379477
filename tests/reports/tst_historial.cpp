// The movement history of a premises: the statement as written for both cycle ranges, which
// guides it lists and in what order, the report's named labels and its PDF, and the dialog's
// refusals and hand-back from the premises search.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Patrones.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "reports/Historial.h"
#include "reports/TfHisto.h"
#include "vaccination/TfBuscar.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class TstHistorial : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    void Fecha(int nro, const QString& dis, const char* fecha) {
        base_->Sql(QStringLiteral("UPDATE Guias SET Autoriza_Fecha = ? WHERE NroGuia = ? AND "
                                  "Ori_IdDistrital = ?"),
                   {QString::fromLatin1(fecha), nro, dis});
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("PSi_GMA_Escribe")});
        CertificadoCiclo(*base_, QStringLiteral("25"), 500, QStringLiteral("LA ESPERANZA"));
        const QString c25 = QStringLiteral("25");
        // Out of 500/25 (later), into it (earlier), a buffalo guide, another cycle on both
        // sides, the certificate on one side and the cycle only on the other.
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("BOV"), "500", c25, "900",
                     c25, {3, 0, 0, 0, 0, 0, 0, 1});
        GuiaGuardada(*base_, 2, QStringLiteral("SCZ"), QStringLiteral("BOV"), "900", c25, "500",
                     c25, {2, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 3, QStringLiteral("SCZ"), QStringLiteral("BUB"), "500", c25, "900",
                     c25, {1, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 4, QStringLiteral("SCZ"), QStringLiteral("BOV"), "500", "24", "900",
                     "24", {9, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 5, QStringLiteral("SCZ"), QStringLiteral("BOV"), "500", "24", "900",
                     c25, {4, 0, 0, 0, 0, 0, 0, 0});
        Fecha(1, QStringLiteral("SCZ"), "2026-06-10 00:00:00.000");
        Fecha(2, QStringLiteral("SCZ"), "2026-06-01 00:00:00.000");
        Fecha(5, QStringLiteral("SCZ"), "2026-06-20 00:00:00.000");
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        datos_->LeePerfil();
        CicloActual = QStringLiteral("25");
    }
    void cleanup() {
        delete fBuscar.data();
        delete datos_;
        delete base_;
    }

    void sentencia() {
        const QStringList l25 = LineasHistorial(QStringLiteral("500"), QStringLiteral("25"));
        QCOMPARE(l25.at(3), QStringLiteral("(G.Grupo_0M+G.Grupo_0H+G.Grupo_1M+G.Grupo_1H+G.Grupo_"
                                           "2M+G.Grupo_2H+G.Grupo_3M+G.Grupo_3H+G.Grupo_4M+G."
                                           "Grupo_4H) AS BOV_Total"));
        QCOMPARE(l25.mid(7), (QStringList{"WHERE G.Especie='BOV'",
                                          "and (G.Ori_Certificado=500 OR G.Des_Certificado=500)",
                                          "AND (G.Ori_Ciclo='25' OR G.Des_Ciclo='25')",
                                          "ORDER BY G.Autoriza_Fecha"}));
        const QStringList l20 = LineasHistorial(QStringLiteral("500"), QStringLiteral("20"));
        QVERIFY(l20.at(3).startsWith(QStringLiteral("(G.BOV_Terneros+G.BOV_Vaquillas")));
        QCOMPARE(l20.at(7),
                 QStringLiteral("WHERE (G.Ori_Certificado=500 OR G.Des_Certificado=500)"));
        QVERIFY_THROWS_EXCEPTION(ErrorConversion,
                                 LineasHistorial(QStringLiteral("5 OR 1=1"), QStringLiteral("25")));
    }

    // The bovine guides that name the certificate on a side and the cycle on a side, by date.
    void lista() {
        const auto filas = LeeHistorial(QStringLiteral("500"), QStringLiteral("25"));
        QStringList r;
        for (const FilaHistorial& f : filas)
            r << f.nroGuia + QLatin1Char(':') + f.total.toString();
        QCOMPARE(r, (QStringList{"2:2", "1:4", "5:4"}));
        QCOMPARE(filas.front().oriMunicipio, QStringLiteral("Cotoca"));
    }

    // The report: its named labels filled and a PDF whose text holds the header and the rows.
    void informe() {
        const auto filas = LeeHistorial(QStringLiteral("500"), QStringLiteral("25"));
        const Informe inf = InformeHistorial(
            {QStringLiteral("LA ESPERANZA"), QStringLiteral("SCZ - Cotoca"),
             QStringLiteral("ROCA ANA"), QStringLiteral("Corresponde al 25 avo ciclo")},
            filas, QStringLiteral("SERVICIO DE PRUEBA"), QDate(2026, 12, 10));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlCiclo")).texto,
                 QStringLiteral("Corresponde al 25 avo ciclo"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlImpresion")).texto,
                 QString::fromUtf8("Fecha de impresión: 10/12/2026"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlPredio")).mm.topLeft(), QPointF(3.2, 21.2));
        const QString patron =
            ComparaConPatron(inf.Disposicion(), QStringLiteral("reports/patrones/historial.txt"));
        QVERIFY2(patron.isEmpty(), qPrintable(patron));
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("historial.pdf"));
        inf.GuardaPdf(pdf);
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(texto.waitForFinished());
        const QString t = QString::fromUtf8(texto.readAllStandardOutput());
        QVERIFY2(t.contains(QStringLiteral("REGISTRO DE MOVIMIENTO DE GANADO BOVINO")),
                 qPrintable(t));
        QVERIFY(t.contains(QStringLiteral("01/06/2026")));
        QVERIFY(t.contains(QStringLiteral("LA ESPERANZA")));
        // No guide: title, header and summary all the same.
        const Informe vacio = InformeHistorial({}, {}, QStringLiteral("S"), QDate(2026, 12, 10));
        vacio.GuardaPdf(pdf);
        QVERIFY(QFile(pdf).size() > 500);
    }

    // No premises: the message and the dialog ends; cycles the search cannot serve are said;
    // the search hands back mode 3.
    void dialogo() {
        GrabadoraInstalada g;
        {
            TfHisto h;
            QCOMPARE(h.windowTitle(), QStringLiteral("Historial del movimiento de ganado"));
            QCOMPARE(h.cCiclo->currentText(), QStringLiteral("25"));
            QCOMPARE(h.cJD->currentText(), QStringLiteral("BEN"));
            h.BitBtn2->click();
            QCOMPARE(g->Textos(), QStringList{"Debe seleccionar un establecimiento ganadero !"});
            QCOMPARE(h.result(), int(QDialog::Accepted));
            h.cCiclo->setCurrentText(QStringLiteral("15"));
            h.SpeedButton3->click();
            QCOMPARE(g->Textos().size(), 2);
            QVERIFY(g->Textos().last().contains(QStringLiteral("ciclo 15")));
            QVERIFY(!fBuscar);
        }
        TfHisto h;
        h.cJD->setCurrentText(QStringLiteral("SCZ"));
        h.SpeedButton3->click();
        QVERIFY(fBuscar);
        QCOMPARE(fBuscar->ModoBusqueda, 3);
        fBuscar->eBuscar->setText(QStringLiteral("esperanza"));
        fBuscar->bbBuscar->click();
        fBuscar->bbInsertar->click();
        QCOMPARE(h.eCertif->text(), QStringLiteral("500"));
        QCOMPARE(h.ePredio->text(), QStringLiteral("LA ESPERANZA"));
        QCOMPARE(h.eUbica->text(), QStringLiteral("SCZ - Cotoca"));
        int vistas = 0;
        Ventanas::InstalaManejador([&](QDialog&) {
            ++vistas;
            return int(QDialog::Rejected);
        });
        h.BitBtn2->click();
        Ventanas::InstalaManejador({});
        QCOMPARE(vistas, 1); // the preview
    }
};

TARVELION_PRUEBA_MAIN(TstHistorial)
#include "tst_historial.moc"
