// Small helpers of the embedded server's functions: reading SQLite values, answering texts and
// errors, and the number a text stands for.
#pragma once

#include "db/FechasTexto.h"

#include <QString>
#include <charconv>
#include <cstdint>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace ValoresSqlite {

inline std::string_view Vista(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string_view(p, size_t(sqlite3_value_bytes(v))) : std::string_view();
}

inline QString Texto(sqlite3_value* v) {
    const std::string_view s = Vista(v);
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

inline void Resultado(sqlite3_context* ctx, std::string_view s) {
    sqlite3_result_text(ctx, s.data(), int(s.size()), SQLITE_TRANSIENT);
}

inline void Resultado(sqlite3_context* ctx, const QString& s) {
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
}

inline void Error(sqlite3_context* ctx, const QString& texto) {
    const QByteArray b = texto.toUtf8();
    sqlite3_result_error(ctx, b.constData(), int(b.size()));
}

inline bool EsNulo(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

inline std::string_view Recorta(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// The whole number a text holds (blanks around it allowed), as the server converts it.
inline bool EnteroDeTexto(std::string_view s, std::int64_t& n) {
    s = Recorta(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

inline bool RealDeTexto(std::string_view s, double& d) {
    s = Recorta(s);
    if (s.empty())
        return false;
    bool ok = false;
    d = QString::fromUtf8(s.data(), qsizetype(s.size())).toDouble(&ok);
    return ok;
}

// The session's order of day and month, which the date functions carry as their user data
// (none: day first, as the offices write dates).
inline FechasTexto::Orden OrdenDe(sqlite3_context* ctx) {
    const auto* orden = static_cast<const FechasTexto::Orden*>(sqlite3_user_data(ctx));
    return orden ? *orden : FechasTexto::Orden::Dmy;
}

} // namespace ValoresSqlite
