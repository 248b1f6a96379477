// Test equipment: the server's side of SQL Server's wire protocol (TDS 7.3) on 127.0.0.1, so
// that the program's ODBC path (Qt's QODBC, unixODBC, FreeTDS) meets a server in the tests.
// It answers pre-login without encryption, checks LOGIN7 against the embedded database's
// logins and runs what each session sends on that database (see EjecutorTds), each client on
// a thread of its own. A test can make it slow to answer or drop the connection mid-result.
// Never part of the program.
#pragma once

#include <QString>
#include <atomic>
#include <list>
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

    // Faults for the next statements whose text holds `marca`: answered only after
    // `demoraMs` (unless the client cancels meanwhile), or the connection closed after
    // `cortaTrasFilas` rows of their result, or (`cortaSinResponder`) the statement run and
    // committed and the connection closed before its answer, once `despuesDe` such statements
    // have been answered.
    struct Falla {
        QString marca;
        int demoraMs = 0;
        int cortaTrasFilas = -1;
        bool cortaSinResponder = false;
        int despuesDe = 0;
    };
    void FijaFalla(const Falla& falla);
    // Statements the server has run, counted (a test may wait on them).
    int Sentencias() const { return sentencias_; }

private:
    void Atiende();
    void Sesion(int socket);
    Falla FallaPara(const QString& sql) const;

    QString carpeta_;
    int escucha_ = -1;
    int puerto_ = 0;
    std::atomic<bool> fin_{false};
    std::atomic<int> sentencias_{0};
    mutable std::mutex cerrojo_;
    DatosLogin ultimo_;
    Falla falla_;
    std::atomic<int> marcadas_{0}; // statements with the mark seen since the fault was set
    std::list<std::thread> sesiones_;
    std::list<int> sockets_;
    std::thread hilo_;
};
