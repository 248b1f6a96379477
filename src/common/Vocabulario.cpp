// The registry's vocabulary.
#include "common/Vocabulario.h"

namespace Vocabulario {

QStringList Distritales() {
    return {QStringLiteral("BEN"), QStringLiteral("CBB"), QStringLiteral("CHU"),
            QStringLiteral("LPZ"), QStringLiteral("ORU"), QStringLiteral("PDO"),
            QStringLiteral("PTS"), QStringLiteral("SCZ"), QStringLiteral("TJA")};
}

QStringList CiclosLocalizacion() {
    QStringList c;
    for (int n = 24; n >= 12; --n)
        c << QString::number(n);
    return c;
}

QString CodigoEspecie(const QString& nombreLista) {
    return nombreLista.left(3).toUpper();
}

const std::vector<Especie>& Especies() {
    static const std::vector<Especie> especies = [] {
        const struct {
            const char* lista;
            const char* impreso;
            ClaseEspecie clase;
        } filas[] = {
            {"Bovinos", "Bovinos", ClaseEspecie::Bovina},
            {"Bubalinos", "Bubalinos", ClaseEspecie::Bovina},
            {"Gallinas", "Gallinas", ClaseEspecie::Ave},
            {"Pavos", "Pavos", ClaseEspecie::Ave},
            {"Avestruces", "Avestruces", ClaseEspecie::Ave},
            {"Patos", "Pato", ClaseEspecie::Ave},
            {"Camélidos", "Camélidos", ClaseEspecie::Otra},
            {"Suinos", "Suinos", ClaseEspecie::Otra},
            {"Ovinos", "Ovinos", ClaseEspecie::Otra},
            {"Caprinos", "Caprinos", ClaseEspecie::Otra},
            {"Equidos", "Equidos", ClaseEspecie::Otra},
        };
        std::vector<Especie> v;
        for (const auto& f : filas) {
            const QString lista = QString::fromUtf8(f.lista);
            v.push_back({CodigoEspecie(lista), lista, QString::fromUtf8(f.impreso), f.clase});
        }
        return v;
    }();
    return especies;
}

const Especie* BuscaEspecie(const QString& codigo) {
    for (const Especie& e : Especies())
        if (e.codigo.compare(codigo.trimmed(), Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString EncabezadoClase(ClaseEspecie clase) {
    switch (clase) {
    case ClaseEspecie::Bovina:
        return QStringLiteral("Especie: ");
    case ClaseEspecie::Ave:
        return QStringLiteral("AVES: ");
    case ClaseEspecie::Otra:
        break;
    }
    return QStringLiteral("OTRAS ESPECIES: ");
}

QStringList ColumnasGrupo() {
    QStringList c;
    for (int n = 0; n <= 4; ++n)
        c << QStringLiteral("Grupo_%1M").arg(n) << QStringLiteral("Grupo_%1H").arg(n);
    return c;
}

QStringList ColumnasGrupoCertificado(const QString& prefijo) {
    QStringList c;
    for (int n = 1; n <= 4; ++n)
        c << prefijo + QStringLiteral("%1M").arg(n) << prefijo + QStringLiteral("%1H").arg(n);
    return c;
}

QString TextoGrupo(ClaseEspecie clase, int grupo, QChar sexo) {
    const QString s = QStringLiteral(" ") + sexo + QLatin1Char(' ');
    switch (grupo) {
    case 0:
        return clase == ClaseEspecie::Bovina ? QString() : s + QStringLiteral("< 6 meses");
    case 1:
        return s + (clase == ClaseEspecie::Bovina ? QStringLiteral("< 12 meses")
                                                  : QStringLiteral("7 - 12 meses"));
    case 2:
        return s + QStringLiteral("13 - 24 meses");
    case 3:
        return s + QStringLiteral("25 - 36 meses");
    case 4:
        return s + QStringLiteral("> 36 meses");
    default:
        return {};
    }
}

QStringList CategoriasBovinas() {
    return {QStringLiteral("Terneros"), QStringLiteral("Vaquillas"), QStringLiteral("Torillos"),
            QStringLiteral("Novillos"), QStringLiteral("Vacas"),     QStringLiteral("Toros"),
            QStringLiteral("Bueyes"),   QStringLiteral("Bufalos")};
}

QStringList CategoriasOtrasEspecies() {
    return {QStringLiteral("OTR_Porcinos"),  QStringLiteral("OTR_Caprinos"),
            QStringLiteral("OTR_Ovinos"),    QStringLiteral("OTR_Equinos"),
            QStringLiteral("OTR_Camelidos"), QStringLiteral("OTR_Aves"),
            QStringLiteral("OTR_Huevos")};
}

QStringList Rubros() {
    return {
        QStringLiteral("Predio"),      QStringLiteral("Feria"),   QStringLiteral("Remate"),
        QStringLiteral("Embarcadero"), QStringLiteral("Potrero"), QStringLiteral("Incubadora"),
        QStringLiteral("Matadero"),    QStringLiteral("Consumo"), QString::fromUtf8("Importación")};
}

QStringList RubrosOrigen() {
    QStringList r = Rubros();
    r.removeAll(QStringLiteral("Matadero"));
    r.removeAll(QStringLiteral("Consumo"));
    return r;
}

QStringList RubrosDestino() {
    QStringList r = Rubros();
    r.removeAll(QString::fromUtf8("Importación"));
    return r;
}

const std::vector<Objetivo>& Objetivos() {
    static const std::vector<Objetivo> objetivos{
        {QStringLiteral("Objetivo_Cria"), QString::fromUtf8("Recría")},
        {QStringLiteral("Objetivo_Engorde"), QStringLiteral("Engorde")},
        {QStringLiteral("Objetivo_Reproduccion"), QString::fromUtf8("Reproducción")},
        {QStringLiteral("Objetivo_Exposicion"), QString::fromUtf8("Exposición")},
        {QStringLiteral("Objetivo_Feria"), QStringLiteral("Feria, Mercado")},
        {QStringLiteral("Objetivo_Faena"), QStringLiteral("Faena")},
        {QStringLiteral("Objetivo_Transito"), QString::fromUtf8("Tránsito temporal")},
        {QStringLiteral("Objetivo_Incubacion"), QStringLiteral("Incubadora")},
    };
    return objetivos;
}

QStringList MediosTransporte() {
    return {QString::fromUtf8("Camión"), QStringLiteral("Tren"), QStringLiteral("Barco"),
            QStringLiteral("Arreo"), QString::fromUtf8("Aéreo")};
}

} // namespace Vocabulario
