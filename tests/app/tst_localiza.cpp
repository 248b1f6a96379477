// The certificate lookup against the demo database: found in cycle 20 and 21, missing with OK
// and Cancel, cycles that do nothing, a number beyond 32 bits, the close box, a lost connection.
#include "BaseDemo.h"
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "apoyo/ServidorTds.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "app/TfLocaliza.h"
#include "app/TfPrinc.h"
#include "db/Consulta.h"
#include "vaccination/TfVacunaA_New.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

class TstLocaliza : public QObject {
    Q_OBJECT
    QTemporaryDir carpeta_;
    std::unique_ptr<ServidorTds> tds_; // the ODBC run reaches the demo file through it
    TdmDatos* datos_ = nullptr;
    TfPrinc* principal_ = nullptr;
    inline static QString formaAbierta_;

    // Drives the lookup dialog as a person would: cycle, number, then a button.
    void Busca(const QString& ciclo, const QString& numero, const char* boton = "BitBtn1") {
        Ventanas::InstalaManejador([=](QDialog& d) {
            // The entry form opened for a missing certificate: note its presets and close it.
            if (auto* forma = qobject_cast<TfVacunaA_New*>(&d)) {
                formaAbierta_ =
                    forma->cbCiclo->currentText() + QLatin1Char('|') + forma->eNro->text();
                return int(QDialog::Rejected);
            }
            auto& l = dynamic_cast<TfLocaliza&>(d);
            d.show();
            if (!ciclo.isNull())
                l.cCiclo->setCurrentIndex(l.cCiclo->findText(ciclo));
            QTest::keyClicks(l.eCertif, numero);
            QPushButton* b = d.findChild<QPushButton*>(QString::fromLatin1(boton));
            if (b->isEnabled())
                QTest::mouseClick(b, Qt::LeftButton);
            if (d.isVisible()) // still open (nothing pressed, or the number did not convert)
                l.BitBtn2->click();
            return d.result();
        });
        QTest::mouseClick(principal_->sbBuscando, Qt::LeftButton);
        Ventanas::InstalaManejador({});
    }

private Q_SLOTS:
    void initTestCase() {
        const QString ruta = QDir(carpeta_.path()).filePath(QStringLiteral("Moravel.db"));
        OpcionesDemo o;
        o.guias = 50;
        o.certificados = 60;
        CreaBaseDemo(ruta, o);
        CarpetaSistema = carpeta_.path();
        ArchivoIni = QDir(carpeta_.path()).filePath(QStringLiteral("Tarvelion.ini"));
        QFile ini(ArchivoIni);
        ini.open(QIODevice::WriteOnly);
        ini.write("[CONECTIVIDAD]\r\nUsuario=operador\r\nPassword=operador2026\r\nDialogo=0\r\n");
        if (BaseDePrueba::PorOdbc()) {
            tds_ = std::make_unique<ServidorTds>(carpeta_.path());
            ini.write(QStringLiteral("Servidor=%1\r\n")
                          .arg(EncryptIP(QStringLiteral("127.0.0.1,%1").arg(tds_->Puerto())))
                          .toLatin1());
        }
        ini.close();
        CicloActual = QStringLiteral("25");
        datos_ = new TdmDatos;
        datos_->DataModuleCreate();
        principal_ = new TfPrinc;
        principal_->show();
    }
    void cleanupTestCase() {
        delete principal_;
        delete datos_;
    }

    void dialogo() {
        TfLocaliza l;
        l.show();
        QCOMPARE(l.windowTitle(), QString::fromUtf8("Localizar certificado de vacunación"));
        // The caption fits the fixed width, and there is no maximise box.
        QVERIFY(l.width() > l.fontMetrics().horizontalAdvance(l.windowTitle()) + 60);
        QVERIFY(!(l.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(l.cCiclo->count(), 13);
        QCOMPARE(l.cCiclo->itemText(0), QStringLiteral("24"));
        QCOMPARE(l.cCiclo->currentIndex(), -1); // "25" is not listed
        QVERIFY(!l.BitBtn1->isEnabled());
        QTRY_VERIFY(l.eCertif->hasFocus());
        QTest::keyClicks(l.eCertif, QStringLiteral("1a2-3"));
        QCOMPARE(l.eCertif->text(), QStringLiteral("123"));
        QVERIFY(l.BitBtn1->isEnabled());
        QTest::keyClick(l.eCertif, Qt::Key_Backspace);
        QTest::keyClick(l.eCertif, Qt::Key_Backspace);
        QTest::keyClick(l.eCertif, Qt::Key_Backspace);
        QVERIFY(!l.BitBtn1->isEnabled());
        CicloLocalizado = QStringLiteral("21");
        l.close(); // the close box acts as "Cancelar"
        QCOMPARE(CicloLocalizado, QStringLiteral("0"));
        CicloActual = QStringLiteral("22");
        TfLocaliza otro;
        QCOMPARE(otro.cCiclo->currentText(), QStringLiteral("22"));
        CicloActual = QStringLiteral("25");
    }

    void encontradoEnCiclo20() {
        GrabadoraInstalada grabadora;
        Consulta q(
            {QStringLiteral("SELECT V.NombreCabana, V.IdDistrital, P.NombreProvincia, "
                            "V.Paterno, V.Materno, V.Nombres, ModificadoPor, "
                            "(V.Terneros + V.Vaquillas + V.Torillos + V.Novillos + V.Vacas "
                            "+ V.Toros + V.Bueyes + V.Bufalos) AS Total "
                            "FROM Vacunaciones V JOIN Provincias P ON "
                            "(P.IdProvincia = V.IdProvincia AND P.IdDistrital = V.IdDistrital) "
                            "WHERE CertificadoNro = 1005 AND IdCiclo = '20'")});
        q.Abre();
        auto t = [&](const char* c) { return q.TextoCampo(QString::fromLatin1(c)); };
        Busca(QStringLiteral("20"), QStringLiteral("1005"));
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QString::fromUtf8("Información"));
        QCOMPARE(grabadora->cajas[0].texto,
                 QStringLiteral("Certificado Nro: 1005\nPredio: ") + t("NombreCabana") +
                     QStringLiteral("\nDe: ") + t("Paterno") + QLatin1Char(' ') + t("Materno") +
                     QLatin1Char(' ') + t("Nombres") + QStringLiteral("\nEn: ") + t("IdDistrital") +
                     QStringLiteral(" - ") + t("NombreProvincia") +
                     QStringLiteral("\nReses vacunadas: ") + t("Total") +
                     QStringLiteral("\n\nRegistro modificado por: operador"));
    }

    void encontradoEnCiclo21() {
        GrabadoraInstalada grabadora;
        Busca(QStringLiteral("21"), QStringLiteral("1003"));
        QCOMPARE(grabadora->cajas.size(), 1);
        const QStringList lineas = grabadora->cajas[0].texto.split(QLatin1Char('\n'));
        QCOMPARE(lineas.size(), 5);
        QCOMPARE(lineas[0], QStringLiteral("Certificado Nro: 1003"));
        QVERIFY(lineas[1].startsWith(QStringLiteral("Predio: ")));
        QVERIFY(lineas[3].startsWith(QStringLiteral("En: ")));
        QCOMPARE(lineas[4], QStringLiteral("Registrado por: operador"));
    }

    void inexistente_data() {
        QTest::addColumn<bool>("acepta");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void inexistente() {
        QFETCH(bool, acepta);
        GrabadoraInstalada grabadora;
        grabadora->respuestas.enqueue(acepta);
        formaAbierta_.clear();
        Busca(QStringLiteral("21"), QStringLiteral("987654"));
        QCOMPARE(formaAbierta_, acepta ? QStringLiteral("21|987654") : QString());
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY(grabadora->cajas[0].pregunta);
        QCOMPARE(grabadora->cajas[0].titulo, QString::fromUtf8("Resultado de la búsqueda"));
        QCOMPARE(grabadora->cajas[0].icono, Mensajes::Icono::Alto);
        QCOMPARE(grabadora->cajas[0].texto,
                 QString::fromUtf8("Certificado inexistente !\nDesea agregar un nuevo "
                                   "certificado con ese número ?"));
        QCOMPARE(CertificadoLocalizado, 987654);
        QCOMPARE(CicloLocalizado, QStringLiteral("21"));
    }

    // Cycles 12 to 19 and 22 to 24, no cycle at all, and "Cancelar": nothing happens.
    void ciclosQueNoHacenNada() {
        GrabadoraInstalada grabadora;
        for (const char* c : {"22", "23", "24", "19", "12"})
            Busca(QString::fromLatin1(c), QStringLiteral("1001"));
        Busca(QString(), QStringLiteral("1001"));
        QCOMPARE(CicloLocalizado, QString());
        Busca(QStringLiteral("21"), QStringLiteral("1001"), "BitBtn2");
        QCOMPARE(CicloLocalizado, QStringLiteral("0"));
        QVERIFY(grabadora->cajas.isEmpty());
    }

    // Beyond 32 bits: the conversion error and nothing else.
    void numeroFueraDeRango() {
        GrabadoraInstalada grabadora;
        CicloLocalizado = QStringLiteral("0");
        Busca(QStringLiteral("21"), QStringLiteral("99999999999"));
        QCOMPARE(grabadora->Textos(),
                 QStringList{QStringLiteral("'99999999999' no es un valor entero válido")});
        QCOMPARE(CicloLocalizado, QStringLiteral("0"));
    }

    // A lost connection: the error's own text, nothing else changes.
    void conexionPerdida() {
        GrabadoraInstalada grabadora;
        datos_->MORAVEL().Cierra();
        Password = QStringLiteral("otra");
        Busca(QStringLiteral("21"), QStringLiteral("1003"));
        QCOMPARE(grabadora->Textos(), QStringList{QString::fromUtf8(
                                          "Error de inicio de sesión del usuario 'operador'.")});
        Password = QStringLiteral("operador2026");
    }
};

TARVELION_PRUEBA_MAIN(TstLocaliza)
#include "tst_localiza.moc"
