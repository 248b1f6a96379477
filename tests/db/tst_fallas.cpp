// Faults under a running session: a read that fails half-way raises the database's error and
// leaves no partial list, on every read path; a write after the file was removed or replaced
// fails loudly instead of going to a file nobody will see; errors of the system underneath read
// in Spanish ahead of the database's own text.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "common/ModeloGrilla.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/EscrituraPorFilas.h"
#include "db/TextoErrores.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <sqlite3.h>

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

// The text of the database error `accion` raises.
template <typename F> QString Falla(F accion) {
    try {
        accion();
    } catch (const ErrorBaseDatos& e) {
        return e.Texto();
    }
    return QStringLiteral("(sin error)");
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
        // The Spanish sentence, without SQLite's own English text.
        const QString texto = Falla([&] { filas.Abre(); });
        QVERIFY2(texto.startsWith(QString::fromUtf8("El archivo de la base de datos está dañado")),
                 qPrintable(texto));
        QVERIFY2(!texto.contains(QStringLiteral("malformed")), qPrintable(texto));
        QCOMPARE(filas.Registros(), 0);

        ModeloGrilla modelo;
        Consulta grilla(&c);
        grilla.FijaSql(sql);
        // A list for the grid waits for the file's check, which names the file and what to do.
        const QString lista = Falla([&] { grilla.AbreEn(modelo); });
        QVERIFY2(
            lista.startsWith(QString::fromUtf8("El archivo de la base de datos está dañado (") +
                             QDir::toNativeSeparators(base.Ruta())) &&
                lista.contains(QStringLiteral("moravel-admin rescata")),
            qPrintable(lista));
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

    // Blots in an index page that SQLite reads past: the same list comes back short with no
    // error. The grid's list waits for the file's check, which finds the damage and refuses.
    void danoQueSqliteCalla() {
        BaseDePrueba base;
        base.Sql(QStringLiteral("CREATE TABLE Lista (Id INTEGER PRIMARY KEY, D TEXT, N INTEGER)"));
        base.Sql(QStringLiteral("CREATE INDEX IxLista ON Lista (D, N)"));
        base.Sql(QStringLiteral("BEGIN"));
        for (int i = 0; i < 3000; ++i)
            base.Sql(QStringLiteral("INSERT INTO Lista (D, N) VALUES (?, ?)"),
                     {i % 3 ? QStringLiteral("SCZ") : QStringLiteral("BEN"), i});
        base.Sql(QStringLiteral("COMMIT"));
        base.Sql(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        const int raiz =
            base.Valor(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'IxLista'"))
                .toInt();
        const int pagina = base.Valor(QStringLiteral("PRAGMA page_size")).toInt();
        QFile archivo(base.Ruta());
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        const QByteArray sano = archivo.readAll();
        archivo.close();
        auto u16 = [&](qsizetype i) { return int(uchar(sano[i])) << 8 | uchar(sano[i + 1]); };
        auto u32 = [&](qsizetype i) { return u16(i) << 16 | u16(i + 2); };
        const qsizetype inicio = qsizetype(raiz - 1) * pagina;
        QCOMPARE(int(uchar(sano[inicio])), 0x02); // an interior page of an index
        QList<int> hijas{u32(inicio + 8)};
        for (int k = 0; k < u16(inicio + 3); ++k)
            hijas << u32(inicio + u16(inicio + 12 + 2 * k));
        // The first leaf whose blots SQLite reads past without a word.
        bool callado = false;
        for (int hija : hijas) {
            QByteArray d = sano;
            const qsizetype h = qsizetype(hija - 1) * pagina;
            for (qsizetype k = 256; k < 512; ++k)
                d[h + k] = '\x5A';
            QVERIFY(archivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
            archivo.write(d);
            archivo.close();
            sqlite3* bd = nullptr;
            sqlite3_open_v2(QFile::encodeName(base.Ruta()).constData(), &bd, SQLITE_OPEN_READONLY,
                            nullptr);
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(bd, "SELECT COUNT(*) FROM Lista INDEXED BY IxLista WHERE D = 'SCZ'",
                               -1, &st, nullptr);
            const bool fila = sqlite3_step(st) == SQLITE_ROW;
            const int n = fila ? sqlite3_column_int(st, 0) : -1;
            const bool fin = fila && sqlite3_step(st) == SQLITE_DONE;
            sqlite3_finalize(st);
            sqlite3_close(bd);
            if (fin && n >= 0 && n < 2000) {
                callado = true;
                break;
            }
        }
        QVERIFY(callado);
        Conexion c(QStringLiteral("callada"));
        c.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                        QStringLiteral("Moravel"));
        ModeloGrilla modelo;
        Consulta grilla({QStringLiteral("SELECT N FROM Lista WHERE D = 'SCZ'")}, &c);
        const QString texto = Falla([&] { grilla.AbreEn(modelo); });
        QVERIFY2(
            texto.startsWith(QString::fromUtf8("El archivo de la base de datos está dañado (")),
            qPrintable(texto));
        QCOMPARE(modelo.Filas(), 0);
        // Writes are refused too.
        QVERIFY(Falla([&] {
                    Consulta({QStringLiteral("INSERT INTO Talonarios VALUES ('Z', 'Z')")}, &c)
                        .Ejecuta();
                }).startsWith(QString::fromUtf8("El archivo de la base de datos está dañado (")));
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

    // Rows written in a batch are not looked at one by one: the batch's commit finds the file
    // gone and refuses to end as if they were kept.
    void loteTrasBorrarElArchivo() {
        BaseDePrueba base;
        Conexion c(QStringLiteral("lote"));
        c.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                        QStringLiteral("Moravel"));
        EscrituraPorFilas escritura(c, false, 500);
        Consulta fila({QStringLiteral("INSERT INTO Talonarios VALUES (:C, 'Servicio')")}, &c);
        fila.Texto(QStringLiteral("C"), QStringLiteral("A"));
        QCOMPARE(escritura.Fila([&] { fila.Ejecuta(); }), QString());
        QVERIFY(QFile::remove(base.Ruta()));
        fila.Texto(QStringLiteral("C"), QStringLiteral("B"));
        QCOMPARE(escritura.Fila([&] { fila.Ejecuta(); }), QString());
        try {
            escritura.Termina();
            QFAIL("el lote debía fallar");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("fue borrado o reemplazado")),
                     qPrintable(e.Texto()));
        }
    }

    // Errors of the system underneath get their sentence; the server's text follows it on SQL
    // Server, while SQLite's own English texts never reach a window (its syntax error reads as
    // the server's); the registry's own errors stay as they are.
    void textosDeErrores_data() {
        QTest::addColumn<QString>("codigo"); // SQLite result code or ODBC state
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("explicacion"); // empty: no sentence of the system
        QTest::addColumn<QString>("sigue");       // what follows it (or the whole text)
        QTest::newRow("ocupada") << "5"
                                 << "database is locked"
                                 << "está ocupada"
                                 << "";
        QTest::newRow("bloqueada") << "6"
                                   << "database table is locked"
                                   << "está ocupada"
                                   << "";
        QTest::newRow("solo lectura") << "8"
                                      << "attempt to write a readonly database"
                                      << "solo lectura"
                                      << "";
        QTest::newRow("disco lleno") << "13"
                                     << "Unknown error"
                                     << "está lleno"
                                     << "";
        QTest::newRow("falla de disco") << "266"
                                        << "disk I/O error"
                                        << "falla del disco"
                                        << "";
        QTest::newRow("no abre") << "14"
                                 << "unable to open database file"
                                 << "No se pudo abrir"
                                 << "";
        QTest::newRow("no es base") << "26"
                                    << "file is not a database"
                                    << "no es una base"
                                    << "";
        QTest::newRow("sintaxis") << "1"
                                  << "near \"SELEC\": syntax error"
                                  << ""
                                  << "Sintaxis incorrecta cerca de 'SELEC'.";
        QTest::newRow("propio del registro")
            << "1"
            << "Se denegó el permiso UPDATE en la fila de otro usuario de la tabla 'Usuarios'."
            << ""
            << "Se denegó el permiso UPDATE en la fila de otro usuario de la tabla 'Usuarios'.";
        QTest::newRow("conexion cerrada") << "08S01"
                                          << "Connection closed"
                                          << "Se perdió"
                                          << "Connection closed";
        QTest::newRow("sin respuesta") << "HYT00"
                                       << "Query timeout expired"
                                       << "no respondió"
                                       << "Query timeout expired";
        QTest::newRow("clave en servidor") << "23000"
                                           << "Violation of PRIMARY KEY constraint"
                                           << ""
                                           << "Violation of PRIMARY KEY constraint";
    }
    void textosDeErrores() {
        QFETCH(QString, codigo);
        QFETCH(QString, texto);
        QFETCH(QString, explicacion);
        QFETCH(QString, sigue);
        const QString leido = TextoErrorBase(
            QSqlError(QStringLiteral("driver"), texto, QSqlError::StatementError, codigo));
        if (explicacion.isEmpty()) {
            QCOMPARE(leido, sigue);
        } else {
            QVERIFY2(leido.contains(explicacion), qPrintable(leido));
            QVERIFY2(sigue.isEmpty() ? !leido.contains(QLatin1Char('\n'))
                                     : leido.endsWith(QLatin1Char('\n') + sigue),
                     qPrintable(leido));
        }
    }

    // A file that is not a database: said so, in Spanish.
    void archivoQueNoEsBase() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("Moravel.db"));
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
        f.close();
        Conexion c(QStringLiteral("texto"));
        const QString error = Falla([&] {
            c.AbreConfiable(ruta, QStringLiteral("admin"), QStringLiteral("PC"),
                            QStringLiteral("Moravel"));
        });
        QVERIFY2(error.contains(QStringLiteral("no es una base de datos del registro")),
                 qPrintable(error));
        QVERIFY(error.contains(QString::fromUtf8("está dañado o no es una base de datos")));
        QVERIFY2(!error.contains(QStringLiteral("file is not a database")), qPrintable(error));
    }

    // A value too long for its parameter: quoted short, and a "%1" typed by the user stays.
    void parametroDemasiadoLargo() {
        BaseDePrueba base;
        Conexion c(QStringLiteral("larga"));
        c.AbreConfiable(base.Ruta(), QStringLiteral("admin"), QStringLiteral("PC"),
                        QStringLiteral("Moravel"));
        Consulta q({QStringLiteral("SELECT :Valor AS v")}, &c);
        const QString valor =
            QStringLiteral("100%1 de %2 aprobado ") + QString(40, QLatin1Char('z'));
        q.Texto(QStringLiteral("Valor"), valor, 10);
        const QString error = Falla([&] { q.Abre(); });
        QCOMPARE(error, QString::fromUtf8("El valor del parámetro Valor (\"") + valor.left(40) +
                            QString::fromUtf8("…\") excede los 10 caracteres permitidos."));
    }
};

TARVELION_PRUEBA_MAIN(TstFallas)
#include "tst_fallas.moc"
