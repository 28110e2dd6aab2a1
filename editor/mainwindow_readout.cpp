#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "upload.h"
#include "upthread.h"

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

// A device value as the warning names it, one entry a line: a control
// byte (a CR would break the line, an ESC shows as nothing) is written as
// its two hex digits in angle brackets, e.g. "<0D>".
QString readable(const QString &value)
{
    QString shown;
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("<%1>").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
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

    // Fields are named by their device address and size in bytes.
    const auto bytesAt = [this](int address, int count) {
        const upThread::RowPosition at = upThread::rowPosition(address);
        return settings.readRows.value(at.row).mid(at.pos, 2 * count);
    };
    const auto decode = [this](QString (MainWindow::*decoder)(int, int, int) const, int address, int count) {
        const upThread::RowPosition at = upThread::rowPosition(address);
        return (this->*decoder)(at.row, at.pos, 2 * count);
    };
    const auto byteValue = [&decode](int address) { return decode(&MainWindow::decodeNumber, address, 1); };

    // The mode byte is read as decimal digits; every value the download
    // writes (1 to 5 and 7) gives its channel combination.
    switch (bytesAt(0x000, 1).toInt()) {
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
        misfits << caption + QStringLiteral(": ") + readable(value);
    };
    const auto put = [&leaveOut](QLineEdit *field, const QLabel *label, const QString &value, int place = 0) {
        if (value.size() <= field->maxLength()) {
            field->setText(value);
            return;
        }
        field->clear();
        leaveOut(label, place, value);
    };
    const auto number = [&put, &byteValue](QLineEdit *field, const QLabel *label, int address) {
        put(field, label, byteValue(address));
    };
    const auto text = [&put, &decode](QLineEdit *field, const QLabel *label, int address, int count) {
        put(field, label, decode(&MainWindow::decodeText, address, count));
    };
    const auto ipAddress = [&put, &byteValue](QLineEdit *field, const QLabel *label, int address) {
        QStringList parts;
        for (int k = 0; k < 4; ++k)
            parts << byteValue(address + k);
        put(field, label, parts.join(QLatin1Char('.')));
    };
    const auto codeGroup = [this, &put, &leaveOut, &bytesAt](QLineEdit *qualifier, QLineEdit *code,
                                                             const QLabel *label, int address, int place = 0) {
        const QString group = bytesAt(address, 4);
        if (!isCodeGroup(group)) {
            code->clear();  // the qualifier cannot be typed in again and keeps its text
            leaveOut(label, place, spacedBytes(group));
            return;
        }
        const upThread::RowPosition at = upThread::rowPosition(address);
        put(qualifier, label, decodeDigit(at.row, at.pos), place);
        put(code, label, decodeCodeDigits(at.row, at.pos, 8), place);
    };
    const auto handshake = [f, &put](int place, const QString &value) {
        QLineEdit *const fields[] = {f->hscode1, f->hscode2, f->hscode3, f->hscode4};
        put(fields[place - 1], f->label_15, value, place);
    };
    const auto tenths = [&byteValue](int address) { return QString::number(byteValue(address).toInt() * 10); };

    number(f->tesztkod_idokoz, f->label_48, 0x002);
    number(f->rele_meghuz, f->label_7, 0x003);
    put(f->keszulek_id, f->label, decode(&MainWindow::decodeIdDigits, 0x005, 4));
    text(f->apn, f->label_8, 0x010, 32);
    ipAddress(f->ip1, f->label_ip1, 0x030);
    ipAddress(f->ip2, f->label_ip2, 0x034);
    text(f->port1, f->label_5, 0x0C0, 5);
    text(f->port2, f->label_6, 0x0C8, 5);
    text(f->voice1, f->label_57, 0x0D0, 16);
    text(f->voice2, f->label_voice2, 0x0E0, 16);
    text(f->sms1, f->label_31, 0x100, 16);
    text(f->sms2, f->label_32, 0x110, 16);
    text(f->sms3, f->label_34, 0x120, 16);
    text(f->ki1_on, f->label_20, 0x140, 16);
    text(f->ki1_off, f->label_21, 0x150, 16);

    if (settings.deviceType == 8) {
        text(f->ki2_on, f->label_22, 0x160, 16);
        text(f->ki2_off, f->label_23, 0x170, 16);
        text(f->ki3_on, f->label_24, 0x180, 16);
        text(f->ki3_off, f->label_37, 0x190, 16);
        codeGroup(f->p_be1, f->be1_code, f->label_be1c, 0x200);
        codeGroup(f->p_be1_2, f->be1_code_2, f->label_be1c, 0x204, 2);
        codeGroup(f->p_be2, f->be2_code, f->label_be2c, 0x208);
        codeGroup(f->p_be2_2, f->be2_code_2, f->label_be2c, 0x20C, 2);
        codeGroup(f->p_be3, f->be3_code, f->label_be3c, 0x210);
        codeGroup(f->p_be3_2, f->be3_code_2, f->label_be3c, 0x214, 2);
        codeGroup(f->p_panic, f->panic_code, f->label_panik, 0x220);
        codeGroup(f->p_panic_2, f->panic_code_2, f->label_panik, 0x224, 2);
    }

    codeGroup(f->p_kezi, f->kezi_test_code, f->label_49, 0x218);
    codeGroup(f->p_auto, f->auto_test_code, f->label_13, 0x228);
    codeGroup(f->p_start, f->start_code, f->label_38, 0x22C);
    codeGroup(f->p_restart, f->restart_code, f->label_14, 0x230);

    number(f->rele_ki_cseng, f->label_30, 0x2F7);
    number(f->rele_be_cseng, f->label_36, 0x2F8);
    number(f->sms_max, f->label_35, 0x2FB);
    number(f->sms_tiltas, f->label_33, 0x2FC);
    handshake(1, tenths(0x2FD));
    handshake(2, byteValue(0x2FE));
    handshake(3, tenths(0x2FF));
    number(f->bazis_vissza, f->label_4, 0x300);
    number(f->sms_voice_vissza, f->label_39, 0x301);
    // Stored as the value times 2.8 rounded up, so truncating the quotient
    // gives the value back.
    const int word = byteValue(0x303).toInt() * 256 + byteValue(0x302).toInt();
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
