// Message and dialog recorder for tests.
#include "apoyo/Grabadora.h"

void Grabadora::Muestra(const QString& titulo, Mensajes::Icono icono, const QString& texto) {
    cajas.append({titulo, icono, texto, false});
}

bool Grabadora::Pregunta(const QString& titulo, Mensajes::Icono icono, const QString& texto) {
    cajas.append({titulo, icono, texto, true});
    return respuestas.isEmpty() ? true : respuestas.dequeue();
}

QString Grabadora::GuardarComo(const Dialogos::Peticion& peticion) {
    peticiones.append(peticion);
    return archivos.isEmpty() ? QString() : archivos.dequeue();
}

QString Grabadora::Abrir(const Dialogos::Peticion& peticion) {
    return GuardarComo(peticion);
}

QStringList Grabadora::Textos() const {
    QStringList t;
    for (const Caja& c : cajas)
        t << c.texto;
    return t;
}

void Grabadora::Limpia() {
    cajas.clear();
    peticiones.clear();
}

GrabadoraInstalada::GrabadoraInstalada() : grabadora_(std::make_shared<Grabadora>()) {
    Mensajes::Instala(grabadora_);
    Dialogos::Instala(grabadora_);
}

GrabadoraInstalada::~GrabadoraInstalada() {
    Mensajes::Instala(nullptr);
    Dialogos::Instala(nullptr);
}
