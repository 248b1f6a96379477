// Real file dialogs and the replaceable service behind them.
#include "common/Dialogos.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace Dialogos {
namespace {

QString Ejecuta(const Peticion& p, QFileDialog::AcceptMode modo) {
    QFileDialog dialogo(QApplication::activeWindow(), p.titulo);
    dialogo.setAcceptMode(modo);
    dialogo.setFileMode(modo == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    dialogo.setNameFilter(FiltroQt(p.filtro));
    dialogo.setDefaultSuffix(p.extensionDefecto);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

class DialogosQt : public Servicio {
public:
    QString GuardarComo(const Peticion& p) override { return Ejecuta(p, QFileDialog::AcceptSave); }
    QString Abrir(const Peticion& p) override { return Ejecuta(p, QFileDialog::AcceptOpen); }
};

std::shared_ptr<Servicio>& Actual() {
    static std::shared_ptr<Servicio> servicio = std::make_shared<DialogosQt>();
    return servicio;
}

} // namespace

std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio) {
    auto anterior = Actual();
    Actual() = servicio ? std::move(servicio) : std::make_shared<DialogosQt>();
    return anterior;
}

QString GuardarComo(const Peticion& peticion) {
    return Actual()->GuardarComo(peticion);
}
QString Abrir(const Peticion& peticion) {
    return Actual()->Abrir(peticion);
}

QString FiltroQt(const QString& filtro) {
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2) {
        QString patrones = partes[i + 1];
        patrones.replace(QLatin1Char(';'), QLatin1Char(' '));
        filtros << partes[i] + QStringLiteral(" (") + patrones + QLatin1Char(')');
    }
    return filtros.join(QStringLiteral(";;"));
}

} // namespace Dialogos
