// Installer scripts.
#include "app/Instalador.h"

#include "common/Errores.h"
#include "common/Texto1252.h"

#include <QCoreApplication>
#include <QCryptographicHash>
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

// Little-endian fields of an executable's headers; 0 beyond the end (which then fails the
// bounds checks).
quint64 Campo(const QByteArray& b, qint64 pos, int largo) {
    if (pos < 0 || pos + largo > b.size())
        return 0;
    quint64 v = 0;
    for (int i = largo - 1; i >= 0; --i)
        v = (v << 8) | quint8(b[pos + i]);
    return v;
}

QString Incompleto() {
    return QString::fromUtf8("El archivo descargado está incompleto: sus encabezados nombran "
                             "partes que no llegaron.");
}

// The ELF machine of the running program, read from its own executable.
quint64 MaquinaElfPropia() {
    QFile propio(QCoreApplication::applicationFilePath());
    if (!propio.open(QIODevice::ReadOnly))
        return 0;
    return Campo(propio.read(64), 18, 2);
}

QString RevisaElf(const QByteArray& b) {
    if (!b.startsWith("\x7f"
                      "ELF") ||
        b.size() < 52)
        return QString::fromUtf8("El archivo descargado no es un programa para este sistema.");
    const bool de64 = b[4] == 2;
    if (b[5] != 1)
        return QString::fromUtf8("El archivo descargado no es un programa para este equipo.");
    const quint64 maquina = Campo(b, 18, 2);
    const quint64 propia = MaquinaElfPropia();
    if (propia != 0 && maquina != propia)
        return QString::fromUtf8("El archivo descargado es un programa para otro tipo de "
                                 "equipo (máquina %1, este equipo es %2).")
            .arg(maquina)
            .arg(propia);
    const quint64 tamano = quint64(b.size());
    const quint64 phoff = de64 ? Campo(b, 0x20, 8) : Campo(b, 0x1C, 4);
    const quint64 shoff = de64 ? Campo(b, 0x28, 8) : Campo(b, 0x20, 4);
    const quint64 phent = Campo(b, de64 ? 0x36 : 0x2A, 2), phnum = Campo(b, de64 ? 0x38 : 0x2C, 2);
    const quint64 shent = Campo(b, de64 ? 0x3A : 0x2E, 2), shnum = Campo(b, de64 ? 0x3C : 0x30, 2);
    if (phnum == 0 || phoff + phent * phnum > tamano || shoff + shent * shnum > tamano)
        return Incompleto();
    for (quint64 i = 0; i < phnum; ++i) {
        const qint64 h = qint64(phoff + i * phent);
        const quint64 desde = de64 ? Campo(b, h + 8, 8) : Campo(b, h + 4, 4);
        const quint64 largo = de64 ? Campo(b, h + 32, 8) : Campo(b, h + 16, 4);
        if (desde + largo > tamano)
            return Incompleto();
    }
    return {};
}

QString RevisaPe(const QByteArray& b) {
    const qint64 pe = qint64(Campo(b, 0x3C, 4));
    if (!b.startsWith("MZ") || b.mid(pe, 4) != QByteArray("PE\0\0", 4))
        return QString::fromUtf8("El archivo descargado no es un programa para este sistema.");
    const quint64 secciones = Campo(b, pe + 6, 2);
    const qint64 tabla = pe + 24 + qint64(Campo(b, pe + 20, 2));
    if (secciones == 0 || tabla + qint64(secciones) * 40 > b.size())
        return Incompleto();
    for (quint64 i = 0; i < secciones; ++i) {
        const qint64 s = tabla + qint64(i) * 40;
        if (Campo(b, s + 20, 4) + Campo(b, s + 16, 4) > quint64(b.size()))
            return Incompleto();
    }
    return {};
}

} // namespace

Formato FormatoPropio() {
#ifdef Q_OS_WIN
    return Formato::Pe;
#else
    return Formato::Elf;
#endif
}

QString RevisaEjecutable(const QByteArray& contenido, Formato formato) {
    if (contenido.isEmpty())
        return QString::fromUtf8("El servidor no envió ningún dato.");
    return formato == Formato::Elf ? RevisaElf(contenido) : RevisaPe(contenido);
}

QString RevisaSuma(const QByteArray& contenido, const QByteArray& publicado) {
    const QByteArray esperada = publicado.trimmed().split(' ').value(0).toLower();
    if (esperada.size() != 64 || QByteArray::fromHex(esperada).toHex() != esperada)
        return QString::fromUtf8("La suma de control publicada no es válida.");
    const QByteArray propia =
        QCryptographicHash::hash(contenido, QCryptographicHash::Sha256).toHex();
    if (propia != esperada)
        return QString::fromUtf8("El archivo descargado no coincide con su suma de control "
                                 "publicada (SHA-256 %1, se esperaba %2).")
            .arg(QString::fromLatin1(propia), QString::fromLatin1(esperada));
    return {};
}

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
