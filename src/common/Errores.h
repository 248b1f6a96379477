// The error kinds that travel from the database layer and the conversions up to a window's
// handler or to the application-level handler, which shows their own text.
#pragma once

#include <QString>
#include <stdexcept>

// Base of every error the program shows with its own text in the standard error box.
class ErrorTarvelion : public std::runtime_error {
public:
    explicit ErrorTarvelion(const QString& texto)
        : std::runtime_error(texto.toStdString()), texto_(texto) {}
    const QString& Texto() const { return texto_; }

private:
    QString texto_;
};

// A statement, connection or procedure failed; the text is the database's own.
class ErrorBaseDatos : public ErrorTarvelion {
public:
    using ErrorTarvelion::ErrorTarvelion;
};

// A text could not be converted to a number.
class ErrorConversion : public ErrorTarvelion {
public:
    using ErrorTarvelion::ErrorTarvelion;
};

// A file could not be read or written.
class ErrorArchivo : public ErrorTarvelion {
public:
    using ErrorTarvelion::ErrorTarvelion;
};

// A mail could not be sent: the server was not reached, refused the account or the
// recipient, or did not answer in time.
class ErrorCorreo : public ErrorTarvelion {
public:
    using ErrorTarvelion::ErrorTarvelion;
};

// The current action is abandoned without any message (for example an amount in words out of
// range while a guide is being printed). The application handler swallows it silently, so a
// caller cannot forget to stop: the rest of its handler never runs.
class AccionAbandonada : public std::runtime_error {
public:
    explicit AccionAbandonada(const QString& motivo)
        : std::runtime_error(motivo.toStdString()), motivo_(motivo) {}
    const QString& Motivo() const { return motivo_; }

private:
    QString motivo_;
};
