// The registries' shared window.
#include "vaccination/VentanaRegistro.h"

#include "common/Grilla.h"
#include "common/NavegadorRegistro.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

VentanaRegistro::VentanaRegistro(const QString& nombre, const QString& titulo,
                                 const QString& tituloLista, QWidget* padre)
    : QWidget(padre) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    auto* paginaLista = new QWidget(PageControl1);
    dbLista = new Grilla(paginaLista);
    dbLista->setObjectName(QStringLiteral("qLista"));
    lTotal = new QLabel(QStringLiteral("0 registros"), paginaLista);
    lTotal->setObjectName(QStringLiteral("lTotal"));
    auto* l = new QVBoxLayout(paginaLista);
    l->addWidget(dbLista, 1);
    l->addWidget(lTotal);
    PageControl1->addTab(paginaLista, tituloLista);

    registroPagina_ = new QWidget(PageControl1);
    formulario_ = new QFormLayout();
    PageControl1->addTab(registroPagina_, QStringLiteral("Registro"));

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(4, 4, 4, 4);
    todo->addWidget(PageControl1);
    connect(PageControl1, &QTabWidget::currentChanged, this, &VentanaRegistro::PageControl1Change);
}

void VentanaRegistro::Inicia(const Lista& lista, EditorRegistro::Definicion definicion) {
    lista_ = lista;
    registro_ = new EditorRegistro(std::move(definicion), this);
    DBNavigator1 = new NavegadorRegistro(registro_, registroPagina_);
    auto* r = new QVBoxLayout(registroPagina_);
    r->addWidget(DBNavigator1);
    r->addLayout(formulario_);
    r->addStretch(1);
    dbLista->Modelo().Titula(lista_.columnas);
    connect(registro_, &EditorRegistro::TablaCambiada, this, &VentanaRegistro::RefrescaLista);
    // Creation: the first tab, the whole table open for editing, the list.
    PageControl1->setCurrentIndex(0);
    registro_->Refresca();
    RefrescaLista();
}

void VentanaRegistro::RefrescaLista() {
    Ventanas::CursorEspera espera;
    Consulta qLista;
    qLista.FijaSql(lista_.sentencia);
    qLista.AbreEn(dbLista->Modelo(), lista_.columnas);
    dbLista->AplicaColumnas();
    lTotal->setText(QStringLiteral("%1 registros").arg(dbLista->Modelo().Filas()));
}

void VentanaRegistro::PageControl1Change(int pagina) {
    // The record lands on the list's current key; with no list row it stays where it was.
    if (pagina != 1 || !registro_)
        return;
    const int fila = dbLista->FilaActual();
    if (fila >= 0)
        registro_->Localiza(dbLista->Modelo().Valor(fila, lista_.clave).toString());
}
