// Veterinarians registry.
#include "vaccination/TfVeterinarios.h"

#include "common/Editores.h"
#include "common/Vocabulario.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {
QLineEdit* Edit(QWidget* padre, const char* nombre) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QLatin1String(nombre));
    return e;
}
} // namespace

TfVeterinarios::TfVeterinarios(QWidget* padre)
    : VentanaRegistro(QStringLiteral("fVeterinarios"), QStringLiteral("Veterinarios"),
                      QStringLiteral("Lista"), padre) {
    QWidget* p = PaginaRegistro();
    DBEdit1 = Edit(p, "DBEdit1");
    DBEdit2 = Edit(p, "DBEdit2");
    DBEdit3 = Edit(p, "DBEdit3");
    DBEdit4 = Edit(p, "DBEdit4");
    // Sex and department offer their codes and accept another text, as the table does.
    DBComboBox1 = new QComboBox(p);
    DBComboBox1->setObjectName(QStringLiteral("DBComboBox1"));
    DBComboBox1->setEditable(true);
    DBComboBox1->addItems({QStringLiteral("M"), QStringLiteral("F")});
    DBComboBox3 = new QComboBox(p);
    DBComboBox3->setObjectName(QStringLiteral("DBComboBox3"));
    DBComboBox3->setEditable(true);
    DBComboBox3->addItems(Vocabulario::Distritales());
    QFormLayout* f = Formulario();
    f->addRow(QStringLiteral("Carnet Id."), DBEdit1);
    f->addRow(QStringLiteral("Paterno"), DBEdit2);
    f->addRow(QStringLiteral("Materno"), DBEdit3);
    f->addRow(QStringLiteral("Nombres"), DBEdit4);
    f->addRow(QStringLiteral("Sexo"), DBComboBox1);
    f->addRow(QStringLiteral("J. D."), DBComboBox3);

    DefColumna distrital;
    distrital.campo = QStringLiteral("IdDistrital");
    distrital.titulo = QStringLiteral("Distrital");
    distrital.negrita = true;
    distrital.fondo = QColor(255, 255, 200);
    DefColumna nombre;
    nombre.campo = QStringLiteral("Nombre");
    Lista lista{{QStringLiteral("select (Paterno+' '+ISNULL(Materno,'')+' '+Nombres) AS Nombre,"),
                 QStringLiteral("IdDistrital, IdCarnet"), QStringLiteral("from veterinarios"),
                 QStringLiteral("order by IdDistrital, Paterno, Materno, Nombres")},
                {distrital, nombre},
                QStringLiteral("IdCarnet")};
    Inicia(lista, {QStringLiteral("Veterinarios"),
                   {{QStringLiteral("IdCarnet"), DBEdit1, 12},
                    {QStringLiteral("Paterno"), DBEdit2, 25},
                    {QStringLiteral("Materno"), DBEdit3, 25},
                    {QStringLiteral("Nombres"), DBEdit4, 25},
                    {QStringLiteral("Sexo"), DBComboBox1, 1},
                    {QStringLiteral("IdDistrital"), DBComboBox3, 3}},
                   {}});
    resize(520, 420);
}
