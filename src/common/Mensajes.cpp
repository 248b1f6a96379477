// Real message boxes and the replaceable service behind them.
#include "common/Mensajes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Mensajes {
namespace {

QMessageBox::Icon IconoQt(Icono icono) {
    switch (icono) {
    case Icono::Informacion:
        return QMessageBox::Information;
    case Icono::Error:
    case Icono::Alto:
        return QMessageBox::Critical;
    case Icono::Pregunta:
        return QMessageBox::Question;
    case Icono::Advertencia:
        return QMessageBox::Warning;
    case Icono::Ninguno:
        break;
    }
    return QMessageBox::NoIcon;
}

class CajasQt : public Servicio {
public:
    void Muestra(const QString& titulo, Icono icono, const QString& texto) override {
        QMessageBox caja(IconoQt(icono), titulo, texto, QMessageBox::Ok,
                         QApplication::activeWindow());
        // The same caption as the questions' button, whatever the translation says.
        caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        caja.exec();
    }
    bool Pregunta(const QString& titulo, Icono icono, const QString& texto) override {
        QMessageBox caja(IconoQt(icono), titulo, texto, QMessageBox::Ok | QMessageBox::Cancel,
                         QApplication::activeWindow());
        caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
        caja.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
        return caja.exec() == QMessageBox::Ok;
    }
};

std::shared_ptr<Servicio>& Actual() {
    static std::shared_ptr<Servicio> servicio = std::make_shared<CajasQt>();
    return servicio;
}

} // namespace

std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio) {
    auto anterior = Actual();
    Actual() = servicio ? std::move(servicio) : std::make_shared<CajasQt>();
    return anterior;
}

void MuestraInformacion(const QString& texto) {
    Actual()->Muestra(QStringLiteral("Información"), Icono::Informacion, texto);
}

void MuestraError(const QString& texto) {
    Actual()->Muestra(QStringLiteral("Error"), Icono::Error, texto);
}

void MensajePlano(const QString& texto) {
    Actual()->Muestra(QCoreApplication::applicationName(), Icono::Ninguno, texto);
}

void Muestra(const QString& titulo, Icono icono, const QString& texto) {
    Actual()->Muestra(titulo, icono, texto);
}

bool Pregunta(const QString& texto, const QString& titulo, Icono icono) {
    return Actual()->Pregunta(titulo.isEmpty() ? QCoreApplication::applicationName() : titulo,
                              icono, texto);
}

} // namespace Mensajes
