#include "setcom.h"
#include "ui_setcom.h"

#include "serialline.h"

#include <QEvent>
#include <QMessageBox>
#include <QTimer>

#include <utility>

namespace {

QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Ports that are listed; "COM32" stands in the form but is never tried.
const int ListedPorts = 31;

// Nothing found yet.
const char NoPort[] = "0";

} // namespace

setcom::setcom(const QString &port, int baud, int timeout, bool autoSearch, QWidget *parent)
    : QDialog(parent),
      timeout(timeout),
      ui(new Ui_setcom)
{
    ui->setupUi(this);
    formPorts = itemsOf(ui->comboBox);
    formBauds = itemsOf(ui->baudrate);

    ui->comboBox->clear();
    this->port = port;
    baudText = QString::number(baud);

    lookupCom();
    ui->baudrate->setCurrentIndex(ui->baudrate->findText(baudText));

    connect(ui->autoPort, &QPushButton::clicked, this, &setcom::autoLookup);
    connect(ui->reload, &QPushButton::clicked, this, &setcom::lookupCom);

    if (autoSearch)
        autoLookup();
}

setcom::~setcom()
{
    delete ui;
}

QPair<QString, int> setcom::portSelection() const
{
    return qMakePair(ui->comboBox->currentText(), ui->baudrate->currentText().toInt());
}

void setcom::lookupCom()
{
    ui->comboBox->clear();
    foundPorts.clear();
    for (int n = 1; n <= ListedPorts; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        SerialLine line;
        if (!line.open(name))
            continue;
        ui->comboBox->addItem(name);
        foundPorts << name;
        if (name == port)
            ui->comboBox->setCurrentIndex(ui->comboBox->count() - 1);
        line.close();
    }
    ui->comboBox->setFocus();
}

void setcom::autoLookup()
{
    lookupCom();

    QString result = QLatin1String(NoPort);
    const LinkSetup setup = LinkSetup::portSearch(ui->baudrate->currentText(), timeout);
    for (const QString &name : std::as_const(foundPorts)) {
        // A port that cannot be set up has written its reason already.
        if (!handle.open(name, setup))
            continue;
        if (handle.probe())
            result = name;
        handle.close();
    }

    if (result == QLatin1String(NoPort)) {
        QMessageBox::critical(parentWidget(), tr("Error"), tr("Cannot find the device."), QMessageBox::Ok);
        return;
    }

    ui->comboBox->clear();
    ui->comboBox->addItem(result);
    ui->comboBox->setCurrentIndex(0);
    ui->comboBox->setFocus();
    QMessageBox::information(parentWidget(), tr("Set Port"),
                             tr("The device is available on the following port:\n\n") + result, QMessageBox::Ok);
    // The dialog may not be shown yet (search from the constructor): the
    // caller's exec() is running by the time this fires.
    QTimer::singleShot(200, this, &QDialog::accept);
}

void setcom::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ui->comboBox->clear();
        ui->comboBox->addItems(formPorts);
        ui->baudrate->clear();
        ui->baudrate->addItems(formBauds);
    }
}
