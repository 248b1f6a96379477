// The data module and the session start.
#include "app/TdmDatos.h"

#include "app/Arranque.h"
#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TfIngreso.h"
#include "app/TfPrinc.h"
#include "app/TfUMainWU.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "db/Consulta.h"

namespace {
TdmDatos* instancia = nullptr;
}

QString DecryptIP(const QString& texto) {
    QString r;
    for (QChar c : texto.left(255)) {
        switch (c.unicode()) {
        case '3':
            r += QLatin1Char('9');
            break;
        case '4':
            r += QLatin1Char('8');
            break;
        case '5':
            r += QLatin1Char('7');
            break;
        case '7':
            r += QLatin1Char('5');
            break;
        case '8':
            r += QLatin1Char('4');
            break;
        case '9':
            r += QLatin1Char('3');
            break;
        default:
            r += c;
        }
    }
    return r;
}

QString EncryptIP(const QString& texto) {
    return DecryptIP(texto);
}

QString ConsejoCarpeta(const QString& carpetaSistema) {
    const QString c = carpetaSistema.toUpper();
    if (c == QLatin1String("C:\\MORAVEL\\TARVELION") || c == QLatin1String("C:\\MORAVEL"))
        return {};
    return QStringLiteral("Ud. ha instalado el sistema TELMARO en la carpeta ") + c +
           QStringLiteral("\n") +
           QString::fromUtf8("Aunque tecnicamente no existe ningún problema en eso, le "
                             "solicitamos trasladar todos") +
           QStringLiteral("\n") +
           QStringLiteral("estos archivos a una nueva carpeta llamada MORAVEL (de la unidad "
                          "C:)con el objetivo") +
           QStringLiteral("\n") +
           QString::fromUtf8("simple de que en un futuro podamos darle un soporte técnico "
                             "mucho más rápido.") +
           QStringLiteral("\n\n") + QString::fromUtf8("Gracias por su colaboración");
}

TdmDatos::TdmDatos(QObject* padre) : QObject(padre) {
    instancia = this;
    Conexion::FijaPrincipal(&moravel_);
    moravel_.antesDeConectar = [this] {
        MORAVELBeforeConnect();
        return cadena_;
    };
    moravel_.pideCredenciales = [this](QString& u, QString& c) { return PideCredenciales(u, c); };
}

TdmDatos::~TdmDatos() {
    if (instancia == this)
        instancia = nullptr;
}

TdmDatos* TdmDatos::Instancia() {
    return instancia;
}

void TdmDatos::MORAVELBeforeConnect() {
    moravel_.pideLogin = Dialogo;
    moravel_.estacion = NombreComputadora();
    moravel_.carpetaBase = CarpetaSistema;
    // Values from the INI are quoted when needed, so a password holding ";" reaches the server
    // whole instead of cutting the string.
    const auto v = &Conexion::ValorCadena;
    cadena_ = QStringLiteral("Provider=SQLOLEDB.1;Password=") + v(Password) + QStringLiteral(";") +
              QStringLiteral("Persist Security Info=False;") + QStringLiteral("User ID=") +
              v(Usuario) + QStringLiteral(";") + QStringLiteral("Initial Catalog=") + v(BaseDatos) +
              QStringLiteral(";") + QStringLiteral("Data Source=") + v(DecryptIP(Servidor)) +
              QStringLiteral(";") + QStringLiteral("Use Procedure for Prepare=1;") +
              QStringLiteral("Auto Translate=True;") + QStringLiteral("Packet Size=4096;") +
              QStringLiteral("Workstation ID=") + NombreComputadora() + QStringLiteral(";") +
              QStringLiteral("Use Encryption for Data=False;") +
              QStringLiteral("Tag with column collation when possible=False");
}

bool TdmDatos::PideCredenciales(QString& usuario, QString& clave) {
    TfIngreso dialogo(moravel_.Nombre(), usuario);
    if (Ventanas::MuestraModal(dialogo) != QDialog::Accepted)
        return false;
    usuario = dialogo.Usuario();
    clave = dialogo.Clave();
    return true;
}

void TdmDatos::DataModuleCreate() {
    LeeConfiguracion();
    RevisarDetalles();
    LeePerfil();
    if (UsuarioBase.isEmpty()) {
        Mensajes::Muestra(QStringLiteral("Acceso del usuario"), Mensajes::Icono::Error,
                          QStringLiteral("No se encuentra ese usuario registrado\no no pertenece a "
                                         "Dadudoz Urever !\npor favor verifique"));
        Arranque::SolicitaTerminacion();
    }
    RegistraLogs(QStringLiteral("ENTRADA"));
#ifdef Q_OS_WIN
    // Only Windows has the drive C: that the advice speaks of.
    if (const QString consejo = ConsejoCarpeta(CarpetaSistema); !consejo.isEmpty())
        MuestraInformacion(consejo);
#endif
}

void TdmDatos::RevisarDetalles() {
    Consulta qRevisa({QStringLiteral("SELECT *"), QStringLiteral("FROM Actualizacion"),
                      QStringLiteral("WHERE Modulo='Tarvelion'")},
                     &moravel_);
    qRevisa.Abre();
    const QString nroVersion = qRevisa.TextoCampo(QStringLiteral("NroVersion"));
    const QString direccion = qRevisa.TextoCampo(QStringLiteral("DireccionFTP"));
    const QString novedades = qRevisa.TextoCampo(QStringLiteral("NuevasUtilidades"));
    qRevisa.Cierra();
    // Any difference counts, an older published version too.
    if (nroVersion.trimmed() != VersionModulo().trimmed())
        MuestraActualizacion(nroVersion, direccion, novedades);
}

void TdmDatos::LeePerfil() {
    Consulta qVariables(
        {QStringLiteral("SELECT SUSER_SNAME() AS UsuarioBase,"),
         QStringLiteral("       DB_NAME() AS NombreBase,"),
         QStringLiteral("       IdUsuario, Paterno, Materno, Nombres,"),
         QStringLiteral("       IdDistrital, Localidad,"),
         QStringLiteral("       IS_MEMBER('Sis_AdministraUsuarios') AS Sis_AdministraUsuarios,"),
         QStringLiteral("       IS_MEMBER('Sis_RespondeForo') AS Sis_RespondeForo,"),
         QStringLiteral("       IS_MEMBER('PSi_Lee') AS PSi_Lee,"),
         QStringLiteral("       IS_MEMBER('PSi_GMA_Escribe') AS PSi_GMA_Escribe,"),
         QStringLiteral("       IS_MEMBER('PSi_GMA_Elimina') As PSi_GMA_Elimina,"),
         QStringLiteral("       IS_MEMBER('PSi_GMA_MiraOtras') As PSi_GMA_MiraOtras,"),
         QStringLiteral("       IS_MEMBER('PSi_Ciclos_Escribe') As PSi_Ciclos_Escribe"),
         QStringLiteral("FROM Usuarios"), QStringLiteral("WHERE IdUsuario=SUSER_SNAME()")},
        &moravel_);
    qVariables.Abre();
    UsuarioBase = qVariables.TextoCampo(QStringLiteral("UsuarioBase")).toLower().trimmed();
    NombreBase = qVariables.TextoCampo(QStringLiteral("NombreBase"));
    Paterno = qVariables.TextoCampo(QStringLiteral("Paterno"));
    Materno = qVariables.TextoCampo(QStringLiteral("Materno"));
    Nombres = qVariables.TextoCampo(QStringLiteral("Nombres"));
    IdDistrital = qVariables.TextoCampo(QStringLiteral("IdDistrital"));
    Localidad = qVariables.TextoCampo(QStringLiteral("Localidad"));
    auto derecho = [&](const char* rol) {
        return qVariables.EnteroCampo(QString::fromLatin1(rol)) == 1;
    };
    Sis_AdministraUsuarios = derecho("Sis_AdministraUsuarios");
    Sis_RespondeForo = derecho("Sis_RespondeForo");
    PSi_Ciclos_Escribe = derecho("PSi_Ciclos_Escribe");
    PSi_GMA_Escribe = derecho("PSi_GMA_Escribe");
    PSi_GMA_MiraOtras = derecho("PSi_GMA_MiraOtras");
    PSi_GMA_Elimina = derecho("PSi_GMA_Elimina");
    qVariables.Cierra();
}

void TdmDatos::RegistraLogs(const QString& evento) {
    if (UsuarioBase == QLatin1String(kCuentaDesarrollador) ||
        NombreComputadora() == QLatin1String(kEquipoDesarrollador) ||
        evento != QLatin1String("ENTRADA"))
        return;
    Consulta stEntrando({QStringLiteral("EXEC LogEntrada;1")}, &moravel_);
    stEntrando.Ejecuta();
}

void TdmDatos::InsertaTablaImpresiones(const QString& xTipo, const QString& xSolicitud,
                                       const QString& xEmpresa) {
    Consulta cInserta({QStringLiteral("INSERT INTO Impresiones VALUES"), QStringLiteral("("),
                       QStringLiteral(":xIndice,"), QStringLiteral("SUSER_SNAME(),"),
                       QStringLiteral(":xTipo,"), QStringLiteral(":xSolicitud,"),
                       QStringLiteral("GETDATE(),"), QStringLiteral(":xNro,"),
                       QStringLiteral(":xEmpresa"), QStringLiteral(")")},
                      &moravel_);
    cInserta.Texto(QStringLiteral("xIndice"), CadenaAleatoria(10), 10);
    cInserta.Texto(QStringLiteral("xTipo"), xTipo, 4);
    cInserta.Texto(QStringLiteral("xSolicitud"), xSolicitud, 10);
    cInserta.Entero(QStringLiteral("xNro"), NumeroFormulario);
    cInserta.Texto(QStringLiteral("xEmpresa"), xEmpresa, 60);
    cInserta.Ejecuta();
}

int TdmDatos::qGestion() {
    Consulta q({QStringLiteral("SELECT YEAR(GETDATE()) AS anio")}, &moravel_);
    q.Abre();
    return int(q.EnteroCampo(QStringLiteral("anio")));
}

void TdmDatos::RefrescaCaptionPrincipal() {
    if (TfPrinc* principal = TfPrinc::Instancia())
        principal->setWindowTitle(QStringLiteral("GRAN MORAVEL - ") + TituloCompleto());
}

QString TdmDatos::TituloCompleto() {
    return QString::fromUtf8("TELMARO - Registro de Vacunación y Tránsito de Ganado");
}
