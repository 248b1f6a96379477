// Test equipment: how the TDS test server runs what a client sends on its embedded session —
// T-SQL through the program's own dialect layer (EXEC of a procedure through the embedded
// server), "@name" values bound by name, transactions (implicit ones included) and save
// points kept on the SQLite connection, and the reply written as it is produced: result sets
// with SQL Server's column types, row counts, and ERROR tokens with SQL Server's numbers.
#pragma once

#include "apoyo/TdsProtocolo.h"

#include <QString>
#include <functional>
#include <map>
#include <vector>

class Conexion;

// The reply on its way to the client: the tokens written so far, sent in full packets as they
// grow, the rest with the end-of-message mark.
class SalidaTds {
public:
    explicit SalidaTds(int socket) : socket_(socket) {}
    int Socket() const { return socket_; }
    Tds::Escritor e;
    // Sends the full packets written; with `fin` all, the last one marked end-of-message.
    void Envia(bool fin);
    // Called after each row: when the connection is to be cut after that many rows, what was
    // written goes out unfinished and the connection closes (raises CorteTds).
    void FilaEscrita();
    int filasHastaCorte = -1;
    // The statement has run: instead of its answer the connection closes (raises CorteTds).
    bool cortaSinResponder = false;

private:
    int socket_;
    quint8 numero_ = 1;
};

struct CorteTds {};
// The client's attention interrupted the statement (its DONE is written).
struct Cancelada {};

class EjecutorTds {
public:
    EjecutorTds(Conexion& conexion, SalidaTds& salida) : conexion_(conexion), salida_(salida) {}

    // A language batch.
    void Lote(const QString& sql);
    // An RPC: the prepared-statement procedures and a procedure called by name.
    void Llamada(const Tds::Rpc& rpc);
    // A transaction manager request (begin, commit, rollback, save).
    void Transaccion(const QByteArray& datos);

    // Called before each statement is run; true when the client cancelled it meanwhile
    // (the reply is then the cancellation's DONE alone).
    std::function<bool(const QString& sql)> antesDeEjecutar;

private:
    // Runs the statements of `sql`; false when one failed (its ERROR is written).
    bool Ejecuta(const QString& sql, const std::vector<Tds::ValorRpc>& valores, bool enProc);
    bool EjecutaUna(const QString& sql, const std::vector<Tds::ValorRpc>& valores, bool enProc,
                    bool siguen);
    // SET, USE and RAISERROR, answered by the server itself; false for another statement.
    bool Opcion(const QString& sql, bool enProc, bool siguen);
    void LlamadaCancelable(const Tds::Rpc& rpc);
    // SQLite's progress handler: interrupts the statement when an attention has arrived.
    static int Progreso(void* datos);
    // `siguen`: statements of the batch follow this one (its DONE says "more").
    bool ControlTransaccion(const QString& sql, bool enProc, bool siguen);
    bool TiposDeDatos(const QString& sql, bool enProc, bool siguen);
    void Sqlite(const char* sql);
    bool EnTransaccion() const;
    void IniciaImplicita();
    // BEGIN, counting the transaction's statements from none.
    void Comienza();
    // A statement asking for update or exclusive locks, first in its transaction, takes the
    // file's writer lock.
    void BloqueaSiPide(const QString& sql);
    // Writes the result set of a stepped statement (`rc` its first step) and counts its rows;
    // returns the last step's result.
    int Resultado(struct sqlite3_stmt* st, int rc, quint64& filas);
    // The DONE (DONEINPROC inside a procedure) that ends a statement.
    void FinSentencia(bool enProc, int estado, quint64 filas, bool siguen = false);
    void Falla(const QString& texto, bool enProc);

    Conexion& conexion_;
    SalidaTds& salida_;
    bool implicitas_ = false;
    bool cancelada_ = false;
    bool fallo_ = false;              // the last statement answered with an error
    int sentenciasEnTransaccion_ = 0; // statements run since the transaction began
    quint64 descriptor_ = 0;
    // Prepared statements by handle: their text and their values' names in order.
    struct Preparada {
        QString sql;
        QStringList nombres;
    };
    std::map<int, Preparada> preparadas_;
    int siguienteManejador_ = 1;
};
