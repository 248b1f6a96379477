// What both guide entry forms share: the applicant, the means of transport with its lookup,
// the authorisation (route, place, date), the comment, the guide number, the buttons and the
// save protocol with the console's refresh. Each form adds its own origin, destination,
// animals, objectives and checks.
#pragma once

#include "guides/RegistroGuia.h"
#include "guides/Transporte.h"
#include "vaccination/ReceptorBusqueda.h"

#include <QDialog>
#include <array>
#include <vector>

class EditorFecha;
class QCheckBox;
class QComboBox;
class QLabel;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

// What the two forms' shared parts differ in.
struct RasgosEntrada {
    QStringList rubrosOrigen;
    QStringList rubrosDestino;
    bool municipiosOrdenados = false; // the bovine form lists municipalities by name
    bool incubadora = false;          // the other-species form's eighth objective
};

class EntradaGuia : public QDialog, public ReceptorTransporte {
    Q_OBJECT
public:
    using Lado = ReceptorBusqueda::Lado;

    // 0: a new guide (or a duplicate), 1: an edit; fixed while the form is open.
    int Modo = 0;

    QLineEdit* eSolicitante;
    QLineEdit* eCarnet;
    QComboBox* cMedio; // "Camión", "Tren", "Barco", "Arreo", "Aéreo"
    QLineEdit* eConductor;
    QToolButton* SpeedButton5; // transport lookup
    QLineEdit* eRuta;
    QLineEdit* eDado;
    EditorFecha* deFecha;
    QLineEdit* eNro;
    QLineEdit* eComenta;
    QPushButton* BitBtn1; // "Guardar"
    QPushButton* BitBtn2; // "Cancelar"

    // Origin and destination: kind, place, owner and establishment.
    QComboBox* cRubroO;
    QComboBox* cDistritalO;
    QComboBox* cProvinciaO;
    QComboBox* cMunicipioO;
    QLineEdit* ePropietarioO;
    QLineEdit* ePredioO;
    QComboBox* cRubroD;
    QComboBox* cDistritalD;
    QComboBox* cProvinciaD;
    QComboBox* cMunicipioD;
    QLineEdit* ePropietarioD;
    QLineEdit* ePredioD;
    QLabel* stEspecie;
    // Objectives: Recría, Engorde, Reproducción, Exposición, Feria, Faena, Tránsito and, on the
    // other-species form only, Incubadora (null on the bovine form).
    QCheckBox* cRecri;
    QCheckBox* cEngor;
    QCheckBox* cRepro;
    QCheckBox* cExpos;
    QCheckBox* cFeria;
    QCheckBox* cFaena;
    QCheckBox* cTrans;
    QCheckBox* cIncub = nullptr;
    // Vaccination.
    QLineEdit* eEnfermedad;
    QLineEdit* eVacunacion;
    QLineEdit* eVeterinario;
    QLineEdit* eCertificados = nullptr; // each form makes its own

    // The province and municipality lists of a side, for its district and province.
    void RefrescaListaProvincias(Lado lado);
    void RefrescaListaMunicipios(Lado lado);
    // Every objective unchecked, each enabled for the destination kinds that allow it.
    void RefrescaObjetivos();
    // The route proposed on entering its field, from the two municipalities.
    void ColocaRutaAutorizada();

    // The values of a new guide: today, the driver field awaiting inspection, the user's
    // locality as place of issue.
    void IniciaNueva();
    // The transport lookup's hand-back.
    void FijaTransporte(const QString& tipo, const QString& conductor) override;

protected:
    EntradaGuia(FormaGuia forma, const RasgosEntrada& rasgos, ConsolaDeGuias* consola,
                QWidget* padre);
    bool eventFilter(QObject* objeto, QEvent* evento) override;

    QGroupBox* GrupoSolicitante();
    QGroupBox* GrupoTransporte();
    QGroupBox* GrupoAutorizacion();
    QGroupBox* GrupoNumero();
    QGroupBox* GrupoComentario();
    // A side's kind, place, owner and establishment, with the bovine form's certificate row
    // when given.
    QGroupBox* GrupoLugar(Lado lado, QLayout* certificado, const QString& etiquetaPropietario);
    QGroupBox* GrupoAnimales(QToolButton* boton, QLabel* total, const QString& etiquetaEspecie);
    QGroupBox* GrupoObjetivos();
    QGroupBox* GrupoVacuna(const QString& etiquetaCertificados, QWidget* boton);
    // The two columns, then the buttons.
    void Distribuye(const QList<QWidget*>& izquierda, const QList<QWidget*>& derecha);

    // One side's place from a stored guide, in the order the lists need: kind, district, its
    // provinces, the kind's rules (which clear the place), province, municipalities,
    // municipality, establishment and owner. A duplicate also resets the objectives after the
    // destination's rules.
    void LlenaLugar(Lado lado, const DatosGuia& guia, bool reiniciaObjetivos = false);
    // A stored guide's species and applicant.
    void LlenaSolicitante(const DatosGuia& guia);
    // A stored guide's vaccination, transport and authorisation: as stored for an edit; a
    // duplicate is issued here and today and carries no comment.
    void LlenaAutorizacion(const DatosGuia& guia, bool duplicado);
    // The form's own rules of a side's kind (the bovine form has them on both sides).
    virtual void ReglasRubro(Lado lado) = 0;
    // The sum of a guide's ten group counts, as its total shows.
    static QString TotalGrupos(const DatosGuia& guia);
    // The objective boxes in the form's order, and as the eight Objetivo_ columns.
    std::vector<QCheckBox*> Objetivos() const;
    void FijaObjetivos(const std::array<bool, 8>& objetivos);
    // The common fields (applicant, places, objectives, vaccination, transport, authorisation,
    // comment) into the guide's values.
    void LeeComunes(DatosGuia& guia) const;
    static QComboBox* Lista(QWidget* padre, const char* nombre, const QStringList& elementos = {});
    static QLabel* Visor(QWidget* padre, const char* nombre, const QString& texto);
    static void Selecciona(QComboBox* lista, const QString& clave);
    // Saves by the guide protocol; on success shows the new number and closes the form.
    bool Guarda(DatosGuia& guia, const QString& distritoCargado);
    // A read-only field in the button-face colour, an editable one in white.
    static void SoloLectura(QLineEdit* campo, bool soloLectura);

private:
    void SpeedButton5Click();
    FormaGuia forma_;
    RasgosEntrada rasgos_;
    ConsolaDeGuias* consola_;
};
