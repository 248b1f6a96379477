// Grid export to semicolon-delimited files.
#include "common/Exportacion.h"

#include "common/Dialogos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/Texto1252.h"

#include <QApplication>
#include <QSaveFile>

namespace {

// Wait cursor and frozen grid for the length of the export, restored even on error.
class EsperaExportando {
public:
    explicit EsperaExportando(Grilla& grilla) : grilla_(grilla) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        grilla_.setUpdatesEnabled(false);
    }
    ~EsperaExportando() {
        grilla_.setUpdatesEnabled(true);
        QApplication::restoreOverrideCursor();
    }

private:
    Grilla& grilla_;
};

void Escribe(QSaveFile& archivo, std::string& bloque) {
    if (archivo.write(bloque.data(), qint64(bloque.size())) != qint64(bloque.size()))
        throw ErrorArchivo(QStringLiteral("No se pudo escribir el archivo %1.\n%2")
                               .arg(archivo.fileName(), archivo.errorString()));
    bloque.clear();
}

} // namespace

void ExportaGrillaCSV(Grilla& grilla, const QString& nombre) {
    const ModeloGrilla& modelo = grilla.Modelo();
    if (!modelo.Activo())
        return;
    EsperaExportando espera(grilla);

    QSaveFile archivo(nombre);
    if (!archivo.open(QIODevice::WriteOnly))
        throw ErrorArchivo(QStringLiteral("No se pudo crear el archivo %1.\n%2")
                               .arg(nombre, archivo.errorString()));

    const int columnas = modelo.columnCount();
    std::vector<int> visibles;
    for (int c = 0; c < columnas; ++c)
        if (!grilla.isColumnHidden(c))
            visibles.push_back(c);
    // ";" follows every value except one in the grid's last column; hidden columns write
    // nothing, so a hidden last column leaves the line ending in ";".
    auto separador = [&](int c) { return c != columnas - 1; };

    std::string bloque;
    bloque.reserve(1 << 20);
    for (int c : visibles) {
        const QByteArray titulo = Texto1252::Codifica(modelo.Titulo(c));
        bloque.append(titulo.constData(), size_t(titulo.size()));
        if (separador(c))
            bloque.push_back(';');
    }
    bloque.append("\r\n");

    std::string celda;
    const int filas = modelo.Filas();
    for (int f = 0; f < filas; ++f) {
        const int origen = modelo.FilaOrigen(f);
        for (int c : visibles) {
            celda.clear();
            modelo.TextoCelda(origen, c, celda);
            Texto1252::AgregaDesdeUtf8(bloque, celda);
            if (separador(c))
                bloque.push_back(';');
        }
        bloque.append("\r\n");
        if (bloque.size() >= (1u << 20))
            Escribe(archivo, bloque);
    }
    Escribe(archivo, bloque);
    if (!archivo.commit())
        throw ErrorArchivo(QStringLiteral("No se pudo guardar el archivo %1.\n%2")
                               .arg(nombre, archivo.errorString()));
    // The data set returns to its first record.
    grilla.IrAPrimera();
}

void ExportaConDialogo(Grilla& grilla) {
    const QString archivo = Dialogos::GuardarComo(
        {QStringLiteral("Guardar como"), QStringLiteral("csv"),
         QStringLiteral("Campos delimitados por punto y coma (.csv)|*.csv")});
    if (archivo.isEmpty())
        return;
    ExportaGrillaCSV(grilla, archivo);
    MuestraInformacion(QStringLiteral("Se guardó el archivo ") + archivo.toUpper() +
                       QStringLiteral("\nPara abrirlo, inicialice primeramente MS-EXCEL y a "
                                      "continuación abra los archivos con extensión .CSV"));
}
