// Utility routines shared by every window.
#include "common/Utilidades.h"

#include "common/Errores.h"

#include <QDesktopServices>
#include <QDir>
#include <QHostInfo>
#include <QSysInfo>
#include <QTime>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <random>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void AbreCorreo(const QString& direccion) {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + direccion));
}

QString CarpetaActual() {
    const QString carpeta = QDir::currentPath();
    return QDir::toNativeSeparators(carpeta);
}

QString NombreComputadora() {
    QString nombre = QSysInfo::machineHostName();
    if (nombre.isEmpty())
        nombre = QHostInfo::localHostName();
    nombre = nombre.section(QLatin1Char('.'), 0, 0).toUpper();
    return nombre.left(15);
}

int CodigoSistemaOperativo(const VersionSistema& v) {
    switch (v.plataforma) {
    case VersionSistema::Windows9x:
        if (v.mayor == 4 && v.menor == 0)
            return 0;
        if (v.mayor == 4 && v.menor == 10)
            return v.servicePack.size() > 1 && v.servicePack[1] == QLatin1Char('A') ? 2 : 1;
        if (v.mayor == 4 && v.menor == 90)
            return 3;
        return -1;
    case VersionSistema::WindowsNT:
        if (v.mayor <= 4)
            return 4;
        if (v.mayor == 5 && v.menor == 0)
            return 5;
        if (v.mayor == 5 && v.menor == 1)
            return 6;
        return -1;
    default:
        return -1;
    }
}

int IdSistemaOperativo() {
#ifdef Q_OS_WIN
    // The version record as the system reports it to this program.
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma warning(suppress : 4996)
    if (!GetVersionExW(&info))
        return -1;
    VersionSistema v;
    v.plataforma = info.dwPlatformId == VER_PLATFORM_WIN32_NT        ? VersionSistema::WindowsNT
                   : info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? VersionSistema::Windows9x
                                                                     : VersionSistema::Otra;
    v.mayor = int(info.dwMajorVersion);
    v.menor = int(info.dwMinorVersion);
    v.servicePack = QString::fromWCharArray(info.szCSDVersion);
    return CodigoSistemaOperativo(v);
#else
    // No Windows version record exists on this system.
    return -1;
#endif
}

QString NombreSistemaOperativo(int codigo) {
    switch (codigo) {
    case -1:
        return QStringLiteral("(OS Desconocido)");
    case 0:
        return QStringLiteral("Microsoft Windows 95");
    case 1:
        return QStringLiteral("Microsoft Windows 98");
    case 2:
        return QStringLiteral("Microsoft Windows 98 Second Edition");
    case 3:
        return QStringLiteral("Microsoft Windows Millennium Edition");
    case 4:
        return QStringLiteral("Microsoft Windows New Technology");
    case 5:
        return QStringLiteral("Microsoft Windows 2000 / NT 5");
    case 6:
        return QStringLiteral("Microsoft Windows XP");
    default:
        return QStringLiteral("Microsoft Windows ???");
    }
}

QString VersionModulo() {
    return QStringLiteral(TARVELION_VERSION);
}

namespace {

QString Sorteo(int n, std::mt19937& generador) {
    static const char simbolos[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::uniform_int_distribution<int> reparto(0, 35);
    QString resultado;
    resultado.reserve(n);
    for (int i = 0; i < n; ++i)
        resultado.append(QLatin1Char(simbolos[reparto(generador)]));
    return resultado;
}

} // namespace

QString CadenaAleatoria(int n, std::uint32_t semilla) {
    std::mt19937 generador(semilla);
    return Sorteo(n, generador);
}

QString CadenaAleatoria(int n) {
    // One generator, seeded once from the system's entropy: a retry drawn in the same
    // millisecond (a supplier code that is taken) gets another code.
    static std::mt19937 generador(std::random_device{}());
    static std::mutex cerrojo;
    const std::lock_guard<std::mutex> g(cerrojo);
    return Sorteo(n, generador);
}

std::int32_t TextoAEntero(const QString& texto) {
    if (texto.trimmed().isEmpty())
        return 0;
    // Leading blanks and one sign are accepted; any other character that is not a digit,
    // trailing blanks included, and values beyond 32 bits are conversion errors.
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == QLatin1Char(' '))
        ++i;
    qsizetype inicioDigitos = i;
    if (inicioDigitos < texto.size() &&
        (texto[inicioDigitos] == QLatin1Char('-') || texto[inicioDigitos] == QLatin1Char('+')))
        ++inicioDigitos;
    bool valido = inicioDigitos < texto.size() && texto.size() - inicioDigitos <= 18;
    for (qsizetype k = inicioDigitos; valido && k < texto.size(); ++k)
        valido = texto[k] >= QLatin1Char('0') && texto[k] <= QLatin1Char('9');
    const qlonglong valor = valido ? texto.mid(i).toLongLong(&valido, 10) : 0;
    if (!valido || valor < INT32_MIN || valor > INT32_MAX)
        throw ErrorConversion(QStringLiteral("'%1' no es un valor entero válido").arg(texto));
    return std::int32_t(valor);
}

QVariant TextoAEnteroONulo(const QString& texto) {
    if (texto.isEmpty())
        return QVariant(QMetaType::fromType<int>());
    return QVariant(int(TextoAEntero(texto)));
}

QString CapitalDepartamento(const QString& id) {
    static const std::array<std::pair<const char*, const char*>, 9> capitales{{
        {"BEN", "Trinidad"},
        {"CBB", "Cochabamba"},
        {"CHU", "Sucre"},
        {"LPZ", "La Paz"},
        {"SCZ", "Santa Cruz"},
        {"PDO", "Cobija"},
        {"PTS", "Potosí"},
        {"TJA", "Tarija"},
        {"ORU", "Oruro"},
    }};
    for (const auto& [codigo, capital] : capitales)
        if (id == QLatin1String(codigo))
            return QString::fromUtf8(capital);
    return {};
}

QString FechaEnLetras(bool conDiaSemana, const QDate& fecha) {
    static const char* const meses[] = {"enero",      "febrero", "marzo",     "abril",
                                        "mayo",       "junio",   "julio",     "agosto",
                                        "septiembre", "octubre", "noviembre", "diciembre"};
    // Qt counts weekdays from Monday = 1 to Sunday = 7.
    static const char* const dias[] = {"lunes",   "martes", "miércoles", "jueves",
                                       "viernes", "sábado", "domingo"};
    QString texto = QStringLiteral("%1 de %2 de %3")
                        .arg(fecha.day())
                        .arg(QString::fromUtf8(meses[fecha.month() - 1]))
                        .arg(fecha.year());
    if (conDiaSemana)
        texto = QString::fromUtf8(dias[fecha.dayOfWeek() - 1]) + QLatin1Char(' ') + texto;
    return texto;
}

QString NumeroEnLetras(std::int64_t numero) {
    static const char* const centenas[] = {
        "",           "CIENTO",      "DOSCIENTOS",  "TRESCIENTOS", "CUATROCIENTOS",
        "QUINIENTOS", "SEISCIENTOS", "SETECIENTOS", "OCHOCIENTOS", "NOVECIENTOS"};
    static const char* const decenas[] = {"",          "DIEZ",    "VEINTE",  "TREINTA", "CUARENTA",
                                          "CINCUENTA", "SESENTA", "SETENTA", "OCHENTA", "NOVENTA"};
    static const char* const especiales[] = {"",          "ONCE",      "DOCE",      "TRECE",
                                             "CATORCE",   "QUINCE",    "DIECISEIS", "DIECISIETE",
                                             "DIECIOCHO", "DIECINUEVE"};
    static const char* const unidades[] = {"",      "UNO",  "DOS",   "TRES", "CUATRO",
                                           "CINCO", "SEIS", "SIETE", "OCHO", "NUEVE"};

    const QByteArray d = QByteArray::number(qlonglong(numero)).rightJustified(12, '0');
    QString r;
    auto digito = [&](int posicion) { return d[posicion - 1] - '0'; };
    bool empezado = false;
    for (int pos = 1; pos <= 12; ++pos) {
        if (!empezado && digito(pos) == 0)
            continue;
        empezado = true;
        const int lugar = (pos - 1) % 3; // 0 hundreds, 1 tens, 2 units
        if (lugar == 0) {
            const int h = digito(pos);
            if (h == 1)
                r += (d.mid(pos, 2) == "00" ? QStringLiteral("CIEN") : QStringLiteral("CIENTO")) +
                     QLatin1Char(' ');
            else if (h > 1)
                r += QLatin1String(centenas[h]) + QLatin1Char(' ');
        } else if (lugar == 1) {
            const int t = digito(pos), u = digito(pos + 1);
            if (t == 0)
                continue;
            if (u == 0)
                r += QLatin1String(decenas[t]) + QLatin1Char(' ');
            else if (t == 1)
                r += QLatin1String(especiales[u]) + QLatin1Char(' ');
            else if (t == 2)
                r += QStringLiteral("VEINTI");
            else
                r += QLatin1String(decenas[t]) + QStringLiteral(" Y ");
        } else {
            const int u = digito(pos), t = digito(pos - 1);
            const QByteArray grupo = d.mid(pos - 3, 3);
            const bool milSolo = (pos == 3 || pos == 9) && grupo == "001";
            if (u != 0 && t != 1 && !milSolo) {
                if (u == 1 && (pos == 3 || pos == 6))
                    r += QStringLiteral("UN ");
                else
                    r += QLatin1String(unidades[u]) + QLatin1Char(' ');
            }
            if ((pos == 3 || pos == 9) && grupo != "000")
                r += QStringLiteral("MIL ");
            else if (pos == 6)
                r +=
                    d.left(6) == "000001" ? QStringLiteral("MILLON ") : QStringLiteral("MILLONES ");
        }
    }
    if (r.isEmpty())
        return QStringLiteral("CERO");
    return r.chopped(r.endsWith(QLatin1Char(' ')) ? 1 : 0);
}

QString CantidadEnLetras(int modo, double cantidad) {
    // Fixed point with four decimals, as the registry's amounts are kept.
    const double redondeada = std::round(cantidad * 10000.0) / 10000.0;
    if (redondeada < 0.0 || redondeada > 999999999999.99)
        throw AccionAbandonada(QStringLiteral("ERROR EN ARGUMENTOS"));
    const auto entero = std::int64_t(std::trunc(redondeada));
    QString texto = NumeroEnLetras(entero);
    if (modo == 0) {
        const auto centavos = int(std::llround((redondeada - double(entero)) * 100.0));
        texto += QStringLiteral(" CON ") +
                 QString::number(centavos).rightJustified(2, QLatin1Char('0')) +
                 QStringLiteral("/100");
    }
    return texto;
}
