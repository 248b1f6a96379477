// Entry point of the Tarvelion module.
#include "app/Arranque.h"

int main(int argc, char** argv) {
    return Arranque::EjecutaPrograma(argc, argv);
}
