// Certificates of cycle 21 on: the console (filters, count line, totals, export, delete) and the
// entry form (checks in order, insert, duplicate key, edit of the key), against a small fixture.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "common/PanelTotales.h"
#include "vaccination/TfVacunaA_New.h"
#include "vaccination/TfVacunaC_New.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

const char* const kColumnas =
    "IdCiclo, CertificadoNro, Predio_Cabana, Predio_Codigo, Predio_Latitud, Predio_IdDistrital, "
    "Predio_IdProvincia, Predio_IdMunicipio, Predio_Juridiccion, Dosis_Proveedor, "
    "Dosis_Cantidad, Dosis_Laboratorio, Dosis_Serie, Dosis_Partida, Dosis_Procedencia, "
    "Dosis_Expiracion, Dosis_FechaCompra, Vacu_Fecha, Vacu_Certifica, Vacu_Ciclo, "
    "Vacu_Asistida, Vacu_Fiscalizada, Vacu_Compulsiva, Vacu_Responsable, BOV_Grupo_1M, "
    "BOV_Grupo_1H, BOV_Grupo_2M, BOV_Grupo_2H, BOV_Grupo_3M, BOV_Grupo_3H, BOV_Grupo_4M, "
    "BOV_Grupo_4H, BUB_Grupo_1M, Prop_Carnet, Prop_Paterno, Prop_Materno, Prop_Nombres, "
    "Prop_Responsable, Comp_Nombre, Comp_Direccion, Registro_Por, Registro_Fecha, "
    "Nro_Acta_Vacunacion, Registro_Sincronizado";

// A certificate row of the fixture; counts < 0 are NULL.
void Certificado(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                 const QString& dis, const QString& pro, const QString& mun, const QList<int>& bov,
                 int bub1m, const QVariant& materno) {
    QVariantList v{ciclo,
                   nro,
                   predio,
                   QStringLiteral("UP-1"),
                   QStringLiteral("-17.78"),
                   dis,
                   pro,
                   mun,
                   QStringLiteral("COTOCA"),
                   QStringLiteral("AGROVET"),
                   20,
                   QStringLiteral("LAB"),
                   QStringLiteral("S1"),
                   QStringLiteral("P1"),
                   QStringLiteral("ARG"),
                   QStringLiteral("12/2027"),
                   QStringLiteral("2026-04-01 00:00:00.000"),
                   QStringLiteral("2026-05-10 00:00:00.000"),
                   QStringLiteral("2026-05-12 00:00:00.000"),
                   1,
                   0,
                   0,
                   1,
                   QString::fromUtf8("DR. PEÑA")};
    for (int c : bov)
        v << (c < 0 ? QVariant() : QVariant(c));
    v << (bub1m < 0 ? QVariant() : QVariant(bub1m)) << QStringLiteral("123")
      << QStringLiteral("ROCA") << materno << QStringLiteral("ANA") << QStringLiteral("ANA ROCA")
      << QStringLiteral("JUAN") << QStringLiteral("CALLE 1") << QStringLiteral("operador")
      << QStringLiteral("2026-05-13 00:00:00.000") << QVariant() << 0;
    QString marcas = QStringLiteral("?");
    for (int i = 1; i < v.size(); ++i)
        marcas += QStringLiteral(", ?");
    b.Sql(
        QStringLiteral("INSERT INTO Ciclos (%1) VALUES (%2)").arg(QLatin1String(kColumnas), marcas),
        v);
}

QStringList Columna(const Grilla& g, int columna) {
    QStringList r;
    for (int i = 0; i < g.Modelo().Filas(); ++i)
        r << g.Modelo().Texto(i, columna);
    return r;
}

// Fills every field of the form with values that pass all checks.
void LlenaValido(TfVacunaA_New& f) {
    f.ePredio->setText(QStringLiteral("LA ESPERANZA"));
    f.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
    f.eLocalidad->setText(QStringLiteral("COTOCA"));
    f.ceDosis->setValue(30);
    f.eLaboratorio->setText(QStringLiteral("LAB"));
    f.eProcedencia->setText(QStringLiteral("ARG"));
    f.eExpiracion->setText(QStringLiteral("12/2027"));
    f.eProveedor->setText(QStringLiteral("AGROVET"));
    f.eComprador->setText(QStringLiteral("JUAN"));
    f.eDireccion->setText(QStringLiteral("CALLE 1"));
    f.deCompra->setDate(QDate(2026, 4, 1));
    f.SeleccionaCiclo(QStringLiteral("25"));
    f.eNro->setText(QStringLiteral("1234"));
    f.eVacunador->setText(QStringLiteral("DR. PEREZ"));
    f.deFechaVacuna->setDate(QDate(2026, 5, 1));
    f.deFechaCertifica->setDate(QDate(2026, 5, 2));
    f.eBOV[0]->setText(QStringLiteral("7"));
    f.eBOV[1]->setText(QStringLiteral("0"));
    f.ePaterno->setText(QStringLiteral("SUAREZ"));
    f.eNombres->setText(QStringLiteral("LUIS"));
    f.eResponsable->setText(QStringLiteral("LUIS SUAREZ"));
}

} // namespace

class TstVacunas : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    TfVacunaC_New* Consola() {
        fVacunaC_New = new TfVacunaC_New;
        fVacunaC_New->setAttribute(Qt::WA_DeleteOnClose);
        fVacunaC_New->show();
        return fVacunaC_New;
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Ciclos_Escribe")});
        Certificado(*base_, QStringLiteral("25"), 1001, QString::fromUtf8("LA CAÑADA"),
                    QStringLiteral("SCZ"), QStringLiteral("01"), QStringLiteral("01"),
                    {5, -1, 3, 2, -1, -1, 1, 0}, -1, QVariant());
        Certificado(*base_, QStringLiteral("25"), 1002, QStringLiteral("EL TAJIBO"),
                    QStringLiteral("SCZ"), QStringLiteral("02"), QStringLiteral("01"),
                    {1, 1, 1, 1, 1, 1, 1, 1}, 4, QStringLiteral("VACA"));
        // Its municipality "09" does not exist: never listed.
        Certificado(*base_, QStringLiteral("25"), 1003, QStringLiteral("SIN MUNICIPIO"),
                    QStringLiteral("SCZ"), QStringLiteral("01"), QStringLiteral("09"),
                    {9, 9, 9, 9, 9, 9, 9, 9}, 9, QVariant());
        Certificado(*base_, QStringLiteral("24"), 1001, QStringLiteral("OTRO CICLO"),
                    QStringLiteral("SCZ"), QStringLiteral("01"), QStringLiteral("01"),
                    {1, 1, 1, 1, 1, 1, 1, 1}, 1, QVariant());
        Certificado(*base_, QStringLiteral("25"), 1005, QStringLiteral("EN BENI"),
                    QStringLiteral("BEN"), QStringLiteral("01"), QStringLiteral("01"),
                    {1, 1, 1, 1, 1, 1, 1, 1}, 1, QVariant());
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        IdDistrital = QStringLiteral("SCZ");
        UsuarioBase = QStringLiteral("operador");
        PSi_Ciclos_Escribe = true;
        CicloActual = QStringLiteral("25");
    }
    void cleanup() {
        delete fVacunaC_New.data();
        Ventanas::InstalaManejador({});
        delete datos_;
        delete base_;
    }

    void consolaAlCrear() {
        TfVacunaC_New* c = Consola();
        QCOMPARE(c->windowTitle(), QStringLiteral("Reporte de vacunaciones"));
        QCOMPARE(c->cbCiclo->currentText(), QStringLiteral("25"));
        QCOMPARE(c->cbDistrital->currentText(), QStringLiteral("SCZ"));
        QCOMPARE(c->dbProvincias->count(), 2);
        QVERIFY(!c->dbProvincias->isEnabled());
        QCOMPARE(c->lTotal->text(), QStringLiteral("0 registros encontados ..."));
        QVERIFY(!c->sbExportar->isEnabled());
        QVERIFY(c->sbInsertar->isEnabled());
        QVERIFY(!c->sbEditar->isEnabled()); // no current row yet
        // The column titles show before the first run; no rows, nothing to export.
        QCOMPARE(c->UltimDBGrid1->Modelo().columnCount(), 44);
        QCOMPARE(c->UltimDBGrid1->Modelo().Titulo(0), QStringLiteral("Ciclo"));
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 0);
        QVERIFY(!c->UltimDBGrid1->Modelo().Activo());
        // A reader can only look.
        PSi_Ciclos_Escribe = false;
        TfVacunaC_New lector;
        QVERIFY(!lector.sbInsertar->isEnabled());
        QVERIFY(!lector.adicionarnuevoregistro1->isEnabled());
    }

    // A user of the first department of the list: the preset refills the lists although the
    // list already showed BEN, so the province filter and a new certificate find its places.
    void usuarioDelPrimerDistrito() {
        IdDistrital = QStringLiteral("BEN");
        TfVacunaC_New* c = Consola();
        QCOMPARE(c->cbDistrital->currentText(), QStringLiteral("BEN"));
        QCOMPARE(c->dbProvincias->count(), 2);
        QCOMPARE(c->dbProvincias->currentText(), QStringLiteral("Cercado"));
        c->cProvincias->click();
        c->sbEjecutar->click();
        QCOMPARE(c->lTotal->text(), QStringLiteral("1 registros encontrados"));
        TfVacunaA_New f;
        QCOMPARE(f.cbDistrital->currentText(), QStringLiteral("BEN"));
        QCOMPARE(f.dbProvincias->currentText(), QStringLiteral("Cercado"));
        QCOMPARE(f.dbMunicipios->currentText(), QStringLiteral("Trinidad"));
    }

    // Without the province filter: both listed premises, not the one whose municipality is
    // missing, nor other cycles or departments; totals with NULL counts as 0.
    void ejecutaSinYConProvincia() {
        TfVacunaC_New* c = Consola();
        c->cbDistrital->setCurrentText(QStringLiteral("SCZ"));
        c->sbEjecutar->click();
        Grilla* g = c->UltimDBGrid1;
        QCOMPARE(g->Modelo().columnCount(), 44);
        QCOMPARE(c->lTotal->text(), QStringLiteral("2 registros encontrados"));
        QCOMPARE(Columna(*g, 1), QStringList({"1001", "1002"}));
        QCOMPARE(Columna(*g, 8), QStringList({"ROCA  ANA", "ROCA VACA ANA"}));
        QCOMPARE(Columna(*g, 24), QStringList({"11", "8"})); // per-row bovine totals
        QCOMPARE(Columna(*g, 33), QStringList({"0", "4"}));
        QVERIFY(c->sbExportar->isEnabled());
        QStringList bov, bub;
        for (QLabel* l : c->pTotales->stBOV)
            bov << l->text();
        for (QLabel* l : c->pTotales->stBUB)
            bub << l->text();
        QCOMPARE(bov, QStringList({"6", "1", "4", "3", "1", "1", "2", "1", "19"}));
        QCOMPARE(bub, QStringList({"4", "0", "0", "0", "0", "0", "0", "0", "4"}));

        // The province combo counts only when checked.
        c->dbProvincias->setCurrentIndex(c->dbProvincias->findData(QStringLiteral("02")));
        c->sbEjecutar->click();
        QCOMPARE(g->Modelo().Filas(), 2);
        QTest::mouseClick(c->cProvincias, Qt::LeftButton);
        QVERIFY(c->dbProvincias->isEnabled());
        c->sbEjecutar->click();
        QCOMPARE(Columna(*g, 1), QStringList({"1002"}));

        // No rows: zero everywhere, export disabled.
        c->cbCiclo->setCurrentText(QStringLiteral("21"));
        c->sbEjecutar->click();
        QCOMPARE(c->lTotal->text(), QStringLiteral("0 registros encontrados"));
        QVERIFY(!c->sbExportar->isEnabled());
        for (QLabel* l : c->pTotales->stBOV)
            QCOMPARE(l->text(), QStringLiteral("0"));
    }

    // A quote in a filter value is data, not statement text.
    void valoresEscapados() {
        TfVacunaC_New* c = Consola();
        c->cbCiclo->setEditable(true);
        c->cbCiclo->setEditText(QStringLiteral("25' OR '1'='1"));
        c->sbEjecutar->click();
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 0);
    }

    void exportaDosFilas() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("vacunas.csv"));
        grabadora->archivos.enqueue(ruta);
        TfVacunaC_New* c = Consola();
        c->sbEjecutar->click();
        c->sbExportar->click();
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray esperado =
            "Ciclo;Certificado;Nombre del predio / Unidad Productiva;C\xF3"
            "digo U.P.;J.D.;Provincia;Municipio;Localidad;Nombre del propietario;Fecha "
            "vacunaci\xF3n;Fecha "
            "certificaci\xF3n;Ciclo;Asistida;Fiscalizada;Compulsiva;Veterinario "
            "responsable;<12 (m);<12 (h);13-24 (m);13-24 (h);25-36 (m);25-36 (h);>36 (m);>36 "
            "(h);Total bovinos;<12 (m);<12 (h);13-24 (m);13-24 (h);25-36 (m);25-36 (h);>36 "
            "(m);>36 (h);Total bubalinos;Proveedor de la vacuna;Dosis;Serie;Partida;Expiraci\xF3n;"
            "Fecha de compra;Nombre del comprador;Direcci\xF3n del comprador;Nro.Acta "
            "Vacunacion;Sincronizado\r\n"
            "25;1001;LA CA\xD1"
            "ADA;UP-1;SCZ;Andr\xE9s Ib\xE1\xF1"
            "ez;Santa Cruz de la "
            "Sierra;COTOCA;ROCA  ANA;10/05/2026;12/05/2026;S\xED;No;No;S\xED;DR. PE\xD1"
            "A;5;;3;2;;;1;0;11;;;;;;;;;0;AGROVET;20;S1;P1;12/2027;01/04/2026;JUAN;CALLE "
            "1;;No\r\n"
            "25;1002;EL TAJIBO;UP-1;SCZ;Warnes;Warnes;COTOCA;ROCA VACA ANA;10/05/2026;12/05/"
            "2026;S\xED;No;No;S\xED;DR. PE\xD1"
            "A;1;1;1;1;1;1;1;1;8;4;;;;;;;;4;AGROVET;20;S1;P1;12/2027;01/04/2026;JUAN;CALLE "
            "1;;No\r\n";
        QCOMPARE(f.readAll(), esperado);
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY(grabadora->cajas[0].texto.startsWith(QString::fromUtf8("Se guardó el archivo ")));
    }

    void verificaciones_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("mensaje");
        const QString predio =
            QStringLiteral("Debe especificar todos los datos del \"establecimiento ganadero\" !");
        const QString vacuna =
            QStringLiteral("Debe especificar todos los \"datos de la vacuna\" !");
        const QString ciclo =
            QString::fromUtf8("Debe especificar los datos del \"ciclo de vacunación\" !");
        const QString animales =
            QStringLiteral("Debe especificar la cantidad de animales vacunados !");
        const QString prop = QStringLiteral("Debe especificar los \"datos del propietario\" !");
        QTest::newRow("predio en blanco") << 1 << predio;
        QTest::newRow("sin distrital") << 2 << predio;
        QTest::newRow("dosis 0") << 3 << vacuna;
        QTest::newRow("compra antes de 1902") << 4 << vacuna;
        QTest::newRow("sin ciclo") << 5 << ciclo;
        QTest::newRow("vacunacion vacia") << 6 << ciclo;
        QTest::newRow("sin animales") << 7 << animales;
        QTest::newRow("solo blancos") << 8 << animales;
        QTest::newRow("sin responsable") << 9 << prop;
        QTest::newRow("predio y propietario: el primero") << 10 << predio;
        QTest::newRow("todo bien") << 0 << QString();
    }
    void verificaciones() {
        QFETCH(int, caso);
        QFETCH(QString, mensaje);
        TfVacunaA_New f;
        LlenaValido(f);
        switch (caso) {
        case 1:
            f.ePredio->setText(QStringLiteral("   "));
            break;
        case 2:
            f.cbDistrital->setCurrentIndex(-1);
            break;
        case 3:
            f.ceDosis->setValue(0);
            break;
        case 4:
            f.deCompra->setDate(QDate(1902, 9, 25));
            break;
        case 5:
            f.cbCiclo->setCurrentIndex(-1);
            break;
        case 6:
            f.deFechaVacuna->Limpia();
            break;
        case 7:
            f.eBOV[0]->clear();
            f.eBOV[1]->clear();
            break;
        case 8:
            f.eBOV[0]->setText(QStringLiteral("  "));
            f.eBOV[1]->clear();
            break;
        case 9:
            f.eResponsable->clear();
            break;
        case 10:
            f.ePredio->clear();
            f.ePaterno->clear();
            break;
        }
        QCOMPARE(f.Verifica(), mensaje);
        f.deCompra->setDate(QDate(1902, 9, 26));
        if (caso == 0)
            QVERIFY(f.Verifica().isEmpty()); // day 1000 counts as set
    }

    void totalesDelFormulario() {
        TfVacunaA_New f;
        QCOMPARE(f.ceBOV_Total->text(), QStringLiteral("0"));
        f.eBOV[0]->setText(QStringLiteral("3"));
        f.eBOV[1]->setText(QStringLiteral("4"));
        f.eBOV[7]->setText(QStringLiteral("10"));
        f.eBUB[2]->setText(QStringLiteral("2"));
        QCOMPARE(f.ceBOV_TotalM->text(), QStringLiteral("3"));
        QCOMPARE(f.ceBOV_TotalH->text(), QStringLiteral("14"));
        QCOMPARE(f.ceBOV_Total->text(), QStringLiteral("17"));
        QCOMPARE(f.ceBUB_TotalM->text(), QStringLiteral("2"));
        QCOMPARE(f.ceBUB_Total->text(), QStringLiteral("2"));
        QTest::keyClicks(f.eBOV[3], QStringLiteral("9x-1"));
        QCOMPARE(f.eBOV[3]->text(), QStringLiteral("91"));
        QTest::keyClicks(f.ePredio, QStringLiteral("la ca"));
        QTest::sendKeyEvent(QTest::Click, f.ePredio, Qt::Key_unknown, QString::fromUtf8("ñ"),
                            Qt::NoModifier);
        QTest::keyClicks(f.ePredio, QStringLiteral("ada"));
        QCOMPARE(f.ePredio->text(), QString::fromUtf8("LA CAÑADA"));
        // Tab walks the counts as shown: each band's H line above its M line, bovines first.
        QWidget* w = f.eVacunador;
        QList<QWidget*> orden;
        while (orden.size() < 16)
            if (((w = w->nextInFocusChain())->focusPolicy() & Qt::TabFocus) != 0)
                orden << w;
        QCOMPARE(orden.mid(0, 4), (QList<QWidget*>{f.eBOV[1], f.eBOV[0], f.eBOV[3], f.eBOV[2]}));
        QCOMPARE(orden[7], f.eBOV[6]);
        QCOMPARE(orden[8], f.eBUB[1]);
        QCOMPARE(orden[15], f.eBUB[6]);
        // A fixed-size form has no maximise box.
        QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    // Console closed: the information message; empty counts stored as NULL, "0" as 0.
    void insercionSinConsola() {
        GrabadoraInstalada grabadora;
        TfVacunaA_New f;
        f.Modo = 0;
        f.PreparaRegistro();
        LlenaValido(f);
        f.show();
        QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
        QCOMPARE(grabadora->Textos(),
                 QStringList{QString::fromUtf8("Se agregó el certificado Nro. 1234 de LA ESPERANZA "
                                               "a la base de datos")});
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(
            base_
                ->Valor(QStringLiteral("SELECT BOV_Grupo_1M || '/' || BOV_Grupo_1H || '/' || "
                                       "IFNULL(BOV_Grupo_2M, 'NULL') || '/' || "
                                       "IFNULL(Predio_Latitud, 'NULL') || '/' || "
                                       "Registro_Sincronizado || '/' || Registro_Por || '/' || "
                                       "Predio_IdProvincia || Predio_IdMunicipio "
                                       "FROM Ciclos WHERE CertificadoNro = 1234"))
                .toString(),
            QStringLiteral("7/0/NULL/NULL/0/operador/0102"));
    }

    // Console open: silent, the list re-run; a taken key refused with the database's text.
    void insercionConConsolaYDuplicado() {
        GrabadoraInstalada grabadora;
        TfVacunaC_New* c = Consola();
        c->sbEjecutar->click();
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 2);
        int intento = 0;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& f = dynamic_cast<TfVacunaA_New&>(d);
            f.show();
            LlenaValido(f);
            if (++intento == 2)
                f.eNro->setText(QStringLiteral("1001"));
            QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
            return f.result();
        });
        c->sbInsertar->click();
        QVERIFY(grabadora->cajas.isEmpty());
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 3);
        c->sbInsertar->click();
        QCOMPARE(grabadora->cajas.size(), 1);
        QVERIFY2(grabadora->cajas[0].texto.startsWith(
                     QStringLiteral("No se ha podido insertar el "
                                    "registro !\nInfracción de la restricción PRIMARY KEY")),
                 qPrintable(grabadora->cajas[0].texto));
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 3);
    }

    // Editing the number: the row changes in place (latitude kept) and the console lands on it.
    void edicionDelNumero() {
        TfVacunaC_New* c = Consola();
        c->sbEjecutar->click();
        QVERIFY(c->Localiza(QStringLiteral("25"), 1002));
        QVERIFY(c->sbEditar->isEnabled());
        QString cargado;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& f = dynamic_cast<TfVacunaA_New&>(d);
            f.show();
            cargado = f.ePredio->text() + QLatin1Char('|') + f.dbProvincias->currentText() +
                      QLatin1Char('|') + f.dbMunicipios->currentText() + QLatin1Char('|') +
                      f.eBUB[0]->text() + QLatin1Char('|') + f.eBUB[1]->text() + QLatin1Char('|') +
                      f.windowTitle();
            f.eNro->setText(QStringLiteral("2002"));
            QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
            return f.result();
        });
        c->sbEditar->trigger();
        QCOMPARE(cargado,
                 QStringLiteral("EL TAJIBO|Warnes|Warnes|4||Modificar datos del registro"));
        QCOMPARE(c->Actual(QStringLiteral("CertificadoNro")).toInt(), 2002);
        QCOMPARE(
            base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Ciclos WHERE CertificadoNro = 1002"))
                .toInt(),
            0);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT Predio_Latitud FROM Ciclos WHERE "
                                            "CertificadoNro = 2002"))
                     .toString(),
                 QStringLiteral("-17.78"));
    }

    void eliminacion() {
        GrabadoraInstalada grabadora;
        TfVacunaC_New* c = Consola();
        c->sbEjecutar->click();
        QVERIFY(c->Localiza(QStringLiteral("25"), 1001));
        grabadora->respuestas.enqueue(false);
        c->sbEliminar->trigger();
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Eliminar"));
        QCOMPARE(grabadora->cajas[0].icono, Mensajes::Icono::Pregunta);
        QCOMPARE(grabadora->cajas[0].texto, QStringLiteral("Eliminar el certificado Nro: 1001 ?"));
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 2);
        c->sbEliminar->trigger(); // OK
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 1);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT COUNT(*) FROM Ciclos WHERE IdCiclo = '25' "
                                            "AND CertificadoNro = 1001"))
                     .toInt(),
                 0);
        // A refused delete: the message without the database's text, the list kept.
        base_->Sql(QStringLiteral("CREATE TRIGGER NoBorrar BEFORE DELETE ON Ciclos BEGIN "
                                  "SELECT RAISE(ABORT, 'prohibido'); END"));
        grabadora->Limpia();
        c->sbEliminar->trigger();
        QCOMPARE(grabadora->Textos().last(),
                 QStringLiteral("No se ha podido eliminar el registro!"));
        QCOMPARE(c->UltimDBGrid1->Modelo().Filas(), 1);
    }

    // From the main window's lookup: cycle and number preset, "Registrado por" the user.
    void desdeLaLocalizacion() {
        QString visto;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& f = dynamic_cast<TfVacunaA_New&>(d);
            f.show();
            visto = f.cbCiclo->currentText() + QLatin1Char('|') + f.eNro->text() +
                    QLatin1Char('|') + f.eDueno->text() + QLatin1Char('|') +
                    f.deActua->date().toString(Qt::ISODate) + QLatin1Char('|') + f.windowTitle();
            return int(QDialog::Rejected);
        });
        AbreAltaCertificadoVigente(QStringLiteral("21"), 987654);
        QCOMPARE(visto, QStringLiteral("21|987654|operador|") +
                            QDate::currentDate().toString(Qt::ISODate) +
                            QString::fromUtf8("|Añadir nuevo registro"));
    }
};

TARVELION_PRUEBA_MAIN(TstVacunas)
#include "tst_vacunas.moc"
