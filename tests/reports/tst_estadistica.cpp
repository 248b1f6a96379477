// Statistics by province: the provinces each department lists, the totals of both statements
// side by side with NULL totals and codes outside the names, the clearing rules, and the
// chart read from its objects: titles, series, value marks, the depth drawn for "3D" and the
// bitmap on the clipboard.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Fixturas.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/TdmDatos.h"
#include "app/TfPrinc.h"
#include "common/Errores.h"
#include "reports/EstadisticaProvincias.h"
#include "reports/GraficoProvincias.h"
#include "reports/TfEstadisP.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

class TstEstadistica : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    // A current-cycle certificate of `dis`/`pro` with its bovine groups; `sinGrupo4H` leaves
    // the last group without a value.
    void Vigente(const QString& ciclo, int nro, const QString& dis, const QString& pro,
                 const std::array<int, 8>& bovinos, bool sinGrupo4H = false) {
        CertificadoCiclo(*base_, ciclo, nro, QStringLiteral("P%1").arg(nro), bovinos,
                         {9, 9, 9, 9, 9, 9, 9, 9});
        base_->Sql(QStringLiteral("UPDATE Ciclos SET Predio_IdDistrital = ?, Predio_IdProvincia "
                                  "= ? WHERE IdCiclo = ? AND CertificadoNro = ?"),
                   {dis, pro, ciclo, nro});
        if (sinGrupo4H)
            base_->Sql(QStringLiteral("UPDATE Ciclos SET BOV_Grupo_4H = NULL WHERE IdCiclo = ? "
                                      "AND CertificadoNro = ?"),
                       {ciclo, nro});
    }

    static QString Celda(const TfEstadisP& e, int fila, int columna) {
        const QTableWidgetItem* i = e.sgTotal->item(fila, columna);
        return i ? i->text() : QString();
    }
    static QList<qreal> Valores(const QBarSet* s) {
        QList<qreal> v;
        for (int i = 0; i < s->count(); ++i)
            v << s->at(i);
        return v;
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("lector"), QStringLiteral("x"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Lee")});
        // Cycle 25 in SCZ: two certificates in province 1, one in the last province (15), one
        // in province 3 whose group 4H has no value anywhere (a NULL total), and codes 00 and
        // 16 that name no province. Buffaloes are not counted in the current cycles.
        const QString scz = QStringLiteral("SCZ");
        Vigente(QStringLiteral("25"), 1, scz, QStringLiteral("01"), {1, 2, 3, 4, 5, 6, 7, 8});
        Vigente(QStringLiteral("25"), 2, scz, QStringLiteral("01"), {10, 0, 0, 0, 0, 0, 0, 0});
        Vigente(QStringLiteral("25"), 3, scz, QStringLiteral("15"), {5, 0, 0, 0, 0, 0, 0, 0});
        Vigente(QStringLiteral("25"), 4, scz, QStringLiteral("00"), {2, 0, 0, 0, 0, 0, 0, 0});
        Vigente(QStringLiteral("25"), 5, scz, QStringLiteral("16"), {3, 0, 0, 0, 0, 0, 0, 0});
        Vigente(QStringLiteral("25"), 6, scz, QStringLiteral("03"), {4, 4, 0, 0, 0, 0, 0, 0}, true);
        Vigente(QStringLiteral("25"), 7, QStringLiteral("BEN"), QStringLiteral("01"),
                {100, 0, 0, 0, 0, 0, 0, 0});
        // Legacy cycle 20 in SCZ counts every category, buffaloes included.
        CertificadoLegado(*base_, QStringLiteral("20"), 1, QStringLiteral("L1"), scz,
                          QStringLiteral("02"), {1, 1, 1, 1, 1, 1, 1, 3});
        CertificadoLegado(*base_, QStringLiteral("20"), 2, QStringLiteral("L2"), scz,
                          QStringLiteral("15"), {2, 2, 2, 2, 2, 2, 2, 2});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("lector"), QStringLiteral("x"));
        datos_->LeePerfil();
    }
    void cleanup() {
        delete fEstadisP.data();
        delete datos_;
        delete base_;
    }

    // The window opens on BEN (the first department, shown without a pick) and each pick lists
    // that department's provinces in code order.
    void provincias_data() {
        QTest::addColumn<QString>("departamento");
        QTest::addColumn<int>("filas");
        QTest::addColumn<QString>("primera");
        QTest::addColumn<QString>("ultima");
        QTest::newRow("BEN") << "BEN" << 8 << "Cercado" << QString::fromUtf8("Iténez");
        QTest::newRow("SCZ") << "SCZ" << 15 << QString::fromUtf8("A.Ibañe") << "Guarayo";
        QTest::newRow("CBB") << "CBB" << 16 << "Cercado"
                             << "Tiraque";
        QTest::newRow("PTS") << "PTS" << 16 << QString::fromUtf8("T.Frías") << "E.Baldi";
        QTest::newRow("ORU") << "ORU" << 16 << "Cercado"
                             << "N.Caran";
        QTest::newRow("TJA") << "TJA" << 6 << "Cercado"
                             << "O Connor";
        QTest::newRow("PDO") << "PDO" << 5 << QString::fromUtf8("N. Suárez")
                             << QString::fromUtf8("Gral. Román");
        QTest::newRow("LPZ") << "LPZ" << 20 << "Muril"
                             << "Caran";
    }
    void provincias() {
        QFETCH(QString, departamento);
        QFETCH(int, filas);
        QFETCH(QString, primera);
        QFETCH(QString, ultima);
        AbreEstadisticaProvincias();
        TfEstadisP& e = *fEstadisP;
        QCOMPARE(e.windowTitle(), QString::fromUtf8("Reporte estadístico según provincias"));
        QCOMPARE(e.cDistrital->currentText(), QStringLiteral("BEN"));
        QCOMPARE(e.sgTotal->rowCount(), 8);
        QCOMPARE(Celda(e, 0, 0), QStringLiteral("Cercado"));
        QCOMPARE(e.cb1->currentText() + e.cb2->currentText() + e.cb3->currentText(),
                 QStringLiteral("252423"));
        QCOMPARE(e.sgTotal->horizontalHeaderItem(2)->text(), QStringLiteral("24"));
        QCOMPARE(e.Chart1->Series[2]->label(), QStringLiteral("23 ciclo"));
        QCOMPARE(e.Chart1->Chart1->title(),
                 QString::fromUtf8("CANTIDAD DE GANADO BOVINO SEGÚN PROVINCIAS [ ---]"));
        Elige(e.cDistrital, departamento);
        QCOMPARE(e.sgTotal->rowCount(), filas);
        QCOMPARE(Celda(e, 0, 0), primera);
        QCOMPARE(Celda(e, filas - 1, 0), ultima);
    }

    // Cycle 20 from the legacy table beside 25 from Ciclos and an empty 23: cells, NULL
    // totals, codes outside the names on "Sin provincia" (which appears with the second series
    // and gives the first a 0 bar), department totals, bars for every row.
    void totales() {
        AbreEstadisticaProvincias();
        TfEstadisP& e = *fEstadisP;
        Elige(e.cDistrital, QStringLiteral("SCZ"));
        Elige(e.cb1, QStringLiteral("20"));
        Elige(e.cb2, QStringLiteral("25"));
        Elige(e.cb3, QStringLiteral("23"));
        e.SpeedButton1->click();

        QCOMPARE(e.Chart1->Chart1->title(),
                 QString::fromUtf8("CANTIDAD DE GANADO BOVINO SEGÚN PROVINCIAS [SCZ]"));
        QCOMPARE(e.sgTotal->rowCount(), 16);
        QCOMPARE(Celda(e, 15, 0), QStringLiteral("Sin provincia"));
        QCOMPARE(e.sgTotal->horizontalHeaderItem(1)->text(), QStringLiteral("20"));
        QStringList c20, c25, c23;
        for (int r = 0; r < 16; ++r) {
            c20 << Celda(e, r, 1);
            c25 << Celda(e, r, 2);
            c23 << Celda(e, r, 3);
        }
        QStringList esperado20(16), esperado25(16);
        esperado20[1] = QStringLiteral("10");
        esperado20[14] = QStringLiteral("16");
        esperado25[0] = QStringLiteral("46");
        esperado25[14] = QStringLiteral("5");
        esperado25[15] = QStringLiteral("5"); // codes 00 and 16
        QCOMPARE(c20, esperado20);
        QCOMPARE(c25, esperado25); // province 3 has a NULL total: empty
        QCOMPARE(c23, QStringList(16));
        QCOMPARE(e.stSerie1->text(), QStringLiteral("26"));
        QCOMPARE(e.stSerie2->text(), QStringLiteral("56"));
        QCOMPARE(e.stSerie3->text(), QStringLiteral("0"));

        const GraficoProvincias& g = *e.Chart1;
        QCOMPARE(g.ejeProvincias->count(), 16);
        QCOMPARE(g.ejeProvincias->at(0), QString::fromUtf8("A.Ibañe"));
        QCOMPARE(g.ejeProvincias->at(15), QStringLiteral("Sin provincia"));
        QList<qreal> v20(16, 0), v25(16, 0);
        v20[1] = 10;
        v20[14] = 16;
        v25[0] = 46;
        v25[14] = 5;
        v25[15] = 5;
        QCOMPARE(Valores(g.Series[0]), v20);
        QCOMPARE(Valores(g.Series[1]), v25);
        QCOMPARE(Valores(g.Series[2]), QList<qreal>(16, 0));
        QCOMPARE(g.Series[0]->label(), QStringLiteral("20 ciclo"));
        QCOMPARE(g.Series[1]->label(), QStringLiteral("25 ciclo"));
        QCOMPARE(g.Series[0]->color(), QColor(255, 0, 0));
        QCOMPARE(g.Series[1]->color(), QColor(0, 128, 0));
        QCOMPARE(g.Series[2]->color(), QColor(255, 255, 0));
        QVERIFY(g.Chart1->legend()->isVisible());
        QVERIFY(g.Chart1->titleFont().bold());

        // Drawing again overwrites and keeps the gathering row; a pick in any cycle list
        // clears all three columns and the row.
        e.SpeedButton1->click();
        QCOMPARE(e.sgTotal->rowCount(), 16);
        QCOMPARE(Celda(e, 15, 2), QStringLiteral("5"));
        QCOMPARE(Valores(g.Series[1]), v25);
        Elige(e.cb3, QStringLiteral("22"));
        QCOMPARE(e.sgTotal->rowCount(), 15);
        for (int r = 0; r < 15; ++r)
            for (int c = 1; c <= 3; ++c)
                QVERIFY(Celda(e, r, c).isEmpty());
        QCOMPARE(Celda(e, 0, 0), QString::fromUtf8("A.Ibañe"));
        QCOMPARE(e.sgTotal->horizontalHeaderItem(3)->text(), QStringLiteral("23"));
    }

    // A statement that fails reaches the error display; the series drawn before it stay.
    void falla() {
        base_->Sql(QStringLiteral("DROP TABLE Vacunaciones"));
        AbreEstadisticaProvincias();
        TfEstadisP& e = *fEstadisP;
        Elige(e.cDistrital, QStringLiteral("SCZ"));
        Elige(e.cb2, QStringLiteral("20"));
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, e.SpeedButton1Click());
        QCOMPARE(e.Chart1->Series[0]->count(), 16);
        QCOMPARE(e.Chart1->Series[1]->count(), 0);
        QCOMPARE(e.stSerie1->text(), QStringLiteral("56"));
    }

    // Value marks shown from the first drawing when asked for before; the depth faces drawn
    // beside the bars only with "3D"; the chart copied as a bitmap of its size. Opened once
    // from the menu, the window is reused.
    void grafico() {
        GrabadoraInstalada g;
        TfPrinc principal;
        principal.resize(1280, 800);
        principal.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principal));
        principal.porprovincias1->trigger();
        QVERIFY(fEstadisP);
        TfEstadisP* primera = fEstadisP;
        principal.porprovincias1->trigger();
        QCOMPARE(fEstadisP.data(), primera);
        TfEstadisP& e = *fEstadisP;
        Elige(e.cDistrital, QStringLiteral("SCZ"));
        e.cEtiquetas->setChecked(true);
        e.SpeedButton1->click();
        QVERIFY(e.Chart1->barras->isLabelsVisible());
        QVERIFY(e.c3D->isChecked() && e.Chart1->Es3D());

        // The top face of province 1's red bar lies just above and to the right of its front.
        const QRectF frente = e.Chart1->FrentesSerie(0).at(0);
        QVERIFY(frente.height() > 20);
        const QPoint encima = (QPointF(frente.center().x() + 2, frente.top() - 2)).toPoint();
        auto rojizo = [](QRgb c) { return qRed(c) > 90 && qGreen(c) < 80 && qBlue(c) < 80; };
        QVERIFY(rojizo(e.Chart1->Imagen().pixel(frente.center().toPoint())));
        QVERIFY(rojizo(e.Chart1->Imagen().pixel(encima)));
        e.c3D->setChecked(false);
        QVERIFY(!rojizo(e.Chart1->Imagen().pixel(encima)));
        e.cEtiquetas->setChecked(false);
        QVERIFY(!e.Chart1->barras->isLabelsVisible());

        e.SpeedButton2->click();
        const QImage copia = QGuiApplication::clipboard()->image();
        QCOMPARE(copia.size(), e.Chart1->viewport()->size());
        QCOMPARE(copia.pixel(2, 2), qRgb(255, 255, 255));
        QCOMPARE(g->Textos(), QStringList{QStringLiteral("Se copió el gráfico al portapapeles !")});
    }
};

TARVELION_PRUEBA_MAIN(TstEstadistica)
#include "tst_estadistica.moc"
