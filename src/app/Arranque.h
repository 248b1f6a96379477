// The program's start-up, step by step, so that each step can be run and checked on its own.
#pragma once

#include <functional>
#include <memory>

class TdmDatos;
class TfPrinc;

namespace Arranque {

// Working folder, decimal separator, current cycle and INI path.
void PreparaProceso();

// The single-instance test; false (after the plain message) when another copy runs.
bool EsUnicaInstancia();

// Creates the data module and runs its session start; an error is shown with its own text and
// leaves the profile empty and every right false. The module survives a failed start (its next
// query tries to connect again).
std::unique_ptr<TdmDatos>
CreaModuloDatos(const std::function<std::unique_ptr<TdmDatos>()>& fabrica = {});

// Creates and shows the main window, maximised.
std::unique_ptr<TfPrinc> CreaVentanaPrincipal();

// Asks the application to end: the current handler finishes, then the message loop ends (or
// does not start).
void SolicitaTerminacion();

// The whole program: the steps in their order and the message loop.
int EjecutaPrograma(int argc, char** argv);

} // namespace Arranque
