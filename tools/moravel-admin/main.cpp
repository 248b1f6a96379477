// moravel-admin: creates and seeds the embedded registry database, manages its logins and
// roles, and runs single T-SQL statements through the program's own query layer.
#include "BaseDemo.h"
#include "Rescate.h"
#include "common/Errores.h"
#include "common/Utilidades.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/Esquema.h"
#include "db/ServidorEmbebido.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <cstdio>
#include <sqlite3.h>

namespace {

const char* const kAyuda = R"(Uso: moravel-admin COMANDO ARCHIVO [opciones]

Comandos:
  crear ARCHIVO                       base de datos vacía del registro
  demo ARCHIVO [--guias N] [--certificados N]
                                      base de demostración (geografía real, certificados,
                                      guías, vehículos, foro, usuarios de ejemplo)
  login ARCHIVO LOGIN CLAVE [--distrital DIS] [--paterno P] [--nombres N]
                                      nuevo inicio de sesión; con --distrital también su
                                      registro en Usuarios
  rol ARCHIVO LOGIN ROL               agrega el inicio de sesión a la función de base de datos
  clave ARCHIVO LOGIN CLAVE           cambia la contraseña
  desbloquea ARCHIVO LOGIN            desbloquea la cuenta (Usuarios.Bloqueada = 0)
  usuarios-demo                       lista los usuarios de la base de demostración
  sql ARCHIVO "SENTENCIA" [--usuario LOGIN]
                                      ejecuta una sentencia T-SQL como LOGIN (por defecto
                                      sistemas) e imprime el resultado separado por ";"
  revisa ARCHIVO                      revisión completa del archivo (sale con 1 si está dañado)
  rescata ARCHIVO NUEVO               copia a NUEVO todas las filas que aún se pueden leer
)";

void Escribe(const QString& texto) {
    std::fputs(texto.toUtf8().constData(), stdout);
}

void EscribeUsuariosDemo() {
    Escribe(QStringLiteral("Usuarios de demostración (login / contraseña / perfil):\n"));
    for (const LoginDemo& l : LoginsDemo())
        Escribe(QStringLiteral("  %1 / %2 / %3\n")
                    .arg(QString::fromUtf8(l.login), QString::fromUtf8(l.clave),
                         QString::fromUtf8(l.perfil)));
}

QString Opcion(QStringList& args, const QString& nombre, const QString& defecto = {}) {
    const qsizetype i = args.indexOf(nombre);
    if (i < 0 || i + 1 >= args.size())
        return defecto;
    const QString valor = args[i + 1];
    args.remove(i, 2);
    return valor;
}

// An administration session on the file, with the server functions registered.
struct Sesion {
    QString nombre = QStringLiteral("admin");
    QSqlDatabase bd;
    explicit Sesion(const QString& ruta) {
        if (!QFileInfo::exists(ruta))
            throw ErrorArchivo(QStringLiteral("No existe la base de datos %1.").arg(ruta));
        bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        bd.setDatabaseName(ruta);
        if (!bd.open())
            throw ErrorBaseDatos(QStringLiteral("No se pudo abrir %1.").arg(ruta));
        Esquema::PreparaConexion(bd);
        const QVariant h = bd.driver()->handle();
        Esquema::Actualiza(*static_cast<sqlite3* const*>(h.constData()));
    }
    ~Sesion() {
        bd.close();
        bd = QSqlDatabase();
        QSqlDatabase::removeDatabase(nombre);
    }
};

int Sql(const QString& ruta, const QString& sentencia, const QString& usuario) {
    Conexion conexion(QStringLiteral("admin-sql"));
    conexion.AbreConfiable(ruta, usuario, NombreComputadora(), QStringLiteral("Moravel"));
    Consulta q(&conexion);
    q.Agrega(sentencia);
    const QString inicio = sentencia.trimmed().left(6).toUpper();
    if (inicio == QLatin1String("SELECT")) {
        q.Abre();
        Escribe(q.Campos().join(QLatin1Char(';')) + QLatin1Char('\n'));
        for (q.Primero(); !q.Eof(); q.Siguiente()) {
            QStringList valores;
            for (const QString& c : q.Campos())
                valores << (q.EsNulo(c) ? QStringLiteral("NULL") : q.TextoCampo(c));
            Escribe(valores.join(QLatin1Char(';')) + QLatin1Char('\n'));
        }
    } else {
        const int n = q.Ejecuta();
        Escribe(QStringLiteral("filas afectadas\n%1\n").arg(n));
    }
    return 0;
}

int Ejecuta(QStringList args) {
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) ||
        args.contains(QStringLiteral("-h"))) {
        Escribe(QString::fromUtf8(kAyuda));
        return args.isEmpty() ? 2 : 0;
    }
    const QString comando = args.takeFirst();
    if (comando == QLatin1String("usuarios-demo")) {
        EscribeUsuariosDemo();
        return 0;
    }
    if (args.isEmpty())
        throw ErrorArchivo(QStringLiteral("Falta el ARCHIVO de la base de datos."));
    const QString ruta = args.takeFirst();
    if (comando == QLatin1String("crear")) {
        Esquema::CreaBaseEmbebida(ruta);
        Escribe(QStringLiteral("Base de datos creada: %1\n").arg(ruta));
        return 0;
    }
    if (comando == QLatin1String("demo")) {
        OpcionesDemo o;
        o.guias = Opcion(args, QStringLiteral("--guias"), QString::number(o.guias)).toInt();
        o.certificados =
            Opcion(args, QStringLiteral("--certificados"), QString::number(o.certificados)).toInt();
        QElapsedTimer reloj;
        reloj.start();
        CreaBaseDemo(ruta, o);
        Escribe(QStringLiteral("Base de demostración creada: %1 (%2 guías, %3 certificados, "
                               "%4 s)\n")
                    .arg(ruta)
                    .arg(o.guias)
                    .arg(o.certificados)
                    .arg(double(reloj.elapsed()) / 1000.0, 0, 'f', 1));
        EscribeUsuariosDemo();
        return 0;
    }
    if (comando == QLatin1String("revisa"))
        return RevisaArchivo(ruta);
    if (comando == QLatin1String("rescata")) {
        if (args.isEmpty())
            throw ErrorArchivo(QStringLiteral("Falta el archivo NUEVO."));
        return RescataArchivo(ruta, args.takeFirst());
    }
    if (comando == QLatin1String("sql")) {
        if (args.isEmpty())
            throw ErrorArchivo(QStringLiteral("Falta la SENTENCIA."));
        const QString sentencia = args.takeFirst();
        return Sql(ruta, sentencia,
                   Opcion(args, QStringLiteral("--usuario"), QStringLiteral("sistemas")));
    }
    if (comando == QLatin1String("login")) {
        if (args.size() < 2)
            throw ErrorArchivo(QStringLiteral("Uso: login ARCHIVO LOGIN CLAVE"));
        const QString login = args.takeFirst(), clave = args.takeFirst();
        const QString distrital = Opcion(args, QStringLiteral("--distrital"));
        AgregaUsuario(ruta, login, clave, distrital.toUpper(),
                      Opcion(args, QStringLiteral("--paterno"), login.toUpper()),
                      Opcion(args, QStringLiteral("--nombres"), login.toUpper()));
        Escribe(QStringLiteral("Inicio de sesión creado: %1\n").arg(login));
        return 0;
    }
    Sesion sesion(ruta);
    if (comando == QLatin1String("rol") && args.size() >= 2) {
        ServidorEmbebido::AsignaRol(sesion.bd, args[0], args[1]);
        Escribe(QStringLiteral("%1 es miembro de %2\n").arg(args[0], args[1]));
        return 0;
    }
    if (comando == QLatin1String("clave") && args.size() >= 2) {
        ServidorEmbebido::CambiaClave(sesion.bd, args[0], args[1]);
        Escribe(QStringLiteral("Contraseña cambiada: %1\n").arg(args[0]));
        return 0;
    }
    if (comando == QLatin1String("desbloquea") && !args.isEmpty()) {
        ServidorEmbebido::Desbloquea(sesion.bd, args[0]);
        Escribe(QStringLiteral("Cuenta desbloqueada: %1\n").arg(args[0]));
        return 0;
    }
    Escribe(QString::fromUtf8(kAyuda));
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    try {
        return Ejecuta(args);
    } catch (const ErrorTarvelion& e) {
        std::fprintf(stderr, "Error: %s\n", e.Texto().toUtf8().constData());
        return 1;
    }
}
