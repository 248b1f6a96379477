// Background check of the embedded file.
#include "db/RevisionArchivo.h"

#include "common/Errores.h"
#include "db/DialectoSqlite.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <condition_variable>
#include <mutex>
#include <sqlite3.h>
#include <thread>

namespace RevisionArchivo {

QString Hallazgos(sqlite3* bd, bool completa) {
    sqlite3_stmt* st = nullptr;
    const char* sql = completa ? "PRAGMA integrity_check(20)" : "PRAGMA quick_check(20)";
    if (sqlite3_prepare_v2(bd, sql, -1, &st, nullptr) != SQLITE_OK)
        return QString::fromUtf8(sqlite3_errmsg(bd));
    QStringList l;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        l << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    if (rc != SQLITE_DONE)
        l << QString::fromUtf8(sqlite3_errmsg(bd));
    sqlite3_finalize(st);
    if (l == QStringList{QStringLiteral("ok")})
        return {};
    return l.join(QLatin1Char('\n'));
}

QString TextoDano(const QString& ruta, const QString& hallazgos) {
    const QString archivo = QDir::toNativeSeparators(ruta);
    return QString::fromUtf8(
               "El archivo de la base de datos está dañado (%1): sus listas podrían salir "
               "incompletas o con datos falsos, así que no se listan ni se escriben datos en él. "
               "Cierre el programa y avise al administrador, que lo revisa con «moravel-admin "
               "revisa %1» y copia lo que se pueda salvar a un archivo nuevo con «moravel-admin "
               "rescata %1 NUEVO.db» (o lo restaura de una copia de seguridad).\nLo encontrado: "
               "%2")
        .arg(archivo, hallazgos.left(600));
}

struct EnCurso::Estado {
    std::mutex m;
    std::condition_variable listo;
    bool terminado = false;
    QString hallazgos;
    QString ruta;
    sqlite3* bd = nullptr; // the check's connection while it runs (for the interrupt)
    std::thread hilo;
};

EnCurso::EnCurso(const QString& ruta) : estado_(std::make_shared<Estado>()) {
    estado_->ruta = ruta;
    estado_->hilo = std::thread([e = estado_] {
        sqlite3* bd = nullptr;
        QString hallazgos;
        if (sqlite3_open_v2(QFile::encodeName(e->ruta).constData(), &bd, SQLITE_OPEN_READONLY,
                            nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(bd, 5000);
            DialectoSqlite::RegistraBase(bd);
            {
                std::lock_guard<std::mutex> g(e->m);
                e->bd = bd;
            }
            hallazgos = Hallazgos(bd);
            std::lock_guard<std::mutex> g(e->m);
            e->bd = nullptr;
        }
        // A file that cannot be opened a second time is not called damaged here: the session's
        // own opening has already said what it could.
        sqlite3_close(bd);
        std::lock_guard<std::mutex> g(e->m);
        // An interrupted check (the session closed) found nothing.
        if (hallazgos != QLatin1String("interrupted"))
            e->hallazgos = hallazgos;
        e->terminado = true;
        e->listo.notify_all();
    });
}

EnCurso::~EnCurso() {
    {
        std::lock_guard<std::mutex> g(estado_->m);
        if (estado_->bd)
            sqlite3_interrupt(estado_->bd);
    }
    if (estado_->hilo.joinable())
        estado_->hilo.join();
}

void EnCurso::Espera() {
    std::unique_lock<std::mutex> g(estado_->m);
    estado_->listo.wait(g, [this] { return estado_->terminado; });
    if (!estado_->hallazgos.isEmpty())
        throw ErrorBaseDatos(TextoDano(estado_->ruta, estado_->hallazgos));
}

} // namespace RevisionArchivo
