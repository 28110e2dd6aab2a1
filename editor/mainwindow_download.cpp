#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dload.h"

#include <QMessageBox>

namespace {

// A field value that the device would not hold as the form shows it. Such a
// value is refused before anything is sent: the device would store a
// shifted, truncated or different value, or reject the line after the
// transfer had started.
enum class Fault { None, Range, NotNumber, NotDigits, Address, Character, EndMark, ShortCode, NoQualifier };

// Every code of a group has this many digits; a shorter one would leave the
// group's old digits behind it in the device.
const int CodeDigits = 3;

QString hexDigits(qint64 value, int width)
{
    return QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

// The device stores the handshake word as the value times 2.8, rounded up
// (0 as 1). Whole-number arithmetic: 810 must give 2268, which a double
// product truncated and incremented would miss.
qint64 handshakeWord(qint64 value)
{
    if (value == 0)
        return 1;
    const qint64 scaled = value * 14;
    return scaled % 5 == 0 ? scaled / 5 : scaled / 5 + 1;
}

// Decimal digits and nothing else: a blank, which the form's number rule
// lets through, has no place in a code byte or a port number either.
bool isDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9')
            return false;
    }
    return true;
}

// Builds the two parallel lists of the write list and remembers the first
// field whose value cannot be encoded.
class WriteList
{
public:
    QStringList rowAddr;
    QStringList rowData;
    Fault fault = Fault::None;
    QLineEdit *faultField = nullptr;

    void constant(const char *head, const char *data) { append(head, QString::fromLatin1(data)); }

    void modeByte(int mode) { append("w0000", QString::number(mode).rightJustified(2, QLatin1Char('0'))); }

    void hexByte(const char *head, QLineEdit *field)
    {
        const qint64 value = number(field);
        append(head, hexDigits(value < 0 || value > 255 ? fail(Fault::Range, field) : value, 2));
    }

    void tenthsByte(const char *head, QLineEdit *field)
    {
        const qint64 value = number(field);
        append(head, hexDigits(value < 0 || value / 10 > 255 ? fail(Fault::Range, field) : value / 10, 2));
    }

    // Values above 255 were refused before the list is built.
    void handshakeByte(const char *head, QLineEdit *field)
    {
        const qint64 value = number(field);
        append(head, hexDigits(value < 0 ? fail(Fault::Range, field) : value, 2).right(2));
    }

    void handshakeWordBytes(QLineEdit *field)
    {
        const qint64 value = number(field);
        const bool fits = value >= 0 && value <= 0xFFFF && handshakeWord(value) <= 0xFFFF;
        const QString hex = hexDigits(fits ? handshakeWord(value) : fail(Fault::Range, field), 4);
        append("w0302", hex.right(2));
        append("w0303", hex.left(2));
    }

    // An empty address is sent as 0.0.0.0.
    void address(const char *head, QLineEdit *field)
    {
        const QString text = field->text();
        QString data;
        if (text.isEmpty()) {
            data = QStringLiteral("00000000");
        } else {
            const QStringList parts = text.split(QLatin1Char('.'));
            for (const QString &part : parts) {
                bool ok = false;
                const qint64 value = MainWindow::fieldNumber(part, &ok);
                if (!ok || value < 0 || value > 255 || parts.size() != 4) {
                    fail(Fault::Address, field);
                    data.clear();
                    break;
                }
                data += hexDigits(value, 2);
            }
        }
        append(head, data);
    }

    // Plain text, which the download worker sends one byte per character.
    void text(const char *head, const QString &text, QLineEdit *field)
    {
        checkText(field->text(), field);
        append(head, text);
    }

    // A port goes as text, but the device reads it as a number: digits only.
    void port(const char *head, QLineEdit *field)
    {
        digits(field);
        text(head, field->text() + QLatin1Char('#'), field);
    }

    void codeGroup(const char *head, QLineEdit *qualifier, QLineEdit *code)
    {
        // Each character becomes the byte "0" + character: a letter A to F
        // would give a byte the device reads as another digit.
        digits(qualifier);
        digits(code);
        if (!code->text().isEmpty() && code->text().size() < CodeDigits)
            fail(Fault::ShortCode, code);
        // Without its qualifier the code's first digit would land on the
        // qualifier's byte. The qualifier is disabled, so the code is shown.
        if (!code->text().isEmpty() && qualifier->text().size() != 1)
            fail(Fault::NoQualifier, code);
        append(head, MainWindow::encodeCodeDigits(qualifier->text() + code->text()));
    }

private:
    void digits(QLineEdit *field)
    {
        if (!isDigits(field->text()))
            fail(Fault::NotDigits, field);
    }

    void append(const char *head, const QString &data)
    {
        rowAddr.append(QString::fromLatin1(head));
        rowData.append(data);
    }

    // An empty field counts as 0; any other text must be a whole number.
    qint64 number(QLineEdit *field)
    {
        bool isNumber = false;
        const qint64 value = MainWindow::fieldNumber(field->text(), &isNumber);
        if (!isNumber && !field->text().isEmpty())
            fail(Fault::NotNumber, field);
        return value;
    }

    qint64 fail(Fault kind, QLineEdit *field)
    {
        if (fault == Fault::None) {
            fault = kind;
            faultField = field;
        }
        return 0;
    }

    // The device holds one byte per character; only printable ASCII has a
    // byte that means the same character there, and '#' is sent as the end
    // of the text.
    void checkText(const QString &text, QLineEdit *field)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x20 || c.unicode() > 0x7E) {
                fail(Fault::Character, field);
                return;
            }
            if (c == QLatin1Char('#')) {
                fail(Fault::EndMark, field);
                return;
            }
        }
    }
};

} // namespace

void MainWindow::download()
{
    Ui_MainWindow *const f = ui;

    if (fieldNumber(f->hscode2->text()) > 255) {
        QMessageBox::critical(this, tr("Download error."), tr("Incorrect handshake values."), QMessageBox::Ok);
        return;
    }

    if (f->ip2->text().isEmpty())
        f->ip2->setText(f->ip1->text());
    if (f->port2->text().isEmpty())
        f->port2->setText(f->port1->text());

    for (QWidget *container : {f->g1, f->g2, f->g3}) {
        for (const QLineEdit *edit : lineEditsOf(container)) {
            if (edit->text().isEmpty() && edit->isEnabled()) {
                f->tabWidget->setCurrentIndex(pageOf(container));
                QMessageBox::critical(this, tr("Download error."), tr("All fields must be filled."),
                                      QMessageBox::Ok);
                return;
            }
        }
    }

    const bool model800 = settings.deviceType == 8;
    WriteList list;

    list.modeByte(1 * f->gprs_on->isChecked() + 2 * f->voice_on->isChecked() + 4 * f->sms_on->isChecked());
    list.constant("w0001", "04");
    list.hexByte("w0002", f->tesztkod_idokoz);
    list.hexByte("w0003", f->rele_meghuz);
    list.constant("w0004", "34");
    list.text("w0005", f->keszulek_id->text().rightJustified(4, QLatin1Char('0')), f->keszulek_id);
    list.constant("w0009", "AA");
    list.constant("w000B", "AAA");

    // The APN spans two items; a terminator that falls on 0x020 is written by
    // the second item.
    const QString apn = f->apn->text();
    if (apn.size() <= 15) {
        list.text("w0010", apn + QLatin1Char('#'), f->apn);
        list.text("w0020", QStringLiteral("#"), f->apn);
    } else {
        list.text("w0010", apn.left(16), f->apn);
        list.text("w0020", apn.mid(16) + QLatin1Char('#'), f->apn);
    }

    list.address("w0030", f->ip1);
    list.address("w0034", f->ip2);

    list.port("w00C0", f->port1);
    list.port("w00C8", f->port2);
    // A text of 16 characters puts its terminator on the first byte of the
    // next field, whose item comes later in this order and overwrites it.
    QList<QPair<const char *, QLineEdit *>> texts = {
        {"w00D0", f->voice1}, {"w00E0", f->voice2}, {"w0100", f->sms1},    {"w0110", f->sms2},
        {"w0120", f->sms3},   {"w0140", f->ki1_on}, {"w0150", f->ki1_off},
    };
    if (model800)
        texts += {{"w0160", f->ki2_on}, {"w0170", f->ki2_off}, {"w0180", f->ki3_on}, {"w0190", f->ki3_off}};
    for (const auto &item : texts)
        list.text(item.first, item.second->text() + QLatin1Char('#'), item.second);

    if (model800) {
        list.codeGroup("w0200", f->p_be1, f->be1_code);
        list.codeGroup("w0204", f->p_be1_2, f->be1_code_2);
        list.codeGroup("w0208", f->p_be2, f->be2_code);
        list.codeGroup("w020C", f->p_be2_2, f->be2_code_2);
        list.codeGroup("w0210", f->p_be3, f->be3_code);
        list.codeGroup("w0214", f->p_be3_2, f->be3_code_2);
        list.codeGroup("w0220", f->p_panic, f->panic_code);
        list.codeGroup("w0224", f->p_panic_2, f->panic_code_2);
    }

    list.codeGroup("w0218", f->p_kezi, f->kezi_test_code);
    list.codeGroup("w0228", f->p_auto, f->auto_test_code);
    list.codeGroup("w022C", f->p_start, f->start_code);
    list.codeGroup("w0230", f->p_restart, f->restart_code);

    list.hexByte("w02F7", f->rele_ki_cseng);
    list.hexByte("w02F8", f->rele_be_cseng);
    list.hexByte("w02FB", f->sms_max);
    list.hexByte("w02FC", f->sms_tiltas);
    list.tenthsByte("w02FD", f->hscode1);
    list.handshakeByte("w02FE", f->hscode2);
    list.tenthsByte("w02FF", f->hscode3);
    list.hexByte("w0300", f->bazis_vissza);
    list.hexByte("w0301", f->sms_voice_vissza);
    list.handshakeWordBytes(f->hscode4);

    if (list.fault != Fault::None) {
        QString text;
        switch (list.fault) {
        case Fault::Range:
            text = tr("A number is out of range and cannot be sent to the device.");
            break;
        case Fault::NotNumber:
            text = tr("A number field must hold a whole number.");
            break;
        case Fault::NotDigits:
            text = tr("Only numbers!");
            break;
        case Fault::Address:
            text = tr("Incorrect IP address. An IP address must be four numbers from 0 to 255, separated by dots.");
            break;
        case Fault::EndMark:
            text = tr("A text cannot contain the character #, which the device takes as the end of the text.");
            break;
        case Fault::ShortCode:
            text = tr("A code must have three digits.");
            break;
        case Fault::NoQualifier:
            text = tr("A code cannot be sent without its one-digit qualifier.");
            break;
        default:
            text = tr("A field contains a character that cannot be sent to the device.");
            break;
        }
        f->tabWidget->setCurrentIndex(pageOf(list.faultField));
        list.faultField->setFocus(Qt::OtherFocusReason);
        QMessageBox::critical(this, tr("Download error."), text, QMessageBox::Ok);
        return;
    }

    dload dialog(settings, list.rowAddr, list.rowData, this);
    dialog.exec();
}

int MainWindow::pageOf(const QWidget *widget) const
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int index = ui->tabWidget->indexOf(w);
        if (index >= 0)
            return index;
    }
    return ui->tabWidget->currentIndex();
}
