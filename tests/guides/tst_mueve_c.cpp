// The guide console: creation, each filter, the date range, totals by species, row colours,
// ownership refusals, delete, and the hand-back of the save protocol.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "common/PanelTotales.h"
#include "guides/TfMueveC.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QToolButton>

namespace {

struct Fila {
    int nro;
    const char* especie;
    const char* oriDis;
    const char* oriPro;
    const char* oriMun;
    const char* desDis;
    const char* desPro;
    const char* desMun;
    const char* oriRubro;
    const char* desRubro;
    const char* funcionario;
    QDate fecha;
    int terneros; // < 0: NULL (other-species form)
    std::array<int, 10> grupos;
};

const QDate kHoy = QDate::currentDate();

// The fixture: guides of SCZ by two officials, one of BEN, some that are never listed.
const Fila kFilas[] = {
    {1,
     "BOV",
     "SCZ",
     "01",
     "01",
     "SCZ",
     "02",
     "01",
     "Predio",
     "Matadero",
     "operador",
     kHoy,
     0,
     {5, 5, 1, 2, 3, 4, 0, 0, 0, 1}},
    {2,
     "BUB",
     "SCZ",
     "01",
     "02",
     "BEN",
     "01",
     "01",
     "Feria",
     "Predio",
     "operador",
     kHoy,
     0,
     {0, 0, 7, 0, 0, 0, 0, 0, 0, 0}},
    {3,
     "GAL",
     "SCZ",
     "02",
     "01",
     "SCZ",
     "01",
     "01",
     "Incubadora",
     "Consumo",
     "operador",
     kHoy,
     -1,
     {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
    {4,
     "BOV",
     "SCZ",
     "01",
     "01",
     "SCZ",
     "01",
     "01",
     "Predio",
     "Predio",
     "otro",
     kHoy,
     0,
     {0, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
    {5,
     "BOV",
     "SCZ",
     "01",
     "01",
     "SCZ",
     "01",
     "01",
     "Predio",
     "Predio",
     "operador",
     kHoy.addDays(-1),
     0,
     {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
    {6,
     "BOV",
     "SCZ",
     "01",
     "09",
     "SCZ",
     "01",
     "01",
     "Predio",
     "Predio",
     "operador",
     kHoy,
     0,
     {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}}, // its municipality does not exist
    {0,
     "BOV",
     "SCZ",
     "01",
     "01",
     "SCZ",
     "01",
     "01",
     "Predio",
     "Predio",
     "operador",
     kHoy,
     0,
     {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}}, // number 0: never listed
    {7,
     "BOV",
     "BEN",
     "01",
     "01",
     "BEN",
     "01",
     "01",
     "Predio",
     "Predio",
     "operador",
     kHoy,
     0,
     {0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
};

void Inserta(BaseDePrueba& b, const Fila& f, const QTime& hora = QTime(0, 0)) {
    QVariantList v{f.nro,
                   QString::fromLatin1(f.especie),
                   QStringLiteral("SOLICITANTE"),
                   QString::fromLatin1(f.oriRubro),
                   QStringLiteral("ORIGEN"),
                   QString::fromLatin1(f.oriDis),
                   QString::fromLatin1(f.oriPro),
                   QString::fromLatin1(f.oriMun),
                   QString::fromLatin1(f.desRubro),
                   QStringLiteral("DESTINO"),
                   QString::fromLatin1(f.desDis),
                   QString::fromLatin1(f.desPro),
                   QString::fromLatin1(f.desMun),
                   f.terneros < 0 ? QVariant() : QVariant(f.terneros)};
    for (int g : f.grupos)
        v << g;
    v << QString::fromLatin1(f.funcionario)
      << QDateTime(f.fecha, hora).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    b.Sql(
        QStringLiteral(
            "INSERT INTO Guias (NroGuia, Especie, SolicitanteNombre, Ori_Rubro, "
            "Ori_Establecimiento, Ori_IdDistrital, Ori_IdProvincia, Ori_IdMunicipio, Des_Rubro, "
            "Des_Establecimiento, Des_IdDistrital, Des_IdProvincia, Des_IdMunicipio, BOV_Terneros, "
            "Grupo_0M, Grupo_0H, Grupo_1M, Grupo_1H, Grupo_2M, Grupo_2H, Grupo_3M, Grupo_3H, "
            "Grupo_4M, Grupo_4H, Autoriza_Funcionario, Autoriza_Fecha, Medio_Transporte, "
            "Medio_Conductor, Autoriza_Ruta, Autoriza_DadoEn) VALUES (?, ?, ?, ?, ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'Tren', 'C', 'R', 'D')"),
        v);
}

QStringList Numeros(const TfMueveC& c) {
    QStringList r;
    for (int i = 0; i < c.dbGrid1->Modelo().Filas(); ++i)
        r << c.dbGrid1->Modelo().Texto(i, 0);
    return r;
}

} // namespace

class TstMueveC : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        const QStringList roles{QStringLiteral("PSi_GMA_Escribe"),
                                QStringLiteral("PSi_GMA_Elimina"),
                                QStringLiteral("PSi_GMA_MiraOtras")};
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"), roles);
        base_->Login(QStringLiteral("otro"), QStringLiteral("x"), QStringLiteral("SCZ"), roles);
        for (const Fila& f : kFilas)
            Inserta(*base_, f);
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        UsuarioBase = QStringLiteral("operador");
        IdDistrital = QStringLiteral("SCZ");
        PSi_GMA_MiraOtras = true;
        PSi_GMA_Elimina = true;
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    // Opened from the main window's command: one console, brought back on a second request.
    void unaSolaConsola() {
        AbreConsolaGuias();
        TfMueveC* primera = fMueveC;
        QVERIFY(primera);
        AbreConsolaGuias();
        QCOMPARE(fMueveC.data(), primera);
        delete primera;
        QVERIFY(fMueveC.isNull());
    }

    void alCrear() {
        PSi_GMA_MiraOtras = false;
        TfMueveC c;
        QCOMPARE(c.windowTitle(), QString::fromUtf8("Guías de Movimiento Animal"));
        QCOMPARE(c.deDesde->date(), kHoy);
        QCOMPARE(c.deHasta->date(), kHoy);
        QCOMPARE(c.cbDistritalO->currentText(), QStringLiteral("SCZ"));
        QVERIFY(c.cDistritalO->isChecked() && !c.cDistritalO->isEnabled());
        QCOMPARE(c.cbRubroD->currentText(), QStringLiteral("Predio"));
        QCOMPARE(c.cbDistritalD->currentText(), QStringLiteral("BEN"));
        QVERIFY(!c.cbDistritalD->isEnabled());
        QVERIFY(c.cUsuarios->isChecked());
        QVERIFY(!c.cUsuarios->isEnabled() && !c.cbUsuarios->isEnabled());
        QCOMPARE(c.cbUsuarios->currentText(), QStringLiteral("operador"));
        QCOMPARE(c.cbProvinciasO->count(), 2);
        QCOMPARE(c.cbMunicipiosD->currentText(), QStringLiteral("Trinidad"));
        QCOMPARE(c.lTotali->text(), QStringLiteral("0 registros"));
        QVERIFY(!c.sbImprimir->isEnabled() && !c.sbExportar->isEnabled());
        QVERIFY(!c.sbInsertar->isEnabled() && !c.sbEditar->isEnabled() &&
                !c.sbDuplicar->isEnabled());
        // A disabled button's picture is washed out to grey; the enabled one has colour.
        const QIcon icono = c.sbImprimir->icon();
        auto gris = [](const QImage& i) {
            for (int y = 0; y < i.height(); ++y)
                for (int x = 0; x < i.width(); ++x) {
                    const QColor p = i.pixelColor(x, y);
                    if (p.alpha() > 0 && (p.red() != p.green() || p.green() != p.blue()))
                        return false;
                }
            return true;
        };
        QVERIFY(gris(icono.pixmap(24, QIcon::Disabled).toImage()));
        QVERIFY(!gris(icono.pixmap(24, QIcon::Normal).toImage()));
        QVERIFY(!c.cbRubroO->isEnabled());
        QVERIFY(!c.cMunicipioO->isEnabled());
        // Without the right to see others', only his own guides.
        c.sbEjecutar->click();
        QCOMPARE(Numeros(c), QStringList({"3", "2", "1"}));
        QCOMPARE(c.lTotali->text(), QStringLiteral("3 registros(s)"));
        QVERIFY(c.sbImprimir->isEnabled() && c.sbExportar->isEnabled());
    }

    // A user of BEN, the first department of the list: both sides' lists are filled.
    void usuarioDelPrimerDistrito() {
        IdDistrital = QStringLiteral("BEN");
        TfMueveC c;
        QCOMPARE(c.cbDistritalO->currentText(), QStringLiteral("BEN"));
        QCOMPARE(c.cbProvinciasO->currentText(), QStringLiteral("Cercado"));
        QCOMPARE(c.cbMunicipiosO->currentText(), QStringLiteral("Trinidad"));
        QCOMPARE(c.cbprovinciasD->currentText(), QStringLiteral("Cercado"));
    }

    void filtros_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QStringList>("numeros");
        QTest::newRow("todos los responsables") << 0 << QStringList{"4", "3", "2", "1"};
        QTest::newRow("rubro origen Feria") << 1 << QStringList{"2"};
        QTest::newRow("rubro destino Consumo") << 2 << QStringList{"3"};
        QTest::newRow("provincia origen 02") << 3 << QStringList{"3"};
        QTest::newRow("municipio origen 02") << 4 << QStringList{"2"};
        QTest::newRow("distrital destino BEN") << 5 << QStringList{"2"};
        QTest::newRow("provincia destino 02") << 6 << QStringList{"1"};
        QTest::newRow("otro responsable") << 7 << QStringList{"4"};
        QTest::newRow("otro departamento") << 8 << QStringList{"7"};
        QTest::newRow("fechas invertidas") << 9 << QStringList{};
        QTest::newRow("desde ayer") << 10 << QStringList{"5", "4", "3", "2", "1"};
    }
    void filtros() {
        QFETCH(int, caso);
        QFETCH(QStringList, numeros);
        TfMueveC c;
        c.cUsuarios->setChecked(false);
        switch (caso) {
        case 1:
            c.cRubroO->setChecked(true);
            c.cbRubroO->setCurrentText(QStringLiteral("Feria"));
            break;
        case 2:
            c.cRubroD->setChecked(true);
            c.cbRubroD->setCurrentText(QStringLiteral("Consumo"));
            break;
        case 3:
            c.cProvinciaO->setChecked(true);
            c.cbProvinciasO->setCurrentIndex(c.cbProvinciasO->findData(QStringLiteral("02")));
            break;
        case 4:
            c.cProvinciaO->setChecked(true);
            c.cMunicipioO->setChecked(true);
            c.cbMunicipiosO->setCurrentIndex(c.cbMunicipiosO->findData(QStringLiteral("02")));
            break;
        case 5:
            c.cDistritalD->setChecked(true);
            break;
        case 6:
            c.cDistritalD->setChecked(true);
            c.cbDistritalD->setCurrentText(QStringLiteral("SCZ"));
            c.cProvinciaD->setChecked(true);
            c.cbprovinciasD->setCurrentIndex(c.cbprovinciasD->findData(QStringLiteral("02")));
            break;
        case 7:
            c.cUsuarios->setChecked(true);
            c.cbUsuarios->setCurrentText(QStringLiteral("otro"));
            break;
        case 8:
            c.cbDistritalO->setCurrentText(QStringLiteral("BEN"));
            break;
        case 9:
            c.deDesde->setDate(kHoy.addDays(1));
            break;
        case 10:
            c.deDesde->setDate(kHoy.addDays(-1));
            break;
        }
        c.sbEjecutar->click();
        QCOMPARE(Numeros(c), numeros);
        QCOMPARE(c.sbImprimir->isEnabled(), !numeros.isEmpty());
    }

    // A range ending on a day at 00:00 holds that day's guides at 00:00, not later ones.
    void rangoALasCero() {
        Fila tarde = kFilas[0];
        tarde.nro = 8;
        Inserta(*base_, tarde, QTime(10, 0));
        TfMueveC c;
        c.sbEjecutar->click();
        QVERIFY(!Numeros(c).contains(QStringLiteral("8")));
        QVERIFY(Numeros(c).contains(QStringLiteral("1")));
    }

    void provinciaDesmarcaMunicipio() {
        TfMueveC c;
        c.cProvinciaO->setChecked(true);
        QVERIFY(c.cMunicipioO->isEnabled());
        c.cMunicipioO->setChecked(true);
        QVERIFY(c.cbMunicipiosO->isEnabled());
        c.cProvinciaO->setChecked(false);
        QVERIFY(!c.cMunicipioO->isChecked() && !c.cMunicipioO->isEnabled());
        QVERIFY(!c.Filtros().municipioOrigen.has_value());
    }

    // Bovine and bubaline guides add their groups 1 to 4; other species and groups 0 never.
    void totalesYColores() {
        TfMueveC c;
        c.cUsuarios->setChecked(false);
        c.sbEjecutar->click();
        QStringList bov, bub;
        for (QLabel* l : c.pTotales->stBOV)
            bov << l->text();
        for (QLabel* l : c.pTotales->stBUB)
            bub << l->text();
        QCOMPARE(bov, QStringList({"2", "3", "4", "5", "1", "1", "1", "2", "19"}));
        QCOMPARE(bub, QStringList({"7", "0", "0", "0", "0", "0", "0", "0", "7"}));
        const ModeloGrilla& m = c.dbGrid1->Modelo();
        QCOMPARE(m.columnCount(), 53);
        QCOMPARE(m.Titulo(0), QString::fromUtf8("Nro.Guía"));
        QCOMPARE(m.Titulo(52), QStringLiteral("NroTalonario"));
        // Row of guide 3 (other species): blue; guide 2: black.
        QCOMPARE(m.data(m.index(1, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
        QCOMPARE(m.data(m.index(2, 0), Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
        QCOMPARE(m.data(m.index(0, 2), Qt::BackgroundRole).value<QColor>(), QColor(192, 220, 192));
        // Grupo_TT and BOV_Total: NULL when an addend is NULL.
        QCOMPARE(m.Texto(1, 25), QString());
        QCOMPARE(m.Texto(0, 43), QStringLiteral("8"));
    }

    void propiedadYEliminacion() {
        GrabadoraInstalada grabadora;
        TfMueveC c;
        c.cUsuarios->setChecked(false);
        c.sbEjecutar->click();
        QVERIFY(c.Localiza(4, QStringLiteral("SCZ"))); // issued by "otro"
        QVERIFY(c.sbEliminar->isEnabled());
        c.sbEliminar->click();
        QCOMPARE(grabadora->Textos(),
                 QStringList{QString::fromUtf8("Ud. no puede efectuar esta operación porque no es "
                                               "el propietario del registro !")});
        grabadora->Limpia();
        IdDistrital = QStringLiteral("BEN");
        QVERIFY(c.Localiza(1, QStringLiteral("SCZ")));
        c.sbEliminar->click();
        QCOMPARE(grabadora->Textos(),
                 QStringList{QString::fromUtf8("Ud. no puede efectuar esta operación porque el "
                                               "registro es de otra distrital !")});
        IdDistrital = QStringLiteral("SCZ");
        grabadora->Limpia();
        grabadora->respuestas << false << true;
        c.sbEliminar->click(); // Cancel
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Eliminar"));
        QCOMPARE(grabadora->cajas[0].texto, QString::fromUtf8("Seguro de eliminar la guía nro. 1"));
        QCOMPARE(Numeros(c).size(), 4);
        c.sbEliminar->click(); // OK
        QCOMPARE(Numeros(c), QStringList({"4", "3", "2"}));
        QCOMPARE(
            base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias WHERE NroGuia = 1")).toInt(),
            0);
        // A database refusal: the message with its text, the list kept.
        base_->Sql(QStringLiteral("CREATE TRIGGER NoBorrar BEFORE DELETE ON Guias BEGIN "
                                  "SELECT RAISE(ABORT, 'prohibido'); END"));
        QVERIFY(c.Localiza(2, QStringLiteral("SCZ")));
        grabadora->Limpia();
        c.sbEliminar->click();
        QCOMPARE(grabadora->Textos().last(),
                 QStringLiteral("No se ha podido eliminar el registro !\nprohibido"));
        QCOMPARE(Numeros(c).size(), 3);
        // Without the delete right the command stays off.
        PSi_GMA_Elimina = false;
        TfMueveC lector;
        lector.sbEjecutar->click();
        QVERIFY(!lector.sbEliminar->isEnabled());
    }

    // A login with a quote is data in the list statement, not statement text.
    void valoresEscapados() {
        base_->Sql(
            QStringLiteral("UPDATE Guias SET Autoriza_Funcionario = 'o''brien' WHERE NroGuia = 4"));
        base_->Login(QStringLiteral("o'brien"), QStringLiteral("x"), QStringLiteral("SCZ"));
        TfMueveC c;
        c.llenaUsuarios();
        c.cbUsuarios->setCurrentText(QStringLiteral("o'brien"));
        c.sbEjecutar->click();
        QCOMPARE(Numeros(c), QStringList{"4"});
    }

    // The save protocol's hand-back: filters reset, list re-run, the new guide current.
    void devolucionDelGuardado() {
        GrabadoraInstalada grabadora;
        TfMueveC c;
        c.cRubroO->setChecked(true);
        c.deDesde->setDate(kHoy.addDays(-30));
        DatosGuia g;
        g.especie = QStringLiteral("BOV");
        g.solicitanteNombre = QStringLiteral("X");
        g.oriRubro = QStringLiteral("Predio");
        g.oriEstablecimiento = QStringLiteral("O");
        g.oriIdDistrital = QStringLiteral("SCZ");
        g.oriIdProvincia = QStringLiteral("01");
        g.oriIdMunicipio = QStringLiteral("01");
        g.desRubro = QStringLiteral("Predio");
        g.desEstablecimiento = QStringLiteral("D");
        g.desIdDistrital = QStringLiteral("SCZ");
        g.desIdProvincia = QStringLiteral("01");
        g.desIdMunicipio = QStringLiteral("01");
        g.medioTransporte = QStringLiteral("Tren");
        g.autorizaFecha = kHoy;
        g.funcionario = QStringLiteral("operador");
        g.cantidadesGrupo[2] = 4;
        QVERIFY2(GuardarGuia(FormaGuia::Bovina, true, g, QString(), &c),
                 qPrintable(grabadora->Textos().join('|')));
        QCOMPARE(g.nroGuia, 7); // after guide 6 of SCZ (guide 7 of BEN is another department's)
        QVERIFY(!c.cRubroO->isChecked());
        QCOMPARE(c.deDesde->date(), kHoy);
        QCOMPARE(c.Actual(QStringLiteral("NroGuia")).toInt(), 7);
    }
};

TARVELION_PRUEBA_MAIN(TstMueveC)
#include "tst_mueve_c.moc"
