// Workbook reading: xlsx, ods and xls.
#include "common/LibroCalculo.h"

#include "common/Errores.h"

#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>
#include <cmath>
#include <freexl.h>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace LibroCalculo {
namespace {

[[noreturn]] void Falla(const QString& ruta, const QString& por) {
    throw ErrorArchivo(
        QStringLiteral("No se pudo leer el libro %1: %2").arg(QFileInfo(ruta).fileName(), por));
}

// ---- zip parts -------------------------------------------------------------------------------

QByteArray Parte(QuaZip& zip, const QString& ruta, const QString& nombre, bool obligatoria = true) {
    if (!zip.setCurrentFile(nombre)) {
        if (obligatoria)
            Falla(ruta, QStringLiteral("falta su parte %1; el archivo está dañado o no es un libro "
                                       "de cálculo.")
                            .arg(nombre));
        return {};
    }
    QuaZipFile f(&zip);
    if (!f.open(QIODevice::ReadOnly))
        Falla(ruta, QStringLiteral("no se pudo abrir su parte %1.").arg(nombre));
    QByteArray datos = f.readAll();
    f.close();
    if (f.getZipError() != UNZ_OK)
        Falla(ruta, QStringLiteral("su parte %1 está dañada.").arg(nombre));
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

// ---- xlsx ------------------------------------------------------------------------------------

QString Normaliza(QString objetivo) {
    // Targets are relative to xl/ or absolute in the package.
    if (objetivo.startsWith(QLatin1Char('/')))
        return objetivo.mid(1);
    return QStringLiteral("xl/") + objetivo;
}

void LeeXlsx(const QString& ruta, const QString& hoja, Lector& lector) {
    QuaZip zip(ruta);
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
                       x.attributes().value(QLatin1String("name")) == hoja) {
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
    // Shared strings (rich text joined).
    QStringList compartidos;
    {
        const QByteArray datos = Parte(zip, ruta, QStringLiteral("xl/sharedStrings.xml"), false);
        QXmlStreamReader x(datos);
        QString actual;
        bool enSi = false, enFonetica = false;
        while (!datos.isEmpty() && !x.atEnd()) {
            x.readNext();
            if (x.isStartElement()) {
                if (x.name() == QLatin1String("si")) {
                    enSi = true;
                    actual.clear();
                } else if (x.name() == QLatin1String("rPh")) {
                    enFonetica = true;
                } else if (x.name() == QLatin1String("t") && enSi && !enFonetica) {
                    actual += x.readElementText();
                }
            } else if (x.isEndElement()) {
                if (x.name() == QLatin1String("si")) {
                    compartidos << actual;
                    enSi = false;
                } else if (x.name() == QLatin1String("rPh")) {
                    enFonetica = false;
                }
            }
        }
        if (!datos.isEmpty())
            RevisaXml(x, ruta, QStringLiteral("xl/sharedStrings.xml"));
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
    QXmlStreamReader x(Parte(zip, ruta, parteHoja));
    int total = 0, leidas = 0, numeroFila = 0;
    std::vector<Celda> fila;
    bool enFila = false;
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            if (x.name() == QLatin1String("dimension")) {
                const QString ref = x.attributes().value(QLatin1String("ref")).toString();
                const qsizetype dos = ref.indexOf(QLatin1Char(':'));
                total =
                    dos < 0 ? 0 : qBound(0, FilaDe(QStringView(ref).mid(dos + 1)), kFilasMaximas);
            } else if (x.name() == QLatin1String("row")) {
                const int r = x.attributes().value(QLatin1String("r")).toInt();
                numeroFila = r > 0 ? r : numeroFila + 1;
                if (numeroFila > kFilasMaximas)
                    Falla(ruta, QStringLiteral("la hoja tiene más filas de las que cabe en una "
                                               "hoja de cálculo; el archivo está dañado."));
                fila.clear();
                enFila = true;
            } else if (x.name() == QLatin1String("c") && enFila) {
                const auto a = x.attributes();
                const QStringView ref = a.value(QLatin1String("r"));
                const int columna = ref.isEmpty() ? int(fila.size()) : ColumnaDe(ref);
                const QStringView t = a.value(QLatin1String("t"));
                const int estilo = a.value(QLatin1String("s")).toInt();
                QString valor;
                bool hayValor = false;
                while (!(x.isEndElement() && x.name() == QLatin1String("c")) && !x.atEnd()) {
                    x.readNext();
                    if (x.isStartElement() && x.name() == QLatin1String("v")) {
                        valor = x.readElementText();
                        hayValor = true;
                    } else if (x.isStartElement() && x.name() == QLatin1String("t")) {
                        valor += x.readElementText(); // inline string, rich runs joined
                        hayValor = true;
                    }
                }
                Celda c;
                if (hayValor) {
                    if (t == QLatin1String("s")) {
                        bool ok = false;
                        const int i = valor.toInt(&ok);
                        c.tipo = Celda::Texto;
                        c.texto =
                            ok && i >= 0 && i < compartidos.size() ? compartidos[i] : QString();
                    } else if (t == QLatin1String("str") || t == QLatin1String("inlineStr")) {
                        c.tipo = Celda::Texto;
                        c.texto = valor;
                    } else if (t == QLatin1String("b")) {
                        c.tipo = Celda::Logico;
                        c.logico = valor == QLatin1String("1");
                    } else if (t == QLatin1String("e")) {
                        c.tipo = Celda::Texto;
                        c.texto = valor;
                    } else {
                        bool ok = false;
                        const double d = valor.toDouble(&ok);
                        if (ok) {
                            const bool fecha = estilo >= 0 && size_t(estilo) < estiloFecha.size() &&
                                               estiloFecha[size_t(estilo)];
                            c.numero = d;
                            if (fecha)
                                c.fecha = FechaDeSerie(d, s1904);
                            // A day number out of any calendar stays a number.
                            c.tipo = c.fecha.isValid() ? Celda::Fecha : Celda::Numero;
                        }
                    }
                }
                Pon(fila, columna, std::move(c));
            }
        } else if (x.isEndElement() && x.name() == QLatin1String("row") && enFila) {
            enFila = false;
            lector.Progreso(++leidas, total);
            if (!lector.Fila(numeroFila, fila))
                return;
        }
    }
    RevisaXml(x, ruta, parteHoja);
}

// ---- ods -------------------------------------------------------------------------------------

void LeeOds(const QString& ruta, const QString& hoja, Lector& lector) {
    QuaZip zip(ruta);
    if (!zip.open(QuaZip::mdUnzip))
        Falla(ruta, QStringLiteral("no es un libro de cálculo o está dañado."));
    QXmlStreamReader x(Parte(zip, ruta, QStringLiteral("content.xml")));
    bool encontrada = false;
    int numeroFila = 0;
    while (!x.atEnd()) {
        x.readNext();
        if (!x.isStartElement() || x.name() != QLatin1String("table"))
            continue;
        if (x.attributes().value(QLatin1String("table:name")) != hoja &&
            x.attributes().value(QLatin1String("name")) != hoja) {
            x.skipCurrentElement();
            continue;
        }
        encontrada = true;
        while (!x.atEnd()) {
            x.readNext();
            if (x.isEndElement() && x.name() == QLatin1String("table"))
                break;
            if (!x.isStartElement() || x.name() != QLatin1String("table-row"))
                continue;
            const int repetidas =
                qBound(1, x.attributes().value(QLatin1String("table:number-rows-repeated")).toInt(),
                       kFilasMaximas);
            std::vector<Celda> fila;
            int columna = 0;
            while (!x.atEnd()) {
                x.readNext();
                if (x.isEndElement() && x.name() == QLatin1String("table-row"))
                    break;
                if (!x.isStartElement() || (x.name() != QLatin1String("table-cell") &&
                                            x.name() != QLatin1String("covered-table-cell")))
                    continue;
                const auto a = x.attributes();
                const int veces =
                    qBound(1, a.value(QLatin1String("table:number-columns-repeated")).toInt(),
                           kColumnasMaximas);
                const QStringView tipo = a.value(QLatin1String("office:value-type"));
                Celda c;
                if (tipo == QLatin1String("float") || tipo == QLatin1String("percentage") ||
                    tipo == QLatin1String("currency")) {
                    c.tipo = Celda::Numero;
                    c.numero = a.value(QLatin1String("office:value")).toDouble();
                } else if (tipo == QLatin1String("date")) {
                    c.tipo = Celda::Fecha;
                    const QString v = a.value(QLatin1String("office:date-value")).toString();
                    c.fecha = QDateTime::fromString(v, Qt::ISODate);
                    if (!c.fecha.isValid())
                        c.fecha = QDateTime(QDate::fromString(v, Qt::ISODate), QTime(0, 0));
                } else if (tipo == QLatin1String("boolean")) {
                    c.tipo = Celda::Logico;
                    c.logico =
                        a.value(QLatin1String("office:boolean-value")) == QLatin1String("true");
                } else if (tipo == QLatin1String("string")) {
                    c.tipo = Celda::Texto;
                }
                // The cell's paragraphs: text, spaces (<text:s/>), tabs and breaks.
                QString texto;
                int parrafos = 0;
                while (!x.atEnd()) {
                    x.readNext();
                    if (x.isEndElement() && (x.name() == QLatin1String("table-cell") ||
                                             x.name() == QLatin1String("covered-table-cell")))
                        break;
                    if (x.isStartElement() && x.name() == QLatin1String("p") && parrafos++ > 0)
                        texto += QLatin1Char('\n');
                    else if (x.isStartElement() && x.name() == QLatin1String("s"))
                        texto +=
                            QString(qBound(1, x.attributes().value(QLatin1String("text:c")).toInt(),
                                           kEspaciosMaximos),
                                    QLatin1Char(' '));
                    else if (x.isStartElement() && x.name() == QLatin1String("tab"))
                        texto += QLatin1Char('\t');
                    else if (x.isCharacters())
                        texto += x.text();
                }
                if (c.tipo == Celda::Texto)
                    c.texto = texto;
                // Trailing runs of empty cells may repeat to the sheet's last column.
                if (c.tipo == Celda::Vacia) {
                    columna = qMin(columna + veces, kColumnasMaximas);
                    continue;
                }
                for (int k = 0; k < veces && columna < kColumnasMaximas; ++k)
                    Pon(fila, columna++, Celda(c));
            }
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
            lector.Progreso(numeroFila, 0);
        }
        break;
    }
    RevisaXml(x, ruta, QStringLiteral("content.xml"));
    if (!encontrada)
        Falla(ruta, QStringLiteral("no tiene la hoja \"%1\".").arg(hoja));
}

// ---- xls -------------------------------------------------------------------------------------

void LeeXls(const QString& ruta, const QString& hoja, Lector& lector) {
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
            nombre && QString::fromUtf8(nombre) == hoja)
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
                c.fecha = QDateTime::fromString(QString::fromUtf8(v.value.text_value),
                                                QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                if (!c.fecha.isValid())
                    c.fecha = QDateTime(
                        QDate::fromString(QString::fromUtf8(v.value.text_value), Qt::ISODate),
                        QTime(0, 0));
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
    return QDateTime(base.addDays(qint64(dias)), QTime(0, 0)).addMSecs(ms);
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
