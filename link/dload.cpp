#include "dload.h"
#include "ui_dload.h"

#include "dlthread.h"

dload::dload(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent)
    : TransferDialog(parent),
      ui(new Ui_dload)
{
    ui->setupUi(this);
    startWorker(new dlThread(settings, rowAddr, rowData), ui->progressBar);
}

dload::~dload()
{
    delete ui;
}

void dload::changeEvent(QEvent *event)
{
    TransferDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}

void dload::dlcomplete()
{
    showOutcome(ui->kiiras, ui->buttonBox, tr("Success!"),
                tr("Download error.\nTip: Check device and port settings."));
}
