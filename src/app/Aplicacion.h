// The application object: the one place where an error that no handler caught is shown with
// its own text, after which the window stays as it was and the program goes on.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

class Aplicacion : public QApplication {
    Q_OBJECT
public:
    Aplicacion(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};

// Shows an error that reached the top of a handler: database, conversion and file errors with
// their own text; an abandoned action silently. Returns normally in every case.
void ManejaExcepcion(std::exception_ptr error);

// Runs `accion` as an event handler runs: errors end it and are shown by the application
// handler. Used where work starts outside an event (start-up steps, tests).
void ComoManejador(const std::function<void()>& accion);

// Spanish for Qt's own texts and for names of months and days, and "." as the decimal
// separator for every number formatted or parsed in the process, whatever the regional
// settings. Called once the application object exists.
void FijaIdioma();
// Before the application object: the locale Qt reads from the environment for its own dialogs
// (dates in the file dialog) is Spanish; numbers keep "." (FijaIdioma).
void FijaIdiomaDelSistema();
