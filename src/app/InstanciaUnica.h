// Refuses a second running copy of the program on the workstation. A lock file named after the
// program in the system's temporary folder stands in for a named semaphore; a lock left by a
// copy that crashed is recognised as stale (its process is gone, or it died before writing
// whose the lock is) and taken over.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class InstanciaUnica {
public:
    // `carpeta` empty means the system's temporary folder.
    explicit InstanciaUnica(const QString& nombre, const QString& carpeta = QString());
    // True when this process is now the only running copy; the lock is kept until destruction.
    bool Adquiere();
    QString Ruta() const { return ruta_; }

private:
    QString ruta_;
    std::unique_ptr<QLockFile> cerrojo_;
};
