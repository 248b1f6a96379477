// Workbook reading: xlsx, ods and xls.
#include "common/LibroCalculo.h"

#include "common/ArchivosDeLaBase.h"
#include "common/Errores.h"
#include "common/EscanerXml.h"
#include "common/RegistrosBiff.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>
#include <charconv>
#include <cmath>
#include <freexl.h>
#include <memory>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace LibroCalculo {
namespace {

[[noreturn]] void Falla(const QString& ruta, const QString& por) {
    throw ErrorArchivo(
        QStringLiteral("No se pudo leer el libro %1: %2").arg(QFileInfo(ruta).fileName(), por));
}

// "2020-05-01", "2020-05-01T10:30:00" (ods) or "2020-05-01 10:30:00" (FreeXL), as a date and
// time in no time zone.
QDateTime FechaYHora(const QString& v, QChar separador) {
    const qsizetype s = v.indexOf(separador);
    const QDate d = QDate::fromString(s < 0 ? v : v.left(s), Qt::ISODate);
    const QTime t = s < 0 ? QTime(0, 0) : QTime::fromString(v.mid(s + 1), Qt::ISODate);
    return d.isValid() ? QDateTime(d, t.isValid() ? t : QTime(0, 0), Qt::UTC) : QDateTime();
}

// Whether a sheet's name is the one asked for, as the spreadsheet program finds it: without
// regard to case or to blanks at the end ("LISTADO", "Listado ").
bool EsLaHoja(QStringView nombre, const QString& hoja) {
    auto sinBlancos = [](QStringView t) {
        while (!t.isEmpty() && t.back().isSpace())
            t.chop(1);
        return t;
    };
    return sinBlancos(nombre).compare(sinBlancos(hoja), Qt::CaseInsensitive) == 0;
}

// ---- zip parts -------------------------------------------------------------------------------

// A large part read as it is inflated, never whole in memory.
std::unique_ptr<QuaZipFile> Flujo(QuaZip& zip, const QString& ruta, const QString& nombre) {
    if (!zip.setCurrentFile(nombre))
        Falla(ruta, QStringLiteral("falta su parte %1; el archivo está dañado o no es un libro "
                                   "de cálculo.")
                        .arg(nombre));
    auto f = std::make_unique<QuaZipFile>(&zip);
    if (!f->open(QIODevice::ReadOnly))
        Falla(ruta, QStringLiteral("no se pudo abrir su parte %1.").arg(nombre));
    return f;
}

// How far a part has been read, in kilobytes of its unpacked size, for the sheets that do not
// say how many rows they hold.
void AvanceEnBytes(Lector& lector, const QuaZipFile& f, qint64 tamano) {
    if (tamano > 0)
        lector.Progreso(int(qMin(f.pos(), tamano) / 1024), int(qMax<qint64>(1, tamano / 1024)));
}

// A part read to its end: its checksum must match.
void RevisaFlujo(QuaZipFile& f, const QString& ruta, const QString& nombre) {
    f.close();
    if (f.getZipError() != UNZ_OK)
        Falla(ruta, QStringLiteral("su parte %1 está dañada.").arg(nombre));
}

// A small part whole; an optional one that is missing is empty.
QByteArray Parte(QuaZip& zip, const QString& ruta, const QString& nombre, bool obligatoria = true) {
    if (!obligatoria && !zip.setCurrentFile(nombre))
        return {};
    const auto f = Flujo(zip, ruta, nombre);
    QByteArray datos = f->readAll();
    RevisaFlujo(*f, ruta, nombre);
    return datos;
}

void RevisaXml(const QXmlStreamReader& x, const QString& ruta, const QString& parte) {
    if (x.hasError() && x.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        Falla(ruta,
              QStringLiteral("su parte %1 no es XML válido (%2).").arg(parte, x.errorString()));
    if (x.hasError())
        Falla(ruta, QStringLiteral("su parte %1 está incompleta.").arg(parte));
}

// "AB12" -> column 27 (0-based), or -1.
int ColumnaDe(QStringView referencia) {
    int c = 0, letras = 0;
    for (QChar ch : referencia) {
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) {
            c = c * 26 + (ch.unicode() - 'A' + 1);
            if (++letras > 3)
                return -1;
        } else {
            break;
        }
    }
    return letras == 0 ? -1 : c - 1;
}

int FilaDe(QStringView referencia) {
    qsizetype i = 0;
    while (i < referencia.size() && referencia[i].isLetter())
        ++i;
    bool ok = false;
    const int f = referencia.mid(i).toInt(&ok);
    return ok ? f : -1;
}

// Sane upper bounds of a sheet (those of the spreadsheet programs): a file claiming more is
// damaged, and would cost memory or time.
constexpr int kColumnasMaximas = 16384;
constexpr int kFilasMaximas = 1048576;
constexpr int kEspaciosMaximos = 32767; // characters of one cell

void Pon(std::vector<Celda>& fila, int columna, Celda&& celda) {
    if (columna < 0 || columna >= kColumnasMaximas)
        return;
    if (size_t(columna) >= fila.size())
        fila.resize(size_t(columna) + 1);
    fila[size_t(columna)] = std::move(celda);
}

// A large part that is no well-formed XML.
[[noreturn]] void FallaXml(const QString& ruta, const QString& parte, const EscanerXml& x) {
    if (x.TextoError().startsWith(QLatin1String("el documento termina")) ||
        x.TextoError().isEmpty())
        Falla(ruta, QStringLiteral("su parte %1 está incompleta.").arg(parte));
    Falla(ruta, QStringLiteral("su parte %1 no es XML válido (%2).").arg(parte, x.TextoError()));
}

// A text event appended to `destino` in UTF-8; the usual text without entities is copied as
// written, without a QString between.
void AgregaTexto(const EscanerXml& x, std::string& destino) {
    QByteArrayView v;
    if (x.CaracteresCrudos(v))
        destino.append(v.data(), size_t(v.size()));
    else
        destino += x.Caracteres().toStdString();
}
// An attribute in UTF-8 into `destino` (empty when absent), the same way.
void AtributoUtf8(const EscanerXml& x, QByteArrayView nombre, std::string& destino) {
    destino.clear();
    QByteArrayView v;
    if (x.AtributoCrudo(nombre, v))
        destino.append(v.data(), size_t(v.size()));
    else
        destino = x.Atributo(nombre).toStdString();
}

// A number as the file writes it (UTF-8); the common short form is read by from_chars, any
// other as Qt reads it.
double LeeNumero(QByteArrayView crudo, bool* ok) {
    double d = 0;
    const char* fin = crudo.data() + crudo.size();
    if (!crudo.isEmpty() && crudo.front() != ' ' && crudo.front() != '+') {
        const auto r = std::from_chars(crudo.data(), fin, d);
        if (r.ec == std::errc() && r.ptr == fin) {
            *ok = true;
            return d;
        }
    }
    return QString::fromUtf8(crudo).toDouble(ok);
}

// An xlsx cell from its type attribute, its value text (UTF-8, entities resolved) and its
// style.
Celda CeldaXlsx(QByteArrayView t, QByteArrayView valor, int estilo, const QStringList& compartidos,
                const std::vector<bool>& estiloFecha, bool s1904) {
    Celda c;
    if (t == "s") {
        int i = -1;
        const auto r = std::from_chars(valor.data(), valor.data() + valor.size(), i);
        const bool ok = r.ec == std::errc() && r.ptr == valor.data() + valor.size();
        c.tipo = Celda::Texto;
        c.texto = ok && i >= 0 && i < compartidos.size() ? compartidos[i] : QString();
    } else if (t == "d") {
        // An ISO 8601 date text ("2019-05-15T00:00:00"): that date; otherwise its text.
        c.fecha = FechaYHora(QString::fromUtf8(valor), QLatin1Char('T'));
        c.tipo = c.fecha.isValid() ? Celda::Fecha : Celda::Texto;
        if (!c.fecha.isValid())
            c.texto = QString::fromUtf8(valor);
    } else if (t == "str" || t == "inlineStr" || t == "e") {
        c.tipo = Celda::Texto;
        c.texto = QString::fromUtf8(valor);
    } else if (t == "b") {
        c.tipo = Celda::Logico;
        c.logico = valor == "1";
    } else {
        bool ok = false;
        const double d = LeeNumero(valor, &ok);
        if (ok) {
            const bool fecha =
                estilo >= 0 && size_t(estilo) < estiloFecha.size() && estiloFecha[size_t(estilo)];
            c.numero = d;
            if (fecha)
                c.fecha = FechaDeSerie(d, s1904);
            // A day number out of any calendar stays a number.
            c.tipo = c.fecha.isValid() ? Celda::Fecha : Celda::Numero;
        }
    }
    return c;
}

// ---- xlsx ------------------------------------------------------------------------------------

QString Normaliza(QString objetivo) {
    // Targets are relative to xl/ or absolute in the package.
    if (objetivo.startsWith(QLatin1Char('/')))
        return objetivo.mid(1);
    return QStringLiteral("xl/") + objetivo;
}

// A workbook's zip read from memory: the zip reader seeks and reads in small steps, which
// against the file costs a system call each. Workbooks of any size a district sends fit; a
// larger file is read from the disk.
class ZipLibro {
public:
    explicit ZipLibro(const QString& ruta) {
        constexpr qint64 kEnMemoria = 256 * 1024 * 1024;
        QFile f(ruta);
        if (f.open(QIODevice::ReadOnly) && f.size() <= kEnMemoria) {
            datos_.setData(f.readAll());
            datos_.open(QIODevice::ReadOnly);
            zip_ = std::make_unique<QuaZip>(&datos_);
        } else {
            zip_ = std::make_unique<QuaZip>(ruta);
        }
    }
    QuaZip& operator*() { return *zip_; }

private:
    QBuffer datos_;
    std::unique_ptr<QuaZip> zip_;
};

void LeeXlsx(const QString& ruta, const QString& hoja, Lector& lector) {
    ZipLibro libro(ruta);
    QuaZip& zip = *libro;
    if (!zip.open(QuaZip::mdUnzip))
        Falla(ruta, QStringLiteral("no es un libro de cálculo o está dañado."));
    // The workbook: the sheet's relationship id and the date system.
    QString idHoja;
    bool s1904 = false;
    {
        QXmlStreamReader x(Parte(zip, ruta, QStringLiteral("xl/workbook.xml")));
        while (!x.atEnd()) {
            x.readNext();
            if (!x.isStartElement())
                continue;
            if (x.name() == QLatin1String("workbookPr")) {
                const QStringView d = x.attributes().value(QLatin1String("date1904"));
                s1904 = d == QLatin1String("1") || d == QLatin1String("true");
            } else if (x.name() == QLatin1String("sheet") &&
                       EsLaHoja(x.attributes().value(QLatin1String("name")), hoja)) {
                for (const QXmlStreamAttribute& a : x.attributes())
                    if (a.name() == QLatin1String("id"))
                        idHoja = a.value().toString();
            }
        }
        RevisaXml(x, ruta, QStringLiteral("xl/workbook.xml"));
    }
    if (idHoja.isEmpty())
        Falla(ruta, QStringLiteral("no tiene la hoja \"%1\".").arg(hoja));
    QString parteHoja;
    {
        QXmlStreamReader x(Parte(zip, ruta, QStringLiteral("xl/_rels/workbook.xml.rels")));
        while (!x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("Relationship") &&
                x.attributes().value(QLatin1String("Id")) == idHoja)
                parteHoja = Normaliza(x.attributes().value(QLatin1String("Target")).toString());
        }
        RevisaXml(x, ruta, QStringLiteral("xl/_rels/workbook.xml.rels"));
    }
    if (parteHoja.isEmpty())
        Falla(ruta, QStringLiteral("la hoja \"%1\" no tiene contenido.").arg(hoja));
    // Shared strings (rich text joined, phonetic runs left out).
    QStringList compartidos;
    if (zip.setCurrentFile(QStringLiteral("xl/sharedStrings.xml"))) {
        const QString parte = QStringLiteral("xl/sharedStrings.xml");
        const auto flujo = Flujo(zip, ruta, parte);
        EscanerXml x(flujo.get());
        QString actual;
        bool enSi = false, enT = false, enFonetica = false;
        for (EscanerXml::Evento e; (e = x.Siguiente()) != EscanerXml::FinDocumento;) {
            if (e == EscanerXml::Error)
                FallaXml(ruta, parte, x);
            const QByteArrayView n = x.NombreLocal();
            if (e == EscanerXml::Inicio) {
                if (n == "si") {
                    enSi = true;
                    actual.clear();
                } else if (n == "rPh") {
                    enFonetica = true;
                } else if (n == "t") {
                    enT = enSi && !enFonetica;
                }
            } else if (e == EscanerXml::Texto) {
                if (enT)
                    actual += x.Caracteres();
            } else if (n == "si") {
                compartidos << actual;
                enSi = false;
            } else if (n == "rPh") {
                enFonetica = false;
            } else if (n == "t") {
                enT = false;
            }
        }
        RevisaFlujo(*flujo, ruta, parte);
    }
    // Styles: which cell formats show dates.
    std::vector<bool> estiloFecha;
    {
        const QByteArray datos = Parte(zip, ruta, QStringLiteral("xl/styles.xml"), false);
        QXmlStreamReader x(datos);
        QHash<int, QString> propios;
        bool enXfs = false;
        while (!datos.isEmpty() && !x.atEnd()) {
            x.readNext();
            if (x.isStartElement() && x.name() == QLatin1String("numFmt"))
                propios.insert(x.attributes().value(QLatin1String("numFmtId")).toInt(),
                               x.attributes().value(QLatin1String("formatCode")).toString());
            else if (x.isStartElement() && x.name() == QLatin1String("cellXfs"))
                enXfs = true;
            else if (x.isEndElement() && x.name() == QLatin1String("cellXfs"))
                enXfs = false;
            else if (enXfs && x.isStartElement() && x.name() == QLatin1String("xf")) {
                const int id = x.attributes().value(QLatin1String("numFmtId")).toInt();
                const bool interno = (id >= 14 && id <= 22) || (id >= 27 && id <= 36) ||
                                     (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
                estiloFecha.push_back(propios.contains(id) ? FormatoDeFecha(propios.value(id))
                                                           : interno);
            }
        }
        if (!datos.isEmpty())
            RevisaXml(x, ruta, QStringLiteral("xl/styles.xml"));
    }
    // The sheet, row by row.
    const auto flujo = Flujo(zip, ruta, parteHoja);
    const qint64 tamanoHoja = flujo->usize(); // read from the zip's directory: asked once
    EscanerXml x(flujo.get());
    int total = 0, numeroFila = 0;
    std::vector<Celda> fila;
    bool enFila = false, enCelda = false, enValor = false, enFonetica = false, hayValor = false;
    int columna = 0, estilo = 0;
    std::string tipo, valor; // UTF-8; kept between cells to reuse their memory
    for (EscanerXml::Evento e; (e = x.Siguiente()) != EscanerXml::FinDocumento;) {
        if (e == EscanerXml::Error)
            FallaXml(ruta, parteHoja, x);
        if (e == EscanerXml::Texto) {
            if (enValor && !enFonetica)
                AgregaTexto(x, valor);
            continue;
        }
        const QByteArrayView n = x.NombreLocal();
        if (e == EscanerXml::Inicio) {
            if (n == "dimension") {
                const QString ref = x.Atributo("ref");
                const qsizetype dos = ref.indexOf(QLatin1Char(':'));
                total =
                    dos < 0 ? 0 : qBound(0, FilaDe(QStringView(ref).mid(dos + 1)), kFilasMaximas);
            } else if (n == "row") {
                const int r = x.Atributo("r").toInt();
                numeroFila = r > 0 ? r : numeroFila + 1;
                if (numeroFila > kFilasMaximas)
                    Falla(ruta, QStringLiteral("la hoja tiene más filas de las que cabe en una "
                                               "hoja de cálculo; el archivo está dañado."));
                fila.clear();
                enFila = true;
            } else if (n == "c" && enFila) {
                const QString ref = x.Atributo("r");
                columna = ref.isEmpty() ? int(fila.size()) : ColumnaDe(ref);
                AtributoUtf8(x, "t", tipo);
                std::string s;
                AtributoUtf8(x, "s", s);
                estilo = 0;
                std::from_chars(s.data(), s.data() + s.size(), estilo);
                valor.clear();
                enCelda = true;
                hayValor = false;
            } else if (enCelda && (n == "v" || n == "t")) {
                // The value, or the runs of an inline string joined.
                enValor = hayValor = true;
            } else if (enCelda && n == "rPh") {
                enFonetica = true;
            }
        } else if (n == "v" || n == "t") {
            enValor = false;
        } else if (n == "rPh") {
            enFonetica = false;
        } else if (n == "c" && enCelda) {
            enCelda = false;
            Pon(fila, columna,
                hayValor ? CeldaXlsx(QByteArrayView(tipo.data(), qsizetype(tipo.size())),
                                     QByteArrayView(valor.data(), qsizetype(valor.size())), estilo,
                                     compartidos, estiloFecha, s1904)
                         : Celda());
        } else if (n == "row" && enFila) {
            enFila = false;
            if (total > 0)
                lector.Progreso(qMin(numeroFila, total), total);
            else
                AvanceEnBytes(lector, *flujo, tamanoHoja);
            if (!lector.Fila(numeroFila, fila))
                return;
        }
    }
    RevisaFlujo(*flujo, ruta, parteHoja);
}

// ---- ods -------------------------------------------------------------------------------------

// Skips the element just started, with all it holds.
void Salta(EscanerXml& x, const QString& ruta, const QString& parte) {
    for (int dentro = 1; dentro > 0;) {
        const EscanerXml::Evento e = x.Siguiente();
        if (e == EscanerXml::Error || e == EscanerXml::FinDocumento)
            FallaXml(ruta, parte, x);
        dentro += e == EscanerXml::Inicio ? 1 : e == EscanerXml::Fin ? -1 : 0;
    }
}

// An ods cell's value from its attributes (its text comes after).
Celda CeldaOds(const EscanerXml& x) {
    const QString tipo = x.Atributo("office:value-type");
    Celda c;
    if (tipo == QLatin1String("float") || tipo == QLatin1String("percentage") ||
        tipo == QLatin1String("currency")) {
        c.tipo = Celda::Numero;
        c.numero = x.Atributo("office:value").toDouble();
    } else if (tipo == QLatin1String("date")) {
        c.tipo = Celda::Fecha;
        c.fecha = FechaYHora(x.Atributo("office:date-value"), QLatin1Char('T'));
    } else if (tipo == QLatin1String("boolean")) {
        c.tipo = Celda::Logico;
        c.logico = x.Atributo("office:boolean-value") == QLatin1String("true");
    } else if (tipo == QLatin1String("string")) {
        c.tipo = Celda::Texto;
    }
    return c;
}

void LeeOds(const QString& ruta, const QString& hoja, Lector& lector) {
    ZipLibro libro(ruta);
    QuaZip& zip = *libro;
    if (!zip.open(QuaZip::mdUnzip))
        Falla(ruta, QStringLiteral("no es un libro de cálculo o está dañado."));
    const QString parte = QStringLiteral("content.xml");
    const auto flujo = Flujo(zip, ruta, parte);
    const qint64 tamanoParte = flujo->usize(); // read from the zip's directory: asked once
    EscanerXml x(flujo.get());
    auto siguiente = [&] {
        const EscanerXml::Evento e = x.Siguiente();
        if (e == EscanerXml::Error || e == EscanerXml::FinDocumento)
            FallaXml(ruta, parte, x);
        return e;
    };
    // The sheet by its name; the others are skipped whole.
    for (;;) {
        const EscanerXml::Evento e = x.Siguiente();
        if (e == EscanerXml::Error)
            FallaXml(ruta, parte, x);
        if (e == EscanerXml::FinDocumento)
            Falla(ruta, QStringLiteral("no tiene la hoja \"%1\".").arg(hoja));
        if (e != EscanerXml::Inicio || x.NombreLocal() != "table")
            continue;
        if (EsLaHoja(QString(x.Atributo("table:name")), hoja))
            break;
        Salta(x, ruta, parte);
    }
    int numeroFila = 0, columna = 0, repetidas = 1, veces = 1, parrafos = 0;
    std::vector<Celda> fila;
    Celda celda;
    QString texto;
    bool enCelda = false;
    for (int dentro = 1; dentro > 0;) {
        const EscanerXml::Evento e = siguiente();
        if (e == EscanerXml::Texto) {
            if (enCelda)
                texto += x.Caracteres();
            continue;
        }
        const QByteArrayView n = x.NombreLocal();
        if (e == EscanerXml::Inicio) {
            ++dentro;
            if (n == "table-row") {
                repetidas =
                    qBound(1, x.Atributo("table:number-rows-repeated").toInt(), kFilasMaximas);
                fila.clear();
                columna = 0;
            } else if (n == "table-cell" || n == "covered-table-cell") {
                veces = qBound(1, x.Atributo("table:number-columns-repeated").toInt(),
                               kColumnasMaximas);
                celda = CeldaOds(x);
                texto.clear();
                parrafos = 0;
                enCelda = true;
            } else if (enCelda && n == "annotation") {
                Salta(x, ruta, parte); // a comment on the cell is no part of its value
                --dentro;
            } else if (enCelda && n == "p") {
                if (parrafos++ > 0)
                    texto += QLatin1Char('\n');
            } else if (enCelda && n == "s") {
                texto += QString(qBound(1, x.Atributo("text:c").toInt(), kEspaciosMaximos),
                                 QLatin1Char(' '));
            } else if (enCelda && n == "tab") {
                texto += QLatin1Char('\t');
            } else if (enCelda && n == "line-break") {
                texto += QLatin1Char('\n');
            }
            continue;
        }
        --dentro;
        if ((n == "table-cell" || n == "covered-table-cell") && enCelda) {
            enCelda = false;
            if (celda.tipo == Celda::Texto)
                celda.texto = texto;
            // Trailing runs of empty cells may repeat to the sheet's last column.
            if (celda.tipo == Celda::Vacia) {
                columna = qMin(columna + veces, kColumnasMaximas);
                continue;
            }
            for (int k = 0; k < veces && columna < kColumnasMaximas; ++k)
                Pon(fila, columna++, Celda(celda));
        } else if (n == "table-row") {
            // An empty row repeated many times is the sheet's tail: one call covers it.
            for (int k = 0; k < repetidas; ++k) {
                if (++numeroFila > kFilasMaximas)
                    Falla(ruta, QStringLiteral("la hoja tiene más filas de las que cabe en una "
                                               "hoja de cálculo; el archivo está dañado."));
                if (!lector.Fila(numeroFila, fila))
                    return;
                if (fila.empty() && repetidas > 1) {
                    numeroFila += repetidas - 1 - k;
                    break;
                }
            }
            AvanceEnBytes(lector, *flujo, tamanoParte);
        }
    }
}

// ---- xls -------------------------------------------------------------------------------------

void LeeXls(const QString& ruta, const QString& hoja, Lector& lector) {
    // The xls library reads on past a damaged record and hands back part of a sheet: the
    // records are checked whole first.
    const QString dano = RegistrosBiff::Revisa(ruta);
    if (!dano.isEmpty())
        Falla(ruta,
              QString::fromUtf8("está dañado (%1): no se puede leer la hoja entera.").arg(dano));
    const void* libro = nullptr;
    // A failed opening may still leave a handle to be closed.
    const int abierto = freexl_open(QFile::encodeName(ruta).constData(), &libro);
    struct Cierre {
        const void* l;
        ~Cierre() {
            if (l)
                freexl_close(l);
        }
    } cierre{libro};
    if (abierto != FREEXL_OK)
        Falla(ruta, QStringLiteral("no es un libro de Excel 97-2003 o está dañado."));
    unsigned int hojas = 0;
    if (freexl_get_info(libro, FREEXL_BIFF_SHEET_COUNT, &hojas) != FREEXL_OK)
        Falla(ruta, QStringLiteral("no se pudieron leer sus hojas."));
    int indice = -1;
    for (unsigned int i = 0; i < hojas && indice < 0; ++i) {
        const char* nombre = nullptr;
        if (freexl_get_worksheet_name(libro, static_cast<unsigned short>(i), &nombre) ==
                FREEXL_OK &&
            nombre && EsLaHoja(QString::fromUtf8(nombre), hoja))
            indice = int(i);
    }
    if (indice < 0)
        Falla(ruta, QStringLiteral("no tiene la hoja \"%1\".").arg(hoja));
    unsigned int filas = 0;
    unsigned short columnas = 0;
    if (freexl_select_active_worksheet(libro, static_cast<unsigned short>(indice)) != FREEXL_OK ||
        freexl_worksheet_dimensions(libro, &filas, &columnas) != FREEXL_OK)
        Falla(ruta, QStringLiteral("no se pudo leer la hoja \"%1\".").arg(hoja));
    for (unsigned int f = 0; f < filas; ++f) {
        std::vector<Celda> fila(columnas);
        for (unsigned short k = 0; k < columnas; ++k) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(libro, f, k, &v) != FREEXL_OK)
                Falla(ruta, QStringLiteral("una celda de la fila %1 está dañada.").arg(f + 1));
            Celda& c = fila[k];
            switch (v.type) {
            case FREEXL_CELL_INT:
                c.tipo = Celda::Numero;
                c.numero = v.value.int_value;
                break;
            case FREEXL_CELL_DOUBLE:
                c.tipo = Celda::Numero;
                c.numero = v.value.double_value;
                break;
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
                c.tipo = Celda::Texto;
                c.texto = QString::fromUtf8(v.value.text_value);
                break;
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
                c.tipo = Celda::Fecha;
                c.fecha = FechaYHora(QString::fromUtf8(v.value.text_value), QLatin1Char(' '));
                break;
            case FREEXL_CELL_TIME:
                c.tipo = Celda::Texto;
                c.texto = QString::fromUtf8(v.value.text_value);
                break;
            default:
                break;
            }
        }
        lector.Progreso(int(f + 1), int(filas));
        if (!lector.Fila(int(f + 1), fila))
            return;
    }
}

} // namespace

QString Celda::ComoTexto() const {
    switch (tipo) {
    case Numero:
        return QString::number(numero, 'g', 15);
    case Fecha:
        return fecha.toString(QStringLiteral("dd/MM/yyyy"));
    case Texto:
        return texto;
    case Logico:
        return logico ? QStringLiteral("VERDADERO") : QStringLiteral("FALSO");
    case Vacia:
        break;
    }
    return {};
}

QDateTime FechaDeSerie(double serie, bool sistema1904) {
    // Day numbers run from 1900 to 9999; anything else (or no number at all) is no date.
    if (!(serie > -1e6 && serie < 3e6))
        return {};
    const QDate base = sistema1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    const double dias = std::floor(serie);
    const qint64 ms = qint64(std::llround((serie - dias) * 86400000.0));
    return QDateTime(base.addDays(qint64(dias)), QTime(0, 0), Qt::UTC).addMSecs(ms);
}

bool FormatoDeFecha(const QString& codigo) {
    // Letters of dates and times outside quoted text, escapes and [...] sections (colours,
    // locales); "General" and the like have none.
    bool comillas = false;
    int corchetes = 0;
    for (qsizetype i = 0; i < codigo.size(); ++i) {
        const QChar c = codigo[i];
        if (c == QLatin1Char('"')) {
            comillas = !comillas;
        } else if (comillas) {
            continue;
        } else if (c == QLatin1Char('\\')) {
            ++i;
        } else if (c == QLatin1Char('[')) {
            ++corchetes;
        } else if (c == QLatin1Char(']')) {
            corchetes = qMax(0, corchetes - 1);
        } else if (corchetes == 0) {
            const QChar l = c.toLower();
            if (l == QLatin1Char('d') || l == QLatin1Char('m') || l == QLatin1Char('y') ||
                l == QLatin1Char('h') || l == QLatin1Char('s'))
                return true;
        }
    }
    return false;
}

void LeeHoja(const QString& ruta, const QString& hoja, Lector& lector) {
    // Before anything opens it: reading the database as a workbook would drop its locks.
    ArchivosDeLaBase::Rechaza(ruta, QString::fromUtf8("leer como libro de cálculo"));
    QFileInfo archivo(ruta);
    if (!archivo.exists())
        throw ErrorArchivo(QStringLiteral("No existe el archivo %1.").arg(ruta));
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        throw ErrorArchivo(
            QStringLiteral("No se pudo abrir el archivo %1: %2").arg(ruta, f.errorString()));
    const QByteArray cabeza = f.read(8);
    f.close();
    // By content, not by name: a zip is xlsx or ods, the OLE2 signature is xls.
    if (cabeza.startsWith("PK\x03\x04")) {
        QuaZip zip(ruta);
        if (!zip.open(QuaZip::mdUnzip))
            Falla(ruta, QStringLiteral("no es un libro de cálculo o está dañado."));
        const bool ods = zip.setCurrentFile(QStringLiteral("content.xml"));
        zip.close();
        if (ods)
            LeeOds(ruta, hoja, lector);
        else
            LeeXlsx(ruta, hoja, lector);
    } else if (cabeza.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        LeeXls(ruta, hoja, lector);
    } else {
        Falla(ruta, QStringLiteral("no es un libro de cálculo (.xlsx, .ods o .xls)."));
    }
}

} // namespace LibroCalculo
