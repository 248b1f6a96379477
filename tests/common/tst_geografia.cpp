// The province and municipality refill piece, and the vocabulary it serves with.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "app/TdmDatos.h"
#include "common/RellenoGeografia.h"
#include "common/Vocabulario.h"

#include <QComboBox>

namespace {
QStringList Textos(const QComboBox& c) {
    QStringList t;
    for (int i = 0; i < c.count(); ++i)
        t << c.itemText(i);
    return t;
}
} // namespace

class TstGeografia : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

private Q_SLOTS:
    void initTestCase() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        // The same province code "01" names different provinces in SCZ and BEN; PDO has none.
        base_->Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("SCZ"));
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("ana"), QStringLiteral("x"));
    }
    void cleanupTestCase() {
        delete datos_;
        delete base_;
    }

    void cambioDeDepartamentoRellenaTodo() {
        QComboBox dis, pro, mun;
        dis.addItems(Vocabulario::Distritales());
        dis.setCurrentIndex(-1);
        RellenoGeografia relleno(&dis, &pro, &mun);
        dis.setCurrentText(QStringLiteral("SCZ"));
        QCOMPARE(Textos(pro), QString::fromUtf8("Andrés Ibáñez,Warnes").split(','));
        QCOMPARE(relleno.IdProvincia(), QStringLiteral("01"));
        QCOMPARE(Textos(mun), QStringList({"Cotoca", "Santa Cruz de la Sierra"}));
        QCOMPARE(relleno.IdMunicipio(), QStringLiteral("02"));

        // A change of province refills only the municipalities.
        QVERIFY(relleno.SeleccionaProvincia(QStringLiteral("02")));
        QCOMPARE(Textos(mun), QStringList({"Warnes"}));

        // Same province code in another department: only that department's municipalities.
        dis.setCurrentText(QStringLiteral("BEN"));
        QCOMPARE(Textos(pro), QString::fromUtf8("Cercado,Vaca Díez").split(','));
        QCOMPARE(Textos(mun), QStringList({"Trinidad"}));
        QVERIFY(relleno.SeleccionaProvincia(QStringLiteral("02")));
        QCOMPARE(Textos(mun), QString::fromUtf8("Guayaramerín,Riberalta").split(','));
    }

    void departamentoSinProvincias() {
        QComboBox dis, pro, mun;
        dis.addItems(Vocabulario::Distritales());
        RellenoGeografia relleno(&dis, &pro, &mun);
        dis.setCurrentText(QStringLiteral("SCZ"));
        dis.setCurrentText(QStringLiteral("PDO"));
        QCOMPARE(pro.count(), 0);
        QCOMPARE(pro.currentIndex(), -1);
        QVERIFY(relleno.IdProvincia().isEmpty());
        QCOMPARE(mun.count(), 0);
        QVERIFY(relleno.IdMunicipio().isEmpty());
    }

    void especies_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("impreso");
        QTest::newRow("patos") << "Patos"
                               << "PAT"
                               << "Pato";
        QTest::newRow("camelidos")
            << QString::fromUtf8("Camélidos") << "CAM" << QString::fromUtf8("Camélidos");
        QTest::newRow("bovinos") << "Bovinos"
                                 << "BOV"
                                 << "Bovinos";
    }
    void especies() {
        QFETCH(QString, lista);
        QFETCH(QString, codigo);
        QFETCH(QString, impreso);
        QCOMPARE(Vocabulario::CodigoEspecie(lista), codigo);
        QCOMPARE(Vocabulario::BuscaEspecie(codigo)->nombreImpreso, impreso);
        QCOMPARE(int(Vocabulario::Especies().size()), 11);
    }

    void textosDeGrupos() {
        using Vocabulario::ClaseEspecie;
        QVERIFY(Vocabulario::TextoGrupo(ClaseEspecie::Bovina, 0, QLatin1Char('M')).isEmpty());
        QCOMPARE(Vocabulario::TextoGrupo(ClaseEspecie::Bovina, 1, QLatin1Char('H')),
                 QStringLiteral(" H < 12 meses"));
        QCOMPARE(Vocabulario::TextoGrupo(ClaseEspecie::Otra, 0, QLatin1Char('M')),
                 QStringLiteral(" M < 6 meses"));
        QCOMPARE(Vocabulario::TextoGrupo(ClaseEspecie::Otra, 1, QLatin1Char('M')),
                 QStringLiteral(" M 7 - 12 meses"));
        QCOMPARE(Vocabulario::TextoGrupo(ClaseEspecie::Ave, 4, QLatin1Char('H')),
                 QStringLiteral(" H > 36 meses"));
        QCOMPARE(Vocabulario::ColumnasGrupo().first(), QStringLiteral("Grupo_0M"));
        QCOMPARE(Vocabulario::ColumnasGrupo().last(), QStringLiteral("Grupo_4H"));
        QVERIFY(!Vocabulario::RubrosOrigen().contains(QStringLiteral("Consumo")));
        QVERIFY(!Vocabulario::RubrosDestino().contains(QString::fromUtf8("Importación")));
    }
};

TARVELION_PRUEBA_MAIN(TstGeografia)
#include "tst_geografia.moc"
