// Guide printing.
#include "guides/ImpresionGuia.h"

#include "app/Configuracion.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/Utilidades.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Consulta.h"
#include "guides/TfGuiaR.h"
#include "guides/TfImprimir.h"
#include "reports/DestinoImpresion.h"

#include <QApplication>
#include <QDateTime>
#include <memory>

namespace {

QString Texto(const ValorGuia& v, const char* campo) {
    const QVariant x = v(QString::fromLatin1(campo));
    if (x.isNull())
        return {};
    if (x.metaType().id() == QMetaType::QDateTime) {
        const QDateTime f = x.toDateTime();
        return f.time() == QTime(0, 0) ? f.toString(QStringLiteral("dd/MM/yyyy"))
                                       : f.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    return x.toString();
}

qint64 Numero(const ValorGuia& v, const QString& campo) {
    return v(campo).toLongLong();
}

QString Marca(bool si) {
    return si ? QStringLiteral("X") : QString();
}

void Fija(Informe& i, const char* etiqueta, const QString& texto) {
    i.Etiqueta(QString::fromLatin1(etiqueta)).texto = texto;
}

struct Totales {
    qint64 machos = 0, hembras = 0;
    qint64 Total() const { return machos + hembras; }
};

Totales SumaGrupos(const ValorGuia& v) {
    Totales t;
    for (int g = 0; g <= 4; ++g) {
        t.machos += Numero(v, QStringLiteral("Grupo_%1M").arg(g));
        t.hembras += Numero(v, QStringLiteral("Grupo_%1H").arg(g));
    }
    return t;
}

// "[1001  del 25 avo ciclo]" when the guide names an origin certificate.
QString ReferenciaCertificado(const ValorGuia& v) {
    const QString cert = Texto(v, "Ori_Certificado");
    if (cert.isEmpty())
        return {};
    return QStringLiteral("[") + cert + QStringLiteral(" ") + QStringLiteral(" del ") +
           Texto(v, "Ori_Ciclo") + QStringLiteral(" avo ciclo]");
}

QString Vence(const ValorGuia& v) {
    const QVariant f = v(QStringLiteral("Autoriza_Fecha"));
    if (f.isNull())
        return {};
    const QDateTime d = f.toDateTime().addDays(7);
    return d.time() == QTime(0, 0) ? d.toString(QStringLiteral("dd/MM/yyyy"))
                                   : d.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

} // namespace

QString TipoMovimiento(const ValorGuia& v) {
    if (Texto(v, "Ori_IdDistrital") != Texto(v, "Des_IdDistrital"))
        return QStringLiteral("InterDEPA");
    if (Texto(v, "Ori_IdProvincia") != Texto(v, "Des_IdProvincia") ||
        Texto(v, "Ori_IdMunicipio") != Texto(v, "Des_IdMunicipio"))
        return QStringLiteral("InterPROV");
    return QStringLiteral("IntraMUNI");
}

VacunaOrigen LeeVacunaOrigen(const ValorGuia& v) {
    VacunaOrigen r;
    if (Texto(v, "Ori_Ciclo").isEmpty() || Texto(v, "Ori_Certificado").isEmpty())
        return r;
    Consulta qVacuna({QStringLiteral("SELECT Dosis_Laboratorio, Dosis_Serie, Dosis_Partida, "
                                     "Dosis_Procedencia, Dosis_Expiracion"),
                      QStringLiteral("FROM Ciclos"), QStringLiteral("WHERE IdCiclo = :Ciclito"),
                      QStringLiteral("AND CertificadoNro = :Certificadito")});
    qVacuna.Texto(QStringLiteral("Ciclito"), Texto(v, "Ori_Ciclo"), 3);
    qVacuna.Entero(QStringLiteral("Certificadito"), TextoAEntero(Texto(v, "Ori_Certificado")));
    qVacuna.Abre();
    r.leida = true;
    r.laboratorio = qVacuna.TextoCampo(QStringLiteral("Dosis_Laboratorio"));
    r.partida = qVacuna.TextoCampo(QStringLiteral("Dosis_Partida"));
    r.procedencia = qVacuna.TextoCampo(QStringLiteral("Dosis_Procedencia"));
    r.expiracion = qVacuna.TextoCampo(QStringLiteral("Dosis_Expiracion"));
    return r;
}

void LlenaEtiquetasTotales(Informe& i, const ValorGuia& v) {
    const QString especie = Texto(v, "Especie");
    const Totales t = SumaGrupos(v);
    if (i.Tiene(QStringLiteral("qrl") + especie))
        i.Etiqueta(QStringLiteral("qrl") + especie).texto = QStringLiteral("X");
    const Vocabulario::Especie* e = Vocabulario::BuscaEspecie(especie);
    const auto clase = e ? e->clase : Vocabulario::ClaseEspecie::Otra;
    if (clase == Vocabulario::ClaseEspecie::Bovina) {
        for (int g = 1; g <= 4; ++g)
            for (QChar s : {QLatin1Char('M'), QLatin1Char('H')})
                i.Etiqueta(QStringLiteral("qGrupo%1%2").arg(g).arg(s)).texto =
                    Texto(v, QStringLiteral("Grupo_%1%2").arg(g).arg(s).toLatin1().constData());
        Fija(i, "qGrupoTM", QString::number(t.machos));
        Fija(i, "qGrupoTH", QString::number(t.hembras));
    } else if (clase == Vocabulario::ClaseEspecie::Ave) {
        Fija(i, "aGrupo1M", Texto(v, "Grupo_1M"));
        Fija(i, "aGrupo1H", Texto(v, "Grupo_1H"));
        Fija(i, "aGrupoT", QString::number(t.Total()));
    } else {
        for (int g = 0; g <= 4; ++g)
            for (QChar s : {QLatin1Char('M'), QLatin1Char('H')})
                i.Etiqueta(QStringLiteral("sGrupo%1%2").arg(g).arg(s)).texto =
                    Texto(v, QStringLiteral("Grupo_%1%2").arg(g).arg(s).toLatin1().constData());
        Fija(i, "sGrupoTM", QString::number(t.machos));
        Fija(i, "sGrupoTH", QString::number(t.hembras));
    }
    Fija(i, "qrlLiteral", CantidadEnLetras(1, double(t.Total())) + QStringLiteral(" ANIMALES(S)"));
}

void LlenaEtiquetasTotales2(Informe& i, const ValorGuia& v) {
    const QString especie = Texto(v, "Especie");
    const Totales t = SumaGrupos(v);
    const Vocabulario::Especie* e = Vocabulario::BuscaEspecie(especie);
    const auto clase = e ? e->clase : Vocabulario::ClaseEspecie::Otra;
    const QString nombre = e ? e->nombreImpreso : especie;
    QString machos, hembras;
    auto lineasGrupo = [&](int desde) {
        for (int g = desde; g <= 4; ++g) {
            const qint64 m = Numero(v, QStringLiteral("Grupo_%1M").arg(g));
            const qint64 h = Numero(v, QStringLiteral("Grupo_%1H").arg(g));
            if (m > 0)
                machos += QString::number(m) + Vocabulario::TextoGrupo(clase, g, QLatin1Char('M')) +
                          QLatin1Char('\n');
            if (h > 0)
                hembras += QString::number(h) +
                           Vocabulario::TextoGrupo(clase, g, QLatin1Char('H')) + QLatin1Char('\n');
        }
    };
    if (clase == Vocabulario::ClaseEspecie::Bovina) {
        lineasGrupo(1);
        if (t.machos > 0)
            machos += QStringLiteral("Total Machos: ") + QString::number(t.machos);
        if (t.hembras > 0)
            hembras += QStringLiteral("Total Hembras: ") + QString::number(t.hembras);
    } else if (clase == Vocabulario::ClaseEspecie::Ave) {
        if (t.machos > 0)
            machos = QString::number(t.machos) + QStringLiteral(" Machos\n");
        if (t.hembras > 0)
            hembras = QString::number(t.hembras) + QStringLiteral(" Hembras\n");
    } else {
        lineasGrupo(0);
        if (t.machos > 0)
            machos +=
                QStringLiteral("Total Machos: ") + QString::number(t.machos) + QLatin1Char('\n');
        if (t.hembras > 0)
            hembras +=
                QStringLiteral("Total Hembras: ") + QString::number(t.hembras) + QLatin1Char('\n');
    }
    Fija(i, "qrlEspecie", Vocabulario::EncabezadoClase(clase) + nombre);
    Fija(i, "qrlGrupoM", machos);
    Fija(i, "qrlGrupoH", hembras);
    Fija(i, "qrlGrupoL",
         QStringLiteral("Total : ") + QString::number(t.Total()) +
             QStringLiteral(" ANIMALES(S)\nTotal Literal: ") +
             CantidadEnLetras(1, double(t.Total())) + QStringLiteral(" ANIMALES(S)"));
}

void LlenaGuia(Informe& i, bool segunda, const ValorGuia& v, const VacunaOrigen& vacuna) {
    const QString tipo = TipoMovimiento(v);
    const QString certificados = Texto(v, "Vacuna_Certificados") + ReferenciaCertificado(v);
    if (!segunda) {
        Fija(i, "qrlGuiaNro",
             QString::fromUtf8("GUÍA NRO: ") + Texto(v, "Ori_IdDistrital") + QLatin1Char('-') +
                 Texto(v, "NroGuia"));
        Fija(i, "qrlSolicitanteNombre", Texto(v, "SolicitanteNombre"));
        Fija(i, "qrlSolicitanteCarnet", Texto(v, "SolicitanteCarnet"));
        Fija(i, "qrlDepa", Marca(tipo == QLatin1String("InterDEPA")));
        Fija(i, "qrlProv", Marca(tipo == QLatin1String("InterPROV")));
        Fija(i, "qrlMuni", Marca(tipo == QLatin1String("IntraMUNI")));
        const QString ori = Texto(v, "Ori_Rubro"), des = Texto(v, "Des_Rubro");
        Fija(i, "qrlOriIncubadora", Marca(ori == QLatin1String("Incubadora")));
        Fija(i, "qrlOriPredio", Marca(ori == QLatin1String("Predio")));
        Fija(i, "qrlOriFeria", Marca(ori == QLatin1String("Feria")));
        Fija(i, "qrlOriRemate", Marca(ori == QLatin1String("Remate")));
        Fija(i, "qrlOriImportacion", Marca(ori == QString::fromUtf8("Importación")));
        Fija(i, "qrlDesIncubadora", Marca(des == QLatin1String("Incubadora")));
        Fija(i, "qrlDesMatadero", Marca(des == QLatin1String("Matadero")));
        Fija(i, "qrlDesFeria", Marca(des == QLatin1String("Feria")));
        Fija(i, "qrlDesPredio", Marca(des == QLatin1String("Predio")));
        Fija(i, "qrlDesRemate", Marca(des == QLatin1String("Remate")));
        Fija(i, "qrlOriEstablecimiento", Texto(v, "Ori_Establecimiento"));
        Fija(i, "qrlDesEstablecimiento", Texto(v, "Des_Establecimiento"));
        Fija(i, "qrlOriPropietario", Texto(v, "Ori_Propietario"));
        Fija(i, "qrlDesPropietario", Texto(v, "Des_Propietario"));
        Fija(i, "qrlOriMunicipio", Texto(v, "Ori_NombreMunicipio"));
        Fija(i, "qrlOriProvincia", Texto(v, "Ori_NombreProvincia"));
        Fija(i, "qrlOriDpto", Texto(v, "Ori_IdDistrital"));
        Fija(i, "qrlDesMunicipio", Texto(v, "Des_NombreMunicipio"));
        Fija(i, "qrlDesProvincia", Texto(v, "Des_NombreProvincia"));
        Fija(i, "qrlDesDpto", Texto(v, "Des_IdDistrital"));
        const std::pair<const char*, const char*> objetivos[] = {
            {"qrlObjRecria", "Objetivo_Cria"},
            {"qrlObjEngorde", "Objetivo_Engorde"},
            {"qrlObjReproduccion", "Objetivo_Reproduccion"},
            {"qrlObjExposicion", "Objetivo_Exposicion"},
            {"qrlObjFeria", "Objetivo_Feria"},
            {"qrlObjFaena", "Objetivo_Faena"},
            {"qrlObjIncubacion", "Objetivo_Incubacion"}};
        for (auto [etiqueta, campo] : objetivos)
            Fija(i, etiqueta, Marca(v(QString::fromLatin1(campo)).toInt() != 0));
        const QString medio = Texto(v, "Medio_Transporte");
        Fija(i, "qrlMedioCamion", Marca(medio == QString::fromUtf8("Camión")));
        Fija(i, "qrlMedioTren", Marca(medio == QLatin1String("Tren")));
        Fija(i, "qrlMedioBarco", Marca(medio == QLatin1String("Barco")));
        Fija(i, "qrlMedioArreo", Marca(medio == QLatin1String("Arreo")));
        Fija(i, "qrlMedioAereo", Marca(medio == QString::fromUtf8("Aéreo")));
        Fija(i, "qrlMedioConductor", Texto(v, "Medio_Conductor"));
        Fija(i, "qrlMedioPlaca", QString::fromUtf8("SUJETO A INSPECCIÓN EN P.C."));
        Fija(i, "qrlMedioRegistroNro", QStringLiteral("-"));
        Fija(i, "qrlVacunaFecha",
             Texto(v, "Vacuna_Fecha") + QStringLiteral(" - ") + Texto(v, "Vacuna_Enfermedad"));
        if (vacuna.leida) {
            Fija(i, "qrlVacunaLaboratorio", vacuna.laboratorio);
            Fija(i, "qrlVacunaPartida", vacuna.partida);
            Fija(i, "qrlVacunaProcedencia", vacuna.procedencia);
            Fija(i, "qrlVacunaVencimiento", vacuna.expiracion);
        }
        Fija(i, "qrlVacunaCertificado", certificados);
        Fija(i, "qrlVacunaVeterinario", Texto(v, "Vacuna_Medico"));
        Fija(i, "qrlAutorizaRuta", Texto(v, "Autoriza_Ruta"));
        Fija(i, "qrlAutorizaFecha", Texto(v, "Autoriza_Fecha"));
        Fija(i, "qrlAutorizaVence", Vence(v));
        Fija(i, "qrlAutorizaFuncionario", Texto(v, "Autoriza_Funcionario"));
        Fija(i, "qrlComenta", Texto(v, "Comentarios"));
        LlenaEtiquetasTotales(i, v);
    } else {
        Fija(i, "qrlSolicitud",
             QStringLiteral("Nombre del Solicitante: ") + Texto(v, "SolicitanteNombre") +
                 QString::fromUtf8("\nNº de C.I.: ") + Texto(v, "SolicitanteCarnet"));
        Fija(i, "qrlTipoMovimiento",
             tipo == QLatin1String("InterDEPA")   ? QStringLiteral("Interdepartamental")
             : tipo == QLatin1String("InterPROV") ? QStringLiteral("Intermunicipal")
                                                  : QStringLiteral("Intramunicipal"));
        Fija(i, "qrlNroTelmaro",
             Texto(v, "Ori_IdDistrital") + QLatin1Char('-') + Texto(v, "NroGuia"));
        auto bloque = [&](const char* cabecera, const char* lado) {
            auto t = [&](const char* campo) {
                return Texto(
                    v, (QString::fromLatin1(lado) + QLatin1String(campo)).toLatin1().constData());
            };
            return QString::fromUtf8(cabecera) + t("Rubro") + QStringLiteral("\nNombre: ") +
                   t("Establecimiento") + QStringLiteral("\nPropietario(s): ") + t("Propietario") +
                   QStringLiteral("\nMunicipio: ") + t("NombreMunicipio") +
                   QStringLiteral("\nProv.: ") + t("NombreProvincia") +
                   QStringLiteral("\nDepto.: ") + t("IdDistrital") + QLatin1Char('\n');
        };
        Fija(i, "qrlOrigen", bloque("Origen: ", "Ori_"));
        Fija(i, "qrlDestino", bloque("Destino: ", "Des_"));
        QString objetivos;
        const std::pair<const char*, const char*> lista[] = {
            {"Objetivo_Cria", "Recría"},
            {"Objetivo_Engorde", "Engorde"},
            {"Objetivo_Reproduccion", "Reproducción"},
            {"Objetivo_Exposicion", "Expocición"},
            {"Objetivo_Feria", "Feria Mercado"},
            {"Objetivo_Faena", "Faena"},
            {"Objetivo_Incubacion", "Incubación"}};
        for (auto [campo, texto] : lista)
            if (v(QString::fromLatin1(campo)).toInt() != 0)
                objetivos += QString::fromUtf8(texto) + QLatin1Char('\n');
        if (v(QStringLiteral("Objetivo_Transito")).toInt() != 0)
            objetivos += QString::fromUtf8("Tránsito");
        Fija(i, "qrlObjetivoMov", objetivos);
        Fija(i, "qrlMedioTransporte",
             Texto(v, "Medio_Transporte") +
                 QStringLiteral("\nNombre Conductor/Transportador: "
                                ".....................................\nC.I.: .............."));
        Fija(i, "qrlTransporteRta", Texto(v, "Medio_Conductor"));
        Fija(i, "qrlVacunaciones",
             QString::fromUtf8("Fecha de vacunación: ") + Texto(v, "Vacuna_Fecha") +
                 QStringLiteral(" - ") + Texto(v, "Vacuna_Enfermedad") +
                 QString::fromUtf8("\nCertificado Nº: ") + certificados +
                 QStringLiteral("\nFiscalizado por el veterinario oficial Dr.: ") +
                 Texto(v, "Vacuna_Medico"));
        Fija(i, "qrlVacuna",
             vacuna.leida ? QStringLiteral("Laboratorio: ") + vacuna.laboratorio +
                                QStringLiteral(" Partida: ") + vacuna.partida +
                                QStringLiteral("\nProcedencia: ") + vacuna.procedencia +
                                QStringLiteral("\nVencimiento: ") + vacuna.expiracion
                          : QString());
        Fija(i, "qrlAutorizacion",
             QStringLiteral("Ruta autorizada: ") + Texto(v, "Autoriza_Ruta") +
                 QStringLiteral("  Fecha: ") + Texto(v, "Autoriza_Fecha") +
                 QString::fromUtf8("\nVálido hasta el: ") + Vence(v) +
                 QStringLiteral("\nNombre del funcionario que emite: ") +
                 Texto(v, "Autoriza_Funcionario"));
        Fija(i, "qrlComenta", Texto(v, "Comentarios"));
        LlenaEtiquetasTotales2(i, v);
    }
    // The watermark never shows on paper.
    i.Etiqueta(QStringLiteral("qrlValido")).color = Qt::white;
}

int InsertaNroTalonario(int nroGuia, const QString& distrital, int numero) {
    Consulta cInsertaTalon({QStringLiteral("UPDATE Guias SET"),
                            QStringLiteral("NroTalonario = :ElTalon"),
                            QStringLiteral("WHERE NroGuia = :ElNumero"),
                            QStringLiteral("AND Ori_IdDistrital = :LaDistrital")});
    cInsertaTalon.Entero(QStringLiteral("ElTalon"), numero);
    cInsertaTalon.Entero(QStringLiteral("ElNumero"), nroGuia);
    cInsertaTalon.Texto(QStringLiteral("LaDistrital"), distrital, 3);
    return cInsertaTalon.Ejecuta();
}

QString ReferenciaImpresion(const QString& distrital, qint64 nroGuia) {
    const QString numero = QString::number(nroGuia);
    const QString completa = distrital + QLatin1Char('-') + numero;
    if (completa.size() <= 10)
        return completa;
    if (distrital.size() + numero.size() <= 10)
        return distrital + numero;
    return numero;
}

namespace {

bool GuiaExiste(int nroGuia, const QString& distrital) {
    Consulta q({QStringLiteral("SELECT COUNT(*) AS Cuantas FROM Guias"),
                QStringLiteral("WHERE NroGuia = :ElNumero"),
                QStringLiteral("AND Ori_IdDistrital = :LaDistrital")});
    q.Entero(QStringLiteral("ElNumero"), nroGuia);
    q.Texto(QStringLiteral("LaDistrital"), distrital, 3);
    q.Abre();
    return q.EnteroCampo(QStringLiteral("Cuantas")) > 0;
}

// After the page went out: the form number first (it cannot be recovered from the paper
// otherwise), then the log row; both are tried and every failure is reported together.
void RegistraImpresion(const ValorGuia& v, const QString& distrital, int nro) {
    QStringList fallas;
    if (ImpresionAlCertificado) {
        try {
            if (InsertaNroTalonario(nro, distrital, NumeroFormulario) == 0)
                fallas << QString::fromUtf8("La guía ya no existe en la base de datos.");
        } catch (const ErrorTarvelion& e) {
            fallas << e.Texto();
        }
    }
    try {
        TdmDatos::Instancia()->InsertaTablaImpresiones(
            QStringLiteral("CGMA"), ReferenciaImpresion(distrital, nro),
            Texto(v, "Ori_Establecimiento").left(60).trimmed());
    } catch (const ErrorTarvelion& e) {
        fallas << e.Texto();
    }
    if (fallas.isEmpty())
        return;
    const QString que = ImpresionAlCertificado
                            ? QString::fromUtf8("en el formulario Nº %1").arg(NumeroFormulario)
                            : QStringLiteral("como prueba");
    throw ErrorBaseDatos(
        QString::fromUtf8("La guía %1-%2 se imprimió %3, pero la impresión no "
                          "quedó registrada por completo. Anote el número del "
                          "formulario y avise al administrador.\n\n%4")
            .arg(distrital, QString::number(nro), que, fallas.join(QLatin1Char('\n'))));
}

} // namespace

void ImprimeGuia(const ValorGuia& v) {
    if (Numero(v, QStringLiteral("Grupo_TT")) <= 0)
        return;
    TfImprimir dialogo;
    Ventanas::MuestraModal(dialogo);
    if (!ImpresionAceptada)
        return;
    const QString distrital = Texto(v, "Ori_IdDistrital");
    const int nro = int(Numero(v, QStringLiteral("NroGuia")));
    std::unique_ptr<Informe> informe = UltimoModelo2 ? std::unique_ptr<Informe>(new TfGuiaR2)
                                                     : std::unique_ptr<Informe>(new TfGuiaR);
    LlenaGuia(*informe, UltimoModelo2, v, LeeVacunaOrigen(v));
    // Stationery that does not line up on this workstation's printer is shifted as the INI says.
    const ArchivoConfiguracion ini(ArchivoIni);
    informe->Desplaza(ini.Real(QStringLiteral("IMPRESION"), QStringLiteral("DesplazamientoX"), 0),
                      ini.Real(QStringLiteral("IMPRESION"), QStringLiteral("DesplazamientoY"), 0));
    // Printed from the preview or at once, to the destination of the print dialog; the print is
    // logged once it went out.
    auto imprime = [&] {
        if (ImpresionAlCertificado && !GuiaExiste(nro, distrital))
            throw ErrorBaseDatos(QString::fromUtf8("La guía %1-%2 ya no existe en la base de "
                                                   "datos; no se imprimió en el formulario.")
                                     .arg(distrital, QString::number(nro)));
        if (!DestinoImpresion::Imprime(*informe, IndiceImpresora))
            return false;
        RegistraImpresion(v, distrital, nro);
        return true;
    };
    if (VistaPrevia)
        informe->VistaPrevia(QApplication::activeWindow(), imprime);
    else
        imprime();
}
