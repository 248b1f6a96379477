// Answer viewer.
#include "services/TfForoV.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>

TfForoV::TfForoV(QWidget* padre) : QDialog(padre) {
    setObjectName(QStringLiteral("fForoV"));
    setWindowTitle(QStringLiteral("Pregunta respondida"));
    mPregunta = new QPlainTextEdit(this);
    mPregunta->setObjectName(QStringLiteral("mPregunta"));
    mPregunta->setReadOnly(true);
    mPregunta->setMaximumHeight(64);
    QFont negrita = mPregunta->font();
    negrita.setBold(true);
    mPregunta->setFont(negrita);
    mPregunta->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    mRespuesta = new QPlainTextEdit(this);
    mRespuesta->setObjectName(QStringLiteral("mRespuesta"));
    mRespuesta->setReadOnly(true);
    mRespuesta->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lRespondida = new QLabel(this);
    lRespondida->setObjectName(QStringLiteral("lRespondida"));
    BitBtn1 = new QPushButton(QStringLiteral("Cerrar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(lRespondida, 1);
    abajo->addWidget(BitBtn1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(mPregunta);
    todo->addWidget(mRespuesta, 1);
    todo->addLayout(abajo);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    resize(560, 400);
}
