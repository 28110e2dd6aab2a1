#include "separators.h"
#include "ui_separators.h"

#include <QEvent>
#include <QPushButton>

separators::separators(QWidget *parent, char downloadSeparator, char uploadSeparator)
    : QDialog(parent),
      ui(new Ui_separators)
{
    ui->setupUi(this);
    ui->c_ds->setText(QString(QChar::fromLatin1(downloadSeparator)));
    ui->c_us->setText(QString(QChar::fromLatin1(uploadSeparator)));
    // Connected only now, so the starting texts leave Ok as the form has it.
    connect(ui->c_ds, &QLineEdit::textChanged, this, &separators::handleChange);
    connect(ui->c_us, &QLineEdit::textChanged, this, &separators::handleChange);
}

separators::~separators()
{
    delete ui;
}

void separators::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this); // the form's re-translation also empties the fields
}

void separators::handleChange()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(!ui->c_ds->text().isEmpty() && !ui->c_us->text().isEmpty());
}
