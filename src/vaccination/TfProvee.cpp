// Vaccine suppliers registry.
#include "vaccination/TfProvee.h"

#include "common/Utilidades.h"
#include "common/Vocabulario.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

TfProvee::TfProvee(QWidget* padre)
    : VentanaRegistro(QStringLiteral("fProvee"), QStringLiteral("Proveedores de vacunas"),
                      QStringLiteral("Listado"), padre) {
    generaClave = [] { return CadenaAleatoria(3); };
    QWidget* p = PaginaRegistro();
    auto edit = [p](const char* nombre) {
        auto* e = new QLineEdit(p);
        e->setObjectName(QLatin1String(nombre));
        return e;
    };
    DBEdit1 = edit("DBEdit1");
    DBEdit2 = edit("DBEdit2");
    DBEdit3 = edit("DBEdit3");
    DBComboBox1 = new QComboBox(p); // the department from the list only
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    DBComboBox1->addItems(Vocabulario::Distritales());
    QFormLayout* f = Formulario();
    f->addRow(QStringLiteral("Empresa veterinaria / Proveedora"), DBEdit1);
    f->addRow(QString::fromUtf8("Dirección"), DBEdit2);
    f->addRow(QString::fromUtf8("Teléfonos"), DBEdit3);
    f->addRow(QStringLiteral("Distrital"), DBComboBox1);

    DefColumna distrital;
    distrital.campo = QStringLiteral("IDDistrital");
    distrital.titulo = QStringLiteral("J. D.");
    distrital.negrita = true;
    distrital.fondo = QColor(255, 255, 200);
    DefColumna nombre;
    nombre.campo = QStringLiteral("NombreVeterinaria");
    nombre.titulo = QStringLiteral("Veterinaria");
    Lista lista{{QStringLiteral("select IdVeterinaria, IDDistrital, NombreVeterinaria"),
                 QStringLiteral("from veterinarias"),
                 QStringLiteral("order by IdDistrital, NombreVeterinaria")},
                {distrital, nombre},
                QStringLiteral("IdVeterinaria")};
    EditorRegistro::Definicion d{QStringLiteral("Veterinarias"),
                                 {{QStringLiteral("IdVeterinaria"), nullptr, 3},
                                  {QStringLiteral("NombreVeterinaria"), DBEdit1, 40},
                                  {QStringLiteral("Direccion"), DBEdit2, 50},
                                  {QStringLiteral("Telefonos"), DBEdit3, 30},
                                  {QStringLiteral("IdDistrital"), DBComboBox1, 3}},
                                 [this] { return generaClave(); }};
    Inicia(lista, std::move(d));
    resize(560, 420);
}
