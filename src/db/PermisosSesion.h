// The grants of one session on the embedded database, checked by SQLite's authorizer on every
// statement the session prepares: what the session's roles and public may read, insert, update
// (by column when the grant names columns) and delete. The server's own statements and the
// schema's triggers pass unchecked.
#pragma once

#include "db/ServidorEmbebido.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

struct ServidorEmbebido::Permisos {
    bool duena = false; // db_owner: every right on the registry's tables
    int interno = 0;    // > 0 while the server runs its own statements
    QString baseDatos;
    // "SELECT Guias" -> columns the grant is limited to (empty: the whole table).
    QHash<QString, QStringList> concedidos;
    QString denegacion;

    bool Concede(const QString& permiso, const QString& tabla, const QString& columna) const;
    // The authorizer callback.
    static int Autoriza(void* datos, int accion, const char* a, const char* b, const char* base,
                        const char* disparador);
};

// Marks the server's own statements while it lives.
class SentenciaInterna {
public:
    explicit SentenciaInterna(ServidorEmbebido::Permisos* p) : p_(p) {
        if (p_)
            ++p_->interno;
    }
    ~SentenciaInterna() {
        if (p_)
            --p_->interno;
    }
    SentenciaInterna(const SentenciaInterna&) = delete;
    SentenciaInterna& operator=(const SentenciaInterna&) = delete;

private:
    ServidorEmbebido::Permisos* p_;
};
