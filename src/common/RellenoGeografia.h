// The province and municipality lists of a place: a department drop-down, a province list and
// (where needed) a municipality list, refilled from the database so that the three always
// agree. A change of department refills the provinces and then the municipalities; a change of
// province refills the municipalities; the first row of each is preselected. Every window that
// lets the user pick a place uses this one piece with its own statements.
#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;

class RellenoGeografia : public QObject {
    Q_OBJECT
public:
    struct Sentencias {
        QStringList provincias;
        QStringList municipios;
        QString parametroDistrital = QStringLiteral("LaDis");
        QString parametroProvincia = QStringLiteral("LaPro");
    };
    // The usual statements, ordered by name, parameters LaDis and LaPro.
    static Sentencias Ordinarias();

    RellenoGeografia(QComboBox* distrital, QComboBox* provincias, QComboBox* municipios,
                     const Sentencias& sentencias = Ordinarias(), QObject* padre = nullptr);

    void RefrescaProvincias();
    void RefrescaMunicipios();
    // Presets the department (no selection when the code is not listed) and always refills
    // the provinces and municipalities, also when the list already showed that department.
    void FijaDistrital(const QString& codigo);

    // Key of the selected province / municipality (empty when none).
    QString IdProvincia() const;
    QString IdMunicipio() const;
    // Selects by key (the lists must be filled already); false when not listed.
    bool SeleccionaProvincia(const QString& id);
    bool SeleccionaMunicipio(const QString& id);

private:
    QComboBox* distrital_;
    QComboBox* provincias_;
    QComboBox* municipios_;
    Sentencias sentencias_;
    bool refrescando_ = false;
    bool fijando_ = false;
};
