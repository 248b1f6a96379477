// The demo registry database: real geography, services, veterinarians and suppliers,
// certificates of cycle 20 (legacy table) and 21 to 25, guides of several species over the last
// two years, transport vehicles, forum questions, the program's own version row, and one demo
// login for each typical profile. Large databases for benchmarks with more guides and
// certificates.
#pragma once

#include <QDate>
#include <QString>
#include <vector>

struct OpcionesDemo {
    int guias = 4000;        // in all departments
    int certificados = 1200; // spread over cycles 20 to 25
    QDate hoy = QDate::currentDate();
    unsigned semilla = 2026;
};

struct LoginDemo {
    const char* login;
    const char* clave;
    const char* distrital;
    const char* perfil;
    std::vector<const char*> roles;
};
const std::vector<LoginDemo>& LoginsDemo();

// Creates the database at `ruta` (the file must not exist).
void CreaBaseDemo(const QString& ruta, const OpcionesDemo& opciones = {});
// Adds a login, and its registry user when `distrital` is given.
void AgregaUsuario(const QString& ruta, const QString& login, const QString& clave,
                   const QString& distrital, const QString& paterno, const QString& nombres);
