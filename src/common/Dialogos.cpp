// Real file dialogs and the replaceable service behind them.
#include "common/Dialogos.h"

#include "common/ArchivosDeLaBase.h"
#include "common/Errores.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStringList>

namespace Dialogos {
namespace {

// Icons and type names from the file name only; the file itself is never opened.
class ProveedorPorNombre : public QFileIconProvider {
public:
    QIcon icon(IconType tipo) const override { return QFileIconProvider::icon(tipo); }
    QIcon icon(const QFileInfo& info) const override {
        if (info.isDir())
            return QFileIconProvider::icon(QFileIconProvider::Folder);
        const QMimeType tipo = TipoPorNombre(info);
        const QIcon tema = QIcon::fromTheme(tipo.iconName());
        return tema.isNull() ? QFileIconProvider::icon(QFileIconProvider::File) : tema;
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QStringLiteral("Carpeta");
        const QMimeType tipo = TipoPorNombre(info);
        return tipo.isDefault() ? QStringLiteral("Archivo") : tipo.comment();
    }

private:
    static QMimeType TipoPorNombre(const QFileInfo& info) {
        return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
};

ProveedorPorNombre& Proveedor() {
    static ProveedorPorNombre proveedor;
    return proveedor;
}

QString Ejecuta(const Peticion& p, QFileDialog::AcceptMode modo) {
    QFileDialog* dialogo = CreaDialogo(QApplication::activeWindow(), p.titulo);
    dialogo->setAttribute(Qt::WA_DeleteOnClose, false);
    dialogo->setAcceptMode(modo);
    dialogo->setFileMode(modo == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                         : QFileDialog::ExistingFile);
    dialogo->setNameFilter(FiltroQt(p.filtro));
    dialogo->setDefaultSuffix(p.extensionDefecto);
    QString elegido;
    if (dialogo->exec() == QDialog::Accepted && !dialogo->selectedFiles().isEmpty())
        elegido = dialogo->selectedFiles().constFirst();
    delete dialogo;
    return elegido;
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

QFileDialog* CreaDialogo(QWidget* padre, const QString& titulo) {
    auto* dialogo = new QFileDialog(padre, titulo);
    dialogo->setOption(QFileDialog::DontUseNativeDialog);
    dialogo->setIconProvider(&Proveedor());
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    return dialogo;
}

bool EsArchivoDeLaBase(const QString& ruta) {
    return ArchivosDeLaBase::Es(ruta);
}

std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio) {
    auto anterior = Actual();
    Actual() = servicio ? std::move(servicio) : std::make_shared<DialogosQt>();
    return anterior;
}

// Whatever answered the request, the database's own files are refused before anything opens
// them.
QString GuardarComo(const Peticion& peticion) {
    const QString elegido = Actual()->GuardarComo(peticion);
    if (EsArchivoDeLaBase(elegido))
        throw ErrorArchivo(QStringLiteral("El archivo %1 es la base de datos del registro: elija "
                                          "otro nombre para guardar.")
                               .arg(QDir::toNativeSeparators(elegido)));
    return elegido;
}
QString Abrir(const Peticion& peticion) {
    const QString elegido = Actual()->Abrir(peticion);
    ArchivosDeLaBase::Rechaza(elegido, QStringLiteral("abrir"));
    return elegido;
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
