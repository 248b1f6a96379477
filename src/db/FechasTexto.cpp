// Date-time literals as the server reads them.
#include "db/FechasTexto.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace FechasTexto {
namespace {

// A run of 1 to `maximo` digits at `i`; its length (0 when none).
size_t Numero(std::string_view s, size_t i, size_t maximo, int& valor) {
    size_t n = 0;
    valor = 0;
    while (i + n < s.size() && n < maximo && s[i + n] >= '0' && s[i + n] <= '9') {
        valor = valor * 10 + (s[i + n] - '0');
        ++n;
    }
    // More digits than the part may have: no such part.
    if (i + n < s.size() && s[i + n] >= '0' && s[i + n] <= '9')
        return 0;
    return n;
}

bool DiaValido(int a, int m, int d) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (a < 1753 || a > 9999 || m < 1 || m > 12 || d < 1)
        return false;
    const bool bisiesto = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    return d <= dias[m - 1] + (m == 2 && bisiesto ? 1 : 0);
}

bool Mayuscula(char c, char x) {
    return c == x || c == char(x + 32);
}

// 'h[h]:mm[:ss[.fff|:fff]][ ][AM|PM]', or nothing.
bool LeeHora(std::string_view s, int& h, int& mi, int& se, int& ms) {
    h = mi = se = ms = 0;
    if (s.empty())
        return true;
    // AM or PM at the end, with or without a blank before it.
    int meridiano = 0;
    if (s.size() >= 2 && Mayuscula(s[s.size() - 1], 'M') &&
        (Mayuscula(s[s.size() - 2], 'A') || Mayuscula(s[s.size() - 2], 'P'))) {
        meridiano = Mayuscula(s[s.size() - 2], 'A') ? 1 : 2;
        s.remove_suffix(2);
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
    }
    size_t i = Numero(s, 0, 2, h);
    if (i == 0 || i >= s.size() || s[i] != ':')
        return false;
    const size_t nm = Numero(s, i + 1, 2, mi);
    if (nm != 2)
        return false;
    i += 1 + nm;
    if (i < s.size()) {
        if (s[i] != ':' || Numero(s, i + 1, 2, se) != 2)
            return false;
        i += 3;
        if (i < s.size()) {
            if (s[i] != '.' && s[i] != ':')
                return false;
            const size_t nf = Numero(s, i + 1, 3, ms);
            if (nf == 0)
                return false;
            for (size_t n = nf; n < 3; ++n)
                ms *= 10;
            i += 1 + nf;
        }
    }
    if (i != s.size() || mi > 59 || se > 59)
        return false;
    if (meridiano != 0) {
        if (h < 1 || h > 12)
            return false;
        h = h % 12 + (meridiano == 2 ? 12 : 0);
    }
    return h < 24;
}

} // namespace

bool LeeOrden(std::string_view t, Orden& orden) {
    if (t.size() != 3)
        return false;
    char c[4] = {};
    for (size_t i = 0; i < 3; ++i)
        c[i] = char(t[i] | 0x20);
    if (std::strcmp(c, "dmy") == 0)
        orden = Orden::Dmy;
    else if (std::strcmp(c, "mdy") == 0)
        orden = Orden::Mdy;
    else if (std::strcmp(c, "ymd") == 0)
        orden = Orden::Ymd;
    else
        return false;
    return true;
}

bool LeeFecha(std::string_view s, char (&c)[24], Orden orden) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    int a = 0, m = 0, d = 0;
    size_t fin = 0; // where the date ends
    bool iso = false;
    int x = 0, y = 0, z = 0;
    const size_t n1 = Numero(s, 0, 8, x);
    if (n1 == 8) {
        // YYYYMMDD
        a = x / 10000;
        m = x / 100 % 100;
        d = x % 100;
        fin = 8;
    } else if (n1 == 4 && s.size() > 4 && (s[4] == '-' || s[4] == '/' || s[4] == '.')) {
        const char sep = s[4];
        const size_t n2 = Numero(s, 5, 2, y);
        if (n2 == 0 || 5 + n2 >= s.size() || s[5 + n2] != sep)
            return false;
        const size_t n3 = Numero(s, 6 + n2, 2, z);
        if (n3 == 0)
            return false;
        a = x;
        m = y;
        d = z;
        fin = 6 + n2 + n3;
        iso = sep == '-' && n2 == 2 && n3 == 2;
    } else if ((n1 == 1 || n1 == 2) && s.size() > n1 &&
               (s[n1] == '/' || s[n1] == '-' || s[n1] == '.')) {
        const char sep = s[n1];
        const size_t n2 = Numero(s, n1 + 1, 2, y);
        if (n2 == 0 || n1 + 1 + n2 >= s.size() || s[n1 + 1 + n2] != sep)
            return false;
        const size_t n3 = Numero(s, n1 + 2 + n2, 4, z);
        if (n3 != 4)
            return false;
        a = z;
        d = orden == Orden::Dmy ? x : y;
        m = orden == Orden::Dmy ? y : x;
        fin = n1 + 2 + n2 + n3;
    } else {
        return false;
    }
    std::string_view hora;
    if (fin < s.size()) {
        // ISO 8601 "T" joins only the dashed form; a blank (or several) any form.
        if (s[fin] == 'T' && iso) {
            hora = s.substr(fin + 1);
        } else if (s[fin] == ' ') {
            hora = s.substr(fin);
            while (!hora.empty() && hora.front() == ' ')
                hora.remove_prefix(1);
        } else {
            return false;
        }
    }
    int h = 0, mi = 0, se = 0, ms = 0;
    if (!DiaValido(a, m, d) || !LeeHora(hora, h, mi, se, ms))
        return false;
    // The time as the server's DATETIME holds it: .999 is the next second, maybe the next day.
    std::int64_t t = ((std::int64_t(h) * 60 + mi) * 60 + se) * 1000 + RedondeaMs(ms);
    if (t >= 86400000) {
        t -= 86400000;
        if (!DiaValido(a, m, ++d)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++a;
            }
            if (!DiaValido(a, m, d))
                return false; // past 9999-12-31 23:59:59.997
        }
    }
    h = int(t / 3600000);
    mi = int(t / 60000 % 60);
    se = int(t / 1000 % 60);
    ms = int(t % 1000);
    char texto[64];
    std::snprintf(texto, sizeof texto, "%04d-%02d-%02d %02d:%02d:%02d.%03d", a, m, d, h, mi, se,
                  ms);
    std::memcpy(c, texto, 24);
    return true;
}

std::int64_t RedondeaMs(std::int64_t ms) {
    // Ticks of 1/300 s, rounded to the nearest, back to milliseconds rounded to the nearest.
    const std::int64_t ticks = (ms * 300 + 500) / 1000;
    return (ticks * 1000 + 150) / 300;
}

bool EsCanonica(std::string_view s) {
    if (s.size() != 23 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' ||
        s[16] != ':' || s[19] != '.')
        return false;
    int ms = 0;
    if (Numero(s, 20, 3, ms) != 3)
        return false;
    return RedondeaMs(ms) == ms;
}

int ComparaFechas(std::string_view a, std::string_view b, Orden orden) {
    // A literal compares as the date-time it converts to, rounded as the stored ones are.
    char ca[24], cb[24];
    if (!EsCanonica(a) && LeeFecha(a, ca, orden))
        a = std::string_view(ca, 23);
    if (!EsCanonica(b) && LeeFecha(b, cb, orden))
        b = std::string_view(cb, 23);
    const int r = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (r != 0)
        return r < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace FechasTexto
