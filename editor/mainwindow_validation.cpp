#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QHash>
#include <QMessageBox>

#include <cstring>

namespace {

const char *const onlyNumbers = QT_TRANSLATE_NOOP("MainWindow", "Only numbers!");
const char *const badPhoneNumber = QT_TRANSLATE_NOOP("MainWindow", "Please enter a valid telephone number!");
const char *const badIpAddress = QT_TRANSLATE_NOOP("MainWindow", "Please enter a valid IP address!");
const char *const above240 = QT_TRANSLATE_NOOP("MainWindow", "Max value: 240");
const char *const above255 = QT_TRANSLATE_NOOP("MainWindow", "Max value: 255");

struct Rule
{
    bool (*passes)(const QString &);
    const char *message;
};

// Characters are judged by their 8-bit code, so anything outside Latin-1
// (which toLatin1 turns into 0) fails like any other non-digit.
bool allCharactersIn(const QString &text, const char *allowed)
{
    for (const QChar ch : text) {
        const char c = ch.toLatin1();
        const bool digit = c >= '0' && c <= '9';
        if (!digit && (c == '\0' || !std::strchr(allowed, c)))
            return false;
    }
    return true;
}

// The failing field loses its text and takes the focus before the box opens,
// so the user lands in it when the box is closed.
void report(QWidget *parent, QLineEdit *field, const char *message)
{
    field->clear();
    field->setFocus(Qt::OtherFocusReason);
    QMessageBox::warning(parent, MainWindow::tr("Input Error"), MainWindow::tr(message), QMessageBox::Ok);
}

// Walks the group in form order and reports the first field that breaks its
// rule; fields without a rule are not checked. True when every field passed.
bool checkGroup(QWidget *parent, const QList<QLineEdit *> &walk, const QHash<const QLineEdit *, Rule> &rules)
{
    for (QLineEdit *edit : walk) {
        const auto rule = rules.constFind(edit);
        if (rule != rules.constEnd() && !rule->passes(edit->text())) {
            report(parent, edit, rule->message);
            return false;
        }
    }
    return true;
}

} // namespace

qint64 MainWindow::fieldNumber(const QString &text, bool *isNumber)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok, 10);
    if (isNumber)
        *isNumber = ok;
    return ok ? value : 0;
}

bool MainWindow::isNumeric(const QString &text)
{
    return allCharactersIn(text, " ");
}

bool MainWindow::isPhoneNumber(const QString &text)
{
    return allCharactersIn(text, " +");
}

bool MainWindow::isIpAddress(const QString &text)
{
    if (text.isEmpty())
        return true;
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok, 10);
        if (!ok || value < 0 || value > 255)
            return false;
    }
    return true;
}

// Nothing in the program calls this.
bool MainWindow::isHexOrEmpty(const QString &text)
{
    if (text.isEmpty())
        return true;
    bool ok = false;
    text.toULongLong(&ok, 16);
    return ok;
}

void MainWindow::input_g1()
{
    const QList<QLineEdit *> numeric = {ui->keszulek_id, ui->tesztkod_idokoz, ui->bazis_vissza,
                                        ui->sms_voice_vissza, ui->hscode1, ui->hscode2,
                                        ui->hscode3, ui->hscode4};
    for (QLineEdit *edit : lineEditsOf(ui->g1)) {
        if (numeric.contains(edit) && !isNumeric(edit->text())) {
            report(this, edit, onlyNumbers);
            return;
        }
        // The one check after which the walk goes on.
        if (edit == ui->tesztkod_idokoz && fieldNumber(edit->text()) > 240)
            report(this, edit, above240);
        // A hidden panel still counts: a preset's second value is held to the
        // same byte limit as a typed one.
        if (edit == ui->hscode2 && ui->handshake->isEnabled() && fieldNumber(edit->text()) > 255) {
            report(this, edit, above255);
            return;
        }
    }
}

void MainWindow::input_g2()
{
    QHash<const QLineEdit *, Rule> rules;
    for (const QLineEdit *edit : lineEditsOf(ui->g2)) {
        if (edit != ui->csoportszam && edit != ui->zonaszam)
            rules.insert(edit, {&MainWindow::isNumeric, onlyNumbers});
    }
    if (!checkGroup(this, lineEditsOf(ui->g2), rules))
        return;

    // The "Off" code fields are locked and follow their "On" fields.
    const QPair<QLineEdit *, QLineEdit *> followers[] = {
        {ui->kezi_test_code, ui->kezi_test_code_2}, {ui->panic_code, ui->panic_code_2},
        {ui->be1_code, ui->be1_code_2},             {ui->be2_code, ui->be2_code_2},
        {ui->be3_code, ui->be3_code_2},
    };
    const QObject *origin = sender();
    for (const auto &pair : followers) {
        if (origin == pair.first)
            pair.second->setText(pair.first->text());
    }
}

void MainWindow::input_g3()
{
    checkGroup(this, lineEditsOf(ui->g3),
               {{ui->rele_meghuz, {&MainWindow::isNumeric, onlyNumbers}},
                {ui->rele_be_cseng, {&MainWindow::isNumeric, onlyNumbers}},
                {ui->rele_ki_cseng, {&MainWindow::isNumeric, onlyNumbers}}});
}

void MainWindow::input_g4()
{
    checkGroup(this, lineEditsOf(ui->g4),
               {{ui->ip1, {&MainWindow::isIpAddress, badIpAddress}},
                {ui->port1, {&MainWindow::isNumeric, onlyNumbers}},
                {ui->ip2, {&MainWindow::isIpAddress, badIpAddress}},
                {ui->port2, {&MainWindow::isNumeric, onlyNumbers}}});
}

void MainWindow::input_g5()
{
    // The forbid time is a byte in the device like the SMS count.
    checkGroup(this, lineEditsOf(ui->g5),
               {{ui->sms1, {&MainWindow::isPhoneNumber, badPhoneNumber}},
                {ui->sms2, {&MainWindow::isPhoneNumber, badPhoneNumber}},
                {ui->sms3, {&MainWindow::isPhoneNumber, badPhoneNumber}},
                {ui->sms_tiltas, {&MainWindow::isNumeric, onlyNumbers}},
                {ui->sms_max, {&MainWindow::isNumeric, onlyNumbers}}});
}

void MainWindow::input_g6()
{
    checkGroup(this, lineEditsOf(ui->g6),
               {{ui->voice1, {&MainWindow::isPhoneNumber, badPhoneNumber}},
                {ui->voice2, {&MainWindow::isPhoneNumber, badPhoneNumber}}});
}
