// A small, fast pull reader for the large XML parts of a workbook (a sheet of 50,000 rows is
// some 60 MB of XML): elements, attributes and text, read from a device in pieces and never
// whole in memory. It checks what a workbook needs checked (tags closed in order, attributes
// well formed, known entities, a document that does not end early) and refuses document type
// declarations, so no entity can expand. Names are compared as written ("table:name").
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <string>
#include <vector>

class QIODevice;

class EscanerXml {
public:
    enum Evento { Inicio, Fin, Texto, FinDocumento, Error };

    explicit EscanerXml(QIODevice* dispositivo);

    // The next event; after Error or FinDocumento it stays there.
    Evento Siguiente();
    // The current element's name as written and without its prefix ("table:table-row" and
    // "table-row"), for Inicio and Fin.
    QByteArrayView Nombre() const { return nombre_; }
    QByteArrayView NombreLocal() const;
    // An attribute of the element just started, its entities resolved; null when absent.
    QString Atributo(QByteArrayView nombre) const;
    bool TieneAtributo(QByteArrayView nombre) const;
    // The text of a Texto event, entities resolved.
    QString Caracteres() const;
    // The bytes as written (UTF-8) of an attribute or of a Texto event that holds no entity,
    // valid until the next event; false when absent or when an entity must be resolved.
    bool AtributoCrudo(QByteArrayView nombre, QByteArrayView& valor) const;
    bool CaracteresCrudos(QByteArrayView& texto) const;
    // Why the document was refused (Error), or that it ended early.
    QString TextoError() const { return error_; }

private:
    bool Asegura(qsizetype bytes); // at least `bytes` from pos_, false at the device's end
    qsizetype Busca(QByteArrayView que, qsizetype desde); // offset from pos_, -1 at the end
    Evento Falla(const QString& por);
    Evento Etiqueta();
    static QString Resuelve(QByteArrayView crudo, bool* ok);

    QIODevice* dispositivo_;
    QByteArray buf_;
    qsizetype pos_ = 0;
    bool finDispositivo_ = false;
    Evento estado_ = Texto;
    bool cierreVacio_ = false; // "<a/>": the Fin that follows its Inicio
    QByteArray nombre_;
    QByteArray texto_;
    struct Atrib {
        QByteArray nombre, valor;
    };
    std::vector<Atrib> atributos_;
    size_t nAtributos_ = 0;
    std::vector<std::string> pila_; // the open elements, innermost last
    size_t profundidad_ = 0;        // pila_ keeps its strings to reuse them
    QString error_;
};
