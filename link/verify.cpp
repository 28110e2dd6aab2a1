#include "verify.h"
#include "ui_verify.h"

#include "vthread.h"

verify::verify(PortSettings settings, QObject *source, QWidget *parent)
    : TransferDialog(parent),
      ui(new Ui_verify)
{
    ui->setupUi(this);
    startWorker(new vThread(settings, source), ui->progressBar);
}

verify::~verify()
{
    delete ui;
}

void verify::changeEvent(QEvent *event)
{
    TransferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void verify::vcomplete()
{
    showOutcome(ui->msg, ui->buttonBox, QStringLiteral("Sikeres ellenőrzés."),
                QStringLiteral("Hiba az ellenőrzés közben.\n"
                               "Ellenzőrizze az eszközt, majd töltse be újra az adatokat az eszközbe."));
}

void verify::on_buttonBox_clicked()
{
    if (worker()->isRunning())
        worker()->requestInterruption();
    // Refused by closeEvent; the button's own accepted()/rejected() ends the dialog.
    close();
}
