#include "setfix.h"
#include "ui_setfix.h"

#include <QEvent>
#include <QPushButton>

setFix::setFix(QWidget *parent)
    : QDialog(parent),
      ui(new Ui_setFix)
{
    ui->setupUi(this);
    connect(ui->i_char, &QLineEdit::textChanged, this, &setFix::handleChange);
}

setFix::~setFix()
{
    delete ui;
}

void setFix::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // the form's re-translation also empties the field
}

void setFix::handleChange(const QString &text)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
}
