// Test equipment: the TDS test server on its own, serving the registry database in a folder
// until it is stopped, for running the program by hand over its SQL Server path.
//   servidor_tds <folder with Moravel.db>
#include "apoyo/ServidorTds.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: servidor_tds <carpeta con Moravel.db>\n");
        return 2;
    }
    ServidorTds servidor(QString::fromLocal8Bit(argv[1]));
    std::printf("127.0.0.1,%d\n", servidor.Puerto());
    std::fflush(stdout);
    return app.exec();
}
