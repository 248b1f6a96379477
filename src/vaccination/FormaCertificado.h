// What the two certificate entry forms share: the mode the opener sets, the Guardar and
// Cancelar buttons, and the save protocol: the form's checks in order, the first failure shown
// and nothing written; then the insert or the update under the console's old key; after a
// save the console runs its list again (and lands on the saved key after an edit), or, with no
// console open, an insert says what it added. Each form gives its checks, statements and texts.
#pragma once

#include "common/RellenoGeografia.h"

#include <QDialog>
#include <QPointer>
#include <cstdint>

class ConsolaDeCertificados;
class ErrorTarvelion;
class QPushButton;

class FormaCertificado : public QDialog {
    Q_OBJECT
public:
    // 0 = new certificate, 1 = change of the console's current row; set by the opener.
    std::uint8_t Modo = 0;
    // The console to refresh after a save and, for an edit, to read the old key from.
    void FijaConsola(ConsolaDeCertificados* consola) { consola_ = consola; }

    // The first failing check's message, empty when the form may be saved.
    virtual QString Verifica() const = 0;

    QPushButton* BitBtn1; // "Guardar"
    QPushButton* BitBtn2; // "Cancelar"

public Q_SLOTS:
    void BitBtn1Click();

protected:
    explicit FormaCertificado(QWidget* padre);
    // The province and municipality statements of the entry forms.
    static RellenoGeografia::Sentencias SentenciasGeografia();
    // The caption follows the mode: adding or changing a certificate.
    void showEvent(QShowEvent* evento) override;
    ConsolaDeCertificados* Consola() const { return consola_; }

    // The certificate as the form holds it: its key and its premises.
    virtual QString Ciclo() const = 0;
    virtual QString Numero() const = 0;
    virtual QString Predio() const = 0;
    // The statements; they raise the database's error.
    virtual void Inserta() = 0;
    virtual void Edita(const QString& cicloAnterior, const QVariant& numeroAnterior) = 0;
    // The message of a refused insert or update.
    virtual QString FallaInsercion(const ErrorTarvelion& e) const;
    virtual QString FallaEdicion(const ErrorTarvelion& e) const = 0;

private:
    ConsolaDeCertificados* consola_ = nullptr;
};
