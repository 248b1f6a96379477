// Guide numbering and the save statements.
#include "guides/RegistroGuia.h"

#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "db/Consulta.h"
#include "db/TransaccionEscritura.h"
#include "guides/Existencias.h"

#include <optional>

namespace {

const char* const kCategorias[] = {"kTerne", "kVaqui", "kToril", "kNovil",
                                   "kVacas", "kToros", "kBueye", "kBufal"};
const char* const kOtras[] = {"kPorci", "kCapri", "kOvino", "kEquin", "kCamel", "kkAves", "kHuevo"};
const char* const kGrupos[] = {"kGru0M", "kGru0H", "kGru1M", "kGru1H", "kGru2M",
                               "kGru2H", "kGru3M", "kGru3H", "kGru4M", "kGru4H"};
const char* const kObjetivos[] = {"kObCri", "kObEng", "kObRep", "kObExp",
                                  "kObFer", "kObFae", "kObInc", "kObTra"};

QString P(const char* nombre) {
    return QString::fromLatin1(nombre);
}

// Every parameter of the statements from the guide's values, as the column table says. The
// bovine update leaves the eight category columns as stored (a guide of the old scheme holds its
// animals there), so only the insert binds them.
void FijaParametros(Consulta& q, FormaGuia forma, const DatosGuia& g, bool insercion) {
    const bool bovina = forma == FormaGuia::Bovina;
    q.Entero(QStringLiteral("kNGuia"), g.nroGuia);
    q.Texto(QStringLiteral("kEspec"), g.especie, 3);
    q.Texto(QStringLiteral("kSoliN"), g.solicitanteNombre, 40);
    q.Texto(QStringLiteral("kSoliC"), g.solicitanteCarnet, 12);
    if (bovina) {
        // Only the certificate numbers become NULL when empty.
        q.Entero(QStringLiteral("kCertO"), TextoAEnteroONulo(g.oriCertificado));
        q.Texto(QStringLiteral("kCiclO"), g.oriCiclo, 3);
        q.Entero(QStringLiteral("kCertD"), TextoAEnteroONulo(g.desCertificado));
        q.Texto(QStringLiteral("kCiclD"), g.desCiclo, 3);
        if (insercion)
            for (size_t i = 0; i < 8; ++i)
                q.EnteroCorto(P(kCategorias[i]), g.cantidadesCategoria[i]);
    }
    q.Texto(QStringLiteral("kRubrO"), g.oriRubro, 15);
    q.Texto(QStringLiteral("kEstaO"), g.oriEstablecimiento, 50);
    q.Texto(QStringLiteral("kPropO"), g.oriPropietario, 50);
    q.Texto(QStringLiteral("kDistO"), g.oriIdDistrital, 3);
    q.Texto(QStringLiteral("kProvO"), g.oriIdProvincia, 2);
    q.Texto(QStringLiteral("kMuniO"), g.oriIdMunicipio, 2);
    q.Texto(QStringLiteral("kRubrD"), g.desRubro, 15);
    q.Texto(QStringLiteral("kEstaD"), g.desEstablecimiento, 50);
    q.Texto(QStringLiteral("kPropD"), g.desPropietario, 50);
    q.Texto(QStringLiteral("kDistD"), g.desIdDistrital, 3);
    q.Texto(QStringLiteral("kProvD"), g.desIdProvincia, 2);
    q.Texto(QStringLiteral("kMuniD"), g.desIdMunicipio, 2);
    for (const char* p : kOtras)
        q.Nulo(P(p), TipoParametro::EnteroCorto);
    for (size_t i = 0; i < 10; ++i)
        q.EnteroCorto(P(kGrupos[i]), g.cantidadesGrupo[i]);
    q.Texto(QStringLiteral("kTrans"), g.medioTransporte, 10);
    // The driver or registration: its first 30 characters.
    q.Texto(QStringLiteral("kMCond"), g.medioConductor.left(30), 30);
    q.Texto(QStringLiteral("kARuta"), g.autorizaRuta, 50);
    q.Texto(QStringLiteral("kADado"), g.autorizaDadoEn, 15);
    q.FechaHora(QStringLiteral("kAFech"), QDateTime(g.autorizaFecha, QTime(0, 0)));
    q.Texto(QStringLiteral("kUsuar"), g.funcionario, 15);
    for (size_t i = 0; i < 8; ++i) {
        // The bovine form has no hatchery objective.
        if (bovina && i == 6)
            q.Nulo(P(kObjetivos[i]), TipoParametro::Bit);
        else
            q.Bit(P(kObjetivos[i]), g.objetivos[i]);
    }
    q.Texto(QStringLiteral("kVaEnf"), g.vacunaEnfermedad, 50);
    q.Texto(QStringLiteral("kVaFec"), g.vacunaFecha, 15);
    q.Texto(QStringLiteral("kVaMed"), g.vacunaMedico, 50);
    q.Texto(QStringLiteral("kVaCer"), bovina ? g.vacunaCertificados.left(30) : g.vacunaCertificados,
            30);
    q.Texto(QStringLiteral("kComen"), g.comentarios, 50);
}

} // namespace

bool LeeGuia(std::int32_t nroGuia, const QString& distrital, DatosGuia& g) {
    Consulta q({QStringLiteral("SELECT * FROM Guias"),
                QStringLiteral("WHERE NroGuia = :LaGuia AND Ori_IdDistrital = :LaDist")});
    q.Entero(QStringLiteral("LaGuia"), nroGuia);
    q.Texto(QStringLiteral("LaDist"), distrital, 3);
    q.Abre();
    if (q.Vacia())
        return false;
    auto t = [&](const char* c) { return q.TextoCampo(QLatin1String(c)); };
    auto n = [&](const char* c) { return std::int32_t(q.EnteroCampo(QLatin1String(c))); };
    g.nroGuia = n("NroGuia");
    g.especie = t("Especie");
    g.solicitanteNombre = t("SolicitanteNombre");
    g.solicitanteCarnet = t("SolicitanteCarnet");
    g.oriCertificado = t("Ori_Certificado");
    g.oriCiclo = t("Ori_Ciclo");
    g.oriRubro = t("Ori_Rubro");
    g.oriEstablecimiento = t("Ori_Establecimiento");
    g.oriPropietario = t("Ori_Propietario");
    g.oriIdDistrital = t("Ori_IdDistrital");
    g.oriIdProvincia = t("Ori_IdProvincia");
    g.oriIdMunicipio = t("Ori_IdMunicipio");
    g.desCertificado = t("Des_Certificado");
    g.desCiclo = t("Des_Ciclo");
    g.desRubro = t("Des_Rubro");
    g.desEstablecimiento = t("Des_Establecimiento");
    g.desPropietario = t("Des_Propietario");
    g.desIdDistrital = t("Des_IdDistrital");
    g.desIdProvincia = t("Des_IdProvincia");
    g.desIdMunicipio = t("Des_IdMunicipio");
    const char* categorias[] = {"BOV_Terneros", "BOV_Vaquillas", "BOV_Torillos", "BOV_Novillos",
                                "BOV_Vacas",    "BOV_Toros",     "BOV_Bueyes",   "BOV_Bufalos"};
    for (size_t i = 0; i < 8; ++i)
        g.cantidadesCategoria[i] = n(categorias[i]);
    const char* grupos[] = {"Grupo_0M", "Grupo_0H", "Grupo_1M", "Grupo_1H", "Grupo_2M",
                            "Grupo_2H", "Grupo_3M", "Grupo_3H", "Grupo_4M", "Grupo_4H"};
    for (size_t i = 0; i < 10; ++i)
        g.cantidadesGrupo[i] = n(grupos[i]);
    g.medioTransporte = t("Medio_Transporte");
    g.medioConductor = t("Medio_Conductor");
    g.autorizaRuta = t("Autoriza_Ruta");
    g.autorizaDadoEn = t("Autoriza_DadoEn");
    g.autorizaFecha = q.FechaCampo(QStringLiteral("Autoriza_Fecha")).date();
    g.funcionario = t("Autoriza_Funcionario");
    const char* objetivos[] = {"Objetivo_Cria",       "Objetivo_Engorde", "Objetivo_Reproduccion",
                               "Objetivo_Exposicion", "Objetivo_Feria",   "Objetivo_Faena",
                               "Objetivo_Incubacion", "Objetivo_Transito"};
    for (size_t i = 0; i < 8; ++i)
        g.objetivos[i] = n(objetivos[i]) != 0;
    g.vacunaEnfermedad = t("Vacuna_Enfermedad");
    g.vacunaFecha = t("Vacuna_Fecha");
    g.vacunaMedico = t("Vacuna_Medico");
    g.vacunaCertificados = t("Vacuna_Certificados");
    g.comentarios = t("Comentarios");
    return true;
}

std::int32_t NuevoNumeroGuia(const QString& distrital, Conexion* conexion) {
    Consulta qContarGuias({QStringLiteral("SELECT MAX(NroGuia) AS Total"),
                           QStringLiteral("FROM Guias"),
                           QStringLiteral("WHERE Ori_IdDistrital = :xDado")},
                          conexion);
    qContarGuias.Texto(QStringLiteral("xDado"), distrital, 3);
    qContarGuias.Abre();
    return std::int32_t(qContarGuias.EnteroCampo(QStringLiteral("Total")) + 1);
}

void InsertaGuia(FormaGuia forma, const DatosGuia& guia, Conexion* conexion) {
    Consulta q(conexion);
    q.FijaSql(TextoInsercion(forma).split(QLatin1Char('\n')));
    FijaParametros(q, forma, guia, true);
    q.Ejecuta();
}

void EditaGuia(FormaGuia forma, const DatosGuia& guia, std::int32_t laGuia, const QString& laDist,
               Conexion* conexion) {
    Consulta q(conexion);
    q.FijaSql(TextoEdicion(forma).split(QLatin1Char('\n')));
    FijaParametros(q, forma, guia, false);
    q.Entero(QStringLiteral("LaGuia"), laGuia);
    q.Texto(QStringLiteral("LaDist"), laDist, 3);
    q.Ejecuta();
}

bool LimitadaPorExistencias(FormaGuia forma, const DatosGuia& guia) {
    return forma == FormaGuia::Bovina && guia.oriRubro == QLatin1String("Predio") &&
           !guia.oriCertificado.trimmed().isEmpty();
}

QString GrabaGuia(const GrabacionGuia& g, DatosGuia& guia, Conexion* conexion) {
    std::optional<TransaccionEscritura> transaccion;
    if (LimitadaPorExistencias(g.forma, guia)) {
        // The stock is a limit: recomputed here, with the certificate's row locked until the
        // write commits, so a second station saving from it waits and then sees this guide.
        transaccion.emplace(conexion);
        CertificadoExistencias c{guia.oriCertificado, guia.oriCiclo, guia.especie, {}};
        if (!g.nueva)
            c.excluida = {guia.nroGuia, g.distritoCargado};
        const QString exceso = ExcesoExistencias(c, guia.cantidadesGrupo, conexion);
        if (!exceso.isEmpty())
            return exceso; // the transaction rolls back: nothing written
    }
    if (g.nueva) {
        guia.nroGuia = NuevoNumeroGuia(guia.oriIdDistrital, conexion);
        InsertaGuia(g.forma, guia, conexion);
    } else {
        EditaGuia(g.forma, guia, guia.nroGuia, g.distritoCargado, conexion);
    }
    if (transaccion)
        transaccion->Confirma();
    return {};
}

bool GuardarGuia(FormaGuia forma, bool nueva, DatosGuia& guia, const QString& distritoCargado,
                 ConsolaDeGuias* consola) {
    const bool bovina = forma == FormaGuia::Bovina;
    QString rechazo;
    try {
        rechazo = GrabaGuia({forma, nueva, distritoCargado}, guia);
    } catch (const ErrorBaseDatos& e) {
        if (bovina)
            MuestraError(QStringLiteral("No se ha podido guardar el registro !\n") + e.Texto());
        else
            MuestraError(nueva ? QStringLiteral("No se ha podido insertar el registro !")
                               : QStringLiteral("No se ha podido guardar el registro !"));
        return false;
    }
    if (!rechazo.isEmpty()) {
        MuestraError(rechazo);
        return false;
    }
    if (consola) {
        if (nueva)
            consola->ReestableceControles();
        consola->Ejecuta();
        // A new other-species guide leaves the console's current row where it was.
        if (!(nueva && !bovina))
            consola->Localiza(guia.nroGuia, guia.oriIdDistrital);
    }
    return true;
}
