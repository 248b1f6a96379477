// Installer scripts.
#include "app/Instalador.h"

#include "common/Errores.h"
#include "common/Texto1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

namespace Instalador {
namespace {

QString Comillas(const QString& ruta) {
    return QLatin1Char('"') + ruta + QLatin1Char('"');
}

// Single quotes for the shell, with embedded quotes closed and reopened.
QString CitaShell(const QString& t) {
    QString r = t;
    r.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

} // namespace

Rutas RutasDe(const QString& carpetaSistema, const QString& modulo) {
    Rutas r;
    r.carpeta = carpetaSistema;
    const QString sep = QString(QDir::separator());
#ifdef Q_OS_WIN
    r.ejecutable = carpetaSistema + sep + modulo + QStringLiteral(".exe");
    r.guion = carpetaSistema + sep + QStringLiteral("instalar.bat");
#else
    r.ejecutable = carpetaSistema + sep + modulo;
    r.guion = carpetaSistema + sep + QStringLiteral("instalar.sh");
#endif
    r.descarga = carpetaSistema + sep + modulo + QStringLiteral(".vrk");
    return r;
}

QStringList LineasBat(const Rutas& r, const QString& modulo) {
    return {QStringLiteral(":Label1"),
            QStringLiteral("@echo off"),
            QStringLiteral("del ") + Comillas(r.ejecutable),
            QStringLiteral("if exist ") + Comillas(r.ejecutable) + QStringLiteral(" goto Label1"),
            QStringLiteral("rename ") + Comillas(r.descarga) + QLatin1Char(' ') +
                Comillas(modulo + QStringLiteral(".exe")),
            QStringLiteral("call ") + Comillas(r.ejecutable),
            QStringLiteral("del ") + Comillas(r.guion)};
}

QString GuionUnix(const Rutas& r, qint64 pid) {
    return QStringLiteral("#!/bin/sh\n"
                          "# Installs the downloaded version once the program has exited.\n"
                          "while kill -0 %1 2>/dev/null; do sleep 1; done\n"
                          "mv -f %2 %3 || exit 1\n"
                          "chmod +x %3\n"
                          "cd %4 && nohup %3 >/dev/null 2>&1 &\n"
                          "rm -f %5\n")
        .arg(pid)
        .arg(CitaShell(r.descarga), CitaShell(r.ejecutable), CitaShell(r.carpeta),
             CitaShell(r.guion));
}

void InstalarNuevaVersion(const QString& carpetaSistema, const QString& modulo) {
    const Rutas r = RutasDe(carpetaSistema, modulo);
    QSaveFile archivo(r.guion);
#ifdef Q_OS_WIN
    const QByteArray contenido = Texto1252::Codifica(
        LineasBat(r, modulo).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
#else
    const QByteArray contenido = GuionUnix(r, QCoreApplication::applicationPid()).toUtf8();
#endif
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(contenido) != contenido.size() ||
        !archivo.commit())
        throw ErrorArchivo(QStringLiteral("No se pudo escribir el archivo %1.\n%2")
                               .arg(r.guion, archivo.errorString()));
#ifdef Q_OS_WIN
    QProcess::startDetached(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), r.guion}, r.carpeta);
#else
    QProcess::startDetached(QStringLiteral("/bin/sh"), {r.guion}, r.carpeta);
#endif
}

} // namespace Instalador
