// Workbook import benchmark: a "Listado" sheet of 50,000 certificates written by openpyxl
// (.xlsx) and converted by LibreOffice (.xls, .ods), read alone by the program's reader and
// read + inserted by the import window into an embedded database; beside it, the same .xlsx
// read and inserted by openpyxl + Python's sqlite3 into the same kind of database. Rows per
// second and the peak memory of each run, every run in a process of its own.
//
// bench_importa [rows]         the whole comparison
// bench_importa leer FILE      one read (used by the comparison)
// bench_importa importar FILE  one import into a new database (used by the comparison)
#include "ApoyoBench.h"
#include "BaseDemo.h"
#include "app/Aplicacion.h"
#include "common/Errores.h"
#include "common/LibroCalculo.h"
#include "common/Mensajes.h"
#include "db/Esquema.h"
#include "vaccination/TfImpor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

double MegasPico() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

struct Cuenta : LibroCalculo::Lector {
    int filas = 0;
    bool Fila(int fila, const std::vector<LibroCalculo::Celda>& c) override {
        if (fila < 7)
            return true;
        if (c.empty() || c[0].ComoTexto().isEmpty())
            return false;
        ++filas;
        return true;
    }
};

class Callado : public Mensajes::Servicio {
public:
    void Muestra(const QString&, Mensajes::Icono, const QString&) override {}
    bool Pregunta(const QString&, Mensajes::Icono, const QString&) override { return true; }
};

// A new embedded database with the registry's tables and no certificates.
QString BaseVacia(const QString& carpeta) {
    const QString ruta = QDir(carpeta).filePath(QStringLiteral("Moravel.db"));
    OpcionesDemo o;
    o.guias = 0;
    o.certificados = 0;
    CreaBaseDemo(ruta, o);
    return ruta;
}

int Leer(const QString& archivo) {
    Cuenta c;
    QElapsedTimer r;
    r.start();
    LibroCalculo::LeeHoja(archivo, QStringLiteral("Listado"), c);
    std::printf("%d %.3f %.1f\n", c.filas, r.nsecsElapsed() / 1e9, MegasPico());
    return 0;
}

int Importar(const QString& archivo) {
    QTemporaryDir carpeta;
    const QString ruta = BaseVacia(carpeta.path());
    auto modulo = AbreSesionBench(carpeta.path(), "operador", "operador2026");
    Mensajes::Instala(std::make_shared<Callado>());
    TfImpor f;
    f.show();
    f.eArchivo->setText(archivo);
    f.cbCiclo->setCurrentText(QStringLiteral("20"));
    f.cbDistrital->setCurrentText(QStringLiteral("SCZ"));
    f.cVeter->setChecked(true);
    QElapsedTimer r;
    r.start();
    f.BitBtn1->click();
    const double s = r.nsecsElapsed() / 1e9;
    sqlite3* bd = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &bd);
    Esquema::PreparaConexion(bd);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(bd, "SELECT COUNT(*) FROM Vacunaciones", -1, &st, nullptr) !=
            SQLITE_OK ||
        sqlite3_step(st) != SQLITE_ROW)
        std::fprintf(stderr, "sqlite3: %s\n", sqlite3_errmsg(bd));
    const int filas = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(bd);
    if (!f.Memo1->toPlainText().isEmpty())
        std::fprintf(stderr, "rechazadas: %s\n", qPrintable(f.Memo1->toPlainText().left(300)));
    std::printf("%d %.3f %.1f\n", filas, s, MegasPico());
    return 0;
}

// Runs a measuring process; its last line is "rows seconds megabytes".
struct Medida {
    int filas = 0;
    double segundos = 0, megas = 0;
    bool ok = false;
};
Medida Mide(const QString& programa, const QStringList& argumentos) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(programa, argumentos);
    p.waitForFinished(-1);
    const QList<QByteArray> lineas = p.readAllStandardOutput().trimmed().split('\n');
    const QList<QByteArray> v = lineas.last().split(' ');
    Medida m;
    if (p.exitCode() != 0 || v.size() < 3)
        return m;
    m.filas = v[0].toInt();
    m.segundos = v[1].toDouble();
    m.megas = v[2].toDouble();
    m.ok = m.segundos > 0;
    return m;
}

void Imprime(const char* que, const Medida& m) {
    if (!m.ok) {
        std::printf("%-44s falló\n", que);
        return;
    }
    std::printf("%-44s %7d filas %7.2f s %9.0f filas/s %7.1f MB\n", que, m.filas, m.segundos,
                m.filas / m.segundos, m.megas);
}

int Compara(int filas, const QString& yo) {
    QTemporaryDir carpeta;
    const QDir d(carpeta.path());
    const QString fuentes = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath();
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString xlsx = d.filePath(QStringLiteral("Listado.xlsx"));
    QProcess::execute(
        python, {fuentes + QStringLiteral("/libro_importa.py"), xlsx, QString::number(filas)});
    if (!QFileInfo::exists(xlsx)) {
        std::printf("no se pudo escribir el libro (¿python3-openpyxl instalado?)\n");
        return 1;
    }
    QStringList libros{xlsx};
    for (const char* formato : {"xls", "ods"}) {
        QProcess::execute(QStringLiteral("soffice"),
                          {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QString::fromLatin1(formato), QStringLiteral("--outdir"), d.path(),
                           xlsx});
        const QString otro = d.filePath(QStringLiteral("Listado.") + QString::fromLatin1(formato));
        if (QFileInfo::exists(otro))
            libros << otro;
        else
            std::printf("LibreOffice no convirtió a %s: se omite\n", formato);
    }
    std::printf("\"Listado\" de %d certificados\n", filas);
    Medida importa;
    for (const QString& libro : libros) {
        const QByteArray ext = QFileInfo(libro).suffix().toUtf8();
        Imprime(("programa, leer " + ext).constData(), Mide(yo, {QStringLiteral("leer"), libro}));
        const Medida m = Mide(yo, {QStringLiteral("importar"), libro});
        Imprime(("programa, leer e insertar " + ext).constData(), m);
        if (libro == xlsx)
            importa = m;
    }
    const QString modulo = QString::fromUtf8(FUNCIONES_SQLITE);
    const QString referencia = fuentes + QStringLiteral("/referencia_importa.py");
    Imprime("openpyxl, leer xlsx",
            Mide(python, {referencia, xlsx, QString(), modulo, QStringLiteral("leer")}));
    QTemporaryDir otra;
    const Medida ref = Mide(python, {referencia, xlsx, BaseVacia(otra.path()), modulo});
    Imprime("openpyxl + sqlite3, leer e insertar xlsx", ref);
    if (importa.ok && ref.ok)
        std::printf("leer e insertar xlsx: el programa %.1f veces más rápido (objetivo 5); "
                    "memoria %.0f MB (objetivo < 300 MB)\n",
                    ref.segundos / importa.segundos * importa.filas / std::max(ref.filas, 1),
                    importa.megas);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    const QStringList a = app.arguments();
    try {
        if (a.size() > 2 && a[1] == QLatin1String("leer"))
            return Leer(a[2]);
        if (a.size() > 2 && a[1] == QLatin1String("importar"))
            return Importar(a[2]);
        return Compara(a.size() > 1 ? a[1].toInt() : 50'000, app.applicationFilePath());
    } catch (const ErrorTarvelion& e) {
        std::fprintf(stderr, "error: %s\n", qPrintable(e.Texto()));
        return 1;
    }
}
