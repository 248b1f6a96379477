// Writes made row by row, where a refused row undoes only its own writes and never the others'
// (the import of a workbook, for one). Each row runs in a savepoint of its own.
//
// A real run on the embedded database commits in batches of rows, far faster than one commit
// per row while a refused row still affects no other; on SQL Server every row commits by
// itself. A dry run ("solo verificar") holds every row in one transaction that is rolled back
// at the end, so it sees exactly what the real run would refuse and writes nothing.
#pragma once

#include "common/Errores.h"

#include <QString>
#include <functional>

class Conexion;

// The connection to SQL Server was lost while a row was written: whether that row was stored
// is unknown, and the work cannot go on.
class ConexionPerdidaEnFila : public ErrorBaseDatos {
public:
    using ErrorBaseDatos::ErrorBaseDatos;
};

class EscrituraPorFilas {
public:
    EscrituraPorFilas(Conexion& conexion, bool soloVerificar, int filasPorLote = 2000);
    ~EscrituraPorFilas();
    EscrituraPorFilas(const EscrituraPorFilas&) = delete;
    EscrituraPorFilas& operator=(const EscrituraPorFilas&) = delete;

    // Runs one row's writes. Empty when they were written; when `escribe` raises ErrorTarvelion
    // the row's writes are undone and its text is returned, so the caller lists it and goes on.
    // Raises ErrorBaseDatos when the work itself can no longer go on (a commit failed, or the
    // server ended the transaction), ConexionPerdidaEnFila when the connection was lost.
    QString Fila(const std::function<void()>& escribe);
    // The end, also when the work stops half-way: a real run commits the rows written so far,
    // a dry run rolls everything back. Raises ErrorBaseDatos when the commit fails.
    void Termina();

private:
    void Sql(const char* sentencia);
    void Inicia();
    void Deshace();
    void Confirma();
    bool EnTransaccion() const;

    Conexion& conexion_;
    const bool soloVerificar_;
    const bool embebida_;
    const int filasPorLote_;
    bool abierta_ = false; // a transaction of ours is open
    int filasEnLote_ = 0;
};
