// "Reset device to factory defaults": the two question boxes, the port
// dialog and the factory-image write through the real serial layer to the
// simulated device, and what the record and the form show afterwards.

#include "devicelink.h"
#include "modalscript.h"
#include "simport.h"
#include "startedwindow.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ModalScript::Step)

static const QString Port = QStringLiteral("COM3");

// The factory image of model 800, row by row: the row command and its bytes.
// The server address (192.0.2.10) and the telephone number (+3612345678) are
// our own defaults.
static const char *const FactoryRows[64][2] = {
    {"w0000", "03 04 0A 02 34 31 32 33 34 41 41 41 41 41 FF FF"},
    {"w0010", "6E 65 74 00 00 FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0020", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0030", "C0 00 02 0A C0 00 02 0A FF FF FF FF FF FF FF FF"},
    {"w0040", "00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0050", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0060", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0070", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0080", "00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0090", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w00A0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w00B0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w00C0", "31 30 32 34 00 00 FF FF 31 30 32 34 00 00 FF FF"},
    {"w00D0", "2B 33 36 31 32 33 34 35 36 37 38 00 00 00 FF FF"},
    {"w00E0", "2B 33 36 31 32 33 34 35 36 37 38 00 00 00 FF FF"},
    {"w00F0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0100", "00 00 FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0110", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0120", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0130", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0140", "31 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0150", "31 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0160", "32 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0170", "32 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0180", "33 31 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0190", "33 30 00 00 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w01A0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w01B0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w01C0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w01D0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w01E0", "48 00 68 01 49 02 69 03 6A 04 4A 05 47 06 61 07"},
    {"w01F0", "70 08 50 09 41 0A 78 0B 72 0C FF FF FF FF FF FF"},
    {"w0200", "01 06 05 01 03 06 05 01 01 06 05 02 03 06 05 02"},
    {"w0210", "01 06 05 03 03 06 05 03 01 06 0A 06 03 06 0A 06"},
    {"w0220", "01 06 0A 0A 03 06 0A 0A 06 06 0A 01 06 06 0A 09"},
    {"w0230", "06 06 0A 05 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0240", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0250", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0260", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0270", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0280", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0290", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02A0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02B0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02C0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02D0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02E0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w02F0", "F0 3C 78 FF 08 00 00 02 04 09 0A 09 0A 0A 40 0A"},
    {"w0300", "05 05 DC 08 FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0310", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0320", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0330", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0340", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0350", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0360", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0370", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0380", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w0390", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w03A0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w03B0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w03C0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w03D0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
    {"w03E0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 08"},
    {"w03F0", "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF"},
};
// Model 700 differs in the model code only, the last byte of row 0x3E0.
static const char Model700Row3E0[] = "FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 04";

class TestFactoryReset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void cancelLookSkipsRestOfLine();
    void declined_data();
    void declined();
    void modelChosen_data();
    void modelChosen();

private:
    SimDevice &dev() { return sim->device(); }
    // A main window whose port is the device's; the reset runs as the menu
    // starts it, the boxes answered by `script`.
    void reset()
    {
        started = std::make_unique<StartedWindow>();
        started->window().portSettings().port = Port;
        before = started->formState();
        started->find<QAction>("actionFactorydefault")->trigger();
    }

    std::unique_ptr<SimPort> sim;
    std::unique_ptr<StartedWindow> started;
    std::unique_ptr<ModalScript> script;
    QStringList before;
    QStringList formAtResult;
};

void TestFactoryReset::init()
{
    // Not the record's default port: a write reaches the device only
    // through the port set before.
    sim = std::make_unique<SimPort>(Port, SimDevice::Erased);
    QVERIFY(sim->isReady());
    script = std::make_unique<ModalScript>();
}

void TestFactoryReset::cleanup()
{
    started.reset();
    script.reset();
    sim.reset();
}

void TestFactoryReset::cancelLookSkipsRestOfLine()
{
    // The writer's cancel look within a row: the rest of the line is
    // skipped, CR still goes out, no answer is taken and the port stays
    // open for the check before the next row.
    DeviceLink link;
    QVERIFY(link.open(Port, LinkSetup::factoryWrite()));
    QVERIFY(link.handshake());
    int looks = 0;
    DeviceLink::ItemHooks hooks;
    hooks.cancelled = [&] { return ++looks > 3; };
    QCOMPARE(link.sendItem(QStringLiteral("w0000"), QStringLiteral("0304"), hooks), DeviceLink::Cancelled);
    QVERIFY(link.isOpen());
    link.close();
    QCOMPARE(receivedInAll(dev()), QByteArray("!w00\r"));
}

void TestFactoryReset::declined_data()
{
    QTest::addColumn<ModalScript::Step>("confirmation");
    QTest::addColumn<ModalScript::Step>("modelChoice");  // null: the box is not reached
    const ModalScript::Step ok = ModalScript::press(QMessageBox::Ok);
    QTest::newRow("confirmation: Cancel") << ModalScript::press(QMessageBox::Cancel) << ModalScript::Step();
    QTest::newRow("model choice: Escape") << ok << ModalScript::pressEscape();
    QTest::newRow("model choice: close button") << ok << ModalScript::closeWindow();
}

void TestFactoryReset::declined()
{
    QFETCH(ModalScript::Step, confirmation);
    QFETCH(ModalScript::Step, modelChoice);
    script->then(confirmation);
    if (modelChoice)
        script->then(modelChoice);
    reset();

    const QStringList boxes = {"Figyelmeztetés: Really want to restore to factory defaults?\nThis operation will "
                               "overwrite all previously stored data & config on the device!",
                               "Device: Please choose your device!"};
    QCOMPARE(script->boxes, boxes.mid(0, modelChoice ? 2 : 1));
    // The port dialog comes between the two boxes.
    QCOMPARE(script->dialogs, modelChoice ? QStringList{"setcom"} : QStringList());

    // Nothing written, nothing changed.
    QVERIFY(receivedInAll(dev()).isEmpty());
    QCOMPARE(started->window().portSettings().deviceType, 255);
    QCOMPARE(started->formState(), before);
}

void TestFactoryReset::modelChosen_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("variant");
    QTest::newRow("700 written, port dialog cancelled") << 4 << "";
    QTest::newRow("800 written, port dialog accepted") << 8 << "accept";
    QTest::newRow("800, device falls silent") << 8 << "silent";
    QTest::newRow("800, cancelled in the progress dialog") << 8 << "cancel";
    QTest::newRow("800, 'O' twice for a row, '?' for a later one") << 8 << "doubled";
}

void TestFactoryReset::modelChosen()
{
    QFETCH(int, model);
    QFETCH(QString, variant);
    const bool written = variant.isEmpty() || variant == "accept" || variant == "doubled";
    // The row answered '?' once, which must go out again.
    const int resent = variant == "doubled" ? 19 : 12;
    if (variant == "accept")
        script->dialogHandler = [](QWidget *dialog) { static_cast<QDialog *>(dialog)->accept(); };
    if (variant == "silent")
        dev().setSilentAfterItems(3);  // a row without an answer ends the write
    if (variant == "cancel") {
        // A slow line lets the progress dialog show itself; it is cancelled at once.
        dev().setBaud(2400);
        script->progressHandler = ModalScript::press(QStringLiteral("Megszakítás"));
    }
    if (variant == "doubled")
        dev().answerItem(4, "OO");  // the second 'O' waits when row 5 goes out
    if (written)
        dev().rejectItem(resent, 1);  // a '?' sends the row again
    script->then(ModalScript::press(QMessageBox::Ok));
    script->then(ModalScript::press(model == 8 ? QStringLiteral("Varnidex 800") : QStringLiteral("Varnidex 700")));
    script->then([this](QWidget *box) {
        formAtResult = started->formState();
        ModalScript::press(QMessageBox::Ok)(box);
    });
    reset();

    // The chosen model is recorded either way; the form as the result box
    // found it stays.
    QCOMPARE(started->window().portSettings().deviceType, model);
    QCOMPARE(started->formState(), formAtResult);
    QCOMPARE(script->icons.at(2), written ? QMessageBox::Information : QMessageBox::Warning);
    if (!written) {
        QCOMPARE(script->boxes.mid(2), QStringList{"Reset: Cannot restore the device. Please try again."});
        QCOMPARE(formAtResult, before);  // the layout is not touched
        if (variant == "silent") {
            // Three reads of 2000 ms for the row without an answer.
            const Stamp rowSent = dev().receivedAt(receivedInAll(dev()).size() - 1);
            VERIFY_TIMING(keeps(msBetween(rowSent, script->boxesShownAt.value(2)), 3 * 2000));
        }
        if (variant == "cancel") {
            // Whole rows, then nothing, not even ESC.
            QCOMPARE(script->dialogs, QStringList{"setcom"});
            QCOMPARE(script->progressDialogs, 1);
            const QByteArray received = receivedInAll(dev());
            QVERIFY(received.size() > 1 && received.endsWith('\r') && !received.contains('\x1b'));
        }
        return;
    }
    QCOMPARE(script->dialogs, QStringList{"setcom"});
    QCOMPARE(script->boxes.mid(2), QStringList{
        "Reset: Successfully restored to factory defaults.\n\nWarning: the actual data of the inputs may vary "
        "from the factory defaults values so please Read from Device to reload."});
    // The rows as they must go over the line: command, hex without blanks, CR.
    QByteArray expected = "!";
    QByteArray image;
    for (int i = 0; i < 64; ++i) {
        const QByteArray data = i == 0x3E && model == 4 ? Model700Row3E0 : FactoryRows[i][1];
        expected += (FactoryRows[i][0] + QByteArray(data).replace(' ', "") + '\r').repeated(i == resent ? 2 : 1);
        image += QByteArray::fromHex(data);
    }
    expected += "\x1b";
    QCOMPARE(receivedInAll(dev()), expected);
    QCOMPARE(dev().memory(), image);
    // The model's layout.
    QCOMPARE(started->find<QTabWidget>("tabWidget")->isTabEnabled(5), model == 8);
    QCOMPARE(started->edit("panic_code")->isEnabled(), model == 8);
}

QTEST_MAIN(TestFactoryReset)
#include "tst_factoryreset.moc"
