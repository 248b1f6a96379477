// The workbook reader on files a real spreadsheet program wrote (LibreOffice, from
// libros/listado.fods): the sheet found by name, every cell in its own type, the rows and
// cells the file leaves out, and clear errors for what is no workbook.
#include "apoyo/Principal.h"
#include "common/Errores.h"
#include "common/LibroCalculo.h"

#include <QFile>
#include <QTemporaryDir>
#include <ctime>

namespace {

// The non-empty rows as "row: cell | cell ...", each cell "type:value".
class Tabla : public LibroCalculo::Lector {
public:
    QStringList filas;
    int progreso = 0, total = 0;
    bool Fila(int fila, const std::vector<LibroCalculo::Celda>& celdas) override {
        QStringList c;
        bool vacia = true;
        for (const LibroCalculo::Celda& x : celdas) {
            static const char* const tipos[] = {"", "N", "F", "T", "L"};
            c << (x.tipo == LibroCalculo::Celda::Vacia
                      ? QString()
                      : QLatin1String(tipos[x.tipo]) + QLatin1Char(':') + x.ComoTexto());
            vacia = vacia && x.tipo == LibroCalculo::Celda::Vacia;
        }
        while (!c.isEmpty() && c.last().isEmpty())
            c.removeLast();
        if (!vacia)
            filas << QString::number(fila) + QStringLiteral(": ") + c.join(QStringLiteral(" | "));
        return true;
    }
    void Progreso(int leidas, int de) override {
        progreso = leidas;
        total = de;
    }
};

} // namespace

class TstLibro : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formatos_data() {
        QTest::addColumn<QString>("archivo");
        QTest::newRow("xlsx") << "listado.xlsx";
        QTest::newRow("ods") << "listado.ods";
        QTest::newRow("xls") << "listado.xls";
    }
    void formatos() {
        QFETCH(QString, archivo);
        Tabla t;
        try {
            LibroCalculo::LeeHoja(QFINDTESTDATA("libros/" + archivo), QStringLiteral("Listado"), t);
        } catch (const ErrorTarvelion& e) {
            QFAIL(qPrintable(e.Texto()));
        }
        const QStringList esperadas{
            QString::fromUtf8("1: T:Título"),
            // LibreOffice keeps a logical value as the number 1 with a logical format.
            QString::fromUtf8("4: N:4711 | T:LA CAÑADA 'O''; DROP |  |  | F:01/05/2020 | N:2.5 | "
                              "N:1 | T:Ñandú  dos"),
            QString::fromUtf8("5: N:12 | T:数字")};
        QCOMPARE(t.filas, esperadas);
        // The progress ends full, whether the sheet says how many rows it has or not.
        QVERIFY(t.total > 0);
        QCOMPARE(t.progreso, t.total);
    }

    // Dates by their number format; Excel's day numbers.
    void fechas() {
        QVERIFY(LibroCalculo::FormatoDeFecha(QStringLiteral("dd/mm/yyyy")));
        QVERIFY(LibroCalculo::FormatoDeFecha(QStringLiteral("[$-409]d-mmm-yy;@")));
        QVERIFY(!LibroCalculo::FormatoDeFecha(QStringLiteral("[Red]#,##0.00")));
        QVERIFY(!LibroCalculo::FormatoDeFecha(QStringLiteral("\"días\" 0")));
        QVERIFY(!LibroCalculo::FormatoDeFecha(QStringLiteral("General")));
        QCOMPARE(LibroCalculo::FechaDeSerie(43952),
                 QDateTime(QDate(2020, 5, 1), QTime(0, 0), Qt::UTC));
        QCOMPARE(LibroCalculo::FechaDeSerie(43952.5),
                 QDateTime(QDate(2020, 5, 1), QTime(12, 0), Qt::UTC));
        // A day whose midnight a time zone skips (Asunción, 4 October 2020) keeps its date.
        qputenv("TZ", "America/Asuncion");
        tzset();
        QCOMPARE(LibroCalculo::FechaDeSerie(44108).toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                 QStringLiteral("04/10/2020 00:00"));
        qunsetenv("TZ");
        tzset();
    }

    // No such file, no such sheet, random bytes, a cut file: clear errors, nothing read.
    void errores_data() {
        QTest::addColumn<QByteArray>("contenido"); // empty: the file does not exist
        QTest::addColumn<QString>("hoja");
        QTest::addColumn<QString>("mensaje");
        QFile f(QFINDTESTDATA("libros/listado.xlsx"));
        f.open(QIODevice::ReadOnly);
        const QByteArray xlsx = f.readAll();
        QTest::newRow("no existe") << QByteArray() << "Listado"
                                   << "No existe el archivo";
        QTest::newRow("sin la hoja") << xlsx << "Otra hoja"
                                     << "no tiene la hoja \"Otra hoja\"";
        QTest::newRow("bytes al azar") << QByteArray(2000, '\x7F') << "Listado"
                                       << "no es un libro de cálculo";
        QTest::newRow("cortado") << xlsx.left(xlsx.size() / 2) << "Listado"
                                 << "No se pudo leer";
    }
    void errores() {
        QFETCH(QByteArray, contenido);
        QFETCH(QString, hoja);
        QFETCH(QString, mensaje);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("libro.xlsx"));
        if (!contenido.isEmpty()) {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(contenido);
        }
        Tabla t;
        try {
            LibroCalculo::LeeHoja(ruta, hoja, t);
            QFAIL("leído");
        } catch (const ErrorArchivo& e) {
            QVERIFY2(e.Texto().contains(mensaje), qPrintable(e.Texto()));
        }
        QVERIFY(t.filas.isEmpty());
    }
    // Every record of an xls workbook stream with its length set to 0xFFFF: the file is either
    // refused in words or read whole, never handed over in part (the xls library alone reads on
    // and returns some cells, or none, without a word).
    void xlsConRegistrosDanados() {
        QFile f(QFINDTESTDATA("../vaccination/libros/malos.xls"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray original = f.readAll();
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("libro.xls"));
        auto lee = [&](const QByteArray& datos, Tabla& t) {
            QFile salida(ruta);
            salida.open(QIODevice::WriteOnly | QIODevice::Truncate);
            salida.write(datos);
            salida.close();
            LibroCalculo::LeeHoja(ruta, QStringLiteral("Listado"), t);
        };
        Tabla entera;
        lee(original, entera);
        QVERIFY(entera.filas.size() > 10);
        int variantes = 0, rechazadas = 0;
        // The records of each part, from each BOF of BIFF8 (type 0809, 16 bytes).
        for (qsizetype bof = original.indexOf(QByteArray("\x09\x08\x10\x00", 4)); bof >= 0;
             bof = original.indexOf(QByteArray("\x09\x08\x10\x00", 4), bof + 1)) {
            for (qsizetype p = bof; p + 4 <= original.size();) {
                const auto tipo = quint16(uchar(original[p]) | uchar(original[p + 1]) << 8);
                const auto largo = quint16(uchar(original[p + 2]) | uchar(original[p + 3]) << 8);
                if (tipo == 0 && largo == 0)
                    break;
                QByteArray d = original;
                d[p + 2] = '\xFF';
                d[p + 3] = '\xFF';
                ++variantes;
                Tabla t;
                try {
                    lee(d, t);
                    QCOMPARE(t.filas, entera.filas);
                } catch (const ErrorArchivo& e) {
                    QVERIFY2(e.Texto().contains(QStringLiteral("dañado")) ||
                                 e.Texto().contains(QStringLiteral("no tiene la hoja")),
                             qPrintable(e.Texto()));
                    ++rechazadas;
                }
                if (tipo == 0x000A)
                    break;
                p += 4 + largo;
            }
        }
        QVERIFY(variantes > 100);
        QVERIFY(rechazadas > 0);
    }
};

TARVELION_PRUEBA_MAIN(TstLibro)
#include "tst_libro.moc"
