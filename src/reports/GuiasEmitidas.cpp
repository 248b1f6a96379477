// Guides-issued report: statements, sums and layout.
#include "reports/GuiasEmitidas.h"

#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Iconos.h"
#include "db/Consulta.h"

#include <QFontMetricsF>

QStringList LineasGuiasEmitidas(VarianteGuias variante, bool origen) {
    const QString rubro = origen ? QStringLiteral("Ori_Rubro") : QStringLiteral("Des_Rubro");
    QStringList l{QStringLiteral("SELECT ") + rubro + QLatin1Char(',')};
    if (variante == VarianteGuias::Categorias) {
        l << QStringLiteral("       SUM(BOV_Terneros) AS Terneros, SUM(BOV_Vaquillas) AS "
                            "Vaquillas, SUM(BOV_Torillos) As Torillos,")
          << QStringLiteral("       SUM(BOV_Novillos) AS Novillos, SUM(BOV_Vacas) As Vacas, "
                            "SUM(BOV_Toros) AS Toros,")
          << QStringLiteral("       SUM(BOV_Bueyes) AS Bueyes, SUM(BOV_Bufalos) AS Bufalos,")
          << QStringLiteral("       SUM(BOV_Terneros)+SUM(BOV_Vaquillas)+SUM(BOV_Torillos)+SUM("
                            "BOV_Novillos)+")
          << QStringLiteral("       SUM(BOV_Vacas)+SUM(BOV_Toros)+SUM(BOV_Bueyes)+SUM(BOV_"
                            "Bufalos) As Total")
          << QStringLiteral("FROM Guias")
          << (origen ? QStringLiteral("WHERE Ori_IdDistrital = :LaDis")
                     : QStringLiteral("WHERE Des_IdDistrital = :LaDis"));
    } else {
        l << QStringLiteral("       SUM(Grupo_1M) AS Grupo1M, SUM(Grupo_1H) AS Grupo1H, "
                            "SUM(Grupo_2M) As Grupo2M,")
          << QStringLiteral("       SUM(Grupo_2H) AS Grupo2H, SUM(Grupo_3M) As Grupo3M, "
                            "SUM(Grupo_3H) AS Grupo3H,")
          << QStringLiteral("       SUM(Grupo_4M) AS Grupo4M, SUM(Grupo_4H) AS Grupo4H,")
          << QStringLiteral("       SUM(Grupo_1M)+SUM(Grupo_1H)+SUM(Grupo_2M)+SUM(Grupo_2H)+")
          << QStringLiteral("       SUM(Grupo_3M)+SUM(Grupo_3H)+SUM(Grupo_4M)+SUM(Grupo_4H) As "
                            "Total")
          << QStringLiteral("FROM Guias") << QStringLiteral("WHERE especie='BOV'")
          << (origen ? QStringLiteral("AND Ori_IdDistrital = :LaDis")
                     : QStringLiteral("AND Des_IdDistrital= :LaDis"));
    }
    l << QStringLiteral("AND Autoriza_Fecha>= :FecD AND Autoriza_Fecha <= :FecH")
      << QStringLiteral("GROUP BY ") + rubro;
    return l;
}

QChar LetraRubro(const QString& rubro) {
    static const std::pair<const char*, char> letras[] = {
        {"Predio", 'P'},  {"Feria", 'F'},    {"Remate", 'R'}, {"Embarcadero", 'E'},
        {"Potrero", 'O'}, {"Matadero", 'M'}, {"Consumo", 'C'}};
    for (const auto& [nombre, letra] : letras)
        if (rubro == QLatin1String(nombre))
            return QLatin1Char(letra);
    return {};
}

SumasRubros LeeGuiasEmitidas(VarianteGuias variante, bool origen, const QString& distrital,
                             const QDate& desde, const QDate& hasta) {
    Consulta q;
    q.FijaSql(LineasGuiasEmitidas(variante, origen));
    q.Texto(QStringLiteral("LaDis"), distrital, 3);
    q.FechaHora(QStringLiteral("FecD"), QDateTime(desde, QTime(0, 0)));
    q.FechaHora(QStringLiteral("FecH"), QDateTime(hasta, QTime(0, 0)));
    q.Abre();
    SumasRubros s;
    const QString rubro = origen ? QStringLiteral("Ori_Rubro") : QStringLiteral("Des_Rubro");
    for (q.Primero(); !q.Eof(); q.Siguiente()) {
        std::array<QVariant, 9> v;
        for (int c = 0; c < 9; ++c)
            v[size_t(c)] = q.Campo(q.Campos().at(c + 1));
        const QString nombre = q.TextoCampo(rubro);
        // The section's kinds are those of its rows; the rest go to "Otros".
        const QChar letra = LetraRubro(nombre);
        const bool tieneFila =
            !letra.isNull() && (!origen || QStringLiteral("PFREO").contains(letra));
        if (tieneFila) {
            s.porLetra[letra] = v;
        } else {
            s.nombresOtros << (nombre.isEmpty() ? QStringLiteral("sin rubro") : nombre);
            for (int c = 0; c < 9; ++c)
                if (!v[size_t(c)].isNull())
                    s.otros[size_t(c)] =
                        s.otros[size_t(c)].toLongLong() + v[size_t(c)].toLongLong();
        }
    }
    return s;
}

TextosInforme LeeTextosInforme() {
    TextosInforme t{QString::fromUtf8("SERVICIO NACIONAL DE SANIDAD ANIMAL"),
                    QString::fromUtf8("JEFATURA DISTRITAL DE SANIDAD ANIMAL"),
                    QString::fromUtf8("MINISTERIO DE DESARROLLO"),
                    QString::fromUtf8("RURAL Y AGROPECUARIO"),
                    Iconos::Emblema(120).toImage(),
                    {}};
    if (ArchivoIni.isEmpty())
        return t;
    // The program's own INI reading: a Windows path keeps its backslashes as written.
    const ArchivoConfiguracion ini(ArchivoIni);
    const QString s = QStringLiteral("INFORMES");
    t.servicio1 = ini.Texto(s, QStringLiteral("Servicio1"), t.servicio1);
    t.servicio2 = ini.Texto(s, QStringLiteral("Servicio2"), t.servicio2);
    t.ministerio1 = ini.Texto(s, QStringLiteral("Ministerio1"), t.ministerio1);
    t.ministerio2 = ini.Texto(s, QStringLiteral("Ministerio2"), t.ministerio2);
    for (auto [clave, imagen] :
         {std::pair{"LogoIzquierdo", &t.logoIzquierdo}, std::pair{"LogoDerecho", &t.logoDerecho}}) {
        const QString ruta = ini.Texto(s, QLatin1String(clave), QString());
        if (!ruta.isEmpty()) {
            QImage leida(ruta);
            if (!leida.isNull())
                *imagen = leida;
        }
    }
    return t;
}

namespace {

ElementoInforme Caja(double x, double y, double w, double h) {
    ElementoInforme e;
    e.tipo = ElementoInforme::Rectangulo;
    e.mm = QRectF(x, y, w, h);
    return e;
}

ElementoInforme Imagen(const QImage& i, double x, double y, double w, double h) {
    ElementoInforme e;
    e.tipo = ElementoInforme::Imagen;
    e.mm = QRectF(x, y, w, h);
    e.imagen = i;
    return e;
}

const double kDerechas[9] = {50.8, 66.7, 82.5, 98.4, 114.3, 130.2, 146.0, 161.9, 177.8};

} // namespace

Informe InformeGuiasEmitidas(VarianteGuias variante, const QString& etiqueta,
                             const SumasRubros& origen, const SumasRubros& destino,
                             const TextosInforme& textos) {
    Informe inf(QString::fromUtf8("Estadísticas sobre guías de movimiento bovino"), QPageSize::A4,
                10.0);
    const double ancho = 190.0; // A4 less the margins
    BandaInforme& titulo = inf.AgregaBanda(BandaInforme::Titulo, 34.7);
    if (!textos.logoIzquierdo.isNull())
        titulo.elementos.push_back(Imagen(textos.logoIzquierdo, 11.9, 0.8, 29.9, 24.1));
    if (!textos.logoDerecho.isNull())
        titulo.elementos.push_back(Imagen(textos.logoDerecho, 159.8, 1.3, 28.3, 27.0));
    auto texto = [&](const QString& nombre, double x, double y, double w, double pt, bool negrita,
                     const QString& t, Qt::Alignment a = Qt::AlignLeft) {
        ElementoInforme& e =
            inf.AgregaEtiqueta(nombre, x, y, w, pt * 0.45, Informe::Fuente(pt, negrita), a);
        e.texto = t;
        e.opaco = false;
        e.ajusta = false;
        return &e;
    };
    texto(QStringLiteral("qrlServicio1"), 0, 0.3, ancho, 12, true, textos.servicio1,
          Qt::AlignHCenter);
    texto(QStringLiteral("qrlServicio2"), 0, 5.3, ancho, 12, true, textos.servicio2,
          Qt::AlignHCenter);
    texto(QStringLiteral("qrlReporte"), 0, 10.8, ancho, 9, true,
          QString::fromUtf8("REPORTE ESTADÍSTICO SOBRE ORIGEN Y DESTINO DE GMA'S"),
          Qt::AlignHCenter);
    texto(QStringLiteral("qrlMinisterio1"), 4.5, 24.1, 60, 8.25, true, textos.ministerio1);
    texto(QStringLiteral("qrlMinisterio2"), 20.1, 27.0, 45, 8.25, true, textos.ministerio2);
    titulo.elementos.push_back(Caja(65.6, 21.4, 87.0, 9.8));
    ElementoInforme* e =
        texto(QStringLiteral("lEtiqueta"), 66.4, 22.2, 85.5, 8.25, false, etiqueta);
    e->mm.setHeight(8.2);
    e->ajusta = true;

    BandaInforme& detalle = inf.AgregaBanda(BandaInforme::Detalle, 160.0);
    const bool grupos = variante == VarianteGuias::Grupos;
    struct Seccion {
        const char* titulo;
        double cajaTitulo, cajaCabeza, total;
        QString prefijo;
        const SumasRubros* sumas;
        std::vector<std::pair<QChar, double>> filas;
        bool origen;
    };
    const Seccion secciones[] = {{"SEGÚN ORIGEN",
                                  5.0,
                                  13.5,
                                  57.1,
                                  QStringLiteral("qrl"),
                                  &origen,
                                  {{'P', 23.3}, {'F', 29.6}, {'R', 36.0}, {'E', 42.3}, {'O', 48.7}},
                                  true},
                                 {"SEGÚN DESTINO",
                                  79.1,
                                  87.6,
                                  143.9,
                                  QStringLiteral("qr"),
                                  &destino,
                                  {{'P', 97.4},
                                   {'F', 103.7},
                                   {'R', 110.1},
                                   {'E', 116.4},
                                   {'O', 122.8},
                                   {'M', 129.1},
                                   {'C', 135.5}},
                                  false}};
    const char* nombresRubro[] = {"Predio",  "Feria",    "Remate", "Embarcadero",
                                  "Potrero", "Matadero", "Consumo"};
    for (const Seccion& s : secciones) {
        detalle.elementos.push_back(Caja(6.3, s.cajaTitulo, 175.9, 7.1));
        texto(s.prefijo + QStringLiteral("Titulo"), 6.3, s.cajaTitulo + 0.6, 175.9, 14, true,
              QString::fromUtf8(s.titulo), Qt::AlignHCenter);
        detalle.elementos.push_back(Caja(6.3, s.cajaCabeza, 175.9, 7.1));
        const char* titulos[9] = {"Terneros", "Vaquillas", "Torillos", "Novillos", "Vacas",
                                  "Toros",    "Bueyes",    "Búfalos",  "Total"};
        const char* titulosGrupo[9] = {"< 12 M",  "< 12 H", "13-24 M", "13-24 H", "25-36 M",
                                       "25-36 H", "> 36 M", "> 36 H",  "Total"};
        const double xs[9] = {37.3, 52.4, 71.4, 86.5, 104.2, 121.4, 134.1, 150.3, 170.1};
        const double xsGrupo[9] = {40.0,
                                   s.origen ? 56.4 : 56.9,
                                   71.4,
                                   86.5,
                                   s.origen ? 102.9 : 104.2,
                                   s.origen ? 119.6 : 121.4,
                                   s.origen ? 134.9 : 135.2,
                                   150.3,
                                   170.1};
        for (int c = 0; c < 9; ++c)
            texto(s.prefijo + QStringLiteral("Cab%1").arg(c + 1, 2, 10, QLatin1Char('0')),
                  grupos ? xsGrupo[c] : xs[c], s.cajaCabeza + 1.3, 20, 9.75, true,
                  QString::fromUtf8(grupos ? titulosGrupo[c] : titulos[c]))
                ->autoAncho = true;
        // The kinds' rows, then TOTAL: the sum of the kinds' rows, an empty value as 0.
        std::array<qint64, 9> total{};
        for (const auto& [letra, arriba] : s.filas) {
            const int k = QStringLiteral("PFREOMC").indexOf(letra);
            texto(s.prefijo + QStringLiteral("Rubro") + letra, 8.5, arriba, 30, 9.75, false,
                  QString::fromLatin1(nombresRubro[k]));
            const auto it = s.sumas->porLetra.find(letra);
            for (int c = 0; c < 9; ++c) {
                QString valor = QStringLiteral("0");
                if (it != s.sumas->porLetra.end()) {
                    const QVariant& v = it->second[size_t(c)];
                    valor = v.isNull() ? QString() : QString::number(v.toLongLong());
                    total[size_t(c)] += v.toLongLong();
                }
                texto(s.prefijo + letra + QStringLiteral("%1").arg(c + 1, 2, 10, QLatin1Char('0')),
                      kDerechas[c] - 15, arriba, 15, 9.75, false, valor, Qt::AlignRight);
            }
        }
        detalle.elementos.push_back(Caja(6.3, s.total - 1.3, 175.9, 7.1));
        texto(s.prefijo + QStringLiteral("TotTitulo"), 8.5, s.total, 30, 9.75, true,
              QStringLiteral("TOTAL"));
        for (int c = 0; c < 9; ++c)
            texto(s.prefijo + QStringLiteral("Tot%1").arg(c + 1, 2, 10, QLatin1Char('0')),
                  kDerechas[c] - 15, s.total, 15, 9.75, true, QString::number(total[size_t(c)]),
                  Qt::AlignRight);
        // Kinds with no row of their own, on a line below the total (not in it).
        const double yOtros = s.total + 7.0;
        // The caption stays inside its column, before the first figures: in two lines of
        // smaller type when the kinds' names need them.
        const QString otros = s.sumas->nombresOtros.isEmpty()
                                  ? QStringLiteral("Otros")
                                  : QStringLiteral("Otros (") +
                                        s.sumas->nombresOtros.join(QStringLiteral(", ")) +
                                        QLatin1Char(')');
        const double anchoOtros = kDerechas[0] - 15 - 8.5 - 0.5;
        const bool cabe =
            QFontMetricsF(Informe::Fuente(8.25, false)).horizontalAdvance(otros) * 25.4 / 72.0 <=
            anchoOtros * 0.95;
        ElementoInforme* titulo = texto(s.prefijo + QStringLiteral("OtrosTitulo"), 8.5, yOtros,
                                        anchoOtros, cabe ? 8.25 : 6.0, false, otros);
        if (!cabe) {
            titulo->ajusta = true;
            titulo->mm.setHeight(6.2);
        }
        for (int c = 0; c < 9; ++c) {
            const QVariant& v = s.sumas->otros[size_t(c)];
            texto(s.prefijo + QStringLiteral("Otros%1").arg(c + 1, 2, 10, QLatin1Char('0')),
                  kDerechas[c] - 15, yOtros, 15, 8.25, false,
                  // No other kind: 0, as a kind's row without guides; others whose counts
                  // are all empty: empty, as on their rows.
                  v.isNull() && !s.sumas->nombresOtros.isEmpty() ? QString()
                                                                 : QString::number(v.toLongLong()),
                  Qt::AlignRight);
        }
    }

    // No data set: the detail band prints once, already filled.
    inf.FijaDetalle(1, [](int, BandaInforme&) {});

    BandaInforme& pie = inf.AgregaBanda(BandaInforme::Pie, 5.6);
    ElementoInforme regla = Caja(0.5, 0.5, 188.9, 0.3);
    regla.relleno = Qt::black;
    pie.elementos.push_back(regla);
    texto(QStringLiteral("qrlPie"), 4.2, 0.8, 120, 8.25, false, TdmDatos::TituloCompleto())
        ->autoAncho = true;
    return inf;
}
