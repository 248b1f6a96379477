// Shared by the benchmarks: the program's session started on a database folder, as the
// start-up does (working folder, INI with the login, data module).
#pragma once

#include "app/Arranque.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "db/DialectoSqlite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <map>
#include <memory>

// `servidor`, when given, is the INI's Servidor (as the INI keeps it).
inline std::unique_ptr<TdmDatos> AbreSesionBench(const QString& carpeta, const char* usuario,
                                                 const char* clave,
                                                 const QByteArray& servidor = {}) {
    QDir::setCurrent(carpeta);
    Arranque::PreparaProceso();
    QFile ini(ArchivoIni);
    ini.open(QIODevice::WriteOnly);
    ini.write(QByteArray("[CONECTIVIDAD]\r\nUsuario=") + usuario + "\r\nPassword=" + clave +
              "\r\nDialogo=0\r\n");
    if (!servidor.isEmpty())
        ini.write("Servidor=" + servidor + "\r\n");
    ini.close();
    return Arranque::CreaModuloDatos();
}

// The same statement through the sqlite3 command-line tool on the same file: translated as the
// program sends it, the server functions loaded into the tool, the parameters set with
// ".parameter set", the rows printed in the tool's list mode to the null device. The tool's
// start (measured on an empty statement) is taken off. Seconds, or -1 when the tool failed.
#ifdef FUNCIONES_SQLITE
inline double TiempoSqlite3(const QString& ruta, const QString& tsql,
                            const std::map<QString, QString>& parametros = {}) {
    auto corre = [&](const QString& sentencia) -> double {
        QString guion = QStringLiteral(".load '%1'\n").arg(QString::fromUtf8(FUNCIONES_SQLITE));
        for (const auto& [nombre, valor] : parametros)
            guion += QStringLiteral(".parameter set :%1 \"'%2'\"\n").arg(nombre, valor);
        guion += sentencia + QStringLiteral(";\n");
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer reloj;
        reloj.start();
        cli.start(QStringLiteral("sqlite3"),
                  {QStringLiteral("-batch"), QStringLiteral("-bail"), ruta});
        if (!cli.waitForStarted())
            return -1;
        cli.write(guion.toUtf8());
        cli.closeWriteChannel();
        cli.waitForFinished(-1);
        const double s = reloj.nsecsElapsed() / 1e9;
        const QByteArray error = cli.readAllStandardError();
        if (cli.exitCode() != 0 || !error.isEmpty()) {
            std::printf("sqlite3: %s\n", error.constData());
            return -1;
        }
        return s;
    };
    const double arranque = corre(QStringLiteral("SELECT 1"));
    const double total = corre(DialectoSqlite::Traduce(tsql));
    return arranque < 0 || total < 0 ? -1 : total - arranque;
}
#endif

inline void ImprimeComparacion(const char* que, double programa, double sqlite) {
    std::printf("%s: programa %.2f s, sqlite3 %.2f s, %.2fx\n", que, programa, sqlite,
                sqlite > 0 ? programa / sqlite : 0.0);
}
