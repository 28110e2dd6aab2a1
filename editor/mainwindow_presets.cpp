#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QMessageBox>
#include <QTextStream>

QString MainWindow::vodafoneApn()
{
    return QStringLiteral("internet.vodafone.net");
}

int MainWindow::apnPresetIndex(const QString &apn)
{
    if (apn == QLatin1String("internet"))
        return 0;
    if (apn == QLatin1String("net") || apn == QLatin1String("NET"))
        return 1;
    if (apn == vodafoneApn())
        return 2;
    return 3;
}

void MainWindow::loadHandshakeFile()
{
    settings.handshakeNames.clear();
    settings.handshakeValues.clear();

    QFile file(QStringLiteral("handshake.dll"));
    if (!file.exists()) {
        QMessageBox::information(this, tr("File error"),
                                 tr("Cannot find the handshake file, only default values are available."),
                                 QMessageBox::Ok);
        return;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;

    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::System);
    QString line;
    do {
        line = stream.readLine().remove(QLatin1Char(' '));
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() == 2) {
            settings.handshakeNames.append(parts.at(0));
            settings.handshakeValues.append(parts.at(1));
        }
    } while (line != QLatin1String("---") && !stream.atEnd());
}

void MainWindow::hsSelect()
{
    const QString current = ui->hs_combo->currentText();
    if (current == freeEntryItem()) {
        ui->handshake->show();
        ui->handshake->setFocus();
        input_g1();
    } else {
        ui->handshake->hide();
    }

    QLineEdit *const fields[] = {ui->hscode1, ui->hscode2, ui->hscode3, ui->hscode4};
    for (int i = 0; i < settings.handshakeNames.size(); ++i) {
        if (settings.handshakeNames.at(i) != current || i >= settings.handshakeValues.size())
            continue;
        // A value with fewer than four parts leaves the remaining fields as they are.
        const QStringList parts = settings.handshakeValues.at(i).split(QLatin1Char(','));
        for (int k = 0; k < 4 && k < parts.size(); ++k)
            fields[k]->setText(parts.at(k));
    }
}

void MainWindow::apnSelect()
{
    const QString current = ui->apnCombo->currentText();
    if (current == freeEntryItem()) {
        ui->apn->setEnabled(true);
        ui->apn->setFocus();
    } else {
        ui->apn->setEnabled(false);
    }

    if (current == QLatin1String("T-Mobile"))
        ui->apn->setText(QStringLiteral("internet"));
    else if (current == QLatin1String("Telenor"))
        ui->apn->setText(QStringLiteral("net"));
    else if (current == QLatin1String("Vodafone"))
        ui->apn->setText(vodafoneApn());
}
