// User list.
#include "services/TfUsuarios.h"

#include "common/Grilla.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"

#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

TfUsuarios::TfUsuarios(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("fUsuarios"));
    setWindowTitle(QStringLiteral("Administrador de usuarios"));
    auto* herramientas = new QFrame(this);
    herramientas->setObjectName(QStringLiteral("Panel1"));
    herramientas->setFrameShape(QFrame::StyledPanel);
    herramientas->setMinimumHeight(30);
    DBGrid1 = new Grilla(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    cuenta_ = new QLabel(StatusBar1);
    StatusBar1->addWidget(cuenta_, 1);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->setSpacing(0);
    todo->addWidget(herramientas);
    todo->addWidget(DBGrid1, 1);
    todo->addWidget(StatusBar1);
    resize(1010, 480); // every column in view
    RefrescaListaUsers();
}

void TfUsuarios::RefrescaListaUsers() {
    Ventanas::CursorEspera espera;
    DBGrid1->Modelo().Vacia();
    cuenta_->clear();
    Consulta q{QStringLiteral("SELECT (Paterno + ' '+ISNULL(Materno,'')+' '+Nombres) AS Nombre,"),
               QStringLiteral("       IdDistrital, IdUsuario, CorreoE, Telefono,"),
               QStringLiteral("       Localidad, Cargo, Servicio"), QStringLiteral("FROM Usuarios"),
               QStringLiteral("ORDER BY IdUsuario")};
    // A failing list is shown by the application's error display; the grid stays empty.
    q.AbreEn(DBGrid1->Modelo(), {Columna("IdDistrital", "J.D.", 45, Qt::AlignCenter),
                                 Columna("IdUsuario", "Login", 90), Columna("Nombre", "", 220),
                                 Columna("Localidad", "", 110), Columna("Cargo", "", 120),
                                 Columna("CorreoE", "e-mail", 160), Columna("Telefono", "", 90),
                                 Columna("Servicio", "", 110)});
    DBGrid1->AplicaColumnas();
    cuenta_->setText(QString::number(DBGrid1->Modelo().Filas()) +
                     QStringLiteral(" registros encontrados"));
}
