// Single-instance guard.
#include "app/InstanciaUnica.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

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
    if (cerrojo_->tryLock(0))
        return true;
    // A copy that died between creating the file and writing whose it is leaves it empty, and
    // such a lock is never stale for QLockFile, so no copy would start again. Once it has been
    // so for a moment (a live copy fills it at once) and no process holds the system's lock on
    // it, it is taken over.
    qint64 pid = 0;
    QString equipo, programa;
    const QFileInfo archivo(ruta_);
    if (!cerrojo_->getLockInfo(&pid, &equipo, &programa) && archivo.exists() &&
        archivo.lastModified().msecsTo(QDateTime::currentDateTime()) > 1000 &&
        cerrojo_->removeStaleLockFile())
        return cerrojo_->tryLock(0);
    return false;
}
