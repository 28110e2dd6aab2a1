#include "upload.h"
#include "ui_upload.h"

#include "upthread.h"

upload::upload(PortSettings *settings, QWidget *parent)
    : TransferDialog(parent),
      ui(new Ui_upload)
{
    ui->setupUi(this);
    startWorker(new upThread(settings), ui->progressBar);
}

upload::~upload()
{
    delete ui;
}

void upload::changeEvent(QEvent *event)
{
    TransferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void upload::upcomplete()
{
    showOutcome(ui->msg, ui->buttonBox, tr("Success!"), tr("Read error.\nTip: check device and port settings."));
}

void upload::on_buttonBox_clicked()
{
    if (worker()->isRunning())
        worker()->requestInterruption();
    // Refused by closeEvent; the button's own accepted()/rejected() ends the dialog.
    close();
}
