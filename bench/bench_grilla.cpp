// Grid benchmark: 1,000,000 rows of 50 columns filled, sorted by a text and by a number
// column, and exported. Prints rows/s, MB/s and the peak memory of the process.
#include "app/Aplicacion.h"
#include "common/Exportacion.h"
#include "common/Grilla.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <random>
#include <sys/resource.h>

namespace {
double PicoMemoriaMB() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return double(uso.ru_maxrss) / 1024.0;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Aplicacion app(argc, argv);
    FijaIdioma();
    const int filas = argc > 1 ? std::atoi(argv[1]) : 1'000'000;
    constexpr int kTextos = 20, kEnteros = 24, kFechas = 3, kReales = 3;

    QStringList campos;
    std::vector<TipoCampo> tipos;
    for (int i = 0; i < kTextos; ++i)
        campos << QStringLiteral("Texto%1").arg(i), tipos.push_back(TipoCampo::Texto);
    for (int i = 0; i < kEnteros; ++i)
        campos << QStringLiteral("Entero%1").arg(i), tipos.push_back(TipoCampo::Entero);
    for (int i = 0; i < kFechas; ++i)
        campos << QStringLiteral("Fecha%1").arg(i), tipos.push_back(TipoCampo::Fecha);
    for (int i = 0; i < kReales; ++i)
        campos << QStringLiteral("Real%1").arg(i), tipos.push_back(TipoCampo::Real);

    static const char* const nombres[] = {"ESTANCIA SAN JOSÉ", "LA CAÑADA",   "EL PORVENIR",
                                          "SANTA ROSA",        "LOS ÁLAMOS",  "TRES CRUCES",
                                          "PUERTO ÑUFLO",      "LA ESPERANZA"};
    std::mt19937 azar(42);
    Grilla grilla;
    ModeloGrilla& m = grilla.Modelo();
    QElapsedTimer reloj;
    reloj.start();
    m.Inicia(campos, tipos);
    m.Reserva(filas);
    const std::int64_t base = MilisegundosDeFecha(QDateTime(QDate(2025, 1, 1), QTime(0, 0)));
    char buf[64];
    for (int f = 0; f < filas; ++f) {
        int c = 0;
        for (int i = 0; i < kTextos; ++i, ++c) {
            const int n = std::snprintf(buf, sizeof buf, "%s %u", nombres[azar() % 8],
                                        unsigned(azar() % 10000));
            m.AgregaTexto(c, std::string_view(buf, size_t(n)));
        }
        for (int i = 0; i < kEnteros; ++i, ++c) {
            if (azar() % 10 == 0)
                m.AgregaNulo(c);
            else
                m.AgregaEntero(c, azar() % 5000);
        }
        for (int i = 0; i < kFechas; ++i, ++c)
            m.AgregaFechaMs(c, base + std::int64_t(azar() % (730 * 86400)) * 1000);
        for (int i = 0; i < kReales; ++i, ++c)
            m.AgregaReal(c, double(azar() % 1000000) / 100.0);
    }
    std::vector<DefColumna> columnas;
    for (const QString& c : campos) {
        DefColumna d;
        d.campo = c;
        if (c.startsWith(QLatin1String("Real")))
            d.formato = QStringLiteral("#,##0.00");
        columnas.push_back(d);
    }
    m.Publica(columnas);
    const double sLlenado = reloj.nsecsElapsed() / 1e9;
    std::printf("llenado: %d filas x %d columnas en %.2f s (%.0f filas/s)\n", filas,
                int(campos.size()), sLlenado, filas / sLlenado);

    QTemporaryDir carpeta;
    const QString archivo = carpeta.filePath(QStringLiteral("grilla.csv"));
    auto exporta = [&](const char* que) {
        QElapsedTimer r;
        r.start();
        ExportaGrillaCSV(grilla, archivo);
        const double s = r.nsecsElapsed() / 1e9;
        const double mb = double(QFileInfo(archivo).size()) / (1024.0 * 1024.0);
        std::printf("exportacion %s: %.1f MB en %.2f s (%.0f MB/s, %.0f filas/s)\n", que, mb, s,
                    mb / s, filas / s);
    };
    exporta("en orden de lectura");

    reloj.restart();
    m.Ordena(0, true);
    const double sTexto = reloj.nsecsElapsed() / 1e9;
    std::printf("orden por texto: %.3f s (%.0f filas/s)\n", sTexto, filas / sTexto);
    reloj.restart();
    m.Ordena(kTextos, false);
    const double sNumero = reloj.nsecsElapsed() / 1e9;
    std::printf("orden por numero: %.3f s (%.0f filas/s)\n", sNumero, filas / sNumero);

    exporta("ordenada por numero");
    std::printf("memoria pico: %.0f MB\n", PicoMemoriaMB());
    return 0;
}
