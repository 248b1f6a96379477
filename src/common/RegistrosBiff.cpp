// The records of an xls workbook stream, walked inside its compound file.
#include "common/RegistrosBiff.h"

#include <QFile>
#include <cstdint>
#include <vector>

namespace RegistrosBiff {
namespace {

constexpr std::uint32_t kFinCadena = 0xFFFFFFFE;
constexpr std::uint32_t kLibre = 0xFFFFFFFF;
// BIFF8 allows at most 8224 bytes of data in a record; BIFF5 2080.
constexpr std::uint16_t kMaximoBiff8 = 8224;
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;

// The compound file read from memory; every access is checked against its size.
class Compuesto {
public:
    explicit Compuesto(QByteArray datos) : d_(std::move(datos)) {}

    bool Lee(QString& motivo) {
        if (d_.size() < 512)
            return Mal(motivo, "el archivo es más corto que su encabezado");
        const std::uint16_t desplazamiento = U16(0x1E);
        const std::uint16_t desplazamientoMini = U16(0x20);
        if (desplazamiento != 9 && desplazamiento != 12)
            return Mal(motivo, "el tamaño de sus sectores no es válido");
        if (desplazamientoMini != 6)
            return Mal(motivo, "el tamaño de sus sectores pequeños no es válido");
        sector_ = std::size_t(1) << desplazamiento;
        mini_ = std::size_t(1) << desplazamientoMini;
        corteMini_ = U32(0x38);
        // The allocation table from the header's list and its continuation sectors.
        std::vector<std::uint32_t> sectoresFat;
        for (int i = 0; i < 109; ++i) {
            const std::uint32_t s = U32(0x4C + std::size_t(i) * 4);
            if (s != kLibre)
                sectoresFat.push_back(s);
        }
        std::uint32_t dif = U32(0x44);
        for (std::uint32_t n = U32(0x48), vuelta = 0; n > 0 && dif < kFinCadena; --n, ++vuelta) {
            if (vuelta > Sectores() || !SectorValido(dif))
                return Mal(motivo, "su tabla de sectores está dañada");
            const std::size_t base = Desde(dif);
            for (std::size_t k = 0; k + 1 < sector_ / 4; ++k) {
                const std::uint32_t s = U32(base + k * 4);
                if (s != kLibre)
                    sectoresFat.push_back(s);
            }
            dif = U32(base + sector_ - 4);
        }
        // A table longer than the file has sectors is damage, and would only fill memory.
        if (sectoresFat.size() > Sectores())
            return Mal(motivo, "su tabla de sectores está dañada");
        for (std::uint32_t s : sectoresFat) {
            if (!SectorValido(s))
                return Mal(motivo, "su tabla de sectores está dañada");
            for (std::size_t k = 0; k < sector_ / 4; ++k)
                fat_.push_back(U32(Desde(s) + k * 4));
        }
        QByteArray directorio;
        if (!Cadena(fat_, U32(0x30), sector_, nullptr, directorio))
            return Mal(motivo, "su directorio está dañado");
        QByteArray miniFat;
        if (U32(0x3C) < kFinCadena && !Cadena(fat_, U32(0x3C), sector_, nullptr, miniFat))
            return Mal(motivo, "su tabla de sectores pequeños está dañada");
        for (qsizetype k = 0; k + 4 <= miniFat.size(); k += 4)
            miniFat_.push_back(U32En(miniFat, std::size_t(k)));
        // The root entry holds the small streams.
        if (directorio.size() < 128)
            return Mal(motivo, "su directorio está dañado");
        if (!Cadena(fat_, U32En(directorio, 0x74), sector_, nullptr, miniFlujo_))
            return Mal(motivo, "el depósito de sus flujos pequeños está dañado");
        miniFlujo_.truncate(qsizetype(
            std::min<std::uint64_t>(U32En(directorio, 0x78), std::uint64_t(miniFlujo_.size()))));
        directorio_ = directorio;
        return true;
    }

    // The stream named `nombre` ("Workbook", or "Book" of BIFF5); false when there is none.
    bool Flujo(const char* nombre, QByteArray& flujo, QString& motivo) {
        for (qsizetype e = 0; e + 128 <= directorio_.size(); e += 128) {
            const std::size_t base = std::size_t(e);
            const std::uint16_t largo = U16En(directorio_, base + 0x40);
            if (directorio_[qsizetype(base + 0x42)] != 2 || largo < 2 || largo > 64)
                continue;
            const QString n = QString::fromUtf16(
                reinterpret_cast<const char16_t*>(directorio_.constData() + e), largo / 2 - 1);
            if (n.compare(QLatin1String(nombre), Qt::CaseInsensitive) != 0)
                continue;
            const std::uint32_t inicio = U32En(directorio_, base + 0x74);
            const std::uint32_t tamano = U32En(directorio_, base + 0x78);
            const bool pequeno = tamano < corteMini_;
            if (!Cadena(pequeno ? miniFat_ : fat_, inicio, pequeno ? mini_ : sector_,
                        pequeno ? &miniFlujo_ : nullptr, flujo) ||
                std::uint64_t(flujo.size()) < tamano) {
                Mal(motivo, "su flujo de datos está cortado o dañado");
                return false;
            }
            flujo.truncate(qsizetype(tamano));
            return true;
        }
        return false;
    }

private:
    static bool Mal(QString& motivo, const char* texto) {
        motivo = QString::fromUtf8(texto);
        return false;
    }
    std::uint32_t Sectores() const { return std::uint32_t(std::size_t(d_.size()) / sector_); }
    bool SectorValido(std::uint32_t s) const { return s < kFinCadena && s < Sectores(); }
    std::size_t Desde(std::uint32_t s) const { return (std::size_t(s) + 1) * sector_; }
    std::uint16_t U16(std::size_t i) const { return U16En(d_, i); }
    std::uint32_t U32(std::size_t i) const { return U32En(d_, i); }
    // Little-endian numbers, zero (or the end of a chain) past the data.
    static std::uint16_t U16En(const QByteArray& b, std::size_t i) {
        if (i + 2 > std::size_t(b.size()))
            return 0;
        const auto* u = reinterpret_cast<const unsigned char*>(b.constData()) + i;
        return std::uint16_t(u[0] | u[1] << 8);
    }
    static std::uint32_t U32En(const QByteArray& b, std::size_t i) {
        if (i + 4 > std::size_t(b.size()))
            return kFinCadena;
        const auto* u = reinterpret_cast<const unsigned char*>(b.constData()) + i;
        return std::uint32_t(u[0]) | std::uint32_t(u[1]) << 8 | std::uint32_t(u[2]) << 16 |
               std::uint32_t(u[3]) << 24;
    }

    // The sectors of a chain, joined; from the file, or from the small-stream store when
    // `deposito` is given. False on a sector out of the file, a loop or a broken link.
    bool Cadena(const std::vector<std::uint32_t>& tabla, std::uint32_t s, std::size_t tamano,
                const QByteArray* deposito, QByteArray& salida) const {
        salida.clear();
        const QByteArray& origen = deposito ? *deposito : d_;
        const std::size_t limite = tabla.size();
        for (std::size_t pasos = 0; s != kFinCadena; ++pasos) {
            if (s >= limite || pasos > limite)
                return false;
            const std::size_t desde = deposito ? std::size_t(s) * tamano : Desde(s);
            if (desde + tamano > std::size_t(origen.size())) {
                // The file's last sector may be short.
                if (deposito || desde >= std::size_t(origen.size()))
                    return false;
                salida.append(origen.constData() + desde,
                              qsizetype(origen.size()) - qsizetype(desde));
            } else {
                salida.append(origen.constData() + desde, qsizetype(tamano));
            }
            s = tabla[s];
        }
        return true;
    }

    QByteArray d_;
    std::size_t sector_ = 512;
    std::size_t mini_ = 64;
    std::uint32_t corteMini_ = 4096;
    std::vector<std::uint32_t> fat_;
    std::vector<std::uint32_t> miniFat_;
    QByteArray miniFlujo_;
    QByteArray directorio_;
};

// The records of a workbook stream: each BOF opens a part that its EOF closes, no record is
// longer than BIFF allows or runs past the stream, and after the last EOF only padding follows.
QString Recorre(const QByteArray& flujo) {
    const std::size_t n = std::size_t(flujo.size());
    std::size_t p = 0;
    int abiertas = 0;
    int partes = 0;
    while (p + 4 <= n) {
        const auto* u = reinterpret_cast<const unsigned char*>(flujo.constData()) + p;
        const auto tipo = std::uint16_t(u[0] | u[1] << 8);
        const auto largo = std::uint16_t(u[2] | u[3] << 8);
        if (abiertas == 0 && tipo == 0 && largo == 0)
            break; // padding after the last part
        if (largo > kMaximoBiff8 || p + 4 + largo > n)
            return QString::fromUtf8("un registro en la posición %1 tiene una longitud que no es "
                                     "válida (%2 bytes)")
                .arg(p)
                .arg(largo);
        if (tipo == kBof) {
            ++abiertas;
            ++partes;
        } else if (tipo == kEof) {
            if (abiertas == 0)
                return QString::fromUtf8("un fin de hoja en la posición %1 no tiene comienzo")
                    .arg(p);
            --abiertas;
        } else if (abiertas == 0) {
            return QString::fromUtf8("hay datos fuera de las hojas en la posición %1").arg(p);
        }
        p += 4 + largo;
    }
    for (; p < n; ++p)
        if (flujo[qsizetype(p)] != 0)
            return QString::fromUtf8("hay datos sueltos al final del libro");
    if (partes == 0)
        return QString::fromUtf8("no tiene ninguna hoja");
    if (abiertas != 0)
        return QString::fromUtf8("una hoja no termina: el libro está cortado");
    return {};
}

} // namespace

QString Revisa(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    Compuesto c(f.readAll());
    f.close();
    QString motivo;
    if (!c.Lee(motivo))
        return motivo;
    QByteArray flujo;
    if (!c.Flujo("Workbook", flujo, motivo) && motivo.isEmpty() && !c.Flujo("Book", flujo, motivo))
        return motivo.isEmpty() ? QString::fromUtf8("no tiene el flujo de datos de un libro")
                                : motivo;
    if (!motivo.isEmpty())
        return motivo;
    return Recorre(flujo);
}

} // namespace RegistrosBiff
