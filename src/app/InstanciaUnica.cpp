// Single-instance guard.
#include "app/InstanciaUnica.h"

#include <QDir>

InstanciaUnica::InstanciaUnica(const QString& nombre, const QString& carpeta)
    : ruta_(QDir(carpeta.isEmpty() ? QDir::tempPath() : carpeta)
                .filePath(nombre + QStringLiteral(".instancia"))),
      cerrojo_(std::make_unique<QLockFile>(ruta_)) {
    // Only a lock whose process no longer exists is stale, however old it is.
    cerrojo_->setStaleLockTime(0);
}

bool InstanciaUnica::Adquiere() {
    if (cerrojo_->isLocked())
        return true;
    return cerrojo_->tryLock(0);
}
