// Message boxes of the program. Every box goes through here so that tests can record and
// answer them; in the program they are ordinary modal Qt boxes.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace Mensajes {

enum class Icono { Ninguno, Informacion, Error, Pregunta, Advertencia, Alto };

// Implemented by the real boxes and by the test recorder.
class Servicio {
public:
    virtual ~Servicio() = default;
    virtual void Muestra(const QString& titulo, Icono icono, const QString& texto) = 0;
    // OK/Cancel question; true when the answer is OK.
    virtual bool Pregunta(const QString& titulo, Icono icono, const QString& texto) = 0;
};

// Installs another service (tests); returns the previous one.
std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio);

// "Información", information icon, OK.
void MuestraInformacion(const QString& texto);
// "Error", error icon, OK.
void MuestraError(const QString& texto);
// A box with an OK button and no icon; the title is the application's.
void MensajePlano(const QString& texto);
// A box of the given title and icon, OK only.
void Muestra(const QString& titulo, Icono icono, const QString& texto);
// OK/Cancel question; question icon unless another is given. True on OK.
bool Pregunta(const QString& texto, const QString& titulo = QString(),
              Icono icono = Icono::Pregunta);

} // namespace Mensajes

using Mensajes::MuestraError;
using Mensajes::MuestraInformacion;
