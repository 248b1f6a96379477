// The workbook reader on a folder of damaged workbooks, built with the address and
// undefined-behaviour sanitizers: files a real spreadsheet program wrote, cut at many offsets
// and with bytes flipped, and zips whose XML parts are damaged or claim absurd sizes (rows and
// columns repeated billions of times, row numbers past any sheet, day numbers past any
// calendar). Every file is either read or refused with ErrorArchivo; nothing else escapes and
// the sanitizers report nothing (any finding aborts the run).
#include "apoyo/Zip.h"
#include "common/Errores.h"
#include "common/LibroCalculo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <cctype>

namespace {

// Touches every cell, so that what the reader built is read back.
struct Recorre : LibroCalculo::Lector {
    qsizetype caracteres = 0;
    bool Fila(int, const std::vector<LibroCalculo::Celda>& celdas) override {
        for (const LibroCalculo::Celda& c : celdas)
            caracteres += c.ComoTexto().size();
        return true;
    }
};

QByteArray Lee(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void Escribe(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(datos);
}

// Every quoted number after the XML declaration (when `atributos`) and every value <v>...</v>
// (when `valores`) set to `valor`.
QByteArray Absurdo(const QByteArray& xml, const char* valor, bool atributos, bool valores) {
    const qsizetype prologo = xml.startsWith("<?xml") ? xml.indexOf("?>") + 2 : 0;
    QByteArray nuevo = xml.left(prologo);
    for (qsizetype i = prologo; i < xml.size(); ++i) {
        const bool comilla =
            atributos && xml[i] == '"' && i + 1 < xml.size() && std::isdigit(xml[i + 1]);
        const bool v = valores && xml.mid(i, 3) == "<v>";
        if (!comilla && !v) {
            nuevo += xml[i];
            continue;
        }
        const char* cierre = comilla ? "\"" : "</v>";
        const qsizetype fin = xml.indexOf(cierre, i + 1);
        if (fin < 0) {
            nuevo += xml.mid(i);
            break;
        }
        nuevo += (comilla ? QByteArray("\"") : QByteArray("<v>")) + valor;
        i = fin - 1; // the closing quote or tag is copied next
    }
    return nuevo;
}

} // namespace

class TstLibroDanado : public QObject {
    Q_OBJECT
    QTemporaryDir carpeta_;
    int archivos_ = 0;

    QString Nuevo(const QString& original, const QString& como) {
        return carpeta_.filePath(
            QStringLiteral("%1-%2.%3")
                .arg(QFileInfo(original).completeBaseName(), como, QFileInfo(original).suffix()));
    }

    // The fixtures, then every damage of each into the folder.
    void LlenaCarpeta() {
        QRandomGenerator azar(2026);
        const QStringList originales{QFINDTESTDATA("libros/listado.xlsx"),
                                     QFINDTESTDATA("libros/listado.ods"),
                                     QFINDTESTDATA("libros/listado.xls"),
                                     QFINDTESTDATA("../vaccination/libros/importa.xlsx")};
        for (const QString& original : originales) {
            const QByteArray datos = Lee(original);
            QVERIFY2(!datos.isEmpty(), qPrintable(original));
            // Cut at many offsets, among them every one of the first bytes.
            for (qsizetype corte = 0; corte < datos.size();
                 corte += corte < 64 ? 1 : qMax<qsizetype>(1, datos.size() / 120))
                Escribe(Nuevo(original, QStringLiteral("corte%1").arg(corte)), datos.left(corte));
            // One byte flipped, at random places.
            for (int k = 0; k < 150; ++k) {
                QByteArray d = datos;
                const qsizetype i = azar.bounded(qsizetype(d.size()));
                d[i] = char(d[i] ^ char(1 + azar.bounded(255)));
                Escribe(Nuevo(original, QStringLiteral("byte%1").arg(k)), d);
            }
            if (original.endsWith(QLatin1String(".xls")))
                continue;
            // A well-formed zip whose XML parts are damaged: cut, flipped, or with absurd
            // numbers in their attributes.
            const PartesZip partes = LeeZip(original);
            for (size_t p = 0; p < partes.size(); ++p) {
                if (!partes[p].first.endsWith(QLatin1String(".xml")) &&
                    !partes[p].first.endsWith(QLatin1String(".rels")))
                    continue;
                for (int k = 0; k < 40; ++k) {
                    auto otras = partes;
                    QByteArray& xml = otras[p].second;
                    if (k % 2 == 0) {
                        xml = xml.left(azar.bounded(qsizetype(xml.size()) + 1));
                    } else {
                        const qsizetype i = azar.bounded(qsizetype(xml.size()));
                        xml[i] = char(xml[i] ^ char(1 + azar.bounded(255)));
                    }
                    QVERIFY(EscribeZip(Nuevo(original, QStringLiteral("parte%1-%2").arg(p).arg(k)),
                                       otras));
                }
                static const char* const absurdos[] = {
                    "2147483647", "-2147483648", "0", "99999999999999999999", "1e308", "nan"};
                for (const char* absurdo : absurdos)
                    for (int modo = 1; modo <= 3; ++modo) {
                        auto otras = partes;
                        otras[p].second = Absurdo(otras[p].second, absurdo, modo & 1, modo & 2);
                        QVERIFY(EscribeZip(
                            Nuevo(original,
                                  QStringLiteral("absurdo%1-%2-%3").arg(p).arg(absurdo).arg(modo)),
                            otras));
                    }
            }
        }
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(carpeta_.isValid());
        LlenaCarpeta();
    }

    void carpeta() {
        const QStringList archivos = QDir(carpeta_.path()).entryList(QDir::Files);
        QVERIFY(archivos.size() > 1000);
        int leidos = 0, rechazados = 0;
        for (const QString& a : archivos) {
            Recorre r;
            try {
                LibroCalculo::LeeHoja(carpeta_.filePath(a), QStringLiteral("Listado"), r);
                ++leidos;
            } catch (const ErrorArchivo& e) {
                QVERIFY2(!e.Texto().isEmpty(), qPrintable(a));
                ++rechazados;
            } catch (const std::exception& e) {
                QFAIL(qPrintable(a + QStringLiteral(": ") + QString::fromUtf8(e.what())));
            }
        }
        // Both outcomes occur: a flipped byte in a text is still a workbook, a cut zip is not.
        QVERIFY(leidos > 0);
        QVERIFY(rechazados > 0);
        qInfo("%d archivos dañados: %d leídos, %d rechazados", int(archivos.size()), leidos,
              rechazados);
    }
};

QTEST_GUILESS_MAIN(TstLibroDanado)
#include "tst_libro_danado.moc"
