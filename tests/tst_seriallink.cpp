// The serial layer, comPort and the device protocol engine, run through the
// real serial port code against the simulated device on a pseudo-terminal.

#include "comport.h"
#include "debugcapture.h"
#include "devicelink.h"
#include "serialline.h"
#include "simport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>

namespace {

const QByteArray Esc("\x1b");
const QByteArray Bang("!");
const QByteArray CR("\r");

// Short reads keep the cases that must wait for silence quick.
const int QuickMs = 150;
LinkSetup quick()
{
    return LinkSetup::portSearch(QStringLiteral("19200"), QuickMs);
}

// Bytes the device saw, once it has seen at least `count` of them.
QByteArray wire(SimPort &sim, int count)
{
    sim->waitForReceived(count, 2000);
    QTest::qWait(20);  // nothing more should follow
    return sim->received();
}

} // namespace

class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void systemLocation();
    void parseMode_data();
    void parseMode();
    void openFailures();
    void exclusiveOpen();

    void handshakeSilentDevice();
    void itemExchange_data();
    void itemExchange();
    void emptyItemList();
    void blockRead_data();
    void blockRead();
    void probe();

    void comPortQueries();
    void readAnswerCountsProgress();
    void readAnswerStopsOnCancel();

    void lineDroppedDuringItems();
    void lineDroppedDuringRead();
    void stopRequestEndsLongRead();

    void devsimProgram();
};

void TestSerialLink::systemLocation()
{
    {
        PortFolder folder;
        QVERIFY(folder.link(QStringLiteral("COM3"), QStringLiteral("/dev/null")));
        QVERIFY(folder.link(QStringLiteral("COM4"), folder.path() + QStringLiteral("/nothing")));
        // A link is followed to the device itself.
        QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM3")), QStringLiteral("/dev/null"));
        // A dangling link still names the entry, which then fails to open.
        QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM4")),
                 QDir(folder.path()).filePath(QStringLiteral("COM4")));
        // No entry: the standard tty.
        QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM7")), QStringLiteral("/dev/ttyS6"));
    }
    const QByteArray saved = qgetenv("DEVLOADER_PORTS");
    qunsetenv("DEVLOADER_PORTS");
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM1")), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM32")), QStringLiteral("/dev/ttyS31"));
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("COM0")), QString());
    QCOMPARE(SerialLine::systemLocation(QStringLiteral("LPT1")), QString());
    if (!saved.isNull())
        qputenv("DEVLOADER_PORTS", saved);
}

void TestSerialLink::parseMode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("baud");

    QTest::newRow("transfer") << "baud=19200 data=8 parity=N stop=1" << true << 19200;
    QTest::newRow("any case, any order") << "PARITY=e Baud=1200 stop=2" << true << 1200;
    QTest::newRow("zero baud parses") << "baud=0 data=8 parity=N stop=1" << true << 0;
    QTest::newRow("empty baud box") << "baud= data=8 parity=N stop=1" << false << 0;
    QTest::newRow("negative baud") << "baud=-300 data=8 parity=N stop=1" << false << 0;
    QTest::newRow("nine data bits") << "baud=9600 data=9 parity=N stop=1" << false << 0;
    QTest::newRow("unknown key") << "baud=9600 speed=fast" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestSerialLink::parseMode()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, baud);
    SerialLine::Mode mode;
    QCOMPARE(SerialLine::parseMode(text, &mode), valid);
    if (valid)
        QCOMPARE(mode.baud, baud);
}

void TestSerialLink::openFailures()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    DebugCapture debug;
    DeviceLink link;

    // A name that resolves to nothing stops at the first step.
    QVERIFY(!link.open(QStringLiteral("NOPORT"), quick()));
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("unable to open comport")});
    QVERIFY(!link.isOpen());
    debug.clear();

    // The port dialog's baud box may be empty: the mode string is rejected.
    QVERIFY(!link.open(sim.comName(), LinkSetup::portSearch(QString(), QuickMs)));
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("unable to set comport dcb settings")});
    debug.clear();

    // A rate the port refuses.
    QVERIFY(!link.open(sim.comName(), LinkSetup::portSearch(QStringLiteral("0"), QuickMs)));
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("unable to set comport cfg settings")});
    debug.clear();

    // Each failure closed what it opened: the port opens at once.
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(debug.lines().isEmpty());
    link.close();
    QVERIFY(sim->received().isEmpty());

    // The same steps behind comPort.
    comPort refused(sim.comName(), 0);
    QVERIFY(!refused.open(QuickMs, 0, 0, 0));
    comPort missing(QStringLiteral("COM9"), 19200);  // no entry: /dev/ttyS8, if that exists at all
    QVERIFY(!missing.open(QuickMs, 0, 0, 0));
    QCOMPARE(debug.lines(), (QStringList{QStringLiteral("unable to set comport cfg settings"),
                                         QStringLiteral("unable to open comport")}));
}

void TestSerialLink::exclusiveOpen()
{
    PortFolder folder;
    SimPort sim(QStringLiteral("COM1"), SimDevice::Model800, &folder);
    QVERIFY(sim.isReady());
    // A second name for the same device must not get around the lock.
    QVERIFY(folder.link(QStringLiteral("COM2"), sim->ptyPath()));
    DebugCapture debug;

    SerialLine holder;
    QVERIFY(holder.open(QStringLiteral("COM1")));

    DeviceLink link;
    QVERIFY(!link.open(QStringLiteral("COM1"), quick()));
    QVERIFY(!link.open(QStringLiteral("COM2"), quick()));
    comPort query(QStringLiteral("COM1"), 19200);
    QVERIFY(!query.open(QuickMs, 0, 0, 0));
    QCOMPARE(debug.lines(), QStringList(3, QStringLiteral("unable to open comport")));

    holder.close();
    QVERIFY(link.open(QStringLiteral("COM2"), quick()));
    link.close();

    // comPort::open on an open object closes its own handle first, so the
    // second open is not refused by the first.
    QVERIFY(query.open(QuickMs, 0, 0, 0));
    QVERIFY(query.open(QuickMs, 0, 0, 0));
    query.close();
    query.close();
    QVERIFY(holder.open(QStringLiteral("COM1")));
}

void TestSerialLink::handshakeSilentDevice()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setSilent(true);
    DebugCapture debug;
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), quick()));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!link.handshake());
    // Three read time-outs, no more.
    QVERIFY(clock.elapsed() >= 3 * QuickMs - 30);
    QVERIFY(clock.elapsed() < 4 * QuickMs + 200);

    QCOMPARE(debug.lines(), QStringList{QStringLiteral("init: no response")});
    QVERIFY(!link.isOpen());
    QCOMPARE(wire(sim, 5), Bang + Esc + Bang + Esc + Bang);
}

void TestSerialLink::itemExchange_data()
{
    QTest::addColumn<QByteArray>("answer");  // the device's answer to item 0
    QTest::addColumn<int>("times");          // for how many sendings
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("sendings");
    QTest::addColumn<QStringList>("debugLines");

    QTest::newRow("accepted") << QByteArray() << 0 << true << 1 << QStringList();
    QTest::newRow("'?' twice, then 'O'") << QByteArray("?") << 2 << true << 3 << QStringList();
    QTest::newRow("'?' three times") << QByteArray("?") << 3 << false << 3
                                     << QStringList{QStringLiteral("download error")};
    QTest::newRow("three garbage bytes") << QByteArray("x#A") << 1 << false << 1
                                         << QStringList{QStringLiteral("no response")};
    QTest::newRow("two misses, then 'O'") << QByteArray("x#O") << 1 << true << 1 << QStringList();
    QTest::newRow("miss, then '?', then 'O'") << QByteArray("x?") << 1 << true << 2 << QStringList();
}

void TestSerialLink::itemExchange()
{
    QFETCH(QByteArray, answer);
    QFETCH(int, times);
    QFETCH(bool, accepted);
    QFETCH(int, sendings);
    QFETCH(QStringList, debugLines);

    SimPort sim;
    QVERIFY(sim.isReady());
    if (times > 0)
        sim->answerItem(0, answer, times);
    DebugCapture debug;
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(link.handshake());

    int linesSent = 0;
    DeviceLink::ItemHooks hooks;
    hooks.lineSent = [&] { ++linesSent; };
    // The payload is upper-cased on the wire, the command letter is not.
    QCOMPARE(link.writeItem(QStringLiteral("w0010"), QStringLiteral("6a6b6c"), hooks), accepted);
    QCOMPARE(linesSent, sendings);
    QCOMPARE(debug.lines(), debugLines);
    QCOMPARE(link.isOpen(), accepted);
    if (accepted)
        link.finish();

    // No ESC after a failure; the line went out exactly `sendings` times.
    const QByteArray itemLine = QByteArray("w00106A6B6C") + CR;
    const QByteArray expected = Bang + itemLine.repeated(sendings) + (accepted ? Esc : QByteArray());
    QCOMPARE(wire(sim, expected.size()), expected);
    QCOMPARE(sim->memory().mid(0x10, 3), accepted ? QByteArray("jkl") : QByteArray("net"));
    QCOMPARE(sim->itemsAccepted(), accepted ? 1 : 0);
}

void TestSerialLink::emptyItemList()
{
    SimPort sim(QStringLiteral("COM1"), SimDevice::Erased);
    QVERIFY(sim.isReady());
    DebugCapture debug;
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(link.handshake());
    link.finish();
    QVERIFY(!link.isOpen());
    QVERIFY(debug.lines().isEmpty());
    QCOMPARE(wire(sim, 2), Bang + Esc);
    QCOMPARE(sim->sent(), Bang);
    QCOMPARE(sim->memory(), QByteArray(SimDevice::MemorySize, char(0xFF)));
}

void TestSerialLink::blockRead_data()
{
    QTest::addColumn<QByteArray>("deviceAnswer");  // empty: the device's own row
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("endedByCr");
    QTest::addColumn<bool>("waitsForSilence");

    QTest::newRow("row") << QByteArray() << "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF08" << true << false;
    QTest::newRow("lone CR") << QByteArray("\r") << "" << true << false;
    QTest::newRow("failed read") << QByteArray("-1\r") << "-1" << true << false;
    QTest::newRow("ends in silence") << QByteArray("0A0B") << "0A0B" << false << true;
    QTest::newRow("nothing at all") << QByteArray("") << "" << false << true;
}

void TestSerialLink::blockRead()
{
    QFETCH(QByteArray, deviceAnswer);
    QFETCH(QString, answer);
    QFETCH(bool, endedByCr);
    QFETCH(bool, waitsForSilence);

    SimPort sim;
    QVERIFY(sim.isReady());
    if (!deviceAnswer.isNull())
        sim->answerRead(0x3E0, deviceAnswer);
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(link.handshake());

    QElapsedTimer clock;
    clock.start();
    bool byCr = !endedByCr;
    QCOMPARE(link.readBlock(QStringLiteral("r03E0"), &byCr), answer);
    QCOMPARE(byCr, endedByCr);
    QCOMPARE(clock.elapsed() >= QuickMs - 30, waitsForSilence);
    QVERIFY(link.isOpen());
    link.finish();
    QCOMPARE(wire(sim, 8), Bang + "r03E0" + CR + Esc);
}

void TestSerialLink::probe()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(link.probe());
    link.close();
    QCOMPARE(wire(sim, 3), Esc + Bang + Esc);

    sim->clearRecords();
    sim->setSilent(true);
    QVERIFY(link.open(sim.comName(), quick()));
    QVERIFY(!link.probe());
    link.close();
    QCOMPARE(wire(sim, 2), Esc + Bang);
}

void TestSerialLink::comPortQueries()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setStatusLine("T:I0110001010000000E0");
    comPort port(sim.comName(), 19200);
    QCOMPARE(port.baudRateText(), QStringLiteral("19200"));
    QVERIFY(port.open(QuickMs, 0, 0, 0));

    // The model query: ESC, "!r03E0" CR, everything until silence.
    port.sendByte(0x1B, false);
    port.sendText(QStringLiteral("!r03E0"), true);
    QCOMPARE(port.readAnswer(), QStringLiteral("FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF08\r"));

    // The status query; sendText writes '!', 'T' and CR.
    port.sendText(QStringLiteral("!T"), true);
    QCOMPARE(port.readAnswer(), QStringLiteral("T:I0110001010000000E0\r"));
    port.sendByte(0x1B, false);
    port.close();

    QCOMPARE(wire(sim, 13), Esc + "!r03E0" + CR + "!T" + CR + Esc);

    // Nothing at all: an empty answer after one time-out.
    sim->setSilent(true);
    QVERIFY(port.open(QuickMs, 0, 0, 0));
    port.sendCR();
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(port.readAnswer(), QString());
    QVERIFY(clock.elapsed() >= QuickMs - 30);
}

void TestSerialLink::readAnswerCountsProgress()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setStatusLine("OK");
    comPort port(sim.comName(), 19200);
    QVERIFY(port.open(QuickMs, 0, 0, 0));

    QProgressDialog progress;
    progress.setRange(0, 50);
    progress.setValue(1);
    port.sendText(QStringLiteral("!T"), true);
    QCOMPARE(port.readAnswer(&progress), QStringLiteral("OK\r"));
    QCOMPARE(progress.value(), 3);  // CR does not count
    QVERIFY(!progress.wasCanceled());
}

void TestSerialLink::readAnswerStopsOnCancel()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setStatusLine("ABCDEFGH");
    comPort port(sim.comName(), 19200);
    QVERIFY(port.open(QuickMs, 0, 0, 0));

    QProgressDialog progress;
    progress.setRange(0, 50);
    progress.setValue(0);
    // The user cancels while the third byte is being counted.
    QProgressBar *bar = progress.findChild<QProgressBar *>();
    QVERIFY(bar);
    connect(bar, &QProgressBar::valueChanged, &progress, [&progress](int value) {
        if (value == 3 && !progress.wasCanceled())
            progress.cancel();
    });

    port.sendText(QStringLiteral("!T"), true);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(port.readAnswer(&progress), QStringLiteral("ABC"));
    QVERIFY(progress.wasCanceled());
    QVERIFY(clock.elapsed() < QuickMs);  // no wait for silence
}

void TestSerialLink::lineDroppedDuringItems()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setDropAfterItems(1);
    DebugCapture debug;
    DeviceLink link;
    // The download's own time-outs: a lost line must not cost them.
    QVERIFY(link.open(sim.comName(), LinkSetup::download()));
    QVERIFY(link.handshake());
    QVERIFY(link.writeItem(QStringLiteral("w0002"), QStringLiteral("0A")));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(!link.writeItem(QStringLiteral("w0003"), QStringLiteral("02")));
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!link.isOpen());
    QCOMPARE(debug.lines(), QStringList{QStringLiteral("no response")});
    QVERIFY(sim->lineDropped());
    QCOMPARE(sim->received(), Bang + "w00020A" + CR + "w000302" + CR);
}

void TestSerialLink::lineDroppedDuringRead()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setDropDuringRead(0x0100, 10);
    DeviceLink link;
    QVERIFY(link.open(sim.comName(), LinkSetup::readOut()));
    QVERIFY(link.handshake());

    QElapsedTimer clock;
    clock.start();
    bool byCr = true;
    QCOMPARE(link.readBlock(QStringLiteral("r0100"), &byCr), QStringLiteral("0000FFFFFF"));
    QVERIFY(!byCr);
    // The remaining commands of a read-out find nothing, at once.
    for (int i = 0; i < 20; ++i)
        QCOMPARE(link.readBlock(QStringLiteral("r0110"), &byCr), QString());
    link.finish();
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!link.isOpen());
    QVERIFY(sim->lineDropped());
}

void TestSerialLink::stopRequestEndsLongRead()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setSilentAfterItems(0);
    DebugCapture debug;

    std::atomic<bool> handshakeDone{false};
    bool accepted = true;
    bool stopped = false;
    bool openAfter = true;
    QThread *worker = QThread::create([&] {
        DeviceLink link;
        if (!link.open(sim.comName(), LinkSetup::download()) || !link.handshake())
            return;
        handshakeDone = true;
        accepted = link.writeItem(QStringLiteral("w0002"), QStringLiteral("0A"));
        stopped = link.stopped();
        openAfter = link.isOpen();
    });
    worker->start();

    // Wait until the worker sits in the first 2000 ms read of the answer.
    QVERIFY(sim->waitForReceived(8, 3000));
    QVERIFY(handshakeDone);
    QTest::qWait(200);

    QElapsedTimer clock;
    clock.start();
    worker->requestInterruption();
    QVERIFY(worker->wait(3000));
    const qint64 took = clock.elapsed();
    delete worker;

    QVERIFY2(took < 300, qPrintable(QStringLiteral("stop took %1 ms").arg(took)));
    QVERIFY(!accepted);
    QVERIFY(stopped);
    QVERIFY(!openAfter);
    QVERIFY(debug.lines().isEmpty());  // a stop is not a device failure

    // The worker closed the port: it opens again at once.
    SerialLine line;
    QVERIFY(line.open(sim.comName()));
}

void TestSerialLink::devsimProgram()
{
    const QString here = QCoreApplication::applicationDirPath();
    QString program;
    for (const QString &candidate : {here + QStringLiteral("/../devsim"), here + QStringLiteral("/devsim")}) {
        if (QFileInfo(candidate).isExecutable())
            program = QFileInfo(candidate).canonicalFilePath();
    }
    if (program.isEmpty())
        QSKIP("devsim program not built next to the tests");

    PortFolder folder;
    const QString link = QDir(folder.path()).filePath(QStringLiteral("COM1"));
    QProcess devsim;
    devsim.start(program, {QStringLiteral("--link"), link, QStringLiteral("--model"), QStringLiteral("800")});
    QVERIFY(devsim.waitForReadyRead(5000));
    const QString pty = QString::fromLocal8Bit(devsim.readLine()).trimmed();
    QCOMPARE(QFileInfo(link).symLinkTarget(), pty);

    DeviceLink device;
    QVERIFY(device.open(QStringLiteral("COM1"), quick()));
    QVERIFY(device.handshake());
    QVERIFY(device.readBlock(QStringLiteral("r03E0")).endsWith(QLatin1String("08")));
    device.finish();

    devsim.terminate();  // SIGTERM
    QVERIFY(devsim.waitForFinished(3000));
    QCOMPARE(devsim.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
