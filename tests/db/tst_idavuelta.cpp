// Values that go to the database and come back the same on both backends (the embedded file,
// and SQL Server's path through ODBC and FreeTDS): texts with ñ and accents and quotes, a
// 20-character password with quotes, dates at midnight and at the last tick of a day, NULL
// against an empty text, a long text, and a typed value in a list statement's literal.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QTest>

namespace {

const QString kClave = QString::fromUtf8("O'Bri\"en;--ñá ÉÜ x'1"); // 20 characters

} // namespace

class TstIdaVuelta : public QObject {
    Q_OBJECT

    BaseDePrueba* base_ = nullptr;
    Conexion* conexion_ = nullptr;

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("ana"), kClave, QStringLiteral("BEN"));
        conexion_ = new Conexion(QStringLiteral("idavuelta"));
        QCOMPARE(kClave.size(), 20);
        try {
            base_->AbreConexion(*conexion_, QStringLiteral("ana"), kClave);
        } catch (const ErrorTarvelion& e) {
            QFAIL(qPrintable(e.Texto()));
        }
    }
    void cleanup() {
        delete conexion_;
        delete base_;
    }

    void valores_data() {
        QTest::addColumn<QString>("pregunta");
        QTest::addColumn<QVariant>("respuesta"); // null: NULL
        QTest::addColumn<QVariant>("servicio");
        QTest::addColumn<QDateTime>("fecha");
        QTest::newRow("acentos y medianoche")
            << QString::fromUtf8("¿Cómo año ÑANDÚ «güero» € – “x”?") << QVariant(QString())
            << QVariant(QStringLiteral("")) << QDateTime(QDate(2026, 1, 1), QTime(0, 0));
        QTest::newRow("comillas y último instante")
            << QStringLiteral("O'Brien dijo \"no\"; DROP TABLE Foros --")
            << QVariant(QStringLiteral("")) << QVariant()
            << QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59, 997));
        QTest::newRow("texto largo")
            << QString(150, QChar(0xF1)) << QVariant(QString::fromUtf8("línea ").repeated(1500))
            << QVariant(QStringLiteral("SCZ "))
            << QDateTime(QDate(1999, 2, 28), QTime(12, 0, 0, 3));
    }
    void valores() {
        QFETCH(QString, pregunta);
        QFETCH(QVariant, respuesta);
        QFETCH(QVariant, servicio);
        QFETCH(QDateTime, fecha);
        Consulta escribe({QStringLiteral("INSERT INTO Foros (IdPregunta, Pregunta, Respuesta, "
                                         "Categoria, IdServicio, PreguntadaPor, FechaPregunta) "
                                         "VALUES (:Id, :Pregunta, :Respuesta, 'T', :Servicio, "
                                         "SUSER_SNAME(), :Fecha)")},
                         conexion_);
        escribe.EnteroCorto(QStringLiteral("Id"), 7);
        escribe.Texto(QStringLiteral("Pregunta"), pregunta, 150);
        if (respuesta.isNull())
            escribe.Nulo(QStringLiteral("Respuesta"), TipoParametro::Texto);
        else
            escribe.Texto(QStringLiteral("Respuesta"), respuesta.toString());
        if (servicio.isNull())
            escribe.Nulo(QStringLiteral("Servicio"), TipoParametro::Texto);
        else
            escribe.Texto(QStringLiteral("Servicio"), servicio.toString(), 4);
        escribe.FechaHora(QStringLiteral("Fecha"), fecha);
        QCOMPARE(escribe.Ejecuta(), 1);

        // Read back through the same path, found by the date to the millisecond.
        Consulta lee({QStringLiteral("SELECT * FROM Foros WHERE FechaPregunta = :Fecha")},
                     conexion_);
        lee.FechaHora(QStringLiteral("Fecha"), fecha);
        lee.Abre();
        QCOMPARE(lee.Registros(), 1);
        QCOMPARE(lee.EnteroCampo(QStringLiteral("IdPregunta")), 7);
        QCOMPARE(lee.TextoCampo(QStringLiteral("Pregunta")), pregunta);
        QCOMPARE(lee.EsNulo(QStringLiteral("Respuesta")), respuesta.isNull());
        QCOMPARE(lee.TextoCampo(QStringLiteral("Respuesta")), respuesta.toString());
        QCOMPARE(lee.EsNulo(QStringLiteral("IdServicio")), servicio.isNull());
        QCOMPARE(lee.TextoCampo(QStringLiteral("IdServicio")), servicio.toString());
        QCOMPARE(lee.TextoCampo(QStringLiteral("PreguntadaPor")), QStringLiteral("ana"));
        QCOMPARE(lee.FechaCampo(QStringLiteral("FechaPregunta")), fecha);
        QVERIFY(lee.EsNulo(QStringLiteral("FechaRespuesta")));

        // What the file holds is the same whichever way it was written.
        const QVariantList fila = base_->Fila(
            QStringLiteral("SELECT Pregunta, Respuesta, IdServicio, FechaPregunta FROM Foros"));
        QCOMPARE(fila[0].toString(), pregunta);
        QCOMPARE(fila[1].isNull(), respuesta.isNull());
        QCOMPARE(fila[2].isNull(), servicio.isNull());
        QCOMPARE(fila[3].toString(), fecha.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));

        // A list statement's literal finds the row by its text, accents and quotes included.
        Consulta lista({QStringLiteral("SELECT COUNT(*) AS n FROM Foros WHERE Pregunta = ") +
                        LiteralSql(pregunta)},
                       conexion_);
        lista.Abre();
        QCOMPARE(lista.EnteroCampo(QStringLiteral("n")), 1);
    }

    // The password with quotes and accents signs in; one character short does not.
    void clave() {
        Conexion otra(QStringLiteral("otra"));
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos,
                                 base_->AbreConexion(otra, QStringLiteral("ana"), kClave.left(19)));
        QVERIFY(!otra.Abierta());
        QVERIFY(conexion_->Abierta());
        Consulta q({QStringLiteral("SELECT SUSER_SNAME() AS u")}, conexion_);
        q.Abre();
        QCOMPARE(q.TextoCampo(QStringLiteral("u")), QStringLiteral("ana"));
    }
};

TARVELION_PRUEBA_MAIN(TstIdaVuelta)
#include "tst_idavuelta.moc"
