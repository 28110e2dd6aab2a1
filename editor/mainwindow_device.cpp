#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "comport.h"
#include "hexdigits.h"
#include "setcom.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QThread>

namespace {

const char Esc = 0x1B;

// Read time-out of the port dialog's search.
const int SearchTimeoutMs = 500;

// Only the end of the model answer is read, so whatever a device puts
// before its row (the '!', the command itself, blanks) does no harm. An
// answer longer than any query's, or one still coming when the wait ends,
// counts as none: the query blocks the window with nothing on screen, so
// its wait is short.
const int ModelAnswerMs = 2000;

const char GreenLamp[] = "background-color: rgb(0, 170, 0);";
const char RedLamp[] = "background-color: rgb(255, 0, 0);";
const char GreyLamp[] = "background-color: rgb(180, 180, 180);";
const char RedChunk[] = "QProgressBar::chunk { background-color: #FF0000; }";
const char BlueChunk[] = "QProgressBar::chunk { background-color: #05B8CC; }";

const char WaitingButton[] = "color: rgb(0, 0, 0); background-color: rgb(180, 180, 180);";
const char ReadyButton[] = "color: rgb(255, 255, 255); background-color: rgb(0, 106, 159);";

// The status record holds everything up to the signal digits.
const int StatusRecordMin = 18;

// Hexadecimal digits as the device sends them: two (one when that is all
// there is); anything else, signs and blanks included, is 0.
int hexByte(const QString &digits)
{
    return digits.size() <= 2 && isHexDigits(digits) ? digits.toInt(nullptr, 16) : 0;
}

// "!r03E0" answers the row whose last byte is the model code. Returns false
// when the port could not be opened; *type is then untouched.
bool queryModel(const QString &port, int baud, int *type)
{
    comPort com(port, baud);
    if (!com.open(600, 0, 0, 0))
        return false;
    com.sendByte(Esc, false);
    // The device needs a moment after ESC before it takes a query.
    QThread::msleep(400);
    com.discardInput();
    com.sendText(QStringLiteral("!r03E0"), true);
    bool cut = false;
    QString answer = com.readAnswer(nullptr, comPort::AnswerLimit, ModelAnswerMs, &cut);
    if (cut)
        answer.clear();
    answer.chop(1);  // the closing CR
    com.sendByte(Esc, false);
    com.close();

    *type = hexByte(answer.right(2));
    return true;
}

const char *lampFor(QChar c, char lit, const char *litStyle)
{
    return c == QLatin1Char(lit) ? litStyle : GreyLamp;
}

} // namespace

void MainWindow::show_port()
{
    // Only the device panel's button searches and asks for the model; the
    // menu action and the factory reset just let the user choose.
    const QObject *origin = sender();
    const bool fromButton = origin && origin->objectName() == QLatin1String("button_port");

    setcom dialog(settings.port, settings.baud, SearchTimeoutMs, fromButton, this);
    if (dialog.exec() != QDialog::Accepted)
        return;

    const QPair<QString, int> choice = dialog.portSelection();
    settings.port = choice.first;
    settings.baud = choice.second;
    portLabel->setText(QStringLiteral("%1   Baud: %2").arg(settings.port).arg(settings.baud));

    if (!fromButton)
        return;
    int type = 0;
    if (!queryModel(settings.port, settings.baud, &type))
        return;
    settings.deviceType = type;
    applyDeviceType(settings.deviceType);
}

void MainWindow::status()
{
    QPushButton *button = ui->button_status;
    const auto restoreButton = [this, button] {
        button->setStyleSheet(QLatin1String(ReadyButton));
        button->setText(tr("Get Status"));
        button->setEnabled(true);
    };
    const auto fail = [this] {
        QMessageBox::critical(this, tr("Error"), tr("Status error.\nPlease check the device!"), QMessageBox::Ok);
    };

    button->setStyleSheet(QLatin1String(WaitingButton));
    button->setText(tr("Please Wait..."));
    button->setEnabled(false);
    ui->terero->setStyleSheet(QString());
    ui->terero->reset();

    QProgressDialog progress(this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setLabelText(tr("Getting status & information..."));
    progress.setRange(0, 50);
    // Longer answers count past the end of the bar: the dialog, and with it
    // the block on the window, must stay until the query lets go of the port.
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.show();

    comPort com(settings.port, settings.baud);
    if (!com.open(3000, 0, 0, 0)) {
        restoreButton();
        fail();
        return;
    }
    progress.setValue(progress.value() + 1);
    com.discardInput();
    com.sendText(QStringLiteral("!T"), true);
    bool cut = false;
    QString answer = com.readAnswer(&progress, comPort::AnswerLimit, -1, &cut);

    // The record starts at the last 'I', unless that 'I' ends the answer.
    const int lastI = answer.lastIndexOf(QLatin1Char('I'));
    if (lastI >= 0 && lastI < answer.size() - 1)
        answer = answer.mid(lastI);

    // An answer cut short is not what the device said.
    if (cut || answer.size() < StatusRecordMin) {
        com.sendByte(Esc, false);
        restoreButton();
        fail();
        com.close();
        return;
    }

    QWidget *const inputs[] = {ui->w_be1, ui->w_be2, ui->w_be3, ui->w_panik};
    for (int i = 0; i < 4; ++i)
        inputs[i]->setStyleSheet(QLatin1String(lampFor(answer.at(1 + i), '0', GreenLamp)));
    QWidget *const outputs[] = {ui->w_ki1, ui->w_ki2, ui->w_ki3};
    for (int i = 0; i < 3; ++i)
        outputs[i]->setStyleSheet(QLatin1String(lampFor(answer.at(7 + i), '1', RedLamp)));

    const int signal = qBound(3, hexByte(answer.mid(16, 2)), 25);
    ui->terero->setRange(0, 27);
    ui->terero->reset();
    ui->terero->setValue(signal);
    ui->terero->setStyleSheet(QLatin1String(signal <= 5 ? RedChunk : BlueChunk));

    com.sendByte(Esc, false);
    com.close();
    progress.hide();
    restoreButton();
}
