#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "textfile.h"

#include <QMessageBox>

namespace {

// A preset's name becomes line 1 of a saved .cfg file: "---" there ends the
// reading, so the file could not be opened again. 255 characters keep even
// the longest configuration (under 3 KB in UTF-8) far within what the reader
// takes in. An empty name is a preset like any other.
constexpr int maxPresetName = 255;

bool isPresetName(const QString &name)
{
    return name != QLatin1String("---") && name.size() <= maxPresetName;
}

} // namespace

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

    QStringList lines;
    if (TextFile::readLines(QStringLiteral("handshake.dll"), &lines, TextFile::Blanks::Removed)
        == TextFile::Read::Missing) {
        QMessageBox::information(this, tr("File error"),
                                 tr("Cannot find the handshake file, only default values are available."),
                                 QMessageBox::Ok);
        return;
    }
    // A file that cannot be read gives no lines and so no presets.
    for (const QString &line : std::as_const(lines)) {
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() == 2 && isPresetName(parts.at(0))) {
            settings.handshakeNames.append(parts.at(0));
            settings.handshakeValues.append(parts.at(1));
        }
    }
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
