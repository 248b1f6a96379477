// Windows-1252 ("ANSI") text: the code page of the registry's export files and INI file.
#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace Texto1252 {

// Characters that have no place in the code page are written as "?".
QByteArray Codifica(const QString& texto);
QString Decodifica(const QByteArray& bytes);
// The distinct characters of `texto` that the code page has no place for, in order.
QString FueraDePagina(const QString& texto);
// Appends UTF-8 text converted to the code page (fast path for plain ASCII).
void AgregaDesdeUtf8(std::string& destino, std::string_view utf8);

} // namespace Texto1252
