// The premises search and the certificate list of a guide: the search kinds and their status
// texts, the three-character rule, the cycles and their tables, escaping and the number check,
// the hand-back in each mode through the opener's interface, and TfAgrega's three choices.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "vaccination/BusquedaPredios.h"
#include "vaccination/ReceptorBusqueda.h"
#include "vaccination/TfAgrega.h"
#include "vaccination/TfBuscar.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// An opener that records, in order, what the search hands it.
class Receptor : public ReceptorBusqueda {
public:
    QString rubro = QStringLiteral("Predio");
    QStringList pasos;
    QString RubroOrigen() const override { return rubro; }
    void Fija(Campo campo, const QString& valor) override {
        pasos << QStringLiteral("%1=%2").arg(int(campo)).arg(valor);
    }
    void RefrescaMunicipios(Lado lado) override {
        pasos << (lado == Lado::Origen ? QStringLiteral("municipios O")
                                       : QStringLiteral("municipios D"));
    }
};

QString Paso(ReceptorBusqueda::Campo c, const QString& v) {
    return QStringLiteral("%1=%2").arg(int(c)).arg(v);
}

void Certificado(BaseDePrueba& b, const char* ciclo, int nro, const QString& predio,
                 const QString& paterno, const QString& materno, const QString& nombres) {
    b.Sql(QStringLiteral(
              "INSERT INTO Ciclos (IdCiclo, CertificadoNro, Predio_Cabana, Predio_Codigo, "
              "Predio_IdDistrital, Predio_IdProvincia, Predio_IdMunicipio, Predio_Juridiccion, "
              "Dosis_Proveedor, Dosis_Cantidad, Dosis_Laboratorio, Dosis_Procedencia, "
              "Dosis_Expiracion, Vacu_Fecha, Vacu_Certifica, Vacu_Ciclo, Vacu_Asistida, "
              "Vacu_Fiscalizada, Vacu_Compulsiva, Vacu_Responsable, Prop_Paterno, Prop_Materno, "
              "Prop_Nombres, Prop_Responsable, Comp_Nombre, Comp_Direccion, Registro_Por, "
              "Registro_Fecha, Registro_Sincronizado) VALUES (?, ?, ?, 'UP-9', 'SCZ', '01', '02', "
              "'COTOCA', 'P', 1, 'L', 'X', 'E', '2026-05-10', '2026-05-12', 1, 0, 0, 0, 'DR. "
              "PEREZ', ?, ?, ?, 'R', 'C', 'D', 'op', '2026-05-13', 0)"),
          {QString::fromLatin1(ciclo), nro, predio, paterno,
           materno.isEmpty() ? QVariant() : QVariant(materno), nombres});
}

} // namespace

class TstBuscar : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    TfBuscar* Busca(const char* criterio, int tipo, const char* ciclo = "25") {
        fBuscar->cbTipo->setCurrentIndex(tipo);
        fBuscar->SeleccionaCiclo(QLatin1String(ciclo));
        fBuscar->SeleccionaDistrital(QStringLiteral("SCZ"));
        fBuscar->eBuscar->setText(QString::fromUtf8(criterio));
        fBuscar->bbBuscar->click();
        return fBuscar;
    }
    QStringList Predios() const {
        QStringList r;
        for (int i = 0; i < fBuscar->DBGrid1->Modelo().Filas(); ++i)
            r << fBuscar->DBGrid1->Modelo().Texto(i, 0);
        return r;
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        Certificado(*base_, "25", 4711, QStringLiteral("LA ROJEÑA"), QStringLiteral("PEREZ"),
                    QString(), QStringLiteral("ANA"));
        Certificado(*base_, "25", 4712, QStringLiteral("EL TAJIBO"), QString::fromUtf8("AÑEZ"),
                    QStringLiteral("ROJAS"), QStringLiteral("LUIS"));
        Certificado(*base_, "25", 4713, QStringLiteral("O'BRIEN"), QStringLiteral("ORTIZ"),
                    QString(), QStringLiteral("ROJELIO"));
        Certificado(*base_, "24", 4714, QStringLiteral("OTRO CICLO"), QStringLiteral("ROJO"),
                    QString(), QStringLiteral("EVA"));
        base_->Sql(QStringLiteral("INSERT INTO Veterinarios VALUES ('222', 'VACA', NULL, 'LUIS', "
                                  "'M', 'SCZ')"));
        base_->Sql(QStringLiteral(
            "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
            "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, CantidadDosis, Laboratorio, "
            "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
            "Nombres, Localidad) VALUES ('20', 800, 'LA ROJA VIEJA', 'SCZ', '01', '01', 'AAA', "
            "'222', 1, 'L', 'P', 'X', 'E', '2019-05-01', '2019-05-02', 'ROCA', 'ANA', 'CENTRO'), "
            "('20', 801, 'SIN VACUNADOR', 'SCZ', '01', '01', 'AAA', '999', 1, 'L', 'P', 'X', 'E', "
            "'2019-05-01', '2019-05-02', 'ROCA', 'ANA', 'CENTRO')"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete fBuscar.data();
        delete datos_;
        delete base_;
    }

    // "Buscar" from 3 trimmed characters, whatever the kind; the kind's status text; Enter.
    void criterio() {
        Receptor r;
        TfBuscar* b = AbreBusqueda(nullptr, 0, &r);
        QCOMPARE(AbreBusqueda(nullptr, 1, &r), b); // one window, reused
        QCOMPARE(b->ModoBusqueda, 1);
        QCOMPARE(b->windowTitle(), QStringLiteral("Buscar registro de establecimiento"));
        QCOMPARE(b->cbTipo->currentIndex(), 0);
        QVERIFY(!b->bbBuscar->isEnabled());
        QVERIFY(!b->bbInsertar->isEnabled());
        for (const char* t : {"ab", " ab", "ab ", "12"}) {
            b->eBuscar->setText(QLatin1String(t));
            QVERIFY2(!b->bbBuscar->isEnabled(), t);
        }
        b->eBuscar->setText(QStringLiteral("roj"));
        QVERIFY(b->bbBuscar->isEnabled());
        b->cbTipo->setCurrentIndex(1);
        emit b->cbTipo->activated(1);
        QVERIFY(b->StatusBar1->text().endsWith(QStringLiteral("nombre del propietario")));
        b->cbTipo->setCurrentIndex(2);
        emit b->cbTipo->activated(2);
        QVERIFY(b->StatusBar1->text().endsWith(QStringLiteral("nombre del propietario")));
        b->cbTipo->setCurrentIndex(0);
        emit b->cbTipo->activated(0);
        QVERIFY(b->StatusBar1->text().endsWith(QString::fromUtf8("nombre de la cabaña")));
        b->SeleccionaCiclo(QStringLiteral("25"));
        b->SeleccionaDistrital(QStringLiteral("SCZ"));
        QTest::keyClick(b->eBuscar, Qt::Key_Return);
        QCOMPARE(b->StatusBar1->text(), QStringLiteral("1 registro(s) encontrado(s) ..."));
        QVERIFY(b->bbInsertar->isEnabled());
    }

    // The kinds on both tables, with the server's folding; cycles 13 to 19 start nothing;
    // a quote is text; a certificate criterion must be a whole number, nothing run otherwise.
    void busquedas() {
        Receptor r;
        AbreBusqueda(nullptr, 0, &r);
        Busca("roj", 1);
        QCOMPARE(Predios(), (QStringList{"EL TAJIBO", "O'BRIEN"})); // ORDER BY NombreGanadero
        Busca("añe", 1);
        QCOMPARE(Predios(), QStringList{"EL TAJIBO"});
        Busca("rojeña", 0);
        QCOMPARE(Predios(), QStringList{QString::fromUtf8("LA ROJEÑA")});
        Busca("o'b", 0);
        QCOMPARE(Predios(), QStringList{"O'BRIEN"});
        Busca("4712", 2);
        QCOMPARE(Predios(), QStringList{"EL TAJIBO"});
        Busca("roj", 0,
              "20"); // the legacy table; a certificate without its vaccinator is not found
        QCOMPARE(Predios(), QStringList{"LA ROJA VIEJA"});
        Busca("sin vacunador", 0, "20");
        QCOMPARE(fBuscar->StatusBar1->text(), QStringLiteral("0 registro(s) encontrado(s) ..."));
        QVERIFY(!fBuscar->bbInsertar->isEnabled());

        Busca("roj", 0, "19");
        QVERIFY(fBuscar->StatusBar1->text().contains(QStringLiteral("ciclo 19")));
        const QString antes = fBuscar->StatusBar1->text();
        fBuscar->cbTipo->setCurrentIndex(2);
        fBuscar->SeleccionaCiclo(QStringLiteral("25"));
        fBuscar->eBuscar->setText(QStringLiteral("1 OR 1=1"));
        QVERIFY_THROWS_EXCEPTION(ErrorConversion, fBuscar->bbBuscarClick());
        QCOMPARE(fBuscar->StatusBar1->text(), antes);
        QVERIFY(LineasBusqueda(false, QStringLiteral("25"), QStringLiteral("SCZ"),
                               TipoBusqueda::Propietario, QStringLiteral("o'b"))
                    .contains(QStringLiteral("  OR C.Prop_Materno LIKE '%o''b%'")));
    }

    // The hand-back of each mode, in the Part's order, then the window closes.
    void devolucion_data() {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("rubro");
        QTest::addColumn<QStringList>("pasos");
        using C = ReceptorBusqueda::Campo;
        const QStringList vacuna{Paso(C::Enfermedad, "FIEBRE AFTOSA"),
                                 Paso(C::Vacunacion, "10/05/2026"),
                                 Paso(C::Veterinario, "M.V.Z. DR. PEREZ")};
        QTest::newRow("origen predio")
            << 0 << "Predio"
            << QStringList{Paso(C::CertificadoO, "4712"),
                           Paso(C::CicloO, "25"),
                           Paso(C::PropietarioO, QString::fromUtf8("AÑEZ ROJAS LUIS")),
                           Paso(C::PredioO, "EL TAJIBO"),
                           Paso(C::ProvinciaO, "01"),
                           "municipios O",
                           Paso(C::MunicipioO, "02")} +
                   vacuna;
        QTest::newRow("origen feria")
            << 0 << "Feria" << QStringList{Paso(C::Certificados, "4712 [25 avo Ciclo], ")} + vacuna;
        QTest::newRow("destino") << 1 << "Predio"
                                 << QStringList{
                                        Paso(C::CertificadoD, "4712"),
                                        Paso(C::PropietarioD, QString::fromUtf8("AÑEZ ROJAS LUIS")),
                                        Paso(C::PredioD, "EL TAJIBO"),
                                        Paso(C::ProvinciaD, "01"),
                                        "municipios D",
                                        Paso(C::MunicipioD, "02"),
                                        Paso(C::CicloD, "25")};
        QTest::newRow("historial")
            << 3 << ""
            << QStringList{Paso(C::Certif, "4712"), Paso(C::Predio, "EL TAJIBO"),
                           Paso(C::Propietario, QString::fromUtf8("AÑEZ ROJAS LUIS")),
                           Paso(C::Ubicacion, "SCZ - Cotoca")};
    }
    void devolucion() {
        QFETCH(int, modo);
        QFETCH(QString, rubro);
        QFETCH(QStringList, pasos);
        Receptor r;
        r.rubro = rubro;
        AbreBusqueda(nullptr, std::uint8_t(modo), &r);
        Busca("4712", 2);
        fBuscar->bbInsertar->click();
        QCOMPARE(r.pasos, pasos);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!fBuscar); // closed and destroyed
    }

    // A double-click on a found premises is "Insertar".
    void dobleClicInserta() {
        Receptor r;
        r.rubro = QStringLiteral("Predio");
        AbreBusqueda(nullptr, 1, &r);
        Busca("4712", 2);
        QVERIFY(r.pasos.isEmpty());
        emit fBuscar->DBGrid1->doubleClicked(fBuscar->DBGrid1->model()->index(0, 0));
        QVERIFY(!r.pasos.isEmpty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!fBuscar);
    }

    // TfAgrega: one number, another appended, the field cleared; an empty number refused.
    void agrega() {
        GrabadoraInstalada grabadora;
        QLineEdit lista;
        TfAgrega a(&lista);
        QCOMPARE(a.windowTitle(),
                 QString::fromUtf8("Agregar un número de certificado de vacunación"));
        a.BitBtn1->click();
        QCOMPARE(grabadora->Textos(), QStringList{QString::fromUtf8("Debe especificar un número "
                                                                    "válido !")});
        a.eNumero->setText(QStringLiteral("4711"));
        a.BitBtn1->click();
        QCOMPARE(lista.text(), QStringLiteral("4711, "));
        TfAgrega b(&lista);
        b.rgAnexar->click();
        QCOMPARE(b.Label1->text(), QString::fromUtf8("Ingrese otro número de certificado"));
        b.eNumero->setText(QStringLiteral("12"));
        b.BitBtn1->click();
        QCOMPARE(lista.text(), QStringLiteral("4711, 12, "));
        TfAgrega c(&lista);
        c.rgBorrar->click();
        QCOMPARE(c.BitBtn1->text(), QStringLiteral("Borrar"));
        QVERIFY(!c.eNumero->isEnabled());
        c.BitBtn1->click();
        QVERIFY(lista.text().isEmpty());
    }
};

TARVELION_PRUEBA_MAIN(TstBuscar)
#include "tst_buscar.moc"
