// Transport registry statements and rules.
#include "guides/Transporte.h"

#include "db/Colacion.h"
#include "db/Consulta.h"

QStringList AniosGestion(int actual) {
    QStringList a;
    for (int y = actual; y > 2011; --y)
        a << QString::number(y);
    if (a.isEmpty())
        a << QString::number(actual);
    return a;
}

QStringList LineasTransporte(const QString& anio, bool porPlaca, const QString& criterio) {
    // The year comes from the list the program fills; it is checked all the same.
    bool ok = false;
    const int y = anio.toInt(&ok);
    QStringList l{QStringLiteral("SELECT NroPlaca, TipoVehiculo, NombreSolicitante, BajaFecha,"),
                  QStringLiteral("SolicitudIdDistrital, Marca, SolicitudNro, SolicitudEstado, "
                                 "BajaDe,"),
                  QStringLiteral("BajaMotivo"), QStringLiteral("FROM Transporta")};
    l << QStringLiteral("WHERE YEAR(SolicitudFechaSupervision)=") +
             (ok ? QString::number(y) : LiteralSql(anio));
    const QString patron = LiteralSql(QLatin1Char('%') + criterio + QLatin1Char('%'));
    l << (porPlaca ? QStringLiteral("AND NroPlaca LIKE ")
                   : QStringLiteral("AND NombreSolicitante LIKE ")) +
             patron;
    l << QStringLiteral("ORDER BY NombreSolicitante");
    return l;
}

QString RechazoTransporte(bool deBaja, const QString& estado, const QString& motivo) {
    if (deBaja)
        return QString::fromUtf8(
                   "Este vehículo esta dado de baja, por tanto no puede seguir beneficiado con "
                   "este servicio !\r\rMOTIVO:\r") +
               motivo + QStringLiteral("\r") + QStringLiteral("\r") +
               QString::fromUtf8("Para regularizar esta situación, debe contactarse con ") +
               QString::fromUtf8(
                   "Registro y Certificación Zoosanitaria de la Jefatura Distrital ") +
               QString::fromUtf8("emisión del Certificado");
    if (estado != QLatin1String("A"))
        return QString::fromUtf8(
            "No puede utilizar este registro de RTA debido a que la solicitud no está APROBADA ó "
            "ACEPTADA, posiblemente por uno de los siguientes motivos:\r\r- Aún no ha sido "
            "presentada el Acta de Inspección\r- La solicitud ha sido rechazada por no cumplir "
            "todos los requisitos\r- El registro no ha sido actualizado\r\rPara regularizar esta "
            "situación, debe contactarse con Registro y Certificación Zoosanitaria de la Jefatura "
            "Distrital\remisión del Certificado");
    return {};
}

QString ConductorDeTransporte(const QString& distrital, const QString& solicitud,
                              const QString& placa) {
    return QStringLiteral("RTA:") + distrital + QStringLiteral("-") + solicitud +
           QStringLiteral(", ") + QStringLiteral("PLACA:") + placa;
}

int MedioDeTipo(const QStringList& medios, const QString& tipo) {
    const QByteArray buscado = tipo.trimmed().toUtf8();
    for (qsizetype i = 0; i < medios.size(); ++i) {
        const QByteArray medio = medios[i].toUtf8();
        if (Colacion::Compara(std::string_view(medio.constData(), size_t(medio.size())),
                              std::string_view(buscado.constData(), size_t(buscado.size()))) == 0)
            return int(i);
    }
    return -1;
}
