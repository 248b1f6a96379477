// Filling the demo database. Rows are written through SQLite's own prepared statements in one
// transaction, so a million guides take seconds.
#include "BaseDemo.h"

#include "Geografia.h"
#include "common/Errores.h"
#include "common/Utilidades.h"
#include "common/Vocabulario.h"
#include "db/DialectoSqlite.h"
#include "db/Esquema.h"
#include "db/ServidorEmbebido.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QUuid>
#include <array>
#include <map>
#include <random>
#include <sqlite3.h>

namespace {

// One prepared positional insert, values bound in order.
class Insercion {
public:
    Insercion(sqlite3* bd, const char* sql) : bd_(bd) {
        if (sqlite3_prepare_v2(bd, sql, -1, &st_, nullptr) != SQLITE_OK)
            throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errmsg(bd)));
    }
    ~Insercion() { sqlite3_finalize(st_); }
    Insercion& T(const QString& v) {
        const QByteArray b = v.toUtf8();
        sqlite3_bind_text(st_, ++i_, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insercion& T(const char* v) { return T(QString::fromUtf8(v)); }
    Insercion& N(qint64 v) {
        sqlite3_bind_int64(st_, ++i_, v);
        return *this;
    }
    Insercion& F(const QDateTime& v) { return T(DialectoSqlite::TextoFecha(v)); }
    Insercion& Nulo() {
        sqlite3_bind_null(st_, ++i_);
        return *this;
    }
    // A count that is NULL when negative.
    Insercion& C(int v) { return v < 0 ? Nulo() : N(v); }
    void Ejecuta() {
        if (sqlite3_step(st_) != SQLITE_DONE)
            throw ErrorBaseDatos(QString::fromUtf8(sqlite3_errmsg(bd_)));
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
        i_ = 0;
    }

private:
    sqlite3* bd_;
    sqlite3_stmt* st_ = nullptr;
    int i_ = 0;
};

void Exec(sqlite3* bd, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(bd, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString t = QString::fromUtf8(error ? error : "error");
        sqlite3_free(error);
        throw ErrorBaseDatos(t);
    }
}

QString Codigo2(int n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

const char* const kPaternos[] = {"MAMANI", "QUISPE", "FLORES", "GUTIERREZ", "VARGAS",      "ROJAS",
                                 "SUÁREZ", "AÑEZ",   "CHÁVEZ", "ROCA",      "JUSTINIANO",  "PEÑA",
                                 "VACA",   "MORENO", "RIBERA", "CUÉLLAR",   "SALVATIERRA", "ORTIZ"};
const char* const kNombres[] = {"JUAN CARLOS", "MARÍA",        "JOSÉ LUIS", "ANA",   "PEDRO",
                                "ROSA",        "MIGUEL ÁNGEL", "CARMEN",    "LUIS",  "PATRICIA",
                                "FERNANDO",    "SOFÍA",        "RENÉ",      "GLADYS"};
const char* const kPredios[] = {"SAN JOSÉ",     "LA CAÑADA",   "EL PORVENIR",  "SANTA ROSA",
                                "LOS ÁLAMOS",   "TRES CRUCES", "LA ESPERANZA", "SAN MIGUEL",
                                "EL CARMEN",    "VILLA ÑUFLO", "SANTA ANA",    "EL PALMAR",
                                "LAS MALVINAS", "SAN ANTONIO", "BUENA VISTA",  "EL TAJIBO"};

// Departments where cattle concentrate get more rows.
const char* const kPesoDistritos[] = {"SCZ", "SCZ", "SCZ", "SCZ", "BEN", "BEN", "BEN",
                                      "CBB", "CHU", "TJA", "LPZ", "PDO", "PTS", "ORU"};

} // namespace

const std::vector<LoginDemo>& LoginsDemo() {
    static const std::vector<LoginDemo> logins{
        {"operador",
         "operador2026",
         "SCZ",
         "operador de oficina",
         {"PSi_Lee", "PSi_Ciclos_Escribe", "PSi_GMA_Escribe"}},
        {"supervisor",
         "supervisor2026",
         "SCZ",
         "supervisor",
         {"PSi_Lee", "PSi_Ciclos_Escribe", "PSi_GMA_Escribe", "PSi_GMA_MiraOtras",
          "PSi_GMA_Elimina"}},
        {"admin",
         "admin2026",
         "LPZ",
         "administrador",
         {"PSi_Lee", "Sis_AdministraUsuarios", "Sis_RespondeForo"}},
        {"lector", "lector2026", "BEN", "lector (solo consulta)", {"PSi_Lee"}},
        {"sistemas",
         "sistemas2026",
         "LPZ",
         "cuenta del desarrollador",
         {"PSi_Lee", "PSi_Ciclos_Escribe", "PSi_GMA_Escribe", "PSi_GMA_MiraOtras",
          "PSi_GMA_Elimina", "Sis_AdministraUsuarios", "Sis_RespondeForo"}},
    };
    return logins;
}

void AgregaUsuario(const QString& ruta, const QString& login, const QString& clave,
                   const QString& distrital, const QString& paterno, const QString& nombres) {
    const QString nombre = QStringLiteral("demo-") + QUuid::createUuid().toString();
    {
        QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        bd.setDatabaseName(ruta);
        if (!bd.open())
            throw ErrorBaseDatos(QStringLiteral("No se pudo abrir %1.").arg(ruta));
        Esquema::PreparaConexion(bd);
        ServidorEmbebido::CreaLogin(bd, login, clave);
        if (!distrital.isEmpty()) {
            const QVariant h = bd.driver()->handle();
            Insercion u(*static_cast<sqlite3* const*>(h.constData()),
                        "INSERT INTO Usuarios (IdUsuario, Paterno, Materno, Nombres, IdDistrital, "
                        "Localidad, Cargo, Servicio, CorreoE, Telefono, NuevoPassword, Bloqueada) "
                        "VALUES (?,?,?,?,?,?,?,?,?,?,?,0)");
            u.T(login)
                .T(paterno)
                .Nulo()
                .T(nombres)
                .T(distrital)
                .T(CapitalDepartamento(distrital))
                .T("Técnico")
                .T("Sanidad Animal")
                .T(login + QStringLiteral("@moravel.local"))
                .T("")
                .N(DialectoSqlite::DiaSqlServer(QDateTime::currentDateTime()) + 90)
                .Ejecuta();
        }
        bd.close();
    }
    QSqlDatabase::removeDatabase(nombre);
}

void CreaBaseDemo(const QString& ruta, const OpcionesDemo& o) {
    Esquema::CreaBaseEmbebida(ruta);
    for (const LoginDemo& l : LoginsDemo())
        AgregaUsuario(ruta, QString::fromUtf8(l.login), QString::fromUtf8(l.clave),
                      QString::fromUtf8(l.distrital), QStringLiteral("DEMO"),
                      QString::fromUtf8(l.perfil).toUpper());

    sqlite3* bd = nullptr;
    if (sqlite3_open(ruta.toUtf8().constData(), &bd) != SQLITE_OK)
        throw ErrorBaseDatos(QStringLiteral("No se pudo abrir %1.").arg(ruta));
    Esquema::PreparaConexion(bd);
    struct Cierre {
        sqlite3* bd;
        ~Cierre() { sqlite3_close(bd); }
    } cierre{bd};
    Exec(bd, "PRAGMA synchronous=OFF; BEGIN;");
    std::mt19937 azar(o.semilla);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };
    auto elige = [&](const auto& lista) {
        return lista[size_t(entre(0, int(std::size(lista)) - 1))];
    };

    // Logins and roles.
    for (const LoginDemo& l : LoginsDemo())
        for (const char* rol : l.roles) {
            Insercion m(bd, "INSERT INTO SrvMiembros (Rol, Login) VALUES (?, ?)");
            m.T(rol).T(l.login).Ejecuta();
        }

    // Geography: departments, provinces (codes in list order), capital municipality "01" and
    // a rural municipality "02" for each province.
    {
        Insercion d(bd, "INSERT INTO Distritales VALUES (?, ?)");
        const char* nombres[][2] = {{"BEN", "Beni"},   {"CBB", "Cochabamba"}, {"CHU", "Chuquisaca"},
                                    {"LPZ", "La Paz"}, {"ORU", "Oruro"},      {"PDO", "Pando"},
                                    {"PTS", "Potosí"}, {"SCZ", "Santa Cruz"}, {"TJA", "Tarija"}};
        for (auto& n : nombres)
            d.T(n[0]).T(n[1]).Ejecuta();
        Insercion p(bd, "INSERT INTO Provincias VALUES (?, ?, ?)");
        Insercion m(bd, "INSERT INTO Municipios VALUES (?, ?, ?, ?)");
        QString anterior;
        int n = 0;
        for (const ProvinciaDemo& pr : ProvinciasDemo()) {
            n = anterior == QLatin1String(pr.distrital) ? n + 1 : 1;
            anterior = QString::fromLatin1(pr.distrital);
            p.T(pr.distrital).T(Codigo2(n)).T(pr.nombre).Ejecuta();
            m.T(pr.distrital).T(Codigo2(n)).T("01").T(pr.capital).Ejecuta();
            m.T(pr.distrital)
                .T(Codigo2(n))
                .T("02")
                .T((QStringLiteral("Cantón ") + QString::fromUtf8(pr.nombre)).left(30))
                .Ejecuta();
        }
    }
    // Provinces per department, to draw places.
    std::map<QString, int> provincias;
    for (const ProvinciaDemo& pr : ProvinciasDemo())
        ++provincias[QString::fromLatin1(pr.distrital)];
    auto lugar = [&](const QString& dis, QString& pro, QString& mun) {
        pro = Codigo2(entre(1, provincias[dis]));
        mun = Codigo2(entre(1, 2));
    };

    // Services, veterinarians and suppliers.
    std::vector<QString> proveedores;
    {
        Insercion t(bd, "INSERT INTO Talonarios VALUES (?, ?)");
        const char* s[][2] = {{"GMA", "Guías de Movimiento Animal"},
                              {"VAC", "Vacunación contra la fiebre aftosa"},
                              {"REG", "Registro de predios"},
                              {"SIS", "Área Nacional de Sistemas"},
                              {"TRA", "Registro de transportistas"}};
        for (auto& r : s)
            t.T(r[0]).T(r[1]).Ejecuta();
        Insercion v(bd, "INSERT INTO Veterinarios VALUES (?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < 40; ++i)
            v.T(QString::number(3000000 + i * 7919))
                .T(elige(kPaternos))
                .T(elige(kPaternos))
                .T(elige(kNombres))
                .T(i % 3 == 0 ? "F" : "M")
                .T(elige(kPesoDistritos))
                .Ejecuta();
        Insercion e(bd, "INSERT INTO Veterinarias VALUES (?, ?, ?, ?, ?)");
        const char* firmas[] = {"AGROVET ORIENTE",
                                "VETERINARIA EL CEIBO",
                                "PROVET BENI",
                                "SANIDAD GANADERA SRL",
                                "AGROPECUARIA LOS LLANOS",
                                "VETERINARIA CHACO",
                                "BIOVET ANDINA",
                                "FARMAVET"};
        int k = 0;
        for (const char* f : firmas) {
            proveedores.push_back(CadenaAleatoria(3, 77u + unsigned(k++)));
            e.T(proveedores.back())
                .T(f)
                .T("Av. Principal s/n")
                .T(QString::number(3300000 + k))
                .T(elige(kPesoDistritos))
                .Ejecuta();
        }
    }

    // Certificates: cycle 20 in the legacy table, 21 to 25 in Ciclos; numbers from 1001 in each
    // cycle, so the same number exists in several cycles as different certificates.
    {
        Insercion vac(bd, "INSERT INTO Vacunaciones VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                          "?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Insercion cic(bd, "INSERT INTO Ciclos VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                          "?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        const int porCiclo = std::max(1, o.certificados / 6);
        for (int ciclo = 20; ciclo <= 25; ++ciclo) {
            // Cycles are six months apart, the last one recent.
            const QDate fechaCiclo = o.hoy.addMonths(-(25 - ciclo) * 6 - 2);
            for (int i = 0; i < porCiclo; ++i) {
                const QString dis = QString::fromLatin1(elige(kPesoDistritos));
                QString pro, mun;
                lugar(dis, pro, mun);
                const QDateTime vacuna(fechaCiclo.addDays(entre(0, 40)), QTime(0, 0));
                const QString predio =
                    QString::fromUtf8(elige(kPredios)) + QLatin1Char(' ') + QString::number(i + 1);
                if (ciclo == 20) {
                    vac.T(QString::number(ciclo))
                        .N(1001 + i)
                        .T(predio)
                        .Nulo()
                        .T(QStringLiteral("CAT-%1").arg(i))
                        .T(dis)
                        .T(pro)
                        .T(mun)
                        .T("")
                        .Nulo()
                        .Nulo()
                        .T(proveedores[size_t(i) % proveedores.size()])
                        .T(QString::number(3000000 + entre(0, 39) * 7919))
                        .N(entre(20, 900))
                        .T("BIOGÉNESIS BAGÓ")
                        .T("S-20")
                        .T("P-4411")
                        .T("ARGENTINA")
                        .T("12/2027")
                        .F(vacuna)
                        .F(vacuna.addDays(2));
                    // Buffaloes as the legacy form writes them: 0 in most premises, a count in
                    // about one in ten (never empty, so the statistics' series have figures).
                    for (int c = 0; c < 8; ++c)
                        vac.C(c < 7 ? entre(0, 60) : entre(0, 9) == 0 ? entre(1, 30) : 0);
                    vac.T(QString::number(entre(1000000, 9999999)))
                        .T(elige(kPaternos))
                        .T(elige(kPaternos))
                        .T(elige(kNombres))
                        .T("operador")
                        .F(vacuna.addDays(3))
                        .Ejecuta();
                } else {
                    cic.T(QString::number(ciclo))
                        .N(1001 + i)
                        .T(predio)
                        .T(QStringLiteral("CAT-%1").arg(i))
                        .Nulo()
                        .Nulo()
                        .T(dis)
                        .T(pro)
                        .T(mun)
                        .T(CapitalDepartamento(dis))
                        .T("AGROVET ORIENTE")
                        .N(entre(20, 900))
                        .T("BIOGÉNESIS BAGÓ")
                        .T("S-21")
                        .T("P-5120")
                        .T("ARGENTINA")
                        .T("06/2027")
                        .F(vacuna.addDays(-10))
                        .F(vacuna)
                        .F(vacuna.addDays(2))
                        .N(1)
                        .N(entre(0, 1))
                        .N(entre(0, 1))
                        .N(0)
                        .T(elige(kNombres));
                    for (int c = 0; c < 16; ++c)
                        cic.C(c >= 8 && entre(0, 4) > 0 ? -1 : entre(0, 80));
                    cic.T(QString::number(entre(1000000, 9999999)))
                        .T(elige(kPaternos))
                        .T(elige(kPaternos))
                        .T(elige(kNombres))
                        .T(elige(kNombres))
                        .T(elige(kPaternos))
                        .T("Calle Bolívar 120")
                        .T("operador")
                        .F(vacuna.addDays(3))
                        .T(QStringLiteral("AV-%1").arg(i))
                        .N(0)
                        .Ejecuta();
                }
            }
        }
    }

    // Guides over the last two years: legacy bovine counts in the first year, age groups
    // after; other species with groups only. Numbers run per origin department.
    {
        Insercion g(bd, "INSERT INTO Guias VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                        "?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,"
                        "?,?,?,?,?,?,?)");
        std::map<QString, int> numero;
        const char* especies[] = {"BOV", "BOV", "BOV", "BOV", "BOV", "BOV", "BUB", "GAL",
                                  "PAV", "SUI", "OVI", "CAP", "EQU", "CAM", "PAT", "AVE"};
        const char* funcionarios[] = {"operador", "supervisor", "operador", "sistemas"};
        const int dias = int(o.hoy.addYears(-2).daysTo(o.hoy));
        const int porCiclo = std::max(1, o.certificados / 6);
        for (int i = 0; i < o.guias; ++i) {
            // Dates grow with the number, as guides are issued.
            const QDate fecha = o.hoy.addDays(-dias + qint64(i) * dias / std::max(1, o.guias));
            const QString oriDis = QString::fromLatin1(elige(kPesoDistritos));
            const QString desDis =
                entre(0, 3) == 0 ? QString::fromLatin1(elige(kPesoDistritos)) : oriDis;
            QString oriPro, oriMun, desPro, desMun;
            lugar(oriDis, oriPro, oriMun);
            lugar(desDis, desPro, desMun);
            const QString especie = QString::fromLatin1(elige(especies));
            const bool bovina = especie == QLatin1String("BOV") || especie == QLatin1String("BUB");
            const bool antigua = bovina && fecha < o.hoy.addYears(-1);
            const QString rubroO = bovina
                                       ? QStringLiteral("Predio")
                                       : QString::fromLatin1(entre(0, 1) ? "Predio" : "Incubadora");
            const QString rubroD = QString::fromLatin1(elige(
                std::array<const char*, 5>{"Predio", "Matadero", "Feria", "Consumo", "Predio"}));
            g.N(++numero[oriDis])
                .T(especie)
                .T(QString::fromUtf8(elige(kNombres)) + QLatin1Char(' ') +
                   QString::fromUtf8(elige(kPaternos)))
                .T(QString::number(entre(1000000, 9999999)));
            if (bovina)
                g.N(1001 + entre(0, porCiclo - 1)).T("25");
            else
                g.Nulo().Nulo();
            g.T(rubroO)
                .T(QString::fromUtf8(elige(kPredios)))
                .T(elige(kPaternos))
                .T(oriDis)
                .T(oriPro)
                .T(oriMun);
            if (bovina && rubroD == QLatin1String("Predio"))
                g.N(1001 + entre(0, porCiclo - 1)).T("25");
            else
                g.Nulo().Nulo();
            g.T(rubroD)
                .T(rubroD == QLatin1String("Consumo")
                       ? QString::fromLatin1(Vocabulario::kEstablecimientoConsumo)
                       : QString::fromUtf8(elige(kPredios)))
                .T(elige(kPaternos))
                .T(desDis)
                .T(desPro)
                .T(desMun);
            // BOV_ categories: counts for old bovine guides, 0 for new ones, NULL otherwise.
            for (int c = 0; c < 8; ++c)
                g.C(antigua ? entre(0, 30) : bovina ? 0 : -1);
            for (int c = 0; c < 7; ++c)
                g.Nulo();
            for (int c = 0; c < 10; ++c)
                g.C(antigua ? -1 : (bovina && c < 2) ? 0 : entre(0, 25));
            g.T(Vocabulario::MediosTransporte()[entre(0, 4)])
                .T(elige(kNombres))
                .T(CapitalDepartamento(oriDis) + QStringLiteral(" - ") +
                   CapitalDepartamento(desDis))
                .T(CapitalDepartamento(oriDis))
                .F(QDateTime(fecha, QTime(0, 0)))
                .T(elige(funcionarios));
            for (int c = 0; c < 8; ++c)
                g.N(entre(0, 3) == 0 ? 1 : 0);
            g.T(bovina ? "FIEBRE AFTOSA" : "")
                .T(fecha.addMonths(-2).toString(QStringLiteral("dd/MM/yyyy")))
                .T(elige(kNombres))
                .T("")
                .T("")
                .Nulo()
                .Ejecuta();
        }
    }

    // Transport vehicles of several supervision years; some out of service or not approved.
    {
        Insercion t(bd, "INSERT INTO Transporta VALUES (?,?,?,?,?,?,?,?,?,?,?)");
        const char* tipos[] = {"CAMIÓN JAULA", "CAMIÓN", "FURGÓN", "ACOPLADO"};
        const char* marcas[] = {"VOLVO", "MERCEDES BENZ", "SCANIA", "NISSAN", "VOLKSWAGEN"};
        for (int i = 0; i < 60; ++i) {
            const bool baja = i % 9 == 4;
            const char estado = i % 7 == 3 ? 'R' : i % 11 == 5 ? 'P' : 'A';
            t.T(QStringLiteral("%1%2").arg(1000 + i * 37).arg(QChar(u'A' + i % 26)) +
                QStringLiteral("BC"))
                .T(elige(tipos))
                .T(QString::fromUtf8(elige(kNombres)) + QLatin1Char(' ') +
                   QString::fromUtf8(elige(kPaternos)));
            if (baja)
                t.F(QDateTime(o.hoy.addDays(-entre(30, 300)), QTime(0, 0)));
            else
                t.Nulo();
            t.T(elige(kPesoDistritos))
                .T(elige(marcas))
                .N(500 + i)
                .T(QString(QChar(estado)))
                .N(baja ? 1 : 0)
                .T(baja ? "VEHÍCULO DADO DE BAJA POR ANTIGÜEDAD" : "")
                .F(QDateTime(QDate(o.hoy.year() - i % 4, 1 + i % 12, 1 + i % 27), QTime(0, 0)))
                .Ejecuta();
        }
    }

    // Forum questions, answered and not.
    {
        Insercion f(bd, "INSERT INTO Foros VALUES (?,?,?,?,?,?,?,?,?)");
        const char* preguntas[][3] = {
            {"¿Cómo imprimo una guía en el formulario numerado?",
             "Elija la guía en la consola, pulse imprimir y marque la impresión en formulario "
             "con su número.",
             "GMA"},
            {"¿Por qué no puedo ver las guías de otros funcionarios?",
             "Solo los supervisores tienen el derecho de ver guías de otros usuarios.", "GMA"},
            {"El certificado de vacunación no aparece en la búsqueda", nullptr, "VAC"},
            {"¿Cómo exporto la lista de certificados a Excel?",
             "Use el botón exportar de la consola; se guarda un archivo .CSV.", "VAC"},
            {"No puedo conectarme desde la oficina de Riberalta", nullptr, "SIS"},
            {"¿Dónde se registra un nuevo transportista?", nullptr, "TRA"},
        };
        int id = 0;
        for (auto& p : preguntas) {
            ++id;
            const QDateTime cuando(o.hoy.addDays(-40 + id * 5), QTime(9, id));
            f.N(id).T(p[0]);
            if (p[1])
                f.T(p[1]);
            else
                f.Nulo();
            f.T(id % 2 ? "T" : "S").T(p[2]).T(id % 2 ? "operador" : "supervisor").F(cuando);
            if (p[1])
                f.T("admin").F(cuando.addDays(1));
            else
                f.Nulo().Nulo();
            f.Ejecuta();
        }
    }

    // The program's own published version, so that the demo starts without the update window.
    {
        Insercion a(bd, "INSERT INTO Actualizacion VALUES (?, ?, ?, ?)");
        a.T("Tarvelion")
            .T(VersionModulo())
            .T("http://moravel.sanidad.local/vrk")
            .T("Versión inicial del módulo TELMARO.")
            .Ejecuta();
    }
    Exec(bd, "COMMIT; ANALYZE;");
}
