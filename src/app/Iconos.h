// Small pictures of the main window's tool bar, drawn by the program itself.
#pragma once

#include <QIcon>

namespace Iconos {

enum class Dibujo { Jeringa, Camion, Lupa, Empresa, Persona, Sobre, Pregunta, Globo, Escudo };

QIcon Icono(Dibujo dibujo);
// The emblem of the About box.
QPixmap Emblema(int lado);

} // namespace Iconos
