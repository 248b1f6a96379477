// The entry form of the other species' guides (hens, turkeys, ostriches, ducks, camelids, pigs,
// sheep, goats, equines): origin and destination typed by hand, free vaccination data, the
// counts from the count dialog with no stock limit, an eighth objective "Incubadora", and the
// save by the guide protocol with the other-species statements. Modal; one at a time.
#pragma once

#include "guides/EntradaGuia.h"

#include <QPointer>

class TfMueveB : public EntradaGuia {
    Q_OBJECT
public:
    explicit TfMueveB(ConsolaDeGuias* consola, QWidget* padre = nullptr);

    // The console's openings: a new guide of `especie`, and an edit of a stored guide. On edit
    // the origin district stays fixed: it is the guide's key, and another district's numbering
    // could give it a number already used there.
    void AbreNueva(const QString& especie);
    void AbreEdicion(const DatosGuia& guia);
    // A new guide prefilled from a stored one (pigs only, as the console offers it): no
    // number, no counts, no comment, no hatchery objective; issued today at the user's
    // department capital.
    void AbreDuplicado(const DatosGuia& guia);

    std::array<std::int32_t, 10> CantidadesGrupo{};

    QToolButton* sbBoton; // the species' picture; opens the count dialog
    QLabel* stTotal;

    void RefrescaControlesRubroD();
    void ReglasRubro(Lado lado) override;
    void sbBotonClick();
    void BitBtn1Click();
    // The save checks in their order: the first refusal's text, empty when all pass.
    QString Revisa() const;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    QString distritoCargado_;
};

inline QPointer<TfMueveB> fMueveB;

// The picture of a species on the count button: EQU, SUI, CAP, GAL, CAM and OVI have one; the
// other codes none (a null icon).
QIcon IconoEspecie(const QString& especie);
