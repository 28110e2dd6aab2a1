#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "upload.h"

void MainWindow::readup()
{
    {
        // The dialog's destructor stops or awaits its worker, so once this
        // scope is left nothing writes readRows any more.
        upload dialog(&settings, this);
        dialog.exec();
    }

    if (settings.readRows.isEmpty())
        return;

    Ui_MainWindow *const f = ui;

    // The mode byte is read as decimal digits; every value the download
    // writes (1 to 5 and 7) gives its channel combination.
    switch (settings.readRows.at(0).left(2).toInt()) {
    case 1:
        gprsFrameEnable();
        smsFrameDisable();
        voiceFrameDisable();
        break;
    case 2:
        gprsFrameDisable();
        smsFrameDisable();
        voiceFrameEnable();
        break;
    case 3:
        gprsFrameEnable();
        smsFrameDisable();
        voiceFrameEnable();
        break;
    case 4:
        gprsFrameDisable();
        smsFrameEnable();
        voiceFrameDisable();
        break;
    case 5:
    case 7:
        gprsFrameEnable();
        smsFrameEnable();
        voiceFrameDisable();
        break;
    default:
        break;
    }

    const auto address = [this](int pos) {
        QStringList parts;
        for (int k = 0; k < 8; k += 2)
            parts << decodeNumber(2, pos + k, 2);
        return parts.join(QLatin1Char('.'));
    };
    const auto tenths = [this](int pos) { return QString::number(decodeNumber(19, pos, 2).toInt() * 10); };

    f->tesztkod_idokoz->setText(decodeNumber(0, 4, 2));
    f->rele_meghuz->setText(decodeNumber(0, 6, 2));
    f->keszulek_id->setText(decodeIdDigits(0, 10, 8));
    f->apn->setText(decodeText(1, 0, 64));
    f->ip1->setText(address(0));
    f->ip2->setText(address(8));
    f->port1->setText(decodeText(3, 0, 10));
    f->port2->setText(decodeText(3, 16, 10));
    f->voice1->setText(decodeText(4, 0, 32));
    f->voice2->setText(decodeText(5, 0, 32));
    f->sms1->setText(decodeText(6, 0, 32));
    f->sms2->setText(decodeText(7, 0, 32));
    f->sms3->setText(decodeText(8, 0, 32));
    f->ki1_on->setText(decodeText(9, 0, 32));
    f->ki1_off->setText(decodeText(10, 0, 32));

    const auto codeGroup = [this](QLineEdit *qualifier, QLineEdit *code, int row, int pos) {
        qualifier->setText(decodeDigit(row, pos));
        code->setText(decodeCodeDigits(row, pos, 8));
    };

    if (settings.deviceType == 8) {
        f->ki2_on->setText(decodeText(11, 0, 32));
        f->ki2_off->setText(decodeText(12, 0, 32));
        f->ki3_on->setText(decodeText(13, 0, 32));
        f->ki3_off->setText(decodeText(14, 0, 32));
        codeGroup(f->p_be1, f->be1_code, 15, 0);
        codeGroup(f->p_be1_2, f->be1_code_2, 15, 8);
        codeGroup(f->p_be2, f->be2_code, 15, 16);
        codeGroup(f->p_be2_2, f->be2_code_2, 15, 24);
        codeGroup(f->p_be3, f->be3_code, 16, 0);
        codeGroup(f->p_be3_2, f->be3_code_2, 16, 8);
        codeGroup(f->p_panic, f->panic_code, 17, 0);
        codeGroup(f->p_panic_2, f->panic_code_2, 17, 8);
    }

    codeGroup(f->p_kezi, f->kezi_test_code, 16, 16);
    codeGroup(f->p_auto, f->auto_test_code, 17, 16);
    codeGroup(f->p_start, f->start_code, 17, 24);
    codeGroup(f->p_restart, f->restart_code, 18, 0);

    f->rele_ki_cseng->setText(decodeNumber(19, 14, 2));
    f->rele_be_cseng->setText(decodeNumber(19, 16, 2));
    f->sms_max->setText(decodeNumber(19, 22, 2));
    f->sms_tiltas->setText(decodeNumber(19, 24, 2));
    f->hscode1->setText(tenths(26));
    f->hscode2->setText(decodeNumber(19, 28, 2));
    f->hscode3->setText(tenths(30));
    f->bazis_vissza->setText(decodeNumber(20, 0, 2));
    f->sms_voice_vissza->setText(decodeNumber(20, 2, 2));
    // Stored as the value times 2.8 rounded up, so truncating the quotient
    // gives the value back.
    const int word = decodeNumber(20, 6, 2).toInt() * 256 + decodeNumber(20, 4, 2).toInt();
    f->hscode4->setText(QString::number(int(word / 2.8)));

    // Applied once: a later read-out that fails must find nothing here.
    settings.readRows.clear();

    // The device keeps the handshake word rounded, so a preset also matches
    // one off in its last value.
    const QString head = f->hscode1->text() + QLatin1Char(',') + f->hscode2->text() + QLatin1Char(',')
        + f->hscode3->text() + QLatin1Char(',');
    const int last = f->hscode4->text().toInt();
    const QString candidates[] = {head + f->hscode4->text(), head + QString::number(last + 1),
                                  head + QString::number(last - 1)};
    const auto selectPreset = [f](const QString &name) {
        const int index = f->hs_combo->findText(name);
        if (index >= 0)
            f->hs_combo->setCurrentIndex(index);
    };
    selectPreset(freeEntryItem());
    for (int i = 0; i < settings.handshakeValues.size() && i < settings.handshakeNames.size(); ++i) {
        const QString &value = settings.handshakeValues.at(i);
        if (value == candidates[0] || value == candidates[1] || value == candidates[2]) {
            selectPreset(settings.handshakeNames.at(i));
            break;
        }
    }

    f->apnCombo->setCurrentIndex(apnPresetIndex(f->apn->text()));
}
