// Guide numbering and the save statements.
#include "guides/RegistroGuia.h"

#include "common/Errores.h"
#include "common/Mensajes.h"
#include "common/Utilidades.h"
#include "db/Consulta.h"

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

// The statement's lines: one ":name," per column, NULL where the form writes a literal NULL.
QStringList LineasInsercion(FormaGuia forma) {
    const bool bovina = forma == FormaGuia::Bovina;
    QStringList l{QStringLiteral("INSERT INTO Guias VALUES"), QStringLiteral("(")};
    auto agrega = [&](const char* p) { l << QLatin1Char(':') + P(p) + QLatin1Char(','); };
    auto nulo = [&] { l << QStringLiteral("NULL,"); };
    for (const char* p : {"kNGuia", "kEspec", "kSoliN", "kSoliC"})
        agrega(p);
    bovina ? (agrega("kCertO"), agrega("kCiclO")) : (nulo(), nulo());
    for (const char* p : {"kRubrO", "kEstaO", "kPropO", "kDistO", "kProvO", "kMuniO"})
        agrega(p);
    bovina ? (agrega("kCertD"), agrega("kCiclD")) : (nulo(), nulo());
    for (const char* p : {"kRubrD", "kEstaD", "kPropD", "kDistD", "kProvD", "kMuniD"})
        agrega(p);
    for (const char* p : kCategorias)
        bovina ? agrega(p) : nulo();
    for (const char* p : kOtras)
        agrega(p);
    l << QString();
    for (const char* p : kGrupos)
        agrega(p);
    l << QString();
    for (const char* p : {"kTrans", "kMCond", "kARuta", "kADado", "kAFech", "kUsuar"})
        agrega(p);
    if (!bovina)
        l << QString();
    for (const char* p : kObjetivos)
        agrega(p);
    for (const char* p : {"kVaEnf", "kVaFec", "kVaMed", "kVaCer"})
        agrega(p);
    if (!bovina)
        l << QString();
    agrega("kComen");
    l << QStringLiteral("NULL") << QStringLiteral(")");
    return l;
}

QStringList LineasEdicion(FormaGuia forma) {
    const bool bovina = forma == FormaGuia::Bovina;
    QStringList l{QStringLiteral("UPDATE Guias"), QStringLiteral("SET"),
                  QStringLiteral("SolicitanteNombre   = :kSoliN,"),
                  QStringLiteral("SolicitanteCarnet   = :kSoliC,")};
    if (bovina)
        l << QStringLiteral("Ori_Certificado     = :kCertO,")
          << QStringLiteral("Ori_Ciclo           = :kCiclO,");
    l << QStringLiteral("Ori_Rubro           = :kRubrO,")
      << QStringLiteral("Ori_Establecimiento = :kEstaO,")
      << QStringLiteral("Ori_Propietario     = :kPropO,")
      << QStringLiteral("Ori_IdDistrital     = :kDistO,")
      << QStringLiteral("Ori_IdProvincia     = :kProvO,")
      << QStringLiteral("Ori_IdMunicipio = :kMuniO,");
    if (bovina)
        l << QStringLiteral("Des_Certificado     = :kCertD,")
          << QStringLiteral("Des_Ciclo           = :kCiclD,");
    l << QStringLiteral("Des_Rubro           = :kRubrD,")
      << QStringLiteral("Des_Establecimiento = :kEstaD,")
      << QStringLiteral("Des_Propietario     = :kPropD,")
      << QStringLiteral("Des_IdDistrital     = :kDistD,")
      << QStringLiteral("Des_Idprovincia     = :kProvD,")
      << QStringLiteral("Des_IdMunicipio     = :kMuniD,") << QString();
    const char* const categorias[] = {"BOV_Terneros", "BOV_Vaquillas", "BOV_Torillos",
                                      "BOV_Novillos", "BOV_Vacas",     "BOV_Toros",
                                      "BOV_Bueyes",   "BOV_Bufalos"};
    if (bovina)
        for (int i = 0; i < 8; ++i)
            l << QStringLiteral("%1 = :%2,").arg(P(categorias[i]), P(kCategorias[i]));
    const char* const otras[] = {"OTR_Porcinos",  "OTR_Caprinos", "OTR_Ovinos", "OTR_Equinos",
                                 "OTR_Camelidos", "OTR_Aves",     "OTR_Huevos"};
    for (int i = 0; i < 7; ++i)
        l << QStringLiteral("%1 = :%2,").arg(P(otras[i]), P(kOtras[i]));
    l << QString();
    const char* const grupos[] = {"Grupo_0M", "Grupo_0H", "Grupo_1M", "Grupo_1H", "Grupo_2M",
                                  "Grupo_2H", "Grupo_3M", "Grupo_3H", "Grupo_4M", "Grupo_4H"};
    for (int i = 0; i < 10; ++i)
        l << QStringLiteral("%1 = :%2,").arg(P(grupos[i]), P(kGrupos[i]));
    l << QString() << QStringLiteral("Medio_Transporte    = :kTrans,")
      << QStringLiteral("Medio_Conductor     = :kMCond,")
      << QStringLiteral("Autoriza_Ruta       = :kARuta,")
      << QStringLiteral("Autoriza_DadoEn     = :kADado,")
      << QStringLiteral("Autoriza_Fecha      = :kAFech,")
      << QStringLiteral("Autoriza_Funcionario= :kUsuar,");
    const char* const objetivos[] = {
        "Objetivo_Cria",  "Objetivo_Engorde", "Objetivo_Reproduccion", "Objetivo_Exposicion",
        "Objetivo_Feria", "Objetivo_Faena",   "Objetivo_Incubacion",   "Objetivo_Transito"};
    for (int i = 0; i < 8; ++i)
        l << QStringLiteral("%1 = :%2,").arg(P(objetivos[i]), P(kObjetivos[i]));
    l << QStringLiteral("Vacuna_Enfermedad       = :kVaEnf,")
      << QStringLiteral("Vacuna_Fecha            = :kVaFec,")
      << QStringLiteral("Vacuna_Medico           = :kVaMed,")
      << QStringLiteral("Vacuna_Certificados     = :kVaCer,")
      << QStringLiteral("Comentarios = :kComen") << QStringLiteral("WHERE NroGuia        = :LaGuia")
      << QStringLiteral("AND Ori_IdDistrital = :LaDist");
    return l;
}

// Every parameter of the statements from the guide's values, as the column table says.
void FijaParametros(Consulta& q, FormaGuia forma, const DatosGuia& g) {
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

std::int32_t NuevoNumeroGuia(const QString& distrital) {
    Consulta qContarGuias({QStringLiteral("SELECT MAX(NroGuia) AS Total"),
                           QStringLiteral("FROM Guias"),
                           QStringLiteral("WHERE Ori_IdDistrital = :xDado")});
    qContarGuias.Texto(QStringLiteral("xDado"), distrital, 3);
    qContarGuias.Abre();
    return std::int32_t(qContarGuias.EnteroCampo(QStringLiteral("Total")) + 1);
}

void InsertaGuia(FormaGuia forma, const DatosGuia& guia) {
    Consulta q;
    q.FijaSql(LineasInsercion(forma));
    FijaParametros(q, forma, guia);
    q.Ejecuta();
}

void EditaGuia(FormaGuia forma, const DatosGuia& guia, std::int32_t laGuia, const QString& laDist) {
    Consulta q;
    q.FijaSql(LineasEdicion(forma));
    FijaParametros(q, forma, guia);
    q.Entero(QStringLiteral("LaGuia"), laGuia);
    q.Texto(QStringLiteral("LaDist"), laDist, 3);
    q.Ejecuta();
}

bool GuardarGuia(FormaGuia forma, bool nueva, DatosGuia& guia, const QString& distritoCargado,
                 ConsolaDeGuias* consola) {
    const bool bovina = forma == FormaGuia::Bovina;
    try {
        if (nueva) {
            guia.nroGuia = NuevoNumeroGuia(guia.oriIdDistrital);
            InsertaGuia(forma, guia);
        } else {
            EditaGuia(forma, guia, guia.nroGuia, distritoCargado);
        }
    } catch (const ErrorBaseDatos& e) {
        if (bovina)
            MuestraError(QStringLiteral("No se ha podido guardar el registro !\n") + e.Texto());
        else
            MuestraError(nueva ? QStringLiteral("No se ha podido insertar el registro !")
                               : QStringLiteral("No se ha podido guardar el registro !"));
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
