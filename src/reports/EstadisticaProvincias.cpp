// Totals of vaccinated bovines per province.
#include "reports/EstadisticaProvincias.h"

#include "db/Consulta.h"

#include <QHash>

const QStringList& DepartamentosEstadistica() {
    static const QStringList d{QStringLiteral("BEN"), QStringLiteral("SCZ"), QStringLiteral("CBB"),
                               QStringLiteral("PTS"), QStringLiteral("ORU"), QStringLiteral("TJA"),
                               QStringLiteral("PDO"), QStringLiteral("LPZ")};
    return d;
}

QStringList NombresProvincias(const QString& departamento) {
    // As the registry abbreviates them (SCZ writes "A.Ibañe", PTS "A.Ibáne").
    static const QHash<QString, QStringList> nombres{
        {QStringLiteral("BEN"),
         QString::fromUtf8("Cercado|Vaca Díez|J.Balliv|Yacuma|Moxos|Marbán|Mamoré|Iténez")
             .split(QLatin1Char('|'))},
        {QStringLiteral("SCZ"),
         QString::fromUtf8("A.Ibañe|Warnes|Velasco|Ichilo|Chiquit|Sara|Cordill|Vallegr|Florida|"
                           "O.Santi|Ñ.Cháve|A.Sando|M.Cabal|G.Busch|Guarayo")
             .split(QLatin1Char('|'))},
        {QStringLiteral("CBB"),
         QString::fromUtf8("Cercado|Campero|Ayopaya|E.Arce|Arani|Arque|Capinot|G.Jorda|Quillac|"
                           "Chapare|Tapacar|Carrazc|Mizque|Punata|Bolivar|Tiraque")
             .split(QLatin1Char('|'))},
        {QStringLiteral("PTS"),
         QString::fromUtf8("T.Frías|Bustill|C.Saave|Chayant|Charcas|N.Chich|A.Ibáne|S.Chich|"
                           "N.Lípez|S.Lípez|Linares|Quijarr|G.Bilba|D.Campo|M.Omist|E.Baldi")
             .split(QLatin1Char('|'))},
        {QStringLiteral("ORU"),
         QString::fromUtf8("Cercado|Avaroa|Caranga|Sajama|Litoral|Poopó|P.Dalen|L.Cabre|Atahual|"
                           "Saucari|T.Barró|S.Caran|P.Totor|S.Pagad|P.Mejil|N.Caran")
             .split(QLatin1Char('|'))},
        {QStringLiteral("TJA"),
         QString::fromUtf8("Cercado|A.Arce|Gran Chaco|Avilés|Méndez|O Connor")
             .split(QLatin1Char('|'))},
        {QStringLiteral("PDO"),
         QString::fromUtf8("N. Suárez|Manuripi|M. Dios|Abuná|Gral. Román").split(QLatin1Char('|'))},
        {QStringLiteral("LPZ"),
         QString::fromUtf8("Muril|Omasu|Pacaj|Camac|Muñec|Larec|Tamay|Ingav|Loayz|Inqui|S.Yun|"
                           "Andes|Aroma|N.Yun|Iturr|Saave|Kapac|Villa|Pando|Caran")
             .split(QLatin1Char('|'))},
    };
    return nombres.value(departamento);
}

bool CicloVigente(const QString& ciclo) {
    return ciclo.toInt() > 20;
}

QStringList LineasTotalesProvincia(const QString& ciclo) {
    if (CicloVigente(ciclo))
        return {QStringLiteral("SELECT Predio_IdProvincia as IdProvincia, SUM(BOV_Grupo_1M)+"),
                QStringLiteral("SUM(BOV_Grupo_1H)+"),
                QStringLiteral("SUM(BOV_Grupo_2M)+"),
                QStringLiteral("SUM(BOV_Grupo_2H)+"),
                QStringLiteral("SUM(BOV_Grupo_3M)+"),
                QStringLiteral("SUM(BOV_Grupo_3H)+"),
                QStringLiteral("SUM(BOV_Grupo_4M)+"),
                QStringLiteral("SUM(BOV_Grupo_4H)  AS Total"),
                QStringLiteral("FROM Ciclos"),
                QStringLiteral("WHERE IdCiclo=:ElCic AND Predio_IdDistrital=:LaDis"),
                QStringLiteral("GROUP BY Predio_IdDistrital, Predio_IdProvincia"),
                QStringLiteral("ORDER BY Predio_IdProvincia")};
    return {QStringLiteral("SELECT V.IdProvincia, SUM(V.Terneros)+"),
            QStringLiteral("                      SUM(V.Vaquillas)+"),
            QStringLiteral("                      SUM(V.Torillos)+"),
            QStringLiteral("                      SUM(V.Novillos)+"),
            QStringLiteral("                      SUM(V.Vacas)+"),
            QStringLiteral("                      SUM(V.Toros)+"),
            QStringLiteral("                      SUM(V.Bueyes)+"),
            QStringLiteral("                      SUM(V.Bufalos)  AS Total"),
            QStringLiteral("FROM Vacunaciones V"),
            QStringLiteral("WHERE V.IdCiclo = :ElCic AND V.IdDistrital = :LaDis"),
            QStringLiteral("GROUP BY V.IdDistrital, V.IdProvincia"),
            QStringLiteral("ORDER BY V.IdProvincia")};
}

std::vector<TotalProvincia> LeeTotalesProvincia(const QString& ciclo, const QString& departamento) {
    Consulta q;
    q.FijaSql(LineasTotalesProvincia(ciclo));
    q.Texto(QStringLiteral("ElCic"), ciclo, 3);
    q.Texto(QStringLiteral("LaDis"), departamento, 3);
    q.Abre();
    std::vector<TotalProvincia> totales;
    totales.reserve(size_t(q.Registros()));
    for (q.Primero(); !q.Eof(); q.Siguiente())
        totales.push_back(
            {q.TextoCampo(QStringLiteral("IdProvincia")), q.Campo(QStringLiteral("Total"))});
    return totales;
}

int FilaProvincia(const QString& idProvincia, int provincias) {
    // A fixed-width code comes back padded on the server ("1 "); the blanks are not part of it.
    bool numero = false;
    const int codigo = idProvincia.trimmed().toInt(&numero);
    return numero && codigo >= 1 && codigo <= provincias ? codigo : 0;
}
