// Test equipment: the server's side of SQL Server's wire protocol (TDS 7.x) on 127.0.0.1, so
// that the program's ODBC path (Qt's QODBC, unixODBC, FreeTDS) meets a server in the tests.
// It answers pre-login without encryption, checks LOGIN7 against the embedded database's
// logins and runs each SQL batch on that database through the program's own dialect layer,
// answering with result sets, row counts and SQL Server's ERROR tokens. Never part of the
// program. So far it serves the connection (pre-login and login) and plain batches; the RPCs
// that FreeTDS uses for parameterised statements are answered with an error.
#pragma once

#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

class ServidorTds {
public:
    // Serves the embedded database in `carpeta` (file Moravel.db).
    explicit ServidorTds(const QString& carpeta);
    ~ServidorTds();
    ServidorTds(const ServidorTds&) = delete;
    ServidorTds& operator=(const ServidorTds&) = delete;

    int Puerto() const { return puerto_; }
    // What the last LOGIN7 named: login, database and workstation.
    struct DatosLogin {
        QString usuario, base, estacion;
    };
    DatosLogin UltimoLogin() const;

private:
    void Atiende();
    void Sesion(int socket);

    QString carpeta_;
    int escucha_ = -1;
    int puerto_ = 0;
    std::atomic<bool> fin_{false};
    mutable std::mutex cerrojo_;
    DatosLogin ultimo_;
    std::thread hilo_;
};
