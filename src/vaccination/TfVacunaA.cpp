// Legacy certificate entry form.
#include "vaccination/TfVacunaA.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/RellenoGeografia.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "vaccination/ConsolaDeCertificados.h"
#include "vaccination/ConsultaVacunasLegado.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kAnimales[] = {"Terneros", "Vaquillas", "Torillos", "Novillos",
                                 "Vacas",    "Toros",     "Bueyes",   "Bufalos"};
const char* const kParametrosAnimales[] = {"gTerne", "gVaqui", "gToril", "gNovil",
                                           "gVacas", "gToros", "gBueye", "gBufal"};

// A lookup list of a registry: the names shown, the keys behind them, nothing preselected.
QComboBox* Busqueda(QWidget* padre, const char* nombre, const QStringList& sentencia,
                    const char* clave, const char* texto) {
    auto* cb = new QComboBox(padre);
    cb->setObjectName(QLatin1String(nombre));
    cb->setMaxVisibleItems(15);
    cb->setMinimumWidth(240);
    Editores::LlenaLista(cb, sentencia, clave, texto);
    // A highlighted lookup, as the form shows its registry choices.
    QPalette p = cb->palette();
    p.setColor(QPalette::Base, QColor(255, 255, 210));
    cb->setPalette(p);
    return cb;
}

QString Clave(const QComboBox* cb) {
    return cb->currentIndex() < 0 ? QString() : cb->currentData().toString();
}

void EligeClave(QComboBox* cb, const QString& clave) {
    cb->setCurrentIndex(cb->findData(clave));
}

} // namespace

TfVacunaA::TfVacunaA(QWidget* padre) : FormaCertificado(padre) {
    setObjectName(QStringLiteral("fVacunaA"));
    setWindowTitle(QStringLiteral("..."));
    using Editores::Campo;

    auto* gbVendedor = new QGroupBox(QString::fromUtf8("Ciclo de vacunación"), this);
    dbProveedor = Busqueda(gbVendedor, "dbProveedor",
                           {QStringLiteral("SELECT IdVeterinaria, NombreVeterinaria"),
                            QStringLiteral("FROM veterinarias"),
                            QStringLiteral("ORDER BY NombreVeterinaria")},
                           "IdVeterinaria", "NombreVeterinaria");
    cbCiclo = new QComboBox(gbVendedor);
    cbCiclo->setObjectName(QStringLiteral("cbCiclo"));
    // Every cycle the legacy console lists (20 down to 11) and the two after it, so a stored
    // certificate always shows, and keeps, its own cycle.
    for (int c = 22; c >= 11; --c)
        cbCiclo->addItem(QString::number(c));
    eCertificado = Campo(gbVendedor, "eCertificado", 10, false, true);
    QFont negrita = eCertificado->font();
    negrita.setBold(true);
    eCertificado->setFont(negrita);
    auto* fVendedor = new QFormLayout(gbVendedor);
    fVendedor->addRow(QStringLiteral("Proveedor vacuna"), dbProveedor);
    fVendedor->addRow(QStringLiteral("Ciclo"), cbCiclo);
    fVendedor->addRow(QStringLiteral("Certif. Nro."), eCertificado);

    auto* gbPropietario = new QGroupBox(QStringLiteral("Propietario del ganado"), this);
    eCarnet = Campo(gbPropietario, "eCarnet", 12, true, true);
    ePaterno = Campo(gbPropietario, "ePaterno", 25);
    eMaterno = Campo(gbPropietario, "eMaterno", 25);
    eNombres = Campo(gbPropietario, "eNombres", 25);
    auto* fPropietario = new QFormLayout(gbPropietario);
    fPropietario->addRow(QStringLiteral("C. I."), eCarnet);
    fPropietario->addRow(QStringLiteral("Paterno"), ePaterno);
    fPropietario->addRow(QStringLiteral("Materno"), eMaterno);
    fPropietario->addRow(QStringLiteral("Nombres"), eNombres);

    auto* gbAnimales = new QGroupBox(QStringLiteral("Animales vacunados"), this);
    auto* gAnimales = new QGridLayout(gbAnimales);
    const QString titulos[] = {QStringLiteral("Terneros"), QStringLiteral("Vaquillas"),
                               QStringLiteral("Torillos"), QStringLiteral("Novillos"),
                               QStringLiteral("Vacas"),    QStringLiteral("Toros"),
                               QStringLiteral("Bueyes"),   QString::fromUtf8("Búfalos")};
    for (size_t i = 0; i < 8; ++i) {
        eAnimales[i] =
            Campo(gbAnimales, (QByteArray("e") + kAnimales[i]).constData(), 4, false, true);
        eAnimales[i]->setAlignment(Qt::AlignRight);
        gAnimales->addWidget(new QLabel(titulos[i], gbAnimales), int(i % 4), int(i / 4) * 2);
        gAnimales->addWidget(eAnimales[i], int(i % 4), int(i / 4) * 2 + 1);
    }
    eTotal = new QLineEdit(gbAnimales);
    eTotal->setObjectName(QStringLiteral("eTotal"));
    eTotal->setReadOnly(true);
    eTotal->setFocusPolicy(Qt::NoFocus);
    eTotal->setAlignment(Qt::AlignRight);
    gAnimales->addWidget(new QLabel(QStringLiteral("TOTAL"), gbAnimales), 4, 2);
    gAnimales->addWidget(eTotal, 4, 3);

    auto* gbCertificacion = new QGroupBox(QString::fromUtf8("Certificación"), this);
    dbVeterinario = Busqueda(
        gbCertificacion, "dbVeterinario",
        {QStringLiteral("SELECT Idcarnet, (Paterno+' '+ISNULL(Materno,'')+' '+Nombres) AS "
                        "NombreVeterinario"),
         QStringLiteral("FROM Veterinarios"), QStringLiteral("ORDER BY Paterno, Materno, Nombres")},
        "Idcarnet", "NombreVeterinario");
    deFechaVacuna = new EditorFecha(gbCertificacion);
    deFechaVacuna->setObjectName(QStringLiteral("deFechaVacuna"));
    deFechaCertifica = new EditorFecha(gbCertificacion);
    deFechaCertifica->setObjectName(QStringLiteral("deFechaCertifica"));
    auto* fCertificacion = new QFormLayout(gbCertificacion);
    fCertificacion->addRow(QStringLiteral("Veterinario(a) responsable"), dbVeterinario);
    fCertificacion->addRow(QString::fromUtf8("Fecha Vacunación"), deFechaVacuna);
    fCertificacion->addRow(QString::fromUtf8("Fecha Certificación"), deFechaCertifica);

    auto* gbVacuna = new QGroupBox(QStringLiteral("Datos de la vacuna"), this);
    eDosis = Campo(gbVacuna, "eDosis", 5, false, true);
    eLaboratorio = Campo(gbVacuna, "eLaboratorio", 30);
    eSerie = Campo(gbVacuna, "eSerie", 15);
    ePartida = Campo(gbVacuna, "ePartida", 10);
    eProcedencia = Campo(gbVacuna, "eProcedencia", 20);
    eExpiracion = Campo(gbVacuna, "eExpiracion", 10);
    auto* fVacuna = new QFormLayout(gbVacuna);
    fVacuna->addRow(QStringLiteral("Cant. dosis"), eDosis);
    fVacuna->addRow(QStringLiteral("Laboratorio"), eLaboratorio);
    fVacuna->addRow(QStringLiteral("Serie"), eSerie);
    fVacuna->addRow(QStringLiteral("Partida"), ePartida);
    fVacuna->addRow(QStringLiteral("Procedencia"), eProcedencia);
    fVacuna->addRow(QString::fromUtf8("Expiración"), eExpiracion);

    auto* gbPredio = new QGroupBox(QStringLiteral("Establecimiento ganadero"), this);
    ePredio = Campo(gbPredio, "ePredio", 50);
    eCatastro = Campo(gbPredio, "eCatastro", 20);
    cbDistrital = new QComboBox(gbPredio);
    cbDistrital->setObjectName(QStringLiteral("cbDistrital"));
    cbDistrital->addItems(Vocabulario::Distritales());
    dbProvincias = new QComboBox(gbPredio);
    dbProvincias->setObjectName(QStringLiteral("dbProvincias"));
    dbMunicipios = new QComboBox(gbPredio);
    dbMunicipios->setObjectName(QStringLiteral("dbMunicipios"));
    eLocalidad = Campo(gbPredio, "eLocalidad", 25);
    auto* fPredio = new QFormLayout(gbPredio);
    fPredio->addRow(QStringLiteral("Nombre del predio"), ePredio);
    fPredio->addRow(QString::fromUtf8("Código Catastro"), eCatastro);
    fPredio->addRow(QStringLiteral("Distrital"), cbDistrital);
    fPredio->addRow(QStringLiteral("Provincia"), dbProvincias);
    fPredio->addRow(QStringLiteral("Municipio"), dbMunicipios);
    fPredio->addRow(QStringLiteral("Localidad"), eLocalidad);

    auto* GroupBox1 = new QGroupBox(QString::fromUtf8("Georeferenciación"), this);
    eLatitud = Campo(GroupBox1, "eLatitud", 9, false);
    Editores::SoloCaracteres(eLatitud, QStringLiteral("0123456789-."));
    eLongitud = Campo(GroupBox1, "eLongitud", 9, false);
    auto* fGeo = new QFormLayout(GroupBox1);
    fGeo->addRow(QStringLiteral("Latitud"), eLatitud);
    fGeo->addRow(QStringLiteral("Longitud"), eLongitud);

    // Two columns: the premises, its place and the owner on the left; cycle, animals,
    // certification and vaccine on the right.
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(gbPredio);
    izquierda->addWidget(GroupBox1);
    izquierda->addWidget(gbPropietario);
    izquierda->addStretch(1);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(gbVendedor);
    derecha->addWidget(gbAnimales);
    derecha->addWidget(gbCertificacion);
    derecha->addWidget(gbVacuna);
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda);
    columnas->addLayout(derecha);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(columnas);
    todo->addLayout(botones);

    for (QLineEdit* e : eAnimales)
        connect(e, &QLineEdit::textChanged, this, &TfVacunaA::CalculaTotal);

    // Creation: the user's department, then its provinces and municipalities.
    geografia_ =
        new RellenoGeografia(cbDistrital, dbProvincias, dbMunicipios, SentenciasGeografia(), this);
    geografia_->FijaDistrital(IdDistrital);

    // Tab order follows the columns: premises, place, coordinates, owner; then cycle, animals,
    // certification, vaccine.
    std::vector<QWidget*> orden{ePredio,    eCatastro, cbDistrital, dbProvincias, dbMunicipios,
                                eLocalidad, eLatitud,  eLongitud,   eCarnet,      ePaterno,
                                eMaterno,   eNombres,  dbProveedor, cbCiclo,      eCertificado};
    for (QLineEdit* e : eAnimales)
        orden.push_back(e);
    for (QWidget* w : std::initializer_list<QWidget*>{
             dbVeterinario, deFechaVacuna, deFechaCertifica, eDosis, eLaboratorio, eSerie, ePartida,
             eProcedencia, eExpiracion, BitBtn1, BitBtn2})
        orden.push_back(w);
    for (size_t i = 0; i + 1 < orden.size(); ++i)
        setTabOrder(orden[i], orden[i + 1]);
    Ventanas::TamanoFijo(*this);
}

void TfVacunaA::SeleccionaCiclo(const QString& ciclo) {
    cbCiclo->setCurrentIndex(cbCiclo->findText(ciclo));
}

void TfVacunaA::FijaNumero(std::int32_t numero) {
    eCertificado->setText(QString::number(numero));
}

void TfVacunaA::CalculaTotal() {
    // Empty until the first change of a count; then the sum, empty counts as 0.
    qint64 total = 0;
    for (QLineEdit* e : eAnimales)
        total += TextoAEntero(e->text());
    eTotal->setText(QString::number(total));
}

void TfVacunaA::CargaDesde(const ConsolaDeCertificados& c) {
    auto texto = [&](const char* campo) { return c.Actual(QString::fromLatin1(campo)).toString(); };
    SeleccionaCiclo(texto("IdCiclo"));
    eCertificado->setText(texto("CertificadoNro"));
    ePredio->setText(texto("NombreCabana"));
    eCatastro->setText(texto("CodigoCatastro"));
    // Each refill preselects its first row, which the stored key then replaces.
    geografia_->FijaDistrital(texto("IdDistrital"));
    geografia_->SeleccionaProvincia(texto("IdProvincia"));
    geografia_->RefrescaMunicipios();
    geografia_->SeleccionaMunicipio(texto("IdMunicipio"));
    eLocalidad->setText(texto("Localidad"));
    eLatitud->setText(texto("Latitud"));
    eLongitud->setText(texto("Longitud"));
    EligeClave(dbProveedor, texto("IdProveedor"));
    EligeClave(dbVeterinario, texto("IdVacunador"));
    eDosis->setText(texto("CantidadDosis"));
    eLaboratorio->setText(texto("Laboratorio"));
    eSerie->setText(texto("Serie"));
    ePartida->setText(texto("Partida"));
    eProcedencia->setText(texto("Procedencia"));
    eExpiracion->setText(texto("Expiracion"));
    deFechaVacuna->FijaValor(c.Actual(QStringLiteral("FechaVacunacion")).toDateTime());
    deFechaCertifica->FijaValor(c.Actual(QStringLiteral("FechaCertificacion")).toDateTime());
    for (size_t i = 0; i < 8; ++i)
        eAnimales[i]->setText(texto(kAnimales[i]));
    eCarnet->setText(texto("IdPropietario"));
    ePaterno->setText(texto("Paterno"));
    eMaterno->setText(texto("Materno"));
    eNombres->setText(texto("Nombres"));
}

QString TfVacunaA::Verifica() const {
    // Emptiness is tested on the text as typed.
    if (ePredio->text().isEmpty() || eLocalidad->text().isEmpty())
        return QStringLiteral("Debe especificar los datos del \"establecimiento ganadero\"!!");
    // A cycle outside the list (the console on a current cycle above 22, or a row of an unknown
    // cycle) leaves the combo empty: saving then would file the certificate under no cycle.
    if (cbCiclo->currentIndex() < 0 || eCertificado->text().isEmpty() ||
        dbProveedor->currentIndex() < 0)
        return QString::fromUtf8("Debe especificar los datos del \"ciclo de vacunación\"!!");
    if (dbVeterinario->currentIndex() < 0 || !deFechaVacuna->Fijada() ||
        !deFechaCertifica->Fijada())
        return QString::fromUtf8("Debe especificar los datos de \"certificación\"!!");
    if (eTotal->text().isEmpty())
        return QStringLiteral("Debe especificar los datos de \"animales vacunados\"!!");
    if (eDosis->text().isEmpty() || eLaboratorio->text().isEmpty() ||
        eProcedencia->text().isEmpty() || eExpiracion->text().isEmpty())
        return QStringLiteral("Debe especificar los \"datos de la vacuna\"!!");
    const QString regla = QString::fromUtf8(
        "Debe utilizar el sistema SEXAGESIMAL respetando el signo negativo, punto y cinco "
        "decimales, como por ejemplo -14.76342");
    if (!CoordenadaValida(eLatitud->text()))
        return QString::fromUtf8("La coordenada de LATITUD es inválida!\n") + regla;
    if (!CoordenadaValida(eLongitud->text()))
        return QString::fromUtf8("La coordenada de LONGITUD es inválida!\n") + regla;
    return {};
}

void TfVacunaA::FijaParametros(Consulta& q) const {
    // Every text as typed (an empty one is an empty text); the numbers converted, and a number
    // that does not fit stops the save.
    q.Texto(QStringLiteral("gCiclo"), cbCiclo->currentText(), 3);
    q.Entero(QStringLiteral("gCerti"), TextoAEntero(eCertificado->text()));
    q.Texto(QStringLiteral("gCaban"), ePredio->text(), 50);
    q.Texto(QStringLiteral("gCatas"), eCatastro->text(), 20);
    q.Texto(QStringLiteral("gDistr"), cbDistrital->currentText(), 3);
    q.Texto(QStringLiteral("gProvi"), geografia_->IdProvincia(), 2);
    q.Texto(QStringLiteral("gMunic"), geografia_->IdMunicipio(), 2);
    q.Texto(QStringLiteral("gLocal"), eLocalidad->text(), 25);
    q.Texto(QStringLiteral("gLatit"), eLatitud->text(), 9);
    q.Texto(QStringLiteral("gLongi"), eLongitud->text(), 9);
    q.Texto(QStringLiteral("gProve"), Clave(dbProveedor), 3);
    q.Texto(QStringLiteral("gVacun"), Clave(dbVeterinario), 12);
    q.Entero(QStringLiteral("gDosis"), TextoAEntero(eDosis->text()));
    q.Texto(QStringLiteral("gLabor"), eLaboratorio->text(), 30);
    q.Texto(QStringLiteral("gSerie"), eSerie->text(), 15);
    q.Texto(QStringLiteral("gParti"), ePartida->text(), 10);
    q.Texto(QStringLiteral("gProce"), eProcedencia->text(), 20);
    q.Texto(QStringLiteral("gExpir"), eExpiracion->text(), 10);
    q.FechaHora(QStringLiteral("gFecVa"), deFechaVacuna->Valor());
    q.FechaHora(QStringLiteral("gFecCe"), deFechaCertifica->Valor());
    for (size_t i = 0; i < 8; ++i) // empty counts are stored as 0, never NULL
        q.EnteroCorto(QLatin1String(kParametrosAnimales[i]), TextoAEntero(eAnimales[i]->text()));
    q.Texto(QStringLiteral("gIdPro"), eCarnet->text(), 12);
    q.Texto(QStringLiteral("gPater"), ePaterno->text(), 70);
    q.Texto(QStringLiteral("gMater"), eMaterno->text(), 25);
    q.Texto(QStringLiteral("gNombr"), eNombres->text(), 25);
}

void TfVacunaA::Inserta() {
    Consulta cInserta;
    QStringList sentencia{QStringLiteral("INSERT INTO Vacunaciones"), QStringLiteral("VALUES (")};
    for (const char* p :
         {"gCiclo", "gCerti", "gCaban", "gPadro", "gCatas", "gDistr", "gProvi", "gMunic", "gLocal",
          "gLatit", "gLongi", "gProve", "gVacun", "gDosis", "gLabor", "gSerie", "gParti", "gProce",
          "gExpir", "gFecVa", "gFecCe", "gTerne", "gVaqui", "gToril", "gNovil", "gVacas", "gToros",
          "gBueye", "gBufal", "gIdPro", "gPater", "gMater", "gNombr"})
        sentencia << QLatin1Char(':') + QLatin1String(p) + QLatin1Char(',');
    sentencia << QStringLiteral("SUSER_SNAME(),") << QStringLiteral("GETDATE()")
              << QStringLiteral(")");
    cInserta.FijaSql(sentencia);
    FijaParametros(cInserta);
    cInserta.Nulo(QStringLiteral("gPadro"), TipoParametro::Texto); // the register number: NULL
    cInserta.Ejecuta();
}

void TfVacunaA::Edita(const QString& cicloAnterior, const QVariant& numeroAnterior) {
    Consulta cEdita({QStringLiteral("UPDATE Vacunaciones"),
                     QStringLiteral("SET"),
                     QStringLiteral("IdCiclo            = :gCiclo,"),
                     QStringLiteral("CertificadoNro     = :gCerti,"),
                     QStringLiteral("NombreCabana       = :gCaban,"),
                     QStringLiteral("CodigoCatastro     = :gCatas,"),
                     QStringLiteral("IdDistrital        = :gDistr,"),
                     QStringLiteral("IdProvincia        = :gProvi,"),
                     QStringLiteral("IdMunicipio        = :gMunic,"),
                     QStringLiteral("Localidad          = :gLocal,"),
                     QStringLiteral("Latitud            = :gLatit,"),
                     QStringLiteral("Longitud           = :gLongi,"),
                     QStringLiteral("IdProveedor        = :gProve,"),
                     QStringLiteral("IdVacunador        = :gVacun,"),
                     QStringLiteral("CantidadDosis      = :gDosis,"),
                     QStringLiteral("Laboratorio        = :gLabor,"),
                     QStringLiteral("Serie              = :gSerie,"),
                     QStringLiteral("Partida            = :gParti,"),
                     QStringLiteral("Procedencia        = :gProce,"),
                     QStringLiteral("Expiracion         = :gExpir,"),
                     QStringLiteral("FechaVacunacion    = :gFecVa,"),
                     QStringLiteral("FechaCertificacion = :gFecCe,"),
                     QStringLiteral("Terneros           = :gTerne,"),
                     QStringLiteral("Vaquillas          = :gVaqui,"),
                     QStringLiteral("Torillos           = :gToril,"),
                     QStringLiteral("Novillos           = :gNovil,"),
                     QStringLiteral("Vacas              = :gVacas,"),
                     QStringLiteral("Toros              = :gToros,"),
                     QStringLiteral("Bueyes             = :gBueye,"),
                     QStringLiteral("Bufalos            = :gBufal,"),
                     QStringLiteral("IdPropietario      = :gIdPro,"),
                     QStringLiteral("Paterno            = :gPater,"),
                     QStringLiteral("Materno            = :gMater,"),
                     QStringLiteral("Nombres            = :gNombr,"),
                     QStringLiteral("ModificadoPor      = SUSER_SNAME(),"),
                     QStringLiteral("FechaModificacion  = GETDATE()"),
                     QStringLiteral("WHERE IdCiclo      = :ElCic"),
                     QStringLiteral("AND CertificadoNro = :Elcer")});
    FijaParametros(cEdita);
    cEdita.Texto(QStringLiteral("ElCic"), cicloAnterior, 3);
    cEdita.Entero(QStringLiteral("Elcer"), numeroAnterior);
    cEdita.Ejecuta();
}

QString TfVacunaA::FallaEdicion(const ErrorTarvelion&) const {
    return QStringLiteral("No se ha podido editar el registro !");
}

QString TfVacunaA::Ciclo() const {
    return cbCiclo->currentText();
}

QString TfVacunaA::Numero() const {
    return eCertificado->text();
}

QString TfVacunaA::Predio() const {
    return ePredio->text();
}
