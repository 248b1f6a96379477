// File dialogs of the program, replaceable by tests that script the chosen file.
#pragma once

#include <QString>
#include <memory>

namespace Dialogos {

// A file-dialog request as the windows make it. `filtro` is written as the registry's windows
// write it: "Description|*.ext" pairs joined by "|".
struct Peticion {
    QString titulo;
    QString extensionDefecto;
    QString filtro;
};

class Servicio {
public:
    virtual ~Servicio() = default;
    // Empty result means the user cancelled.
    virtual QString GuardarComo(const Peticion& peticion) = 0;
    virtual QString Abrir(const Peticion& peticion) = 0;
};

std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio);

QString GuardarComo(const Peticion& peticion);
QString Abrir(const Peticion& peticion);

// "Desc|*.a|Desc2|*.b" as a Qt name filter list "Desc (*.a);;Desc2 (*.b)".
QString FiltroQt(const QString& filtro);

} // namespace Dialogos
