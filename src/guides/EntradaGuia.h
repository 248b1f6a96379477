// What both guide entry forms share: the applicant, the means of transport with its lookup,
// the authorisation (route, place, date), the comment, the guide number, the buttons and the
// save protocol with the console's refresh. Each form adds its own origin, destination,
// animals, objectives and checks.
#pragma once

#include "guides/RegistroGuia.h"
#include "guides/Transporte.h"

#include <QDialog>

class EditorFecha;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class EntradaGuia : public QDialog, public ReceptorTransporte {
    Q_OBJECT
public:
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

    // The values of a new guide: today, the driver field awaiting inspection, the user's
    // locality as place of issue.
    void IniciaNueva();
    // The common fields from a stored guide.
    void LlenaComunes(const DatosGuia& guia);
    // The transport lookup's hand-back.
    void FijaTransporte(const QString& tipo, const QString& conductor) override;

protected:
    EntradaGuia(FormaGuia forma, ConsolaDeGuias* consola, QWidget* padre);

    QGroupBox* GrupoSolicitante();
    QGroupBox* GrupoTransporte();
    QGroupBox* GrupoAutorizacion();
    QGroupBox* GrupoNumero();
    QGroupBox* GrupoComentario();

    // The common fields into the guide's values.
    void LeeComunes(DatosGuia& guia) const;
    // Saves by the guide protocol; on success shows the new number and closes the form.
    bool Guarda(DatosGuia& guia, const QString& distritoCargado);
    // A read-only field in the button-face colour, an editable one in white.
    static void SoloLectura(QLineEdit* campo, bool soloLectura);

private:
    void SpeedButton5Click();
    FormaGuia forma_;
    ConsolaDeGuias* consola_;
};
