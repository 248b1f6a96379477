// The questions forum in the registry database (table Foros): the list statement by kind, the
// answer of one question, the next question number and the two saves.
#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

class QComboBox;

// The list's kinds, in the order of its choice.
enum class TipoForo { Todas = 0, Tecnicas = 1, Servicios = 2, SinResponder = 3 };

// The explanations the list and the editor show for a kind.
QString ExplicacionTecnicas();
QString ExplicacionServicios();
QString ExplicacionSinResponder();

// The list statement, line by line; for services the key goes in as a quoted literal.
QStringList LineasListaForo(TipoForo tipo, const QString& servicio);
// The services of Talonarios (key IdTalon, text Servicio) in a list, the first one chosen.
void LlenaServicios(QComboBox* lista);

// The answer of a question; empty when it has none or the question is not there.
QString LaRespuesta(int idPregunta);

// Question numbers are small integers: 32767 is the last the table can hold.
inline constexpr int kUltimaPregunta = 32767;
// The highest number + 1 (1 in an empty table).
int NuevoIdPregunta();

// A question to save: kind "T" (no service) or "S" with its service key.
struct PreguntaForo {
    QString pregunta;
    bool deServicio = false;
    QString servicio;
};
// Inserts a new question under the next number, asked by the session's login at the server's
// time. Raises ErrorBaseDatos when the table is full or the database refuses it.
void InsertaNuevaPregunta(const PreguntaForo& p);
// Rewords and answers question `id`, by the session's login at the server's time.
void ResponderPregunta(int id, const PreguntaForo& p, const QString& respuesta);

class QLabel;
// The service's caption and list take part only for questions about a service (grey else).
void HabilitaServicio(QLabel* etiqueta, QComboBox* lista, bool deServicio);
