// main() of a test executable: the program's own application object (so errors that escape a
// handler reach the application handler as in the program), Spanish for Qt's texts with "."
// decimals, then the test class.
#pragma once

#include "app/Aplicacion.h"

#include <QTest>

#define TARVELION_PRUEBA_MAIN(Clase)                                                               \
    int main(int argc, char** argv) {                                                              \
        Aplicacion app(argc, argv);                                                                \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        FijaIdioma();                                                                              \
        Clase prueba;                                                                              \
        return QTest::qExec(&prueba, argc, argv);                                                  \
    }
