#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::applyDeviceType(int type)
{
    // Event codes that only the model 800 has, with their qualifiers and the
    // qualifier each shows there.
    struct ModelCode
    {
        QLineEdit *code;
        QLineEdit *qualifier;
        const char *qualifierText;
    };
    const ModelCode codes[] = {
        {ui->panic_code, ui->p_panic, "1"}, {ui->panic_code_2, ui->p_panic_2, "3"},
        {ui->be1_code, ui->p_be1, "1"},     {ui->be2_code, ui->p_be2, "1"},
        {ui->be3_code, ui->p_be3, "1"},     {ui->be1_code_2, ui->p_be1_2, "3"},
        {ui->be2_code_2, ui->p_be2_2, "3"}, {ui->be3_code_2, ui->p_be3_2, "3"},
    };
    QLineEdit *const outputs[] = {ui->ki2_on, ui->ki3_on, ui->ki2_off, ui->ki3_off};
    const int voiceTab = 5;

    if (type == 4) {
        for (int tab = 0; tab < ui->tabWidget->count(); ++tab)
            ui->tabWidget->setTabEnabled(tab, true);
        for (const ModelCode &entry : codes) {
            entry.code->setEnabled(false);
            entry.code->clear();
            entry.qualifier->clear();
        }
        for (QLineEdit *output : outputs) {
            output->setEnabled(false);
            output->clear();
        }
        voiceFrameDisable();
        ui->voice1->clear();
        ui->voice2->clear();
        ui->tabWidget->setTabEnabled(voiceTab, false);
    } else if (type == 8) {
        for (int tab = 0; tab < ui->tabWidget->count(); ++tab)
            ui->tabWidget->setTabEnabled(tab, true);
        for (const ModelCode &entry : codes) {
            entry.code->setEnabled(true);
            entry.qualifier->setText(QLatin1String(entry.qualifierText));
        }
        for (QLineEdit *output : outputs)
            output->setEnabled(true);
        ui->tabWidget->setTabEnabled(voiceTab, true);
    } else {
        // An unknown model locks the form until a known one is applied.
        for (int tab = 0; tab < ui->tabWidget->count(); ++tab)
            ui->tabWidget->setTabEnabled(tab, false);
        QMessageBox::critical(this, tr("Error"),
                              tr("Unknown device! (") + QString::number(settings.deviceType) + QLatin1Char(')'),
                              QMessageBox::Ok);
    }
}

// Selecting a radio button here is not a click, so no other switch slot runs
// except the explicit fallbacks that keep one channel on.

void MainWindow::gprsFrameEnable()
{
    ui->gprs_on->setChecked(true);
    ui->gprs_frame->setEnabled(true);
}

void MainWindow::gprsFrameDisable()
{
    ui->gprs_off->setChecked(true);
    ui->gprs_frame->setEnabled(false);
    if (ui->sms_off->isChecked() && ui->voice_off->isChecked())
        smsFrameEnable();
}

// SMS and voice never stay on together.
void MainWindow::smsFrameEnable()
{
    ui->sms_on->setChecked(true);
    ui->sms_frame->setEnabled(true);
    ui->voice_frame->setEnabled(false);
    ui->voice_off->setChecked(true);
}

void MainWindow::smsFrameDisable()
{
    ui->sms_off->setChecked(true);
    ui->sms_frame->setEnabled(false);
    if (ui->gprs_off->isChecked() && ui->voice_off->isChecked())
        voiceFrameEnable();
}

void MainWindow::voiceFrameEnable()
{
    ui->voice_on->setChecked(true);
    ui->voice_frame->setEnabled(true);
    ui->sms_frame->setEnabled(false);
    ui->sms_off->setChecked(true);
}

void MainWindow::voiceFrameDisable()
{
    ui->voice_off->setChecked(true);
    ui->voice_frame->setEnabled(false);
    if (ui->gprs_off->isChecked() && ui->sms_off->isChecked())
        smsFrameEnable();
}
