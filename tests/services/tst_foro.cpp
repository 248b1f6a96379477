// The questions forum: the list's kinds as data, the answer button by right and result, new
// questions (numbering from 1, quotes and SQL text stored as text, the small-integer limit
// refused in words with the text kept), answering and rewording (refused without the right,
// the later of two answers winning whole), and the answer viewer.
#include "apoyo/BaseDePrueba.h"
#include "apoyo/Grabadora.h"
#include "apoyo/Principal.h"
#include "app/Aperturas.h"
#include "app/Globales.h"
#include "app/TdmDatos.h"
#include "common/Errores.h"
#include "common/Grilla.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "services/Foro.h"
#include "services/TfForo.h"
#include "services/TfForoP.h"
#include "services/TfForoV.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

class TstForo : public QObject {
    Q_OBJECT
    BaseDePrueba* base_ = nullptr;
    TdmDatos* datos_ = nullptr;

    void Entra(const QString& login) {
        base_->AbreSesion(login, QStringLiteral("x"));
        datos_->LeePerfil();
    }
    QList<int> Numeros() const {
        QList<int> n;
        const ModeloGrilla& m = fForo->UltimDBGrid1->Modelo();
        for (int f = 0; f < m.Filas(); ++f)
            n << m.Valor(m.FilaOrigen(f), QStringLiteral("IdPregunta")).toInt();
        return n;
    }
    void Lista(TipoForo tipo, const QString& servicio = {}) {
        fForo->RadioGroup1->button(int(tipo))->click();
        if (!servicio.isEmpty())
            fForo->cbServicio->setCurrentIndex(fForo->cbServicio->findData(servicio));
        fForo->SpeedButton1->click();
    }
    QVariant Campo(const char* campo, int id) {
        return base_->Valor(
            QStringLiteral("SELECT %1 FROM Foros WHERE IdPregunta = ?").arg(QLatin1String(campo)),
            {id});
    }

private Q_SLOTS:
    void init() {
        base_ = new BaseDePrueba;
        base_->Login(QStringLiteral("ana"), QStringLiteral("x"), QStringLiteral("BEN"),
                     {QStringLiteral("PSi_Lee")});
        base_->Login(QStringLiteral("soporte"), QStringLiteral("x"), QStringLiteral("LPZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("Sis_RespondeForo")});
        base_->Login(QStringLiteral("soporte2"), QStringLiteral("x"), QStringLiteral("LPZ"),
                     {QStringLiteral("PSi_Lee"), QStringLiteral("Sis_RespondeForo")});
        base_->Sql(QString::fromUtf8("INSERT INTO Talonarios VALUES ('VAC', 'Vacunación'), "
                                     "('GMA', 'Guías'), ('O''K', 'Otro servicio')"));
        base_->Sql(QStringLiteral(
            "INSERT INTO Foros VALUES (1, 'Cómo imprimo?', 'Con F9', 'T', NULL, 'ana', "
            "'2026-01-05 10:00:00.000', 'soporte', '2026-01-06 11:30:00.000'), "
            "(2, 'Plazo del ciclo?', NULL, 'S', 'VAC', 'ana', '2026-02-01 09:00:00.000', NULL, "
            "NULL), (3, 'Otra', 'Sí', 'S', 'O''K', 'ana', '2026-03-01 09:00:00.000', 'soporte', "
            "'2026-03-02 09:00:00.000')"));
        datos_ = new TdmDatos;
        Entra(QStringLiteral("ana"));
    }
    void cleanup() {
        Ventanas::InstalaManejador({});
        delete fForo.data();
        delete datos_;
        delete base_;
    }

    // Each kind lists its questions; a service key with a quote selects its own rows.
    void tipos_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("servicio");
        QTest::addColumn<QList<int>>("numeros");
        QTest::newRow("todas") << int(TipoForo::Todas) << QString() << QList<int>{1, 2, 3};
        QTest::newRow("técnicas") << int(TipoForo::Tecnicas) << QString() << QList<int>{1};
        QTest::newRow("servicio VAC") << int(TipoForo::Servicios) << "VAC" << QList<int>{2};
        QTest::newRow("servicio con comilla") << int(TipoForo::Servicios) << "O'K" << QList<int>{3};
        QTest::newRow("servicio sin preguntas")
            << int(TipoForo::Servicios) << "GMA" << QList<int>{};
        QTest::newRow("sin responder") << int(TipoForo::SinResponder) << QString() << QList<int>{2};
    }
    void tipos() {
        QFETCH(int, tipo);
        QFETCH(QString, servicio);
        QFETCH(QList<int>, numeros);
        AbreForo();
        QVERIFY(fForo);
        QCOMPARE(fForo->windowTitle(), QString::fromUtf8("Preguntas más frecuentes"));
        // The first service in name order is chosen.
        QCOMPARE(fForo->cbServicio->currentData().toString(), QStringLiteral("GMA"));
        QVERIFY(!fForo->cbServicio->isEnabled());
        Lista(TipoForo(tipo), servicio);
        QCOMPARE(fForo->cbServicio->isEnabled(), TipoForo(tipo) == TipoForo::Servicios);
        QCOMPARE(Numeros(), numeros);
        QCOMPARE(fForo->sbMira->isEnabled(), !numeros.isEmpty());
        QVERIFY(!fForo->sbResponde->isEnabled()); // ana may not answer
        const ModeloGrilla& m = fForo->UltimDBGrid1->Modelo();
        for (int f = 0; f < m.Filas(); ++f) {
            const int id = m.Valor(m.FilaOrigen(f), QStringLiteral("IdPregunta")).toInt();
            const QColor color = m.data(m.index(f, 1), Qt::ForegroundRole).value<QColor>();
            QCOMPARE(color, id == 2 ? QColor(Qt::red) : QColor(Qt::black));
            if (id == 1)
                QCOMPARE(m.Texto(f, 2), QStringLiteral("Sistemas"));
        }
    }

    // The answer button: with the right and rows only.
    void derechoDeResponder() {
        Entra(QStringLiteral("soporte"));
        AbreForo();
        Lista(TipoForo::Todas);
        QVERIFY(fForo->sbResponde->isEnabled());
        Lista(TipoForo::Servicios, QStringLiteral("GMA"));
        QVERIFY(!fForo->sbResponde->isEnabled());
        QVERIFY(!fForo->sbMira->isEnabled());
    }

    // A new question from an empty table is number 1, stored as typed (quotes and SQL text
    // included) with the asker; a question about a service keeps its key.
    void nuevaPregunta() {
        base_->Sql(QStringLiteral("DELETE FROM Foros"));
        QCOMPARE(NuevoIdPregunta(), 1);
        GrabadoraInstalada g;
        AbreForo();
        const QString texto = QString::fromUtf8("¿Y si escribo 'O''Brien'; DROP TABLE Foros--?");
        int vuelta = 0;
        Ventanas::InstalaManejador([&](QDialog& d) {
            auto& p = dynamic_cast<TfForoP&>(d);
            p.show();
            [&] {
                QCOMPARE(p.windowTitle(), QStringLiteral("Formular nueva pregunta"));
                QVERIFY(!p.mRespuesta->isVisible());
            }();
            p.ePregunta->setText(texto);
            if (vuelta++ == 1) {
                p.RadioGroup1->button(1)->click();
                p.cbServic->setCurrentIndex(p.cbServic->findData(QStringLiteral("GMA")));
            }
            p.BitBtn1->click();
            return p.result();
        });
        fForo->SpeedButton2->click();
        fForo->SpeedButton2->click();
        QCOMPARE(g->Textos().first(),
                 QString::fromUtf8("Su pregunta ha sido enviada, en breve recibirá una "
                                   "respuesta!\nGracias por su colaboración..."));
        QCOMPARE(Campo("Pregunta", 1).toString(), texto);
        QCOMPARE(Campo("PreguntadaPor", 1).toString(), QStringLiteral("ana"));
        QCOMPARE(Campo("Categoria", 1).toString(), QStringLiteral("T"));
        QVERIFY(Campo("IdServicio", 1).isNull());
        QVERIFY(Campo("Respuesta", 1).isNull());
        QCOMPARE(Campo("Categoria", 2).toString(), QStringLiteral("S"));
        QCOMPARE(Campo("IdServicio", 2).toString(), QStringLiteral("GMA"));
        QVERIFY(!Campo("FechaPregunta", 2).isNull());
    }

    // Past the last small integer the question is refused in words; the editor stays open
    // with the text, so nothing typed is lost. A blank question is not sent.
    void limite() {
        base_->Sql(QStringLiteral("INSERT INTO Foros VALUES (32767, 'última', NULL, 'T', NULL, "
                                  "'ana', '2026-01-01 00:00:00.000', NULL, NULL)"));
        GrabadoraInstalada g;
        TfForoP p;
        p.ePregunta->setText(QStringLiteral("una más"));
        p.BitBtn1->click();
        QCOMPARE(p.result(), 0);
        QCOMPARE(p.ePregunta->text(), QStringLiteral("una más"));
        QVERIFY2(g->Textos().last().startsWith(
                     QStringLiteral("Error al intentar guardar el registro !\n")) &&
                     g->Textos().last().contains(QStringLiteral("32767")),
                 qPrintable(g->Textos().last()));
        QCOMPARE(base_->Valor(QStringLiteral("SELECT COUNT(*) FROM Foros")).toInt(), 4);
        p.ePregunta->setText(QStringLiteral("   "));
        p.BitBtn1->click();
        QCOMPARE(g->Textos().last(), QStringLiteral("Debe escribir su pregunta !"));
    }

    // Answering the list's question: the editor shows it with its kind and service, the save
    // rewords and answers it; answering again replaces answer, answerer and time. The viewer
    // then shows it; an unanswered row is refused.
    void responder() {
        Entra(QStringLiteral("soporte"));
        GrabadoraInstalada g;
        AbreForo();
        Lista(TipoForo::Todas);
        QVERIFY(fForo->UltimDBGrid1->Localiza({QStringLiteral("IdPregunta")}, {2}));
        fForo->sbMira->click();
        QCOMPARE(g->Textos(), QStringList{QString::fromUtf8("Esta pregunta aún no ha sido "
                                                            "respondida !")});
        QString respuesta = QStringLiteral("Hasta el 30; vea la norma 'R-1'.");
        Ventanas::InstalaManejador([&](QDialog& d) {
            if (auto* v = dynamic_cast<TfForoV*>(&d)) {
                [&] {
                    QCOMPARE(v->mPregunta->toPlainText(), QStringLiteral("Plazo del ciclo ya?"));
                    QCOMPARE(v->mRespuesta->toPlainText(), respuesta);
                    QVERIFY2(v->lRespondida->text().startsWith(
                                 QStringLiteral("RESPONDIDA POR: soporte2, EN FECHA: ")),
                             qPrintable(v->lRespondida->text()));
                }();
                return int(QDialog::Accepted);
            }
            auto& p = dynamic_cast<TfForoP&>(d);
            p.show();
            [&] {
                QCOMPARE(p.windowTitle(), QStringLiteral("Responder a la pregunta"));
                QCOMPARE(p.ePregunta->text().left(15), QStringLiteral("Plazo del ciclo"));
                QCOMPARE(p.RadioGroup1->checkedId(), 1);
                QVERIFY(p.cbServic->isEnabled());
                QCOMPARE(p.cbServic->currentData().toString(), QStringLiteral("VAC"));
            }();
            p.ePregunta->setText(QStringLiteral("Plazo del ciclo ya?"));
            p.mRespuesta->setPlainText(respuesta);
            p.BitBtn1->click();
            return p.result();
        });
        fForo->sbResponde->click();
        QCOMPARE(Campo("Respuesta", 2).toString(), respuesta);
        QCOMPARE(Campo("RespondidaPor", 2).toString(), QStringLiteral("soporte"));
        QCOMPARE(Campo("Pregunta", 2).toString(), QStringLiteral("Plazo del ciclo ya?"));
        // The list is not rerun by itself; another answerer answers again.
        Entra(QStringLiteral("soporte2"));
        Lista(TipoForo::Todas);
        QVERIFY(fForo->UltimDBGrid1->Localiza({QStringLiteral("IdPregunta")}, {2}));
        respuesta = QStringLiteral("Otra respuesta");
        fForo->sbResponde->click();
        QCOMPARE(Campo("Respuesta", 2).toString(), respuesta);
        QCOMPARE(Campo("RespondidaPor", 2).toString(), QStringLiteral("soporte2"));
        Lista(TipoForo::Todas);
        QVERIFY(fForo->UltimDBGrid1->Localiza({QStringLiteral("IdPregunta")}, {2}));
        fForo->sbMira->click();
    }

    // Without the right the server refuses the answer and the editor keeps it. Two sessions
    // answering the same question: the later answer stands whole.
    void sinDerechoYConcurrencia() {
        GrabadoraInstalada g;
        TfForoP p;
        p.PreparaRespuesta(2, QStringLiteral("Plazo del ciclo?"), QStringLiteral("S"),
                           QStringLiteral("VAC"), QString());
        p.mRespuesta->setPlainText(QStringLiteral("yo respondo"));
        p.BitBtn1->click();
        QCOMPARE(p.result(), 0);
        QVERIFY(g->Textos().last().startsWith(
            QStringLiteral("Error al intentar guardar el registro !\n")));
        QVERIFY(Campo("Respuesta", 2).isNull());

        Conexion a(QStringLiteral("a")), b(QStringLiteral("b"));
        base_->AbreConexion(a, QStringLiteral("soporte"), QStringLiteral("x"));
        base_->AbreConexion(b, QStringLiteral("soporte2"), QStringLiteral("x"));
        auto responde = [](Conexion& c, const QString& pregunta, const QString& respuesta) {
            Consulta q({QStringLiteral("UPDATE Foros SET Pregunta = :p, Respuesta = :r, "
                                       "RespondidaPor = LOWER(SUSER_SNAME()), FechaRespuesta = "
                                       "GETDATE() WHERE IdPregunta = 2")},
                       &c);
            q.Texto(QStringLiteral("p"), pregunta, 150);
            q.Texto(QStringLiteral("r"), respuesta);
            q.Ejecuta();
        };
        responde(a, QStringLiteral("versión A"), QStringLiteral("respuesta A"));
        responde(b, QStringLiteral("versión B"), QStringLiteral("respuesta B"));
        QCOMPARE(Campo("Pregunta || '/' || Respuesta || '/' || RespondidaPor", 2).toString(),
                 QStringLiteral("versión B/respuesta B/soporte2"));
        a.Cierra();
        b.Cierra();
    }
    // A reader may only add questions: SQLite's forms that replace a row are syntax errors on
    // both backends, and the answered question stays as it was.
    void sinReemplazo() {
        for (const char* sentencia :
             {"INSERT OR REPLACE INTO Foros VALUES (1, 'Mía', NULL, 'T', NULL, 'ana', GETDATE(), "
              "NULL, NULL)",
              "REPLACE INTO Foros VALUES (1, 'Mía', NULL, 'T', NULL, 'ana', GETDATE(), NULL, NULL)",
              "INSERT INTO Foros VALUES (1, 'Mía', NULL, 'T', NULL, 'ana', GETDATE(), NULL, NULL) "
              "ON CONFLICT (IdPregunta) DO UPDATE SET Pregunta = 'Mía'"}) {
            QString error;
            try {
                Consulta({QLatin1String(sentencia)}).Ejecuta();
            } catch (const ErrorBaseDatos& e) {
                error = e.Texto();
            }
            QVERIFY2(error.startsWith(QStringLiteral("Sintaxis incorrecta cerca de la palabra "
                                                     "clave '")),
                     qPrintable(error));
        }
        QCOMPARE(Campo("Pregunta || '/' || PreguntadaPor || '/' || Respuesta", 1).toString(),
                 QStringLiteral("Cómo imprimo?/ana/Con F9"));
    }
};

TARVELION_PRUEBA_MAIN(TstForo)
#include "tst_foro.moc"
