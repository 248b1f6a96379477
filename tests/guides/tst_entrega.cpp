// The guide console's insert, edit and duplicate: the species picker first, the form of each
// species, the ownership and district refusals before any form opens, what a duplicate carries,
// and the whole road through the real windows: insert a bovine guide from a premises, see it
// listed and selected, print it to PDF, duplicate it, edit the duplicate, delete it.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Editores.h"
#include "common/Grilla.h"
#include "common/Utilidades.h"
#include "guides/TfEspecie.h"
#include "guides/TfImprimir.h"
#include "guides/TfMueveA.h"
#include "guides/TfMueveB.h"
#include "guides/TfMueveC.h"
#include "guides/TfTotalBov.h"
#include "vaccination/TfBuscar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class TstEntrega : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    // The console on today's guides of the district, every official's.
    void Lista(TfMueveC& c) {
        c.cUsuarios->setChecked(false);
        c.sbEjecutar->click();
    }
    bool Elige(TfMueveC& c, int nro) { return c.Localiza(nro, QStringLiteral("SCZ")); }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        const QStringList roles{QStringLiteral("PSi_GMA_Escribe"),
                                QStringLiteral("PSi_GMA_Elimina"),
                                QStringLiteral("PSi_GMA_MiraOtras")};
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"), roles);
        base_->Login(QStringLiteral("lector"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee")});
        CertificadoCiclo(*base_, QStringLiteral("25"), 500, QStringLiteral("LA ESPERANZA"),
                         {10, 0, 0, 0, 0, 0, 0, 0});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
        datos_->LeePerfil();
        CicloActual = QStringLiteral("25");
    }
    void cleanup() {
        delete fBuscar.data();
        Ventanas::InstalaManejador({});
        delete datos_;
        delete base_;
    }

    // The picker decides the form; cancelling it opens none.
    void insercion_data() {
        QTest::addColumn<int>("item"); // -1: cancelled
        QTest::addColumn<QString>("forma");
        QTest::newRow("cancelado") << -1 << "";
        QTest::newRow("Bubalinos") << 1 << "fMueveA";
        QTest::newRow("Patos") << 5 << "fMueveB";
    }
    void insercion() {
        QFETCH(int, item);
        QFETCH(QString, forma);
        TfMueveC c;
        c.show();
        QVERIFY(c.sbInsertar->isEnabled());
        QStringList abiertos;
        Ventanas::InstalaManejador([&](QDialog& d) {
            abiertos << d.objectName();
            if (auto* e = qobject_cast<TfEspecie*>(&d)) {
                if (item < 0)
                    return int(QDialog::Rejected);
                e->rgEspecie[item]->setChecked(true);
                e->BitBtn1->click();
                return int(QDialog::Accepted);
            }
            if (auto* b = qobject_cast<TfMueveB*>(&d))
                abiertos << b->stEspecie->text();
            if (auto* a = qobject_cast<TfMueveA*>(&d))
                abiertos << a->stEspecie->text();
            return int(QDialog::Rejected);
        });
        c.sbInsertar->click();
        QStringList esperados{QStringLiteral("fEspecie")};
        if (!forma.isEmpty())
            esperados << forma << (item == 1 ? QStringLiteral("BUB") : QStringLiteral("PAT"));
        QCOMPARE(abiertos, esperados);
        QVERIFY(!fMueveA && !fMueveB); // released on close
    }

    // Ownership before any form; a buffalo guide edits in the bovine form and is not duplicated;
    // another official's guide of the district is duplicated, not edited.
    void reglas() {
        GrabadoraInstalada g;
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("BUB"), "", "", "", "", {});
        GuiaGuardada(*base_, 2, QStringLiteral("SCZ"), QStringLiteral("BOV"), "", "", "", "", {});
        base_->Sql(QStringLiteral("UPDATE Guias SET Autoriza_Funcionario = 'operador', "
                                  "Autoriza_Fecha = ? WHERE NroGuia = 1"),
                   {QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"))});
        base_->Sql(QStringLiteral("UPDATE Guias SET Autoriza_Fecha = ?, Comentarios = 'NOTA' "
                                  "WHERE NroGuia = 2"),
                   {QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"))});
        TfMueveC c;
        c.show();
        Lista(c);
        QStringList abiertos;
        TfMueveA* visto = nullptr;
        Ventanas::InstalaManejador([&](QDialog& d) {
            abiertos << d.objectName();
            if (auto* a = qobject_cast<TfMueveA*>(&d)) {
                visto = a;
                // The duplicate of guide 2: no number, no counts, no comment, today at the
                // department's capital.
                if (a->Modo == 0) {
                    [&] {
                        QVERIFY(a->eNro->text().isEmpty());
                        QCOMPARE(a->stTotalBov->text(), QStringLiteral("0"));
                        QVERIFY(a->eComenta->text().isEmpty());
                        QCOMPARE(a->deFecha->date(), QDate::currentDate());
                        QCOMPARE(a->eDado->text(),
                                 CapitalDepartamento(QStringLiteral("SCZ")).toUpper());
                        QCOMPARE(a->cMedio->currentText(), QStringLiteral("Tren"));
                        QVERIFY(a->cFeria->isChecked() == false);
                    }();
                }
            }
            return int(QDialog::Rejected);
        });
        QVERIFY(Elige(c, 1));
        c.sbEditar->click();
        c.sbDuplicar->click();
        QVERIFY(Elige(c, 2));
        c.sbEditar->click();
        c.sbDuplicar->click();
        QCOMPARE(abiertos, (QStringList{"fMueveA", "fMueveA"}));
        // A pig guide with the hatchery objective: shown on edit, not carried into a duplicate.
        GuiaGuardada(*base_, 3, QStringLiteral("SCZ"), QStringLiteral("SUI"), "", "", "", "", {});
        base_->Sql(QStringLiteral("UPDATE Guias SET Autoriza_Funcionario = 'operador', "
                                  "Objetivo_Incubacion = 1, Des_Rubro = 'Incubadora', "
                                  "Autoriza_Fecha = ? WHERE NroGuia = 3"),
                   {QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"))});
        Lista(c);
        QVERIFY(Elige(c, 3));
        QList<bool> incubadora;
        Ventanas::InstalaManejador([&](QDialog& d) {
            incubadora << dynamic_cast<TfMueveB&>(d).cIncub->isChecked();
            return int(QDialog::Rejected);
        });
        c.sbEditar->click();
        c.sbDuplicar->click();
        QCOMPARE(incubadora, (QList<bool>{true, false}));
        QVERIFY(visto);
        QCOMPARE(g->Textos(), QStringList{QString::fromUtf8(
                                  "Ud. no puede efectuar esta operación porque no es el "
                                  "propietario del registro !")});
    }

    // A guide of a species that has no duplicate (a sheep guide) leaves "duplicar" disabled,
    // saying why; a bovine guide enables it.
    void duplicarSoloBovinosYPorcinos() {
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("OVI"), "", "", "", "", {});
        GuiaGuardada(*base_, 2, QStringLiteral("SCZ"), QStringLiteral("BOV"), "", "", "", "", {});
        base_->Sql(QStringLiteral("UPDATE Guias SET Autoriza_Funcionario = 'operador', "
                                  "Autoriza_Fecha = ?"),
                   {QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00.000"))});
        TfMueveC c;
        c.show();
        Lista(c);
        QVERIFY(Elige(c, 1));
        QVERIFY(!c.sbDuplicar->isEnabled());
        QVERIFY2(c.sbDuplicar->toolTip().contains(QStringLiteral("OVI no se duplican")),
                 qPrintable(c.sbDuplicar->toolTip()));
        QVERIFY(Elige(c, 2));
        QVERIFY(c.sbDuplicar->isEnabled());
    }

    // A user who cannot issue guides sees the three commands disabled.
    void sinDerecho() {
        base_->AbreSesion(QStringLiteral("lector"), QStringLiteral("x"));
        datos_->LeePerfil();
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("BOV"), "", "", "", "", {});
        TfMueveC c;
        c.show();
        Lista(c);
        QVERIFY(!c.sbInsertar->isEnabled());
        QVERIFY(!c.sbEditar->isEnabled());
        QVERIFY(!c.sbDuplicar->isEnabled());
    }

    // The whole road, through the real windows.
    void camino() {
        GrabadoraInstalada g;
        QTemporaryDir carpeta;
        AbreConsolaGuias(); // the main window's command
        QVERIFY(fMueveC);
        TfMueveC& c = *fMueveC;
        const std::unique_ptr<TfMueveC> cierra(fMueveC.data());
        Lista(c);
        // Insert: the picker, then the bovine form filled from the premises search and saved.
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (auto* e = qobject_cast<TfEspecie*>(&d)) {
                e->BitBtn1->click(); // "Bovinos", the first
                return int(QDialog::Accepted);
            }
            auto& a = dynamic_cast<TfMueveA&>(d);
            a.show();
            if (!LlenaGuiaBovina(a))
                return int(QDialog::Rejected);
            a.BitBtn1->click();
            return a.result();
        });
        c.sbInsertar->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(c.Actual(QStringLiteral("NroGuia")).toInt(), 1); // listed and selected
        QCOMPARE(c.Actual(QStringLiteral("SolicitanteNombre")).toString(),
                 QStringLiteral("O'HARA'); DROP TABLE GUIAS; --"));

        // Print it to PDF.
        const QString pdf = carpeta.filePath(QStringLiteral("guia.pdf"));
        g->archivos.enqueue(pdf);
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (qobject_cast<QPrintPreviewDialog*>(&d))
                return int(QDialog::Rejected);
            auto& imp = dynamic_cast<TfImprimir&>(d);
            imp.cbPrinters->setCurrentIndex(TfImprimir::IndiceArchivoPdf());
            imp.tipo->button(1)->click();
            imp.eFinal->setText(QStringLiteral("4711"));
            imp.BitBtn1->click();
            return d.result();
        });
        c.sbImprimir->click();
        QVERIFY(QFileInfo(pdf).size() > 1000);

        // Duplicate: counts again, then saved as guide 2 and selected.
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (auto* t = qobject_cast<TfTotalBov*>(&d)) {
                t->FormActivate();
                t->Movimiento(0)->setText(QStringLiteral("2"));
                return int(QDialog::Accepted);
            }
            auto& a = dynamic_cast<TfMueveA&>(d);
            a.show();
            a.sbEspecie->click();
            a.BitBtn1->click();
            return a.result();
        });
        c.sbDuplicar->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(c.Actual(QStringLiteral("NroGuia")).toInt(), 2);
        QCOMPARE(c.Actual(QStringLiteral("Ori_Certificado")).toInt(), 500);

        // Edit the duplicate: its comment changes, its number stays.
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& a = dynamic_cast<TfMueveA&>(d);
            a.show();
            a.eComenta->setText(QStringLiteral("CORREGIDA"));
            a.BitBtn1->click();
            return a.result();
        });
        c.sbEditar->click();
        QVERIFY2(g->Textos().isEmpty(), qPrintable(g->Textos().join('|')));
        QCOMPARE(c.Actual(QStringLiteral("NroGuia")).toInt(), 2);
        QCOMPARE(base_->Valor(QStringLiteral("SELECT Comentarios FROM Guias WHERE NroGuia = 2"))
                     .toString(),
                 QStringLiteral("CORREGIDA"));

        // Delete it.
        Ventanas::InstalaManejador({});
        c.sbEliminar->click();
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 1);
        QCOMPARE(c.dbGrid1->Modelo().Filas(), 1);
    }
};

TARVELION_PRUEBA_MAIN(TstEntrega)
#include "tst_entrega.moc"
