// Kept test output.
#include "apoyo/Patrones.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString ComparaConPatron(const QStringList& lineas, const QString& relativo) {
    const QString ruta = QDir(QStringLiteral(TARVELION_PRUEBAS_FUENTE)).filePath(relativo);
    const QByteArray producido = lineas.join(QLatin1Char('\n')).toUtf8() + '\n';
    if (qEnvironmentVariableIsSet("TARVELION_REESCRIBE_PATRONES")) {
        QDir().mkpath(QFileInfo(ruta).absolutePath());
        QFile f(ruta);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(producido) < 0)
            return QStringLiteral("no se pudo escribir %1").arg(ruta);
        return {};
    }
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("no se pudo leer %1").arg(ruta);
    const QStringList guardado = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList ahora = QString::fromUtf8(producido).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(guardado.size(), ahora.size()); ++i) {
        const QString g = guardado.value(i, QStringLiteral("<fin>"));
        const QString a = ahora.value(i, QStringLiteral("<fin>"));
        if (g != a)
            return QStringLiteral("%1, línea %2:\n  guardada: %3\n  ahora:    %4")
                .arg(relativo)
                .arg(i + 1)
                .arg(g, a);
    }
    return {};
}
