// Guide test rows.
#include "apoyo/Fixturas.h"

#include "common/Grilla.h"
#include "common/Ventanas.h"
#include "guides/TfMueveA.h"
#include "guides/TfTotalBov.h"
#include "vaccination/TfBuscar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVariantList>

void CertificadoCiclo(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                      const std::array<int, 8>& bovinos, const std::array<int, 8>& bufalos) {
    QVariantList v{ciclo, nro, predio};
    for (int n : bovinos)
        v << n;
    for (int n : bufalos)
        v << n;
    b.Sql(QStringLiteral(
              "INSERT INTO Ciclos (IdCiclo, CertificadoNro, Predio_Cabana, Predio_Codigo, "
              "Predio_IdDistrital, Predio_IdProvincia, Predio_IdMunicipio, Predio_Juridiccion, "
              "Dosis_Proveedor, Dosis_Cantidad, Dosis_Laboratorio, Dosis_Procedencia, "
              "Dosis_Expiracion, Vacu_Fecha, Vacu_Certifica, Vacu_Ciclo, Vacu_Asistida, "
              "Vacu_Fiscalizada, Vacu_Compulsiva, Vacu_Responsable, Prop_Paterno, Prop_Materno, "
              "Prop_Nombres, Prop_Responsable, Comp_Nombre, Comp_Direccion, Registro_Por, "
              "Registro_Fecha, Registro_Sincronizado, BOV_Grupo_1M, BOV_Grupo_1H, BOV_Grupo_2M, "
              "BOV_Grupo_2H, BOV_Grupo_3M, BOV_Grupo_3H, BOV_Grupo_4M, BOV_Grupo_4H, "
              "BUB_Grupo_1M, BUB_Grupo_1H, BUB_Grupo_2M, BUB_Grupo_2H, BUB_Grupo_3M, "
              "BUB_Grupo_3H, BUB_Grupo_4M, BUB_Grupo_4H) VALUES (?, ?, ?, 'UP-9', 'SCZ', '01', "
              "'02', 'COTOCA', 'P', 1, 'L', 'X', 'E', '2026-05-10', '2026-05-12', 1, 0, 0, 0, "
              "'DR. PEREZ', 'ROCA', NULL, 'ANA', 'R', 'C', 'D', 'op', '2026-05-13', 0, ?, ?, ?, "
              "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
          v);
}

void CertificadoLegado(BaseDePrueba& b, const QString& ciclo, int nro, const QString& predio,
                       const QString& dis, const QString& pro, const QList<int>& animales,
                       const QString& vacunador) {
    QVariantList v{ciclo,    nro, predio, dis, pro, QStringLiteral("01"), QStringLiteral("AAA"),
                   vacunador};
    for (int c : animales)
        v << (c < 0 ? QVariant() : QVariant(c));
    b.Sql(QStringLiteral(
              "INSERT INTO Vacunaciones (IdCiclo, CertificadoNro, NombreCabana, IdDistrital, "
              "IdProvincia, IdMunicipio, IdProveedor, IdVacunador, Terneros, Vaquillas, "
              "Torillos, Novillos, Vacas, Toros, Bueyes, Bufalos, CantidadDosis, Laboratorio, "
              "Partida, Procedencia, Expiracion, FechaVacunacion, FechaCertificacion, Paterno, "
              "Nombres, Localidad) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 10, "
              "'LAB', "
              "'P', 'ARG', '12/2027', '2020-05-01', '2020-05-02', 'ROCA', 'ANA', 'CENTRO')"),
          v);
}

void GuiaGuardada(BaseDePrueba& b, int nro, const QString& distrital, const QString& especie,
                  const QString& oriCertificado, const QString& oriCiclo,
                  const QString& desCertificado, const QString& desCiclo,
                  const std::array<int, 8>& grupos) {
    auto nulo = [](const QString& t) { return t.isEmpty() ? QVariant() : QVariant(t.toInt()); };
    QVariantList v{
        nro, especie, distrital, nulo(oriCertificado), oriCiclo, nulo(desCertificado), desCiclo};
    for (int n : grupos)
        v << n;
    b.Sql(QStringLiteral(
              "INSERT INTO Guias (NroGuia, Especie, SolicitanteNombre, Ori_Rubro, "
              "Ori_Establecimiento, Ori_IdDistrital, Ori_IdProvincia, Ori_IdMunicipio, "
              "Ori_Certificado, Ori_Ciclo, Des_Rubro, Des_Establecimiento, Des_IdDistrital, "
              "Des_IdProvincia, Des_IdMunicipio, Des_Certificado, Des_Ciclo, Grupo_0M, Grupo_0H, "
              "Grupo_1M, Grupo_1H, Grupo_2M, Grupo_2H, Grupo_3M, Grupo_3H, Grupo_4M, Grupo_4H, "
              "Autoriza_Funcionario, Autoriza_Fecha, Medio_Transporte, Medio_Conductor, "
              "Autoriza_Ruta, Autoriza_DadoEn) VALUES (?, ?, 'S', 'Predio', 'E', ?, '01', '02', "
              "?, ?, 'Predio', 'F', 'SCZ', '01', '02', ?, ?, 0, 0, ?, ?, ?, ?, ?, ?, ?, ?, 'op', "
              "'2026-06-01 00:00:00.000', 'Tren', 'C', 'R', 'D')"),
          v);
}

void Elige(QComboBox* c, const QString& texto) {
    c->setCurrentIndex(c->findText(texto));
    emit c->activated(c->currentIndex());
}

bool LlenaGuiaBovina(TfMueveA& f) {
    Elige(f.cRubroO, QStringLiteral("Predio"));
    f.sbBuscaO->click();
    if (!fBuscar)
        return false;
    fBuscar->eBuscar->setText(QStringLiteral("esperanza"));
    fBuscar->bbBuscar->click();
    if (fBuscar->DBGrid1->Modelo().Filas() != 1)
        return false;
    fBuscar->bbInsertar->click();
    Elige(f.cRubroD, QStringLiteral("Feria"));
    Elige(f.cDistritalD, QStringLiteral("SCZ"));
    Elige(f.cProvinciaD, QStringLiteral("Warnes"));
    Elige(f.cMunicipioD, QStringLiteral("Warnes"));
    f.ePredioD->setText(QStringLiteral("FERIA DE WARNES"));
    f.ePropietarioD->setText(QString::fromUtf8("ASOCIACIÓN"));
    f.cFeria->setChecked(true);
    f.cMedio->setCurrentIndex(0);
    f.eSolicitante->setText(QStringLiteral("O'HARA'); DROP TABLE Guias; --"));
    const Ventanas::Manejador anterior = Ventanas::InstalaManejador([](QDialog& d) {
        auto& t = dynamic_cast<TfTotalBov&>(d);
        t.FormActivate();
        t.Movimiento(0)->setText(QStringLiteral("3"));
        return int(QDialog::Accepted);
    });
    f.sbEspecie->click();
    Ventanas::InstalaManejador(anterior);
    return f.stTotalBov->text() == QLatin1String("3");
}
