// The About box: the module's title chosen by the application title, the system name, a
// description and the module's version; and the credits with the support address.
#pragma once

#include <QDialog>

class QLabel;
class QTabWidget;

class TfAcercaDe : public QDialog {
    Q_OBJECT
public:
    explicit TfAcercaDe(QWidget* padre = nullptr);

    // Title of a module of the family by its application title; empty when unknown.
    static QString TituloModulo(const QString& tituloAplicacion);

    QTabWidget* Paginas;
    QLabel* pTitulo;
    QLabel* Label15;
    QLabel* lCorreo;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
};
