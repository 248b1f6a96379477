// The check of the embedded file for damage SQLite does not report while reading: a damaged
// index page can make a list come back short, or a garbage row read as data, with no error.
// PRAGMA quick_check finds both. On a large file it takes seconds (1.4 s on a million guides),
// so it runs on a connection of its own beside the session from the moment the file opens;
// a list for the grid and every write wait for its answer, and then refuse a damaged file.
#pragma once

#include <QString>
#include <memory>

struct sqlite3;

namespace RevisionArchivo {

// The damage quick_check (or integrity_check, when `completa`) finds on an open handle, its
// first findings joined; empty when the file is sound. The registry's collations and functions
// must be registered on the handle (indexes are ordered by them).
QString Hallazgos(sqlite3* bd, bool completa = false);

// What the user reads when the file is damaged: the file, what was found and what to do.
QString TextoDano(const QString& ruta, const QString& hallazgos);

// A check running in the background on its own read-only connection to `ruta`.
class EnCurso {
public:
    explicit EnCurso(const QString& ruta);
    ~EnCurso(); // interrupts a check still running and waits for its thread
    EnCurso(const EnCurso&) = delete;
    EnCurso& operator=(const EnCurso&) = delete;

    // Waits for the answer; raises ErrorBaseDatos with TextoDano when the file is damaged.
    void Espera();

private:
    struct Estado;
    std::shared_ptr<Estado> estado_;
};

} // namespace RevisionArchivo
