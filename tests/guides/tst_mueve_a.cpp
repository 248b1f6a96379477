// The bovine guide entry form: its opening, the origin and destination rubro rules and the
// objectives as tables of cases, the route proposal, the search and stock buttons, the whole
// road of a new guide from a premises to the console landing on it, the save checks in their
// order, an edit that keeps its number, and two officials saving at the same moment.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "db/Conexion.h"
#include "db/Esquema.h"
#include "guides/TfMueveA.h"
#include "guides/TfTotalBov.h"
#include "vaccination/TfBuscar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <latch>
#include <sqlite3.h>
#include <thread>

namespace {

bool Gris(const QLineEdit* e) {
    return e->isReadOnly() && e->palette().color(QPalette::Base) != QColor(Qt::white);
}

} // namespace

class TstMueveA : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;
    ConsolaGrabada consola_;

    void Llena(TfMueveA& f) { QVERIFY(LlenaGuiaBovina(f)); }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        base_->Login(QStringLiteral("beni"), QStringLiteral("x"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        CertificadoCiclo(*base_, QStringLiteral("25"), 500, QStringLiteral("LA ESPERANZA"),
                         {10, 0, 0, 0, 0, 0, 0, 0});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        datos_->LeePerfil(); // the user's district and locality
        CicloActual = QStringLiteral("25");
        consola_.pasos.clear();
    }
    void cleanup() {
        delete fBuscar.data();
        delete datos_;
        delete base_;
    }

    // A new guide as the console opens it, for a user of the first district in the list too.
    void nueva_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("distrital");
        QTest::newRow("SCZ") << "operador"
                             << "SCZ";
        QTest::newRow("BEN, la primera") << "beni"
                                         << "BEN";
    }
    void nueva() {
        QFETCH(QString, usuario);
        QFETCH(QString, distrital);
        base_->AbreSesion(usuario, QStringLiteral("x"));
        datos_->LeePerfil();
        CicloActual = QStringLiteral("25");
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        f.show();
        QCOMPARE(f.windowTitle(), QString::fromUtf8("Añadir nuevo registro de GMA de bovinos"));
        QCOMPARE(f.deFecha->date(), QDate::currentDate());
        QCOMPARE(f.eConductor->text(), QString::fromUtf8("SUJETO A INSPECCIÓN EN P.C."));
        QVERIFY(!f.eConductor->isEnabled());
        QCOMPARE(f.eDado->text(), Localidad);
        QCOMPARE(f.eCicloO->text(), QStringLiteral("25"));
        QCOMPARE(IdDistrital, distrital);
        QCOMPARE(f.cDistritalO->currentText(), distrital);
        QVERIFY(!f.cDistritalO->isEnabled());
        QCOMPARE(f.cProvinciaO->count(), 2);
        QCOMPARE(f.cRubroO->currentIndex(), -1);
        QCOMPARE(f.cMedio->currentIndex(), -1);
        QCOMPARE(f.stTotalBov->text(), QStringLiteral("0"));
        QCOMPARE(f.stEspecie->text(), QStringLiteral("BOV"));
        for (QCheckBox* c : {f.cRecri, f.cEngor, f.cRepro, f.cExpos, f.cFeria, f.cFaena, f.cTrans})
            QVERIFY(!c->isEnabled());
        QVERIFY(!f.sbBuscaO->isEnabled());
        QVERIFY(Gris(f.eCertificados));
        QCOMPARE(f.eSolicitante->maxLength(), 40);
        QCOMPARE(f.eRuta->maxLength(), 50);
        // Upper case as typed; a ";" in the comment becomes ",".
        QTest::keyClicks(f.eSolicitante, QStringLiteral("pe"));
        QCOMPARE(f.eSolicitante->text(), QStringLiteral("PE"));
        f.eSolicitante->setText(QStringLiteral("peña"));
        QCOMPARE(f.eSolicitante->text(), QString::fromUtf8("PEÑA"));
        QTest::keyClicks(f.eComenta, QStringLiteral("a;b"));
        QCOMPARE(f.eComenta->text(), QStringLiteral("A,B"));
        // The transport lookup's hand-back, the registry's upper-case types matched as the
        // registry compares texts; a type outside the list selects nothing and says so.
        GrabadoraInstalada g;
        f.FijaTransporte(QStringLiteral("Tren"), QStringLiteral("RTA:SCZ-15, PLACA:2345ABC"));
        QCOMPARE(f.cMedio->currentText(), QStringLiteral("Tren"));
        QCOMPARE(f.eConductor->text(), QStringLiteral("RTA:SCZ-15, PLACA:2345ABC"));
        f.FijaTransporte(QString::fromUtf8("CAMIÓN "), QStringLiteral("RTA:SCZ-17, PLACA:2"));
        QCOMPARE(f.cMedio->currentText(), QString::fromUtf8("Camión"));
        QVERIFY(g->Textos().isEmpty());
        f.FijaTransporte(QString::fromUtf8("CAMIÓN JAULA"), QStringLiteral("RTA:SCZ-16, PLACA:1"));
        QCOMPARE(f.cMedio->currentIndex(), -1);
        QVERIFY(g->Textos().value(0).contains(QString::fromUtf8("\"CAMIÓN JAULA\" no es uno de "
                                                                "los medios de la guía")));
    }

    void rubroOrigen_data() {
        QTest::addColumn<QString>("rubro");
        QTest::addColumn<bool>("busca");
        QTest::addColumn<bool>("lugarLibre"); // owner, establishment, province editable
        QTest::newRow("Predio") << "Predio" << true << false;
        QTest::newRow("Feria") << "Feria" << true << true;
        QTest::newRow("Potrero") << "Potrero" << true << true;
        QTest::newRow("Importación") << QString::fromUtf8("Importación") << false << true;
    }
    void rubroOrigen() {
        QFETCH(QString, rubro);
        QFETCH(bool, busca);
        QFETCH(bool, lugarLibre);
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        f.ePropietarioO->setText(QStringLiteral("ALGUIEN"));
        f.eCertificadoO->setText(QStringLiteral("12"));
        f.eCertificados->setText(QStringLiteral("1 [25 avo Ciclo], "));
        Elige(f.cRubroO, rubro);
        QCOMPARE(f.sbBuscaO->isEnabled(), busca);
        QCOMPARE(Gris(f.ePropietarioO), !lugarLibre);
        QCOMPARE(Gris(f.ePredioO), !lugarLibre);
        QCOMPARE(f.cProvinciaO->isEnabled(), lugarLibre);
        QCOMPARE(Gris(f.eVacunacion), !lugarLibre);
        QVERIFY(f.ePropietarioO->text().isEmpty());
        QVERIFY(f.eCertificadoO->text().isEmpty());
        QVERIFY(f.eCertificados->text().isEmpty());
        QCOMPARE(f.eCicloO->text(), QStringLiteral("25"));
        QCOMPARE(f.cProvinciaO->currentIndex(), -1);
    }

    void rubroDestino_data() {
        QTest::addColumn<QString>("rubro");
        QTest::addColumn<bool>("busca");
        QTest::addColumn<QString>("propietario");
        QTest::addColumn<QString>("predio");
        QTest::addColumn<QString>("objetivos"); // the enabled boxes, in the form's order
        QTest::newRow("Predio") << "Predio" << true << ""
                                << ""
                                << "RER....";
        QTest::newRow("Feria") << "Feria" << false << ""
                               << ""
                               << "...EF..";
        QTest::newRow("Remate") << "Remate" << false << ""
                                << ""
                                << "...EF..";
        QTest::newRow("Matadero") << "Matadero" << false << ""
                                  << ""
                                  << ".....F.";
        QTest::newRow("Consumo") << "Consumo" << false << "-"
                                 << "C O N S U M O"
                                 << ".....F.";
        QTest::newRow("Embarcadero") << "Embarcadero" << false << ""
                                     << ""
                                     << "RER...T";
        QTest::newRow("Potrero") << "Potrero" << false << ""
                                 << ""
                                 << "RER...T";
    }
    void rubroDestino() {
        QFETCH(QString, rubro);
        QFETCH(bool, busca);
        QFETCH(QString, propietario);
        QFETCH(QString, predio);
        QFETCH(QString, objetivos);
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        Elige(f.cDistritalD, QStringLiteral("SCZ"));
        f.eCertificadoD->setText(QStringLiteral("9"));
        f.ePropietarioD->setText(QStringLiteral("X"));
        Elige(f.cRubroD, QStringLiteral("Feria"));
        f.cFeria->setChecked(true);
        Elige(f.cRubroD, rubro);
        QCOMPARE(f.sbBuscaD->isEnabled(), busca);
        QCOMPARE(f.ePropietarioD->text(), propietario);
        QCOMPARE(f.ePredioD->text(), predio);
        QCOMPARE(Gris(f.ePredioD), rubro == QLatin1String("Consumo"));
        QVERIFY(f.eCertificadoD->text().isEmpty());
        QVERIFY(f.cProvinciaD->isEnabled());
        QString activos;
        const QList<QCheckBox*> c{f.cRecri, f.cEngor, f.cRepro, f.cExpos,
                                  f.cFeria, f.cFaena, f.cTrans};
        for (QCheckBox* x : c) {
            activos += x->isEnabled() ? x->text().at(0) : QLatin1Char('.');
            QVERIFY(!x->isChecked());
        }
        QCOMPARE(activos, objetivos);
    }

    // Changing the destination district clears its place; the route follows the municipalities.
    void distritoYRuta() {
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        Elige(f.cRubroO, QStringLiteral("Feria"));
        Elige(f.cProvinciaO, QString::fromUtf8("Andrés Ibáñez"));
        Elige(f.cMunicipioO, QStringLiteral("Cotoca"));
        Elige(f.cRubroD, QStringLiteral("Feria"));
        Elige(f.cDistritalD, QStringLiteral("SCZ"));
        Elige(f.cProvinciaD, QStringLiteral("Warnes"));
        Elige(f.cMunicipioD, QStringLiteral("Warnes"));
        f.ePredioD->setText(QStringLiteral("LA FERIA"));
        f.eRuta->setFocus();
        QCOMPARE(f.eRuta->text(), QStringLiteral("COTOCA - WARNES"));
        f.eSolicitante->setFocus();
        Elige(f.cProvinciaD, QString::fromUtf8("Andrés Ibáñez"));
        Elige(f.cMunicipioD, QStringLiteral("Cotoca"));
        f.eRuta->setFocus();
        QCOMPARE(f.eRuta->text(), QStringLiteral("COTOCA - LA FERIA"));
        Elige(f.cDistritalD, QStringLiteral("BEN"));
        QVERIFY(f.ePredioD->text().isEmpty());
        QCOMPARE(f.cProvinciaD->currentIndex(), -1);
        QCOMPARE(f.cProvinciaD->count(), 2);
        QCOMPARE(f.cMunicipioD->count(), 0);
    }

    // The buttons' refusals before any dialog opens.
    void rechazosDeBotones() {
        GrabadoraInstalada g;
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        f.sbEspecie->click();
        Elige(f.cRubroO, QStringLiteral("Predio"));
        f.sbEspecie->click();
        f.sbBuscaD->setEnabled(true);
        f.sbBuscaD->click();
        QCOMPARE(g->Textos(),
                 (QStringList{QString::fromUtf8("Debe especificar el rubro de origen antes de "
                                                "realizar esta operación !"),
                              QString::fromUtf8("Ha especificado como rubro de origen un predio, "
                                                "\rpor tanto, debe especificar el certificado de "
                                                "vacunación del predio\rantes de realizar esta "
                                                "operación"),
                              "Debe seleccionar una distrital de destino antes de buscar un "
                              "predio"}));
        QVERIFY(!fBuscar);
    }

    // The whole road: search, stock, save; typed SQL stored as text; the console lands on it.
    void camino() {
        GrabadoraInstalada g;
        GuiaGuardada(*base_, 41, QStringLiteral("SCZ"), QStringLiteral("OVI"), "", "", "", "", {});
        auto* f = new TfMueveA(&consola_);
        f->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<TfMueveA> vivo(f);
        f->AbreNueva(QStringLiteral("BOV"));
        f->show();
        Llena(*f);
        QCOMPARE(f->eCertificadoO->text(), QStringLiteral("500"));
        QCOMPARE(f->ePredioO->text(), QStringLiteral("LA ESPERANZA"));
        QCOMPARE(f->cMunicipioO->currentText(), QStringLiteral("Cotoca"));
        QCOMPARE(f->eEnfermedad->text(), QStringLiteral("FIEBRE AFTOSA"));
        QCOMPARE(f->stTotalBov->text(), QStringLiteral("3"));
        f->BitBtn1->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(consola_.pasos, (QStringList{"filtros", "lista", "42/SCZ"}));
        QTRY_VERIFY(!vivo); // closed and released
        DatosGuia d;
        QVERIFY(LeeGuia(42, QStringLiteral("SCZ"), d));
        QCOMPARE(d.solicitanteNombre, QStringLiteral("O'HARA'); DROP TABLE GUIAS; --"));
        QCOMPARE(d.oriCertificado, QStringLiteral("500"));
        QCOMPARE(d.oriIdMunicipio, QStringLiteral("02"));
        QCOMPARE(d.desIdProvincia, QStringLiteral("02"));
        QCOMPARE(d.cantidadesGrupo, (std::array<std::int32_t, 10>{0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(d.objetivos, (std::array<bool, 8>{false, false, false, false, true}));
        QCOMPARE(d.funcionario, UsuarioBase);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT Objetivo_Incubacion FROM Guias WHERE "
                                            "NroGuia = 42"))
                     .isNull(),
                 true);
    }

    // Each check in its order, the form staying open with nothing written.
    void revisiones() {
        GrabadoraInstalada g;
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        f.show();
        Llena(f);
        const QString limpio = f.Revisa();
        QVERIFY2(limpio.isEmpty(), qPrintable(limpio));
        // Undo the filled form one field at a time, from the last check to the first.
        struct Paso {
            std::function<void()> deshace;
            const char* texto;
        };
        const QString vacuna = QString::fromUtf8("Debe especificar los \"datos de la vacunación\" "
                                                 "...\r( utilice el botón de localización de "
                                                 "certificado de vacunación de origen )");
        const std::vector<Paso> pasos{
            {[&] { f.eCertificadoO->clear(); },
             "Debe especificar número(s) de certificado(s) de vacunación !"},
            {[&] { f.cRubroD->setCurrentIndex(-1); }, "Debe especificar el rubro de destino !"},
            {[&] { f.stTotalBov->setText(QStringLiteral("0")); },
             "Debe especificar la cantidad de ganado a movilizar !"},
            {[&] { f.cMunicipioD->setCurrentIndex(-1); }, "Debe especificar los municipios !"},
            {[&] { f.cProvinciaO->setCurrentIndex(-1); }, "Debe especificar las provincias !"},
            {[&] { f.eSolicitante->clear(); }, "Debe especificar el nombre del solicitante !"},
            {[&] { f.cMedio->setCurrentIndex(-1); },
             "Debe especificar el medio de transporte y conductor !"},
            {[&] { f.cFeria->setChecked(false); }, "Debe especificar el objetivo del movimiento !"},
            {[&] { f.ePredioD->clear(); }, "Debe especificar un predio de Destino !"},
            {[&] { f.ePredioO->clear(); }, "Debe especificar un predio de Origen !"},
            {[&] { f.eVeterinario->clear(); }, nullptr},
        };
        for (const Paso& p : pasos) {
            p.deshace();
            g->Limpia();
            f.BitBtn1->click();
            QCOMPARE(g->Textos(), QStringList{p.texto ? QString::fromUtf8(p.texto) : vacuna});
            QVERIFY(f.isVisible());
        }
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 0);
        // Both premises with the same number, whatever their cycles.
        f.cRubroD->setCurrentIndex(f.cRubroD->findText(QStringLiteral("Predio")));
        f.eCertificadoO->setText(QStringLiteral("500"));
        f.eCertificadoD->setText(QStringLiteral("500"));
        f.eCicloD->setText(QStringLiteral("24"));
        QCOMPARE(
            f.Revisa(),
            QStringLiteral("Origen y Destino NO deben ser iguales en el número de certificado!"));
    }

    // An edit opens in the stored state, keeps its number and writes no second row.
    void edicion() {
        GrabadoraInstalada g;
        {
            TfMueveA f(&consola_);
            f.AbreNueva(QStringLiteral("BOV"));
            Llena(f);
            f.BitBtn1->click();
            QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        }
        DatosGuia d;
        QVERIFY(LeeGuia(1, QStringLiteral("SCZ"), d));
        consola_.pasos.clear();
        TfMueveA f(&consola_);
        f.AbreEdicion(d);
        f.show();
        QCOMPARE(f.windowTitle(), QStringLiteral("Modificar datos del registro de GMA de bovinos"));
        QCOMPARE(f.eNro->text(), QStringLiteral("1"));
        QCOMPARE(f.cMunicipioO->currentText(), QStringLiteral("Cotoca"));
        QCOMPARE(f.cMunicipioD->currentText(), QStringLiteral("Warnes"));
        QCOMPARE(f.ePredioD->text(), QStringLiteral("FERIA DE WARNES"));
        QVERIFY(f.cFeria->isChecked());
        QCOMPARE(f.stTotalBov->text(), QStringLiteral("3"));
        QCOMPARE(f.Revisa(), QString());
        f.eSolicitante->setText(QStringLiteral("OTRO"));
        f.BitBtn1->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(consola_.pasos, (QStringList{"lista", "1/SCZ"}));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 1);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT SolicitanteNombre FROM Guias")).toString(),
                 QStringLiteral("OTRO"));
    }

    // Another official of the district is writing guide 1 while this form saves from a
    // premises: the save waits for the other station's write, then numbers after it.
    void carrera() {
        GrabadoraInstalada g;
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        Llena(f);
        std::atomic<bool> escrita{false};
        std::thread otra([&] {
            sqlite3* bd = nullptr;
            sqlite3_open(base_->Ruta().toUtf8().constData(), &bd);
            Esquema::PreparaConexion(bd);
            sqlite3_exec(bd,
                         "BEGIN IMMEDIATE; INSERT INTO Guias (NroGuia, Especie, "
                         "SolicitanteNombre, Ori_Rubro, Ori_Establecimiento, Ori_IdDistrital, "
                         "Ori_IdProvincia, Ori_IdMunicipio, Des_Rubro, Des_Establecimiento, "
                         "Des_IdDistrital, Des_IdProvincia, Des_IdMunicipio, Autoriza_Funcionario, "
                         "Autoriza_Fecha, Medio_Transporte, Medio_Conductor, Autoriza_Ruta, "
                         "Autoriza_DadoEn) VALUES (1, 'BOV', 'LA OTRA', 'Feria', 'E', 'SCZ', '01', "
                         "'01', 'Feria', 'F', 'SCZ', '01', '01', 'otra', "
                         "'2026-06-01 00:00:00.000', 'Tren', 'C', 'R', 'D')",
                         nullptr, nullptr, nullptr);
            escrita = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            sqlite3_exec(bd, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close(bd);
        });
        while (!escrita)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        f.show();
        f.BitBtn1->click(); // waits for the other's commit
        otra.join();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(f.eNro->text(), QStringLiteral("2"));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 2);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT SolicitanteNombre FROM Guias WHERE NroGuia "
                                            "= 1"))
                     .toString(),
                 QStringLiteral("LA OTRA"));
    }

    // A refused insert leaves the form open showing the number it tried.
    void insercionRechazada() {
        GrabadoraInstalada g;
        base_->Sql(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON Guias BEGIN SELECT "
                                  "RAISE(ABORT, 'guía rechazada'); END"));
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        Llena(f);
        f.show();
        f.BitBtn1->click();
        QCOMPARE(g->Textos().size(), 1);
        QVERIFY2(g->Textos().first().startsWith(
                     QStringLiteral("No se ha podido guardar el registro !\n")),
                 qPrintable(g->Textos().first()));
        QVERIFY(f.isVisible());
        QCOMPARE(f.eNro->text(), QStringLiteral("1"));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 0);
    }
    // A guide of the old scheme keeps its animals in the eight categories: the edit shows their
    // total and the save leaves them as stored.
    void edicionEsquemaAntiguo() {
        GrabadoraInstalada g;
        GuiaGuardada(*base_, 7, QStringLiteral("SCZ"), QStringLiteral("BOV"), QString(),
                     QStringLiteral("25"), QString(), QString(), {});
        base_->Sql(QStringLiteral("UPDATE Guias SET Ori_Rubro = 'Feria', Des_Rubro = 'Feria', "
                                  "Objetivo_Feria = 1, Vacuna_Enfermedad = 'FIEBRE AFTOSA', "
                                  "Vacuna_Fecha = '01/05/2026', Vacuna_Medico = 'M.V.Z. X', "
                                  "Vacuna_Certificados = '9 [25 avo Ciclo], ', BOV_Terneros = 4, "
                                  "BOV_Vaquillas = 1, BOV_Torillos = 0, BOV_Novillos = 0, "
                                  "BOV_Vacas = 6, BOV_Toros = 2, BOV_Bueyes = 0, BOV_Bufalos = 0"));
        DatosGuia d;
        QVERIFY(LeeGuia(7, QStringLiteral("SCZ"), d));
        TfMueveA f(&consola_);
        f.AbreEdicion(d);
        f.show();
        QCOMPARE(f.stTotalBov->text(), QStringLiteral("13"));
        f.eSolicitante->setText(QStringLiteral("CORREGIDO"));
        QCOMPARE(f.Revisa(), QString());
        f.BitBtn1->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        const QVariant fila = base_->Valor(QStringLiteral(
            "SELECT SolicitanteNombre || '|' || BOV_Terneros || '|' || BOV_Vaquillas || '|' || "
            "BOV_Vacas || '|' || BOV_Toros FROM Guias"));
        QCOMPARE(fila.toString(), QStringLiteral("CORREGIDO|4|1|6|2"));
    }
    // The stock is checked again at save, from what is stored then: counts typed under another
    // origin are refused, naming the group, and nothing is written.
    void existenciasAlGuardar() {
        GrabadoraInstalada g;
        TfMueveA f(&consola_);
        f.AbreNueva(QStringLiteral("BOV"));
        Llena(f);
        f.CantidadesGrupo[2] = 999; // as typed with origin "Feria"
        f.stTotalBov->setText(QStringLiteral("999"));
        f.show();
        f.BitBtn1->click();
        QCOMPARE(g->Textos(), QStringList{QString::fromUtf8(
                                  "No puede movilizar mas de lo que tiene!\nGrupo < 12, machos: "
                                  "se quieren movilizar 999 y existen 10.")});
        QVERIFY(f.isVisible());
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 0);
    }

    // An edit gives back what the stored guide took: a guide of all 10 shows them available,
    // and keeps or lowers its count.
    void edicionDevuelveLoSuyo() {
        GrabadoraInstalada g;
        {
            TfMueveA f(&consola_);
            f.AbreNueva(QStringLiteral("BOV"));
            Llena(f);
            f.BitBtn1->click();
        }
        base_->Sql(QStringLiteral("UPDATE Guias SET Grupo_1M = 10"));
        for (const char* nuevo : {"10", "9"}) {
            DatosGuia d;
            QVERIFY(LeeGuia(1, QStringLiteral("SCZ"), d));
            TfMueveA f(&consola_);
            f.AbreEdicion(d);
            f.show();
            QString existentes;
            Ventanas::InstalaManejador([&](QDialog& dialogo) {
                auto& t = dynamic_cast<TfTotalBov&>(dialogo);
                t.FormActivate();
                existentes = t.Celda(TfTotalBov::Existentes, 0)->text();
                t.Movimiento(0)->setText(QLatin1String(nuevo));
                return int(QDialog::Accepted);
            });
            f.sbEspecie->click();
            Ventanas::InstalaManejador({});
            QCOMPARE(existentes, QStringLiteral("10"));
            f.BitBtn1->click();
            QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
            QCOMPARE(base_->Valor(QStringLiteral("SELECT Grupo_1M FROM Guias")).toString(),
                     QLatin1String(nuevo));
        }
    }

    // Three stations save from one certificate at the same moment: the saves are serialised,
    // never more animals leave than the certificate has, and the last one is refused in words.
    void existenciasEnCarrera() {
        GrabadoraInstalada g;
        {
            TfMueveA f(&consola_);
            f.AbreNueva(QStringLiteral("BOV"));
            Llena(f); // 3 of the 10
            f.BitBtn1->click();
            QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        }
        DatosGuia modelo;
        QVERIFY(LeeGuia(1, QStringLiteral("SCZ"), modelo));
        modelo.cantidadesGrupo.fill(0);
        modelo.cantidadesGrupo[2] = 3; // three guides of 3 against the 7 left
        std::latch salida(3);
        QStringList resultados[3];
        std::vector<std::thread> puestos;
        for (int p = 0; p < 3; ++p)
            puestos.emplace_back([&, p] {
                Conexion c(QStringLiteral("puesto%1").arg(p));
                try {
                    base_->AbreConexion(c, QStringLiteral("operador"), QStringLiteral("x"));
                    DatosGuia d = modelo;
                    salida.arrive_and_wait();
                    resultados[p] << GrabaGuia({FormaGuia::Bovina, true, QStringLiteral("SCZ")}, d,
                                               &c);
                } catch (const ErrorTarvelion& e) {
                    resultados[p] << QStringLiteral("error: ") + e.Texto();
                }
                c.Cierra();
            });
        for (std::thread& t : puestos)
            t.join();
        QStringList todos;
        for (const QStringList& r : resultados)
            todos += r;
        QCOMPARE(todos.count(QString()), 2);
        QCOMPARE(todos.count(QString::fromUtf8("No puede movilizar mas de lo que tiene!\nGrupo < "
                                               "12, machos: se quieren movilizar 3 y existen 1.")),
                 1);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT SUM(Grupo_1M) FROM Guias")).toInt(), 9);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT MAX(NroGuia) FROM Guias")).toInt(), 3);
    }
};

TARVELION_PRUEBA_MAIN(TstMueveA)
#include "tst_mueve_a.moc"
