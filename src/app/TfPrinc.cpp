// The main window.
#include "app/TfPrinc.h"

#include "app/TdmDatos.h"
#include "common/Ventanas.h"

#include <QMdiArea>

namespace {
TfPrinc* instancia = nullptr;
}

TfPrinc* TfPrinc::Instancia() {
    return instancia;
}

TfPrinc::TfPrinc(QWidget* padre) : QMainWindow(padre), marco_(new QMdiArea(this)) {
    instancia = this;
    setObjectName(QStringLiteral("fPrinc"));
    marco_->setBackground(QColor(128, 128, 128));
    setCentralWidget(marco_);
    Ventanas::FijaMarco(marco_);
    if (TdmDatos* datos = TdmDatos::Instancia())
        datos->RefrescaCaptionPrincipal();
}

TfPrinc::~TfPrinc() {
    if (instancia == this)
        instancia = nullptr;
    if (Ventanas::Marco() == marco_)
        Ventanas::FijaMarco(nullptr);
}
