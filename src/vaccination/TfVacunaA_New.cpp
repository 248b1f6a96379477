// Certificate entry form, cycles 21 on.
#include "vaccination/TfVacunaA_New.h"

#include "app/Globales.h"
#include "common/Editores.h"
#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/RellenoGeografia.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "vaccination/ConsolaDeCertificados.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit* Editor(QWidget* padre, const char* nombre, int largo, bool mayusculas = true,
                  bool digitos = false) {
    return Editores::Campo(padre, nombre, largo, mayusculas, digitos);
}

bool Lleno(const QLineEdit* e) {
    return !e->text().trimmed().isEmpty();
}

QLineEdit* Total(QWidget* padre, const char* nombre) {
    auto* e = new QLineEdit(QStringLiteral("0"), padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setReadOnly(true);
    e->setAlignment(Qt::AlignRight);
    e->setFocusPolicy(Qt::NoFocus);
    e->setMaximumWidth(70);
    return e;
}

} // namespace

TfVacunaA_New::TfVacunaA_New(QWidget* padre) : FormaCertificado(padre) {
    setObjectName(QStringLiteral("fVacunaA_New"));
    setWindowTitle(QStringLiteral("..."));

    // Establishment.
    auto* gbPredio = new QGroupBox(QStringLiteral("Establecimiento ganadero"), this);
    ePredio = Editor(gbPredio, "ePredio", 50);
    eCodigo = Editor(gbPredio, "eCodigo", 20);
    cbDistrital = new QComboBox(gbPredio);
    cbDistrital->setObjectName(QStringLiteral("cbDistrital"));
    cbDistrital->addItems(Vocabulario::Distritales());
    cbDistrital->setMaxVisibleItems(9);
    dbProvincias = new QComboBox(gbPredio);
    dbProvincias->setObjectName(QStringLiteral("dbProvincias"));
    dbProvincias->setMaxVisibleItems(15);
    dbMunicipios = new QComboBox(gbPredio);
    dbMunicipios->setObjectName(QStringLiteral("dbMunicipios"));
    dbMunicipios->setMaxVisibleItems(15);
    eLocalidad = Editor(gbPredio, "eLocalidad", 25);
    auto* fPredio = new QFormLayout(gbPredio);
    fPredio->addRow(QStringLiteral("Nombre del predio (Unidad Productiva)"), ePredio);
    fPredio->addRow(QString::fromUtf8("Código U.P."), eCodigo);
    fPredio->addRow(QStringLiteral("Distrital"), cbDistrital);
    fPredio->addRow(QStringLiteral("Provincia"), dbProvincias);
    fPredio->addRow(QStringLiteral("Municipio"), dbMunicipios);
    fPredio->addRow(QStringLiteral("Localidad"), eLocalidad);

    // Owner.
    auto* gbPropietario = new QGroupBox(QStringLiteral("Propietario del ganado"), this);
    eCarnet = Editor(gbPropietario, "eCarnet", 15, true, true);
    ePaterno = Editor(gbPropietario, "ePaterno", 25);
    eMaterno = Editor(gbPropietario, "eMaterno", 25);
    eNombres = Editor(gbPropietario, "eNombres", 25);
    eResponsable = Editor(gbPropietario, "eResponsable", 50);
    auto* fProp = new QFormLayout(gbPropietario);
    fProp->addRow(QStringLiteral("C. I."), eCarnet);
    fProp->addRow(QStringLiteral("Paterno"), ePaterno);
    fProp->addRow(QStringLiteral("Materno"), eMaterno);
    fProp->addRow(QStringLiteral("Nombres"), eNombres);
    fProp->addRow(QStringLiteral("Responsable de la Unidad productiva"), eResponsable);

    // Vaccine, with its buyer.
    auto* gbVacuna = new QGroupBox(QStringLiteral("Datos de la vacuna"), this);
    ceDosis = new QSpinBox(gbVacuna);
    ceDosis->setObjectName(QStringLiteral("ceDosis"));
    ceDosis->setRange(0, 32767);
    eLaboratorio = Editor(gbVacuna, "eLaboratorio", 30);
    eSerie = Editor(gbVacuna, "eSerie", 15);
    ePartida = Editor(gbVacuna, "ePartida", 10);
    eProcedencia = Editor(gbVacuna, "eProcedencia", 20);
    eExpiracion = Editor(gbVacuna, "eExpiracion", 10);
    deCompra = new EditorFecha(gbVacuna, true);
    deCompra->setObjectName(QStringLiteral("deCompra"));
    eProveedor = Editor(gbVacuna, "eProveedor", 30);
    auto* gbComprador = new QGroupBox(QStringLiteral("Comprador de la vacuna"), gbVacuna);
    eComprador = Editor(gbComprador, "eComprador", 50);
    eDireccion = Editor(gbComprador, "eDireccion", 50);
    auto* fComp = new QFormLayout(gbComprador);
    fComp->addRow(QStringLiteral("Nombre del comprador"), eComprador);
    fComp->addRow(QString::fromUtf8("Dirección y teléfonos"), eDireccion);
    auto* fVac = new QFormLayout(gbVacuna);
    fVac->addRow(QStringLiteral("Cant. dosis"), ceDosis);
    fVac->addRow(QStringLiteral("Laboratorio"), eLaboratorio);
    fVac->addRow(QStringLiteral("Serie"), eSerie);
    fVac->addRow(QStringLiteral("Partida"), ePartida);
    fVac->addRow(QStringLiteral("Procedencia"), eProcedencia);
    fVac->addRow(QString::fromUtf8("Expiración"), eExpiracion);
    fVac->addRow(QStringLiteral("Fecha de compra"), deCompra);
    fVac->addRow(QStringLiteral("Proveedor"), eProveedor);
    fVac->addRow(gbComprador);

    // Cycle, number and animals.
    auto* gbCiclo = new QGroupBox(QString::fromUtf8("Ciclo de vacunación"), this);
    cbCiclo = new QComboBox(gbCiclo);
    cbCiclo->setObjectName(QStringLiteral("cbCiclo"));
    cbCiclo->addItems({QStringLiteral("25"), QStringLiteral("24"), QStringLiteral("23"),
                       QStringLiteral("22"), QStringLiteral("21")});
    cbCiclo->setCurrentIndex(-1);
    eNro = Editor(gbCiclo, "eNro", 10, false, true);
    eNro->setStyleSheet(QStringLiteral("color:#c00000; font-weight:bold;"));
    eNroAV = Editor(gbCiclo, "eNroAV", 50, false);
    eVacunador = Editor(gbCiclo, "eVacunador", 50);
    auto* fCiclo = new QFormLayout;
    fCiclo->addRow(QStringLiteral("Ciclo"), cbCiclo);
    fCiclo->addRow(QStringLiteral("Certif. Nro."), eNro);
    fCiclo->addRow(QString::fromUtf8("Nro. Acta vacunación"), eNroAV);
    fCiclo->addRow(QStringLiteral("Veterinario responsable"), eVacunador);
    auto* gbAnimales = new QGroupBox(QStringLiteral("Animales vacunados"), gbCiclo);
    auto* gAni = new QGridLayout(gbAnimales);
    gAni->addWidget(new QLabel(QStringLiteral("EDAD / MES"), gbAnimales), 0, 0, 1, 2);
    gAni->addWidget(new QLabel(QStringLiteral("BOVINOS"), gbAnimales), 0, 2);
    gAni->addWidget(new QLabel(QStringLiteral("BUBALINOS"), gbAnimales), 0, 3);
    const QString bandas[] = {QStringLiteral("< 12"), QStringLiteral("13 - 24"),
                              QStringLiteral("25 - 36"), QStringLiteral("> 36")};
    const QStringList bov = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("eBOV_"));
    const QStringList bub = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("eBUB_"));
    for (int b = 0; b < 4; ++b) {
        gAni->addWidget(new QLabel(bandas[b], gbAnimales), 1 + 2 * b, 0, 2, 1);
        // The "H" line above the "M" line of each band.
        for (int linea = 0; linea < 2; ++linea) {
            const int i = 2 * b + (linea == 0 ? 1 : 0);
            gAni->addWidget(
                new QLabel(linea == 0 ? QStringLiteral("H") : QStringLiteral("M"), gbAnimales),
                1 + 2 * b + linea, 1);
            eBOV[size_t(i)] = Editor(gbAnimales, bov[i].toLatin1().constData(), 4, false, true);
            eBUB[size_t(i)] = Editor(gbAnimales, bub[i].toLatin1().constData(), 4, false, true);
            eBOV[size_t(i)]->setMaximumWidth(70);
            eBUB[size_t(i)]->setMaximumWidth(70);
            gAni->addWidget(eBOV[size_t(i)], 1 + 2 * b + linea, 2);
            gAni->addWidget(eBUB[size_t(i)], 1 + 2 * b + linea, 3);
        }
    }
    ceBOV_TotalM = Total(gbAnimales, "ceBOV_TotalM");
    ceBUB_TotalM = Total(gbAnimales, "ceBUB_TotalM");
    ceBOV_TotalH = Total(gbAnimales, "ceBOV_TotalH");
    ceBUB_TotalH = Total(gbAnimales, "ceBUB_TotalH");
    ceBOV_Total = Total(gbAnimales, "ceBOV_Total");
    ceBUB_Total = Total(gbAnimales, "ceBUB_Total");
    gAni->addWidget(new QLabel(QStringLiteral("SUB TOTAL  M"), gbAnimales), 9, 0, 1, 2);
    gAni->addWidget(ceBOV_TotalM, 9, 2);
    gAni->addWidget(ceBUB_TotalM, 9, 3);
    gAni->addWidget(new QLabel(QStringLiteral("SUB TOTAL  H"), gbAnimales), 10, 0, 1, 2);
    gAni->addWidget(ceBOV_TotalH, 10, 2);
    gAni->addWidget(ceBUB_TotalH, 10, 3);
    gAni->addWidget(new QLabel(QStringLiteral("TOTAL"), gbAnimales), 11, 0, 1, 2);
    gAni->addWidget(ceBOV_Total, 11, 2);
    gAni->addWidget(ceBUB_Total, 11, 3);
    auto* vCiclo = new QVBoxLayout(gbCiclo);
    vCiclo->addLayout(fCiclo);
    vCiclo->addWidget(gbAnimales);

    // Certification and type.
    auto* gbCertificacion = new QGroupBox(QString::fromUtf8("Certificación"), this);
    deFechaVacuna = new EditorFecha(gbCertificacion);
    deFechaVacuna->setObjectName(QStringLiteral("deFechaVacuna"));
    deFechaCertifica = new EditorFecha(gbCertificacion);
    deFechaCertifica->setObjectName(QStringLiteral("deFechaCertifica"));
    auto* GroupBox1 = new QGroupBox(QStringLiteral("Tipo"), gbCertificacion);
    cCiclo = new QCheckBox(QStringLiteral("Ciclo"), GroupBox1);
    cCiclo->setObjectName(QStringLiteral("cCiclo"));
    cAsistida = new QCheckBox(QStringLiteral("Asistida"), GroupBox1);
    cAsistida->setObjectName(QStringLiteral("cAsistida"));
    cFiscalizada = new QCheckBox(QStringLiteral("Fiscalizada"), GroupBox1);
    cFiscalizada->setObjectName(QStringLiteral("cFiscalizada"));
    cCompulsiva = new QCheckBox(QStringLiteral("Compulsiva"), GroupBox1);
    cCompulsiva->setObjectName(QStringLiteral("cCompulsiva"));
    auto* gTipo = new QGridLayout(GroupBox1);
    gTipo->addWidget(cCiclo, 0, 0);
    gTipo->addWidget(cAsistida, 0, 1);
    gTipo->addWidget(cFiscalizada, 1, 0);
    gTipo->addWidget(cCompulsiva, 1, 1);
    auto* fCert = new QFormLayout(gbCertificacion);
    fCert->addRow(QString::fromUtf8("Fecha Vacunación"), deFechaVacuna);
    fCert->addRow(QString::fromUtf8("Fecha Certificación"), deFechaCertifica);
    fCert->addRow(GroupBox1);

    auto* GroupBox2 = new QGroupBox(QStringLiteral("Registro de la base de datos"), this);
    eDueno = Editor(GroupBox2, "eDueno", 15, false, true);
    eDueno->setReadOnly(true);
    deActua = new EditorFecha(GroupBox2);
    deActua->setObjectName(QStringLiteral("deActua"));
    auto* fReg = new QFormLayout(GroupBox2);
    fReg->addRow(QStringLiteral("Registrado por"), eDueno);
    fReg->addRow(QString::fromUtf8("Fecha de modificación"), deActua);

    // Saving is for users with the cycles right; everybody else can only look.
    BitBtn1->setEnabled(PSi_Ciclos_Escribe);

    // Two columns: place, owner and vaccine on the left; cycle, certification on the right.
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(gbPredio);
    izquierda->addWidget(gbPropietario);
    izquierda->addWidget(gbVacuna);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(gbCiclo);
    derecha->addWidget(gbCertificacion);
    derecha->addWidget(GroupBox2);
    derecha->addStretch();
    auto* columnas = new QHBoxLayout;
    columnas->addLayout(izquierda, 3);
    columnas->addLayout(derecha, 2);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(columnas);
    todo->addLayout(botones);

    for (QLineEdit* e : eBOV)
        connect(e, &QLineEdit::textChanged, this, &TfVacunaA_New::CalculaTotales);
    for (QLineEdit* e : eBUB)
        connect(e, &QLineEdit::textChanged, this, &TfVacunaA_New::CalculaTotales);

    // Creation: the user's department, then its provinces and municipalities.
    geografia_ =
        new RellenoGeografia(cbDistrital, dbProvincias, dbMunicipios, SentenciasGeografia(), this);
    geografia_->FijaDistrital(IdDistrital);

    // Tab order follows the form: place, owner, vaccine, cycle, animals, certification.
    QWidget* orden[] = {ePredio,      eCodigo,     cbDistrital,  dbProvincias, dbMunicipios,
                        eLocalidad,   eCarnet,     ePaterno,     eMaterno,     eNombres,
                        eResponsable, ceDosis,     eLaboratorio, eSerie,       ePartida,
                        eProcedencia, eExpiracion, deCompra,     eProveedor,   eComprador,
                        eDireccion,   cbCiclo,     eNro,         eNroAV,       eVacunador};
    for (size_t i = 0; i + 1 < std::size(orden); ++i)
        setTabOrder(orden[i], orden[i + 1]);
    // Down the bovine column, then the buffalo column, line by line as shown: each band's "H"
    // line (odd index) above its "M" line.
    const size_t lineas[] = {1, 0, 3, 2, 5, 4, 7, 6};
    QWidget* anterior = eVacunador;
    for (const auto* columna : {&eBOV, &eBUB})
        for (size_t i : lineas) {
            setTabOrder(anterior, (*columna)[i]);
            anterior = (*columna)[i];
        }
    for (QWidget* w :
         std::initializer_list<QWidget*>{deFechaVacuna, deFechaCertifica, cCiclo, cAsistida,
                                         cFiscalizada, cCompulsiva, deActua, BitBtn1, BitBtn2}) {
        setTabOrder(anterior, w);
        anterior = w;
    }
    CalculaTotales();
    Ventanas::TamanoFijo(*this);
}

void TfVacunaA_New::SeleccionaCiclo(const QString& ciclo) {
    cbCiclo->setCurrentIndex(cbCiclo->findText(ciclo));
}

void TfVacunaA_New::FijaNumero(std::int32_t numero) {
    eNro->setText(QString::number(numero));
}

void TfVacunaA_New::PreparaRegistro() {
    eDueno->setText(UsuarioBase);
    deActua->setDate(QDate::currentDate());
}

void TfVacunaA_New::CalculaTotales() {
    auto suma = [](const std::array<QLineEdit*, 8>& e, int desde, int paso) {
        qint64 s = 0;
        for (int i = desde; i < 8; i += paso)
            s += TextoAEntero(e[size_t(i)]->text());
        return s;
    };
    ceBOV_TotalM->setText(QString::number(suma(eBOV, 0, 2)));
    ceBOV_TotalH->setText(QString::number(suma(eBOV, 1, 2)));
    ceBOV_Total->setText(QString::number(suma(eBOV, 0, 1)));
    ceBUB_TotalM->setText(QString::number(suma(eBUB, 0, 2)));
    ceBUB_TotalH->setText(QString::number(suma(eBUB, 1, 2)));
    ceBUB_Total->setText(QString::number(suma(eBUB, 0, 1)));
}

void TfVacunaA_New::CargaDesde(const ConsolaDeCertificados& c) {
    auto texto = [&](const char* campo) { return c.Actual(QString::fromLatin1(campo)).toString(); };
    auto fecha = [&](const char* campo) {
        const QVariant v = c.Actual(QString::fromLatin1(campo));
        return v.isNull() ? QDateTime() : v.toDateTime();
    };
    ePredio->setText(texto("Predio_Cabana"));
    eCodigo->setText(texto("Predio_Codigo"));
    // Each refill preselects its first row, which the stored key then replaces.
    geografia_->FijaDistrital(texto("Predio_IdDistrital"));
    geografia_->SeleccionaProvincia(texto("Predio_IdProvincia"));
    geografia_->RefrescaMunicipios();
    geografia_->SeleccionaMunicipio(texto("Predio_IdMunicipio"));
    eLocalidad->setText(texto("Predio_Juridiccion"));
    SeleccionaCiclo(texto("IdCiclo"));
    eNro->setText(texto("CertificadoNro"));
    deFechaVacuna->FijaValor(fecha("Vacu_Fecha"));
    deFechaCertifica->FijaValor(fecha("Vacu_Certifica"));
    cCiclo->setChecked(c.Actual(QStringLiteral("Vacu_Ciclo")).toInt() != 0);
    cAsistida->setChecked(c.Actual(QStringLiteral("Vacu_Asistida")).toInt() != 0);
    cFiscalizada->setChecked(c.Actual(QStringLiteral("Vacu_Fiscalizada")).toInt() != 0);
    cCompulsiva->setChecked(c.Actual(QStringLiteral("Vacu_Compulsiva")).toInt() != 0);
    eVacunador->setText(texto("Vacu_Responsable"));
    const QStringList bov = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BOV_Grupo_"));
    const QStringList bub = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BUB_Grupo_"));
    for (size_t i = 0; i < 8; ++i) {
        eBOV[i]->setText(c.Actual(bov[qsizetype(i)]).toString());
        eBUB[i]->setText(c.Actual(bub[qsizetype(i)]).toString());
    }
    ceDosis->setValue(c.Actual(QStringLiteral("Dosis_Cantidad")).toInt());
    eLaboratorio->setText(texto("Dosis_Laboratorio"));
    eSerie->setText(texto("Dosis_Serie"));
    ePartida->setText(texto("Dosis_Partida"));
    eProcedencia->setText(texto("Dosis_Procedencia"));
    eExpiracion->setText(texto("Dosis_Expiracion"));
    deCompra->FijaValor(fecha("Dosis_FechaCompra"));
    eProveedor->setText(texto("Dosis_Proveedor"));
    eComprador->setText(texto("Comp_Nombre"));
    eDireccion->setText(texto("Comp_Direccion"));
    eCarnet->setText(texto("Prop_Carnet"));
    ePaterno->setText(texto("Prop_Paterno"));
    eMaterno->setText(texto("Prop_Materno"));
    eNombres->setText(texto("Prop_Nombres"));
    eResponsable->setText(texto("Prop_Responsable"));
    eNroAV->setText(texto("Nro_Acta_Vacunacion"));
}

QString TfVacunaA_New::Verifica() const {
    if (!Lleno(ePredio) || cbDistrital->currentText().trimmed().isEmpty() || !Lleno(eLocalidad))
        return QStringLiteral(
            "Debe especificar todos los datos del \"establecimiento ganadero\" !");
    if (ceDosis->value() <= 0 || !Lleno(eLaboratorio) || !Lleno(eProcedencia) ||
        !Lleno(eExpiracion) || !Lleno(eProveedor) || !Lleno(eComprador) || !Lleno(eDireccion) ||
        !deCompra->Fijada())
        return QStringLiteral("Debe especificar todos los \"datos de la vacuna\" !");
    if (cbCiclo->currentText().isEmpty() || !Lleno(eNro) || !Lleno(eVacunador) ||
        !deFechaVacuna->Fijada() || !deFechaCertifica->Fijada())
        return QString::fromUtf8("Debe especificar los datos del \"ciclo de vacunación\" !");
    if (ceBOV_Total->text().toLongLong() + ceBUB_Total->text().toLongLong() == 0)
        return QStringLiteral("Debe especificar la cantidad de animales vacunados !");
    if (!Lleno(ePaterno) || !Lleno(eNombres) || !Lleno(eResponsable))
        return QStringLiteral("Debe especificar los \"datos del propietario\" !");
    return {};
}

// The parameters the insert and the update share, set from the controls.
Consulta TfVacunaA_New::ParametrosComunes(const QStringList& sentencia) const {
    Consulta q;
    q.FijaSql(sentencia);
    q.Texto(QStringLiteral("pCiclo"), cbCiclo->currentText(), 3);
    q.Entero(QStringLiteral("pCerti"), TextoAEntero(eNro->text()));
    q.Texto(QStringLiteral("pCaban"), ePredio->text().trimmed(), 50);
    q.Texto(QStringLiteral("pCatas"), eCodigo->text().trimmed(), 20);
    q.Texto(QStringLiteral("pDistr"), cbDistrital->currentText(), 3);
    q.Texto(QStringLiteral("pProvi"), geografia_->IdProvincia(), 2);
    q.Texto(QStringLiteral("pMunic"), geografia_->IdMunicipio(), 2);
    q.Texto(QStringLiteral("pLocal"), eLocalidad->text().trimmed(), 25);
    q.Texto(QStringLiteral("dProve"), eProveedor->text(), 30);
    q.EnteroCorto(QStringLiteral("dDosis"), ceDosis->value());
    q.Texto(QStringLiteral("dLabor"), eLaboratorio->text(), 30);
    q.Texto(QStringLiteral("dSerie"), eSerie->text(), 15);
    q.Texto(QStringLiteral("dParti"), ePartida->text(), 10);
    q.Texto(QStringLiteral("dProce"), eProcedencia->text(), 20);
    q.Texto(QStringLiteral("dExpir"), eExpiracion->text(), 10);
    q.FechaHora(QStringLiteral("dCompr"), deCompra->Valor());
    q.FechaHora(QStringLiteral("vFecVa"), deFechaVacuna->Valor());
    q.FechaHora(QStringLiteral("vFecCe"), deFechaCertifica->Valor());
    q.Bit(QStringLiteral("vCiclo"), cCiclo->isChecked());
    q.Bit(QStringLiteral("vAsist"), cAsistida->isChecked());
    q.Bit(QStringLiteral("vFisca"), cFiscalizada->isChecked());
    q.Bit(QStringLiteral("vCompu"), cCompulsiva->isChecked());
    q.Texto(QStringLiteral("vRespo"), eVacunador->text().trimmed(), 50);
    const char* grupos[] = {"1m", "1h", "2m", "2h", "3m", "3h", "4m", "4h"};
    for (size_t i = 0; i < 8; ++i) {
        // Empty counts are stored as NULL, "0" as 0.
        q.EnteroCorto(QStringLiteral("aBov") + QLatin1String(grupos[i]),
                      TextoAEnteroONulo(eBOV[i]->text()));
        q.EnteroCorto(QStringLiteral("aBub") + QLatin1String(grupos[i]),
                      TextoAEnteroONulo(eBUB[i]->text()));
    }
    q.Texto(QStringLiteral("rCarne"), eCarnet->text().trimmed(), 15);
    q.Texto(QStringLiteral("rPater"), ePaterno->text().trimmed(), 25);
    q.Texto(QStringLiteral("rMater"), eMaterno->text().trimmed(), 25);
    q.Texto(QStringLiteral("rNombr"), eNombres->text().trimmed(), 25);
    q.Texto(QStringLiteral("rRespo"), eResponsable->text().trimmed(), 50);
    q.Texto(QStringLiteral("rReNom"), eComprador->text().trimmed(), 50);
    q.Texto(QStringLiteral("rReDir"), eDireccion->text().trimmed(), 50);
    q.Texto(QStringLiteral("nAV"), eNroAV->text(), 50);
    return q;
}

void TfVacunaA_New::Inserta() {
    QStringList sentencia{QStringLiteral("INSERT INTO Ciclos VALUES"), QStringLiteral("(")};
    const char* parametros[] = {
        "pCiclo", "pCerti", "pCaban", "pCatas", nullptr,  nullptr,  "pDistr", "pProvi", "pMunic",
        "pLocal", "dProve", "dDosis", "dLabor", "dSerie", "dParti", "dProce", "dExpir", "dCompr",
        "vFecVa", "vFecCe", "vCiclo", "vAsist", "vFisca", "vCompu", "vRespo", "aBov1m", "aBov1h",
        "aBov2m", "aBov2h", "aBov3m", "aBov3h", "aBov4m", "aBov4h", "aBub1m", "aBub1h", "aBub2m",
        "aBub2h", "aBub3m", "aBub3h", "aBub4m", "aBub4h", "rCarne", "rPater", "rMater", "rNombr",
        "rRespo", "rReNom", "rReDir", "yDueno", "yActua", "nAV"};
    for (const char* p : parametros)
        sentencia << (p ? QLatin1Char(':') + QLatin1String(p) + QLatin1Char(',')
                        : QStringLiteral("NULL,"));
    sentencia << QStringLiteral("0") << QStringLiteral(")");
    Consulta qInserta = ParametrosComunes(sentencia);
    qInserta.Texto(QStringLiteral("yDueno"), eDueno->text(), 15);
    qInserta.FechaHora(QStringLiteral("yActua"), deActua->Valor());
    qInserta.Ejecuta();
}

void TfVacunaA_New::Edita(const QString& cicloAnterior, const QVariant& numeroAnterior) {
    const QStringList sentencia{QStringLiteral("UPDATE Ciclos SET"),
                                QString(),
                                QStringLiteral("IdCiclo            = :pCiclo,"),
                                QStringLiteral("CertificadoNro     = :pCerti,"),
                                QStringLiteral("Predio_Cabana      = :pCaban,"),
                                QStringLiteral("Predio_Codigo      = :pCatas,"),
                                QStringLiteral("Predio_IdDistrital = :pDistr,"),
                                QStringLiteral("Predio_IdProvincia = :pProvi,"),
                                QStringLiteral("Predio_IdMunicipio = :pMunic,"),
                                QStringLiteral("Predio_juridiccion = :pLocal,"),
                                QString(),
                                QStringLiteral("Dosis_Proveedor   = :dProve,"),
                                QStringLiteral("Dosis_cantidad    = :dDosis,"),
                                QStringLiteral("Dosis_Laboratorio = :dLabor,"),
                                QStringLiteral("Dosis_Serie       = :dSerie,"),
                                QStringLiteral("Dosis_Partida     = :dParti,"),
                                QStringLiteral("Dosis_Procedencia = :dProce,"),
                                QStringLiteral("Dosis_Expiracion  = :dExpir,"),
                                QStringLiteral("Dosis_FechaCompra = :dCompr,"),
                                QString(),
                                QStringLiteral("Vacu_Fecha       = :vFecVa,"),
                                QStringLiteral("Vacu_Certifica   = :vFecCe,"),
                                QStringLiteral("Vacu_Ciclo       = :vCiclo,"),
                                QStringLiteral("Vacu_Asistida    = :vAsist,"),
                                QStringLiteral("Vacu_Fiscalizada = :vFisca,"),
                                QStringLiteral("Vacu_Compulsiva  = :vCompu,"),
                                QStringLiteral("Vacu_Responsable = :vRespo,"),
                                QString(),
                                QStringLiteral("BOV_Grupo_1M = :aBov1m,"),
                                QStringLiteral("BOV_Grupo_1H = :aBov1h,"),
                                QStringLiteral("BOV_Grupo_2M = :aBov2m,"),
                                QStringLiteral("BOV_Grupo_2H = :aBov2h,"),
                                QStringLiteral("BOV_Grupo_3M = :aBov3m,"),
                                QStringLiteral("BOV_Grupo_3H = :aBov3h,"),
                                QStringLiteral("BOV_Grupo_4M = :aBov4m,"),
                                QStringLiteral("BOV_Grupo_4H = :aBov4h,"),
                                QString(),
                                QStringLiteral("BUB_Grupo_1M = :aBub1m,"),
                                QStringLiteral("BUB_Grupo_1H = :aBub1h,"),
                                QStringLiteral("BUB_Grupo_2M = :aBub2m,"),
                                QStringLiteral("BUB_Grupo_2H = :aBub2h,"),
                                QStringLiteral("BUB_Grupo_3M = :aBub3m,"),
                                QStringLiteral("BUB_Grupo_3H = :aBub3h,"),
                                QStringLiteral("BUB_Grupo_4M = :aBub4m,"),
                                QStringLiteral("BUB_Grupo_4H = :aBub4h,"),
                                QString(),
                                QStringLiteral("Prop_Carnet      = :rCarne,"),
                                QStringLiteral("Prop_Paterno    = :rPater,"),
                                QStringLiteral("Prop_Materno     = :rMater,"),
                                QStringLiteral("Prop_Nombres     = :rNombr,"),
                                QStringLiteral("Prop_Responsable = :rRespo,"),
                                QStringLiteral("Comp_Nombre    = :rReNom,"),
                                QStringLiteral("Comp_Direccion = :rReDir,"),
                                QString(),
                                QStringLiteral("Registro_Por = :yDueno,"),
                                QStringLiteral("Registro_Fecha = :yActua,"),
                                QStringLiteral("Nro_Acta_Vacunacion=:nAV,"),
                                QStringLiteral("Registro_Sincronizado   = 0"),
                                QStringLiteral("WHERE IdCiclo      = :ElCiclo"),
                                QStringLiteral("AND CertificadoNro = :ElCerti")};
    Consulta qEdita = ParametrosComunes(sentencia);
    qEdita.Texto(QStringLiteral("yDueno"), UsuarioBase, 15);
    qEdita.FechaHora(QStringLiteral("yActua"), QDateTime(QDate::currentDate(), QTime(0, 0)));
    qEdita.Texto(QStringLiteral("ElCiclo"), cicloAnterior, 3);
    qEdita.Entero(QStringLiteral("ElCerti"), numeroAnterior);
    qEdita.Ejecuta();
}

QString TfVacunaA_New::FallaEdicion(const ErrorTarvelion& e) const {
    return QStringLiteral("No se ha podido guardar el registro !\n") + e.Texto();
}

QString TfVacunaA_New::Ciclo() const {
    return cbCiclo->currentText();
}

QString TfVacunaA_New::Numero() const {
    return eNro->text();
}

QString TfVacunaA_New::Predio() const {
    return ePredio->text();
}
