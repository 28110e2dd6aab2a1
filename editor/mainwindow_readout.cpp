#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "upload.h"

#include <QMessageBox>

namespace {

// A code group holds one digit per byte, 01 to 09 and 0A for 0, as the
// device answers them. Anything else (an erased group reads FF) would come
// back as letters or as another digit.
bool isCodeGroup(const QString &hex)
{
    if (hex.size() != 8)
        return false;
    for (int k = 0; k < hex.size(); k += 2) {
        const char16_t low = hex.at(k + 1).unicode();
        if (hex.at(k) != QLatin1Char('0') || !((low >= u'1' && low <= u'9') || low == u'A'))
            return false;
    }
    return true;
}

// The group's bytes as the installer would write them down: "FF FF FF FF".
QString spacedBytes(const QString &hex)
{
    QStringList bytes;
    for (int k = 0; k < hex.size(); k += 2)
        bytes << hex.mid(k, 2);
    return bytes.join(QLatin1Char(' '));
}

} // namespace

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

    // A device value longer than its field would be cut to another number or
    // text, and a code group of other bytes than digits would read as
    // letters; the next download would write either back changed. Such a
    // field stays empty, and the user is told which value the device holds.
    QStringList misfits;
    // The field is named by its label; fields that share one (the four
    // handshake values, the second column of a code) also by their place.
    const auto leaveOut = [&misfits](const QLabel *label, int place, const QString &value) {
        QString caption = label->text().trimmed();
        if (place > 0)
            caption += QLatin1Char(' ') + QString::number(place);
        misfits << caption + QStringLiteral(": ") + value;
    };
    const auto put = [&leaveOut](QLineEdit *field, const QLabel *label, const QString &value, int place = 0) {
        if (value.size() <= field->maxLength()) {
            field->setText(value);
            return;
        }
        field->clear();
        leaveOut(label, place, value);
    };
    const auto number = [this, &put](QLineEdit *field, const QLabel *label, int row, int pos) {
        put(field, label, decodeNumber(row, pos, 2));
    };
    const auto text = [this, &put](QLineEdit *field, const QLabel *label, int row, int pos, int count) {
        put(field, label, decodeText(row, pos, count));
    };
    const auto address = [this, &put](QLineEdit *field, const QLabel *label, int pos) {
        QStringList parts;
        for (int k = 0; k < 8; k += 2)
            parts << decodeNumber(2, pos + k, 2);
        put(field, label, parts.join(QLatin1Char('.')));
    };
    const auto codeGroup = [this, &put, &leaveOut](QLineEdit *qualifier, QLineEdit *code, const QLabel *label,
                                                   int row, int pos, int place = 0) {
        const QString group = settings.readRows.at(row).mid(pos, 8);
        if (!isCodeGroup(group)) {
            code->clear();  // the qualifier cannot be typed in again and keeps its text
            leaveOut(label, place, spacedBytes(group));
            return;
        }
        put(qualifier, label, decodeDigit(row, pos), place);
        put(code, label, decodeCodeDigits(row, pos, 8), place);
    };
    const auto handshake = [f, &put](int place, const QString &value) {
        QLineEdit *const fields[] = {f->hscode1, f->hscode2, f->hscode3, f->hscode4};
        put(fields[place - 1], f->label_15, value, place);
    };
    const auto tenths = [this](int pos) { return QString::number(decodeNumber(19, pos, 2).toInt() * 10); };

    number(f->tesztkod_idokoz, f->label_48, 0, 4);
    number(f->rele_meghuz, f->label_7, 0, 6);
    put(f->keszulek_id, f->label, decodeIdDigits(0, 10, 8));
    text(f->apn, f->label_8, 1, 0, 64);
    address(f->ip1, f->label_ip1, 0);
    address(f->ip2, f->label_ip2, 8);
    text(f->port1, f->label_5, 3, 0, 10);
    text(f->port2, f->label_6, 3, 16, 10);
    text(f->voice1, f->label_57, 4, 0, 32);
    text(f->voice2, f->label_voice2, 5, 0, 32);
    text(f->sms1, f->label_31, 6, 0, 32);
    text(f->sms2, f->label_32, 7, 0, 32);
    text(f->sms3, f->label_34, 8, 0, 32);
    text(f->ki1_on, f->label_20, 9, 0, 32);
    text(f->ki1_off, f->label_21, 10, 0, 32);

    if (settings.deviceType == 8) {
        text(f->ki2_on, f->label_22, 11, 0, 32);
        text(f->ki2_off, f->label_23, 12, 0, 32);
        text(f->ki3_on, f->label_24, 13, 0, 32);
        text(f->ki3_off, f->label_37, 14, 0, 32);
        codeGroup(f->p_be1, f->be1_code, f->label_be1c, 15, 0);
        codeGroup(f->p_be1_2, f->be1_code_2, f->label_be1c, 15, 8, 2);
        codeGroup(f->p_be2, f->be2_code, f->label_be2c, 15, 16);
        codeGroup(f->p_be2_2, f->be2_code_2, f->label_be2c, 15, 24, 2);
        codeGroup(f->p_be3, f->be3_code, f->label_be3c, 16, 0);
        codeGroup(f->p_be3_2, f->be3_code_2, f->label_be3c, 16, 8, 2);
        codeGroup(f->p_panic, f->panic_code, f->label_panik, 17, 0);
        codeGroup(f->p_panic_2, f->panic_code_2, f->label_panik, 17, 8, 2);
    }

    codeGroup(f->p_kezi, f->kezi_test_code, f->label_49, 16, 16);
    codeGroup(f->p_auto, f->auto_test_code, f->label_13, 17, 16);
    codeGroup(f->p_start, f->start_code, f->label_38, 17, 24);
    codeGroup(f->p_restart, f->restart_code, f->label_14, 18, 0);

    number(f->rele_ki_cseng, f->label_30, 19, 14);
    number(f->rele_be_cseng, f->label_36, 19, 16);
    number(f->sms_max, f->label_35, 19, 22);
    number(f->sms_tiltas, f->label_33, 19, 24);
    handshake(1, tenths(26));
    handshake(2, decodeNumber(19, 28, 2));
    handshake(3, tenths(30));
    number(f->bazis_vissza, f->label_4, 20, 0);
    number(f->sms_voice_vissza, f->label_39, 20, 2);
    // Stored as the value times 2.8 rounded up, so truncating the quotient
    // gives the value back.
    const int word = decodeNumber(20, 6, 2).toInt() * 256 + decodeNumber(20, 4, 2).toInt();
    handshake(4, QString::number(int(word / 2.8)));

    // Applied once: a later read-out that fails must find nothing here.
    settings.readRows.clear();

    // The device keeps the handshake word rounded, so a preset also matches
    // one off in its last value. A value left out stays visible under "Other".
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
    const bool handshakeRead = !(f->hscode1->text().isEmpty() || f->hscode2->text().isEmpty()
                                 || f->hscode3->text().isEmpty() || f->hscode4->text().isEmpty());
    for (int i = 0; handshakeRead && i < settings.handshakeValues.size() && i < settings.handshakeNames.size();
         ++i) {
        const QString &value = settings.handshakeValues.at(i);
        if (value == candidates[0] || value == candidates[1] || value == candidates[2]) {
            selectPreset(settings.handshakeNames.at(i));
            break;
        }
    }

    f->apnCombo->setCurrentIndex(apnPresetIndex(f->apn->text()));

    if (!misfits.isEmpty()) {
        QMessageBox::warning(this, tr("Read from Device"),
                             tr("These values of the device do not fit their fields, which were left empty:")
                                 + QStringLiteral("\n\n") + misfits.join(QLatin1Char('\n')),
                             QMessageBox::Ok);
    }
}
