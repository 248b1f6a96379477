// Refilling the province and municipality lists.
#include "common/RellenoGeografia.h"

#include "db/Consulta.h"

#include <QComboBox>

RellenoGeografia::Sentencias RellenoGeografia::Ordinarias() {
    Sentencias s;
    s.provincias = {QStringLiteral("SELECT *"), QStringLiteral("FROM Provincias"),
                    QStringLiteral("WHERE IdDistrital = :LaDis"),
                    QStringLiteral("ORDER BY NombreProvincia")};
    s.municipios = {QStringLiteral("SELECT *"), QStringLiteral("FROM Municipios"),
                    QStringLiteral("WHERE IdDistrital = :LaDis"),
                    QStringLiteral("AND IdProvincia = :LaPro"),
                    QStringLiteral("ORDER BY NombreMunicipio")};
    return s;
}

RellenoGeografia::RellenoGeografia(QComboBox* distrital, QComboBox* provincias,
                                   QComboBox* municipios, const Sentencias& sentencias,
                                   QObject* padre)
    : QObject(padre), distrital_(distrital), provincias_(provincias), municipios_(municipios),
      sentencias_(sentencias) {
    connect(distrital_, &QComboBox::currentTextChanged, this, [this] {
        if (fijando_)
            return;
        RefrescaProvincias();
        RefrescaMunicipios();
    });
    connect(provincias_, &QComboBox::currentIndexChanged, this, [this] {
        if (!refrescando_)
            RefrescaMunicipios();
    });
}

void RellenoGeografia::FijaDistrital(const QString& codigo) {
    fijando_ = true;
    distrital_->setCurrentIndex(distrital_->findText(codigo));
    fijando_ = false;
    RefrescaProvincias();
    RefrescaMunicipios();
}

void RellenoGeografia::RefrescaProvincias() {
    Consulta q;
    q.FijaSql(sentencias_.provincias);
    q.Texto(sentencias_.parametroDistrital, distrital_->currentText(), 3);
    q.Abre();
    refrescando_ = true;
    provincias_->clear();
    for (q.Primero(); !q.Eof(); q.Siguiente())
        provincias_->addItem(q.TextoCampo(QStringLiteral("NombreProvincia")),
                             q.TextoCampo(QStringLiteral("IdProvincia")));
    provincias_->setCurrentIndex(provincias_->count() > 0 ? 0 : -1);
    refrescando_ = false;
}

void RellenoGeografia::RefrescaMunicipios() {
    if (!municipios_)
        return;
    Consulta q;
    q.FijaSql(sentencias_.municipios);
    q.Texto(sentencias_.parametroDistrital, distrital_->currentText(), 3);
    // Without a province the query runs with an empty key and finds nothing.
    q.Texto(sentencias_.parametroProvincia, IdProvincia(), 3);
    q.Abre();
    municipios_->clear();
    for (q.Primero(); !q.Eof(); q.Siguiente())
        municipios_->addItem(q.TextoCampo(QStringLiteral("NombreMunicipio")),
                             q.TextoCampo(QStringLiteral("IdMunicipio")));
    municipios_->setCurrentIndex(municipios_->count() > 0 ? 0 : -1);
}

QString RellenoGeografia::IdProvincia() const {
    return provincias_->currentIndex() < 0 ? QString() : provincias_->currentData().toString();
}

QString RellenoGeografia::IdMunicipio() const {
    return !municipios_ || municipios_->currentIndex() < 0 ? QString()
                                                           : municipios_->currentData().toString();
}

bool RellenoGeografia::SeleccionaProvincia(const QString& id) {
    const int i = provincias_->findData(id);
    if (i < 0)
        return false;
    provincias_->setCurrentIndex(i);
    return true;
}

bool RellenoGeografia::SeleccionaMunicipio(const QString& id) {
    if (!municipios_)
        return false;
    const int i = municipios_->findData(id);
    if (i < 0)
        return false;
    municipios_->setCurrentIndex(i);
    return true;
}
