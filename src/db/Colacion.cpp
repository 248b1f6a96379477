// Spanish collation, LIKE and case for the embedded database.
#include "db/Colacion.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstring>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace Colacion {
namespace {

// A character's place in the collation: its letter (primary) and its accent (secondary).
// Case is not kept: upper and lower case of a letter get the same key.
struct Clave {
    std::uint32_t primario = 0;
    std::uint8_t secundario = 0;
    bool operator==(const Clave& o) const {
        return primario == o.primario && secundario == o.secundario;
    }
    bool operator<(const Clave& o) const {
        return primario != o.primario ? primario < o.primario : secundario < o.secundario;
    }
};

constexpr char32_t kLimiteTabla = 0x250; // Latin letters: every letter of the code page

struct Tabla {
    std::array<Clave, kLimiteTabla> clave{};
    std::array<char16_t, kLimiteTabla> mayuscula{};
    std::array<char16_t, kLimiteTabla> minuscula{};
};

std::uint8_t Acento(char16_t marca) {
    switch (marca) {
    case 0x301: // acute
        return 1;
    case 0x300: // grave
        return 2;
    case 0x302: // circumflex
        return 3;
    case 0x308: // diaeresis
        return 4;
    case 0x303: // tilde
        return 5;
    case 0x30A: // ring
        return 6;
    case 0x327: // cedilla
        return 7;
    case 0x30C: // caron
        return 8;
    default:
        return std::uint8_t(9 + (marca & 0x3F));
    }
}

// Letters a..z weigh 1000 + 2 * index, so that "ñ" fits right after "n"; digits come before
// letters and every other sign before digits, in code order.
std::uint32_t PesoLetra(char16_t c) {
    return 1000 + 2 * std::uint32_t(c - u'a');
}

Tabla ConstruyeTabla() {
    Tabla t;
    for (char32_t cp = 0; cp < kLimiteTabla; ++cp) {
        const QChar c{char16_t(cp)};
        const char16_t minus = c.toLower().unicode();
        t.mayuscula[cp] = c.toUpper().unicode();
        t.minuscula[cp] = minus;
        Clave& k = t.clave[cp];
        if (minus >= u'a' && minus <= u'z') {
            k.primario = PesoLetra(minus);
        } else if (cp >= U'0' && cp <= U'9') {
            k.primario = 900 + std::uint32_t(cp - U'0');
        } else if (minus == u'ñ') {
            k.primario = PesoLetra(u'n') + 1;
        } else if (QChar(minus).isLetter()) {
            const QString d = QChar(minus).decomposition();
            if (QChar(minus).decompositionTag() == QChar::Canonical && d.size() >= 2 &&
                d[0].unicode() >= u'a' && d[0].unicode() <= u'z') {
                k.primario = PesoLetra(d[0].unicode());
                k.secundario = Acento(d[1].unicode());
            } else {
                k.primario = 1100 + minus;
            }
        } else {
            k.primario = 100 + std::uint32_t(cp);
        }
    }
    return t;
}

const Tabla& T() {
    static const Tabla tabla = ConstruyeTabla();
    return tabla;
}

// One code point from UTF-8; a malformed byte reads as itself.
char32_t Lee(const unsigned char*& p, const unsigned char* fin) {
    const unsigned char c = *p++;
    if (c < 0x80)
        return c;
    int resto = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = resto == 3 ? (c & 0x07) : resto == 2 ? (c & 0x0F) : (c & 0x1F);
    if (resto == 0)
        return c;
    while (resto-- > 0 && p < fin && (*p & 0xC0) == 0x80)
        cp = (cp << 6) | (*p++ & 0x3F);
    return cp;
}

void Escribe(char32_t cp, std::string& s) {
    if (cp < 0x80) {
        s += char(cp);
    } else if (cp < 0x800) {
        s += char(0xC0 | (cp >> 6));
        s += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += char(0xE0 | (cp >> 12));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    } else {
        s += char(0xF0 | (cp >> 18));
        s += char(0x80 | ((cp >> 12) & 0x3F));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    }
}

Clave ClaveDe(char32_t cp) {
    if (cp < kLimiteTabla)
        return T().clave[cp];
    return Clave{0x10000 + std::uint32_t(cp), 0};
}

std::string_view SinBlancosFinales(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

struct Caracter {
    char32_t cp;
    Clave clave;
};

void Caracteres(std::string_view s, std::vector<Caracter>& v) {
    v.clear();
    v.reserve(s.size());
    auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const auto* fin = p + s.size();
    while (p < fin) {
        const char32_t cp = Lee(p, fin);
        v.push_back({cp, ClaveDe(cp)});
    }
}
std::vector<Caracter> Caracteres(std::string_view s) {
    std::vector<Caracter> v;
    Caracteres(s, v);
    return v;
}

// ---- LIKE --------------------------------------------------------------------------------

struct Patron {
    enum Tipo { Literal, Uno, Varios, Conjunto } tipo;
    Clave clave{};
    bool negado = false;
    std::vector<std::pair<Clave, Clave>> rangos; // a single letter is a range of itself
    explicit Patron(Tipo t, Clave c = {}) : tipo(t), clave(c) {}
    bool Acepta(const Clave& c) const {
        switch (tipo) {
        case Literal:
            return c == clave;
        case Uno:
            return true;
        case Varios:
            return false;
        case Conjunto: {
            bool dentro = false;
            for (const auto& [desde, hasta] : rangos)
                if (!(c < desde) && !(hasta < c)) {
                    dentro = true;
                    break;
                }
            return dentro != negado;
        }
        }
        return false;
    }
};

std::vector<Patron> LeePatron(const std::vector<Caracter>& p, char32_t escape) {
    std::vector<Patron> r;
    for (size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i].cp;
        if (escape && c == escape && i + 1 < p.size()) {
            ++i;
            r.push_back(Patron(Patron::Literal, p[i].clave));
        } else if (c == U'%') {
            if (r.empty() || r.back().tipo != Patron::Varios)
                r.push_back(Patron(Patron::Varios));
        } else if (c == U'_') {
            r.push_back(Patron(Patron::Uno));
        } else if (c == U'[') {
            size_t j = i + 1;
            Patron conjunto(Patron::Conjunto);
            if (j < p.size() && p[j].cp == U'^') {
                conjunto.negado = true;
                ++j;
            }
            bool cerrado = false;
            for (; j < p.size(); ++j) {
                if (p[j].cp == U']') {
                    cerrado = true;
                    break;
                }
                if (j + 2 < p.size() && p[j + 1].cp == U'-' && p[j + 2].cp != U']') {
                    conjunto.rangos.push_back({p[j].clave, p[j + 2].clave});
                    j += 2;
                } else {
                    conjunto.rangos.push_back({p[j].clave, p[j].clave});
                }
            }
            if (cerrado) {
                r.push_back(std::move(conjunto));
                i = j;
            } else {
                r.push_back(Patron(Patron::Literal, p[i].clave));
            }
        } else {
            r.push_back(Patron(Patron::Literal, p[i].clave));
        }
    }
    return r;
}

// Matching with backtracking to the last "%" only: enough because "%" matches any run.
bool Coincide(const std::vector<Patron>& p, const std::vector<Caracter>& v) {
    size_t i = 0, j = 0;
    size_t comodin = std::string::npos, marca = 0;
    while (j < v.size()) {
        if (i < p.size() && p[i].tipo == Patron::Varios) {
            comodin = i++;
            marca = j;
        } else if (i < p.size() && p[i].Acepta(v[j].clave)) {
            ++i;
            ++j;
        } else if (comodin != std::string::npos) {
            i = comodin + 1;
            j = ++marca;
        } else {
            return false;
        }
    }
    while (i < p.size() && p[i].tipo == Patron::Varios)
        ++i;
    return i == p.size();
}

} // namespace

namespace {

// The primary weights of ASCII, known at compile time (the same as the table's).
struct PesosAscii {
    std::uint16_t peso[128];
    constexpr PesosAscii() : peso() {
        for (int c = 0; c < 128; ++c) {
            const int minus = c >= 'A' && c <= 'Z' ? c + 32 : c;
            peso[c] = std::uint16_t(minus >= 'a' && minus <= 'z' ? 1000 + 2 * (minus - 'a')
                                    : c >= '0' && c <= '9'       ? 900 + (c - '0')
                                                                 : 100 + c);
        }
    }
};
constexpr PesosAscii kAscii;

} // namespace

int Compara(std::string_view a, std::string_view b) {
    auto* pa = reinterpret_cast<const unsigned char*>(a.data());
    auto* pb = reinterpret_cast<const unsigned char*>(b.data());
    size_t na = a.size(), nb = b.size();
    while (na > 0 && pa[na - 1] == ' ')
        --na;
    while (nb > 0 && pb[nb - 1] == ' ')
        --nb;
    const size_t n = std::min(na, nb);
    size_t i = 0;
    // Codes and names are mostly equal bytes or plain ASCII: no decoding for them.
    for (; i < n; ++i) {
        const unsigned char ca = pa[i], cb = pb[i];
        if (ca == cb)
            continue;
        if ((ca | cb) & 0x80)
            break;
        const std::uint16_t wa = kAscii.peso[ca], wb = kAscii.peso[cb];
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (i == n)
        return na == nb ? 0 : (na < nb ? -1 : 1);
    // Back to the start of the character the texts differ in; the rest letter by letter, the
    // first accent difference deciding between equal letters.
    while (i > 0 && ((pa[i] & 0xC0) == 0x80 || (pb[i] & 0xC0) == 0x80))
        --i;
    pa += i;
    pb += i;
    const auto* fa = reinterpret_cast<const unsigned char*>(a.data()) + na;
    const auto* fb = reinterpret_cast<const unsigned char*>(b.data()) + nb;
    int acento = 0;
    while (pa < fa && pb < fb) {
        const Clave ka = ClaveDe(Lee(pa, fa));
        const Clave kb = ClaveDe(Lee(pb, fb));
        if (ka.primario != kb.primario)
            return ka.primario < kb.primario ? -1 : 1;
        if (acento == 0 && ka.secundario != kb.secundario)
            acento = ka.secundario < kb.secundario ? -1 : 1;
    }
    if (pa < fa)
        return 1;
    if (pb < fb)
        return -1;
    return acento;
}

bool Parecido(std::string_view valor, std::string_view patron, char32_t escape) {
    return Coincide(LeePatron(Caracteres(patron), escape), Caracteres(SinBlancosFinales(valor)));
}

namespace {

// A LIKE pattern read once per statement: SQLite keeps it beside a constant pattern argument,
// so a search over a district's rows does not read the pattern again for every row.
struct PatronLeido {
    std::string texto;
    char32_t escape;
    std::vector<Patron> patron;
};

} // namespace

void Mayusculas(std::string_view texto, std::string& salida) {
    salida.clear();
    salida.reserve(texto.size());
    auto* p = reinterpret_cast<const unsigned char*>(texto.data());
    const auto* fin = p + texto.size();
    while (p < fin) {
        const char32_t cp = Lee(p, fin);
        Escribe(cp < kLimiteTabla ? T().mayuscula[cp] : cp, salida);
    }
}

void Minusculas(std::string_view texto, std::string& salida) {
    salida.clear();
    salida.reserve(texto.size());
    auto* p = reinterpret_cast<const unsigned char*>(texto.data());
    const auto* fin = p + texto.size();
    while (p < fin) {
        const char32_t cp = Lee(p, fin);
        Escribe(cp < kLimiteTabla ? T().minuscula[cp] : cp, salida);
    }
}

int Posicion(std::string_view buscado, std::string_view texto, int desde) {
    const std::vector<Caracter> b = Caracteres(buscado), t = Caracteres(texto);
    if (b.empty())
        return 0;
    for (size_t i = size_t(std::max(desde, 1) - 1); i + b.size() <= t.size(); ++i) {
        size_t k = 0;
        while (k < b.size() && t[i + k].clave == b[k].clave)
            ++k;
        if (k == b.size())
            return int(i + 1);
    }
    return 0;
}

namespace {

std::string_view Vista(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, size_t(sqlite3_value_bytes(v))) : std::string_view();
}

int ColacionEspanol(void*, int na, const void* a, int nb, const void* b) {
    return Compara(std::string_view(static_cast<const char*>(a), size_t(na)),
                   std::string_view(static_cast<const char*>(b), size_t(nb)));
}

int ColacionFecha(void* orden, int na, const void* a, int nb, const void* b) {
    return FechasTexto::ComparaFechas(std::string_view(static_cast<const char*>(a), size_t(na)),
                                      std::string_view(static_cast<const char*>(b), size_t(nb)),
                                      *static_cast<const FechasTexto::Orden*>(orden));
}

// like(pattern, value[, escape]): "value LIKE pattern [ESCAPE escape]".
void FnLike(sqlite3_context* ctx, int n, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL ||
        (n == 3 && sqlite3_value_type(args[2]) == SQLITE_NULL)) {
        sqlite3_result_null(ctx);
        return;
    }
    char32_t escape = 0;
    if (n == 3) {
        const std::string_view e = Vista(args[2]);
        const std::vector<Caracter> c = Caracteres(e);
        if (c.size() != 1) {
            sqlite3_result_error(ctx,
                                 "Se especificó un carácter de escape no válido en un predicado "
                                 "LIKE: debe ser un solo carácter.",
                                 -1);
            return;
        }
        escape = c[0].cp;
    }
    const std::string_view texto = Vista(args[0]);
    auto* leido = static_cast<PatronLeido*>(sqlite3_get_auxdata(ctx, 0));
    if (!leido || leido->escape != escape || leido->texto != texto) {
        leido = new PatronLeido{std::string(texto), escape, LeePatron(Caracteres(texto), escape)};
        sqlite3_set_auxdata(ctx, 0, leido, [](void* p) { delete static_cast<PatronLeido*>(p); });
        // SQLite may have released it at once (a pattern that is no constant): read it again.
        leido = static_cast<PatronLeido*>(sqlite3_get_auxdata(ctx, 0));
    }
    thread_local std::vector<Caracter> valor;
    Caracteres(SinBlancosFinales(Vista(args[1])), valor);
    const bool si = leido ? Coincide(leido->patron, valor)
                          : Coincide(LeePatron(Caracteres(texto), escape), valor);
    sqlite3_result_int(ctx, si ? 1 : 0);
}

void FnCaso(sqlite3_context* ctx, sqlite3_value* v, bool mayus) {
    if (sqlite3_value_type(v) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string s;
    if (mayus)
        Mayusculas(Vista(v), s);
    else
        Minusculas(Vista(v), s);
    sqlite3_result_text(ctx, s.data(), int(s.size()), SQLITE_TRANSIENT);
}
void FnUpper(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnCaso(ctx, a[0], true);
}
void FnLower(sqlite3_context* ctx, int, sqlite3_value** a) {
    FnCaso(ctx, a[0], false);
}

} // namespace

void Registra(sqlite3* bd, const FechasTexto::Orden* ordenFecha) {
    sqlite3_create_collation_v2(bd, "ESPANOL", SQLITE_UTF8, nullptr, ColacionEspanol, nullptr);
    sqlite3_create_collation_v2(bd, "FECHA", SQLITE_UTF8,
                                const_cast<FechasTexto::Orden*>(ordenFecha), ColacionFecha,
                                nullptr);
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(bd, "like", 2, det, nullptr, FnLike, nullptr, nullptr);
    sqlite3_create_function(bd, "like", 3, det, nullptr, FnLike, nullptr, nullptr);
    sqlite3_create_function(bd, "upper", 1, det, nullptr, FnUpper, nullptr, nullptr);
    sqlite3_create_function(bd, "lower", 1, det, nullptr, FnLower, nullptr, nullptr);
}

} // namespace Colacion
