// Faults under a running session: a read that fails half-way raises the database's error and
// leaves no partial list, on every read path; a write after the file was removed or replaced
// fails loudly instead of going to a file nobody will see.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "common/ModeloGrilla.h"
#include "db/Conexion.h"
#include "db/Consulta.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// A table whose rows fill the end of the file, then some of its pages overwritten.
void DanaArchivo(BaseDePrueba& base) {
    base.Sql(QStringLiteral("CREATE TABLE Relleno (Id INTEGER, Texto TEXT)"));
    base.Sql(QStringLiteral("BEGIN"));
    for (int i = 0; i < 1000; ++i)
        base.Sql(QStringLiteral("INSERT INTO Relleno VALUES (?, ?)"),
                 {i, QString(800, QLatin1Char('a' + i % 26))});
    base.Sql(QStringLiteral("COMMIT"));
    base.Sql(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    QFile archivo(base.Ruta());
    QVERIFY(archivo.open(QIODevice::ReadWrite));
    const qint64 tamano = archivo.size();
    // Two pages at four fifths of the file: leaves of the table, well past its first rows.
    archivo.seek(tamano * 4 / 5 / 4096 * 4096);
    archivo.write(QByteArray(8192, '\xA5'));
    archivo.close();
}

} // namespace

class TstFallas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lecturaDanadaSeInforma() {
        BaseDePrueba base;
        DanaArchivo(base);
        Conexion c(QStringLiteral("danada"));
        c.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                        QStringLiteral("Moravel"));
        const QStringList sql{QStringLiteral("SELECT Id, Texto FROM Relleno")};

        Consulta filas(&c);
        filas.FijaSql(sql);
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, filas.Abre());
        QCOMPARE(filas.Registros(), 0);

        ModeloGrilla modelo;
        Consulta grilla(&c);
        grilla.FijaSql(sql);
        QVERIFY_THROWS_EXCEPTION(ErrorBaseDatos, grilla.AbreEn(modelo));
        QCOMPARE(modelo.Filas(), 0);
        QVERIFY(!modelo.Activo());

        // The grid's fill through a query object, as on the SQL Server path.
        ModeloGrilla otro;
        QSqlQuery q(c.Bd());
        q.setForwardOnly(true);
        QVERIFY(q.exec(sql.first()));
        QVERIFY(!otro.Carga(q));
        QVERIFY(!otro.Activo());
    }

    void escrituraTrasBorrarElArchivo_data() {
        QTest::addColumn<bool>("reemplazado");
        QTest::newRow("borrado") << false;
        QTest::newRow("reemplazado") << true;
    }
    void escrituraTrasBorrarElArchivo() {
        QFETCH(bool, reemplazado);
        BaseDePrueba base;
        BaseDePrueba otra;
        Conexion c(QStringLiteral("movida"));
        c.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                        QStringLiteral("Moravel"));
        Consulta inserta({QStringLiteral("INSERT INTO Talonarios VALUES ('A', 'Servicio')")}, &c);
        inserta.Ejecuta();
        if (reemplazado)
            QVERIFY(::rename(otra.Ruta().toLocal8Bit().constData(),
                             base.Ruta().toLocal8Bit().constData()) == 0);
        else
            QVERIFY(QFile::remove(base.Ruta()));
        Consulta otraFila({QStringLiteral("INSERT INTO Talonarios VALUES ('B', 'Servicio')")}, &c);
        try {
            otraFila.Ejecuta();
            QFAIL("la escritura debía fallar");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("fue borrado o reemplazado")),
                     qPrintable(e.Texto()));
        }
    }
};

TARVELION_PRUEBA_MAIN(TstFallas)
#include "tst_fallas.moc"
