// Stock statements.
#include "guides/Existencias.h"

#include "common/Utilidades.h"
#include "db/Consulta.h"

#include <numeric>

namespace {

const char* const kAlias[] = {"grupo1M", "grupo1H", "grupo2M", "grupo2H",
                              "grupo3M", "grupo3H", "grupo4M", "grupo4H"};

void Lee(Consulta& q, ConteoGrupos& conteo) {
    for (size_t i = 0; i < conteo.size(); ++i)
        conteo[i] = int(q.EnteroCampo(QLatin1String(kAlias[i])));
}

void Parametros(Consulta& q, const CertificadoExistencias& c) {
    q.Entero(QStringLiteral("ElCer"), TextoAEntero(c.certificado));
    q.Texto(QStringLiteral("ElCic"), c.ciclo, 3);
}

} // namespace

QStringList LineasVacunados(bool bufalos, bool bloquea) {
    const QString e = bufalos ? QStringLiteral("BUB") : QStringLiteral("BOV");
    return {QStringLiteral("SELECT"),
            QStringLiteral("       ISNULL(%1_Grupo_1M,0) AS grupo1M,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_1H,0) AS grupo1H,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_2M,0) AS grupo2M,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_2H,0) AS grupo2H,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_3M,0) AS grupo3M,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_3H,0) AS grupo3H,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_4M,0) AS grupo4M,").arg(e),
            QStringLiteral("       ISNULL(%1_Grupo_4H,0) AS grupo4H").arg(e),
            bloquea ? QStringLiteral("FROM Ciclos WITH (UPDLOCK, HOLDLOCK)")
                    : QStringLiteral("FROM Ciclos"),
            QStringLiteral("WHERE CertificadoNro = :ElCer"),
            QStringLiteral("AND IdCiclo = :ElCic")};
}

QStringList LineasMovidos(bool ingresos, bool excluyeGuia) {
    QStringList l{QStringLiteral("SELECT ISNULL(SUM(Grupo_1M),0)  AS grupo1M,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_1H),0) AS grupo1H,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_2M),0)  AS grupo2M,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_2H),0)  AS grupo2H,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_3M),0)     AS grupo3M,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_3H),0)     AS grupo3H,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_4M),0)    AS grupo4M,"),
                  QStringLiteral("       ISNULL(SUM(Grupo_4H),0)   AS grupo4H"),
                  QStringLiteral("FROM Guias")};
    const QString lado = ingresos ? QStringLiteral("Des") : QStringLiteral("Ori");
    l << QStringLiteral("WHERE %1_Certificado = :ElCer").arg(lado)
      << QStringLiteral("AND %1_Ciclo = :ElCic").arg(lado)
      << QStringLiteral("AND Especie = :LaEspecie");
    if (excluyeGuia)
        l << QStringLiteral("AND NOT (NroGuia = :LaGuia AND Ori_IdDistrital = :LaDist)");
    return l;
}

bool LeeVacunados(const CertificadoExistencias& c, ConteoGrupos& conteo, Conexion* conexion,
                  bool bloquea) {
    conteo.fill(0);
    Consulta q(conexion);
    q.FijaSql(LineasVacunados(c.especie == QLatin1String("BUB"), bloquea));
    Parametros(q, c);
    q.Abre();
    if (q.Vacia())
        return false;
    Lee(q, conteo);
    return true;
}

void LeeMovidos(bool ingresos, const CertificadoExistencias& c, ConteoGrupos& conteo,
                Conexion* conexion) {
    Consulta q(conexion);
    q.FijaSql(LineasMovidos(ingresos, c.excluida.Hay()));
    Parametros(q, c);
    q.Texto(QStringLiteral("LaEspecie"), c.especie, 3);
    if (c.excluida.Hay()) {
        q.Entero(QStringLiteral("LaGuia"), c.excluida.nroGuia);
        q.Texto(QStringLiteral("LaDist"), c.excluida.distrital, 3);
    }
    q.Abre();
    Lee(q, conteo);
}

QString TextoSinCertificado(const CertificadoExistencias& c) {
    return QString::fromUtf8("No se encontró el certificado de vacunación %1 del ciclo %2 entre "
                             "los certificados registrados: no se puede calcular el ganado que "
                             "el predio puede movilizar.")
        .arg(c.certificado.trimmed(), c.ciclo.trimmed());
}

QString ExcesoExistencias(const CertificadoExistencias& c,
                          const std::array<std::int32_t, 10>& grupos, Conexion* conexion) {
    ConteoGrupos vacunados{}, ingresos{}, salidas{};
    if (!LeeVacunados(c, vacunados, conexion, true))
        return TextoSinCertificado(c);
    LeeMovidos(true, c, ingresos, conexion);
    LeeMovidos(false, c, salidas, conexion);
    static const char* const kGrupos[] = {"< 12", "13 - 24", "25 - 36", "> 36"};
    for (size_t f = 0; f < 8; ++f) {
        const int existen = vacunados[f] + ingresos[f] - salidas[f];
        const std::int32_t mueve = grupos[f + 2]; // group 0 plays no part
        if (mueve > existen)
            return QString::fromUtf8("No puede movilizar mas de lo que tiene!\nGrupo %1, %2: "
                                     "se quieren movilizar %3 y existen %4.")
                .arg(QLatin1String(kGrupos[f / 2]),
                     f % 2 == 0 ? QStringLiteral("machos") : QStringLiteral("hembras"))
                .arg(mueve)
                .arg(existen);
    }
    return {};
}

int Suma(const ConteoGrupos& c) {
    return std::accumulate(c.begin(), c.end(), 0);
}
