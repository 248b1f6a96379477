// A small band report engine: a page of a given size and margins, bands (title, detail per row
// with page breaks, summary, page footer) holding elements at millimetre positions (labels
// with font, alignment, auto-width or word-wrap and an opaque background; rectangles; rules;
// pictures). Layouts are built in code with named labels, so a caller fills them by name and a
// test can read any caption. Output goes to a printer, to the preview window or to a PDF file.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QWidget;

struct ElementoInforme {
    enum Tipo { Etiqueta, Rectangulo, Linea, Imagen } tipo = Etiqueta;
    QString nombre;
    QRectF mm; // left, top, width, height in millimetres, within the band
    QString texto;
    QFont fuente;
    Qt::Alignment alineacion = Qt::AlignLeft;
    bool autoAncho = false; // the label grows to the width of its text
    bool ajusta = true;     // word-wrap inside the rectangle
    bool opaco = true;      // white background behind the text
    QColor color = Qt::black;
    QColor relleno; // a rectangle's fill (none when invalid)
    QImage imagen;
};

struct BandaInforme {
    enum Tipo { Titulo, Detalle, Resumen, Pie } tipo = Titulo;
    double altoMm = 0;
    std::vector<ElementoInforme> elementos;
};

class Informe {
public:
    Informe(const QString& titulo, QPageSize::PageSizeId pagina, double margenMm = 10.0);

    QString Titulo() const { return titulo_; }
    QPageSize Pagina() const { return pagina_; }
    double Margen() const { return margen_; }
    // Shifts every element (stationery that does not line up on a given printer).
    void Desplaza(double xMm, double yMm);

    BandaInforme& AgregaBanda(BandaInforme::Tipo tipo, double altoMm);
    // A label in the last band added.
    ElementoInforme& AgregaEtiqueta(const QString& nombre, double izquierda, double arriba,
                                    double ancho, double alto, const QFont& fuente,
                                    Qt::Alignment alineacion = Qt::AlignLeft,
                                    bool autoAncho = false);
    // The label of that name in any band; a missing name is a programming error.
    ElementoInforme& Etiqueta(const QString& nombre);
    const ElementoInforme& Etiqueta(const QString& nombre) const;
    bool Tiene(const QString& nombre) const;
    QStringList Nombres() const;

    // Detail rows: how many, and how each row fills the detail band before it is drawn.
    void FijaDetalle(int filas, std::function<void(int fila, BandaInforme& banda)> llena);

    // The layout as it is drawn, one line per element in band order with the detail band once
    // per row after its fill: band and row, kind, name, millimetre rectangle, font size and
    // weight, alignment and text. Independent of fonts and printer, so a test can keep it.
    QStringList Disposicion() const;

    // Draws every page on the painter of a paged device already set to the report's page.
    void Dibuja(QPainter& p, QPrinter& impresora) const;
    // To a chosen printer, or (when the printer's output file is set) to a PDF file.
    void Imprime(QPrinter& impresora) const;
    void GuardaPdf(const QString& archivo) const;
    // The preview window (modal); from it the user may print.
    // The preview; its print command calls `imprime`, which prints to the chosen destination
    // (false: the user cancelled, the preview stays) and raises ErrorTarvelion on a failure.
    void VistaPrevia(QWidget* padre, const std::function<bool()>& imprime) const;
    // Font for the layouts: the metric twin of Arial where the system has it.
    static QFont Fuente(double puntos, bool negrita = false);

private:
    void DibujaBanda(QPainter& p, const BandaInforme& b, double yMm, double pxPorMm) const;

    QString titulo_;
    QPageSize pagina_;
    double margen_;
    double desplazaX_ = 0, desplazaY_ = 0;
    std::vector<BandaInforme> bandas_;
    int filasDetalle_ = 0;
    std::function<void(int, BandaInforme&)> llenaDetalle_;
};
