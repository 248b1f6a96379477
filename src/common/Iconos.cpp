// Tool bar pictures, drawn with simple shapes in the registry's colours.
#include "common/Iconos.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace Iconos {
namespace {

const QColor kVerde(34, 120, 70), kAzul(30, 80, 150), kOcre(190, 130, 40), kGris(90, 90, 90);

void Dibuja(QPainter& p, Dibujo d) {
    p.setRenderHint(QPainter::Antialiasing);
    QPen pluma(kGris, 1.6);
    p.setPen(pluma);
    switch (d) {
    case Dibujo::Jeringa:
        p.setBrush(QColor(200, 230, 255));
        p.save();
        p.translate(12, 12);
        p.rotate(-45);
        p.drawRect(QRectF(-7, -3, 12, 6));
        p.drawLine(QPointF(5, 0), QPointF(10, 0));
        p.drawLine(QPointF(-7, 0), QPointF(-10, 0));
        p.drawLine(QPointF(-10, -3), QPointF(-10, 3));
        p.setPen(QPen(kVerde, 2));
        p.drawLine(QPointF(-4, -3), QPointF(-4, 3));
        p.restore();
        break;
    case Dibujo::Camion:
        p.setBrush(kOcre);
        p.drawRect(QRectF(2, 7, 13, 9));
        p.setBrush(kAzul);
        p.drawRect(QRectF(15, 10, 6, 6));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(6, 18), 2.2, 2.2);
        p.drawEllipse(QPointF(18, 18), 2.2, 2.2);
        break;
    case Dibujo::Lupa:
        p.setPen(QPen(kAzul, 2.2));
        p.setBrush(QColor(220, 240, 255));
        p.drawEllipse(QPointF(10, 10), 6, 6);
        p.setPen(QPen(kGris, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20, 20));
        break;
    case Dibujo::Empresa:
        p.setBrush(kVerde);
        p.drawRect(QRectF(4, 8, 16, 13));
        p.setBrush(Qt::white);
        for (int x : {7, 12, 17})
            p.drawRect(QRectF(x - 1.5, 11, 3, 3));
        p.setBrush(kOcre);
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(12, 2), QPointF(21, 8)}));
        break;
    case Dibujo::Persona:
        p.setBrush(kAzul);
        p.drawEllipse(QPointF(12, 7), 4, 4);
        p.drawRoundedRect(QRectF(5, 12, 14, 9), 4, 4);
        break;
    case Dibujo::Sobre:
        p.setBrush(QColor(255, 250, 220));
        p.drawRect(QRectF(3, 6, 18, 12));
        p.drawPolyline(QPolygonF({QPointF(3, 6), QPointF(12, 13), QPointF(21, 6)}));
        break;
    case Dibujo::Pregunta: {
        p.setBrush(kVerde);
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.drawText(QRectF(3, 3, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Dibujo::Globo:
        p.setBrush(QColor(210, 235, 255));
        p.drawEllipse(QPointF(12, 12), 9, 9);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 4, 9);
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        break;
    case Dibujo::Ejecutar: {
        // Two arrows turning: run the list again.
        p.setPen(QPen(kVerde, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 150 * 16);
        p.drawArc(QRectF(4, 4, 16, 16), 210 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(kVerde);
        p.drawPolygon(QPolygonF({QPointF(19, 3), QPointF(21, 10), QPointF(14, 9)}));
        p.drawPolygon(QPolygonF({QPointF(5, 21), QPointF(3, 14), QPointF(10, 15)}));
        break;
    }
    case Dibujo::Insertar:
    case Dibujo::Editar:
    case Dibujo::Duplicar: {
        if (d == Dibujo::Duplicar) {
            p.setBrush(QColor(235, 235, 235));
            p.drawRect(QRectF(8, 2, 12, 15));
        }
        p.setBrush(Qt::white);
        p.drawRect(d == Dibujo::Duplicar ? QRectF(4, 7, 12, 15) : QRectF(5, 3, 13, 18));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (int y : {9, 12, 15})
            p.drawLine(
                QPointF(d == Dibujo::Duplicar ? 6 : 8, y + (d == Dibujo::Duplicar ? 3 : 0)),
                QPointF(d == Dibujo::Duplicar ? 14 : 15, y + (d == Dibujo::Duplicar ? 3 : 0)));
        if (d == Dibujo::Insertar) {
            p.setPen(QPen(kVerde, 3, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(17, 13), QPointF(17, 22));
            p.drawLine(QPointF(12.5, 17.5), QPointF(21.5, 17.5));
        } else if (d == Dibujo::Editar) {
            p.setPen(QPen(kOcre, 3.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(10, 19), QPointF(20, 8));
            p.setPen(QPen(kGris, 1.4));
            p.drawLine(QPointF(8.5, 21), QPointF(10, 19));
        }
        break;
    }
    case Dibujo::Eliminar:
        p.setBrush(QColor(200, 60, 50));
        p.drawRect(QRectF(6, 7, 12, 15));
        p.drawRect(QRectF(4, 4, 16, 3));
        p.drawRect(QRectF(9.5, 2, 5, 2));
        p.setPen(QPen(Qt::white, 1.4));
        for (double x : {9.5, 12.0, 14.5})
            p.drawLine(QPointF(x, 10), QPointF(x, 19));
        break;
    case Dibujo::Imprimir:
        // A printer with its sheet.
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 2, 10, 7));
        p.setBrush(QColor(120, 125, 135));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 15, 12, 7));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.drawLine(QPointF(8, 18), QPointF(16, 18));
        p.drawLine(QPointF(8, 20), QPointF(14, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 220, 90));
        p.drawEllipse(QPointF(18.5, 11.5), 1.2, 1.2);
        break;
    case Dibujo::Exportar:
        // A diskette: keep the list in a file.
        p.setBrush(kAzul);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 3, 12, 7));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(7, 14, 10, 7));
        break;
    case Dibujo::Grafico:
        // Three bars in the series' colours on a base line.
        p.setBrush(QColor(230, 40, 40));
        p.drawRect(QRectF(4, 10, 4, 10));
        p.setBrush(QColor(20, 140, 20));
        p.drawRect(QRectF(10, 4, 4, 16));
        p.setBrush(QColor(240, 220, 30));
        p.drawRect(QRectF(16, 13, 4, 7));
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(2, 20, 20, 1.5));
        break;
    case Dibujo::Copiar:
        // Two sheets, one over the other.
        p.setBrush(QColor(210, 215, 225));
        p.drawRect(QRectF(3, 3, 12, 14));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 8, 12, 14));
        p.setPen(QPen(kAzul, 1));
        for (double y : {12.0, 15.0, 18.0})
            p.drawLine(QPointF(11, y), QPointF(19, y));
        break;
    case Dibujo::Anterior:
    case Dibujo::Siguiente: {
        // A triangle pointing the way the record moves.
        p.setBrush(kAzul);
        const bool atras = d == Dibujo::Anterior;
        p.drawPolygon(QPolygonF({QPointF(atras ? 17 : 7, 5), QPointF(atras ? 17 : 7, 19),
                                 QPointF(atras ? 6 : 18, 12)}));
        break;
    }
    case Dibujo::Grabar:
        // A tick: keep the changes.
        p.setPen(QPen(kVerde, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(4, 13), QPointF(10, 19), QPointF(20, 5)}));
        break;
    case Dibujo::Cancelar:
        // A cross: give the changes back.
        p.setPen(QPen(QColor(200, 60, 50), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 6), QPointF(18, 18));
        p.drawLine(QPointF(18, 6), QPointF(6, 18));
        break;
    case Dibujo::Escudo: {
        QPainterPath escudo;
        escudo.moveTo(12, 2);
        escudo.lineTo(21, 5);
        escudo.quadTo(21, 17, 12, 22);
        escudo.quadTo(3, 17, 3, 5);
        escudo.closeSubpath();
        p.setBrush(kVerde);
        p.drawPath(escudo);
        p.setPen(QPen(QColor(250, 210, 60), 2));
        p.drawLine(QPointF(12, 6), QPointF(12, 18));
        p.drawLine(QPointF(7, 11), QPointF(17, 11));
        break;
    }
    }
}

} // namespace

QIcon Icono(Dibujo dibujo) {
    QPixmap lienzo(24, 24);
    lienzo.fill(Qt::transparent);
    {
        QPainter p(&lienzo);
        Dibuja(p, dibujo);
    }
    QImage gris = lienzo.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gris.height(); ++y) {
        auto* fila = reinterpret_cast<QRgb*>(gris.scanLine(y));
        for (int x = 0; x < gris.width(); ++x) {
            const int claro = 150 + qGray(fila[x]) / 3;
            fila[x] = qRgba(claro, claro, claro, qAlpha(fila[x]) / 2);
        }
    }
    QIcon icono(lienzo);
    icono.addPixmap(QPixmap::fromImage(gris), QIcon::Disabled);
    return icono;
}

QPixmap Emblema(int lado) {
    QPixmap lienzo(lado, lado);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.scale(lado / 24.0, lado / 24.0);
    Dibuja(p, Dibujo::Escudo);
    return lienzo;
}

QToolButton* BotonHerramienta(QWidget* padre, const char* nombre, Dibujo dibujo,
                              const QString& pista) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nombre));
    b->setIcon(Icono(dibujo));
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setToolTip(pista);
    return b;
}

} // namespace Iconos
