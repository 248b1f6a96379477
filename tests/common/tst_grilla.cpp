// Grid model, grid view and the semicolon-delimited export.
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "common/BloqueCreciente.h"
#include "common/Errores.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"

#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Three premises with an accent, a NULL count and a date; columns in a fixed table.
void LlenaEjemplo(Grilla& g, const std::vector<DefColumna>& columnas) {
    ModeloGrilla& m = g.Modelo();
    m.Inicia({QStringLiteral("Predio"), QStringLiteral("Total"), QStringLiteral("Fecha"),
              QStringLiteral("Peso")},
             {TipoCampo::Texto, TipoCampo::Entero, TipoCampo::Fecha, TipoCampo::Real});
    const struct {
        const char* predio;
        int total;
        QDateTime fecha;
        double peso;
    } filas[] = {
        {"SAN JOSÉ", 12, QDateTime(QDate(2026, 3, 5), QTime(0, 0)), 1234.5},
        {"la cañada", -1, QDateTime(QDate(2026, 1, 2), QTime(14, 30, 5)), 0.25},
        {"ARROYO", 7, QDateTime(QDate(2025, 12, 31), QTime(0, 0)), 1000000},
    };
    for (const auto& f : filas) {
        m.AgregaTexto(0, f.predio);
        f.total < 0 ? m.AgregaNulo(1) : m.AgregaEntero(1, f.total);
        m.AgregaFecha(2, f.fecha);
        m.AgregaReal(3, f.peso);
    }
    m.Publica(columnas);
}

std::vector<DefColumna> Columnas(bool ultimaOculta = false) {
    std::vector<DefColumna> c(4);
    c[0].campo = QStringLiteral("Predio");
    c[0].titulo = QStringLiteral("Predio / Cabaña");
    c[1].campo = QStringLiteral("Total");
    c[2].campo = QStringLiteral("Fecha");
    c[2].titulo = QStringLiteral("Vacunación");
    c[3].campo = QStringLiteral("Peso");
    c[3].formato = QStringLiteral("#,##0.00");
    c[3].visible = !ultimaOculta;
    return c;
}

QByteArray Lee(const QString& ruta) {
    QFile f(ruta);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

QStringList Columna(const ModeloGrilla& m, int col) {
    QStringList r;
    for (int i = 0; i < m.Filas(); ++i)
        r << m.Texto(i, col);
    return r;
}

} // namespace

class TstGrilla : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A column's memory keeps every value through its growth (pages taken ahead, remaps),
    // a move, a clear and a resize that must read zeros again.
    void bloqueCreciente() {
        BloqueCreciente<std::int64_t> enteros;
        for (std::int64_t i = 0; i < 3'000'000; ++i)
            enteros.push_back(i * 7);
        bool iguales = true;
        for (std::int64_t i = 0; i < 3'000'000; ++i)
            iguales = iguales && enteros[size_t(i)] == i * 7;
        QVERIFY(iguales);
        BloqueCreciente<std::int64_t> movido(std::move(enteros));
        QCOMPARE(enteros.size(), size_t(0));
        QCOMPARE(movido.size(), size_t(3'000'000));
        QCOMPARE(movido[2'999'999], std::int64_t(2'999'999) * 7);
        movido.clear();
        movido.resize(10);
        QVERIFY(std::all_of(movido.begin(), movido.end(), [](std::int64_t v) { return v == 0; }));
        movido.assign(5, 9);
        QCOMPARE(movido.size(), size_t(5));
        QCOMPARE(movido[4], std::int64_t(9));

        BloqueCreciente<char> texto;
        std::string esperado;
        for (int i = 0; i < 200'000; ++i) {
            const std::string trozo = "ÑANDÚ " + std::to_string(i) + ";";
            texto.append(trozo);
            esperado += trozo;
        }
        QCOMPARE(std::string_view(texto.data(), texto.size()), std::string_view(esperado));
    }

    // A refill reuses the previous data set's memory: other types, fewer rows and a cleared
    // grid never show a value of the run before.
    void rellenoReusaBloques() {
        Grilla g;
        LlenaEjemplo(g, Columnas());
        ModeloGrilla& m = g.Modelo();
        m.Vacia();
        QCOMPARE(m.Filas(), 0);
        m.Inicia({QStringLiteral("Numero"), QStringLiteral("Nombre")},
                 {TipoCampo::Entero, TipoCampo::Texto});
        m.AgregaEntero(0, 42);
        m.AgregaNulo(1);
        m.Publica();
        QCOMPARE(m.Filas(), 1);
        QCOMPARE(m.Texto(0, 0), QStringLiteral("42"));
        QCOMPARE(m.Texto(0, 1), QString());
        QVERIFY(m.EsNulo(0, 1));
        LlenaEjemplo(g, Columnas());
        QCOMPARE(Columna(m, 0), QString::fromUtf8("SAN JOSÉ,la cañada,ARROYO").split(','));
    }

    void textosYTitulos() {
        Grilla g;
        LlenaEjemplo(g, Columnas());
        const ModeloGrilla& m = g.Modelo();
        QCOMPARE(m.Titulo(0), QString::fromUtf8("Predio / Cabaña"));
        QCOMPARE(m.Titulo(1), QStringLiteral("Total")); // no title: the field name
        QCOMPARE(m.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString::fromUtf8("Vacunación"));
        QCOMPARE(Columna(m, 1), QStringList({"12", "", "7"}));
        QCOMPARE(Columna(m, 2), QStringList({"05/03/2026", "02/01/2026 14:30:05", "31/12/2025"}));
        QCOMPARE(Columna(m, 3), QStringList({"1,234.50", "0.25", "1,000,000.00"}));
        QCOMPARE(m.data(m.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QVERIFY(m.Valor(1, 1).isNull());
        QCOMPARE(m.Valor(0, QStringLiteral("predio")).toString(), QString::fromUtf8("SAN JOSÉ"));
    }

    // Titles before the first run; on the first fill with rows each column fits its title
    // and its texts; a later run keeps the widths the user left.
    void anchosDeColumna() {
        Grilla g;
        g.Modelo().Titula(Columnas());
        QCOMPARE(g.Modelo().columnCount(), 4);
        QCOMPARE(g.Modelo().Titulo(0), QString::fromUtf8("Predio / Cabaña"));
        QVERIFY(!g.Modelo().Activo());
        const int titulo = g.columnWidth(0);
        QVERIFY(titulo >= g.fontMetrics().horizontalAdvance(QString::fromUtf8("Predio / Cabaña")));

        ModeloGrilla& m = g.Modelo();
        m.Inicia({QStringLiteral("Predio"), QStringLiteral("Total"), QStringLiteral("Fecha"),
                  QStringLiteral("Peso")},
                 {TipoCampo::Texto, TipoCampo::Entero, TipoCampo::Fecha, TipoCampo::Real});
        const QString largo = QStringLiteral("ESTANCIA GANADERA LA GRAN CAÑADA DEL NORTE");
        m.AgregaTexto(0, largo.toStdString());
        m.AgregaEntero(1, 5);
        m.AgregaFecha(2, QDateTime(QDate(2026, 1, 2), QTime(14, 30, 5)));
        m.AgregaReal(3, 1.5);
        m.Publica(Columnas());
        QVERIFY(g.columnWidth(0) > titulo);
        QVERIFY(g.columnWidth(0) >= g.fontMetrics().horizontalAdvance(largo));
        QVERIFY(g.columnWidth(2) >=
                g.fontMetrics().horizontalAdvance(QStringLiteral("02/01/2026 14:30:05")));

        g.setColumnWidth(0, 90); // the user narrows it
        LlenaEjemplo(g, Columnas());
        QCOMPARE(g.columnWidth(0), 90);
    }

    void colorDeFilaYColumna() {
        Grilla g;
        auto columnas = Columnas();
        columnas[0].fondo = QColor(Qt::yellow);
        LlenaEjemplo(g, columnas);
        ModeloGrilla& m = g.Modelo();
        m.FijaColorFila(QStringLiteral("total"), [](const ModeloGrilla& mm, int fila, int campo) {
            return mm.EsNulo(fila, campo) ? QColor(Qt::blue) : QColor();
        });
        QCOMPARE(m.data(m.index(1, 2), Qt::BackgroundRole).value<QColor>(), QColor(Qt::blue));
        QCOMPARE(m.data(m.index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
        QVERIFY(!m.data(m.index(0, 2), Qt::BackgroundRole).isValid());
    }

    // Title clicks sort stably: ascending, then descending on a second click, NULLs first when
    // ascending, text without regard to case and accents, "Ñ" after "N".
    void ordenPorClicDeTitulo() {
        Grilla g;
        ModeloGrilla& m = g.Modelo();
        m.Inicia({QStringLiteral("Nombre"), QStringLiteral("Grupo")},
                 {TipoCampo::Texto, TipoCampo::Entero});
        const std::pair<const char*, int> filas[] = {{"ñandú", 2},  {"Nube", 1}, {"álamo", 2},
                                                     {"zorro", -1}, {"ARCO", 1}, {"oca", 2}};
        for (auto [n, gr] : filas) {
            m.AgregaTexto(0, n);
            gr < 0 ? m.AgregaNulo(1) : m.AgregaEntero(1, gr);
        }
        m.Publica();
        g.show();
        g.horizontalHeader()->resize(400, 30);
        auto clic = [&](int col) {
            const int x = g.horizontalHeader()->sectionViewportPosition(col) + 5;
            QTest::mouseClick(g.horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        };
        clic(0);
        QCOMPARE(Columna(m, 0), QString::fromUtf8("álamo,ARCO,Nube,ñandú,oca,zorro").split(','));
        clic(0);
        QCOMPARE(Columna(m, 0), QString::fromUtf8("zorro,oca,ñandú,Nube,ARCO,álamo").split(','));
        // Sorting by group keeps the current (name descending) order among equal groups.
        clic(1);
        QCOMPARE(Columna(m, 0), QString::fromUtf8("zorro,Nube,ARCO,oca,ñandú,álamo").split(','));
        clic(1);
        QCOMPARE(Columna(m, 0), QString::fromUtf8("oca,ñandú,álamo,Nube,ARCO,zorro").split(','));
    }

    void cargaDesdeConsulta() {
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("g"));
        bd.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(bd.open());
        {
            QSqlQuery q(bd);
            QVERIFY(q.exec(QStringLiteral(
                "CREATE TABLE T (Nro INT, Nombre VARCHAR(20), Fecha DATETIME, Monto FLOAT)")));
            QVERIFY(q.exec(
                QStringLiteral("INSERT INTO T VALUES (2, 'B', '2026-01-02 00:00:00.000', 1.5), "
                               "(1, NULL, '2026-01-01 08:00:00.000', NULL)")));
            QVERIFY(q.exec(QStringLiteral("SELECT Nro, Nombre, Fecha, Monto, SUM(Nro) OVER () "
                                          "AS Suma FROM T")));
            Grilla g;
            g.Modelo().Carga(q);
            const ModeloGrilla& m = g.Modelo();
            QCOMPARE(m.Filas(), 2);
            QCOMPARE(m.Titulo(4), QStringLiteral("Suma"));
            QCOMPARE(Columna(m, 2), QStringList({"02/01/2026", "01/01/2026 08:00:00"}));
            QCOMPARE(Columna(m, 1), QStringList({"B", ""}));
            QCOMPARE(m.Entero(0, 4), 3);
            QVERIFY(!q.isActive());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("g"));
    }

    // The exact bytes: visible columns, ";" after every value but the last column's, titles,
    // Windows-1252 accents, CR LF, no quoting.
    void exportaBytesExactos() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("x.csv"));
        Grilla g;
        LlenaEjemplo(g, Columnas());
        g.Modelo().Ordena(1, true);
        QFile viejo(ruta);
        viejo.open(QIODevice::WriteOnly);
        viejo.write(QByteArray(5000, 'x'));
        viejo.close();
        ExportaGrillaCSV(g, ruta);
        QCOMPARE(Lee(ruta), QByteArray("Predio / Caba\xF1"
                                       "a;Total;Vacunaci\xF3n;Peso\r\n"
                                       "la ca\xF1"
                                       "ada;;02/01/2026 14:30:05;0.25\r\n"
                                       "ARROYO;7;31/12/2025;1,000,000.00\r\n"
                                       "SAN JOS\xC9;12;05/03/2026;1,234.50\r\n"));
        QCOMPARE(g.currentIndex().row(), 0);
        QVERIFY(grabadora->cajas.isEmpty());
    }

    // A value holding a line break or a ";" keeps its row whole: the break becomes a blank and
    // the ";" a ",". Checked with the file read back by a real spreadsheet program where the
    // machine has one.
    void exportaValoresQueRompenFilas() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("c.csv"));
        Grilla g;
        ModeloGrilla& m = g.Modelo();
        m.Inicia({QStringLiteral("Predio"), QStringLiteral("Nota")},
                 {TipoCampo::Texto, TipoCampo::Texto});
        m.AgregaTexto(0, "LA CAÑADA; NORTE");
        m.AgregaTexto(1, "línea uno\r\nlínea dos");
        m.AgregaTexto(0, "ARROYO");
        m.AgregaTexto(1, "sin novedad");
        m.Publica();
        ExportaGrillaCSV(g, ruta);
        QCOMPARE(Lee(ruta), QByteArray("Predio;Nota\r\n"
                                       "LA CA\xD1"
                                       "ADA, NORTE;l\xED"
                                       "nea uno  l\xED"
                                       "nea dos\r\n"
                                       "ARROYO;sin novedad\r\n"));

        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("sin LibreOffice en esta máquina");
        // LibreOffice reads the file as Excel would (";" separated, Windows-1252) and writes it
        // back as comma-separated UTF-8: the rows and cells must come back as they went.
        QTemporaryDir perfil, salida;
        QProcess calc;
        calc.start(soffice,
                   {QStringLiteral("-env:UserInstallation=file://") + perfil.path(),
                    QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:59,34,1,1"),
                    QStringLiteral("--convert-to"),
                    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                    QStringLiteral("--outdir"), salida.path(), ruta});
        QVERIFY(calc.waitForFinished(120000));
        const QStringList filas = QString::fromUtf8(Lee(salida.filePath(QStringLiteral("c.csv"))))
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(filas.size(), 3);
        QCOMPARE(filas[1].trimmed(),
                 QString::fromUtf8("\"LA CAÑADA, NORTE\",línea uno  línea dos"));
        QCOMPARE(filas[2].trimmed(), QStringLiteral("ARROYO,sin novedad"));
    }

    void exportaConUltimaColumnaOculta() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("y.csv"));
        Grilla g;
        auto columnas = Columnas(true);
        columnas[1].visible = false;
        LlenaEjemplo(g, columnas);
        ExportaGrillaCSV(g, ruta);
        QCOMPARE(Lee(ruta).split('\n').first(), QByteArray("Predio / Caba\xF1"
                                                           "a;Vacunaci\xF3n;\r"));
        QCOMPARE(Lee(ruta).split('\n').at(1), QByteArray("SAN JOS\xC9;05/03/2026;\r"));
    }

    void sinDatosNoEscribeNada() {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("z.csv"));
        Grilla g;
        ExportaGrillaCSV(g, ruta);
        QVERIFY(!QFile::exists(ruta));
    }

    // Through the consoles' wrapper: the dialog request, the closing message, cancel.
    void exportaConDialogo() {
        GrabadoraInstalada grabadora;
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("guias.csv"));
        Grilla g;
        LlenaEjemplo(g, Columnas());

        ExportaConDialogo(g); // cancelled: nothing
        QCOMPARE(grabadora->peticiones.size(), 1);
        QCOMPARE(grabadora->peticiones[0].titulo, QStringLiteral("Guardar como"));
        QCOMPARE(grabadora->peticiones[0].extensionDefecto, QStringLiteral("csv"));
        QCOMPARE(grabadora->peticiones[0].filtro,
                 QStringLiteral("Campos delimitados por punto y coma (.csv)|*.csv"));
        QVERIFY(grabadora->cajas.isEmpty());

        grabadora->archivos.enqueue(ruta);
        ExportaConDialogo(g);
        QVERIFY(QFile::exists(ruta));
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QString::fromUtf8("Información"));
        QCOMPARE(grabadora->cajas[0].texto,
                 QString::fromUtf8("Se guardó el archivo ") + ruta.toUpper() +
                     QString::fromUtf8("\nPara abrirlo, inicialice primeramente MS-EXCEL y a "
                                       "continuación abra los archivos con extensión .CSV"));
        QCOMPARE(Dialogos::FiltroQt(grabadora->peticiones[0].filtro),
                 QStringLiteral("Campos delimitados por punto y coma (.csv) (*.csv)"));
    }

    // A folder that cannot be written: the file error reaches the error box, no success
    // message, and the cursor and painting are restored.
    void exportaAFallaDeEscritura() {
        GrabadoraInstalada grabadora;
        Grilla g;
        LlenaEjemplo(g, Columnas());
        grabadora->archivos.enqueue(QStringLiteral("/proc/no-existe/guias.csv"));
        QPushButton boton;
        QObject::connect(&boton, &QPushButton::clicked, [&] { ExportaConDialogo(g); });
        boton.show();
        QTest::mouseClick(&boton, Qt::LeftButton);
        QCOMPARE(grabadora->cajas.size(), 1);
        QCOMPARE(grabadora->cajas[0].titulo, QStringLiteral("Error"));
        QVERIFY(grabadora->cajas[0].texto.startsWith(
            QStringLiteral("No se pudo crear el archivo /proc/no-existe/guias.csv")));
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(g.updatesEnabled());
    }
};

TARVELION_PRUEBA_MAIN(TstGrilla)
#include "tst_grilla.moc"
