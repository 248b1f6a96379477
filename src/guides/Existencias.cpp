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

void Parametros(Consulta& q, const QString& certificado, const QString& ciclo) {
    q.Entero(QStringLiteral("ElCer"), TextoAEntero(certificado));
    q.Texto(QStringLiteral("ElCic"), ciclo, 3);
}

} // namespace

QStringList LineasVacunados(bool bufalos) {
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
            QStringLiteral("FROM Ciclos"),
            QStringLiteral("WHERE CertificadoNro = :ElCer"),
            QStringLiteral("AND IdCiclo = :ElCic")};
}

QStringList LineasMovidos(bool ingresos) {
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
    return l;
}

bool LeeVacunados(const QString& certificado, const QString& ciclo, const QString& especie,
                  ConteoGrupos& conteo) {
    conteo.fill(0);
    Consulta q;
    q.FijaSql(LineasVacunados(especie == QLatin1String("BUB")));
    Parametros(q, certificado, ciclo);
    q.Abre();
    if (q.Vacia())
        return false;
    Lee(q, conteo);
    return true;
}

void LeeMovidos(bool ingresos, const QString& certificado, const QString& ciclo,
                const QString& especie, ConteoGrupos& conteo) {
    Consulta q;
    q.FijaSql(LineasMovidos(ingresos));
    Parametros(q, certificado, ciclo);
    q.Texto(QStringLiteral("LaEspecie"), especie, 3);
    q.Abre();
    Lee(q, conteo);
}

int Suma(const ConteoGrupos& c) {
    return std::accumulate(c.begin(), c.end(), 0);
}
