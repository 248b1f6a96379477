// The INI file of the workstation (section CONECTIVIDAD) and the reading of the connection
// settings. The program only reads the file; nothing writes it.
#pragma once

#include <QString>
#include <map>
#include <optional>

// A Windows-style INI file: sections and keys compared without regard to case, ";" comments,
// values trimmed, Windows-1252 text. A missing or unreadable file reads as empty.
class ArchivoConfiguracion {
public:
    explicit ArchivoConfiguracion(const QString& ruta);
    std::optional<QString> Valor(const QString& seccion, const QString& clave) const;
    QString Texto(const QString& seccion, const QString& clave, const QString& defecto) const;
    // An integer value, or the default when absent, empty or not an integer.
    int Entero(const QString& seccion, const QString& clave, int defecto) const;
    double Real(const QString& seccion, const QString& clave, double defecto) const;

private:
    std::map<QString, QString> valores_; // "SECCION\nCLAVE" in upper case -> value
};

// The scrambled server address used when the INI file names none: the embedded database file
// beside the program, so a new installation works out of the box.
inline constexpr const char* kServidorPorDefecto = "Moravel.db";

// Reads Servidor, BaseDatos, Password, Usuario and Dialogo from ArchivoIni into the globals.
void LeeConfiguracion();
