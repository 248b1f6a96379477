// Import of legacy certificates from a workbook.
#include "vaccination/TfImpor.h"

#include "common/Dialogos.h"
#include "common/Editores.h"
#include "common/Errores.h"
#include "common/LibroCalculo.h"
#include "common/Mensajes.h"
#include "common/PanelTotales.h"
#include "common/Ventanas.h"
#include "common/Vocabulario.h"
#include "db/Conexion.h"
#include "db/Consulta.h"
#include "db/DialectoSqlite.h"
#include "db/EscrituraPorFilas.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using LibroCalculo::Celda;

// Each row of the sheet from row 7 on, inserted as it is read.
struct ImportaFilas : LibroCalculo::Lector {
    TfImpor& f;
    QString ciclo, distrital, vacunador;
    bool vacunadorDeColumna = false;
    int siguiente = 7; // the row expected next; a row the file leaves out is an empty one
    Consulta cInserta;
    EscrituraPorFilas* escritura = nullptr;
    const QDate hoy = QDate::currentDate();
    QElapsedTimer pintado; // the window is brought up to date a few times a second
    int ultima = 0;        // the last row read
    int filaActual = 0;    // the row being written, for its refusal
    int aceptadas = 0;     // rows stored (or, in a dry run, that would be)
    int rechazadas = 0;    // rows refused
    bool soloVerificar = false;
    // The last row known to be stored (a real run), as the sheet numbers it, with its number.
    int guardada = 0;
    QString certificadoGuardado;

    explicit ImportaFilas(TfImpor& forma) : f(forma) {
        QStringList l{QStringLiteral("INSERT INTO Vacunaciones"), QStringLiteral("VALUES (")};
        for (const char* p : {":sIdCiclo",
                              ":sCertificadoNro",
                              ":sNombreCabana",
                              ":sIdPadron",
                              ":sCodigoCatastro",
                              ":sIdDistrital",
                              ":sIdProvincia",
                              ":sIdMunicipio",
                              ":sLocalidad",
                              "NULL",
                              "NULL",
                              ":sIdProveedor",
                              ":sIdVacunador",
                              ":sCantidadDosis",
                              ":sLaboratorio",
                              ":sSerie",
                              ":sPartida",
                              ":sProcedencia",
                              ":sExpiracion",
                              ":sFechaVacunacion",
                              ":sFechaCertificacion",
                              ":sTerneros",
                              ":sVaquillas",
                              ":sTorillos",
                              ":sNovillos",
                              ":sVacas",
                              ":sToros",
                              ":sBueyes",
                              ":sBufalos",
                              ":sIdPropietario",
                              ":sPaterno",
                              ":sMaterno",
                              ":sNombres",
                              ":sModificadoPor"})
            l << QLatin1String(p) + QLatin1Char(',');
        l << QStringLiteral(":sFechaModificacion") << QStringLiteral(")");
        cInserta.FijaSql(l);
    }

    static const Celda& De(const std::vector<Celda>& c, int columna) {
        static const Celda vacia;
        return size_t(columna) < c.size() ? c[size_t(columna)] : vacia;
    }
    // A cell with its own type into a parameter of the column's type.
    void Valor(const QString& n, const Celda& c, TipoParametro tipo) {
        if (tipo == TipoParametro::FechaHora) {
            Fecha(n, c);
            return;
        }
        switch (c.tipo) {
        case Celda::Vacia:
            cInserta.Nulo(n, tipo);
            break;
        case Celda::Fecha:
            cInserta.Parametro(n, TipoParametro::FechaHora, c.fecha);
            break;
        case Celda::Numero:
            // (a fraction in a whole-number column is refused by the parameter, not rounded)
            cInserta.Parametro(n, tipo,
                               tipo == TipoParametro::Texto ? QVariant(c.ComoTexto())
                                                            : QVariant(c.numero));
            break;
        default:
            cInserta.Parametro(n, tipo == TipoParametro::FechaHora ? TipoParametro::Texto : tipo,
                               c.ComoTexto());
        }
    }
    // A date column's cell: a date; a number whose date format was lost is its day number as the
    // spreadsheet shows it (43600 is 15/05/2019); a text reads day first ("15/03/2019"). Any
    // other cell is refused with its row and what it holds, never stored as empty.
    void Fecha(const QString& n, const Celda& c) {
        QDateTime fecha;
        switch (c.tipo) {
        case Celda::Vacia:
            cInserta.Nulo(n, TipoParametro::FechaHora);
            return;
        case Celda::Fecha:
            fecha = c.fecha;
            break;
        case Celda::Numero:
            fecha = LibroCalculo::FechaDeSerie(c.numero);
            break;
        case Celda::Texto:
            if (!c.texto.trimmed().isEmpty())
                fecha = DialectoSqlite::FechaDeTexto(c.texto.trimmed());
            else {
                cInserta.Nulo(n, TipoParametro::FechaHora);
                return;
            }
            break;
        case Celda::Logico:
            break;
        }
        if (!fecha.isValid())
            throw ErrorBaseDatos(QString::fromUtf8("fila %1: \"%2\" no es una fecha (%3).")
                                     .arg(filaActual)
                                     .arg(c.ComoTexto().left(40), n.mid(1)));
        cInserta.Parametro(n, TipoParametro::FechaHora, fecha);
    }
    void Texto(const QString& nombre, const Celda& c, int tamano) {
        cInserta.Texto(nombre, c.ComoTexto().trimmed(), tamano);
    }

    bool Fila(int fila, const std::vector<Celda>& c) override {
        if (fila < 7)
            return true;
        const Celda& a = De(c, 0);
        if (fila > siguiente || a.ComoTexto().isEmpty())
            return false; // the first empty column A ends the list
        siguiente = fila + 1;
        ultima = fila;
        if (!pintado.isValid() || pintado.elapsed() >= 100) {
            f.lPredio->setText(De(c, 1).ComoTexto().trimmed());
            f.setWindowTitle(QStringLiteral("Importar datos [%1]").arg(fila + 1));
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            pintado.restart();
        }
        QString motivo;
        filaActual = fila;
        try {
            motivo = Escribe(a, c);
        } catch (const ConexionPerdidaEnFila& e) {
            throw ErrorBaseDatos(TextoPerdida(fila, a.ComoTexto()) + QLatin1Char('\n') + e.Texto());
        }
        ++(motivo.isEmpty() ? aceptadas : rechazadas);
        if (motivo.isEmpty() && !soloVerificar) {
            guardada = fila;
            certificadoGuardado = a.ComoTexto();
        }
        if (!motivo.isEmpty()) {
            // The row is listed with the reason and the import goes on; a number that is no
            // integer is listed as written.
            bool entero = false;
            const qint64 n = a.ComoTexto().toLongLong(&entero);
            f.Memo1->appendPlainText((entero ? QString::number(n) : a.ComoTexto()) +
                                     QStringLiteral(" - ") + motivo);
        }
        return true;
    }
    // What the user reads when the connection went while row `fila` was written: the import
    // stopped there, that row's fate is unknown, and the last row known to be stored.
    QString TextoPerdida(int fila, const QString& certificado) const {
        const QString aqui =
            QString::fromUtf8("Se perdió la conexión con el servidor mientras se guardaba la fila "
                              "%1 del libro (certificado %2) y la importación se detuvo.")
                .arg(fila)
                .arg(certificado);
        if (soloVerificar)
            return aqui + QString::fromUtf8(" Era solo una verificación: no se guardó nada.");
        const QString antes =
            guardada > 0 ? QString::fromUtf8(" La última fila guardada con seguridad es la %1 "
                                             "(certificado %2);")
                               .arg(guardada)
                               .arg(certificadoGuardado)
                         : QString::fromUtf8(" Ninguna fila quedó guardada con seguridad;");
        return aqui + antes +
               QString::fromUtf8(" no se sabe si la fila %1 quedó guardada. Cuando vuelva la "
                                 "conexión, importe el libro otra vez: las filas ya guardadas se "
                                 "rechazarán como repetidas.")
                   .arg(fila);
    }
    // One row's insert, by the row-by-row protocol; the refusal's text, empty when stored.
    QString Escribe(const Celda& a, const std::vector<Celda>& c) {
        return escritura->Fila([&] {
            cInserta.Texto(QStringLiteral("sIdCiclo"), ciclo, 3);
            Valor(QStringLiteral("sCertificadoNro"), a, TipoParametro::Entero);
            Texto(QStringLiteral("sNombreCabana"), De(c, 1), 50);
            cInserta.Nulo(QStringLiteral("sIdPadron"), TipoParametro::Texto);
            cInserta.Nulo(QStringLiteral("sCodigoCatastro"), TipoParametro::Texto);
            cInserta.Texto(QStringLiteral("sIdDistrital"), distrital, 3);
            Texto(QStringLiteral("sPaterno"), De(c, 2), 70);
            Texto(QStringLiteral("sMaterno"), De(c, 3), 25);
            Texto(QStringLiteral("sNombres"), De(c, 4), 25);
            Texto(QStringLiteral("sIdProvincia"), De(c, 5), 2);
            Texto(QStringLiteral("sIdMunicipio"), De(c, 6), 2);
            Texto(QStringLiteral("sLocalidad"), De(c, 7), 25);
            Texto(QStringLiteral("sIdProveedor"), De(c, 8), 3);
            Valor(QStringLiteral("sCantidadDosis"), De(c, 9), TipoParametro::Entero);
            Texto(QStringLiteral("sLaboratorio"), De(c, 10), 30);
            Texto(QStringLiteral("sSerie"), De(c, 11), 15);
            Texto(QStringLiteral("sPartida"), De(c, 12), 10);
            Texto(QStringLiteral("sProcedencia"), De(c, 13), 20);
            Texto(QStringLiteral("sExpiracion"), De(c, 14), 10);
            Valor(QStringLiteral("sFechaVacunacion"), De(c, 15), TipoParametro::FechaHora);
            Valor(QStringLiteral("sFechaCertificacion"), De(c, 16), TipoParametro::FechaHora);
            static const QString conteos[] = {
                QStringLiteral("sTerneros"), QStringLiteral("sVaquillas"),
                QStringLiteral("sTorillos"), QStringLiteral("sNovillos"),
                QStringLiteral("sVacas"),    QStringLiteral("sToros"),
                QStringLiteral("sBueyes"),   QStringLiteral("sBufalos")};
            for (int k = 0; k < 8; ++k)
                Valor(conteos[k], De(c, 17 + k), TipoParametro::EnteroCorto);
            if (vacunadorDeColumna)
                Valor(QStringLiteral("sIdVacunador"), De(c, 34), TipoParametro::Texto);
            else
                cInserta.Texto(QStringLiteral("sIdVacunador"), vacunador, 12);
            cInserta.Texto(QStringLiteral("sIdPropietario"), QStringLiteral("-"), 12);
            cInserta.Texto(QStringLiteral("sModificadoPor"), QStringLiteral("-"), 12);
            cInserta.FechaHora(QStringLiteral("sFechaModificacion"), hoy);
            cInserta.Ejecuta();
        });
    }
    // The rows' writes ended, the caption with the last row read.
    void Termina() {
        if (ultima > 0)
            f.setWindowTitle(QStringLiteral("Importar datos [%1]").arg(ultima + 1));
        escritura->Termina();
    }
    void Progreso(int leidas, int total) override {
        if (total > 0) {
            f.pbAvance->setMaximum(total);
            f.pbAvance->setValue(leidas);
        }
    }
};

TfImpor::TfImpor(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fImpor"));
    setWindowTitle(QStringLiteral("Importar datos"));
    eArchivo = new QLineEdit(this);
    eArchivo->setObjectName(QStringLiteral("eArchivo"));
    eArchivo->setReadOnly(true);
    eArchivo->setMinimumWidth(360);
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    cbVeter = new QComboBox(this);
    cbVeter->setObjectName(QStringLiteral("cbVeter"));
    cbVeter->setMaxVisibleItems(15);
    cVeter = new QCheckBox(QStringLiteral("Obtener Id. de veterinario de columna AI"), this);
    cVeter->setObjectName(QStringLiteral("cVeter"));
    cbCiclo = new QComboBox(this);
    cbCiclo->setObjectName(QStringLiteral("cbCiclo"));
    for (int c = 20; c >= 12; --c)
        cbCiclo->addItem(QString::number(c));
    cbCiclo->setCurrentIndex(-1);
    cbDistrital = new QComboBox(this);
    cbDistrital->setObjectName(QStringLiteral("cbDistrital"));
    cbDistrital->addItems(Vocabulario::Distritales());
    cbDistrital->setCurrentIndex(-1);
    cSoloVerificar = new QCheckBox(QStringLiteral("Solo verificar (no guardar)"), this);
    cSoloVerificar->setObjectName(QStringLiteral("cSoloVerificar"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    pbAvance = new QProgressBar(this);
    pbAvance->setObjectName(QStringLiteral("pbAvance"));
    pbAvance->setValue(0);
    lPredio = new QLabel(this);
    lPredio->setObjectName(QStringLiteral("lPredio"));
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cerrar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));

    auto* archivo = new QHBoxLayout;
    archivo->addWidget(eArchivo, 1);
    archivo->addWidget(SpeedButton1);
    auto* f = new QFormLayout;
    f->addRow(QStringLiteral("Archivo de registros de vacunaciones"), archivo);
    f->addRow(QStringLiteral("Veterinario responsable"), cbVeter);
    f->addRow(QString(), cVeter);
    f->addRow(QStringLiteral("Ciclo"), cbCiclo);
    f->addRow(QStringLiteral("Distrital"), cbDistrital);
    f->addRow(QString(), cSoloVerificar);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(BitBtn1);
    botones->addWidget(BitBtn2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(f);
    todo->addWidget(
        new QLabel(QStringLiteral("Registros no introducidos a la base de datos"), this));
    todo->addWidget(Memo1, 1);
    todo->addWidget(lPredio);
    todo->addWidget(pbAvance);
    todo->addLayout(botones);

    // Creation: the veterinarians, the first one chosen.
    Editores::LlenaLista(cbVeter,
                         {QStringLiteral("select IdCarnet, (Paterno+' '+ISNULL(Materno,'')+' '+"
                                         "Nombres) AS Nombre"),
                          QStringLiteral("from Veterinarios"),
                          QStringLiteral("order by paterno,nombres")},
                         "IdCarnet", "Nombre");
    cbVeter->setCurrentIndex(cbVeter->count() > 0 ? 0 : -1);
    connect(cVeter, &QCheckBox::toggled, this, &TfImpor::cVeterClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfImpor::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TfImpor::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    cVeterClick();
    resize(620, 480);
}

void TfImpor::cVeterClick() {
    cbVeter->setEnabled(!cVeter->isChecked());
    ColoreaFiltro(cbVeter, !cVeter->isChecked());
}

void TfImpor::SpeedButton1Click() {
    const QString ruta = Dialogos::Abrir(
        {QStringLiteral("Abrir"), QStringLiteral("xlsx"),
         QString::fromUtf8("Libros de cálculo|*.xlsx;*.xls;*.ods|Todos los archivos|*.*")});
    if (!ruta.isEmpty())
        eArchivo->setText(ruta);
}

void TfImpor::BitBtn1Click() {
    if (eArchivo->text().isEmpty()) {
        Mensajes::MuestraError(QStringLiteral("Debe especificar un archivo de origen !"));
        return;
    }
    if (cbCiclo->currentIndex() < 0 || cbDistrital->currentIndex() < 0) {
        Mensajes::MuestraError(
            QString::fromUtf8("Debe especificar ciclo de vacunación y distrital !"));
        return;
    }
    ImportaFilas filas(*this);
    filas.ciclo = cbCiclo->currentText();
    filas.distrital = cbDistrital->currentText();
    filas.vacunadorDeColumna = cVeter->isChecked();
    filas.vacunador = cbVeter->currentData().toString();
    filas.soloVerificar = cSoloVerificar->isChecked();
    Ventanas::CursorEspera espera;
    BitBtn1->setEnabled(false);
    struct Rehabilita {
        QPushButton* b;
        ~Rehabilita() { b->setEnabled(true); }
    } rehabilita{BitBtn1};
    if (!Conexion::Principal())
        throw ErrorBaseDatos(QString::fromUtf8("No hay conexión con la base de datos."));
    EscrituraPorFilas escritura(*Conexion::Principal(), cSoloVerificar->isChecked());
    filas.escritura = &escritura;
    try {
        LibroCalculo::LeeHoja(eArchivo->text(), QStringLiteral("Listado"), filas);
    } catch (...) {
        // A stop half-way keeps the rows written before it (a dry run keeps none).
        lPredio->clear();
        filas.Termina();
        throw;
    }
    filas.Termina();
    lPredio->clear();
    pbAvance->setValue(pbAvance->maximum()); // the list may end before the sheet does
    // A dry run ends saying what a real run would do; a real run with its closing words.
    if (filas.soloVerificar)
        Mensajes::MensajePlano(
            QString::fromUtf8("Verificación terminada, no se guardó nada: se insertarían %1 "
                              "filas y se rechazarían %2.")
                .arg(filas.aceptadas)
                .arg(filas.rechazadas));
    else
        Mensajes::MensajePlano(QStringLiteral("Listo, ya acabé con esta madre"));
}
