// Guide printing: both layouts filled for each species family, the movement kinds, the dates,
// the vaccine data, and the print command (cancel, preview, a test print and a print on the
// numbered form to a PDF file, with the print log and the receipt-book number).
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "guides/ImpresionGuia.h"
#include "guides/TfGuiaR.h"
#include "guides/TfImprimir.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>

namespace {

QVariantMap Guia(const QString& especie) {
    return {{"NroGuia", 12},
            {"Especie", especie},
            {"SolicitanteNombre", "JUAN PEREZ"},
            {"SolicitanteCarnet", "4455667"},
            {"Ori_Rubro", "Predio"},
            {"Ori_Establecimiento", "  ESTANCIA LA CAÑADA  "},
            {"Ori_Propietario", "ROCA"},
            {"Ori_IdDistrital", "SCZ"},
            {"Ori_IdProvincia", "01"},
            {"Ori_IdMunicipio", "01"},
            {"Ori_NombreProvincia", "Andrés Ibáñez"},
            {"Ori_NombreMunicipio", "Santa Cruz de la Sierra"},
            {"Des_Rubro", "Matadero"},
            {"Des_Establecimiento", "FRIGORIFICO"},
            {"Des_IdDistrital", "SCZ"},
            {"Des_IdProvincia", "01"},
            {"Des_IdMunicipio", "01"},
            {"Des_NombreProvincia", "Andrés Ibáñez"},
            {"Des_NombreMunicipio", "Santa Cruz de la Sierra"},
            {"Grupo_0M", 0},
            {"Grupo_0H", 0},
            {"Grupo_1M", 3},
            {"Grupo_1H", 4},
            {"Grupo_2M", 0},
            {"Grupo_2H", 2},
            {"Grupo_3M", 0},
            {"Grupo_3H", 0},
            {"Grupo_4M", 1},
            {"Grupo_4H", 0},
            {"Grupo_TT", 10},
            {"Medio_Transporte", QString::fromUtf8("Camión")},
            {"Medio_Conductor", "1234ABC"},
            {"Autoriza_Ruta", "SANTA CRUZ - WARNES"},
            {"Autoriza_Fecha", QDateTime(QDate(2026, 12, 25), QTime(0, 0))},
            {"Autoriza_Funcionario", "operador"},
            {"Objetivo_Cria", 1},
            {"Objetivo_Faena", 1},
            {"Objetivo_Transito", 1},
            {"Vacuna_Fecha", "10/05/2026"},
            {"Vacuna_Enfermedad", "FIEBRE AFTOSA"},
            {"Vacuna_Medico", "DR. PEÑA"},
            {"Vacuna_Certificados", "55"},
            {"Comentarios", "SIN NOVEDAD"}};
}

ValorGuia De(const QVariantMap& m) {
    return [m](const QString& c) { return m.value(c); };
}

QString T(const Informe& i, const char* etiqueta) {
    return i.Etiqueta(QString::fromLatin1(etiqueta)).texto;
}

} // namespace

class TstImpresionGuia : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        base_->Sql(QStringLiteral(
            "INSERT INTO Ciclos (IdCiclo, CertificadoNro, Predio_Cabana, Predio_IdDistrital, "
            "Predio_IdProvincia, Predio_IdMunicipio, Predio_Juridiccion, Dosis_Proveedor, "
            "Dosis_Cantidad, Dosis_Laboratorio, Dosis_Partida, Dosis_Procedencia, "
            "Dosis_Expiracion, "
            "Vacu_Fecha, Vacu_Certifica, Vacu_Ciclo, Vacu_Asistida, Vacu_Fiscalizada, "
            "Vacu_Compulsiva, Vacu_Responsable, Prop_Paterno, Prop_Nombres, Prop_Responsable, "
            "Comp_Nombre, Comp_Direccion, Registro_Por, Registro_Fecha, Registro_Sincronizado) "
            "VALUES ('25', 1001, 'P', 'SCZ', '01', '01', 'L', 'PROV', 10, 'BAGO', 'P-77', "
            "'ARGENTINA', '06/2027', '2026-01-01', '2026-01-01', 1, 0, 0, 0, 'R', 'A', 'B', 'C', "
            "'D', 'E', 'op', '2026-01-01', 0)"));
        base_->Sql(QStringLiteral(
            "INSERT INTO Guias (NroGuia, Especie, SolicitanteNombre, Ori_Rubro, "
            "Ori_Establecimiento, "
            "Ori_IdDistrital, Ori_IdProvincia, Ori_IdMunicipio, Des_Rubro, Des_Establecimiento, "
            "Des_IdDistrital, Des_IdProvincia, Des_IdMunicipio, Medio_Transporte, Medio_Conductor, "
            "Autoriza_Ruta, Autoriza_DadoEn, Autoriza_Fecha, Autoriza_Funcionario, NroTalonario) "
            "VALUES (12, 'BOV', 'J', 'Predio', 'E', 'SCZ', '01', '01', 'Predio', 'D', 'SCZ', '01', "
            "'01', 'Tren', 'C', 'R', 'D', '2026-12-25', 'operador', 555)"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        Ventanas::InstalaManejador({});
        delete datos_;
        delete base_;
    }

    void posiciones() {
        TfGuiaR a4;
        QCOMPARE(a4.Pagina().id(), QPageSize::A4);
        QCOMPARE(a4.Nombres().size(), 94);
        QCOMPARE(a4.Etiqueta(QStringLiteral("qrlGuiaNro")).mm, QRectF(44.5, 22.8, 22.2, 5.3));
        QCOMPARE(a4.Etiqueta(QStringLiteral("qrlComenta")).mm, QRectF(42.3, 277.0, 14.6, 4.0));
        QCOMPARE(a4.Etiqueta(QStringLiteral("qrlValido")).fuente.pointSizeF(), 36.0);
        TfGuiaR2 carta;
        QCOMPARE(carta.Pagina().id(), QPageSize::Letter);
        QCOMPARE(carta.Nombres().size(), 18);
        QCOMPARE(carta.Etiqueta(QStringLiteral("qrlAutorizacion")).mm,
                 QRectF(3.4, 180.7, 113.2, 18.0));
    }

    // The dialog: nothing chosen at first; each type enables its side; the two letterhead
    // models exclude each other; the printers end with the PDF file.
    void dialogo() {
        ImpresionAceptada = true;
        TfImprimir d;
        QVERIFY(!ImpresionAceptada);
        QVERIFY(!d.BitBtn1->isEnabled());
        QCOMPARE(d.cbPrinters->itemText(d.cbPrinters->count() - 1), QStringLiteral("Archivo PDF"));
        d.tipo->button(0)->click();
        QVERIFY(d.BitBtn1->isEnabled() && d.cbPrevia->isChecked() && d.cbPrevia->isEnabled());
        QVERIFY(!d.eFinal->isEnabled() && !d.eCopias->isEnabled() && d.lPrueba->isEnabled());
        d.eCopias->setValue(4);
        d.tipo->button(1)->click();
        QVERIFY(!d.cbPrevia->isChecked() && !d.cbPrevia->isEnabled());
        QVERIFY(d.eFinal->isEnabled() && d.eCopias->isEnabled() && !d.lPrueba->isEnabled());
        QCOMPARE(d.eCopias->value(), 1);
        QCOMPARE(d.eFinal->maxLength(), 10);
        d.cbUltimo->setChecked(true);
        d.cbUltimo2->setChecked(true);
        QVERIFY(!d.cbUltimo->isChecked());
        d.cbUltimo->setChecked(true);
        QVERIFY(!d.cbUltimo2->isChecked());
        d.eFinal->setText(QStringLiteral("9999999999")); // beyond 32 bits
        GrabadoraInstalada grabadora;
        d.BitBtn1->click();
        QVERIFY(!ImpresionAceptada);
        QCOMPARE(grabadora->Textos(), QStringList{QString::fromUtf8(
                                          "Debe escribir el número correlativo de certificado !")});
        d.eFinal->setText(QStringLiteral("123"));
        d.BitBtn1->click();
        QVERIFY(ImpresionAceptada && !VistaPrevia && !UltimoModelo2);
        QCOMPARE(NumeroFormulario, 123);
    }

    void tipoDeMovimiento_data() {
        QTest::addColumn<QString>("desDis");
        QTest::addColumn<QString>("desPro");
        QTest::addColumn<QString>("desMun");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QString>("texto");
        QTest::newRow("otro departamento") << "LPZ"
                                           << "01"
                                           << "01"
                                           << "InterDEPA"
                                           << "Interdepartamental";
        QTest::newRow("otra provincia") << "SCZ"
                                        << "02"
                                        << "01"
                                        << "InterPROV"
                                        << "Intermunicipal";
        QTest::newRow("otro municipio") << "SCZ"
                                        << "01"
                                        << "02"
                                        << "InterPROV"
                                        << "Intermunicipal";
        QTest::newRow("mismo municipio") << "SCZ"
                                         << "01"
                                         << "01"
                                         << "IntraMUNI"
                                         << "Intramunicipal";
    }
    void tipoDeMovimiento() {
        QFETCH(QString, desDis);
        QFETCH(QString, desPro);
        QFETCH(QString, desMun);
        QFETCH(QString, tipo);
        QFETCH(QString, texto);
        QVariantMap g = Guia(QStringLiteral("BOV"));
        g["Des_IdDistrital"] = desDis;
        g["Des_IdProvincia"] = desPro;
        g["Des_IdMunicipio"] = desMun;
        QCOMPARE(TipoMovimiento(De(g)), tipo);
        TfGuiaR a4;
        LlenaGuia(a4, false, De(g), {});
        QCOMPARE(T(a4, "qrlDepa") + T(a4, "qrlProv") + T(a4, "qrlMuni"), QStringLiteral("X"));
        QCOMPARE(T(a4, tipo == "InterDEPA"   ? "qrlDepa"
                       : tipo == "InterPROV" ? "qrlProv"
                                             : "qrlMuni"),
                 QStringLiteral("X"));
        TfGuiaR2 carta;
        LlenaGuia(carta, true, De(g), {});
        QCOMPARE(T(carta, "qrlTipoMovimiento"), texto);
    }

    // A bovine guide on the A4 layout, without an origin certificate.
    void bovinaA4() {
        TfGuiaR a4;
        const QVariantMap g = Guia(QStringLiteral("BOV"));
        LlenaGuia(a4, false, De(g), LeeVacunaOrigen(De(g)));
        QCOMPARE(T(a4, "qrlGuiaNro"), QString::fromUtf8("GUÍA NRO: SCZ-12"));
        QCOMPARE(T(a4, "qrlBOV"), QStringLiteral("X"));
        QCOMPARE(T(a4, "qrlBUB"), QString());
        QCOMPARE(T(a4, "qGrupo1M") + "|" + T(a4, "qGrupo2H") + "|" + T(a4, "qGrupoTM") + "|" +
                     T(a4, "qGrupoTH"),
                 QStringLiteral("3|2|4|6"));
        QCOMPARE(T(a4, "sGrupo0M"), QString()); // other families stay blank
        QCOMPARE(T(a4, "qrlLiteral"), QStringLiteral("DIEZ ANIMALES(S)"));
        QCOMPARE(T(a4, "qrlOriPredio") + T(a4, "qrlDesMatadero") + T(a4, "qrlDesPredio"),
                 QStringLiteral("XX"));
        QCOMPARE(T(a4, "qrlObjRecria") + T(a4, "qrlObjFaena") + T(a4, "qrlObjEngorde"),
                 QStringLiteral("XX"));
        QCOMPARE(T(a4, "qrlMedioCamion"), QStringLiteral("X"));
        QCOMPARE(T(a4, "qrlAutorizaFecha"), QStringLiteral("25/12/2026"));
        QCOMPARE(T(a4, "qrlAutorizaVence"), QStringLiteral("01/01/2027"));
        QCOMPARE(T(a4, "qrlVacunaFecha"), QStringLiteral("10/05/2026 - FIEBRE AFTOSA"));
        QCOMPARE(T(a4, "qrlVacunaCertificado"), QStringLiteral("55"));
        for (const char* n : {"qrlVacunaLaboratorio", "qrlVacunaPartida", "qrlVacunaProcedencia",
                              "qrlVacunaVencimiento"})
            QCOMPARE(T(a4, n), QStringLiteral("-----"));
        QCOMPARE(a4.Etiqueta(QStringLiteral("qrlValido")).color, QColor(Qt::white));
        QCOMPARE(T(a4, "qrlMedioPlaca"), QString::fromUtf8("SUJETO A INSPECCIÓN EN P.C."));
    }

    // With an origin certificate: its vaccine data and the reference.
    void conCertificadoDeOrigen() {
        QVariantMap g = Guia(QStringLiteral("BUB"));
        g["Ori_Certificado"] = 1001;
        g["Ori_Ciclo"] = "25";
        const VacunaOrigen vacuna = LeeVacunaOrigen(De(g));
        QVERIFY(vacuna.leida);
        TfGuiaR a4;
        LlenaGuia(a4, false, De(g), vacuna);
        QCOMPARE(T(a4, "qrlVacunaLaboratorio") + "|" + T(a4, "qrlVacunaPartida") + "|" +
                     T(a4, "qrlVacunaProcedencia") + "|" + T(a4, "qrlVacunaVencimiento"),
                 QStringLiteral("BAGO|P-77|ARGENTINA|06/2027"));
        QCOMPARE(T(a4, "qrlVacunaCertificado"), QStringLiteral("55[1001  del 25 avo ciclo]"));
        QCOMPARE(T(a4, "qrlBUB"), QStringLiteral("X"));
        TfGuiaR2 carta;
        LlenaGuia(carta, true, De(g), vacuna);
        QCOMPARE(T(carta, "qrlVacuna"),
                 QStringLiteral("Laboratorio: BAGO Partida: P-77\n"
                                "Procedencia: ARGENTINA\nVencimiento: 06/2027"));
        QVERIFY(T(carta, "qrlVacunaciones").contains(QStringLiteral("55[1001  del 25 avo ciclo]")));
    }

    void familiasEnCarta_data() {
        QTest::addColumn<QString>("especie");
        QTest::addColumn<QString>("linea");
        QTest::addColumn<QString>("machos");
        QTest::addColumn<QString>("hembras");
        QTest::newRow("bovinos") << "BOV"
                                 << "Especie: Bovinos"
                                 << "3 M < 12 meses\n1 M > 36 meses\nTotal Machos: 4"
                                 << "4 H < 12 meses\n2 H 13 - 24 meses\nTotal Hembras: 6";
        QTest::newRow("aves") << "PAT"
                              << "AVES: Pato"
                              << "4 Machos\n"
                              << "6 Hembras\n";
        QTest::newRow("otras") << "SUI"
                               << "OTRAS ESPECIES: Suinos"
                               << "3 M 7 - 12 meses\n1 M > 36 meses\nTotal Machos: 4\n"
                               << "4 H 7 - 12 meses\n2 H 13 - 24 meses\nTotal Hembras: 6\n";
    }
    void familiasEnCarta() {
        QFETCH(QString, especie);
        QFETCH(QString, linea);
        QFETCH(QString, machos);
        QFETCH(QString, hembras);
        TfGuiaR2 carta;
        LlenaGuia(carta, true, De(Guia(especie)), {});
        QCOMPARE(T(carta, "qrlEspecie"), linea);
        QCOMPARE(T(carta, "qrlGrupoM"), machos);
        QCOMPARE(T(carta, "qrlGrupoH"), hembras);
        QCOMPARE(T(carta, "qrlGrupoL"),
                 QStringLiteral("Total : 10 ANIMALES(S)\nTotal Literal: DIEZ ANIMALES(S)"));
        QCOMPARE(T(carta, "qrlObjetivoMov"), QString::fromUtf8("Recría\nFaena\nTránsito"));
        QVERIFY(
            T(carta, "qrlAutorizacion").contains(QString::fromUtf8("Válido hasta el: 01/01/2027")));
        TfGuiaR a4;
        LlenaGuia(a4, false, De(Guia(especie)), {});
        QCOMPARE(T(a4, QStringLiteral("qrl%1").arg(especie).toLatin1().constData()),
                 QStringLiteral("X"));
    }

    // Only group 0 counted: no group line, the male total and a total of 5.
    void soloGrupoCeroBovino() {
        QVariantMap g = Guia(QStringLiteral("BOV"));
        for (const char* c : {"Grupo_1M", "Grupo_1H", "Grupo_2H", "Grupo_4M"})
            g[c] = 0;
        g["Grupo_0M"] = 5;
        TfGuiaR2 carta;
        LlenaGuia(carta, true, De(g), {});
        QCOMPARE(T(carta, "qrlGrupoM"), QStringLiteral("Total Machos: 5"));
        QCOMPARE(T(carta, "qrlGrupoH"), QString());
        QVERIFY(T(carta, "qrlGrupoL").startsWith(QStringLiteral("Total : 5 ANIMALES(S)")));
    }

    // The command: nothing without group counts; cancel and preview log nothing; a print on
    // the numbered form logs one row and stores the number; a test print logs 0 and keeps it.
    void comandoDeImpresion() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        int dialogos = 0;
        QString accion;
        QSize vista;
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (qobject_cast<QPrintPreviewDialog*>(&d)) {
                vista = d.size();
                return int(QDialog::Rejected);
            }
            ++dialogos;
            auto& imp = dynamic_cast<TfImprimir&>(d);
            if (accion == QLatin1String("cancelar"))
                return int(QDialog::Rejected);
            imp.cbPrinters->setCurrentIndex(TfImprimir::IndiceArchivoPdf());
            const bool prueba = accion.startsWith(QLatin1String("prueba"));
            imp.tipo->button(prueba ? 0 : 1)->click();
            if (accion == QLatin1String("prueba sin vista"))
                imp.cbPrevia->setChecked(false);
            if (!prueba)
                imp.eFinal->setText(accion == QLatin1String("sin numero") ? QString()
                                                                          : QStringLiteral("4711"));
            imp.BitBtn1->click();
            return d.result();
        });
        QVariantMap g = Guia(QStringLiteral("BOV"));
        auto registros = [&] {
            return base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Impresiones")).toInt();
        };
        auto talonario = [&] {
            return base_->Valor(QStringLiteral("SELECT NroTalonario FROM Guias WHERE NroGuia = 12"))
                .toInt();
        };

        g["Grupo_TT"] = QVariant();
        ImprimeGuia(De(g));
        QCOMPARE(dialogos, 0);
        g["Grupo_TT"] = 10;

        accion = QStringLiteral("cancelar");
        ImprimeGuia(De(g));
        accion = QStringLiteral("prueba");
        ImprimeGuia(De(g)); // with preview
        QCOMPARE(dialogos, 2);
        QCOMPARE(registros(), 0);
        // The preview opens large enough to read a guide: most of the screen's height.
        const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(vista.height() >= pantalla.height() * 8 / 10 &&
                     vista.width() >= vista.height() / 2,
                 qPrintable(QStringLiteral("%1x%2").arg(vista.width()).arg(vista.height())));

        accion = QStringLiteral("sin numero");
        ImprimeGuia(De(g));
        QCOMPARE(grabadora->Textos().last(),
                 QString::fromUtf8("Debe escribir el número correlativo de certificado !"));
        QCOMPARE(registros(), 0);

        const QString pdf = carpeta.filePath(QStringLiteral("guia.pdf"));
        grabadora->archivos.enqueue(pdf);
        accion = QStringLiteral("final");
        ImprimeGuia(De(g));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(registros(), 1);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT TipoDocumento || '|' || Solicitud || '|' || "
                                            "NroFormulario || '|' || Empresa FROM Impresiones"))
                     .toString(),
                 QString::fromUtf8("CGMA|SCZ-12|4711|ESTANCIA LA CAÑADA"));
        QCOMPARE(talonario(), 4711);

        grabadora->archivos.enqueue(carpeta.filePath(QStringLiteral("prueba.pdf")));
        accion = QStringLiteral("prueba sin vista");
        ImprimeGuia(De(g));
        QCOMPARE(registros(), 2);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT MIN(NroFormulario) FROM Impresiones")).toInt(),
                 0);
        QCOMPARE(talonario(), 4711);

        // The PDF carries the guide's texts at their places.
        QProcess texto;
        texto.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        if (texto.waitForStarted() && texto.waitForFinished()) {
            const QString contenido = QString::fromUtf8(texto.readAllStandardOutput());
            QVERIFY2(contenido.contains(QString::fromUtf8("GUÍA NRO: SCZ-12")),
                     qPrintable(contenido));
            QVERIFY(contenido.contains(QStringLiteral("DIEZ ANIMALES(S)")));
        }
    }

    // The preview's print command prints where the program's print dialog says ("Archivo PDF"
    // here, a workstation without printers) and logs the print; a file that cannot be written
    // is said in Spanish and the preview stays open for another try.
    void imprimirDesdeLaVista() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("vista.pdf"));
        grabadora->archivos.enqueue(carpeta.filePath(QStringLiteral("no/existe/vista.pdf")));
        grabadora->archivos.enqueue(pdf);
        int intentos = 0;
        bool cerrada = false;
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (auto* vista = qobject_cast<QPrintPreviewDialog*>(&d)) {
                auto* imprimir = vista->findChild<QAction*>(QStringLiteral("imprimir"));
                if (!imprimir)
                    return int(QDialog::Rejected);
                for (; intentos < 2 && d.result() != QDialog::Accepted; ++intentos)
                    imprimir->trigger();
                cerrada = d.result() == QDialog::Accepted;
                return d.result();
            }
            auto& imp = dynamic_cast<TfImprimir&>(d);
            imp.cbPrinters->setCurrentIndex(TfImprimir::IndiceArchivoPdf());
            imp.tipo->button(0)->click(); // a test print, with its preview
            imp.BitBtn1->click();
            return d.result();
        });
        ImprimeGuia(De(Guia(QStringLiteral("BOV"))));
        QCOMPARE(intentos, 2);
        QVERIFY(cerrada);
        QVERIFY2(grabadora->Textos().value(0).contains(QString::fromUtf8("No se pudo escribir")),
                 qPrintable(grabadora->Textos().join(QLatin1Char('|'))));
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Impresiones")).toInt(), 1);
    }

    void referenciaDelRegistro_data() {
        QTest::addColumn<QString>("distrital");
        QTest::addColumn<qint64>("nro");
        QTest::addColumn<QString>("referencia");
        QTest::newRow("corta") << "SCZ" << qint64(1234) << "SCZ-1234";
        QTest::newRow("justa") << "SCZ" << qint64(123456) << "SCZ-123456";
        QTest::newRow("sin guion") << "SCZ" << qint64(1234567) << "SCZ1234567";
        QTest::newRow("solo numero") << "SCZ" << qint64(12345678) << "12345678";
        QTest::newRow("diez cifras") << "BEN" << qint64(2147483647) << "2147483647";
    }
    void referenciaDelRegistro() {
        QFETCH(QString, distrital);
        QFETCH(qint64, nro);
        QFETCH(QString, referencia);
        QCOMPARE(ReferenciaImpresion(distrital, nro), referencia);
    }

    // A print on a numbered form never loses its number: 0 typed is stored; a long guide number
    // is logged; a guide gone from the database is refused before the page goes out; a PDF that
    // cannot be written records nothing; a log that cannot be written still keeps the number
    // and says so.
    void numeroDelFormulario() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        QString numero;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& imp = dynamic_cast<TfImprimir&>(d);
            imp.cbPrinters->setCurrentIndex(TfImprimir::IndiceArchivoPdf());
            imp.tipo->button(1)->click();
            imp.eFinal->setText(numero);
            imp.BitBtn1->click();
            return d.result();
        });
        auto talonario = [&](int nro) {
            return base_
                ->Valor(
                    QStringLiteral("SELECT NroTalonario FROM Guias WHERE NroGuia = %1").arg(nro))
                .toInt();
        };
        auto registros = [&] {
            return base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Impresiones")).toInt();
        };
        auto imprime = [&](const QVariantMap& g, const QString& pdf) -> QString {
            grabadora->archivos.clear();
            grabadora->archivos.enqueue(pdf);
            try {
                ImprimeGuia(De(g));
            } catch (const ErrorTarvelion& e) {
                return e.Texto();
            }
            return {};
        };
        QVariantMap g = Guia(QStringLiteral("BOV"));

        numero = QStringLiteral("0");
        QCOMPARE(imprime(g, carpeta.filePath(QStringLiteral("cero.pdf"))), QString());
        QCOMPARE(talonario(12), 0);
        QCOMPARE(registros(), 1);

        base_->Sql(QStringLiteral("UPDATE Guias SET NroGuia = 1234567 WHERE NroGuia = 12"));
        g["NroGuia"] = 1234567;
        numero = QStringLiteral("88");
        QCOMPARE(imprime(g, carpeta.filePath(QStringLiteral("larga.pdf"))), QString());
        QCOMPARE(talonario(1234567), 88);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT Solicitud FROM Impresiones "
                                            "WHERE NroFormulario = 88"))
                     .toString(),
                 QStringLiteral("SCZ1234567"));

        g["NroGuia"] = 99;
        const QString ausente = carpeta.filePath(QStringLiteral("ausente.pdf"));
        QVERIFY(imprime(g, ausente).contains(QStringLiteral("SCZ-99 ya no existe")));
        QVERIFY(!QFile::exists(ausente));
        g["NroGuia"] = 1234567;

        numero = QStringLiteral("90");
        const QString error = imprime(g, carpeta.filePath(QStringLiteral("no/existe/x.pdf")));
        QVERIFY2(error.contains(QStringLiteral("No se pudo escribir")), qPrintable(error));
        QCOMPARE(talonario(1234567), 88);
        QCOMPARE(registros(), 2);

        base_->Sql(QStringLiteral("CREATE TRIGGER sin_registro BEFORE INSERT ON Impresiones "
                                  "BEGIN SELECT RAISE(ABORT, 'registro lleno'); END"));
        numero = QStringLiteral("91");
        const QString pdf = carpeta.filePath(QStringLiteral("sin_registro.pdf"));
        const QString aviso = imprime(g, pdf);
        QVERIFY(QFileInfo(pdf).size() > 1000);
        QVERIFY2(aviso.contains(QString::fromUtf8("formulario Nº 91")), qPrintable(aviso));
        QVERIFY2(aviso.contains(QStringLiteral("registro lleno")), qPrintable(aviso));
        QCOMPARE(talonario(1234567), 91);
    }
};

TARVELION_PRUEBA_MAIN(TstImpresionGuia)
#include "tst_impresion_guia.moc"
