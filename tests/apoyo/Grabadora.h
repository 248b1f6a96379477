// Test support: records every message box and answers questions and file dialogs from a
// script, so a test can assert the exact texts a window shows.
#pragma once

#include "common/Dialogos.h"
#include "common/Mensajes.h"
#include "common/Ventanas.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <memory>

struct Caja {
    QString titulo;
    Mensajes::Icono icono;
    QString texto;
    bool pregunta = false;
};

class Grabadora : public Mensajes::Servicio, public Dialogos::Servicio {
public:
    void Muestra(const QString& titulo, Mensajes::Icono icono, const QString& texto) override;
    bool Pregunta(const QString& titulo, Mensajes::Icono icono, const QString& texto) override;
    QString GuardarComo(const Dialogos::Peticion& peticion) override;
    QString Abrir(const Dialogos::Peticion& peticion) override;

    QList<Caja> cajas;
    QQueue<bool> respuestas;  // answers to questions; OK when the script is empty
    QQueue<QString> archivos; // chosen files; cancelled when the script is empty
    QList<Dialogos::Peticion> peticiones;

    QStringList Textos() const;
    void Limpia();
};

// Installs a recorder for the lifetime of the object and restores the real boxes afterwards.
class GrabadoraInstalada {
public:
    GrabadoraInstalada();
    ~GrabadoraInstalada();
    Grabadora* operator->() { return grabadora_.get(); }
    Grabadora& operator*() { return *grabadora_; }

private:
    std::shared_ptr<Grabadora> grabadora_;
};
