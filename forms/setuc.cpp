#include "setuc.h"
#include "ui_setuc.h"

#include <QEvent>
#include <QPushButton>

setUC::setUC(QWidget *parent, char uploadCommand)
    : QDialog(parent),
      ui(new Ui_setUC)
{
    ui->setupUi(this);
    ui->i_char->setText(QString(QChar::fromLatin1(uploadCommand)));
    // Connected only now, so the starting text leaves Ok as the form has it.
    connect(ui->i_char, &QLineEdit::textChanged, this, &setUC::handleChange);
}

setUC::~setUC()
{
    delete ui;
}

void setUC::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // the form's re-translation also empties the field
}

void setUC::handleChange(const QString &text)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}
