// Query plans of the console and numbering statements on the demo database, as the embedded
// database runs them: which index each statement uses. Run before and after a change of the
// schema or the dialect to see that the plans keep their indexes.
#include "BaseDemo.h"
#include "db/DialectoSqlite.h"
#include "guides/ConsultaGuias.h"
#include "vaccination/ConsultaVacunas.h"
#include "vaccination/ConsultaVacunasLegado.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

void Plan(sqlite3* bd, const char* que, const QString& tsql) {
    const QByteArray sql =
        (QStringLiteral("EXPLAIN QUERY PLAN ") + DialectoSqlite::Traduce(tsql)).toUtf8();
    sqlite3_stmt* st = nullptr;
    std::printf("%s:\n", que);
    if (sqlite3_prepare_v2(bd, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        std::printf("  error: %s\n", sqlite3_errmsg(bd));
        return;
    }
    sqlite3_bind_text(st, sqlite3_bind_parameter_index(st, ":Inic"), "2026-11-10 00:00:00.000", -1,
                      SQLITE_STATIC);
    sqlite3_bind_text(st, sqlite3_bind_parameter_index(st, ":Fina"), "2026-12-10 00:00:00.000", -1,
                      SQLITE_STATIC);
    while (sqlite3_step(st) == SQLITE_ROW)
        std::printf("  %s\n", reinterpret_cast<const char*>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath(QStringLiteral("Moravel.db"));
    CreaBaseDemo(ruta);
    sqlite3* bd = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &bd);
    static DialectoSqlite::Sesion sesion;
    sesion.login = QStringLiteral("operador");
    DialectoSqlite::Registra(bd, &sesion);

    FiltrosGuias f;
    f.distritalOrigen = QStringLiteral("SCZ");
    Plan(bd, "consola de guías, un departamento", LineasConsultaGuias(f).join(QLatin1Char('\n')));
    f.provinciaOrigen = QStringLiteral("01");
    f.municipioOrigen = QStringLiteral("01");
    f.funcionario = QStringLiteral("operador");
    Plan(bd, "consola de guías, municipio y funcionario",
         LineasConsultaGuias(f).join(QLatin1Char('\n')));
    Plan(bd, "consola de certificados",
         LineasConsultaVacunas(QStringLiteral("25"), QStringLiteral("SCZ"), std::nullopt)
             .join(QLatin1Char('\n')));
    Plan(bd, "consola de certificados, una provincia",
         LineasConsultaVacunas(QStringLiteral("25"), QStringLiteral("SCZ"), QStringLiteral("01"))
             .join(QLatin1Char('\n')));
    FiltrosLegado legado;
    legado.ciclo = QStringLiteral("20");
    legado.distrital = QStringLiteral("SCZ");
    Plan(bd, "consola de certificados anteriores",
         LineasConsultaLegado(legado).join(QLatin1Char('\n')));
    Plan(bd, "número de guía nuevo",
         QStringLiteral("SELECT MAX(NroGuia) AS Total FROM Guias WHERE Ori_IdDistrital = 'SCZ'"));
    Plan(bd, "guías de un certificado de origen",
         QStringLiteral("SELECT SUM(Grupo_1M) FROM Guias WHERE Ori_Certificado = 1001 AND "
                        "Ori_Ciclo = '25' AND Especie = 'BOV'"));
    Plan(bd, "perfil del usuario",
         QStringLiteral("SELECT IdUsuario FROM Usuarios WHERE IdUsuario = SUSER_SNAME()"));
    sqlite3_close(bd);
    return 0;
}
