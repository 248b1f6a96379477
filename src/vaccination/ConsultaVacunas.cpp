// Certificate list statement, columns and totals.
#include "vaccination/ConsultaVacunas.h"

#include "common/Vocabulario.h"
#include "db/Consulta.h"

#include <numeric>

QStringList LineasConsultaVacunas(const QString& ciclo, const QString& distrital,
                                  const std::optional<QString>& provincia) {
    QStringList l{
        QStringLiteral("SELECT C.*, P.NombreProvincia, M.NombreMunicipio,"),
        QStringLiteral("(C.Prop_Paterno+' '+ISNULL(C.Prop_Materno,'')+' '+C.Prop_Nombres) AS "
                       "Prop_Nombre"),
        QStringLiteral("FROM Ciclos C, Distritales D"),
        QStringLiteral("INNER JOIN (Provincias P INNER JOIN Municipios M ON (P.IdProvincia = "
                       "M.IdProvincia)"),
        QStringLiteral("AND (P.IdDistrital = M.IdDistrital)) ON D.IdDistrital = P.IdDistrital"),
        QStringLiteral("WHERE C.Predio_IdDistrital=D.IdDistrital"),
        QStringLiteral("AND C.Predio_IdProvincia=P.IdProvincia"),
        QStringLiteral("AND C.Predio_IdMunicipio=M.IdMunicipio")};
    l << QStringLiteral("AND C.IdCiclo=") + LiteralSql(ciclo.trimmed());
    l << QStringLiteral("AND C.Predio_IdDistrital=") + LiteralSql(distrital.trimmed());
    if (provincia)
        l << QStringLiteral("AND C.Predio_IdProvincia = ") + LiteralSql(*provincia);
    return l;
}

std::vector<DefColumna> ColumnasVacunas() {
    const QString bandas[] = {QStringLiteral("<12 (m)"),   QStringLiteral("<12 (h)"),
                              QStringLiteral("13-24 (m)"), QStringLiteral("13-24 (h)"),
                              QStringLiteral("25-36 (m)"), QStringLiteral("25-36 (h)"),
                              QStringLiteral(">36 (m)"),   QStringLiteral(">36 (h)")};
    std::vector<DefColumna> c;
    auto agrega = [&](const QString& campo, const QString& titulo, const QString& formato = {}) {
        DefColumna d;
        d.campo = campo;
        d.titulo = titulo;
        d.formato = formato;
        c.push_back(d);
    };
    // Bit columns read the same on both servers.
    const QString logico = QString::fromUtf8("Sí;No");
    agrega(QStringLiteral("IdCiclo"), QStringLiteral("Ciclo"));
    agrega(QStringLiteral("CertificadoNro"), QStringLiteral("Certificado"));
    agrega(QStringLiteral("Predio_Cabana"),
           QStringLiteral("Nombre del predio / Unidad Productiva"));
    agrega(QStringLiteral("Predio_Codigo"), QString::fromUtf8("Código U.P."));
    agrega(QStringLiteral("Predio_IdDistrital"), QStringLiteral("J.D."));
    agrega(QStringLiteral("NombreProvincia"), QStringLiteral("Provincia"));
    agrega(QStringLiteral("NombreMunicipio"), QStringLiteral("Municipio"));
    agrega(QStringLiteral("Predio_Juridiccion"), QStringLiteral("Localidad"));
    agrega(QStringLiteral("Prop_Nombre"), QStringLiteral("Nombre del propietario"));
    agrega(QStringLiteral("Vacu_Fecha"), QString::fromUtf8("Fecha vacunación"));
    agrega(QStringLiteral("Vacu_Certifica"), QString::fromUtf8("Fecha certificación"));
    agrega(QStringLiteral("Vacu_Ciclo"), QStringLiteral("Ciclo"), logico);
    agrega(QStringLiteral("Vacu_Asistida"), QStringLiteral("Asistida"), logico);
    agrega(QStringLiteral("Vacu_Fiscalizada"), QStringLiteral("Fiscalizada"), logico);
    agrega(QStringLiteral("Vacu_Compulsiva"), QStringLiteral("Compulsiva"), logico);
    agrega(QStringLiteral("Vacu_Responsable"), QStringLiteral("Veterinario responsable"));
    const QStringList bov = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BOV_Grupo_"));
    const QStringList bub = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BUB_Grupo_"));
    for (int i = 0; i < 8; ++i)
        agrega(bov[i], bandas[i]);
    agrega(QStringLiteral("BOV_Total"), QStringLiteral("Total bovinos"));
    for (int i = 0; i < 8; ++i)
        agrega(bub[i], bandas[i]);
    agrega(QStringLiteral("BUB_Total"), QStringLiteral("Total bubalinos"));
    agrega(QStringLiteral("Dosis_Proveedor"), QStringLiteral("Proveedor de la vacuna"));
    agrega(QStringLiteral("Dosis_Cantidad"), QStringLiteral("Dosis"));
    agrega(QStringLiteral("Dosis_Serie"), QStringLiteral("Serie"));
    agrega(QStringLiteral("Dosis_Partida"), QStringLiteral("Partida"));
    agrega(QStringLiteral("Dosis_Expiracion"), QString::fromUtf8("Expiración"));
    agrega(QStringLiteral("Dosis_FechaCompra"), QStringLiteral("Fecha de compra"));
    agrega(QStringLiteral("Comp_Nombre"), QStringLiteral("Nombre del comprador"));
    agrega(QStringLiteral("Comp_Direccion"), QString::fromUtf8("Dirección del comprador"));
    agrega(QStringLiteral("Nro_Acta_Vacunacion"), QStringLiteral("Nro.Acta Vacunacion"));
    agrega(QStringLiteral("Registro_Sincronizado"), QStringLiteral("Sincronizado"), logico);
    return c;
}

void AgregaTotalesPorFila(ModeloGrilla& modelo) {
    for (const char* especie : {"BOV", "BUB"}) {
        std::vector<int> campos;
        for (const QString& c : Vocabulario::ColumnasGrupoCertificado(QString::fromLatin1(especie) +
                                                                      QStringLiteral("_Grupo_")))
            campos.push_back(modelo.CampoPorNombre(c));
        modelo.AgregaCampoCalculado(QString::fromLatin1(especie) + QStringLiteral("_Total"),
                                    [&](int fila) {
                                        std::int64_t suma = 0;
                                        for (int c : campos)
                                            suma += modelo.Entero(fila, c);
                                        return suma;
                                    });
    }
}

qint64 TotalesVacunas::TotalBov() const {
    return std::accumulate(bov.begin(), bov.end(), qint64(0));
}
qint64 TotalesVacunas::TotalBub() const {
    return std::accumulate(bub.begin(), bub.end(), qint64(0));
}

TotalesVacunas SacaTotales(const ModeloGrilla& modelo) {
    TotalesVacunas t;
    if (!modelo.Activo())
        return t;
    const QStringList bov = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BOV_Grupo_"));
    const QStringList bub = Vocabulario::ColumnasGrupoCertificado(QStringLiteral("BUB_Grupo_"));
    for (int i = 0; i < 8; ++i) {
        const int cb = modelo.CampoPorNombre(bov[i]), cu = modelo.CampoPorNombre(bub[i]);
        for (int f = 0; f < modelo.Filas(); ++f) {
            t.bov[size_t(i)] += modelo.Entero(f, cb);
            t.bub[size_t(i)] += modelo.Entero(f, cu);
        }
    }
    return t;
}
