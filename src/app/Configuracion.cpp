// INI reading.
#include "app/Configuracion.h"

#include "app/Globales.h"
#include "common/Texto1252.h"

#include <QFile>

namespace {
QString Llave(const QString& seccion, const QString& clave) {
    return seccion.trimmed().toUpper() + QLatin1Char('\n') + clave.trimmed().toUpper();
}
} // namespace

ArchivoConfiguracion::ArchivoConfiguracion(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = archivo.readAll();
    QString texto;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        texto = QString::fromUtf8(bytes.mid(3));
    else
        texto = Texto1252::Decodifica(bytes);
    QString seccion;
    for (QString linea : texto.split(QLatin1Char('\n'))) {
        linea = linea.trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')))
            continue;
        if (linea.startsWith(QLatin1Char('['))) {
            const qsizetype cierre = linea.indexOf(QLatin1Char(']'));
            if (cierre > 0)
                seccion = linea.mid(1, cierre - 1);
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (igual <= 0 || seccion.isEmpty())
            continue;
        // A value written in double quotes is read without them, as the system's INI reader
        // does; the first occurrence of a key wins.
        QString valor = linea.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) &&
            valor.endsWith(QLatin1Char('"')))
            valor = valor.mid(1, valor.size() - 2);
        valores_.try_emplace(Llave(seccion, linea.left(igual)), valor);
    }
}

std::optional<QString> ArchivoConfiguracion::Valor(const QString& seccion,
                                                   const QString& clave) const {
    const auto it = valores_.find(Llave(seccion, clave));
    if (it == valores_.end())
        return std::nullopt;
    return it->second;
}

QString ArchivoConfiguracion::Texto(const QString& seccion, const QString& clave,
                                    const QString& defecto) const {
    return Valor(seccion, clave).value_or(defecto);
}

int ArchivoConfiguracion::Entero(const QString& seccion, const QString& clave, int defecto) const {
    const auto v = Valor(seccion, clave);
    if (!v)
        return defecto;
    bool ok = false;
    const int n = v->toInt(&ok, 10);
    return ok ? n : defecto;
}

double ArchivoConfiguracion::Real(const QString& seccion, const QString& clave,
                                  double defecto) const {
    const auto v = Valor(seccion, clave);
    if (!v)
        return defecto;
    bool ok = false;
    const double n = v->toDouble(&ok);
    return ok ? n : defecto;
}

void LeeConfiguracion() {
    const ArchivoConfiguracion ini(ArchivoIni);
    const QString s = QStringLiteral("CONECTIVIDAD");
    Servidor = ini.Texto(s, QStringLiteral("Servidor"), QString::fromLatin1(kServidorPorDefecto));
    BaseDatos = ini.Texto(s, QStringLiteral("BaseDatos"), QStringLiteral("Moravel"));
    Password = ini.Texto(s, QStringLiteral("Password"), QString());
    Usuario = ini.Texto(s, QStringLiteral("Usuario"), QString());
    Dialogo = ini.Entero(s, QStringLiteral("Dialogo"), 1) != 0;
}
