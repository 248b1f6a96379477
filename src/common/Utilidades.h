// Free-standing routines shared by every window: machine facts, conversions, random codes,
// dates, numbers and amounts in Spanish words.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>

// Starts the user's mail client with a new message to `direccion`. Failures are not reported.
void AbreCorreo(const QString& direccion);
// The process's current working directory as the system writes it; empty on failure.
QString CarpetaActual();
// The computer's network name (at most 15 characters, upper case); empty on failure.
QString NombreComputadora();

// The Windows version record, as far as the registry's client classifies it.
struct VersionSistema {
    enum Plataforma { Win32s, Windows9x, WindowsNT, Otra } plataforma = Otra;
    int mayor = 0;
    int menor = 0;
    QString servicePack;
};
// The code of a version record (-1 when not one of the known versions).
int CodigoSistemaOperativo(const VersionSistema& version);
// The code of this machine; -1 where there is no Windows version record.
int IdSistemaOperativo();
QString NombreSistemaOperativo(int codigo);

// The program's own version, major.minor.release.build.
QString VersionModulo();

// n symbols from 0-9A-Z from one generator seeded once, so calls in the same millisecond
// differ.
QString CadenaAleatoria(int n);
// Same drawing from an explicit seed (the time of day in milliseconds).
QString CadenaAleatoria(int n, std::uint32_t semilla);

// Empty or blank text gives 0; otherwise the untrimmed text must be a decimal 32-bit integer
// (leading blanks accepted). Raises ErrorConversion.
std::int32_t TextoAEntero(const QString& texto);
// Empty text gives a NULL integer parameter; anything else converts as TextoAEntero.
QVariant TextoAEnteroONulo(const QString& texto);

// Capital city of a department code; empty for an unknown code.
QString CapitalDepartamento(const QString& idDistrital);

// "martes 8 de diciembre de 2026" (with weekday) or "8 de diciembre de 2026".
QString FechaEnLetras(bool conDiaSemana, const QDate& fecha);
// Spanish words in capitals, without accents, for 0 .. 999999999999.
QString NumeroEnLetras(std::int64_t numero);
// Amount in words. Mode 1: the words of the whole part; mode 0: words + " CON nn/100".
// Outside 0 .. 999999999999.99 the action that asked for it is abandoned silently
// (throws AccionAbandonada with the text "ERROR EN ARGUMENTOS").
QString CantidadEnLetras(int modo, double cantidad);
