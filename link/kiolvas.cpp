#include "kiolvas.h"
#include "ui_kiolvas.h"

#include "rdthread.h"

kiolvas::kiolvas(PortSettings *settings, QWidget *parent)
    : TransferDialog(parent),
      ui(new Ui_kiolvas)
{
    ui->setupUi(this);
    startWorker(new rdThread(settings), ui->progressBar);
}

kiolvas::~kiolvas()
{
    delete ui;
}

void kiolvas::changeEvent(QEvent *event)
{
    TransferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void kiolvas::rdcomplete()
{
    showOutcome(ui->msg, ui->buttonBox, QStringLiteral("Sikeres kiolvasás."),
                QStringLiteral("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt,\n és a port beállítást."));
}

void kiolvas::on_buttonBox_clicked()
{
    if (worker()->isRunning())
        worker()->requestInterruption();
    // Refused by closeEvent; the button's own accepted()/rejected() ends the dialog.
    close();
}
