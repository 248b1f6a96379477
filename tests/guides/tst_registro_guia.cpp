// The guide record: numbering per origin department, the four save statements with their NULL
// and zero columns, and the save protocol with the console.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "guides/RegistroGuia.h"
#include <QFile>

namespace {

DatosGuia Guia(const QString& especie, const QString& distrital) {
    DatosGuia g;
    g.especie = especie;
    g.solicitanteNombre = QStringLiteral("JUAN PEREZ");
    g.solicitanteCarnet = QStringLiteral("123456");
    g.oriCiclo = QStringLiteral("25");
    g.oriRubro = QStringLiteral("Feria");
    g.oriEstablecimiento = QStringLiteral("FERIA BOVINA");
    g.oriIdDistrital = distrital;
    g.oriIdProvincia = QStringLiteral("01");
    g.oriIdMunicipio = QStringLiteral("01");
    g.desRubro = QStringLiteral("Matadero");
    g.desEstablecimiento = QStringLiteral("FRIGORIFICO");
    g.desIdDistrital = distrital;
    g.desIdProvincia = QStringLiteral("01");
    g.desIdMunicipio = QStringLiteral("02");
    g.cantidadesGrupo = {0, 0, 3, 4, 0, 0, 0, 0, 0, 1};
    g.medioTransporte = QString::fromUtf8("Camión");
    g.medioConductor = QStringLiteral("PLACA 1234ABC - CONDUCTOR MUY LARGO DE NOMBRE");
    g.autorizaRuta = QStringLiteral("SANTA CRUZ - WARNES");
    g.autorizaDadoEn = QStringLiteral("Santa Cruz");
    g.autorizaFecha = QDate(2026, 12, 25);
    g.funcionario = QStringLiteral("operador");
    g.objetivos = {true, false, false, false, false, true, true, false};
    return g;
}

// Records what the save protocol asks of the console.
class ConsolaFalsa : public ConsolaDeGuias {
public:
    QStringList llamadas;
    void ReestableceControles() override { llamadas << QStringLiteral("reestablece"); }
    void Ejecuta() override { llamadas << QStringLiteral("ejecuta"); }
    bool Localiza(std::int32_t n, const QString& d) override {
        llamadas << QStringLiteral("localiza %1 %2").arg(n).arg(d);
        return true;
    }
};

} // namespace

class TstRegistroGuia : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    QString Fila(int nro, const QString& dis, const QString& columnas) {
        return base_
            ->Valor(QStringLiteral("SELECT %1 FROM Guias WHERE NroGuia = ? AND "
                                   "Ori_IdDistrital = ?")
                        .arg(columnas),
                    {nro, dis})
            .toString();
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("operador"), QStringLiteral("x"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_GMA_Escribe")});
        datos_ = new TdmDatos;
        base_->AbreSesion(QStringLiteral("operador"), QStringLiteral("x"));
    }
    void cleanup() {
        delete datos_;
        delete base_;
    }

    // The four save statements go out exactly as the registry writes them: blank lines,
    // alignment and the other-species spellings included.
    void sentenciasComoEstanEscritas() {
        QFile archivo(QFINDTESTDATA("sentencias_guia.sql"));
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        const QStringList esperadas = QString::fromUtf8(archivo.readAll())
                                          .chopped(1)
                                          .split(QStringLiteral("\n-- siguiente\n"));
        QCOMPARE(esperadas.size(), 4);
        const QStringList enviadas{TextoInsercion(FormaGuia::Bovina),
                                   TextoInsercion(FormaGuia::Otras),
                                   TextoEdicion(FormaGuia::Bovina), TextoEdicion(FormaGuia::Otras)};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(enviadas[i], esperadas[i]);
    }

    // First guide of a department: 1; with 1, 2 and 5 of any species: 6; departments apart.
    void numeracion() {
        QCOMPARE(NuevoNumeroGuia(QStringLiteral("SCZ")), 1);
        for (auto [n, especie] : {std::pair{1, "BOV"}, std::pair{2, "GAL"}, std::pair{5, "SUI"}}) {
            DatosGuia g = Guia(QString::fromLatin1(especie), QStringLiteral("SCZ"));
            g.nroGuia = n;
            InsertaGuia(especie == QLatin1String("BOV") ? FormaGuia::Bovina : FormaGuia::Otras, g);
        }
        QCOMPARE(NuevoNumeroGuia(QStringLiteral("SCZ")), 6);
        QCOMPARE(NuevoNumeroGuia(QStringLiteral("scz")), 6);
        QCOMPARE(NuevoNumeroGuia(QStringLiteral("BEN")), 1);
    }

    // A bovine guide from a fair: NULL certificate, the cycle's text, zeros in the legacy
    // categories and groups 0, NULL in the other-species columns and the hatchery objective,
    // the driver cut to 30 characters.
    void columnasDeLaGuiaBovina() {
        ConsolaFalsa consola;
        DatosGuia g = Guia(QStringLiteral("BOV"), QStringLiteral("SCZ"));
        QVERIFY(GuardarGuia(FormaGuia::Bovina, true, g, QString(), &consola));
        QCOMPARE(g.nroGuia, 1);
        QCOMPARE(consola.llamadas, QStringList({"reestablece", "ejecuta", "localiza 1 SCZ"}));
        QCOMPARE(
            Fila(1, QStringLiteral("SCZ"),
                 QStringLiteral("IFNULL(Ori_Certificado, 'NULL') || '|' || Ori_Ciclo || '|' || "
                                "BOV_Terneros || BOV_Bufalos || '|' || "
                                "IFNULL(OTR_Porcinos, 'NULL') || '|' || "
                                "IFNULL(Objetivo_Incubacion, 'NULL') || '|' || Grupo_0M || "
                                "Grupo_0H || Grupo_1M || '|' || Objetivo_Cria || "
                                "Objetivo_Faena || '|' || IFNULL(NroTalonario, 'NULL') || "
                                "'|' || Autoriza_Fecha")),
            QStringLiteral("NULL|25|00|NULL|NULL|003|11|NULL|2026-12-25 00:00:00.000"));
        QCOMPARE(Fila(1, QStringLiteral("SCZ"), QStringLiteral("Medio_Conductor")),
                 QStringLiteral("PLACA 1234ABC - CONDUCTOR MUY "));
    }

    // Other species: NULL certificates, cycles, legacy categories; the console not moved;
    // an edit keeps what the other-species form does not write.
    void guiaDeOtrasEspecies() {
        ConsolaFalsa consola;
        DatosGuia g = Guia(QStringLiteral("GAL"), QStringLiteral("SCZ"));
        g.oriCertificado = QStringLiteral("1001");
        QVERIFY(GuardarGuia(FormaGuia::Otras, true, g, QString(), &consola));
        QCOMPARE(consola.llamadas, QStringList({"reestablece", "ejecuta"}));
        QCOMPARE(Fila(1, QStringLiteral("SCZ"),
                      QStringLiteral("IFNULL(Ori_Certificado, 'N') || IFNULL(Ori_Ciclo, 'N') || "
                                     "IFNULL(Des_Certificado, 'N') || IFNULL(Des_Ciclo, 'N') || "
                                     "IFNULL(BOV_Terneros, 'N') || IFNULL(OTR_Aves, 'N') || "
                                     "Objetivo_Incubacion")),
                 QStringLiteral("NNNNNN1"));
        // A stored certificate and category survive the other-species edit.
        base_->Sql(QStringLiteral("UPDATE Guias SET Ori_Certificado = 77, BOV_Vacas = 5"));
        consola.llamadas.clear();
        g.comentarios = QStringLiteral("EDITADA");
        QVERIFY(GuardarGuia(FormaGuia::Otras, false, g, QStringLiteral("SCZ"), &consola));
        QCOMPARE(consola.llamadas, QStringList({"ejecuta", "localiza 1 SCZ"}));
        QCOMPARE(Fila(1, QStringLiteral("SCZ"),
                      QStringLiteral("Ori_Certificado || '|' || BOV_Vacas || '|' || Comentarios")),
                 QStringLiteral("77|5|EDITADA"));
    }

    // Guide 7 in two departments: editing one leaves the other untouched.
    void mismaGuiaEnDosDepartamentos() {
        for (const char* d : {"SCZ", "BEN"}) {
            DatosGuia g = Guia(QStringLiteral("BOV"), QString::fromLatin1(d));
            g.nroGuia = 7;
            InsertaGuia(FormaGuia::Bovina, g);
        }
        DatosGuia g = Guia(QStringLiteral("BOV"), QStringLiteral("SCZ"));
        g.nroGuia = 7;
        g.comentarios = QStringLiteral("CAMBIADA");
        EditaGuia(FormaGuia::Bovina, g, 7, QStringLiteral("SCZ"));
        QCOMPARE(Fila(7, QStringLiteral("SCZ"), QStringLiteral("Comentarios")),
                 QStringLiteral("CAMBIADA"));
        QCOMPARE(Fila(7, QStringLiteral("BEN"), QStringLiteral("Comentarios")), QString());
    }

    // A taken number (two stations saving at once) is refused by the key; a failed save is
    // reported with the form's message, nothing written, the tried number kept.
    void numeroTomadoYFallas() {
        DatosGuia g = Guia(QStringLiteral("BOV"), QStringLiteral("SCZ"));
        g.nroGuia = 1;
        InsertaGuia(FormaGuia::Bovina, g);
        try {
            InsertaGuia(FormaGuia::Otras, g);
            QFAIL("aceptada");
        } catch (const ErrorBaseDatos& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("clave duplicada")), qPrintable(e.Texto()));
        }
        GrabadoraInstalada grabadora;
        base_->Sql(QStringLiteral("CREATE TRIGGER Rechazo BEFORE INSERT ON Guias BEGIN "
                                  "SELECT RAISE(ABORT, 'rechazada'); END"));
        DatosGuia bovina = Guia(QStringLiteral("BOV"), QStringLiteral("SCZ"));
        QVERIFY(!GuardarGuia(FormaGuia::Bovina, true, bovina, QString(), nullptr));
        QCOMPARE(bovina.nroGuia, 2);
        DatosGuia otra = Guia(QStringLiteral("PAV"), QStringLiteral("SCZ"));
        QVERIFY(!GuardarGuia(FormaGuia::Otras, true, otra, QString(), nullptr));
        QCOMPARE(grabadora->Textos(),
                 QStringList({QStringLiteral("No se ha podido guardar el registro !\nrechazada"),
                              QStringLiteral("No se ha podido insertar el registro !")}));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Guias")).toInt(), 1);
    }
};

TARVELION_PRUEBA_MAIN(TstRegistroGuia)
#include "tst_registro_guia.moc"
