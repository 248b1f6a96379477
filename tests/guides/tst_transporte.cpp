// The transport registry lookup: the years offered, the search by owner and by plate with the
// criterion as typed, the row colours, the two refusals and the hand-back to the guide form.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/TdmDatos.h"
#include "common/Grilla.h"
#include "guides/TfSearch.h"
#include "guides/Transporte.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

struct Forma : ReceptorTransporte {
    QStringList recibido;
    void FijaTransporte(const QString& tipo, const QString& conductor) override {
        recibido << tipo << conductor;
    }
};

} // namespace

class TstTransporte : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    QStringList Placas(const TfSearch& s) const {
        QStringList r;
        for (int i = 0; i < s.DBGrid1->Modelo().Filas(); ++i)
            r << s.DBGrid1->Modelo().Texto(i, 0);
        return r;
    }
    void Busca(TfSearch& s, int tipo, const QString& criterio, const QString& anio) {
        s.cbTipo->setCurrentIndex(tipo);
        s.cbAnio->setCurrentText(anio);
        s.eCriterio->setText(criterio);
        QVERIFY(s.sbEjecutar->isEnabled());
        s.sbEjecutar->click();
    }
    void Elige(TfSearch& s, const QString& placa) {
        for (int i = 0; i < s.DBGrid1->Modelo().Filas(); ++i)
            if (s.DBGrid1->Modelo().Texto(i, 0) == placa)
                s.DBGrid1->setCurrentIndex(s.DBGrid1->model()->index(i, 0));
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        const int y = QDate::currentDate().year();
        auto vehiculo = [&](const char* placa, const char* tipo, const char* dueno, int nro,
                            const char* estado, int baja, const char* motivo, int anio) {
            base_->Sql(QStringLiteral("INSERT INTO Transporta VALUES (?, ?, ?, NULL, 'SCZ', "
                                      "'VOLVO', ?, ?, ?, ?, ?)"),
                       {QString::fromUtf8(placa), QString::fromUtf8(tipo), QString::fromUtf8(dueno),
                        nro, QString::fromLatin1(estado), baja, QString::fromUtf8(motivo),
                        QStringLiteral("%1-03-01 00:00:00.000").arg(anio)});
        };
        vehiculo("2345ABC", "Camión", "ZAPATA LUIS", 15, "A", 0, "", y);
        vehiculo("1123XYZ", "Camión", "AÑEZ O'HARA", 16, "A", 1, "VENDIDO", y);
        vehiculo("9123QQQ", "Carreta", "BARBA JUAN", 17, "X", 0, "", y);
        vehiculo("8123RRR", "Tren", "CRUZ ANA", 18, "A", 0, "", y - 1);
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    void anios_data() {
        QTest::addColumn<int>("actual");
        QTest::addColumn<QStringList>("esperados");
        QTest::newRow("2026") << 2026 << QStringList{"2026", "2025", "2024", "2023", "2022",
                                                     "2021", "2020", "2019", "2018", "2017",
                                                     "2016", "2015", "2014", "2013", "2012"};
        QTest::newRow("2012") << 2012 << QStringList{"2012"};
    }
    void anios() {
        QFETCH(int, actual);
        QFETCH(QStringList, esperados);
        QCOMPARE(AniosGestion(actual), esperados);
    }

    // The statement line by line; a quote in the criterion stays inside the literal.
    void sentencia() {
        QCOMPARE(LineasTransporte(QStringLiteral("2026"), true, QStringLiteral("1'2 ")),
                 (QStringList{"SELECT NroPlaca, TipoVehiculo, NombreSolicitante, BajaFecha,",
                              "SolicitudIdDistrital, Marca, SolicitudNro, SolicitudEstado, BajaDe,",
                              "BajaMotivo", "FROM Transporta",
                              "WHERE YEAR(SolicitudFechaSupervision)=2026",
                              "AND NroPlaca LIKE '%1''2 %'", "ORDER BY NombreSolicitante"}));
        QCOMPARE(LineasTransporte(QStringLiteral("2026"), false, QStringLiteral("ana")).at(5),
                 QStringLiteral("AND NombreSolicitante LIKE '%ana%'"));
    }

    // The years on opening, the criterion's rule, a search by plate in the chosen year ordered
    // by owner, a quote typed by the user, the colours.
    void busqueda() {
        Forma forma;
        TfSearch s(&forma);
        s.show();
        const QString y = QString::number(QDate::currentDate().year());
        QCOMPARE(s.cbAnio->currentText(), y);
        QCOMPARE(s.cbAnio->itemText(s.cbAnio->count() - 1), QStringLiteral("2012"));
        QCOMPARE(s.cbTipo->currentText(), QStringLiteral("propietario"));
        QCOMPARE(s.StatusBar1->text(), QStringLiteral("0 registro(s) encontrado(s) ..."));
        s.eCriterio->setText(QStringLiteral("12"));
        QVERIFY(!s.sbEjecutar->isEnabled());
        s.eCriterio->setText(QStringLiteral("   "));
        QVERIFY(s.sbEjecutar->isEnabled());

        Busca(s, 1, QStringLiteral("123"), y);
        QCOMPARE(Placas(s), (QStringList{"1123XYZ", "9123QQQ"})); // AÑEZ before BARBA
        QCOMPARE(s.StatusBar1->text(), QStringLiteral("2 registro(s) encontrado(s) ..."));
        QVERIFY(s.sbInsertar->isEnabled());
        const ModeloGrilla& m = s.DBGrid1->Modelo();
        const int estado = m.CampoPorNombre(QStringLiteral("SolicitudEstado"));
        auto color = [&](int fila) {
            return s.DBGrid1->model()->index(fila, 0).data(Qt::ForegroundRole).value<QColor>();
        };
        QCOMPARE(color(0), QColor(Qt::red));   // out of service, state "A"
        QCOMPARE(color(1), QColor(Qt::black)); // state "X": black, refused all the same
        QVERIFY(estado >= 0);

        Busca(s, 0, QStringLiteral("O'HARA"), y);
        QCOMPARE(Placas(s), QStringList{"1123XYZ"});
        Busca(s, 1, QStringLiteral("123"), QString::number(QDate::currentDate().year() - 1));
        QCOMPARE(Placas(s), QStringList{"8123RRR"});
        Busca(s, 0, QStringLiteral("NADIE"), y);
        QVERIFY(!s.sbInsertar->isEnabled());
    }

    // Out of service first (its reason shown), then not approved; the dialog stays open and
    // nothing reaches the form. An approved vehicle is handed back and the dialog closes.
    void eleccion() {
        GrabadoraInstalada g;
        Forma forma;
        TfSearch s(&forma);
        s.show();
        const QString y = QString::number(QDate::currentDate().year());
        Busca(s, 1, QStringLiteral("123"), y);
        Elige(s, QStringLiteral("1123XYZ"));
        s.sbInsertar->click();
        Elige(s, QStringLiteral("9123QQQ"));
        s.sbInsertar->click();
        QCOMPARE(g->Textos().size(), 2);
        QCOMPARE(g->Textos().at(0),
                 RechazoTransporte(true, QStringLiteral("A"), QStringLiteral("VENDIDO")));
        QVERIFY(g->Textos().at(0).contains(QStringLiteral("MOTIVO:\rVENDIDO\r\r")));
        QVERIFY(g->Textos().at(1).startsWith(QStringLiteral(
            "No puede utilizar este registro de RTA debido a que la solicitud no está")));
        QVERIFY(forma.recibido.isEmpty());
        QVERIFY(s.isVisible());

        Busca(s, 1, QStringLiteral("2345"), y);
        Elige(s, QStringLiteral("2345ABC"));
        s.sbInsertar->click();
        QCOMPARE(forma.recibido,
                 (QStringList{QString::fromUtf8("Camión"), "RTA:SCZ-15, PLACA:2345ABC"}));
        QCOMPARE(s.result(), int(QDialog::Accepted));
    }
};

TARVELION_PRUEBA_MAIN(TstTransporte)
#include "tst_transporte.moc"
