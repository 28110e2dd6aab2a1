// "Reset device to factory defaults": the two question boxes, the port
// dialog and the factory-image write through the real serial layer to the
// simulated device, and what the record and the form show afterwards.

#include "devicelink.h"
#include "factoryimage.h"
#include "modalscript.h"
#include "simport.h"
#include "startedwindow.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ModalScript::Step)

static const QString Port = QStringLiteral("COM3");

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
    QVERIFY(dev().waitForReceived(5, 3000));
    QTest::qWait(20);  // nothing more should follow
    QCOMPARE(dev().received(), QByteArray("!w00\r"));
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
    QTest::qWait(50);
    QVERIFY(dev().received().isEmpty());
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
}

void TestFactoryReset::modelChosen()
{
    QFETCH(int, model);
    QFETCH(QString, variant);
    const bool written = variant.isEmpty() || variant == "accept";
    if (variant == "accept")
        script->dialogHandler = [](QWidget *dialog) { static_cast<QDialog *>(dialog)->accept(); };
    if (variant == "silent")
        dev().setSilentAfterItems(3);  // a row without an answer ends the write
    if (variant == "cancel") {
        // A slow line lets the progress dialog show itself; it is cancelled at once.
        dev().setBaud(2400);
        script->progressHandler = ModalScript::press(QStringLiteral("Megszakítás"));
    }
    if (written)
        dev().rejectItem(12, 1);  // a '?' sends the row again
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
        if (variant == "cancel") {
            // Whole rows, then nothing, not even ESC.
            QCOMPARE(script->dialogs, (QStringList{"setcom", "QProgressDialog"}));
            QTest::qWait(300);
            const QByteArray received = dev().received();
            QVERIFY(received.size() > 1 && received.endsWith('\r') && !received.contains('\x1b'));
        }
        return;
    }
    QCOMPARE(script->dialogs, QStringList{"setcom"});
    QCOMPARE(script->boxes.mid(2), QStringList{
        "Reset: Successfully restored to factory defaults.\n\nWarning: the actual data of the inputs may vary "
        "from the factory defaults values so please Read from Device to reload."});
    // The rows as they must go over the line: command, hex without blanks, CR.
    const FactoryImage image = factoryImage(model);
    QByteArray expected = "!";
    for (int i = 0; i < 64; ++i) {
        const QString row = image.rowAddr.at(i) + QString(image.rowData.at(i)).remove(QLatin1Char(' '));
        expected += (row.toLatin1() + '\r').repeated(i == 12 ? 2 : 1);
    }
    expected += "\x1b";
    QVERIFY(dev().waitForReceived(expected.size(), 3000));
    QCOMPARE(dev().received(), expected);
    QCOMPARE(dev().memory(), factoryImageBytes(model));
    // The model's layout.
    QCOMPARE(started->find<QTabWidget>("tabWidget")->isTabEnabled(5), model == 8);
    QCOMPARE(started->edit("panic_code")->isEnabled(), model == 8);
}

QTEST_MAIN(TestFactoryReset)
#include "tst_factoryreset.moc"
