// The port dialog against simulated devices under COM names: which ports it
// lists, which one the search picks, what it shows when none answers, and the
// line speed and read time-out of the search that "Port Settings" starts.

#include "debugcapture.h"
#include "modalanswerer.h"
#include "portfolder.h"
#include "receiptgap.h"
#include "setcom.h"
#include "startedwindow.h"
#include "timing.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray Esc("\x1b");

QStringList listed(const setcom &d)
{
    const auto *box = d.findChild<QComboBox *>(QStringLiteral("comboBox"));
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    return names;
}

} // namespace

class TestPortDialog : public QObject
{
    Q_OBJECT

private slots:
    void listsAndSearches()
    {
        // COM2 and COM4 answer, COM3 keeps silent; COM32 is never tried.
        SimPort com2(QStringLiteral("COM2"));
        SimDevice com3, com4;
        QVERIFY(com2.isReady() && com3.start() && com4.start());
        com3.setSilent(true);
        QVERIFY(com2.link(QStringLiteral("COM3"), com3.ptyPath()));
        QVERIFY(com2.link(QStringLiteral("COM4"), com4.ptyPath()));
        QVERIFY(com2.link(QStringLiteral("COM32"), com4.ptyPath()));
        hideOtherPorts(com2);

        QWidget parent;
        ModalAnswerer answerer;
        setcom d(QStringLiteral("COM3"), 19200, 500, false, &parent);
        QCOMPARE(listed(d), (QStringList{"COM2", "COM3", "COM4"}));
        QCOMPARE(d.portSelection(), qMakePair(QStringLiteral("COM3"), 19200));
        QVERIFY(receivedInAll(com2.device()).isEmpty()); // listing only opens and closes

        Stamp accepted;
        connect(&d, &QDialog::accepted, [&accepted] { accepted = stampNow(); });
        d.findChild<QPushButton *>(QStringLiteral("autoPort"))->click();
        QCOMPARE(answerer.summary(), QStringList{"Set Port: The device is available on the following port:\n\nCOM4"});
        QCOMPARE(listed(d), QStringList{"COM4"});
        QCOMPARE(receivedUpToEsc(com2.device()), Esc + "!" + Esc);
        QCOMPARE(receivedInAll(com3), Esc + "!");
        QCOMPARE(receivedUpToEsc(com4), Esc + "!" + Esc);
        QVERIFY(QTest::qWaitFor([&d] { return d.result() == QDialog::Accepted; }, MustComeMs));
        QCOMPARE(d.portSelection(), qMakePair(QStringLiteral("COM4"), 19200));
        // The dialog accepts itself a moment after the box that names the port.
        VERIFY_TIMING(keeps(msBetween(answerer.boxes.first().answeredAt, accepted), 200));

        // Reload drops the search result and lists again, the given port current.
        d.findChild<QPushButton *>(QStringLiteral("reload"))->click();
        QCOMPARE(listed(d), (QStringList{"COM2", "COM3", "COM4"}));
        QCOMPARE(d.portSelection().first, QStringLiteral("COM3"));
    }

    void nothingFound()
    {
        // A rate the baud box does not offer leaves it empty; the search then
        // cannot set up any port.
        SimPort sim(QStringLiteral("COM5"));
        QVERIFY(sim.isReady());
        hideOtherPorts(sim);
        QWidget parent;
        ModalAnswerer answerer;
        DebugCapture debug;
        setcom d(QStringLiteral("COM1"), 12345, 500, true, &parent);
        QCOMPARE(answerer.summary(), QStringList{"Error: Cannot find the device."});
        QCOMPARE(answerer.boxes.first().icon, QMessageBox::Critical);
        QCOMPARE(debug.lines(), QStringList{"unable to set comport dcb settings"});
        QCOMPARE(receivedInAll(sim.device()), QByteArray());
        // A found port's accept would be due 200 ms after the search; a
        // timer due after it fires after it.
        bool pastAccept = false;
        QTimer::singleShot(250, &d, [&pastAccept] { pastAccept = true; });
        QVERIFY(QTest::qWaitFor([&pastAccept] { return pastAccept; }, MustComeMs));
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.portSelection(), qMakePair(QStringLiteral("COM5"), 0));
    }

    void searchFromTheMainWindow()
    {
        // Two silent devices: the search waits one read on each, at the
        // record's rate, which the baud box shows.
        SimPort com1(QStringLiteral("COM1"));
        SimDevice com2;
        QVERIFY(com1.isReady() && com2.start());
        QVERIFY(com1.link(QStringLiteral("COM2"), com2.ptyPath()));
        hideOtherPorts(com1);
        com1.device().setSilent(true);
        com2.setSilent(true);
        StartedWindow w;
        w.window().portSettings().baud = 9600;
        w.answerer.setDialogHandler([](QWidget *dialog) { static_cast<QDialog *>(dialog)->reject(); });

        ReceiptGap gap(com1.device(), 2, com2, 1);  // from COM1's '!' to COM2's ESC
        w.find<QPushButton>("button_port")->click();
        QCOMPARE(w.answerer.summary(), QStringList{"Error: Cannot find the device."});
        VERIFY_TIMING(ReceiptGap::isRead(gap.ms(), 500));
        QCOMPARE(receivedInAll(com1.device()), Esc + "!");
        QCOMPARE(com1.device().receivedSpeeds().keys(), QList<int>{9600});
        QCOMPARE(com2.receivedSpeeds().keys(), QList<int>{9600});
        QCOMPARE(com1.device().receivedFormats().keys(), QList<QByteArray>{"8N1"});
        QCOMPARE(com2.receivedFormats().keys(), QList<QByteArray>{"8N1"});
    }
};

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
