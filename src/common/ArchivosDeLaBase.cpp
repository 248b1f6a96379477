// The database files of the process.
#include "common/ArchivosDeLaBase.h"

#include "common/Errores.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStringList>
#include <sys/stat.h>
#include <vector>

namespace ArchivosDeLaBase {
namespace {

struct Abierto {
    QString ruta; // absolute
    QString canonica;
    dev_t dispositivo = 0;
    ino_t nodo = 0;
    int veces = 0;
};

QMutex& Cerrojo() {
    static QMutex m;
    return m;
}

std::vector<Abierto>& Abiertos() {
    static std::vector<Abierto> a;
    return a;
}

// The file's identity on disk (stat reads the directory, it opens nothing).
bool Identidad(const QString& ruta, dev_t& dispositivo, ino_t& nodo) {
    struct stat s {};
    if (::stat(QFile::encodeName(ruta).constData(), &s) != 0)
        return false;
    dispositivo = s.st_dev;
    nodo = s.st_ino;
    return true;
}

bool MismoArchivo(const Abierto& a, const QString& ruta) {
    const QFileInfo info(ruta);
    if (info.absoluteFilePath() == a.ruta)
        return true;
    const QString canonica = info.canonicalFilePath();
    if (!canonica.isEmpty() && canonica == a.canonica)
        return true;
    dev_t d = 0;
    ino_t n = 0;
    return a.nodo != 0 && Identidad(ruta, d, n) && d == a.dispositivo && n == a.nodo;
}

} // namespace

void Registra(const QString& ruta) {
    QMutexLocker bloqueo(&Cerrojo());
    const QFileInfo info(ruta);
    for (Abierto& a : Abiertos())
        if (a.ruta == info.absoluteFilePath()) {
            ++a.veces;
            return;
        }
    Abierto a;
    a.ruta = info.absoluteFilePath();
    a.canonica = info.canonicalFilePath();
    Identidad(a.ruta, a.dispositivo, a.nodo);
    a.veces = 1;
    Abiertos().push_back(a);
}

void Retira(const QString& ruta) {
    QMutexLocker bloqueo(&Cerrojo());
    const QString absoluta = QFileInfo(ruta).absoluteFilePath();
    auto& abiertos = Abiertos();
    for (auto it = abiertos.begin(); it != abiertos.end(); ++it)
        if (it->ruta == absoluta) {
            if (--it->veces <= 0)
                abiertos.erase(it);
            return;
        }
}

bool Es(const QString& ruta) {
    if (ruta.isEmpty())
        return false;
    QMutexLocker bloqueo(&Cerrojo());
    for (const Abierto& a : Abiertos()) {
        if (MismoArchivo(a, ruta))
            return true;
        // A file beside it: its name less SQLite's suffix names the database.
        for (const char* sufijo : {"-wal", "-shm", "-journal"}) {
            if (!ruta.endsWith(QLatin1String(sufijo)))
                continue;
            const QString base = ruta.chopped(qsizetype(qstrlen(sufijo)));
            const QFileInfo b(base);
            if (b.absoluteFilePath() == a.ruta ||
                (!b.canonicalFilePath().isEmpty() && b.canonicalFilePath() == a.canonica))
                return true;
            if (MismoArchivo(a, base))
                return true;
        }
    }
    return false;
}

void Rechaza(const QString& ruta, const QString& para) {
    if (Es(ruta))
        throw ErrorArchivo(QString::fromUtf8("El archivo %1 es la base de datos del registro o "
                                             "uno de sus archivos: no se puede %2. Elija otro "
                                             "archivo.")
                               .arg(QDir::toNativeSeparators(ruta), para));
}

} // namespace ArchivosDeLaBase
