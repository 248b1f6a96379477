// The bovine and buffalo guide entry form: the applicant, origin and destination with their
// place and certificates, the vaccination data, the objectives, the transport, the
// authorisation and a comment; the counts from the stock dialog; the checks in their order and
// the save by the guide protocol. Modal; one at a time.
#pragma once

#include "guides/EntradaGuia.h"
#include "vaccination/ReceptorBusqueda.h"

#include <QPointer>
#include <array>

class QCheckBox;
class QLabel;

class TfMueveA : public EntradaGuia, public ReceptorBusqueda {
    Q_OBJECT
public:
    using Lado = ReceptorBusqueda::Lado; // the same side in both bases
    explicit TfMueveA(ConsolaDeGuias* consola, QWidget* padre = nullptr);

    // The openings of the console: a new guide of species "BOV" or "BUB", and an edit of a
    // stored guide, each in the registry's order.
    void AbreNueva(const QString& especie);
    void AbreEdicion(const DatosGuia& guia);
    // A new guide prefilled from a stored one: no number, no counts, no comment; issued today
    // at the user's department capital.
    void AbreDuplicado(const DatosGuia& guia);

    std::array<std::int32_t, 10> CantidadesGrupo{};
    std::array<std::int32_t, 8> CantidadesCategoria{};

    // Origin.
    QLineEdit* eCertificadoO;
    QToolButton* sbBuscaO;
    QLineEdit* eCicloO;
    // Destination.
    QLineEdit* eCertificadoD;
    QToolButton* sbBuscaD;
    QLineEdit* eCicloD;
    // Animals.
    QToolButton* sbEspecie;
    QLabel* stTotalBov;
    // Vaccination: the other certificates' button.
    QToolButton* SpeedButton3;

    void RefrescaControlesRubroO();
    void RefrescaControlesRubroD();
    void ReglasRubro(Lado lado) override;
    void sbBuscaOClick();
    void sbBuscaDClick();
    void sbEspecieClick();
    void SpeedButton3Click();
    void BitBtn1Click();

    // The premises search's hand-back (modes 0 and 1).
    QString RubroOrigen() const override;
    void Fija(Campo campo, const QString& valor) override;
    void RefrescaMunicipios(ReceptorBusqueda::Lado lado) override;

    // The save checks in their order: the first refusal's text, empty when all pass.
    QString Revisa() const;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    DatosGuia Datos() const;
    // The stored total shown on edit: the groups', or the categories' for the old scheme.
    static QString TotalBovino(const DatosGuia& g);
    QString distritoCargado_;
};

inline QPointer<TfMueveA> fMueveA;
