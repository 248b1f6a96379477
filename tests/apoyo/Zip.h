// Zip packages taken apart and put back together, for tests that damage or alter one part of
// a workbook (.xlsx and .ods are zips of XML parts).
#pragma once

#include <QByteArray>
#include <QString>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <utility>
#include <vector>

using PartesZip = std::vector<std::pair<QString, QByteArray>>;

// The parts of a zip by name, in their order (none when it is no zip).
inline PartesZip LeeZip(const QString& ruta) {
    PartesZip partes;
    QuaZip zip(ruta);
    if (!zip.open(QuaZip::mdUnzip))
        return partes;
    for (bool mas = zip.goToFirstFile(); mas; mas = zip.goToNextFile()) {
        QuaZipFile f(&zip);
        f.open(QIODevice::ReadOnly);
        partes.emplace_back(zip.getCurrentFileName(), f.readAll());
    }
    return partes;
}

// Writes the parts as a new zip; false when it could not be written.
inline bool EscribeZip(const QString& ruta, const PartesZip& partes) {
    QuaZip zip(ruta);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    for (const auto& [nombre, datos] : partes) {
        QuaZipFile f(&zip);
        if (!f.open(QIODevice::WriteOnly, QuaZipNewInfo(nombre)) || f.write(datos) != datos.size())
            return false;
        f.close();
    }
    zip.close();
    return zip.getZipError() == ZIP_OK;
}

// The part called `nombre`, or null.
inline QByteArray* ParteZip(PartesZip& partes, const QString& nombre) {
    for (auto& [n, datos] : partes)
        if (n == nombre)
            return &datos;
    return nullptr;
}
