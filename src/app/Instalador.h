// Installing a downloaded version of the program: a script, written beside the program and
// started detached, waits until the program has exited, puts the download in place of the
// executable, starts it and deletes itself. Windows gets the registry's batch file; other
// systems an equivalent shell script. Paths are quoted, so folders with blanks work.
#pragma once

#include <QString>
#include <QStringList>

namespace Instalador {

struct Rutas {
    QString carpeta;
    QString ejecutable; // E: the program's executable
    QString descarga;   // V: the download, module + ".vrk"
    QString guion;      // B: the installer script
};
Rutas RutasDe(const QString& carpetaSistema, const QString& modulo);

// The seven lines of "instalar.bat".
QStringList LineasBat(const Rutas& r, const QString& modulo);
// The shell script for systems without batch files; `pid` is the program's process.
QString GuionUnix(const Rutas& r, qint64 pid);

// The executable formats a package may hold.
enum class Formato { Elf, Pe };
// This platform's format: PE on Windows, ELF elsewhere.
Formato FormatoPropio();

// Why a downloaded package is not an executable of this platform, or an empty text when it is
// one: the format's signature, the machine of the running program and every part the headers
// name lying inside the file (a package cut short fails here even when no size was announced).
QString RevisaEjecutable(const QByteArray& contenido, Formato formato);

// The SHA-256 of `contenido` against a published ".sha256" text ("<hex>  <name>", as
// sha256sum writes it); an empty text when they match, else why not.
QString RevisaSuma(const QByteArray& contenido, const QByteArray& publicado);

// Writes the script (replacing any) and starts it detached. Raises ErrorArchivo when the
// script cannot be written; whether it could be started is not checked.
void InstalarNuevaVersion(const QString& carpetaSistema, const QString& modulo);

} // namespace Instalador
