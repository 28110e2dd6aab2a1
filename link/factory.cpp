#include "factory.h"
#include "ui_factory.h"

#include "frthread.h"

Factory::Factory(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent)
    : TransferDialog(parent),
      ui(new Ui_Factory)
{
    ui->setupUi(this);
    startWorker(new frThread(settings, rowAddr, rowData), ui->progressBar);
}

Factory::~Factory()
{
    delete ui;
}

void Factory::frcomplete()
{
    showOutcome(ui->kiiras, ui->buttonBox, QStringLiteral("Sikeres betöltés."),
                QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a port beállítást, "
                               "majd ismételje meg a betöltést."));
}
