// The data module: owner of the session's only database connection and of the session start
// (configuration, version check, profile and rights, entry log, install-folder advice).
#pragma once

#include <QObject>

class TdmDatos : public QObject {
    Q_OBJECT
public:
    explicit TdmDatos(QObject* padre = nullptr);
    ~TdmDatos() override;

    // The data module of the running session (null before it is created).
    static TdmDatos* Instancia();

    // The session start, run once right after creation. Errors propagate to the start-up,
    // which shows them and leaves the profile empty and every right false.
    virtual void DataModuleCreate();

    // Main-window caption: "GRAN MORAVEL - " and the module's full title.
    static QString TituloCompleto();
};
