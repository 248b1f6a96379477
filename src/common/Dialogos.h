// File dialogs of the program, replaceable by tests that script the chosen file.
#pragma once

#include <QString>
#include <memory>

class QFileDialog;
class QWidget;

namespace Dialogos {

// A file-dialog request as the windows make it. `filtro` is written as the registry's windows
// write it: "Description|*.ext" pairs joined by "|".
struct Peticion {
    QString titulo;
    QString extensionDefecto;
    QString filtro;
};

class Servicio {
public:
    virtual ~Servicio() = default;
    // Empty result means the user cancelled.
    virtual QString GuardarComo(const Peticion& peticion) = 0;
    virtual QString Abrir(const Peticion& peticion) = 0;
};

std::shared_ptr<Servicio> Instala(std::shared_ptr<Servicio> servicio);

QString GuardarComo(const Peticion& peticion);
QString Abrir(const Peticion& peticion);

// "Desc|*.a|Desc2|*.b" as a Qt name filter list "Desc (*.a);;Desc2 (*.b)".
QString FiltroQt(const QString& filtro);

// Every file dialog the program shows is made here. Its icons and file types are told by the
// file's name alone: a dialog that opened the files it lists to guess their type would close
// them again, and closing any descriptor of the database file drops the locks SQLite holds on
// it for the whole process.
QFileDialog* CreaDialogo(QWidget* padre, const QString& titulo);

// True when `ruta` is the session's database file or one of SQLite's files beside it; such a
// file is never chosen as the target of an export or a document.
bool EsArchivoDeLaBase(const QString& ruta);

} // namespace Dialogos
