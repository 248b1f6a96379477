// Premises search statements.
#include "vaccination/BusquedaPredios.h"

#include "common/Errores.h"
#include "db/Consulta.h"

namespace {

// A LIKE pattern around the criterion, as a quoted literal.
QString Contiene(const QString& t) {
    return LiteralSql(QLatin1Char('%') + t + QLatin1Char('%'));
}

} // namespace

TablaBusqueda TablaDeCiclo(const QString& ciclo) {
    if (ciclo == QLatin1String("20"))
        return TablaBusqueda::Legado;
    bool ok = false;
    const int n = ciclo.toInt(&ok);
    return ok && n > 20 ? TablaBusqueda::Vigente : TablaBusqueda::Ninguna;
}

QStringList LineasBusqueda(bool legado, const QString& ciclo, const QString& distrital,
                           TipoBusqueda tipo, const QString& criterio) {
    const QString t = criterio.trimmed();
    if (tipo == TipoBusqueda::Certificado) {
        bool ok = false;
        t.toInt(&ok);
        if (!ok)
            throw ErrorConversion(QString::fromUtf8("El número de certificado \"%1\" no es un "
                                                    "número entero válido.")
                                      .arg(criterio));
    }
    QStringList l;
    // Prefix of the table's columns, and the names of the owner's and premises' columns.
    const QString x = legado ? QStringLiteral("V") : QStringLiteral("C");
    const QString predio =
        legado ? QStringLiteral("V.NombreCabana") : QStringLiteral("C.Predio_Cabana");
    const QString paterno = legado ? QStringLiteral("V.Paterno") : QStringLiteral("C.Prop_Paterno");
    const QString materno = legado ? QStringLiteral("V.Materno") : QStringLiteral("C.Prop_Materno");
    const QString nombres = legado ? QStringLiteral("V.Nombres") : QStringLiteral("C.Prop_Nombres");
    if (legado) {
        l << QStringLiteral("SELECT V.IdCiclo, V.CertificadoNro, V.NombreCabana, V.CodigoCatastro, "
                            "V.Localidad,")
          << QStringLiteral("P.IdProvincia, P.NombreProvincia,")
          << QStringLiteral("M.IdMunicipio, M.NombreMunicipio,")
          << QStringLiteral("(V.Paterno+' '+ISNULL(V.Materno,'')+' '+V.Nombres) AS NombreGanadero,")
          << QStringLiteral("V.FechaVacunacion,")
          << QStringLiteral("(X.Paterno+' '+ISNULL(X.Materno,'')+' '+X.Nombres) AS NombreVacunador")
          << QStringLiteral("FROM Vacunaciones V")
          << QStringLiteral("JOIN Provincias P ON(P.IdDistrital=V.IdDistrital AND "
                            "P.IdProvincia=V.IdProvincia)")
          << QStringLiteral("JOIN Municipios M ON(M.IdDistrital=V.IdDistrital AND "
                            "M.IdProvincia=V.IdProvincia AND M.IdMunicipio=V.IdMunicipio)")
          << QStringLiteral("JOIN Veterinarios X ON(X.IdCarnet = V.IdVacunador)");
        l << QStringLiteral("WHERE V.IdCiclo = ") + LiteralSql(ciclo)
          << QStringLiteral("AND V.IdDistrital = ") + LiteralSql(distrital);
    } else {
        l << QStringLiteral("SELECT C.IdCiclo, C.CertificadoNro, C.Predio_Cabana AS NombreCabana, ")
          << QStringLiteral("C.Predio_Codigo AS CodigoCatastro, C.Predio_Juridiccion AS Localidad,")
          << QStringLiteral("P.IdProvincia, P.NombreProvincia,")
          << QStringLiteral("M.IdMunicipio, M.NombreMunicipio,")
          << QStringLiteral("(C.Prop_Paterno+' '+ISNULL(C.Prop_Materno,'')+' '+C.Prop_Nombres) AS "
                            "NombreGanadero,")
          << QStringLiteral("C.Vacu_Fecha AS FechaVacunacion,")
          << QStringLiteral("C.Vacu_Responsable AS NombreVacunador")
          << QStringLiteral("FROM Ciclos C")
          << QStringLiteral("JOIN Provincias P ON(P.IdDistrital=C.Predio_IdDistrital AND "
                            "P.IdProvincia=C.Predio_IdProvincia)")
          << QStringLiteral("JOIN Municipios M ON(M.IdDistrital=C.Predio_IdDistrital AND "
                            "M.IdProvincia=C.Predio_IdProvincia AND "
                            "M.IdMunicipio=C.Predio_IdMunicipio)");
        l << QStringLiteral("WHERE C.IdCiclo = ") + LiteralSql(ciclo)
          << QStringLiteral("AND C.Predio_IdDistrital = ") + LiteralSql(distrital);
    }
    const QString sangria = legado ? QStringLiteral("     OR ") : QStringLiteral("  OR ");
    switch (tipo) {
    case TipoBusqueda::Predio:
        l << QStringLiteral("AND ") + predio + QStringLiteral(" LIKE ") + Contiene(t)
          << QStringLiteral("ORDER BY ") + predio + QStringLiteral(", NombreGanadero");
        break;
    case TipoBusqueda::Propietario:
        l << QStringLiteral("AND (") + paterno + QStringLiteral(" LIKE ") + Contiene(t)
          << sangria + materno + QStringLiteral(" LIKE ") + Contiene(t)
          << sangria + nombres + QStringLiteral(" LIKE ") + Contiene(t) + QLatin1Char(')')
          << QStringLiteral("ORDER BY NombreGanadero");
        break;
    case TipoBusqueda::Certificado:
        l << QStringLiteral("AND %1.CertificadoNro = %2").arg(x, QString::number(t.toInt()))
          << QStringLiteral("ORDER BY NombreGanadero");
        break;
    }
    return l;
}
