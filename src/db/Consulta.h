// The program's query object, shaped like the registry's statements: SQL lines, named typed
// parameters, Abre for a result (read to its end at once), Ejecuta for a command, field access
// by name and Localiza on key fields. Statements are T-SQL; on the embedded database they pass
// through the SQLite dialect and the embedded server. Errors raise ErrorBaseDatos with the
// database's own text; nothing here shows a box.
#pragma once

#include "common/ModeloGrilla.h"

#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <map>
#include <vector>

class Conexion;

// A text as an SQL literal for the list statements that are built line by line: in quotes,
// its own quotes doubled, so a typed value can never end the literal.
QString LiteralSql(const QString& valor);

enum class TipoParametro { Texto, Entero, EnteroCorto, FechaHora, Bit, Real };

class Consulta {
public:
    // Without a connection the data module's connection is used.
    explicit Consulta(Conexion* conexion = nullptr);
    explicit Consulta(std::initializer_list<QString> lineas, Conexion* conexion = nullptr);

    // --- statement ---------------------------------------------------------------------------
    void Limpia();
    void Agrega(const QString& linea);
    void FijaSql(const QStringList& lineas);
    const QStringList& Lineas() const { return lineas_; }
    QString TextoSql() const { return lineas_.join(QLatin1Char('\n')); }

    // --- parameters (":Nombre" in the statement); a null QVariant is SQL NULL ----------------
    // Text of at most `tamano` characters (0: no limit); a longer value is refused, never cut.
    // An empty text is stored as an empty text, never as NULL.
    void Texto(const QString& nombre, const QString& valor, int tamano = 0);
    void Entero(const QString& nombre, const QVariant& valor);
    void EnteroCorto(const QString& nombre, const QVariant& valor);
    void FechaHora(const QString& nombre, const QVariant& valor);
    void Bit(const QString& nombre, const QVariant& valor);
    void Real(const QString& nombre, const QVariant& valor);
    void Nulo(const QString& nombre, TipoParametro tipo);
    void Parametro(const QString& nombre, TipoParametro tipo, const QVariant& valor,
                   int tamano = 0);

    // --- running -----------------------------------------------------------------------------
    void Abre();
    // Command; returns the rows affected.
    int Ejecuta();
    // Runs the statement straight into a grid model (read to the end, statement finished).
    void AbreEn(ModeloGrilla& modelo, const std::vector<DefColumna>& columnas = {});
    void Cierra();

    // --- result --------------------------------------------------------------------------------
    bool Activa() const { return activa_; }
    int Registros() const { return int(filas_.size()); }
    bool Vacia() const { return filas_.empty(); }
    bool Eof() const { return fila_ >= int(filas_.size()); }
    void Primero() { fila_ = 0; }
    void Siguiente() { ++fila_; }
    int Fila() const { return fila_; }
    void IrA(int fila) { fila_ = fila; }
    const QStringList& Campos() const { return campos_; }

    // Values of the current row; an empty result reads as NULL.
    QVariant Campo(const QString& nombre) const;
    bool EsNulo(const QString& nombre) const;
    QString TextoCampo(const QString& nombre) const;
    qint64 EnteroCampo(const QString& nombre) const;
    double RealCampo(const QString& nombre) const;
    QDateTime FechaCampo(const QString& nombre) const;

    // Moves to the first row whose fields equal the values (texts without regard to case).
    bool Localiza(const QStringList& campos, const QVariantList& valores);

private:
    // A batch of several statements, run one after another on both backends alike: the first
    // that returns rows fills this query's rows (`modelo` null) or the model, when asked for
    // rows; the others run as commands. A failing statement stops the batch, and its error says
    // how many ran before it. False, running nothing, when the text is a single statement (or,
    // on SQL Server, a batch that declares variables, which the server runs whole).
    enum class Filas { Ninguna, Propias, Modelo };
    bool CorreLote(Filas filas, ModeloGrilla* modelo = nullptr,
                   const std::vector<DefColumna>& columnas = {}, int* afectadas = nullptr);
    // After the first result of a statement sent to SQL Server: the results of the batch's
    // further statements, so that an error in any of them raises as it does on the file.
    void TerminaLote(class QSqlQuery& q);
    struct Lote {
        QString texto;
        QStringList partes;
        bool declara = false;
    } lote_;
    QString TextoFalla(const QString& texto) const;
    class ErrorBaseDatos Falla(const class QSqlError& error) const;
    struct Param {
        TipoParametro tipo;
        QVariant valor;
        int tamano;
    };
    class QSqlQuery Prepara();
    // A parameter's value as the backend binds it (dates as text on the embedded database).
    QVariant ValorParametro(const QString& nombre, bool embebida) const;
    // The embedded database's list read straight from SQLite into the grid's vectors, without a
    // value object per cell.
    void AbreEnEmbebida(ModeloGrilla& modelo, const std::vector<DefColumna>& columnas);
    int IndiceCampo(const QString& nombre) const;
    // The embedded database's text of the statement and its parameters' names, translated once
    // while the statement's text stays the same.
    struct Traduccion {
        QString original;
        QByteArray sql;
        QStringList nombres;
        QList<QByteArray> marcas;
        bool procedimiento = false; // EXEC of a stored procedure, run by the embedded server
        // The statement the connection keeps for it, and the names' positions in it.
        struct sqlite3_stmt* preparada = nullptr;
        std::vector<int> indices;
    };
    const Traduccion& Traducida();
    // Binds the named parameters; `marcas` are the names as SQLite spells them (":Nombre").
    void Vincula(struct sqlite3_stmt* st, const QStringList& nombres,
                 const QList<QByteArray>& marcas, std::vector<int>* indices = nullptr) const;
    int EjecutaEmbebida();
    Traduccion traduccion_;

    Conexion* conexion_;
    QStringList lineas_;
    // Parameter names compare without regard to case, as the server does; a name spelled as
    // before is found by the index, which a statement run row after row relies on.
    qsizetype IndiceParametro(const QString& nombre) const; // -1: not given
    std::vector<std::pair<QString, Param>> parametros_;
    mutable QHash<QString, qsizetype> indiceParametros_;
    QStringList campos_;
    std::vector<QVariantList> filas_;
    int fila_ = 0;
    bool activa_ = false;
};
