// The factory-image writer and "Reset device to factory defaults": the two
// question boxes, the port dialog and the write through the real serial
// layer to the simulated device, and what the record and the form show
// afterwards.

#include "debugcapture.h"
#include "devicelink.h"
#include "factoryimage.h"
#include "frwriter.h"
#include "modalscript.h"
#include "simport.h"
#include "startedwindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ModalScript::Step)

namespace {

const QByteArray Esc("\x1b");
const QString Port = QStringLiteral("COM3");

// The rows as they must go over the line: command, hex without blanks, CR.
QByteArray lines(const FactoryImage &image, int from, int to)
{
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes += (image.rowAddr.at(i) + QString(image.rowData.at(i)).remove(QLatin1Char(' '))).toLatin1() + '\r';
    return bytes;
}

PortSettings atPort(const QString &port)
{
    PortSettings settings;
    settings.port = port;
    return settings;
}

} // namespace

class TestFactoryReset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rowsOnTheWire();
    void rejectedRow_data();
    void rejectedRow();
    void cancelLookSkipsRestOfLine();

    void declined_data();
    void declined();
    void imageWritten_data();
    void imageWritten();
    void failedWrite_data();
    void failedWrite();

private:
    SimDevice &dev() { return sim->device(); }
    QByteArray wire(int count)
    {
        dev().waitForReceived(count, 3000);
        QTest::qWait(20);  // nothing more should follow
        return dev().received();
    }
    // A main window whose port is the device's; the reset runs as the menu
    // starts it, the port dialog (if one comes) answered with `portDialog`.
    void reset(const ModalScript::Step &portDialog = ModalScript::reject())
    {
        started = std::make_unique<StartedWindow>();
        started->window().portSettings().port = Port;
        before = started->formState();
        script.setDialogHandler(portDialog);
        started->find<QAction>("actionFactorydefault")->trigger();
    }
    // Presses a result box's Ok after noting the form as the box found it.
    ModalScript::Step noteForm()
    {
        return [this](QWidget *box) {
            formAtResult = started->formState();
            ModalScript::press(QMessageBox::Ok)(box);
        };
    }

    QWidget parent;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<StartedWindow> started;
    ModalScript script;
    QStringList before;
    QStringList formAtResult;
};

void TestFactoryReset::init()
{
    // Not the record's default port: a write reaches the device only
    // through the port set before.
    sim = std::make_unique<SimPort>(Port, SimDevice::Erased);
    QVERIFY(sim->isReady());
    script.boxes.clear();
    script.dialogs.clear();
    script.progressShown = 0;
}

void TestFactoryReset::cleanup()
{
    started.reset();
    sim.reset();
}

void TestFactoryReset::rowsOnTheWire()
{
    DebugCapture debug;
    // Blanks go, lower-case hex is raised, the command stays as given.
    QVERIFY(frWriter(atPort(Port), {"w0100", "w0104"}, {"6a 6b", "0a ff 1c"}, &parent).writeRows());
    QByteArray expected = "!w01006A6B\rw01040AFF1C\r" + Esc;
    QCOMPARE(wire(expected.size()), expected);
    QCOMPARE(dev().memory().mid(0x100, 7), QByteArray::fromHex("6A6BFFFF0AFF1C"));

    // An empty list still makes the handshake and leaves with ESC.
    QVERIFY(frWriter(atPort(Port), {}, {}, &parent).writeRows());
    expected += "!" + Esc;
    QCOMPARE(wire(expected.size()), expected);

    // A port that does not open.
    QVERIFY(sim->link(QStringLiteral("COM7"), QStringLiteral("/nonexistent/tty")));
    QVERIFY(!frWriter(atPort(QStringLiteral("COM7")), {"w0000"}, {"00"}, &parent).writeRows());
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("unable to open comport")});
}

void TestFactoryReset::rejectedRow_data()
{
    QTest::addColumn<int>("rejections");  // '?' answers in a row for row 12 ("w00C0")
    QTest::newRow("'?' twice, then 'O'") << 2;
    QTest::newRow("'?' three times") << 3;
}

void TestFactoryReset::rejectedRow()
{
    QFETCH(int, rejections);
    const bool written = rejections < 3;
    const FactoryImage image = factoryImage(8);
    dev().rejectItem(12, rejections);
    DebugCapture debug;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(frWriter(atPort(Port), image.rowAddr, image.rowData, &parent).writeRows(), written);
    QVERIFY(clock.elapsed() < 1500);  // no read waited out

    // The row went out three times either way; a third '?' ends the write
    // without ESC.
    QByteArray expected = "!" + lines(image, 0, 12) + lines(image, 12, 13).repeated(3);
    expected += written ? lines(image, 13, 64) + Esc : QByteArray();
    QCOMPARE(wire(expected.size()), expected);
    QCOMPARE(debug.lines(), written ? QStringList() : QStringList{QStringLiteral("download error")});
    QCOMPARE(dev().memory().left(0xD0) == factoryImageBytes(8).left(0xD0), written);
}

void TestFactoryReset::cancelLookSkipsRestOfLine()
{
    // The writer's cancel look within a row: the rest of the line is
    // skipped, CR still goes out, no answer is awaited and the port stays
    // open for the check before the next row.
    DeviceLink link;
    QVERIFY(link.open(Port, LinkSetup::factoryWrite()));
    QVERIFY(link.handshake());
    int looks = 0;
    DeviceLink::ItemHooks hooks;
    hooks.cancelled = [&] { return ++looks > 3; };
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(link.sendItem(QStringLiteral("w0000"), QStringLiteral("0304"), hooks), DeviceLink::Cancelled);
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(link.isOpen());
    link.close();
    QCOMPARE(wire(5), QByteArray("!w00\r"));
}

void TestFactoryReset::declined_data()
{
    QTest::addColumn<ModalScript::Step>("confirmation");
    QTest::addColumn<ModalScript::Step>("modelChoice");  // null: the box is not reached
    const ModalScript::Step ok = ModalScript::press(QMessageBox::Ok);
    QTest::newRow("confirmation: Cancel") << ModalScript::press(QMessageBox::Cancel) << ModalScript::Step();
    QTest::newRow("confirmation: Escape") << ModalScript::pressEscape() << ModalScript::Step();
    QTest::newRow("confirmation: close button") << ModalScript::closeWindow() << ModalScript::Step();
    QTest::newRow("model choice: Escape") << ok << ModalScript::pressEscape();
    QTest::newRow("model choice: close button") << ok << ModalScript::closeWindow();
}

void TestFactoryReset::declined()
{
    QFETCH(ModalScript::Step, confirmation);
    QFETCH(ModalScript::Step, modelChoice);
    script.then(confirmation);
    if (modelChoice)
        script.then(modelChoice);
    reset();

    QCOMPARE(script.boxes.size(), modelChoice ? 2 : 1);
    const ModalScript::Box first = script.boxes.first();
    QCOMPARE(first.title, QStringLiteral("Figyelmeztetés"));
    QCOMPARE(first.text, QStringLiteral("Really want to restore to factory defaults?\nThis operation will "
                                        "overwrite all previously stored data & config on the device!"));
    QCOMPARE(first.icon, QMessageBox::Warning);
    QCOMPARE(first.buttons.size(), 2);
    QCOMPARE(first.defaultButton, QMessageBox::Cancel);
    if (modelChoice) {
        const ModalScript::Box second = script.boxes.at(1);
        QCOMPARE(second.title, QStringLiteral("Device"));
        QCOMPARE(second.text, QStringLiteral("Please choose your device!"));
        QCOMPARE(second.icon, QMessageBox::Information);
        QCOMPARE(second.buttons, (QStringList{"Varnidex 800", "Varnidex 700"}));
        QCOMPARE(second.modality, Qt::WindowModal);
    } else {
        QVERIFY(script.dialogs.isEmpty());  // no port dialog either
    }
    for (const ModalScript::Box &box : qAsConst(script.boxes)) {
        QCOMPARE(box.parent, &started->window());
        QVERIFY(!box.box);  // deleted when closed
    }

    // Nothing written, nothing changed.
    QTest::qWait(50);
    QVERIFY(dev().received().isEmpty());
    QCOMPARE(started->window().portSettings().deviceType, 255);
    QCOMPARE(started->formState(), before);
}

void TestFactoryReset::imageWritten_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("acceptPortDialog");
    QTest::newRow("700, port dialog cancelled") << 4 << false;
    QTest::newRow("800, port dialog accepted") << 8 << true;
}

void TestFactoryReset::imageWritten()
{
    QFETCH(int, model);
    QFETCH(bool, acceptPortDialog);
    script.then(ModalScript::press(QMessageBox::Ok));
    script.then(ModalScript::press(model == 8 ? QStringLiteral("Varnidex 800") : QStringLiteral("Varnidex 700")));
    script.then(noteForm());
    reset(acceptPortDialog ? ModalScript::accept() : ModalScript::reject());

    QVERIFY(script.dialogs.isEmpty() || script.dialogs == QStringList{"setcom"});
    QCOMPARE(script.boxes.size(), 3);
    QCOMPARE(script.boxes.at(2).title, QStringLiteral("Reset"));
    QCOMPARE(script.boxes.at(2).text, QStringLiteral(
        "Successfully restored to factory defaults.\n\nWarning: the actual data of the inputs may vary from the "
        "factory defaults values so please Read from Device to reload."));
    QCOMPARE(script.boxes.at(2).icon, QMessageBox::Information);

    const QByteArray expected = "!" + lines(factoryImage(model), 0, 64) + Esc;
    QCOMPARE(wire(expected.size()), expected);
    QCOMPARE(dev().memory(), factoryImageBytes(model));
    QCOMPARE(started->window().portSettings().deviceType, model);

    // The model's layout is in place when the result box shows, and stays.
    QCOMPARE(started->formState(), formAtResult);
    QCOMPARE(started->find<QTabWidget>("tabWidget")->isTabEnabled(5), model == 8);
    for (const char *name : {"panic_code", "be3_code_2", "ki2_on", "ki3_off"})
        QVERIFY2(started->edit(name)->isEnabled() == (model == 8), name);
    QCOMPARE(started->edit("p_panic_2")->text(), model == 8 ? QStringLiteral("3") : QString());
    if (model == 4) {
        QVERIFY(started->edit("ki2_on")->text().isEmpty());
        QVERIFY(formAtResult.contains(QStringLiteral("voice_off=1")));
    }
}

void TestFactoryReset::failedWrite_data()
{
    QTest::addColumn<bool>("cancel");  // else the device is silent
    QTest::newRow("silent device") << false;
    QTest::newRow("cancelled in the progress dialog") << true;
}

void TestFactoryReset::failedWrite()
{
    QFETCH(bool, cancel);
    if (cancel) {
        // A slow line lets the progress dialog show itself; it is cancelled
        // at once.
        dev().setBaud(2400);
        script.setProgressHandler(ModalScript::cancelProgress());
    } else {
        dev().setSilent(true);
    }
    script.then(ModalScript::press(QMessageBox::Ok));
    script.then(ModalScript::press(QStringLiteral("Varnidex 800")));
    script.then(noteForm());
    DebugCapture debug;
    reset();

    QCOMPARE(script.boxes.size(), 3);
    QCOMPARE(script.boxes.at(2).title, QStringLiteral("Reset"));
    QCOMPARE(script.boxes.at(2).text, QStringLiteral("Cannot restore the device. Please try again."));
    QCOMPARE(script.boxes.at(2).icon, QMessageBox::Warning);
    // The chosen model is kept; the layout is not touched.
    QCOMPARE(started->window().portSettings().deviceType, 8);
    QCOMPARE(formAtResult, before);
    QCOMPARE(started->formState(), before);

    QTest::qWait(300);
    const QByteArray received = dev().received();
    if (cancel) {
        // Whole rows, then nothing: no ESC; the port is free again.
        QCOMPARE(script.progressShown, 1);
        QVERIFY(debug.lines().isEmpty());
        QVERIFY(received.size() > 1 && received.endsWith('\r'));
        QVERIFY(!received.contains(Esc));
        QVERIFY((lines(factoryImage(8), 0, 63) + "w03F0").startsWith(received.mid(1)));
        DeviceLink link;
        QVERIFY(link.open(Port, LinkSetup::factoryWrite()));
    } else {
        QCOMPARE(debug.lines(), QStringList{QStringLiteral("init: no response")});
        QCOMPARE(received, "!" + Esc + "!" + Esc + "!");
    }
}

QTEST_MAIN(TestFactoryReset)
#include "tst_factoryreset.moc"
