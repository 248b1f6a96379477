// The guides-issued report: the kinds' letters, the sums by origin and destination for both
// variants, the last day counted only at 00:00, NULL sums, kinds without a row kept apart in
// "Otros", the named labels and their totals, and the report written to PDF.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Patrones.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "reports/TfGuias.h"
#include "reports/TfHisto.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TstGuiasEmitidas : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    void Guia(int nro, const char* especie, const char* oriRubro, const char* desRubro,
              const char* fecha, QVariant terneros, int grupo1M) {
        GuiaGuardada(*base_, nro, QStringLiteral("SCZ"), QLatin1String(especie), "", "", "", "",
                     {grupo1M, 0, 0, 0, 0, 0, 0, 0});
        base_->Sql(QStringLiteral("UPDATE Guias SET Ori_Rubro = ?, Des_Rubro = ?, "
                                  "Autoriza_Fecha = ?, BOV_Terneros = ?, BOV_Vaquillas = ?, "
                                  "BOV_Torillos = ?, BOV_Novillos = ?, BOV_Vacas = ?, BOV_Toros = "
                                  "?, BOV_Bueyes = ?, BOV_Bufalos = ? WHERE NroGuia = ?"),
                   {QString::fromUtf8(oriRubro), QString::fromUtf8(desRubro),
                    QString::fromLatin1(fecha), terneros, terneros.isNull() ? QVariant() : 0,
                    terneros.isNull() ? QVariant() : 0, terneros.isNull() ? QVariant() : 0,
                    terneros.isNull() ? QVariant() : 0, terneros.isNull() ? QVariant() : 0,
                    terneros.isNull() ? QVariant() : 0, terneros.isNull() ? QVariant() : 0, nro});
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee")});
        Guia(1, "BOV", "Predio", "Matadero", "2026-06-01 00:00:00.000", 5, 7);
        Guia(2, "BOV", "Predio", "Feria", "2026-06-30 00:00:00.000", 3, 2);     // last day, 00:00
        Guia(3, "BOV", "Predio", "Feria", "2026-06-30 10:00:00.000", 100, 100); // later that day
        Guia(4, "BUB", "Feria", "Consumo", "2026-06-15 00:00:00.000", 4, 9);
        Guia(5, "SUI", "Remate", "Incubadora", "2026-06-15 00:00:00.000", QVariant(), 6);
        Guia(6, "BOV", QString::fromUtf8("Importación").toUtf8().constData(), "Incubadora",
             "2026-06-16 00:00:00.000", 8, 1);
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    void letras() {
        QCOMPARE(LetraRubro(QStringLiteral("Potrero")), QLatin1Char('O'));
        QCOMPARE(LetraRubro(QStringLiteral("Consumo")), QLatin1Char('C'));
        QVERIFY(LetraRubro(QString::fromUtf8("Importación")).isNull());
        QCOMPARE(LineasGuiasEmitidas(VarianteGuias::Grupos, false).at(7),
                 QStringLiteral("WHERE especie='BOV'"));
        QCOMPARE(LineasGuiasEmitidas(VarianteGuias::Categorias, true).last(),
                 QStringLiteral("GROUP BY Ori_Rubro"));
    }

    void sumas() {
        const QDate d(2026, 6, 1), h(2026, 6, 30);
        const SumasRubros o = LeeGuiasEmitidas(VarianteGuias::Categorias, true, "SCZ", d, h);
        QCOMPARE(o.porLetra.at('P')[0].toInt(), 8); // 5 + 3; not the 100 at 10:00
        QCOMPARE(o.porLetra.at('F')[0].toInt(), 4); // a buffalo guide counts here
        QVERIFY(o.porLetra.at('R')[0].isNull());    // other species: NULL, printed empty
        QCOMPARE(o.nombresOtros, QStringList{QString::fromUtf8("Importación")});
        QCOMPARE(o.otros[0].toLongLong(), 8);
        const SumasRubros g = LeeGuiasEmitidas(VarianteGuias::Grupos, false, "SCZ", d, h);
        QCOMPARE(g.porLetra.at('M')[0].toInt(), 7);
        QCOMPARE(g.porLetra.count('C'), size_t(0)); // the buffalo guide is left out
        QCOMPARE(g.nombresOtros, QStringList{"Incubadora"});
        QCOMPARE(g.otros[8].toLongLong(), 1); // only the bovine one
    }

    // The dialog's report: labels by name, totals of the kinds' rows only, written to PDF.
    void reporte() {
        TfGuias t;
        QCOMPARE(t.windowTitle(),
                 QString::fromUtf8("Reporte estadístico sobre guías de movimiento"));
        QCOMPARE(t.cbJD->currentText(), QStringLiteral("BEN"));
        t.cbJD->setCurrentText(QStringLiteral("SCZ"));
        t.deDesde->setDate(QDate(2026, 6, 1));
        t.deHasta->setDate(QDate(2026, 6, 30));
        const Informe inf = t.Reporte();
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlP01")).texto, QStringLiteral("8"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlR01")).texto, QString());
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlE01")).texto, QStringLiteral("0"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlTot01")).texto, QStringLiteral("12"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlOtros01")).texto, QStringLiteral("8"));
        // The caption of "Otros" ends before the first figures' column.
        QVERIFY(inf.Etiqueta(QStringLiteral("qrlOtrosTitulo")).mm.right() <=
                inf.Etiqueta(QStringLiteral("qrlOtros01")).mm.left());
        QVERIFY(inf.Etiqueta(QStringLiteral("qrOtrosTitulo")).mm.right() <=
                inf.Etiqueta(QStringLiteral("qrOtros01")).mm.left());
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrC09")).texto, QStringLiteral("4"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrTot01")).texto, QStringLiteral("12"));
        QCOMPARE(inf.Etiqueta(QStringLiteral("lEtiqueta")).texto,
                 QStringLiteral("GUIAS EMITIDAS DESDE EL 01/06/26 AL 30/06/26\nDISTRITAL : SCZ"));
        int valores = 0;
        for (const QString& n : inf.Nombres())
            if (QRegularExpression(QStringLiteral("^(qrl[PFREO]|qr[PFREOMC]|qrlTot|qrTot)\\d\\d$"))
                    .match(n)
                    .hasMatch())
                ++valores;
        QCOMPARE(valores, 126);
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("guias.pdf"));
        inf.GuardaPdf(pdf);
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(texto.waitForFinished());
        const QString salida = QString::fromUtf8(texto.readAllStandardOutput());
        QVERIFY2(salida.contains(QString::fromUtf8("SEGÚN ORIGEN")) &&
                     salida.contains(QString::fromUtf8("SEGÚN DESTINO")) &&
                     salida.contains(QString::fromUtf8("Otros (Importación)")),
                 qPrintable(salida));
        TfGuias21 t21;
        QCOMPARE(t21.windowTitle(),
                 QString::fromUtf8("Reporte estadístico sobre nuevas guías de movimiento"));
    }

    // Dates the wrong way round, or a department without guides, find nothing: the report
    // still shows every kind's row at 0, for the first department of the list as for any
    // other. An emptied start date is the editor's day zero (30/12/1899): from the beginning.
    void sinGuias_data() {
        QTest::addColumn<QDate>("desde");
        QTest::addColumn<QDate>("hasta");
        QTest::addColumn<QString>("distrital");
        QTest::addColumn<QString>("predios");
        QTest::newRow("al revés") << QDate(2026, 6, 30) << QDate(2026, 6, 1) << "SCZ"
                                  << "0";
        QTest::newRow("distrital sin guías") << QDate(2026, 6, 1) << QDate(2026, 6, 30) << "BEN"
                                             << "0";
        QTest::newRow("desde vacía") << QDate() << QDate(2026, 6, 30) << "SCZ"
                                     << "8";
    }
    void sinGuias() {
        QFETCH(QDate, desde);
        QFETCH(QDate, hasta);
        QFETCH(QString, distrital);
        QFETCH(QString, predios);
        TfGuias t;
        t.cbJD->setCurrentText(distrital);
        if (desde.isValid())
            t.deDesde->setDate(desde);
        else
            t.deDesde->Limpia();
        t.deHasta->setDate(hasta);
        const Informe inf = t.Reporte();
        QCOMPARE(inf.Etiqueta(QStringLiteral("qrlP01")).texto, predios);
        if (predios == QLatin1String("0"))
            for (const char* n : {"qrlF09", "qrlTot09", "qrP01", "qrC09", "qrTot09"})
                QCOMPARE(inf.Etiqueta(QLatin1String(n)).texto, QStringLiteral("0"));
    }

    // The operator's texts and pictures from [INFORMES], read as written (a backslash stays a
    // backslash); an absent or unreadable picture keeps the default.
    void textosDelOperador() {
        QTemporaryDir carpeta;
        const QString logo = carpeta.filePath(QStringLiteral("logo.png"));
        QImage rojo(40, 20, QImage::Format_RGB32);
        rojo.fill(Qt::red);
        QVERIFY(rojo.save(logo));
        QFile ini(ArchivoIni);
        QVERIFY(ini.open(QIODevice::Append));
        ini.write(QStringLiteral("[INFORMES]\r\nServicio=SENASAG\\BENI\r\nServicio1=JEFATURA "
                                 "\\r DISTRITAL\r\nMinisterio2=AGROPECUARIO Y ÑANDÚ\r\n"
                                 "LogoIzquierdo=%1\r\nLogoDerecho=%1.no\r\n")
                      .arg(logo)
                      .toUtf8());
        ini.close();
        const TextosInforme t = LeeTextosInforme();
        QCOMPARE(t.servicio1, QStringLiteral("JEFATURA \\r DISTRITAL"));
        QCOMPARE(t.servicio2, QStringLiteral("JEFATURA DISTRITAL DE SANIDAD ANIMAL"));
        QCOMPARE(t.ministerio2, QString::fromUtf8("AGROPECUARIO Y ÑANDÚ"));
        QCOMPARE(t.logoIzquierdo.size(), QSize(40, 20));
        QVERIFY(t.logoDerecho.isNull());
        QCOMPARE(NombreServicio(), QStringLiteral("SENASAG\\BENI"));
    }

    // Both layouts, element by element at their millimetre positions with the fixture's
    // values, against the kept ones.
    void disposicion() {
        TfGuias t;
        TfGuias21 t21;
        for (TfGuias* d : std::initializer_list<TfGuias*>{&t, &t21}) {
            d->cbJD->setCurrentText(QStringLiteral("SCZ"));
            d->deDesde->setDate(QDate(2026, 6, 1));
            d->deHasta->setDate(QDate(2026, 6, 30));
        }
        const QString r = ComparaConPatron(t.Reporte().Disposicion(),
                                           QStringLiteral("reports/patrones/guias_emitidas.txt"));
        QVERIFY2(r.isEmpty(), qPrintable(r));
        const QString r21 = ComparaConPatron(
            t21.Reporte().Disposicion(), QStringLiteral("reports/patrones/guias_emitidas21.txt"));
        QVERIFY2(r21.isEmpty(), qPrintable(r21));
    }
};

TARVELION_PRUEBA_MAIN(TstGuiasEmitidas)
#include "tst_guias_emitidas.moc"
