// Band report engine.
#include "reports/Informe.h"

#include "common/Errores.h"
#include "common/Mensajes.h"

#include "common/Ventanas.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <stdexcept>

Informe::Informe(const QString& titulo, QPageSize::PageSizeId pagina, double margenMm)
    : titulo_(titulo), pagina_(pagina), margen_(margenMm) {}

void Informe::Desplaza(double xMm, double yMm) {
    desplazaX_ = xMm;
    desplazaY_ = yMm;
}

BandaInforme& Informe::AgregaBanda(BandaInforme::Tipo tipo, double altoMm) {
    BandaInforme b;
    b.tipo = tipo;
    b.altoMm = altoMm;
    bandas_.push_back(b);
    return bandas_.back();
}

ElementoInforme& Informe::AgregaEtiqueta(const QString& nombre, double izquierda, double arriba,
                                         double ancho, double alto, const QFont& fuente,
                                         Qt::Alignment alineacion, bool autoAncho) {
    if (bandas_.empty())
        AgregaBanda(BandaInforme::Titulo,
                    pagina_.size(QPageSize::Millimeter).height() - 2 * margen_);
    ElementoInforme e;
    e.tipo = ElementoInforme::Etiqueta;
    e.nombre = nombre;
    e.mm = QRectF(izquierda, arriba, ancho, alto);
    e.fuente = fuente;
    e.alineacion = alineacion;
    e.autoAncho = autoAncho;
    bandas_.back().elementos.push_back(e);
    return bandas_.back().elementos.back();
}

ElementoInforme& Informe::Etiqueta(const QString& nombre) {
    return const_cast<ElementoInforme&>(std::as_const(*this).Etiqueta(nombre));
}

const ElementoInforme& Informe::Etiqueta(const QString& nombre) const {
    for (const BandaInforme& b : bandas_)
        for (const ElementoInforme& e : b.elementos)
            if (e.nombre == nombre)
                return e;
    throw std::logic_error("etiqueta inexistente: " + nombre.toStdString());
}

bool Informe::Tiene(const QString& nombre) const {
    for (const BandaInforme& b : bandas_)
        for (const ElementoInforme& e : b.elementos)
            if (e.nombre == nombre)
                return true;
    return false;
}

QStringList Informe::Nombres() const {
    QStringList n;
    for (const BandaInforme& b : bandas_)
        for (const ElementoInforme& e : b.elementos)
            if (!e.nombre.isEmpty())
                n << e.nombre;
    return n;
}

QStringList Informe::Disposicion() const {
    static const char* const bandas[] = {"titulo", "detalle", "resumen", "pie"};
    static const char* const tipos[] = {"etiqueta", "rectangulo", "linea", "imagen"};
    QStringList lineas;
    auto agrega = [&](const BandaInforme& b, const QString& banda) {
        for (const ElementoInforme& e : b.elementos) {
            QString l = QStringLiteral("%1 %2 %3 [%4 %5 %6 %7]")
                            .arg(banda, QLatin1String(tipos[e.tipo]),
                                 e.nombre.isEmpty() ? QStringLiteral("-") : e.nombre)
                            .arg(e.mm.left(), 0, 'f', 1)
                            .arg(e.mm.top(), 0, 'f', 1)
                            .arg(e.mm.width(), 0, 'f', 1)
                            .arg(e.mm.height(), 0, 'f', 1);
            if (e.tipo == ElementoInforme::Etiqueta) {
                const Qt::Alignment h = e.alineacion & Qt::AlignHorizontal_Mask;
                l += QStringLiteral(" %1pt%2 %3%4 \"%5\"")
                         .arg(e.fuente.pointSizeF())
                         .arg(e.fuente.bold() ? QStringLiteral(" negrita") : QString())
                         .arg(h & Qt::AlignRight     ? QStringLiteral("derecha")
                              : h & Qt::AlignHCenter ? QStringLiteral("centro")
                                                     : QStringLiteral("izquierda"))
                         .arg(e.autoAncho ? QStringLiteral(" auto") : QString())
                         .arg(QString(e.texto).replace(QLatin1Char('\n'), QStringLiteral("\\n")));
            } else if (e.tipo == ElementoInforme::Rectangulo && e.relleno.isValid()) {
                l += QLatin1Char(' ') + e.relleno.name();
            } else if (e.tipo == ElementoInforme::Imagen) {
                l += QStringLiteral(" %1x%2").arg(e.imagen.width()).arg(e.imagen.height());
            }
            lineas << l;
        }
    };
    for (const BandaInforme& b : bandas_) {
        if (b.tipo != BandaInforme::Detalle) {
            agrega(b, QLatin1String(bandas[b.tipo]));
            continue;
        }
        for (int i = 0; i < filasDetalle_; ++i) {
            BandaInforme fila = b;
            if (llenaDetalle_)
                llenaDetalle_(i, fila);
            agrega(fila, QStringLiteral("detalle%1").arg(i + 1));
        }
    }
    return lineas;
}

void Informe::FijaDetalle(int filas, std::function<void(int, BandaInforme&)> llena) {
    filasDetalle_ = filas;
    llenaDetalle_ = std::move(llena);
}

QFont Informe::Fuente(double puntos, bool negrita) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

void Informe::DibujaBanda(QPainter& p, const BandaInforme& b, double yMm, double pxPorMm) const {
    auto px = [&](double mm) { return mm * pxPorMm; };
    for (const ElementoInforme& e : b.elementos) {
        QRectF r(px(e.mm.left() + desplazaX_), px(yMm + e.mm.top() + desplazaY_), px(e.mm.width()),
                 px(e.mm.height()));
        switch (e.tipo) {
        case ElementoInforme::Etiqueta: {
            p.setFont(e.fuente);
            if (e.autoAncho) {
                const double ancho =
                    QFontMetricsF(e.fuente, p.device()).horizontalAdvance(e.texto) + 2;
                r.setWidth(std::max(r.width(), ancho));
            }
            if (e.opaco)
                p.fillRect(r, Qt::white);
            p.setPen(e.color);
            int banderas = int(e.alineacion) | Qt::AlignTop;
            if (e.ajusta && !e.autoAncho)
                banderas |= Qt::TextWordWrap;
            p.drawText(r, banderas, e.texto);
            break;
        }
        case ElementoInforme::Rectangulo:
            if (e.relleno.isValid()) {
                p.fillRect(r, e.relleno);
                break;
            }
            p.setPen(QPen(e.color, px(0.2)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
            break;
        case ElementoInforme::Linea:
            p.setPen(QPen(e.color, px(0.2)));
            p.drawLine(r.topLeft(), r.topRight());
            break;
        case ElementoInforme::Imagen:
            p.drawImage(r, e.imagen);
            break;
        }
    }
}

void Informe::Dibuja(QPainter& p, QPrinter& impresora) const {
    // The painter's origin is the printable area's corner (the margins are the printer's).
    const double pxPorMm = impresora.resolution() / 25.4;
    const double altoPagina = pagina_.size(QPageSize::Millimeter).height() - 2 * margen_;
    double y = 0;
    auto pie = [&] {
        for (const BandaInforme& b : bandas_)
            if (b.tipo == BandaInforme::Pie)
                DibujaBanda(p, b, altoPagina - b.altoMm, pxPorMm);
    };
    double altoPie = 0;
    for (const BandaInforme& b : bandas_)
        if (b.tipo == BandaInforme::Pie)
            altoPie += b.altoMm;
    for (const BandaInforme& b : bandas_) {
        if (b.tipo == BandaInforme::Pie)
            continue;
        if (b.tipo != BandaInforme::Detalle) {
            DibujaBanda(p, b, y, pxPorMm);
            y += b.altoMm;
            continue;
        }
        BandaInforme fila = b;
        for (int i = 0; i < filasDetalle_; ++i) {
            if (y + b.altoMm > altoPagina - altoPie) {
                pie();
                impresora.newPage();
                y = 0;
            }
            fila = b;
            if (llenaDetalle_)
                llenaDetalle_(i, fila);
            DibujaBanda(p, fila, y, pxPorMm);
            y += b.altoMm;
        }
    }
    pie();
}

void Informe::Imprime(QPrinter& impresora) const {
    impresora.setPageSize(pagina_);
    impresora.setPageOrientation(QPageLayout::Portrait);
    impresora.setPageMargins(QMarginsF(margen_, margen_, margen_, margen_),
                             QPageLayout::Millimeter);
    impresora.setDocName(titulo_);
    // A printer or PDF file that cannot be opened must not pass for a page printed: the guide's
    // number and the print log are written only after this returns.
    QPainter p;
    if (!p.begin(&impresora))
        throw ErrorArchivo(impresora.outputFileName().isEmpty()
                               ? QString::fromUtf8("No se pudo imprimir en la impresora %1.")
                                     .arg(impresora.printerName())
                               : QString::fromUtf8("No se pudo escribir el archivo %1.")
                                     .arg(impresora.outputFileName()));
    Dibuja(p, impresora);
    if (!p.end())
        throw ErrorArchivo(
            QString::fromUtf8("La impresión de %1 no pudo terminarse.").arg(titulo_));
}

void Informe::GuardaPdf(const QString& archivo) const {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setOutputFormat(QPrinter::PdfFormat);
    impresora.setOutputFileName(archivo);
    Imprime(impresora);
}

void Informe::VistaPrevia(QWidget* padre, const std::function<bool()>& imprime) const {
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setPageSize(pagina_);
    impresora.setPageMargins(QMarginsF(margen_, margen_, margen_, margen_),
                             QPageLayout::Millimeter);
    QPrintPreviewDialog vista(&impresora, padre);
    vista.setWindowTitle(titulo_);
    // Large enough to read a guide: most of the screen's height, a page's proportion wide.
    if (const QScreen* pantalla = padre ? padre->screen() : QGuiApplication::primaryScreen()) {
        const QRect libre = pantalla->availableGeometry();
        const int alto = libre.height() * 9 / 10;
        vista.resize(std::min(libre.width() * 9 / 10, alto * 4 / 5), alto);
    }
    QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista,
                     [this](QPrinter* destino) {
                         QPainter p(destino);
                         Dibuja(p, *destino);
                     });
    // The preview's print command prints where the program's print dialog says (a printer or
    // "Archivo PDF"), as printing without the preview does: Qt's own print dialog lists no
    // printer on a workstation without one and its "print to file" would open a file dialog of
    // Qt's that reads the files of the folder it lists (the database's among them). A failure
    // is said and the preview stays open.
    const QString imprimir = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* accion : vista.findChildren<QAction*>()) {
        if (accion->text() != imprimir)
            continue;
        accion->setObjectName(QStringLiteral("imprimir"));
        QObject::disconnect(accion, &QAction::triggered, nullptr, nullptr);
        QObject::connect(accion, &QAction::triggered, &vista, [&vista, &imprime] {
            try {
                if (imprime())
                    vista.accept();
            } catch (const ErrorTarvelion& e) {
                Mensajes::MuestraError(e.Texto());
            }
        });
    }
    Ventanas::MuestraModal(vista);
}
