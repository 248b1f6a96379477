// The main window.
#include "app/TfPrinc.h"

#include "app/TdmDatos.h"
#include "common/Ventanas.h"

#include <QMdiArea>

TfPrinc::TfPrinc(QWidget* padre) : QMainWindow(padre), marco_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("fPrinc"));
    marco_->setBackground(QColor(128, 128, 128));
    setCentralWidget(marco_);
    Ventanas::FijaMarco(marco_);
    setWindowTitle(QStringLiteral("GRAN MORAVEL - ") + TdmDatos::TituloCompleto());
}

TfPrinc::~TfPrinc() {
    if (Ventanas::Marco() == marco_)
        Ventanas::FijaMarco(nullptr);
}
