// Read-only table model over a fully read result: one typed vector per field, a column table
// (field, title, visibility, alignment, display format, colours), a row-colour hook and a
// stable sort by index permutation. The display text of a cell comes from one function, used
// by the grid and by the export, so a file shows exactly what the grid shows.
#pragma once

#include "common/BloqueCreciente.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QDateTime>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QSqlQuery;

// Allocator of the grid's large vectors: blocks of 4 MB and more are asked in huge pages where
// the system offers them, so walking a sorted million-row grid does not thrash the page tables.
template <class T> struct AsignadorGrande {
    using value_type = T;
    AsignadorGrande() = default;
    template <class U> AsignadorGrande(const AsignadorGrande<U>&) noexcept {}
    T* allocate(std::size_t n);
    void deallocate(T* p, std::size_t n) noexcept;
    template <class U> bool operator==(const AsignadorGrande<U>&) const noexcept { return true; }
};
void* ReservaGrande(std::size_t bytes);
void LiberaGrande(void* p, std::size_t bytes) noexcept;
template <class T> T* AsignadorGrande<T>::allocate(std::size_t n) {
    return static_cast<T*>(ReservaGrande(n * sizeof(T)));
}
template <class T> void AsignadorGrande<T>::deallocate(T* p, std::size_t n) noexcept {
    LiberaGrande(p, n * sizeof(T));
}
template <class T> using VectorGrande = std::vector<T, AsignadorGrande<T>>;
using TextoGrande = std::basic_string<char, std::char_traits<char>, AsignadorGrande<char>>;

enum class TipoCampo { Texto, Entero, Real, Fecha, Logico };

// One column of a grid, as a window's column table lists it.
struct DefColumna {
    QString campo;
    QString titulo; // empty: the field name is shown
    bool visible = true;
    int ancho = 0;                 // pixels; 0 lets the grid choose
    Qt::Alignment alineacion = {}; // empty: numbers right, the rest left
    // Display format. Numbers: "#,##0", "0.00", "#,##0.00" (grouping "," and decimals ".");
    // dates: "dd/MM/yyyy HH:mm:ss" style; logicals: "Sí;No".
    QString formato;
    QColor fondo;
    QColor texto;
    bool negrita = false;
};

// A shown column: field, title (empty: the field's name), width in pixels (0: the grid's
// choice) and alignment (empty: numbers right, the rest left).
DefColumna Columna(const char* campo, const char* titulo = "", int ancho = 0,
                   Qt::Alignment alineacion = {});
// A field the window reads but does not show.
DefColumna ColumnaOculta(const char* campo);

class ModeloGrilla : public QAbstractTableModel {
    Q_OBJECT
public:
    // A row's colour from the value of one field, given by its index in the data set.
    using ColorFila = std::function<QColor(const ModeloGrilla&, int filaOrigen, int campo)>;

    explicit ModeloGrilla(QObject* padre = nullptr);

    // --- filling -------------------------------------------------------------------------
    // Reads the whole result (to its end) into the columnar store. The grid columns are
    // `columnas`, or every field titled by its name when the table is empty. False when a
    // fetch failed half-way: the query's error says why and nothing is published.
    bool Carga(QSqlQuery& consulta, const std::vector<DefColumna>& columnas = {});
    // Building by hand (large data, tests): declare the fields, append rows, then Publica.
    void Inicia(const QStringList& campos, const std::vector<TipoCampo>& tipos);
    void AgregaNulo(int campo);
    void AgregaTexto(int campo, std::string_view utf8);
    void AgregaEntero(int campo, std::int64_t valor);
    void AgregaReal(int campo, double valor);
    void AgregaFecha(int campo, const QDateTime& valor);
    void AgregaFechaMs(int campo, std::int64_t msDesde0001);
    // Room for `filas` rows in every field, when the count is known beforehand.
    void Reserva(int filas);
    void AgregaLogico(int campo, bool valor);
    void Publica(const std::vector<DefColumna>& columnas = {});
    // Adds an integer field computed for every row (per-row totals of a list) and applies the
    // column table again, so a column that names it shows it.
    void AgregaCampoCalculado(const QString& nombre,
                              const std::function<std::int64_t(int filaOrigen)>& calculo);
    // No data set (the grid shows nothing, an export writes nothing).
    void Vacia();
    // No data set yet, but the column table's titles shown (a console before its first run).
    void Titula(const std::vector<DefColumna>& columnas);

    bool Activo() const { return activo_; }
    int Filas() const { return int(orden_.size()); }
    int Campos() const { return int(datos_.size()); }
    int CampoPorNombre(const QString& campo) const; // -1 when absent
    const std::vector<DefColumna>& Columnas() const { return columnas_; }
    int CampoDeColumna(int columna) const { return campoDeColumna_[size_t(columna)]; }

    // --- values, by row of the view (after sorting) ----------------------------------------
    int FilaOrigen(int filaVista) const { return orden_[size_t(filaVista)]; }
    bool EsNulo(int filaOrigen, int campo) const;
    QVariant Valor(int filaOrigen, int campo) const;
    QVariant Valor(int filaOrigen, const QString& campo) const;
    // Integer value (0 for NULL) of numeric and logical fields.
    std::int64_t Entero(int filaOrigen, int campo) const;
    double Real(int filaOrigen, int campo) const;
    // The display text of a grid column, appended as UTF-8; the one source of cell texts.
    void TextoCelda(int filaOrigen, int columna, std::string& utf8) const;
    QString Texto(int filaVista, int columna) const;
    // The view row whose fields equal the values (texts without regard to case); -1 if none.
    int Busca(const QStringList& campos, const QVariantList& valores) const;
    // The display texts of one column for `n` source rows, appended to `utf8`, with the end
    // offset of each cell in `fin`: the same texts as TextoCelda, for long walks (the export).
    // The cells are first gathered in a tight loop, so the scattered rows of a sorted grid are
    // fetched from memory many at a time, then formatted.
    void TextosColumna(int columna, const int* filas, int n, std::string& utf8,
                       std::vector<std::uint32_t>& fin) const;
    QString Titulo(int columna) const;

    // --- sorting and colours ---------------------------------------------------------------
    // Stable sort of the current order by one grid column; NULLs first when ascending.
    void Ordena(int columna, bool ascendente);
    // Title click: ascending, or the reverse when the same column was sorted last.
    void OrdenaPorClic(int columna);
    // The background and the text colour of a whole row, decided by the field named `campo`
    // (an invalid colour leaves the column's own). The field is found once for each data set,
    // not for every painted cell.
    void FijaColorFila(const QString& campo, ColorFila funcion);
    void FijaColorTextoFila(const QString& campo, ColorFila funcion);

    // --- QAbstractTableModel ---------------------------------------------------------------
    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    struct Datos {
        QString nombre;
        TipoCampo tipo = TipoCampo::Texto;
        bool tipoFijado = false;
        BloqueCreciente<std::uint8_t> nulo;
        BloqueCreciente<std::int64_t> enteros; // Entero, Logico, Fecha (ms from 0001-01-01)
        BloqueCreciente<double> reales;
        BloqueCreciente<char> texto;        // Texto: UTF-8 pool
        BloqueCreciente<std::uint64_t> fin; // end offset of each row's text in the pool
        std::string_view Cadena(int fila) const;
        // Empties the blocks, keeping their memory for the next fill.
        void Limpia();
        // Frees the blocks the field's type does not use.
        void LiberaSobrantes();
    };

    // A column's display format, parsed once when the column table is applied.
    struct Formato {
        bool logico = false;                        // "Sí;No" style
        std::string verdadero = "Sí", falso = "No"; // a bit column without a format
        bool conFormato = false;                    // number format given
        int decimales = 0;
        bool agrupa = false;
        std::string fecha; // date pattern; empty: date, and time of day when present
    };

    void ArmaColumnas(const std::vector<DefColumna>& columnas);
    // Display text of a value kept in the integer vector (whole numbers, bits, dates).
    static void FormateaEntero64(std::string& s, TipoCampo tipo, const Formato& f, std::int64_t v);
    void AgregaVariante(int campo, const QVariant& valor);

    // Empties the data set, keeping its blocks in `reserva_`: the next fill (the same console
    // run again) writes into memory already mapped, without remaps or page faults.
    void GuardaBloques();

    std::vector<Datos> datos_;
    std::vector<Datos> reserva_;
    std::vector<DefColumna> columnas_;
    std::vector<int> campoDeColumna_;
    std::vector<Formato> formatos_;
    VectorGrande<int> orden_;
    struct Coloreo {
        QString nombre;
        int campo = -1;
        ColorFila funcion;
        QVariant Color(const ModeloGrilla& m, int filaOrigen) const;
    };
    Coloreo colorFila_;
    Coloreo colorTextoFila_;
    bool activo_ = false;
    int ultimaColumnaOrdenada_ = -1;
    bool ultimaAscendente_ = true;
};

// Date-time as stored in the grid's vectors: milliseconds counted from 0001-01-01 00:00.
std::int64_t MilisegundosDeFecha(const QDateTime& fecha);
QDateTime FechaDeMilisegundos(std::int64_t ms);
// "YYYY-MM-DD[ HH:MM[:SS[.zzz]]]" (the embedded database's dates) straight to milliseconds;
// false for any other shape.
bool MilisegundosDeTextoIso(std::string_view texto, std::int64_t& ms);
