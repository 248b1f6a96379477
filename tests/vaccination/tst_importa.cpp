// The workbook import: rows from 7 until the first empty column A, each inserted on its own,
// refused rows listed with the database's text while the import goes on, the veterinarian
// from the list or from column AI, and the dry run that lists the same refusals and writes
// nothing.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/TdmDatos.h"
#include "vaccination/TfImpor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

class TstImporta : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    QString Tabla() {
        QStringList filas;
        for (int n : {4711, 4712, 4713, 9999})
            filas << base_
                         ->Valor(QStringLiteral("SELECT CertificadoNro || '|' || NombreCabana || "
                                                "'|' || IdVacunador || '|' || IFNULL(Terneros, "
                                                "'-') || '|' || ModificadoPor || '|' || "
                                                "IdPropietario FROM Vacunaciones WHERE "
                                                "CertificadoNro = ?"),
                                 {n})
                         .toString();
        return filas.join(QLatin1Char(';'));
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Ciclos_Escribe")});
        base_->Sql(QStringLiteral("INSERT INTO Veterinarios VALUES ('222', 'VACA', NULL, 'LUIS', "
                                  "'M', 'SCZ'), ('111', 'ARZE', NULL, 'EVA', 'F', 'SCZ')"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    void checks() {
        GrabadoraInstalada grabadora;
        TfImpor f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Importar datos"));
        QCOMPARE(f.cbVeter->currentData().toString(), QStringLiteral("111")); // ordered by name
        f.BitBtn1->click();
        f.eArchivo->setText(QStringLiteral("x.xlsx"));
        f.BitBtn1->click();
        QCOMPARE(grabadora->Textos(),
                 (QStringList{QStringLiteral("Debe especificar un archivo de origen !"),
                              QString::fromUtf8("Debe especificar ciclo de vacunación y "
                                                "distrital !")}));
        f.cVeter->setChecked(true);
        QVERIFY(!f.cbVeter->isEnabled());
    }

    // The dry run lists what the real run then refuses, and leaves the table as it was.
    void verificarEImportar() {
        GrabadoraInstalada grabadora;
        TfImpor f;
        f.eArchivo->setText(QFINDTESTDATA("libros/importa.xlsx"));
        f.cbCiclo->setCurrentText(QStringLiteral("20"));
        f.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
        f.cbVeter->setCurrentIndex(f.cbVeter->findData(QStringLiteral("222")));
        f.cSoloVerificar->setChecked(true);
        f.BitBtn1->click();
        const QString verificado = f.Memo1->toPlainText();
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones")).toInt(), 0);
        const QStringList lineas = verificado.split(QLatin1Char('\n'));
        QVERIFY2(lineas.size() == 2, qPrintable(verificado));
        QVERIFY2(lineas[0].startsWith(QStringLiteral("4713 - ")), qPrintable(lineas[0]));
        QVERIFY2(lineas[1].startsWith(QStringLiteral("4711 - ")) &&
                     lineas[1].contains(QStringLiteral("clave duplicada")),
                 qPrintable(lineas[1]));
        QCOMPARE(grabadora->Textos().last(), QStringLiteral("Listo, ya acabé con esta madre"));
        QCOMPARE(f.windowTitle(), QStringLiteral("Importar datos [11]"));

        f.Memo1->clear();
        f.cSoloVerificar->setChecked(false);
        f.BitBtn1->click();
        QCOMPARE(f.Memo1->toPlainText(), verificado);
        QCOMPARE(Tabla(), QString::fromUtf8("4711|LA CAÑADA|222|1|-|-;4712|O'BRIEN'; DROP TABLE "
                                            "Vacunaciones; --|222|1|-|-;;"));
        // The same file again: every row refused as a duplicate, nothing added.
        f.Memo1->clear();
        f.BitBtn1->click();
        QCOMPARE(f.Memo1->toPlainText().split(QLatin1Char('\n')).size(), 4);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Vacunaciones")).toInt(), 2);
    }
};

TARVELION_PRUEBA_MAIN(TstImporta)
#include "tst_importa.moc"
