// Guide layouts: label positions in millimetres from the printable area's corner.
#include "guides/TfGuiaR.h"

namespace {

struct Posicion {
    const char* nombre;
    double izquierda, arriba, ancho, alto, puntos;
    bool negrita;
    char alineacion; // 'L' left, 'C' centre
    bool autoAncho;
};

void Agrega(Informe& informe, const Posicion& p) {
    informe.AgregaEtiqueta(QString::fromLatin1(p.nombre), p.izquierda, p.arriba, p.ancho, p.alto,
                           Informe::Fuente(p.puntos, p.negrita),
                           p.alineacion == 'C' ? Qt::AlignHCenter : Qt::AlignLeft, p.autoAncho);
}

// The watermark: always printed, always in white.
void AgregaMarcaDeAgua(Informe& informe) {
    ElementoInforme& e = informe.AgregaEtiqueta(QStringLiteral("qrlValido"), 55.0, 6.9, 70.6, 15.1,
                                                Informe::Fuente(36, true), Qt::AlignLeft, true);
    e.texto = QString::fromUtf8("NO VÁLIDO");
    e.color = Qt::gray;
}

} // namespace

TfGuiaR::TfGuiaR()
    : Informe(QStringLiteral("Guía de movimiento - Vista previa de impresión"), QPageSize::A4) {
    AgregaBanda(BandaInforme::Titulo, 277);
    AgregaMarcaDeAgua(*this);
    static const Posicion posiciones[] = {
        {"qrlGuiaNro", 44.5, 22.8, 22.2, 5.3, 12, true, 'L', true},
        {"qrlSolicitanteNombre", 44.5, 28.6, 31.0, 4.5, 9, false, 'L', true},
        {"qrlSolicitanteCarnet", 155.8, 28.6, 28.8, 4.5, 9, false, 'L', true},
        {"qrlDepa", 48.7, 34.9, 6.6, 4.5, 9.75, true, 'C', false},
        {"qrlProv", 99.5, 34.9, 6.6, 4.5, 9.75, true, 'C', false},
        {"qrlMuni", 141.8, 34.9, 6.6, 4.5, 9.75, true, 'C', false},
        {"qrlOriIncubadora", 3.4, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlOriPredio", 21.2, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlOriFeria", 34.4, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlOriRemate", 47.9, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlOriImportacion", 61.1, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlDesIncubadora", 90.8, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlDesMatadero", 112.2, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlDesFeria", 129.4, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlDesPredio", 146.3, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlDesRemate", 163.5, 47.4, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlOriEstablecimiento", 18.3, 54.5, 26.7, 4.5, 8.25, false, 'L', true},
        {"qrlDesEstablecimiento", 107.2, 54.5, 28.0, 4.5, 8.25, false, 'L', true},
        {"qrlOriPropietario", 24.6, 59.8, 20.6, 4.5, 8.25, false, 'L', true},
        {"qrlDesPropietario", 113.5, 59.8, 22.0, 4.5, 8.25, false, 'L', true},
        {"qrlOriPadron", 29.9, 64.8, 16.1, 4.5, 8.25, false, 'L', true},
        {"qrlDesPadron", 118.8, 64.8, 17.5, 4.5, 8.25, false, 'L', true},
        {"qrlOriMunicipio", 16.1, 69.3, 24.9, 4.5, 8.25, false, 'L', false},
        {"qrlOriProvincia", 54.8, 69.3, 17.7, 4.5, 8.25, false, 'L', false},
        {"qrlOriDpto", 79.6, 69.3, 11.1, 4.5, 8.25, false, 'L', false},
        {"qrlDesMunicipio", 102.9, 69.3, 19.3, 4.5, 8.25, false, 'L', false},
        {"qrlDesProvincia", 152.1, 69.3, 17.7, 4.5, 8.25, false, 'L', false},
        {"qrlDesDpto", 178.3, 69.3, 11.1, 4.5, 8.25, false, 'L', false},
        {"qrlBOV", 2.1, 79.4, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlBUB", 2.1, 84.1, 2.6, 4.5, 9.75, true, 'L', false},
        {"qGrupo1M", 29.6, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo1H", 38.6, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo2M", 47.6, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo2H", 56.6, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo3M", 65.6, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo3H", 74.3, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo4M", 83.3, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupo4H", 92.3, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupoTM", 101.3, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qGrupoTH", 110.3, 90.0, 8.7, 4.5, 9, false, 'C', false},
        {"qrlGAL", 2.1, 94.5, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlPAV", 2.1, 99.2, 2.6, 4.5, 9.75, true, 'L', false},
        {"aGrupo1M", 82.5, 100.5, 13.5, 4.5, 9, false, 'C', false},
        {"aGrupo1H", 101.1, 100.5, 13.5, 4.5, 9, false, 'C', false},
        {"qrlAVE", 2.1, 104.0, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlPAT", 2.1, 108.7, 2.6, 4.5, 9.75, true, 'L', false},
        {"aGrupoT", 88.9, 111.1, 19.3, 4.5, 9, false, 'C', false},
        {"qrlOTR", 2.1, 113.5, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlCAM", 2.1, 120.9, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlCAP", 31.8, 120.9, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlSUI", 2.1, 125.7, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlEQU", 31.8, 125.7, 2.6, 4.5, 9.75, true, 'L', false},
        {"qrlOVI", 2.1, 130.4, 2.6, 4.5, 9.75, true, 'L', false},
        {"sGrupo0M", 80.4, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo0H", 89.4, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo1M", 98.7, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo1H", 107.7, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo2M", 116.9, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo2H", 125.9, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo3M", 135.2, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo3H", 144.2, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo4M", 153.5, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupo4H", 162.5, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupoTM", 171.7, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"sGrupoTH", 180.7, 131.0, 8.7, 4.5, 9, false, 'C', false},
        {"qrlLiteral", 29.6, 140.8, 13.2, 4.5, 9.75, false, 'L', true},
        {"qrlObjRecria", 7.4, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjEngorde", 36.2, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjReproduccion", 63.2, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjExposicion", 90.0, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjFeria", 118.8, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjFaena", 145.8, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlObjIncubacion", 172.5, 153.7, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioCamion", 48.4, 159.5, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioTren", 74.1, 159.5, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioBarco", 97.9, 159.5, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioArreo", 121.4, 159.5, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioAereo", 145.0, 159.5, 7.9, 4.5, 9.75, false, 'L', false},
        {"qrlMedioConductor", 131.2, 167.5, 24.1, 4.5, 8.25, false, 'L', true},
        {"qrlMedioPlaca", 5.6, 169.3, 17.7, 4.5, 8.25, false, 'L', true},
        {"qrlMedioRegistroNro", 71.2, 169.3, 25.9, 4.5, 8.25, false, 'L', true},
        {"qrlVacunaFecha", 33.9, 183.9, 21.4, 4.5, 8.25, false, 'L', true},
        {"qrlVacunaLaboratorio", 134.7, 186.5, 24.1, 4.5, 8.25, false, 'L', false},
        {"qrlVacunaPartida", 175.9, 186.5, 12.7, 4.5, 8.25, false, 'L', false},
        {"qrlVacunaCertificado", 33.9, 188.9, 77.8, 4.5, 8.25, false, 'L', false},
        {"qrlVacunaProcedencia", 134.7, 191.3, 24.1, 4.5, 8.25, false, 'L', false},
        {"qrlVacunaVencimiento", 175.9, 191.3, 12.7, 4.5, 8.25, false, 'L', false},
        {"qrlVacunaVeterinario", 57.1, 193.7, 27.5, 4.5, 8.25, false, 'L', true},
        {"qrlAutorizaRuta", 26.2, 222.0, 20.1, 4.5, 8.25, false, 'L', true},
        {"qrlAutorizaFecha", 89.7, 222.0, 22.2, 4.5, 8.25, false, 'L', true},
        {"qrlAutorizaVence", 26.2, 227.3, 22.8, 4.5, 8.25, false, 'L', true},
        {"qrlAutorizaFuncionario", 49.5, 232.6, 29.1, 4.5, 8.25, false, 'L', true},
        {"qrlComenta", 42.3, 277.0, 14.6, 4.0, 8.25, false, 'L', true},
    };
    for (const Posicion& p : posiciones)
        Agrega(*this, p);
    // The design captions of the vaccine labels, kept when no certificate data are read.
    for (const char* n : {"qrlVacunaLaboratorio", "qrlVacunaPartida", "qrlVacunaProcedencia",
                          "qrlVacunaVencimiento"})
        Etiqueta(QString::fromLatin1(n)).texto = QStringLiteral("-----");
}

TfGuiaR2::TfGuiaR2()
    : Informe(QStringLiteral("Guía de movimiento - Vista previa de impresión"), QPageSize::Letter) {
    AgregaBanda(BandaInforme::Titulo, 259.4);
    AgregaMarcaDeAgua(*this);
    static const Posicion posiciones[] = {
        {"qrlSolicitud", 4.2, 38.4, 93.4, 10.8, 9, false, 'L', false},
        {"qrlTipoMovimiento", 116.2, 41.0, 31.2, 4.8, 11.25, false, 'L', true},
        {"qrlNroTelmaro", 167.2, 41.8, 19.6, 4.5, 9, false, 'L', true},
        {"qrlDestino", 112.2, 57.1, 82.8, 29.9, 9.75, false, 'L', false},
        {"qrlOrigen", 8.5, 57.9, 93.4, 29.1, 9.75, false, 'L', false},
        {"qrlEspecie", 8.5, 92.3, 95.5, 4.5, 9, false, 'L', false},
        {"qrlGrupoM", 8.5, 96.3, 46.8, 22.8, 9, false, 'L', false},
        {"qrlGrupoH", 57.1, 96.3, 46.8, 22.8, 9, false, 'L', false},
        {"qrlGrupoL", 8.5, 120.9, 95.5, 8.7, 9, false, 'L', false},
        {"qrlMedioTransporte", 57.1, 137.3, 89.2, 13.8, 9, false, 'L', false},
        {"qrlTransporteRta", 150.3, 139.7, 42.6, 11.4, 9, false, 'L', false},
        {"qrlObjetivoMov", 3.2, 140.0, 43.7, 6.9, 11.25, false, 'L', false},
        {"qrlVacuna", 84.7, 159.5, 48.9, 15.1, 8.25, false, 'L', false},
        {"qrlVacunaPruebas", 137.6, 159.5, 51.1, 15.1, 8.25, false, 'L', false},
        {"qrlVacunaciones", 4.2, 159.8, 72.2, 14.8, 8.25, false, 'L', false},
        {"qrlAutorizacion", 3.4, 180.7, 113.2, 18.0, 9, false, 'L', false},
        {"qrlComenta", 4.2, 236.3, 188.6, 10.6, 8.25, false, 'L', false},
    };
    for (const Posicion& p : posiciones)
        Agrega(*this, p);
}
