// Pull reading of large XML parts.
#include "common/EscanerXml.h"

#include <QIODevice>
#include <cstring>
#include <string_view>

namespace {

constexpr qsizetype kPedazo = 256 * 1024;            // read from the device at a time
constexpr qsizetype kTokenMaximo = 64 * 1024 * 1024; // one tag or text; more is a damaged file
constexpr size_t kProfundidadMaxima = 256;

bool EsBlanco(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

void Copia(QByteArray& destino, const char* p, qsizetype n) {
    destino.resize(n);
    if (n > 0)
        std::memcpy(destino.data(), p, size_t(n));
}

} // namespace

EscanerXml::EscanerXml(QIODevice* dispositivo) : dispositivo_(dispositivo) {}

bool EscanerXml::Asegura(qsizetype bytes) {
    while (buf_.size() - pos_ < bytes) {
        if (finDispositivo_)
            return false;
        if (buf_.size() - pos_ > kTokenMaximo) {
            finDispositivo_ = true;
            return false;
        }
        buf_.remove(0, pos_); // what was handed over goes
        pos_ = 0;
        const qsizetype antes = buf_.size();
        buf_.resize(antes + kPedazo);
        const qint64 leidos = dispositivo_->read(buf_.data() + antes, kPedazo);
        buf_.resize(antes + qMax<qint64>(0, leidos));
        if (leidos <= 0)
            finDispositivo_ = true;
    }
    return true;
}

qsizetype EscanerXml::Busca(QByteArrayView que, qsizetype desde) {
    for (;;) {
        const qsizetype i = buf_.indexOf(que, pos_ + desde);
        if (i >= 0)
            return i - pos_;
        desde = qMax<qsizetype>(desde, buf_.size() - pos_ - que.size() + 1);
        if (!Asegura(buf_.size() - pos_ + 1))
            return -1;
    }
}

EscanerXml::Evento EscanerXml::Falla(const QString& por) {
    error_ = por;
    return estado_ = Error;
}

QByteArrayView EscanerXml::NombreLocal() const {
    const qsizetype dos = nombre_.indexOf(':');
    return dos < 0 ? QByteArrayView(nombre_) : QByteArrayView(nombre_).sliced(dos + 1);
}

bool EscanerXml::TieneAtributo(QByteArrayView nombre) const {
    for (size_t i = 0; i < nAtributos_; ++i)
        if (atributos_[i].nombre == nombre)
            return true;
    return false;
}

QString EscanerXml::Atributo(QByteArrayView nombre) const {
    for (size_t i = 0; i < nAtributos_; ++i)
        if (atributos_[i].nombre == nombre) {
            bool ok = true;
            return Resuelve(atributos_[i].valor, &ok);
        }
    return {};
}

bool EscanerXml::AtributoCrudo(QByteArrayView nombre, QByteArrayView& valor) const {
    for (size_t i = 0; i < nAtributos_; ++i)
        if (atributos_[i].nombre == nombre) {
            valor = atributos_[i].valor;
            return !valor.contains('&');
        }
    return false;
}

bool EscanerXml::CaracteresCrudos(QByteArrayView& texto) const {
    texto = texto_;
    return !texto.contains('&');
}

QString EscanerXml::Caracteres() const {
    bool ok = true;
    return Resuelve(texto_, &ok);
}

QString EscanerXml::Resuelve(QByteArrayView crudo, bool* ok) {
    qsizetype amp = crudo.indexOf('&');
    if (amp < 0)
        return QString::fromUtf8(crudo);
    QString r;
    r.reserve(crudo.size());
    qsizetype desde = 0;
    while (amp >= 0) {
        r += QString::fromUtf8(crudo.sliced(desde, amp - desde));
        const qsizetype fin = crudo.indexOf(';', amp);
        const QByteArrayView e = fin < 0 ? QByteArrayView() : crudo.sliced(amp + 1, fin - amp - 1);
        char32_t cp = 0;
        if (e == "lt")
            cp = '<';
        else if (e == "gt")
            cp = '>';
        else if (e == "amp")
            cp = '&';
        else if (e == "quot")
            cp = '"';
        else if (e == "apos")
            cp = '\'';
        else if (e.size() > 1 && e.size() < 10 && e[0] == '#') {
            bool bien = false;
            const uint n = e[1] == 'x' ? e.sliced(2).toByteArray().toUInt(&bien, 16)
                                       : e.sliced(1).toByteArray().toUInt(&bien, 10);
            if (bien && n > 0 && n <= 0x10FFFF && (n < 0xD800 || n > 0xDFFF))
                cp = char32_t(n);
        }
        if (cp == 0) { // an unknown entity stays as written
            *ok = false;
            r += QLatin1Char('&');
            desde = amp + 1;
        } else {
            r += QString::fromUcs4(&cp, 1);
            desde = fin + 1;
        }
        amp = crudo.indexOf('&', desde);
    }
    r += QString::fromUtf8(crudo.sliced(desde));
    return r;
}

EscanerXml::Evento EscanerXml::Siguiente() {
    if (estado_ == Error || estado_ == FinDocumento)
        return estado_;
    nAtributos_ = 0;
    if (cierreVacio_) {
        cierreVacio_ = false;
        --profundidad_;
        return estado_ = Fin;
    }
    for (;;) {
        if (!Asegura(1)) {
            if (profundidad_ > 0)
                return Falla(QStringLiteral("el documento termina antes de cerrar <%1>")
                                 .arg(QString::fromStdString(pila_[profundidad_ - 1])));
            return estado_ = FinDocumento;
        }
        if (buf_[pos_] != '<') {
            const qsizetype fin = Busca("<", 0);
            if (fin < 0) {
                if (profundidad_ > 0)
                    return Falla(QStringLiteral("el documento termina antes de cerrar <%1>")
                                     .arg(QString::fromStdString(pila_[profundidad_ - 1])));
                return estado_ = FinDocumento; // blanks after the root
            }
            if (profundidad_ == 0) { // outside the root only blanks are met
                pos_ += fin;
                continue;
            }
            Copia(texto_, buf_.constData() + pos_, fin);
            pos_ += fin;
            return estado_ = Texto;
        }
        const Evento e = Etiqueta();
        if (e != FinDocumento) // FinDocumento here: a declaration or comment was skipped
            return e;
    }
}

EscanerXml::Evento EscanerXml::Etiqueta() {
    if (!Asegura(2))
        return Falla(QStringLiteral("el documento termina dentro de una etiqueta"));
    const char segundo = buf_[pos_ + 1];
    if (segundo == '?' || (segundo == '!' && Asegura(4) && buf_.mid(pos_, 4) == "<!--")) {
        const bool pi = segundo == '?';
        const qsizetype fin = Busca(pi ? "?>" : "-->", pi ? 2 : 4);
        if (fin < 0)
            return Falla(QStringLiteral("el documento termina dentro de un comentario"));
        pos_ += fin + (pi ? 2 : 3);
        return FinDocumento;
    }
    if (segundo == '!') {
        if (!Asegura(9) || buf_.mid(pos_, 9) != "<![CDATA[")
            return Falla(QStringLiteral("declaración de tipo de documento no admitida"));
        const qsizetype fin = Busca("]]>", 9);
        if (fin < 0 || profundidad_ == 0)
            return Falla(QStringLiteral("sección CDATA incompleta"));
        // The section's text is taken as written: its "&" are no entities.
        QByteArray crudo(buf_.constData() + pos_ + 9, fin - 9);
        texto_ = crudo.replace('&', "&amp;");
        pos_ += fin + 3;
        return estado_ = Texto;
    }
    if (segundo == '/') {
        const qsizetype fin = Busca(">", 2);
        if (fin < 0)
            return Falla(QStringLiteral("el documento termina dentro de una etiqueta"));
        QByteArrayView n(buf_.constData() + pos_ + 2, fin - 2);
        while (!n.isEmpty() && EsBlanco(n.back()))
            n.chop(1);
        if (profundidad_ == 0 || std::string_view(pila_[profundidad_ - 1]) !=
                                     std::string_view(n.data(), size_t(n.size())))
            return Falla(QStringLiteral("la etiqueta </%1> no cierra la abierta")
                             .arg(QString::fromUtf8(n.first(qMin<qsizetype>(n.size(), 40)))));
        Copia(nombre_, n.data(), n.size());
        --profundidad_;
        pos_ += fin + 1;
        return estado_ = Fin;
    }
    // A start tag: its end is the first ">" outside quoted values.
    qsizetype i = 1;
    char comilla = 0;
    for (;; ++i) {
        if (pos_ + i >= buf_.size() && !Asegura(i + 1))
            return Falla(QStringLiteral("el documento termina dentro de una etiqueta"));
        const char c = buf_.constData()[pos_ + i];
        if (comilla) {
            if (c == comilla)
                comilla = 0;
        } else if (c == '"' || c == '\'') {
            comilla = c;
        } else if (c == '>') {
            break;
        } else if (c == '<') {
            return Falla(QStringLiteral("etiqueta mal formada"));
        }
    }
    const char* p = buf_.constData() + pos_ + 1;
    const char* fin = buf_.constData() + pos_ + i;
    const bool vacio = fin > p && fin[-1] == '/';
    if (vacio)
        --fin;
    const char* n = p;
    while (p < fin && !EsBlanco(*p))
        ++p;
    if (p == n)
        return Falla(QStringLiteral("etiqueta sin nombre"));
    Copia(nombre_, n, p - n);
    while (true) {
        while (p < fin && EsBlanco(*p))
            ++p;
        if (p == fin)
            break;
        const char* a = p;
        while (p < fin && *p != '=' && !EsBlanco(*p))
            ++p;
        const char* finNombre = p;
        while (p < fin && EsBlanco(*p))
            ++p;
        if (p == fin || *p != '=' || finNombre == a)
            return Falla(QStringLiteral("atributo mal formado en <%1>")
                             .arg(QString::fromUtf8(nombre_.left(40))));
        ++p;
        while (p < fin && EsBlanco(*p))
            ++p;
        if (p == fin || (*p != '"' && *p != '\''))
            return Falla(QStringLiteral("atributo sin comillas en <%1>")
                             .arg(QString::fromUtf8(nombre_.left(40))));
        const char q = *p++;
        const char* v = p;
        while (p < fin && *p != q)
            ++p;
        if (p == fin)
            return Falla(QStringLiteral("atributo sin cerrar en <%1>")
                             .arg(QString::fromUtf8(nombre_.left(40))));
        if (nAtributos_ == atributos_.size())
            atributos_.emplace_back();
        Copia(atributos_[nAtributos_].nombre, a, finNombre - a);
        Copia(atributos_[nAtributos_].valor, v, p - v);
        ++nAtributos_;
        ++p;
    }
    if (profundidad_ >= kProfundidadMaxima)
        return Falla(QStringLiteral("elementos anidados en exceso"));
    if (profundidad_ == pila_.size())
        pila_.emplace_back();
    pila_[profundidad_++].assign(nombre_.constData(), size_t(nombre_.size()));
    cierreVacio_ = vacio;
    pos_ += i + 1;
    return estado_ = Inicio;
}
