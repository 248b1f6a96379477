// Tool bar pictures, drawn with simple shapes in the registry's colours.
#include "app/Iconos.h"

#include <QPainter>
#include <QPainterPath>

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
    QPainter p(&lienzo);
    Dibuja(p, dibujo);
    return QIcon(lienzo);
}

QPixmap Emblema(int lado) {
    QPixmap lienzo(lado, lado);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.scale(lado / 24.0, lado / 24.0);
    Dibuja(p, Dibujo::Escudo);
    return lienzo;
}

} // namespace Iconos
