// Grid export to semicolon-delimited files.
#include "common/Exportacion.h"

#include "common/Dialogos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "common/Mensajes.h"
#include "common/Texto1252.h"

#include <QApplication>
#include <QSaveFile>
#include <cstring>

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

// The file has no quoting: a line break inside a value would split its row and a ";" would
// shift its columns when a spreadsheet opens it. Both become what the entry forms already
// store for them: a blank, and ",". Every one of them is one byte in UTF-8 and in the code
// page, so the cells' offsets stay valid.
void LimpiaValores(std::string& texto) {
    for (char& c : texto)
        if (c == '\n' || c == '\r')
            c = ' ';
        else if (c == ';')
            c = ',';
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
        std::string limpio(titulo.constData(), size_t(titulo.size()));
        LimpiaValores(limpio);
        bloque.append(limpio);
        if (separador(c))
            bloque.push_back(';');
    }
    bloque.append("\r\n");

    // Rows are formatted in blocks, one column at a time (see TextosColumna); text columns are
    // converted to the code page there, and the lines are then assembled by plain copies.
    constexpr int kBloque = 2048;
    std::vector<std::string> textos(visibles.size());
    std::vector<std::vector<std::uint32_t>> fines(visibles.size());
    std::vector<char> separa(visibles.size());
    for (size_t k = 0; k < visibles.size(); ++k)
        separa[k] = separador(visibles[k]) ? 1 : 0;
    std::string utf8;
    std::vector<std::uint32_t> finesUtf8;
    std::vector<int> origen(kBloque);
    const int filas = modelo.Filas();
    for (int desde = 0; desde < filas; desde += kBloque) {
        const int hasta = std::min(filas, desde + kBloque);
        const int n = hasta - desde;
        for (int f = desde; f < hasta; ++f)
            origen[size_t(f - desde)] = modelo.FilaOrigen(f);
        size_t largo = 0;
        for (size_t k = 0; k < visibles.size(); ++k) {
            std::string& texto = textos[k];
            std::vector<std::uint32_t>& fin = fines[k];
            texto.clear();
            utf8.clear();
            modelo.TextosColumna(visibles[k], origen.data(), n, utf8, finesUtf8);
            LimpiaValores(utf8);
            const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) {
                return static_cast<unsigned char>(c) < 0x80;
            });
            if (ascii) {
                texto.swap(utf8);
                fin.swap(finesUtf8);
            } else {
                fin.clear();
                for (int i = 0; i < n; ++i) {
                    const std::uint32_t inicio = i == 0 ? 0 : finesUtf8[size_t(i) - 1];
                    Texto1252::AgregaDesdeUtf8(texto, std::string_view(utf8).substr(
                                                          inicio, finesUtf8[size_t(i)] - inicio));
                    fin.push_back(std::uint32_t(texto.size()));
                }
            }
            largo += texto.size() + size_t(separa[k]) * size_t(n);
        }
        largo += 2 * size_t(hasta - desde);
        const size_t antes = bloque.size();
        bloque.resize(antes + largo);
        char* p = bloque.data() + antes;
        for (int f = desde; f < hasta; ++f) {
            const size_t i = size_t(f - desde);
            for (size_t k = 0; k < visibles.size(); ++k) {
                const std::uint32_t inicio = i == 0 ? 0 : fines[k][i - 1];
                const std::uint32_t n = fines[k][i] - inicio;
                std::memcpy(p, textos[k].data() + inicio, n);
                p += n;
                if (separa[k])
                    *p++ = ';';
            }
            *p++ = '\r';
            *p++ = '\n';
        }
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
    const QString archivo =
        Dialogos::GuardarComo({QStringLiteral("Guardar como"), QStringLiteral("csv"),
                               QStringLiteral("Campos delimitados por punto y coma (.csv)|*.csv")});
    if (archivo.isEmpty())
        return;
    ExportaGrillaCSV(grilla, archivo);
    MuestraInformacion(QStringLiteral("Se guardó el archivo ") + archivo.toUpper() +
                       QStringLiteral("\nPara abrirlo, inicialice primeramente MS-EXCEL y a "
                                      "continuación abra los archivos con extensión .CSV"));
}
