// T-SQL tokens.
#include "db/TokensTsql.h"

#include <QStringList>

namespace DialectoSqlite {

QList<Token> Tokeniza(const QString& s) {
    QList<Token> t;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < n && s[j].isSpace())
                ++j;
            t.append({Token::Espacio, s.mid(i, j - i)});
            i = j;
        } else if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && i + 1 < n &&
                   s[i + 1] == QLatin1Char('\'')) {
            // N'...': a Unicode literal is a text like any other here.
            ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            qsizetype j = s.indexOf(QStringLiteral("*/"), i + 2);
            j = j < 0 ? n : j + 2;
            t.append({Token::Espacio, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('\'')) {
            qsizetype j = i + 1;
            while (j < n) {
                if (s[j] == QLatin1Char('\'')) {
                    if (j + 1 < n && s[j + 1] == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            t.append({Token::Cadena, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            const QChar fin = c == QLatin1Char('[') ? QLatin1Char(']') : QLatin1Char('"');
            qsizetype j = s.indexOf(fin, i + 1);
            j = j < 0 ? n : j + 1;
            t.append({Token::Palabra, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            qsizetype j = s.indexOf(QLatin1Char('\n'), i);
            j = j < 0 ? n : j;
            t.append({Token::Espacio, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n &&
                   (s[i + 1].isLetter() || s[i + 1] == QLatin1Char('_'))) {
            qsizetype j = i + 1;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                ++j;
            t.append({Token::Parametro, s.mid(i, j - i)});
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') ||
                   c == QLatin1Char('#')) {
            qsizetype j = i;
            while (j < n && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_') ||
                             s[j] == QLatin1Char('.') || s[j] == QLatin1Char('@') ||
                             s[j] == QLatin1Char('#') || s[j] == QLatin1Char('$')))
                ++j;
            t.append({Token::Palabra, s.mid(i, j - i)});
            i = j;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == QLatin1Char('.')))
                ++j;
            t.append({Token::Numero, s.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('(')) {
            t.append({Token::Abre, QStringLiteral("(")});
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.append({Token::Cierra, QStringLiteral(")")});
            ++i;
        } else {
            // Two-character operators stay together.
            static const QStringList dobles{QStringLiteral("<="), QStringLiteral(">="),
                                            QStringLiteral("<>"), QStringLiteral("!="),
                                            QStringLiteral("||")};
            const QString par = s.mid(i, 2);
            if (dobles.contains(par)) {
                t.append({Token::Simbolo, par});
                i += 2;
            } else {
                t.append({Token::Simbolo, QString(c)});
                ++i;
            }
        }
    }
    return t;
}

} // namespace DialectoSqlite
