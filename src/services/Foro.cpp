// Questions forum statements.
#include "services/Foro.h"

#include "common/Editores.h"
#include "common/Errores.h"
#include "db/Consulta.h"

#include <QComboBox>
#include <QLabel>

QString ExplicacionTecnicas() {
    return QString::fromUtf8("Relacionadas a la instalación del sistema, impresión, conexión a la "
                             "base de datos, descargas de la web, usuarios y contraseñas, etc. "
                             "etc.");
}

QString ExplicacionServicios() {
    return QStringLiteral("Relacionadas a los procedimientos y normativas de los servicios, "
                          "inspecciones, actas, evaluaciones, etc.");
}

QString ExplicacionSinResponder() {
    return QString::fromUtf8("Preguntas formuladas que aún no ha sido respondidas");
}

QStringList LineasListaForo(TipoForo tipo, const QString& servicio) {
    QStringList l{QStringLiteral("SELECT F.IdPregunta,F.Pregunta,F.Categoria,F.IdServicio,"),
                  QStringLiteral("       F.PreguntadaPor, F.FechaPregunta, F.RespondidaPor,"),
                  QStringLiteral("       F.FechaRespuesta, ISNULL(T.Servicio,'Sistemas') AS "
                                 "Servicio"),
                  QStringLiteral("FROM Foros F"),
                  QStringLiteral("LEFT JOIN Talonarios T ON(T.IdTalon=F.IdServicio)"),
                  QStringLiteral("WHERE IdPregunta>0")};
    switch (tipo) {
    case TipoForo::Tecnicas:
        l << QStringLiteral("AND F.IdServicio IS NULL");
        break;
    case TipoForo::Servicios:
        l << QStringLiteral("AND F.IdServicio = ") + LiteralSql(servicio);
        break;
    case TipoForo::SinResponder:
        l << QStringLiteral("AND F.RespondidaPor IS NULL");
        break;
    case TipoForo::Todas:
        break;
    }
    l << QStringLiteral("ORDER BY F.IdPregunta");
    return l;
}

void LlenaServicios(QComboBox* lista) {
    Editores::LlenaLista(lista,
                         {QStringLiteral("select *"), QStringLiteral("from talonarios"),
                          QStringLiteral("order by Servicio")},
                         "IdTalon", "Servicio");
    if (lista->count() > 0)
        lista->setCurrentIndex(0);
}

QString LaRespuesta(int idPregunta) {
    Consulta q{QStringLiteral("select IdPregunta, Respuesta"), QStringLiteral("from foros"),
               QStringLiteral("where IdPregunta = :LaIDP")};
    q.EnteroCorto(QStringLiteral("LaIDP"), idPregunta);
    q.Abre();
    return q.Vacia() ? QString() : q.TextoCampo(QStringLiteral("Respuesta"));
}

int NuevoIdPregunta() {
    Consulta q{QStringLiteral("select ISNULL(max(IdPregunta),0) AS Total"),
               QStringLiteral("from Foros")};
    q.Abre();
    return int(q.EnteroCampo(QStringLiteral("Total"))) + 1;
}

namespace {

void Clase(Consulta& q, const char* categoria, const char* servicio, const PreguntaForo& p) {
    q.Texto(QLatin1String(categoria), p.deServicio ? QStringLiteral("S") : QStringLiteral("T"), 1);
    if (p.deServicio)
        q.Texto(QLatin1String(servicio), p.servicio, 4);
    else
        q.Nulo(QLatin1String(servicio), TipoParametro::Texto);
}

} // namespace

void InsertaNuevaPregunta(const PreguntaForo& p) {
    const int id = NuevoIdPregunta();
    // The number is a small integer: past the last one the question is refused here, in words,
    // rather than by an overflow of the database.
    if (id > kUltimaPregunta)
        throw ErrorBaseDatos(QString::fromUtf8("El foro ya tiene %1 preguntas, el máximo que puede "
                                               "guardar; no se pueden registrar más.")
                                 .arg(kUltimaPregunta));
    Consulta q{QStringLiteral("INSERT INTO Foros VALUES ("),
               QStringLiteral(":sIdPregu,"),
               QStringLiteral(":sPregunt,"),
               QStringLiteral("NULL,"),
               QStringLiteral(":sCategor,"),
               QStringLiteral(":sIdServi,"),
               QStringLiteral("LTRIM(RTRIM(LOWER(SUSER_SNAME()))),"),
               QStringLiteral("GETDATE(),"),
               QStringLiteral("NULL,"),
               QStringLiteral("NULL"),
               QStringLiteral(")")};
    q.EnteroCorto(QStringLiteral("sIdPregu"), id);
    q.Texto(QStringLiteral("sPregunt"), p.pregunta, 150);
    Clase(q, "sCategor", "sIdServi", p);
    q.Ejecuta();
}

void ResponderPregunta(int id, const PreguntaForo& p, const QString& respuesta) {
    Consulta q{QStringLiteral("UPDATE Foros SET"),
               QStringLiteral("Pregunta  = :kPregu,"),
               QStringLiteral("Respuesta = :kRespu,"),
               QStringLiteral("Categoria = :kCateg,"),
               QStringLiteral("IdServicio= :kIdSer,"),
               QStringLiteral("RespondidaPor = LOWER(RTRIM(LTRIM(SUSER_SNAME()))),"),
               QStringLiteral("FechaRespuesta= GETDATE()"),
               QStringLiteral("WHERE IdPregunta = :kIdPre")};
    q.EnteroCorto(QStringLiteral("kIdPre"), id);
    q.Texto(QStringLiteral("kPregu"), p.pregunta, 150);
    q.Texto(QStringLiteral("kRespu"), respuesta);
    Clase(q, "kCateg", "kIdSer", p);
    q.Ejecuta();
}

void HabilitaServicio(QLabel* etiqueta, QComboBox* lista, bool deServicio) {
    etiqueta->setEnabled(deServicio);
    lista->setEnabled(deServicio);
}
