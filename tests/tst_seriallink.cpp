// The serial layer, comPort and the device protocol engine, run through the
// real serial port code against the simulated device on a pseudo-terminal.

#include "comport.h"
#include "debugcapture.h"
#include "devicelink.h"
#include "serialline.h"
#include "simport.h"
#include "timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTest>
#include <QThread>

#include <memory>

namespace {

const QByteArray Esc("\x1b");
const QByteArray CR("\r");

// Short reads keep the cases that must wait for silence quick.
const int QuickMs = 150;
LinkSetup quick()
{
    return LinkSetup::portSearch(QStringLiteral("19200"), QuickMs);
}

} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { sim.reset(); }

    void systemLocation();
    void openFailures_data();
    void openFailures();

    void silentDevice();
    void itemExchange_data();
    void itemExchange();
    void emptyItemList();
    void blockRead_data();
    void blockRead();
    void comPortAnswers();

    void lineDroppedDuringRead();
    void stopRequestEndsTheExchange_data();
    void stopRequestEndsTheExchange();
    void devsimProgram();

private:
    SimDevice &dev() { return sim->device(); }
    // Bytes the device saw once the exchange has ended: at least `count`,
    // and none that the program wrote still on its way.
    QByteArray wire(int count)
    {
        dev().waitForReceived(count, MustComeMs);
        return receivedInAll(dev());
    }

    std::unique_ptr<SimPort> sim;
};

void TestSerialLink::init()
{
    sim = std::make_unique<SimPort>();
    QVERIFY(sim->isReady());
}

void TestSerialLink::systemLocation()
{
    const QDir folder(sim->folder());
    QVERIFY(sim->link(QStringLiteral("COM3"), QStringLiteral("/dev/null")));
    QVERIFY(sim->link(QStringLiteral("COM4"), folder.filePath(QStringLiteral("nothing"))));
    // A link is followed to the device itself, so that every name of a tty meets its lock.
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM3")), QStringLiteral("/dev/null"));
    // A dangling link still names the entry, which then fails to open.
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM4")), folder.filePath(QStringLiteral("COM4")));
    // No entry: the standard tty.
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM7")), QStringLiteral("/dev/ttyS6"));
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("LPT1")), QString());
}

void TestSerialLink::openFailures_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("baud");  // the port dialog's baud box
    QTest::addColumn<bool>("held");     // COM1 is open elsewhere
    QTest::addColumn<QString>("line");

    const QString noOpen = QStringLiteral("unable to open comport");
    QTest::newRow("name of nothing") << "NOPORT" << "19200" << false << noOpen;
    QTest::newRow("empty baud box") << "COM1" << "" << false << "unable to set comport dcb settings";
    QTest::newRow("negative baud") << "COM1" << "-300" << false << "unable to set comport dcb settings";
    QTest::newRow("rate refused") << "COM1" << "0" << false << "unable to set comport cfg settings";
    QTest::newRow("held by another opener") << "COM1" << "19200" << true << noOpen;
    QTest::newRow("held, under a second name") << "COM2" << "19200" << true << noOpen;
}

void TestSerialLink::openFailures()
{
    QFETCH(QString, port);
    QFETCH(QString, baud);
    QFETCH(bool, held);
    QFETCH(QString, line);
    QVERIFY(sim->link(QStringLiteral("COM2"), dev().ptyPath()));
    SerialLine holder;
    QVERIFY(!held || holder.open(QStringLiteral("COM1")));
    DebugCapture debug;

    DeviceLink link;
    QVERIFY(!link.open(port, LinkSetup::portSearch(baud, QuickMs)));
    QVERIFY(!link.isOpen());
    QCOMPARE(debug.lines(), QStringList{line});

    // The failure closed what it opened: once free, the port opens at once.
    holder.close();
    QVERIFY(link.open(QStringLiteral("COM1"), quick()));
    link.close();
    QVERIFY(dev().received().isEmpty());
}

void TestSerialLink::silentDevice()
{
    dev().setSilent(true);
    DebugCapture debug;
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), quick()));

    const Stamp start = stampNow();
    QVERIFY(!link.handshake());
    // Three read time-outs.
    VERIFY_TIMING(keeps(msBetween(start, stampNow()), 3 * QuickMs));

    QCOMPARE(debug.lines(), QStringList{QStringLiteral("init: no response")});
    QVERIFY(!link.isOpen());
    QCOMPARE(wire(5), "!" + Esc + "!" + Esc + "!");

    // The port search's single try: ESC, '!', one read; the port stays open.
    dev().clearRecords();
    QVERIFY(link.open(sim->comName(), quick()));
    QVERIFY(!link.probe());
    QVERIFY(link.isOpen());
    link.close();
    QCOMPARE(wire(2), Esc + "!");
}

void TestSerialLink::itemExchange_data()
{
    QTest::addColumn<QByteArray>("answer");  // the device's answer to item 0; null: it drops the line
    QTest::addColumn<int>("times");          // for how many sendings
    QTest::addColumn<int>("sendings");
    QTest::addColumn<QString>("failure");    // the diagnostic; empty: accepted

    QTest::newRow("'?' twice, then 'O'") << QByteArray("?") << 2 << 3 << QString();
    QTest::newRow("'?' three times") << QByteArray("?") << 3 << 3 << "download error";
    QTest::newRow("three garbage bytes") << QByteArray("x#A") << 1 << 1 << "no response";
    QTest::newRow("two misses, then 'O'") << QByteArray("x#O") << 1 << 1 << QString();
    QTest::newRow("miss, then '?', then 'O'") << QByteArray("x?") << 1 << 2 << QString();
    QTest::newRow("line dropped") << QByteArray() << 0 << 1 << "no response";
}

void TestSerialLink::itemExchange()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, times);
    QFETCH(int, sendings);
    QFETCH(QString, failure);
    const bool accepted = failure.isEmpty();
    if (answer.isNull())
        dev().setDropAfterItems(0);
    else
        dev().answerItem(0, answer, times);
    DebugCapture debug;
    DeviceLink link;
    // The download's reads of 2000 ms, which none of these cases may wait out.
    QVERIFY(link.open(sim->comName(), LinkSetup::download()));
    QVERIFY(link.handshake());

    int linesSent = 0;
    DeviceLink::ItemHooks hooks;
    hooks.lineSent = [&] { ++linesSent; };
    const Stamp start = stampNow();
    // The payload is upper-cased on the wire, the command letter is not.
    QCOMPARE(link.writeItem(QStringLiteral("w0010"), QStringLiteral("6a6b6c"), hooks), accepted);
    const Stamp end = stampNow();
    if (answer.isNull())  // the line went while the answer was awaited
        VERIFY_TIMING(isPrompt(msBetween(dev().droppedAt(), end)));
    else
        VERIFY_TIMING(isUnder(msBetween(start, end), 2000, "a read of the download"));
    QCOMPARE(linesSent, sendings);
    QCOMPARE(debug.lines(), accepted ? QStringList() : QStringList{failure});
    QCOMPARE(link.isOpen(), accepted);
    if (accepted)
        link.finish();

    // No ESC after a failure; the line went out exactly `sendings` times.
    const QByteArray expected = "!" + QByteArray("w00106A6B6C\r").repeated(sendings) + (accepted ? Esc : "");
    QCOMPARE(wire(expected.size()), expected);
    QCOMPARE(dev().memory().mid(0x10, 3), accepted ? QByteArray("jkl") : QByteArray("net"));
}

void TestSerialLink::emptyItemList()
{
    const QByteArray before = dev().memory();
    DebugCapture debug;
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), quick()));
    QVERIFY(link.handshake());
    link.finish();
    QVERIFY(!link.isOpen());
    QVERIFY(debug.lines().isEmpty());
    QCOMPARE(wire(2), "!" + Esc);
    QCOMPARE(dev().memory(), before);

    // The port search's try: an answered '!' is left with another ESC.
    QVERIFY(link.open(sim->comName(), quick()));
    QVERIFY(link.probe());
    link.close();
    QCOMPARE(wire(5), "!" + Esc + Esc + "!" + Esc);
}

void TestSerialLink::blockRead_data()
{
    QTest::addColumn<QByteArray>("deviceAnswer");  // null: the device's own row
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("endedByCr");

    QTest::newRow("row") << QByteArray() << "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF08" << true;
    QTest::newRow("lone CR") << QByteArray("\r") << "" << true;
    QTest::newRow("ends in silence") << QByteArray("0A0B") << "0A0B" << false;
    // What follows the CR is no part of the next answer.
    QTest::newRow("stray bytes after the CR") << QByteArray("0A0B\r\nX") << "0A0B" << true;
}

void TestSerialLink::blockRead()
{
    QFETCH(QByteArray, deviceAnswer);
    QFETCH(QString, answer);
    QFETCH(bool, endedByCr);
    if (!deviceAnswer.isNull())
        dev().answerRead(0x3E0, deviceAnswer);
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), quick()));
    QVERIFY(link.handshake());

    // Asked twice: the second answer is the same as the first.
    for (int read = 0; read < 2; ++read) {
        const Stamp start = stampNow();
        bool byCr = !endedByCr;
        QCOMPARE(link.readBlock(QStringLiteral("r03E0"), &byCr), answer);
        QCOMPARE(byCr, endedByCr);
        // Only an answer without CR waits for the silent read.
        const qint64 ms = msBetween(start, stampNow());
        VERIFY_TIMING(endedByCr ? isUnder(ms, QuickMs, "a silent read") : keeps(ms, QuickMs));
        QVERIFY(link.isOpen());
    }
    link.finish();
    QCOMPARE(wire(14), "!" + QByteArray("r03E0" + CR).repeated(2) + Esc);
}

void TestSerialLink::comPortAnswers()
{
    dev().setStatusLine("OK");
    comPort port(sim->comName(), 19200);
    // An open comPort closes its own handle first instead of being refused by it.
    QVERIFY(port.open(QuickMs, 0, 0, 0));
    QVERIFY(port.open(QuickMs, 0, 0, 0));

    // Each byte but CR counts on the progress dialog; the answer runs until silence.
    QProgressDialog progress;
    progress.setRange(0, 50);
    progress.setValue(1);
    port.sendText(QStringLiteral("!T"), true);
    QCOMPARE(port.readAnswer(&progress), QStringLiteral("OK\r"));
    QCOMPARE(progress.value(), 3);
    QCOMPARE(wire(3), "!T" + CR);

    // A cancel while the third byte is counted ends the answer there, without waiting.
    dev().setStatusLine("ABCDEFGH");
    connect(progress.findChild<QProgressBar *>(), &QProgressBar::valueChanged, &progress, [&progress](int value) {
        if (value == 6 && !progress.wasCanceled())
            progress.cancel();
    });
    port.sendText(QStringLiteral("!T"), true);
    const Stamp start = stampNow();
    QCOMPARE(port.readAnswer(&progress), QStringLiteral("ABC"));
    VERIFY_TIMING(isUnder(msBetween(start, stampNow()), QuickMs, "a silent read"));
    QVERIFY(progress.wasCanceled());
}

void TestSerialLink::lineDroppedDuringRead()
{
    dev().setDropDuringRead(0x0100, 10);
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), LinkSetup::readOut()));
    QVERIFY(link.handshake());

    // The read waits for the rest of the answer when the line goes.
    QCOMPARE(link.readBlock(QStringLiteral("r0100")), QStringLiteral("0000FFFFFF"));
    // The line is noticed as gone and the port let go at once; the remaining
    // commands of a read-out find nothing.
    QVERIFY(!link.isOpen());
    for (int i = 0; i < 20; ++i)
        QCOMPARE(link.readBlock(QStringLiteral("r0110")), QString());
    link.finish();
    VERIFY_TIMING(isPrompt(msBetween(dev().droppedAt(), stampNow())));
}

void TestSerialLink::stopRequestEndsTheExchange_data()
{
    QTest::addColumn<bool>("betweenItems");  // else while the answer is awaited
    QTest::newRow("awaiting the answer") << false;
    QTest::newRow("as the device accepted the item") << true;
}

void TestSerialLink::stopRequestEndsTheExchange()
{
    QFETCH(bool, betweenItems);
    if (!betweenItems)
        dev().setSilentAfterItems(0);
    DebugCapture debug;
    QString outcome;
    Stamp ended;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        DeviceLink link;
        if (link.open(sim->comName(), LinkSetup::download()) && link.handshake()) {
            bool accepted = link.writeItem(QStringLiteral("w0002"), QStringLiteral("0A"));
            if (betweenItems && accepted) {
                // Escape lands just after the 'O': the next item must not begin.
                QThread::currentThread()->requestInterruption();
                accepted = link.writeItem(QStringLiteral("w0003"), QStringLiteral("05"));
            }
            outcome = QStringLiteral("accepted %1, stopped %2, open %3")
                          .arg(int(accepted)).arg(int(link.stopped())).arg(int(link.isOpen()));
        }
        ended = stampNow();
    }));
    worker->start();
    if (!betweenItems) {
        // The item line is out and the device silent: the worker waits in
        // the 2000 ms read of the answer, and ends within a slice of it.
        QVERIFY(dev().waitForReceived(9, MustComeMs));
        const Stamp stop = stampNow();
        worker->requestInterruption();
        QVERIFY(worker->wait(MustComeMs));
        VERIFY_TIMING(isPrompt(msBetween(stop, ended)));
    }
    QVERIFY(worker->wait(MustComeMs));
    QCOMPARE(outcome, QStringLiteral("accepted 0, stopped 1, open 0"));
    QVERIFY(debug.lines().isEmpty());  // a stop is not a device failure
    // Not a byte after the stop, and no ESC.
    QCOMPARE(receivedInAll(dev()), QByteArray("!w00020A\r"));
    SerialLine line;
    QVERIFY(line.open(sim->comName()));
}

void TestSerialLink::devsimProgram()
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../devsim");
    if (!QFileInfo(program).isExecutable())
        QSKIP("devsim program not built next to the tests");

    const QString link = QDir(sim->folder()).filePath(QStringLiteral("COM2"));
    QProcess devsim;
    devsim.start(program, {QStringLiteral("--link"), link, QStringLiteral("--model"), QStringLiteral("800")});
    QVERIFY(devsim.waitForReadyRead(MustComeMs));
    QCOMPARE(QFileInfo(link).symLinkTarget(), QString::fromLocal8Bit(devsim.readLine()).trimmed());

    DeviceLink device;
    QVERIFY(device.open(QStringLiteral("COM2"), quick()));
    QVERIFY(device.handshake());
    QVERIFY(device.readBlock(QStringLiteral("r03E0")).endsWith(QLatin1String("08")));
    device.finish();

    devsim.terminate();  // SIGTERM
    QVERIFY(devsim.waitForFinished(MustComeMs));
    QCOMPARE(devsim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
