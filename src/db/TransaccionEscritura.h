// A write transaction that serialises against every other station writing: on the embedded
// file it takes the writer lock at once (BEGIN IMMEDIATE, waiting while another station holds
// it), so what it reads stays true until it commits; on SQL Server it is a plain transaction,
// and the rows it must keep still are read with UPDLOCK, HOLDLOCK. Left without Confirma, it
// rolls back.
#pragma once

class Conexion;

class TransaccionEscritura {
public:
    // Without a connection, the session's. Raises ErrorBaseDatos when it cannot begin.
    explicit TransaccionEscritura(Conexion* conexion = nullptr);
    ~TransaccionEscritura();
    TransaccionEscritura(const TransaccionEscritura&) = delete;
    TransaccionEscritura& operator=(const TransaccionEscritura&) = delete;

    // Keeps what was written; raises ErrorBaseDatos when the database refuses (then nothing
    // was kept).
    void Confirma();
    // Drops what was written.
    void Deshace();

private:
    Conexion* conexion_;
    bool abierta_ = false;
};
