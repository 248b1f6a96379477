// Movement history statement and report.
#include "reports/Historial.h"

#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "db/Consulta.h"

#include <memory>

QStringList LineasHistorial(const QString& certificado, const QString& ciclo) {
    bool ok = false;
    const qlonglong c = certificado.trimmed().toLongLong(&ok);
    if (!ok)
        throw ErrorConversion(
            QString::fromUtf8("El número de certificado \"%1\" no es un número entero.")
                .arg(certificado));
    const QString C = QString::number(c);
    // The cycle comes from the dialog's list; quoted with its quotes doubled all the same.
    const QString Y = LiteralSql(ciclo);
    QStringList l{QStringLiteral("SELECT G.NroGuia, Autoriza_Fecha,"),
                  QStringLiteral("G.Ori_Establecimiento, G.Ori_IdDistrital,M.NombreMunicipio AS "
                                 "NombreMunicipioO,"),
                  QStringLiteral("G.Des_Establecimiento, G.Des_IdDistrital,N.NombreMunicipio AS "
                                 "NombreMunicipioD,")};
    const bool categorias = ciclo.toInt() <= 20;
    l << (categorias ? QStringLiteral("(G.BOV_Terneros+G.BOV_Vaquillas+G.BOV_Torillos+G.BOV_"
                                      "Novillos+G.BOV_Vacas+G.BOV_Toros+G.BOV_Bueyes+G.BOV_"
                                      "Bufalos) AS BOV_Total")
                     : QStringLiteral("(G.Grupo_0M+G.Grupo_0H+G.Grupo_1M+G.Grupo_1H+G.Grupo_2M+G."
                                      "Grupo_2H+G.Grupo_3M+G.Grupo_3H+G.Grupo_4M+G.Grupo_4H) AS "
                                      "BOV_Total"));
    l << QStringLiteral("FROM Guias G")
      << QStringLiteral("JOIN Municipios M ON(M.IdMunicipio=G.Ori_IdMunicipio AND "
                        "M.IdProvincia=G.Ori_IdProvincia AND M.IdDistrital=G.Ori_IdDistrital)")
      << QStringLiteral("JOIN Municipios N ON(N.IdMunicipio=G.Des_IdMunicipio AND "
                        "N.IdProvincia=G.Des_IdProvincia AND N.IdDistrital=G.Des_IdDistrital)");
    if (categorias) {
        l << QStringLiteral("WHERE (G.Ori_Certificado=") + C +
                 QStringLiteral(" OR G.Des_Certificado=") + C + QLatin1Char(')');
    } else {
        l << QStringLiteral("WHERE G.Especie='BOV'")
          << QStringLiteral("and (G.Ori_Certificado=") + C +
                 QStringLiteral(" OR G.Des_Certificado=") + C + QLatin1Char(')');
    }
    l << QStringLiteral("AND (G.Ori_Ciclo=") + Y + QStringLiteral(" OR G.Des_Ciclo=") + Y +
             QLatin1Char(')')
      << QStringLiteral("ORDER BY G.Autoriza_Fecha");
    return l;
}

std::vector<FilaHistorial> LeeHistorial(const QString& certificado, const QString& ciclo) {
    Consulta q;
    q.FijaSql(LineasHistorial(certificado, ciclo));
    q.Abre();
    std::vector<FilaHistorial> filas;
    for (q.Primero(); !q.Eof(); q.Siguiente()) {
        auto t = [&](const char* c) { return q.TextoCampo(QLatin1String(c)); };
        filas.push_back({t("NroGuia"), q.FechaCampo(QStringLiteral("Autoriza_Fecha")).date(),
                         t("Ori_Establecimiento"), t("Ori_IdDistrital"), t("NombreMunicipioO"),
                         t("Des_Establecimiento"), t("Des_IdDistrital"), t("NombreMunicipioD"),
                         q.Campo(QStringLiteral("BOV_Total"))});
    }
    return filas;
}

namespace {

ElementoInforme Caja(double x, double y, double w, double h, const QColor& relleno) {
    ElementoInforme e;
    e.tipo = ElementoInforme::Rectangulo;
    e.mm = QRectF(x, y, w, h);
    e.relleno = relleno;
    return e;
}

const QColor kPlata(192, 192, 192);

} // namespace

Informe InformeHistorial(const CabeceraHistorial& cab, const std::vector<FilaHistorial>& filas,
                         const QString& servicio, const QDate& hoy) {
    Informe inf(QStringLiteral("REGISTRO DE MOVIMIENTO DE GANADO BOVINO [Ingresos y Egresos]"),
                QPageSize::Letter, 10.0);
    BandaInforme& titulo = inf.AgregaBanda(BandaInforme::Titulo, 34.7);
    titulo.elementos.push_back(Caja(2.1, 1.6, 190.5, 13.5, kPlata));
    auto etiqueta = [&](const char* nombre, double x, double y, double w, double pt, bool negrita,
                        const QString& texto, Qt::Alignment a = Qt::AlignLeft) {
        ElementoInforme& e = inf.AgregaEtiqueta(QLatin1String(nombre), x, y, w, pt * 0.45,
                                                Informe::Fuente(pt, negrita), a);
        e.texto = texto;
        e.opaco = false;
        return &e;
    };
    etiqueta("qrlServicio", 4.2, 4.2, 133.3, 10, true, servicio)->autoAncho = true;
    etiqueta("qrlTitulo", 4.2, 8.7, 116.9, 10, true, inf.Titulo())->autoAncho = true;
    const double xs[] = {2.1, 51.9, 100.5, 149.2};
    const double anchosCaja[] = {48.9, 47.9, 47.9, 43.4};
    const double anchosTexto[] = {46.8, 45.8, 45.8, 39.2};
    const char* captions[] = {"Establecimiento ganadero", "Ubicación", "Propietario",
                              "Vacunación contra aftosa"};
    const char* nombres[] = {"qrlPredio", "qrlUbica", "qrlPropi", "qrlCiclo"};
    const char* nombresCaption[] = {"capPredio", "capUbica", "capPropi", "capCiclo"};
    const QString textos[] = {cab.predio, cab.ubicacion, cab.propietario, cab.ciclo};
    for (int i = 0; i < 4; ++i) {
        etiqueta(nombresCaption[i], xs[i], 16.1, 48, 9, false, QString::fromUtf8(captions[i]));
        titulo.elementos.push_back(Caja(xs[i], 20.1, anchosCaja[i], 5.6, kPlata));
    }
    // The captions were added before the boxes; labels over boxes are added after them.
    for (int i = 0; i < 4; ++i)
        etiqueta(nombres[i], xs[i] + 1.1, 21.2, anchosTexto[i], 8, false, textos[i]);
    titulo.elementos.push_back(Caja(2.1, 26.5, 190.5, 6.6, kPlata));
    const double xCab[] = {4.0, 21.7, 36.2, 108.2, 182.8};
    const char* cabezas[] = {"Nro. Guía", "Fecha", "P R E D I O   D E   O R I G E N",
                             "L U G A R   D E   D E S T I N O", "Total"};
    const char* nombresCabeza[] = {"cabNroGuia", "cabFecha", "cabOrigen", "cabDestino", "cabTotal"};
    for (int i = 0; i < 5; ++i)
        etiqueta(nombresCabeza[i], xCab[i], 28.0, 70, 8, true, QString::fromUtf8(cabezas[i]))
            ->autoAncho = true;

    BandaInforme& detalle = inf.AgregaBanda(BandaInforme::Detalle, 5.3);
    struct Campo {
        const char* nombre;
        double x, w;
        Qt::Alignment a;
        bool negrita;
    };
    const Campo campos[] = {{"NroGuia", 4.0, 12.2, Qt::AlignHCenter, false},
                            {"Autoriza_Fecha", 17.2, 15.9, Qt::AlignLeft, false},
                            {"Ori_Establecimiento", 35.2, 37.3, Qt::AlignLeft, false},
                            {"Ori_IdDistrital", 73.3, 8.2, Qt::AlignLeft, false},
                            {"NombreMunicipioO", 82.5, 22.5, Qt::AlignLeft, false},
                            {"Des_Establecimiento", 108.5, 37.3, Qt::AlignLeft, false},
                            {"Des_IdDistrital", 146.6, 8.2, Qt::AlignLeft, false},
                            {"NombreMunicipioD", 155.8, 22.5, Qt::AlignLeft, false},
                            {"BOV_Total", 182.8, 8.2, Qt::AlignRight, true}};
    for (const Campo& c : campos)
        etiqueta(c.nombre, c.x, 0.5, c.w, 8, c.negrita, QString(), c.a)->ajusta = false;
    // The vertical rules over the whole detail band.
    for (double x : {2.1, 34.1, 106.9, 180.2, 192.1})
        detalle.elementos.push_back(Caja(x, 0, 0.3, 5.3, Qt::black));

    inf.FijaDetalle(int(filas.size()), [filas](int i, BandaInforme& b) {
        const FilaHistorial& f = filas[size_t(i)];
        const QString valores[] = {f.nroGuia,
                                   f.fecha.toString(QStringLiteral("dd/MM/yyyy")),
                                   f.oriEstablecimiento,
                                   f.oriDistrital,
                                   f.oriMunicipio,
                                   f.desEstablecimiento,
                                   f.desDistrital,
                                   f.desMunicipio,
                                   f.total.isNull() ? QString() : f.total.toString()};
        int k = 0;
        for (ElementoInforme& e : b.elementos)
            if (e.tipo == ElementoInforme::Etiqueta && k < 9)
                e.texto = valores[k++];
    });

    BandaInforme& resumen = inf.AgregaBanda(BandaInforme::Resumen, 10.6);
    resumen.elementos.push_back(Caja(2.1, 2.1, 190.5, 6.6, kPlata));
    etiqueta("qrlImpresion", 4.5, 3.2, 39.2, 8, true,
             QString::fromUtf8("Fecha de impresión: ") + hoy.toString(QStringLiteral("dd/MM/yyyy")))
        ->autoAncho = true;
    BandaInforme& pie = inf.AgregaBanda(BandaInforme::Pie, 10.6);
    pie.elementos.push_back(Caja(2.1, 2.1, 190.5, 0.3, Qt::black));
    etiqueta("qrlPie", 5.3, 2.4, 83.9, 8, false, TdmDatos::TituloCompleto())->autoAncho = true;
    return inf;
}
