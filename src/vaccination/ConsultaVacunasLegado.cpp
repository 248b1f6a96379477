// Legacy certificate list statement, columns, totals and coordinates.
#include "vaccination/ConsultaVacunasLegado.h"

#include "db/Consulta.h"

namespace {
const QString kSuma =
    QStringLiteral("(V.Terneros+V.Vaquillas+V.Torillos+V.Novillos+V.Vacas+V.Toros+V.Bueyes+V."
                   "Bufalos)");
const char* const kCategorias[] = {"Terneros", "Vaquillas", "Torillos", "Novillos",
                                   "Vacas",    "Toros",     "Bueyes",   "Bufalos"};
} // namespace

QStringList CategoriasTamano() {
    return {QString::fromUtf8("Pequeños (1 - 500 cabezas)"),
            QStringLiteral("Medianos (501 - 2500 cabezas)"),
            QStringLiteral("Grandes (2501 - 10000 cabezas)"),
            QString::fromUtf8("Empresas (más de 10000 cabezas)")};
}

QStringList LineasConsultaLegado(const FiltrosLegado& f) {
    QStringList l{
        QStringLiteral("SELECT V.IdCiclo, V.CertificadoNro, V.NombreCabana, V.IdPadron, "
                       "V.CodigoCatastro,"),
        QStringLiteral("V.IdDistrital, V.IdProvincia, V.IdMunicipio, V.Localidad,"),
        QStringLiteral("V.Latitud, V.Longitud,"),
        QStringLiteral("IdProveedor, V.IdVacunador, V.CantidadDosis, V.Laboratorio, V.Serie, "
                       "V.Partida,"),
        QStringLiteral("V.Procedencia, V.Expiracion, V.FechaVacunacion, V.FechaCertificacion,"),
        QStringLiteral("V.Terneros, V.Vaquillas, V.Torillos, V.Novillos, V.Vacas, V.Toros, "
                       "V.Bueyes, V.Bufalos,"),
        QStringLiteral("(V.Terneros+V.Vaquillas+V.Torillos+V.Novillos+V.Vacas+V.Toros+V.Bueyes+"
                       "V.Bufalos) AS Total,"),
        QStringLiteral("V.IdPropietario, V.Paterno, V.Materno, V.Nombres,"),
        QStringLiteral("(V.Paterno+' '+ISNULL(V.Materno,'')+' '+V.Nombres) AS NombreGanadero,"),
        QStringLiteral("V.ModificadoPor, V.FechaModificacion, P.NombreProvincia, "
                       "M.NombreMunicipio,"),
        QStringLiteral("E.NombreVeterinaria,"),
        QStringLiteral("(F.Paterno+' '+ISNULL(F.Materno,'')+' '+F.Nombres) AS NombreVeterinario"),
        QStringLiteral("FROM Vacunaciones V"),
        QStringLiteral("JOIN Provincias P ON(P.IdProvincia=V.IdProvincia AND "
                       "P.IdDistrital=V.IdDistrital)"),
        QStringLiteral("JOIN Municipios M ON(M.IdProvincia=V.IdProvincia AND "
                       "M.IdDistrital=V.IdDistrital AND M.IdMunicipio=V.IdMunicipio)"),
        QStringLiteral("JOIN Veterinarias E ON (E.IdVeterinaria=V.IdProveedor)"),
        QStringLiteral("JOIN Veterinarios F ON (F.IdCarnet=V.IdVacunador)")};
    l << QStringLiteral("WHERE V.IdCiclo=") + LiteralSql(f.ciclo.trimmed());
    l << QStringLiteral("AND V.IdDistrital=") + LiteralSql(f.distrital.trimmed());
    if (f.provincia)
        l << QStringLiteral("AND V.IdProvincia = ") + LiteralSql(*f.provincia);
    if (f.proveedor)
        l << QStringLiteral("AND V.IdProveedor = ") + LiteralSql(*f.proveedor);
    if (f.vacunador)
        l << QStringLiteral("AND V.IdVacunador = ") + LiteralSql(*f.vacunador);
    if (f.categoria) {
        switch (*f.categoria) {
        case 0:
            l << QStringLiteral("AND ") + kSuma + QStringLiteral("<=500");
            break;
        case 1:
            l << QStringLiteral("AND ") + kSuma + QStringLiteral(">500")
              << QStringLiteral("AND ") + kSuma + QStringLiteral("<=2500");
            break;
        case 2:
            l << QStringLiteral("AND ") + kSuma + QStringLiteral(">2500")
              << QStringLiteral("AND ") + kSuma + QStringLiteral("<=10000");
            break;
        default:
            l << QStringLiteral("AND ") + kSuma + QStringLiteral(">10000");
        }
    }
    l << QStringLiteral("ORDER BY V.NombreCabana");
    return l;
}

std::vector<DefColumna> ColumnasLegado() {
    std::vector<DefColumna> c;
    auto agrega = [&](const char* campo, const QString& titulo = {}, const char* formato = "") {
        DefColumna d;
        d.campo = QLatin1String(campo);
        d.titulo = titulo;
        d.formato = QLatin1String(formato);
        c.push_back(d);
    };
    agrega("IdCiclo", QStringLiteral("Ciclo"));
    agrega("CertificadoNro", QStringLiteral("Cert. Nro"));
    agrega("NombreCabana", QStringLiteral("Predio"));
    agrega("NombreGanadero", QStringLiteral("Propietario"));
    agrega("CodigoCatastro", QString::fromUtf8("Cód. Catastro"));
    agrega("IdDistrital", QStringLiteral("Distrital"));
    agrega("NombreProvincia", QStringLiteral("Provincia"));
    agrega("NombreMunicipio", QStringLiteral("Municipio"));
    agrega("Localidad");
    agrega("NombreVeterinaria", QStringLiteral("Proveedora"));
    agrega("CantidadDosis", QStringLiteral("Dosis"));
    agrega("Laboratorio");
    agrega("Serie");
    agrega("Partida");
    agrega("Procedencia");
    agrega("Expiracion", QString::fromUtf8("Expiración"));
    agrega("FechaVacunacion", QString::fromUtf8("Vacunación"), "dd/MM/yy");
    agrega("FechaCertificacion", QString::fromUtf8("Certificación"), "dd/MM/yy");
    agrega("NombreVeterinario", QStringLiteral("Veterinario responsable"));
    for (const char* categoria : kCategorias)
        agrega(categoria);
    agrega("Total");
    agrega("ModificadoPor", QStringLiteral("Modificado Por"));
    agrega("FechaModificacion", QString::fromUtf8("Fecha Modificación"), "dd/MM/yy");
    return c;
}

std::array<qint64, 9> SacaTotalesLegado(const ModeloGrilla& m) {
    std::array<qint64, 9> t{};
    if (!m.Activo())
        return t;
    for (size_t k = 0; k < 8; ++k) {
        const int campo = m.CampoPorNombre(QLatin1String(kCategorias[k]));
        for (int f = 0; f < m.Filas(); ++f)
            t[k] += m.Entero(f, campo);
        t[8] += t[k];
    }
    return t;
}

bool CoordenadaValida(const QString& t) {
    return t.isEmpty() ||
           (t.startsWith(QLatin1Char('-')) && t.size() == 9 && t[3] == QLatin1Char('.'));
}
