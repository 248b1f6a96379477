// Conversion between Unicode and the Windows-1252 code page.
#include "common/Texto1252.h"

namespace Texto1252 {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the page equals Latin-1.
constexpr char16_t kAlto[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char ByteDe(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == c && c != 0xFFFD)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray Codifica(const QString& texto) {
    QByteArray r;
    r.reserve(texto.size());
    for (auto it = texto.cbegin(); it != texto.cend(); ++it) {
        char32_t c = it->unicode();
        if (it->isHighSurrogate() && it + 1 != texto.cend() && (it + 1)->isLowSurrogate()) {
            ++it;
            c = QChar::surrogateToUcs4(*(it - 1), *it);
        }
        r.append(ByteDe(c));
    }
    return r;
}

QString FueraDePagina(const QString& texto) {
    QString fuera;
    for (auto it = texto.cbegin(); it != texto.cend(); ++it) {
        QString caracter(*it);
        char32_t c = it->unicode();
        if (it->isHighSurrogate() && it + 1 != texto.cend() && (it + 1)->isLowSurrogate()) {
            caracter += *(it + 1);
            c = QChar::surrogateToUcs4(*it, *(it + 1));
            ++it;
        }
        if (c != U'?' && ByteDe(c) == '?' && !fuera.contains(caracter))
            fuera += caracter;
    }
    return fuera;
}

QString Decodifica(const QByteArray& bytes) {
    QString r;
    r.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b >= 0x80 && b < 0xA0)
            r.append(QChar(kAlto[b - 0x80]));
        else
            r.append(QChar(b));
    }
    return r;
}

void AgregaDesdeUtf8(std::string& destino, std::string_view utf8) {
    size_t i = 0;
    const size_t n = utf8.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            // Copy the whole run of ASCII at once.
            size_t j = i + 1;
            while (j < n && static_cast<unsigned char>(utf8[j]) < 0x80)
                ++j;
            destino.append(utf8.data() + i, j - i);
            i = j;
            continue;
        }
        char32_t c = 0;
        int resto = 0;
        if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            resto = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            resto = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            resto = 3;
        } else {
            destino.push_back('?');
            ++i;
            continue;
        }
        ++i;
        for (int k = 0; k < resto && i < n; ++k, ++i)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        destino.push_back(ByteDe(c));
    }
}

} // namespace Texto1252
