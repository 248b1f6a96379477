// The movement guide as the entry forms write it: one Guias row, its key (number and origin
// department), the next number of a department, the four save statements and the save
// protocol that both entry forms follow.
#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

// Which entry form writes the guide: the bovine form (BOV, BUB) or the other-species form.
enum class FormaGuia { Bovina, Otras };

// A guide's values, in the order of the Guias columns.
struct DatosGuia {
    std::int32_t nroGuia = 0;
    QString especie;
    QString solicitanteNombre;
    QString solicitanteCarnet;
    QString oriCertificado; // text of the form's field; empty is NULL (bovine form only)
    QString oriCiclo;
    QString oriRubro;
    QString oriEstablecimiento;
    QString oriPropietario;
    QString oriIdDistrital;
    QString oriIdProvincia;
    QString oriIdMunicipio;
    QString desCertificado;
    QString desCiclo;
    QString desRubro;
    QString desEstablecimiento;
    QString desPropietario;
    QString desIdDistrital;
    QString desIdProvincia;
    QString desIdMunicipio;
    std::array<std::int32_t, 8> cantidadesCategoria{}; // BOV_ columns (bovine form: zeros)
    std::array<std::int32_t, 10> cantidadesGrupo{};    // Grupo_0M ... Grupo_4H
    QString medioTransporte;
    QString medioConductor;
    QString autorizaRuta;
    QString autorizaDadoEn;
    QDate autorizaFecha;
    QString funcionario; // UsuarioBase
    // Objectives in column order: Cria, Engorde, Reproduccion, Exposicion, Feria, Faena,
    // Incubacion, Transito (the bovine form writes Incubacion as NULL).
    std::array<bool, 8> objetivos{};
    QString vacunaEnfermedad;
    QString vacunaFecha;
    QString vacunaMedico;
    QString vacunaCertificados;
    QString comentarios;
};

// A stored guide by its key; false when there is none.
bool LeeGuia(std::int32_t nroGuia, const QString& distrital, DatosGuia& guia);

class Conexion;

// MAX(NroGuia) + 1 of the origin department, all species; 1 for a department without guides.
// Without a connection, the session's (so everywhere below).
std::int32_t NuevoNumeroGuia(const QString& distrital, Conexion* conexion = nullptr);

// The text of the insert and of the update of each form, line by line as the registry writes
// them.
QString TextoInsercion(FormaGuia forma);
QString TextoEdicion(FormaGuia forma);

// The statements, sent once each; errors raise ErrorBaseDatos with the database's text.
void InsertaGuia(FormaGuia forma, const DatosGuia& guia, Conexion* conexion = nullptr);
void EditaGuia(FormaGuia forma, const DatosGuia& guia, std::int32_t laGuia, const QString& laDist,
               Conexion* conexion = nullptr);

// Whether the save checks the guide against its origin's movable stock: a bovine or buffalo
// guide leaving a premises under a certificate.
bool LimitadaPorExistencias(FormaGuia forma, const DatosGuia& guia);

// How a guide is written: by which form, new or the edit of the stored guide of
// `distritoCargado` (its key's department as loaded).
struct GrabacionGuia {
    FormaGuia forma;
    bool nueva;
    QString distritoCargado;
};
// Writes the guide, numbering a new one (its number goes into `guia`). A guide limited by the
// stock is checked inside the write's transaction, serialised per certificate against other
// stations, an edit giving back its own counts: the refusal's text is returned and nothing is
// written. Database errors raise ErrorBaseDatos.
QString GrabaGuia(const GrabacionGuia& grabacion, DatosGuia& guia, Conexion* conexion = nullptr);

// What the save protocol does with the guide console.
class ConsolaDeGuias {
public:
    virtual ~ConsolaDeGuias() = default;
    virtual void ReestableceControles() = 0;
    virtual void Ejecuta() = 0;
    virtual bool Localiza(std::int32_t nroGuia, const QString& distrital) = 0;
};

// The save protocol of both entry forms. A new guide gets its number here (written back into
// `guia`); on success the console is refreshed and, except for a new other-species guide,
// positioned on the guide. A failure is shown with the form's message and returns false.
bool GuardarGuia(FormaGuia forma, bool nueva, DatosGuia& guia, const QString& distritoCargado,
                 ConsolaDeGuias* consola);
