// Password change.
#include "services/TfContrasena.h"

#include "app/Arranque.h"
#include "app/Globales.h"
#include "common/Errores.h"
#include "common/Mensajes.h"
#include "db/Consulta.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

ReglaClave RevisaClave(const QString& usuario, const QString& nueva, const QString& confirma) {
    const QString u = usuario.toLower();
    if (u == QLatin1String("sa") || u == QLatin1String("invitado") || u == QLatin1String("guest"))
        return ReglaClave::UsuarioEspecial;
    if (nueva != confirma)
        return ReglaClave::NoCoinciden;
    if (nueva.size() <= 4)
        return ReglaClave::Corta;
    if (nueva == QLatin1String("48213"))
        return ReglaClave::Prohibida;
    return ReglaClave::Valida;
}

namespace {

// A masked field of 20 characters; what it holds is never copied out of it.
QLineEdit* Oculto(QWidget* padre, const char* nombre) {
    auto* e = new QLineEdit(padre);
    e->setObjectName(QString::fromLatin1(nombre));
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(20);
    e->setContextMenuPolicy(Qt::NoContextMenu);
    e->setMinimumWidth(170);
    return e;
}

const QColor kFondo(236, 242, 250);
const QColor kBanda(31, 78, 140);

} // namespace

TfContrasena::TfContrasena(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fContrasena"));
    setWindowTitle(QString::fromUtf8("Cambiar contraseña"));
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    Label5 = new QLabel(QString::fromUtf8("Cambiar contraseña de ingreso al sistema"), this);
    Label5->setObjectName(QStringLiteral("Label5"));
    QFont titulo = Label5->font();
    titulo.setBold(true);
    titulo.setPointSizeF(titulo.pointSizeF() + 1);
    Label5->setFont(titulo);
    Label5->setStyleSheet(QStringLiteral("color: white;"));
    Label5->setContentsMargins(4, 6, 4, 10);
    eUsuario = new QLineEdit(UsuarioBase, this);
    eUsuario->setObjectName(QStringLiteral("eUsuario"));
    eUsuario->setReadOnly(true);
    eUsuario->setFocusPolicy(Qt::NoFocus);
    eAntigua = Oculto(this, "eAntigua");
    eNueva = Oculto(this, "eNueva");
    eConfirma = Oculto(this, "eConfirma");
    bbCambia = new QPushButton(QStringLiteral("Cambiar"), this);
    bbCambia->setObjectName(QStringLiteral("bbCambia"));
    bbCambia->setDefault(true);
    bbNada = new QPushButton(QStringLiteral("Cancelar"), this);
    bbNada->setObjectName(QStringLiteral("bbNada"));
    bbNada->setAutoDefault(false);

    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Nombre de usuario:"), eUsuario);
    campos->addRow(QString::fromUtf8("Contraseña antigua:"), eAntigua);
    campos->addRow(QString::fromUtf8("Nueva contraseña:"), eNueva);
    campos->addRow(QString::fromUtf8("Confirmar contraseña:"), eConfirma);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(bbCambia);
    botones->addWidget(bbNada);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(18, 8, 18, 16);
    todo->addWidget(Label5);
    todo->addLayout(campos);
    todo->addSpacing(6);
    todo->addLayout(botones);
    setTabOrder(eAntigua, eNueva);
    setTabOrder(eNueva, eConfirma);
    setTabOrder(eConfirma, bbCambia);
    setTabOrder(bbCambia, bbNada);
    eAntigua->setFocus();
    connect(bbCambia, &QPushButton::clicked, this, &TfContrasena::bbCambiaClick);
    connect(bbNada, &QPushButton::clicked, this, &QDialog::reject);
}

void TfContrasena::paintEvent(QPaintEvent*) {
    // The box: a rounded panel with a coloured band behind the title.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF caja = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(kBanda, 2));
    p.setBrush(kFondo);
    p.drawRoundedRect(caja, 10, 10);
    QPainterPath banda;
    banda.addRoundedRect(caja, 10, 10);
    QPainterPath arriba;
    arriba.addRect(QRectF(caja.left(), caja.top(), caja.width(), Label5->geometry().bottom()));
    p.fillPath(banda.intersected(arriba), kBanda);
}

void TfContrasena::bbCambiaClick() {
    switch (RevisaClave(UsuarioBase, eNueva->text(), eConfirma->text())) {
    case ReglaClave::UsuarioEspecial:
        Mensajes::Muestra(
            QStringLiteral("Error"), Mensajes::Icono::Informacion,
            QString::fromUtf8("No se puede cambiar la contraseña a ") + UsuarioBase.toUpper() +
                QStringLiteral("\npor pertenecer a una lista de usuarios especiales"));
        reject();
        return;
    case ReglaClave::NoCoinciden:
        Mensajes::Muestra(
            QStringLiteral("Error"), Mensajes::Icono::Error,
            QString::fromUtf8("La nueva contraseña y su confirmación no coinciden..!!"));
        return;
    case ReglaClave::Corta:
        Mensajes::Muestra(
            QStringLiteral("Error"), Mensajes::Icono::Error,
            QString::fromUtf8("Su nueva contraseña al menos debe tener 5 caracteres..."));
        return;
    case ReglaClave::Prohibida:
        Mensajes::Muestra(QStringLiteral("Error"), Mensajes::Icono::Error,
                          QString::fromUtf8("48213 ya no está permitido como password!"));
        return;
    case ReglaClave::Valida:
        break;
    }
    const bool cambiada = CambiaEnServidor();
    if (ContadorFallos == 3) {
        Bloquea();
        return;
    }
    if (cambiada) {
        Mensajes::Muestra(QString::fromUtf8("Contraseña"), Mensajes::Icono::Informacion,
                          QString::fromUtf8("Nueva contraseña registrada..!!"));
        accept();
    }
}

bool TfContrasena::CambiaEnServidor() {
    try {
        Consulta cmdCambia{QStringLiteral("EXEC sp_password :xVieja,:xNueva")};
        cmdCambia.Texto(QStringLiteral("xVieja"), eAntigua->text(), 128);
        cmdCambia.Texto(QStringLiteral("xNueva"), eNueva->text(), 128);
        cmdCambia.Ejecuta();
        Consulta cNueva{QStringLiteral("UPDATE Usuarios"),
                        QStringLiteral("SET NuevoPassword = CAST(GETDATE() AS INT)+30"),
                        QStringLiteral("WHERE IdUsuario = SUSER_SNAME()")};
        cNueva.Ejecuta();
        return true;
    } catch (const ErrorTarvelion& e) {
        // A wrong old password, the server's policy or a lost connection; the server's text
        // says why; the passwords themselves are in no message.
        MuestraError(QString::fromUtf8("Error al cambiar su contraseña..!!!\n") + e.Texto() +
                     QStringLiteral("\n\npor favor verifique ..."));
        ++ContadorFallos;
        return false;
    }
}

void TfContrasena::Bloquea() {
    try {
        Consulta cBloquea{QStringLiteral("UPDATE Usuarios"), QStringLiteral("SET Bloqueada = 1"),
                          QStringLiteral("WHERE IdUsuario = SUSER_SNAME()")};
        cBloquea.Ejecuta();
    } catch (const ErrorTarvelion& e) {
        MuestraError(e.Texto());
        return;
    }
    MuestraError(QStringLiteral("Ha fallado 3 veces en cambiar su password, por tanto su\ncuenta "
                                "de usuario para acceder al sistema ha sido bloqueada !"));
    reject();
    Arranque::SolicitaTerminacion();
}
