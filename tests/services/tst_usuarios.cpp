// The registry's users: the password rules in their order, sp_password with the due date, a
// 20-character password with quotes, blanks and accents, the lock-out after three failed
// changes end to end (locked, refused at sign-in, unlocked by the admin tool, signed in), and
// the user list.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "app/TfPrinc.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "db/Consulta.h"
#include "services/TfContrasena.h"
#include "services/TfUsuarios.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

class TstUsuarios : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    void Entra(const QString& login, const QString& clave) {
        base_->AbreSesion(login, clave);
        datos_->LeePerfil();
    }
    static void Llena(TfContrasena& c, const QString& antigua, const QString& nueva,
                      const QString& confirma) {
        c.eAntigua->setText(antigua);
        c.eNueva->setText(nueva);
        c.eConfirma->setText(confirma);
    }
    QVariant Uno(const QString& sql) {
        Consulta q{sql};
        q.Abre();
        return q.Campo(q.Campos().first());
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Geografia();
        base_->Login(QStringLiteral("ana"), QStringLiteral("inicial1"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Lee")});
        base_->Login(QStringLiteral("jefe"), QStringLiteral("jefe1"), QStringLiteral("SCZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("Sis_AdministraUsuarios")});
        base_->Login(QStringLiteral("Guest"), QStringLiteral("guest1"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Lee")});
        datos_ = new TdmDatos;
        Entra(QStringLiteral("ana"), QStringLiteral("inicial1"));
    }
    void cleanup() {
        delete fUsuarios.data();
        delete datos_;
        delete base_;
        TerminacionSolicitada = false;
    }

    // The program's rules, the first that applies deciding; none of them counts as a failure.
    void reglas_data() {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("nueva");
        QTest::addColumn<QString>("confirma");
        QTest::addColumn<int>("regla");
        QTest::addColumn<QString>("texto");
        const int especial = int(ReglaClave::UsuarioEspecial);
        QTest::newRow("SA") << "SA"
                            << "clave123"
                            << "clave123" << especial
                            << QString::fromUtf8("No se puede cambiar la contraseña a SA\npor "
                                                 "pertenecer a una lista de usuarios especiales");
        QTest::newRow("Guest") << "Guest"
                               << "abcde"
                               << "x" << especial
                               << QString::fromUtf8(
                                      "No se puede cambiar la contraseña a GUEST\npor "
                                      "pertenecer a una lista de usuarios especiales");
        QTest::newRow("invitado") << "invitado"
                                  << ""
                                  << "" << especial << QString();
        QTest::newRow("mayúsculas distintas")
            << "ana"
            << "Clave1"
            << "clave1" << int(ReglaClave::NoCoinciden)
            << QString::fromUtf8("La nueva contraseña y su confirmación no coinciden..!!");
        QTest::newRow("48213 sin confirmar igual")
            << "ana"
            << "48213"
            << "48214" << int(ReglaClave::NoCoinciden) << QString();
        QTest::newRow("cuatro") << "ana"
                                << "abcd"
                                << "abcd" << int(ReglaClave::Corta)
                                << QString::fromUtf8("Su nueva contraseña al menos debe tener 5 "
                                                     "caracteres...");
        QTest::newRow("48213") << "ana"
                               << "48213"
                               << "48213" << int(ReglaClave::Prohibida)
                               << QString::fromUtf8("48213 ya no está permitido como password!");
        QTest::newRow("cinco") << "ana"
                               << "abcde"
                               << "abcde" << int(ReglaClave::Valida) << QString();
    }
    void reglas() {
        QFETCH(QString, usuario);
        QFETCH(QString, nueva);
        QFETCH(QString, confirma);
        QFETCH(int, regla);
        QFETCH(QString, texto);
        QCOMPARE(int(RevisaClave(usuario, nueva, confirma)), regla);
        if (texto.isEmpty())
            return;
        GrabadoraInstalada g;
        UsuarioBase = usuario;
        TfContrasena c;
        Llena(c, QStringLiteral("inicial1"), nueva, confirma);
        c.bbCambia->click();
        QCOMPARE(g->Textos(), QStringList{texto});
        QCOMPARE(c.ContadorFallos, 0);
        QCOMPARE(c.result(), regla == especial() ? int(QDialog::Rejected) : 0);
    }

    // A password of 20 characters with quotes, blanks and accents goes through sp_password as
    // text; the due date is the server's day + 30; the new password signs in, the old not.
    void cambio() {
        GrabadoraInstalada g;
        TfContrasena c;
        QCOMPARE(c.eUsuario->text(), QStringLiteral("ana"));
        QCOMPARE(c.eNueva->echoMode(), QLineEdit::Password);
        QCOMPARE(c.eNueva->maxLength(), 20);
        const QString nueva = QString::fromUtf8("Ñu' \"x\"; DROP--é á12");
        QCOMPARE(nueva.size(), 20);
        Llena(c, QStringLiteral("inicial1"), nueva, nueva);
        // A masked field gives nothing to the clipboard.
        QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
        c.eNueva->selectAll();
        c.eNueva->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("antes"));
        c.bbCambia->click();
        QCOMPARE(g->Textos(), QStringList{QString::fromUtf8("Nueva contraseña registrada..!!")});
        QCOMPARE(g->cajas.first().titulo, QString::fromUtf8("Contraseña"));
        QCOMPARE(c.result(), int(QDialog::Accepted));
        QCOMPARE(Uno(QStringLiteral("SELECT NuevoPassword - CAST(GETDATE() AS INT) FROM Usuarios "
                                    "WHERE IdUsuario = 'ana'"))
                     .toInt(),
                 30);
        QVERIFY_THROWS_EXCEPTION(ErrorTarvelion,
                                 Entra(QStringLiteral("ana"), QStringLiteral("inicial1")));
        try {
            Entra(QStringLiteral("ana"), nueva);
        } catch (const ErrorTarvelion& e) {
            QFAIL(qPrintable(e.Texto()));
        }
        QCOMPARE(UsuarioBase, QStringLiteral("ana"));
    }

    // Two wrong old passwords, a new opening (the count starts again), three more: the third
    // is followed by the lock-out and the end of the program; the account cannot sign in until
    // the admin tool unlocks it. The passwords typed are in no message.
    void bloqueo() {
        GrabadoraInstalada g;
        {
            TfContrasena c;
            for (int i = 0; i < 2; ++i) {
                Llena(c, QStringLiteral("mala-clave"), QStringLiteral("nueva123"),
                      QStringLiteral("nueva123"));
                c.bbCambia->click();
            }
            QCOMPARE(c.ContadorFallos, 2);
        }
        QVERIFY(!TerminacionSolicitada);
        g->Limpia();
        TfContrasena c;
        for (int i = 0; i < 3; ++i) {
            Llena(c, QStringLiteral("mala-clave"), QStringLiteral("nueva123"),
                  QStringLiteral("nueva123"));
            c.bbCambia->click();
        }
        const QStringList textos = g->Textos();
        QCOMPARE(textos.size(), 4);
        QVERIFY2(textos[0].startsWith(QString::fromUtf8("Error al cambiar su contraseña..!!!\n")) &&
                     textos[0].endsWith(QStringLiteral("\n\npor favor verifique ...")),
                 qPrintable(textos[0]));
        QCOMPARE(textos[3], QStringLiteral("Ha fallado 3 veces en cambiar su password, por tanto "
                                           "su\ncuenta de usuario para acceder al sistema ha sido "
                                           "bloqueada !"));
        for (const QString& t : textos)
            QVERIFY(!t.contains(QStringLiteral("mala-clave")) &&
                    !t.contains(QStringLiteral("nueva123")));
        QVERIFY(TerminacionSolicitada);
        QCOMPARE(base_
                     ->Valor(QStringLiteral("SELECT Bloqueada FROM Usuarios WHERE IdUsuario = "
                                            "'ana'"))
                     .toInt(),
                 1);
        try {
            Entra(QStringLiteral("ana"), QStringLiteral("inicial1"));
            QFAIL("la cuenta bloqueada inició sesión");
        } catch (const ErrorTarvelion& e) {
            QVERIFY2(e.Texto().contains(QStringLiteral("bloqueada")), qPrintable(e.Texto()));
        }
        if (qEnvironmentVariable("MORAVEL_ADMIN").isEmpty())
            QSKIP("sin ruta de moravel-admin");
        QProcess admin;
        admin.start(qEnvironmentVariable("MORAVEL_ADMIN"),
                    {QStringLiteral("desbloquea"), base_->Ruta(), QStringLiteral("ana")});
        QVERIFY(admin.waitForFinished(60000));
        QCOMPARE(admin.exitCode(), 0);
        Entra(QStringLiteral("ana"), QStringLiteral("inicial1"));
        QCOMPARE(UsuarioBase, QStringLiteral("ana"));
    }

    // The list, for the administrator from the menu: one row per user, the count below.
    void lista() {
        Entra(QStringLiteral("jefe"), QStringLiteral("jefe1"));
        TfPrinc principal;
        QVERIFY(principal.Usuarios1->isEnabled());
        principal.Usuarios1->trigger();
        QVERIFY(fUsuarios);
        const ModeloGrilla& m = fUsuarios->DBGrid1->Modelo();
        QCOMPARE(m.Filas(), 3);
        QCOMPARE(m.Titulo(0), QStringLiteral("J.D."));
        QCOMPARE(m.Titulo(1), QStringLiteral("Login"));
        QCOMPARE(m.Texto(0, 1), QStringLiteral("ana"));
        QCOMPARE(fUsuarios->findChild<QLabel*>()->text(),
                 QStringLiteral("3 registros encontrados"));
        Entra(QStringLiteral("ana"), QStringLiteral("inicial1"));
        TfPrinc deAna;
        QVERIFY(!deAna.Usuarios1->isEnabled());
        delete fUsuarios.data();
        GrabadoraInstalada g;
        AbreUsuarios();
        QVERIFY(!fUsuarios);
        QCOMPARE(g->Textos().size(), 1);
    }

private:
    static int especial() { return int(ReglaClave::UsuarioEspecial); }
};

TARVELION_PRUEBA_MAIN(TstUsuarios)
#include "tst_usuarios.moc"
