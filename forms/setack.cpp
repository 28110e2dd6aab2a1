#include "setack.h"
#include "ui_setack.h"

#include <QEvent>
#include <QPushButton>

setAck::setAck(QWidget *parent, char ackChar)
    : QDialog(parent),
      ui(new Ui_setAck)
{
    ui->setupUi(this);
    ui->i_char->setText(QString(QChar::fromLatin1(ackChar)));
    // Connected only now, so the starting text leaves Ok as the form has it.
    connect(ui->i_char, &QLineEdit::textChanged, this, &setAck::handleChange);
}

setAck::~setAck()
{
    delete ui;
}

void setAck::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // the form's re-translation also empties the field
}

void setAck::handleChange(const QString &text)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}
