// Guide list statement, columns, totals and ownership.
#include "guides/ConsultaGuias.h"

#include "app/Globales.h"
#include "db/Consulta.h"

QStringList LineasConsultaGuias(const FiltrosGuias& f) {
    QStringList l{
        QStringLiteral("SELECT G.NroGuia, G.SolicitanteNombre, G.SolicitanteCarnet, G.Comentarios, "
                       "G.Especie,"),
        QStringLiteral(
            "       G.Ori_Certificado, G.Ori_Ciclo, G.Ori_Rubro, G.Ori_Establecimiento, "
            "G.Ori_Propietario, G.Ori_IdDistrital, G.Ori_IdProvincia, G.Ori_IdMunicipio,"),
        QStringLiteral(
            "       G.Des_Certificado, G.Des_Ciclo, G.Des_Rubro, G.Des_Establecimiento, "
            "G.Des_Propietario, G.Des_IdDistrital, G.Des_IdProvincia, G.Des_IdMunicipio,"),
        QStringLiteral("       G.BOV_Terneros, G.BOV_Vaquillas, G.BOV_Torillos, G.BOV_Novillos, "
                       "G.BOV_Vacas, G.BOV_Toros, G.BOV_Bueyes, G.BOV_Bufalos,"),
        QStringLiteral("       (G.BOV_Terneros+ G.BOV_Vaquillas+ G.BOV_Torillos+ G.BOV_Novillos+ "
                       "G.BOV_Vacas+ G.BOV_Toros+ G.BOV_Bueyes+ G.BOV_Bufalos) AS BOV_Total,"),
        QStringLiteral("       G.OTR_Porcinos, G.OTR_Caprinos,G.OTR_Ovinos, G.OTR_Equinos, "
                       "G.OTR_Camelidos, G.OTR_Aves, G.OTR_Huevos,"),
        QStringLiteral("       G.Medio_Transporte, G.Medio_Conductor, G.Autoriza_Ruta, "
                       "G.Autoriza_DadoEn, G.Autoriza_Fecha, G.Autoriza_Funcionario,"),
        QStringLiteral("       G.Objetivo_Cria, G.Objetivo_Engorde, G.Objetivo_Reproduccion, "
                       "G.Objetivo_Exposicion, G.Objetivo_Feria,"),
        QStringLiteral("       G.Objetivo_Faena, G.Objetivo_Incubacion, Objetivo_Transito,"),
        QStringLiteral(
            "       G.Vacuna_Enfermedad, G.Vacuna_Fecha, G.Vacuna_Medico, G.Vacuna_Certificados,"),
        QStringLiteral("       P.NombreProvincia AS Ori_NombreProvincia,"),
        QStringLiteral("       X.NombreProvincia AS Des_NombreProvincia,"),
        QStringLiteral("       M.NombreMunicipio AS Ori_NombreMunicipio,"),
        QStringLiteral("       N.NombreMunicipio AS Des_NombreMunicipio,"),
        QStringLiteral("            G.Grupo_0M, G.Grupo_0H,"),
        QStringLiteral("            G.Grupo_1M, G.Grupo_1H,"),
        QStringLiteral("            G.Grupo_2M, G.Grupo_2H,"),
        QStringLiteral("            G.Grupo_3M, G.Grupo_3H,"),
        QStringLiteral("            G.Grupo_4M, G.Grupo_4H,"),
        QStringLiteral("         (G.Grupo_0M + G.Grupo_0H + G.Grupo_1M + G.Grupo_1H + G.Grupo_2M + "
                       "G.Grupo_2H + "),
        QStringLiteral("          G.Grupo_3M + G.Grupo_3H + G.Grupo_4M + G.Grupo_4H) AS Grupo_TT,"),
        QStringLiteral("         G.NroTalonario"),
        QStringLiteral("FROM Guias G"),
        QStringLiteral("JOIN Provincias P ON(P.IdProvincia=G.Ori_Idprovincia AND "
                       "P.IdDistrital=G.Ori_IdDistrital)"),
        QStringLiteral("JOIN Provincias X ON(X.IdProvincia=G.Des_Idprovincia AND "
                       "X.IdDistrital=G.Des_IdDistrital)"),
        QStringLiteral("JOIN Municipios M ON(M.IdMunicipio=G.Ori_IdMunicipio AND "
                       "M.IdProvincia=G.Ori_IdProvincia AND M.IdDistrital=G.Ori_IdDistrital)"),
        QStringLiteral("JOIN Municipios N ON(N.IdMunicipio=G.Des_IdMunicipio AND "
                       "N.IdProvincia=G.Des_IdProvincia AND N.IdDistrital=G.Des_IdDistrital)"),
        QStringLiteral("WHERE G.NroGuia>0"),
        QStringLiteral("AND G.Autoriza_Fecha >= :Inic AND G.Autoriza_Fecha <= :Fina")};
    auto filtro = [&](const char* columna, const std::optional<QString>& valor) {
        if (valor)
            l << QStringLiteral("AND G.%1 = ").arg(QLatin1String(columna)) + LiteralSql(*valor);
    };
    filtro("Ori_Rubro", f.rubroOrigen);
    filtro("Des_Rubro", f.rubroDestino);
    filtro("Ori_IdDistrital", f.distritalOrigen.left(3));
    filtro("Ori_IdProvincia", f.provinciaOrigen);
    filtro("Ori_IdMunicipio", f.municipioOrigen);
    filtro("Des_IdDistrital",
           f.distritalDestino ? std::optional<QString>(f.distritalDestino->left(3)) : std::nullopt);
    filtro("Des_IdProvincia", f.provinciaDestino);
    filtro("Des_IdMunicipio", f.municipioDestino);
    filtro("Autoriza_Funcionario", f.funcionario);
    l << QStringLiteral("ORDER BY G.NroGuia DESC");
    return l;
}

std::vector<DefColumna> ColumnasGuias() {
    // The registry's palette: money green, info-tip yellow, yellow, sky blue.
    const QColor verde(192, 220, 192), crema(255, 255, 225), amarillo(Qt::yellow),
        celeste(166, 202, 240), blanco(Qt::white);
    std::vector<DefColumna> c;
    auto agrega = [&](const char* campo, const QString& titulo, const QColor& fondo,
                      bool centrado = false) {
        DefColumna d;
        d.campo = QString::fromLatin1(campo);
        d.titulo = titulo;
        d.fondo = fondo;
        if (centrado)
            d.alineacion = Qt::AlignHCenter;
        c.push_back(d);
    };
    agrega("NroGuia", QString::fromUtf8("Nro.Guía"), blanco);
    agrega("Especie", {}, blanco, true);
    agrega("Ori_Certificado", {}, verde);
    agrega("Ori_Ciclo", {}, verde, true);
    agrega("Ori_Rubro", {}, verde);
    agrega("Ori_Establecimiento", {}, verde);
    agrega("Ori_Propietario", {}, verde);
    agrega("Ori_IdDistrital", QStringLiteral("Ori_Distrital"), verde, true);
    agrega("Ori_NombreProvincia", QStringLiteral("Ori_Provincia"), verde);
    agrega("Ori_NombreMunicipio", QStringLiteral("Ori_Municipio"), verde);
    agrega("Des_Certificado", {}, blanco);
    agrega("Des_Rubro", {}, blanco);
    agrega("Des_Establecimiento", {}, blanco);
    agrega("Des_Propietario", {}, blanco);
    agrega("Des_IdDistrital", QStringLiteral("Des_Distrital"), blanco, true);
    agrega("Des_NombreProvincia", QStringLiteral("Des_Provincia"), blanco);
    agrega("Des_NombreMunicipio", QStringLiteral("Des_Municipio"), blanco);
    const std::pair<const char*, const char*> categorias[] = {
        {"BOV_Terneros", "Terneros"}, {"BOV_Vaquillas", "Vaquillas"}, {"BOV_Torillos", "Torillos"},
        {"BOV_Novillos", "Novillos"}, {"BOV_Vacas", "Vacas"},         {"BOV_Toros", "Toros"},
        {"BOV_Bueyes", "Bueyes"},     {"BOV_Bufalos", "Bufalos"}};
    for (auto [campo, titulo] : categorias)
        agrega(campo, QString::fromLatin1(titulo), crema);
    agrega("BOV_Total", QStringLiteral("Total"), amarillo);
    const std::pair<const char*, const char*> otras[] = {
        {"OTR_Porcinos", "Porcinos"},     {"OTR_Caprinos", "Caprinos"},   {"OTR_Ovinos", "Ovinos"},
        {"OTR_Equinos", "Equinos"},       {"OTR_Camelidos", "Camélidos"}, {"OTR_Aves", "Aves"},
        {"OTR_Huevos", "Huevos fértiles"}};
    for (auto [campo, titulo] : otras)
        agrega(campo, QString::fromUtf8(titulo), crema);
    const std::pair<const char*, const char*> grupos[] = {
        {"Grupo_0M", "< 6 (M)"},   {"Grupo_0H", "< 6 (H)"},   {"Grupo_1M", "< 12 (M)"},
        {"Grupo_1H", "< 12 (H)"},  {"Grupo_2M", "13-24 (M)"}, {"Grupo_2H", "13-24 (H)"},
        {"Grupo_3M", "25-36 (M)"}, {"Grupo_3H", "25-36 (H)"}, {"Grupo_4M", "> 36 (M)"},
        {"Grupo_4H", "> 36 (H)"}};
    for (auto [campo, titulo] : grupos)
        agrega(campo, QString::fromLatin1(titulo), crema);
    agrega("Grupo_TT", QStringLiteral("Total"), amarillo);
    agrega("Medio_Transporte", QStringLiteral("Transporte"), celeste);
    agrega("Medio_Conductor", QStringLiteral("Conductor"), celeste);
    agrega("Autoriza_DadoEn", QStringLiteral("Lugar"), blanco);
    agrega("Autoriza_Ruta", {}, blanco);
    agrega("Autoriza_Fecha", {}, blanco);
    agrega("Autoriza_Funcionario", {}, blanco);
    agrega("Vacuna_Certificados", QStringLiteral("Certificados"), blanco);
    agrega("Comentarios", {}, blanco);
    agrega("NroTalonario", {}, celeste);
    return c;
}

TotalesGuias SacarTotales(const ModeloGrilla& m) {
    TotalesGuias t;
    if (!m.Activo())
        return t;
    const int especie = m.CampoPorNombre(QStringLiteral("Especie"));
    std::array<int, 8> grupos{};
    const char* nombres[] = {"Grupo_1M", "Grupo_1H", "Grupo_2M", "Grupo_2H",
                             "Grupo_3M", "Grupo_3H", "Grupo_4M", "Grupo_4H"};
    for (size_t i = 0; i < 8; ++i)
        grupos[i] = m.CampoPorNombre(QString::fromLatin1(nombres[i]));
    for (int f = 0; f < m.Filas(); ++f) {
        const QString e = m.Valor(f, especie).toString();
        std::array<qint64, 8>* suma = e == QLatin1String("BOV")   ? &t.bov
                                      : e == QLatin1String("BUB") ? &t.bub
                                                                  : nullptr;
        if (!suma)
            continue;
        for (size_t i = 0; i < 8; ++i)
            (*suma)[i] += m.Entero(f, grupos[i]);
    }
    return t;
}

QString VerificaPropiedad(const QString& funcionario, const QString& distrital) {
    if (funcionario != UsuarioBase)
        return QString::fromUtf8("Ud. no puede efectuar esta operación porque no es el "
                                 "propietario del registro !");
    if (distrital != IdDistrital)
        return QString::fromUtf8("Ud. no puede efectuar esta operación porque el registro es de "
                                 "otra distrital !");
    return {};
}
