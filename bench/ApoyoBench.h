// Shared by the benchmarks: the program's session started on a database folder, as the
// start-up does (working folder, INI with the login, data module).
#pragma once

#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"

#include <QDir>
#include <QFile>
#include <memory>

inline std::unique_ptr<TdmDatos> AbreSesionBench(const QString& carpeta, const char* usuario,
                                                 const char* clave) {
    QDir::setCurrent(carpeta);
    Arranque::PreparaProceso();
    QFile ini(ArchivoIni);
    ini.open(QIODevice::WriteOnly);
    ini.write(QByteArray("[CONECTIVIDAD]\r\nUsuario=") + usuario + "\r\nPassword=" + clave +
              "\r\nDialogo=0\r\n");
    ini.close();
    return Arranque::CreaModuloDatos();
}
