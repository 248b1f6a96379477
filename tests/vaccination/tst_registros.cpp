// The registries of veterinarians and vaccine suppliers: the list and its count, the record
// that changes only through the navigator, the tab switch, posts and deletes that the list
// follows, the drawn supplier key and its retry, and the database's refusals.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Grilla.h"
#include "common/NavegadorRegistro.h"
#include "vaccination/TfProvee.h"
#include "vaccination/TfVeterinarios.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>

class TstRegistros : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    int Cuenta(const char* sql) { return base_->Valor(QLatin1String(sql)).toInt(); }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Ciclos_Escribe")});
        base_->Sql(QString::fromUtf8(
            "INSERT INTO Veterinarios VALUES ('111', 'ROCA', NULL, 'ANA', 'F', 'BEN'), "
            "('222', 'PEÑA', 'VACA', 'LUIS', 'M', 'SCZ'), ('333', 'ARZE', 'LIMA', 'JOSE', 'M', "
            "'SCZ')"));
        base_->Sql(QStringLiteral("INSERT INTO Veterinarias VALUES ('AAA', 'AGROVET', 'CALLE 1', "
                                  "'333', 'SCZ'), ('K9Z', 'BIOVET', NULL, NULL, 'BEN')"));
        // Certificate 1 names veterinarian 222 and supplier AAA.
        base_->Sql(QStringLiteral(
            "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
            "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, CantidadDosis, Laboratorio, "
            "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
            "Nombres) VALUES ('20', 1, 'P', 'SCZ', '01', '01', 'AAA', '222', 1, 'L', 'P', 'X', "
            "'E', '2020-01-01', '2020-01-01', 'A', 'B')"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    // The list: district first, a NULL maternal surname as two blanks, the count line; the
    // record: read-only until edit, landing on the list's row on the tab switch.
    void listaYRegistro() {
        GrabadoraInstalada grabadora;
        TfVeterinarios v;
        QCOMPARE(v.windowTitle(), QStringLiteral("Veterinarios"));
        QCOMPARE(v.PageControl1->currentIndex(), 0);
        QCOMPARE(v.lTotal->text(), QStringLiteral("3 registros"));
        const ModeloGrilla& m = v.dbLista->Modelo();
        QCOMPARE(m.Valor(0, QStringLiteral("Nombre")).toString(), QStringLiteral("ROCA  ANA"));
        QCOMPARE(m.Valor(1, QStringLiteral("Nombre")).toString(), QStringLiteral("ARZE LIMA JOSE"));
        QVERIFY(v.DBEdit2->isReadOnly());
        QVERIFY(!v.DBComboBox1->isEnabled());
        v.dbLista->Localiza({QStringLiteral("IdCarnet")}, {QStringLiteral("222")});
        v.PageControl1->setCurrentIndex(1);
        QCOMPARE(v.DBEdit1->text(), QStringLiteral("222"));
        QCOMPARE(v.DBEdit2->text(), QString::fromUtf8("PEÑA"));
        QCOMPARE(v.DBComboBox3->currentText(), QStringLiteral("SCZ"));

        // Edit, post: the row and the list follow.
        v.DBNavigator1->sbEditar->click();
        QVERIFY(!v.DBEdit2->isReadOnly());
        v.DBEdit2->setText(QStringLiteral("PEREIRA"));
        v.DBNavigator1->sbGrabar->click();
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT Paterno FROM Veterinarios WHERE IdCarnet = "
                                            "'222'"))
                     .toString(),
                 QStringLiteral("PEREIRA"));
        QVERIFY(v.DBEdit2->isReadOnly());
        QCOMPARE(v.dbLista->Modelo().Valor(2, QStringLiteral("Nombre")).toString(),
                 QStringLiteral("PEREIRA VACA LUIS"));

        // Insert with the district typed: the list and its count grow at once.
        v.DBNavigator1->sbInsertar->click();
        v.DBEdit1->setText(QStringLiteral("444"));
        v.DBEdit2->setText(QStringLiteral("ZAPATA"));
        v.DBEdit4->setText(QStringLiteral("EVA"));
        v.DBComboBox1->setEditText(QStringLiteral("F"));
        v.DBComboBox3->setEditText(QStringLiteral("PDO"));
        v.DBNavigator1->sbGrabar->click();
        QCOMPARE(v.lTotal->text(), QStringLiteral("4 registros"));
        QCOMPARE(Cuenta("SELECT COUNT(*) FROM Veterinarios WHERE IdCarnet = '444' AND "
                        "Materno IS NULL AND IdDistrital = 'PDO'"),
                 1);

        // Deleting the only row of a district: the list shrinks at once.
        v.PageControl1->setCurrentIndex(0);
        v.dbLista->Localiza({QStringLiteral("IdCarnet")}, {QStringLiteral("444")});
        v.PageControl1->setCurrentIndex(1);
        v.DBNavigator1->sbEliminar->click();
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY(grabadora->cajas[0].pregunta);
        QCOMPARE(v.lTotal->text(), QStringLiteral("3 registros"));
    }

    // Refusals reach the user with the database's text and the row stays in editing: a
    // veterinarian named by a certificate, a missing surname, a duplicate card.
    void rechazos() {
        GrabadoraInstalada grabadora;
        TfVeterinarios v;
        v.PageControl1->setCurrentIndex(1);
        QVERIFY(v.Registro().Localiza(QStringLiteral("222")));
        v.DBNavigator1->sbEliminar->click();
        QCOMPARE(grabadora->cajas.size(), 2);
        QVERIFY2(grabadora->cajas[1].texto.contains(QStringLiteral("certificados")),
                 qPrintable(grabadora->cajas[1].texto));
        QCOMPARE(Cuenta("SELECT COUNT(*) FROM Veterinarios"), 3);

        grabadora->Limpia();
        v.DBNavigator1->sbInsertar->click();
        v.DBEdit1->setText(QStringLiteral("555"));
        v.DBEdit4->setText(QStringLiteral("EVA"));
        v.DBNavigator1->sbGrabar->click();
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY2(grabadora->cajas[0].texto.contains(QStringLiteral("'Paterno'")),
                 qPrintable(grabadora->cajas[0].texto));
        QCOMPARE(v.Registro().EstadoActual(), EditorRegistro::Estado::Insertando);
        QCOMPARE(v.DBEdit1->text(), QStringLiteral("555")); // nothing typed is lost
        v.DBEdit1->setText(QStringLiteral("111"));
        v.DBEdit2->setText(QStringLiteral("OTRO"));
        v.DBComboBox1->setEditText(QStringLiteral("M"));
        v.DBComboBox3->setEditText(QStringLiteral("SCZ"));
        grabadora->Limpia();
        v.DBNavigator1->sbGrabar->click();
        QVERIFY2(grabadora->cajas.value(0).texto.contains(QStringLiteral("clave duplicada")),
                 qPrintable(grabadora->Textos().join('|')));
        v.DBNavigator1->sbCancelar->click();
        QCOMPARE(v.Registro().EstadoActual(), EditorRegistro::Estado::Navegando);
        QCOMPARE(Cuenta("SELECT COUNT(*) FROM Veterinarios"), 3);

        // A supplier named by a certificate is kept too.
        TfProvee p;
        p.PageControl1->setCurrentIndex(1);
        QVERIFY(p.Registro().Localiza(QStringLiteral("AAA")));
        grabadora->Limpia();
        p.DBNavigator1->sbEliminar->click();
        QVERIFY(grabadora->cajas.value(1).texto.contains(QStringLiteral("proveedora")));
        QCOMPARE(Cuenta("SELECT COUNT(*) FROM Veterinarias"), 2);
    }

    // A new supplier gets a drawn code of three symbols of 0-9 and A-Z; a drawn code that is
    // taken is drawn again.
    void claveDeProveedor() {
        GrabadoraInstalada grabadora;
        TfProvee p;
        QCOMPARE(p.windowTitle(), QStringLiteral("Proveedores de vacunas"));
        QCOMPARE(p.PageControl1->tabText(0), QStringLiteral("Listado"));
        QCOMPARE(p.lTotal->text(), QStringLiteral("2 registros"));
        QVERIFY(!p.DBComboBox1->isEditable());
        p.PageControl1->setCurrentIndex(1);
        p.DBNavigator1->sbInsertar->click();
        p.DBEdit1->setText(QStringLiteral("VETSUR"));
        p.DBComboBox1->setCurrentText(QStringLiteral("TJA"));
        p.DBNavigator1->sbGrabar->click();
        const QString clave = base_
                                  ->Valor(QStringLiteral("SELECT IdVeterinaria FROM "
                                                         "Veterinarias WHERE NombreVeterinaria "
                                                         "= 'VETSUR'"))
                                  .toString();
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9A-Z]{3}$")).match(clave).hasMatch(),
                 qPrintable(clave));
        QCOMPARE(p.lTotal->text(), QStringLiteral("3 registros"));

        QStringList sorteo{QStringLiteral("AAA"), QStringLiteral("K9Z"), QStringLiteral("Q7Q")};
        p.generaClave = [&] { return sorteo.takeFirst(); };
        p.DBNavigator1->sbInsertar->click();
        p.DBEdit1->setText(QStringLiteral("NUEVA"));
        p.DBComboBox1->setCurrentText(QStringLiteral("LPZ"));
        p.DBNavigator1->sbGrabar->click();
        QVERIFY(sorteo.isEmpty());
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT NombreVeterinaria FROM Veterinarias WHERE "
                                            "IdVeterinaria = 'Q7Q'"))
                     .toString(),
                 QStringLiteral("NUEVA"));
        QCOMPARE(p.Registro().ClaveActual(), QStringLiteral("Q7Q"));
    }
};

TARVELION_PRUEBA_MAIN(TstRegistros)
#include "tst_registros.moc"
