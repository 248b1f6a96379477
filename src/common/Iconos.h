// Small pictures of the main window's tool bar and of the consoles' commands, drawn by the
// program itself.
#pragma once

#include <QIcon>

class QToolButton;
class QWidget;

namespace Iconos {

enum class Dibujo {
    Jeringa,
    Camion,
    Lupa,
    Empresa,
    Persona,
    Sobre,
    Pregunta,
    Globo,
    Escudo,
    // The consoles' commands.
    Ejecutar,
    Insertar,
    Editar,
    Eliminar,
    Imprimir,
    Duplicar,
    Exportar,
    // The statistics: draw the chart, copy it.
    Grafico,
    Copiar,
    // The registries' navigator.
    Anterior,
    Siguiente,
    Grabar,
    Cancelar
};

// The picture in colour, and washed out to grey for a disabled button so that it reads as
// unavailable at a glance.
QIcon Icono(Dibujo dibujo);
// A window's tool button with its picture (24 pixels), flat until hovered, and its hint.
QToolButton* BotonHerramienta(QWidget* padre, const char* nombre, Dibujo dibujo,
                              const QString& pista);
// The emblem of the About box.
QPixmap Emblema(int lado);

} // namespace Iconos
