// The movable stock of a certificate and the two count dialogs: the worked example, the
// species and cycle separations, the movement refused above the stock however it is typed,
// an origin that is no premises, a certificate without its row, and the hand-backs.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "guides/TfTotalBov.h"
#include "guides/TfTotalOtrB.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TstExistencias : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    static QStringList Columna(const TfTotalBov& t, TfTotalBov::Columna c) {
        QStringList r;
        for (int f = 0; f < 9; ++f)
            r << t.Celda(c, f)->text();
        return r;
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        // Certificate 500 of cycle 25: 10 bovine males < 12 vaccinated, 3 buffalo males.
        CertificadoCiclo(*base_, QStringLiteral("25"), 500, QStringLiteral("LA ESPERANZA"),
                         {10, 4, 0, 0, 0, 0, 0, 6}, {3, 0, 0, 0, 0, 0, 0, 0});
        CertificadoCiclo(*base_, QStringLiteral("24"), 500, QStringLiteral("LA ESPERANZA"),
                         {50, 0, 0, 0, 0, 0, 0, 0});
        // Into 500/25: 2 bovines; out of it: 5; and what must not count: another species,
        // another cycle, another certificate.
        const QString c500 = QStringLiteral("500"), c25 = QStringLiteral("25");
        GuiaGuardada(*base_, 1, QStringLiteral("SCZ"), QStringLiteral("BOV"), "900", c25, c500, c25,
                     {2, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 2, QStringLiteral("SCZ"), QStringLiteral("BOV"), c500, c25, "901", c25,
                     {3, 0, 0, 0, 0, 0, 0, 1});
        GuiaGuardada(*base_, 1, QStringLiteral("LPZ"), QStringLiteral("BOV"), c500, c25, "",
                     QString(), {2, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 3, QStringLiteral("SCZ"), QStringLiteral("BUB"), c500, c25, "901", c25,
                     {1, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 4, QStringLiteral("SCZ"), QStringLiteral("BOV"), c500,
                     QStringLiteral("24"), "901", c25, {40, 0, 0, 0, 0, 0, 0, 0});
        GuiaGuardada(*base_, 5, QStringLiteral("SCZ"), QStringLiteral("BOV"), "501", c25, "901",
                     c25, {7, 0, 0, 0, 0, 0, 0, 0});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    // 10 vaccinated + 2 in - 5 out = 7; 8 is refused and the cell goes back to 0; 7 leaves 0.
    void ejemplo() {
        GrabadoraInstalada g;
        TfTotalBov t({QStringLiteral("Predio"),
                      {QStringLiteral("500"), QStringLiteral("25"), QStringLiteral("BOV"), {}}});
        QVERIFY(!t.BitBtn1->isEnabled());
        QCOMPARE(t.lCalcula->text(), QStringLiteral("Calculando total vacunado ..."));
        t.FormActivate();
        QVERIFY(t.BitBtn1->isEnabled());
        QVERIFY(t.lCalcula->isHidden());
        QCOMPARE(Columna(t, TfTotalBov::Vacunados),
                 (QStringList{"10", "4", "0", "0", "0", "0", "0", "6", "20"}));
        QCOMPARE(Columna(t, TfTotalBov::Ingresos),
                 (QStringList{"2", "0", "0", "0", "0", "0", "0", "0", "2"}));
        QCOMPARE(Columna(t, TfTotalBov::Salidas),
                 (QStringList{"5", "0", "0", "0", "0", "0", "0", "1", "6"}));
        QCOMPARE(Columna(t, TfTotalBov::Existentes),
                 (QStringList{"7", "4", "0", "0", "0", "0", "0", "5", "16"}));

        QLineEdit* m = t.Movimiento(0);
        QCOMPARE(m->objectName(), QStringLiteral("mBOV_1M"));
        m->setText(QStringLiteral("8"));
        QCOMPARE(g->Textos(), QStringList{"No puede movilizar mas de lo que tiene!"});
        QCOMPARE(m->text(), QStringLiteral("0"));
        QCOMPARE(t.Celda(TfTotalBov::Existentes, 0)->text(), QStringLiteral("7"));
        m->setText(QStringLiteral("7"));
        QCOMPARE(t.Celda(TfTotalBov::Existentes, 0)->text(), QStringLiteral("0"));
        // eTotal keeps the stock before the movement until a cell is emptied.
        QCOMPARE(t.Celda(TfTotalBov::Existentes, 8)->text(), QStringLiteral("16"));
        t.Movimiento(7)->setText(QStringLiteral("5"));
        QCOMPARE(t.mBovTotal->text(), QStringLiteral("12"));
        // An emptied cell counts as 0 while it is typed (no "0" put back under the cursor, so
        // typing 12 gives 12) and shows "0" once it is left.
        t.Movimiento(1)->setText(QString());
        QCOMPARE(t.Movimiento(1)->text(), QString());
        QCOMPARE(t.Celda(TfTotalBov::Existentes, 8)->text(), QStringLiteral("4")); // 0 + 4 + 0
        emit t.Movimiento(1)->editingFinished();
        QCOMPARE(t.Movimiento(1)->text(), QStringLiteral("0"));

        // Typed keys: only digits reach a cell, and the 1 that does is above a stock of 0.
        t.Movimiento(2)->setFocus();
        t.Movimiento(2)->selectAll();
        QTest::keyClicks(t.Movimiento(2), QStringLiteral("a-1x"));
        QCOMPARE(g->Textos().size(), 2);
        QCOMPARE(t.Movimiento(2)->text(), QStringLiteral("0"));

        const auto c = t.CantidadesGrupo();
        QCOMPARE(c, (std::array<std::int32_t, 10>{0, 0, 7, 0, 0, 0, 0, 0, 0, 5}));
        QCOMPARE(t.Total(), QStringLiteral("12"));
    }

    // Buffaloes read the buffalo columns and only buffalo guides; another cycle its own.
    void separaciones_data() {
        QTest::addColumn<QString>("especie");
        QTest::addColumn<QString>("ciclo");
        QTest::addColumn<QStringList>("existentes");
        QTest::newRow("BUB") << "BUB"
                             << "25" << QStringList{"2", "0", "0", "0", "0", "0", "0", "0", "2"};
        QTest::newRow("ciclo 24") << "BOV"
                                  << "24"
                                  << QStringList{"10", "0", "0", "0", "0", "0", "0", "0", "10"};
    }
    void separaciones() {
        QFETCH(QString, especie);
        QFETCH(QString, ciclo);
        QFETCH(QStringList, existentes);
        TfTotalBov t({QStringLiteral("Predio"), {QStringLiteral("500"), ciclo, especie, {}}});
        t.FormActivate();
        QCOMPARE(Columna(t, TfTotalBov::Existentes), existentes);
    }

    // Any other origin: nothing read, every display 0, up to 999 accepted.
    void otroRubro() {
        GrabadoraInstalada g;
        TfTotalBov t({QStringLiteral("Feria"), {QString(), QString(), QStringLiteral("BOV"), {}}});
        t.FormActivate();
        QVERIFY(t.BitBtn1->isEnabled());
        QCOMPARE(Columna(t, TfTotalBov::Existentes),
                 (QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0"}));
        t.Movimiento(3)->setText(QStringLiteral("999"));
        t.Movimiento(4)->setText(QString());
        QCOMPARE(t.Total(), QStringLiteral("999"));
        emit t.Movimiento(4)->editingFinished();
        QCOMPARE(t.Movimiento(4)->text(), QStringLiteral("0"));
        // Entering a cell selects its text: typing replaces the 0.
        t.show();
        QVERIFY(QTest::qWaitForWindowActive(&t));
        t.Movimiento(5)->setFocus();
        QTRY_VERIFY(t.Movimiento(5)->hasSelectedText());
        QTest::keyClicks(t.Movimiento(5), QStringLiteral("12"));
        QCOMPARE(t.Movimiento(5)->text(), QStringLiteral("12"));
        QVERIFY(g->Textos().isEmpty());
    }

    // A certificate whose cycle has no row: said clearly, nothing can be confirmed.
    void sinCertificado() {
        GrabadoraInstalada g;
        TfTotalBov t({QStringLiteral("Predio"),
                      {QStringLiteral("777"), QStringLiteral("20"), QStringLiteral("BOV"), {}}});
        t.FormActivate();
        QVERIFY(!t.BitBtn1->isEnabled());
        QCOMPARE(g->Textos().size(), 1);
        QVERIFY(g->Textos().first().contains(QStringLiteral("777 del ciclo 20")));
        QVERIFY(!t.lCalcula->isHidden());
        t.Movimiento(0)->setText(QStringLiteral("1"));
        QCOMPARE(t.Movimiento(0)->text(), QStringLiteral("0"));
    }

    // A database error while computing (here a user without the right to read certificates)
    // reaches the general error display and leaves the dialog unconfirmable.
    void errorAlCalcular() {
        base_->Login(QStringLiteral("miron"), QStringLiteral("x"), QStringLiteral("SCZ"));
        base_->AbreSesion(QStringLiteral("miron"), QStringLiteral("x"));
        TfTotalBov t({QStringLiteral("Predio"),
                      {QStringLiteral("500"), QStringLiteral("25"), QStringLiteral("BOV"), {}}});
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, t.FormActivate());
        QVERIFY(!t.BitBtn1->isEnabled());
        QVERIFY(!t.lCalcula->isHidden());
    }

    // The statements as the registry writes them.
    void sentencias() {
        QCOMPARE(LineasVacunados(true).join('\n'),
                 QStringLiteral("SELECT\n"
                                "       ISNULL(BUB_Grupo_1M,0) AS grupo1M,\n"
                                "       ISNULL(BUB_Grupo_1H,0) AS grupo1H,\n"
                                "       ISNULL(BUB_Grupo_2M,0) AS grupo2M,\n"
                                "       ISNULL(BUB_Grupo_2H,0) AS grupo2H,\n"
                                "       ISNULL(BUB_Grupo_3M,0) AS grupo3M,\n"
                                "       ISNULL(BUB_Grupo_3H,0) AS grupo3H,\n"
                                "       ISNULL(BUB_Grupo_4M,0) AS grupo4M,\n"
                                "       ISNULL(BUB_Grupo_4H,0) AS grupo4H\n"
                                "FROM Ciclos\n"
                                "WHERE CertificadoNro = :ElCer\n"
                                "AND IdCiclo = :ElCic"));
        QVERIFY(LineasVacunados(false).at(1).contains(QStringLiteral("ISNULL(BOV_Grupo_1M,0)")));
        QCOMPARE(LineasMovidos(false).join('\n'),
                 QStringLiteral("SELECT ISNULL(SUM(Grupo_1M),0)  AS grupo1M,\n"
                                "       ISNULL(SUM(Grupo_1H),0) AS grupo1H,\n"
                                "       ISNULL(SUM(Grupo_2M),0)  AS grupo2M,\n"
                                "       ISNULL(SUM(Grupo_2H),0)  AS grupo2H,\n"
                                "       ISNULL(SUM(Grupo_3M),0)     AS grupo3M,\n"
                                "       ISNULL(SUM(Grupo_3H),0)     AS grupo3H,\n"
                                "       ISNULL(SUM(Grupo_4M),0)    AS grupo4M,\n"
                                "       ISNULL(SUM(Grupo_4H),0)   AS grupo4H\n"
                                "FROM Guias\n"
                                "WHERE Ori_Certificado = :ElCer\n"
                                "AND Ori_Ciclo = :ElCic\n"
                                "AND Especie = :LaEspecie"));
        QCOMPARE(LineasMovidos(true).mid(9),
                 (QStringList{"WHERE Des_Certificado = :ElCer", "AND Des_Ciclo = :ElCic",
                              "AND Especie = :LaEspecie"}));
    }

    // Each progress text is painted before its query runs.
    void progresoPintado() {
        struct Pintados : QObject {
            QStringList textos;
            bool eventFilter(QObject* o, QEvent* e) override {
                if (e->type() == QEvent::Paint)
                    textos << static_cast<QLabel*>(o)->text();
                return false;
            }
        } pintados;
        TfTotalBov t({QStringLiteral("Predio"),
                      {QStringLiteral("500"), QStringLiteral("25"), QStringLiteral("BOV"), {}}});
        t.lCalcula->installEventFilter(&pintados);
        t.show(); // the computation runs on its own once the dialog is up
        QTRY_VERIFY(t.BitBtn1->isEnabled());
        QVERIFY2(pintados.textos.contains(QStringLiteral("Calculando incremento de ganado ...")),
                 qPrintable(pintados.textos.join('|')));
        QVERIFY(pintados.textos.contains(QStringLiteral("Calculando decremento de ganado ...")));
    }

    // Shown for real: the computation runs once painted and "Aceptar" ends the dialog.
    void mostrado() {
        TfTotalBov t({QStringLiteral("Predio"),
                      {QStringLiteral("500"), QStringLiteral("25"), QStringLiteral("BOV"), {}}});
        t.show();
        QTRY_VERIFY(t.BitBtn1->isEnabled());
        QCOMPARE(t.Celda(TfTotalBov::Existentes, 0)->text(), QStringLiteral("7"));
        t.BitBtn1->click();
        QCOMPARE(t.result(), int(QDialog::Accepted));
    }

    // Preloaded with the form's counts, its total; digits only; the counts handed back.
    void otrasEspecies() {
        TfTotalOtrB t({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        QCOMPARE(t.Cantidad(9)->objectName(), QStringLiteral("mOTR_4H"));
        QCOMPARE(t.eOTR_Total->text(), QStringLiteral("55"));
        t.Cantidad(0)->setText(QString());
        QCOMPARE(t.eOTR_Total->text(), QStringLiteral("54"));
        t.Cantidad(1)->selectAll();
        QTest::keyClicks(t.Cantidad(1), QStringLiteral("x2;0"));
        QCOMPARE(t.Cantidad(1)->text(), QStringLiteral("20"));
        QCOMPARE(t.CantidadesGrupo(),
                 (std::array<std::int32_t, 10>{0, 20, 3, 4, 5, 6, 7, 8, 9, 10}));
        QCOMPARE(t.Total(), QStringLiteral("72"));
    }
};

TARVELION_PRUEBA_MAIN(TstExistencias)
#include "tst_existencias.moc"
