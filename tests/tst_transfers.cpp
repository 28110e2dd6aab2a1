// The two transfer dialogs and their workers against the simulated device:
// bytes on the wire, progress, result texts, self-close, the close button
// and Escape during a transfer.

#include "debugcapture.h"
#include "devicelink.h"
#include "dload.h"
#include "portsettings.h"
#include "simport.h"
#include "upload.h"

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const char Esc = 0x1B;

QDialogButtonBox *buttons(QDialog &d)
{
    return d.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
}

QString labelText(QDialog &d, const char *name)
{
    return d.findChild<QLabel *>(QLatin1String(name))->text();
}

QProgressBar *bar(QDialog &d)
{
    return d.findChild<QProgressBar *>(QStringLiteral("progressBar"));
}

bool ended(QDialog &d)
{
    return buttons(d)->isEnabled();
}

bool showsOnlyOk(QDialog &d)
{
    const QList<QAbstractButton *> all = buttons(d)->buttons();
    return all.size() == 1 && buttons(d)->button(QDialogButtonBox::Ok) == all.first();
}

PortSettings settingsFor(const SimPort &sim)
{
    PortSettings settings;
    settings.port = sim.comName();
    settings.baud = 1200;  // the transfers run at 19200 whatever the record says
    return settings;
}

// The port is free again: the worker closed it.
bool portIsFree(const QString &comName)
{
    DeviceLink link;
    return link.open(comName, LinkSetup::download());
}

QByteArray blockHex(const QByteArray &memory, int address)
{
    return memory.mid(address, 16).toHex().toUpper();
}

} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private slots:
    void downloadWritesEveryItem();
    void downloadSendsRejectedItemsAgain();
    void downloadFailures();
    void downloadStopsOnEscape();
    void readOutCollectsTheBlocks();
    void readOutFailureKeepsTheRows();
    void readOutStopsOnEscape();
};

void TestTransfers::downloadWritesEveryItem()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    const QByteArray before = sim->memory();

    const QStringList addr = {"w0005", "w0010", "w0020", "w02FE", "w0200", "w0009"};
    const QStringList data = {"0102", "ab#", "#", "ff", "01060a05", "AA"};
    dload d(settingsFor(sim), addr, data);
    QCOMPARE(d.windowTitle(), QStringLiteral("Betöltés"));
    QCOMPARE(labelText(d, "kiiras"), QStringLiteral("Betöltés folyamatban..."));
    QVERIFY(!ended(d));
    d.show();

    QTRY_VERIFY_WITH_TIMEOUT(ended(d), 5000);
    QElapsedTimer sinceResult;
    sinceResult.start();
    QCOMPARE(labelText(d, "kiiras"), QStringLiteral("Success!"));
    QVERIFY(showsOnlyOk(d));
    QCOMPARE(bar(d)->minimum(), 1);
    QCOMPARE(bar(d)->value(), bar(d)->maximum());
    QCOMPARE(bar(d)->maximum(), 6);

    // Handshake, the items as hex text in list order, then ESC.
    QCOMPARE(sim->received(), QByteArray("!w000541314132\rw0010616200\rw002000\rw02FEFF\r"
                                         "w020001060A05\rw00094141\r")
                                  + Esc);
    QByteArray expected = before;
    expected.replace(0x005, 4, QByteArray::fromHex("41314132"));
    expected.replace(0x010, 3, QByteArray::fromHex("616200"));
    expected.replace(0x020, 1, QByteArray::fromHex("00"));
    expected.replace(0x2FE, 1, QByteArray::fromHex("FF"));
    expected.replace(0x200, 4, QByteArray::fromHex("01060A05"));
    expected.replace(0x009, 2, QByteArray::fromHex("4141"));
    QCOMPARE(sim->memory(), expected);

    // The window's close button does nothing; the dialog closes itself.
    QVERIFY(!d.close());
    QVERIFY(d.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 4000);
    QVERIFY2(sinceResult.elapsed() >= 1800, qPrintable(QString::number(sinceResult.elapsed())));
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestTransfers::downloadSendsRejectedItemsAgain()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->rejectItem(1, 2);

    dload d(settingsFor(sim), {"w0100", "w0110", "w0120"}, {"1#", "2#", "3#"});
    d.show();
    QTRY_VERIFY_WITH_TIMEOUT(ended(d), 5000);
    QCOMPARE(labelText(d, "kiiras"), QStringLiteral("Success!"));
    // Five lines went out for three items; the bar stays full.
    QCOMPARE(sim->received().count("w0110"), 3);
    QCOMPARE(bar(d)->value(), 3);
    QCOMPARE(sim->memory().mid(0x110, 2), QByteArray::fromHex("3200"));

    // Ok ends the dialog at once.
    buttons(d)->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestTransfers::downloadFailures()
{
    const QString failure = QStringLiteral("Download error.\nTip: Check device and port settings.");
    DebugCapture debug;

    {
        // A third '?' for one item.
        SimPort sim;
        QVERIFY(sim.isReady());
        sim->rejectItem(1, 3);
        dload d(settingsFor(sim), {"w0100", "w0110", "w0120"}, {"1#", "2#", "3#"});
        d.show();
        QTRY_VERIFY_WITH_TIMEOUT(ended(d), 5000);
        QCOMPARE(labelText(d, "kiiras"), failure);
        QVERIFY(showsOnlyOk(d));
        QVERIFY(!d.close());
        QCOMPARE(sim->received().count("w0110"), 3);
        QVERIFY(!sim->received().contains("w0120"));
        QVERIFY(!sim->received().endsWith(Esc));  // no ESC after a failure
        QVERIFY(debug.lines().contains(QStringLiteral("download error")));
        QVERIFY(portIsFree(sim.comName()));
    }
    {
        // No such port.
        debug.clear();
        PortSettings settings;
        settings.port = QStringLiteral("COM31");
        PortFolder emptyFolder;
        dload d(settings, {"w0100"}, {"1#"});
        d.show();
        QTRY_VERIFY_WITH_TIMEOUT(ended(d), 5000);
        QCOMPARE(labelText(d, "kiiras"), failure);
        QCOMPARE(debug.lines(), QStringList{"unable to open comport"});
    }
    {
        // A device that never answers '!': three tries, about 6 s.
        debug.clear();
        SimPort sim;
        QVERIFY(sim.isReady());
        sim->setSilent(true);
        dload d(settingsFor(sim), {"w0100"}, {"1#"});
        d.show();
        QTRY_VERIFY_WITH_TIMEOUT(ended(d), 10000);
        QCOMPARE(labelText(d, "kiiras"), failure);
        QCOMPARE(sim->received(), QByteArray("!") + Esc + "!" + Esc + "!");
        QCOMPARE(debug.lines(), QStringList{"init: no response"});
    }
}

void TestTransfers::downloadStopsOnEscape()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setBaud(300);  // about 30 bytes a second: the list takes many seconds

    QStringList addr, data;
    for (int i = 0; i < 20; ++i) {
        addr << QStringLiteral("w01%1").arg(i * 4, 2, 16, QLatin1Char('0')).toUpper();
        data << QStringLiteral("abc#");
    }
    auto d = std::make_unique<dload>(settingsFor(sim), addr, data);
    d->show();
    QVERIFY(sim->waitForReceived(12, 5000));  // into the first item lines

    QTest::keyClick(d.get(), Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));

    QElapsedTimer clock;
    clock.start();
    d.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(portIsFree(sim.comName()));
    QVERIFY(sim->itemsAccepted() < 20);
}

void TestTransfers::readOutCollectsTheBlocks()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    QByteArray memory = sim->memory();
    memory.replace(0x010, 16, QByteArray(16, 'a'));
    memory.replace(0x020, 16, QByteArray(16, 'b'));
    sim->setMemory(memory);

    PortSettings settings = settingsFor(sim);
    settings.readRows = QStringList{"old"};
    upload d(&settings);
    QCOMPARE(d.windowTitle(), QStringLiteral("Kiolvasás"));
    QCOMPARE(labelText(d, "msg"), QStringLiteral("Kiolvasás...\nKérem várjon!"));
    d.show();
    QTRY_VERIFY_WITH_TIMEOUT(ended(d), 10000);
    QElapsedTimer sinceResult;
    sinceResult.start();

    QCOMPARE(labelText(d, "msg"), QStringLiteral("Success!"));
    QVERIFY(showsOnlyOk(d));
    QCOMPARE(bar(d)->minimum(), 0);
    QCOMPARE(bar(d)->maximum(), 21);
    QCOMPARE(bar(d)->value(), 21);

    QByteArray wire("!");
    for (const char *command : {"r0000", "r0020", "r0010", "r0030", "r00C0", "r00D0", "r00E0", "r0100",
                                "r0110", "r0120", "r0140", "r0150", "r0160", "r0170", "r0180", "r0190",
                                "r0200", "r0210", "r0220", "r0230", "r02F0", "r0300"})
        wire += QByteArray(command) + '\r';
    QCOMPARE(sim->received(), wire + Esc);

    QCOMPARE(settings.readRows.size(), 21);
    QCOMPARE(settings.readRows.at(0), QString::fromLatin1(blockHex(memory, 0x000)));
    // 0x010 in front of 0x020, though 0x020 was asked first.
    QCOMPARE(settings.readRows.at(1), QString::fromLatin1(blockHex(memory, 0x010) + blockHex(memory, 0x020)));
    QCOMPARE(settings.readRows.at(2), QString::fromLatin1(blockHex(memory, 0x030)));
    QCOMPARE(settings.readRows.at(19), QString::fromLatin1(blockHex(memory, 0x2F0)));
    QCOMPARE(settings.readRows.at(20), QString::fromLatin1(blockHex(memory, 0x300)));

    QVERIFY(!d.close());
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 4000);
    QVERIFY(sinceResult.elapsed() >= 1800);
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

void TestTransfers::readOutFailureKeepsTheRows()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    // An answer of exactly "-1" fails the read-out, though every command was answered.
    sim->failRead(0x150);
    DebugCapture debug;

    PortSettings settings = settingsFor(sim);
    settings.readRows = QStringList{"old"};
    upload d(&settings);
    d.show();
    QTRY_VERIFY_WITH_TIMEOUT(ended(d), 10000);
    QCOMPARE(labelText(d, "msg"), QStringLiteral("Read error.\nTip: check device and port settings."));
    QVERIFY(showsOnlyOk(d));
    QCOMPARE(settings.readRows, QStringList{"old"});
    QVERIFY(sim->received().contains("r0300\r"));
    QVERIFY(sim->received().endsWith(Esc));
    QCOMPARE(debug.lines(), QStringList{"21"});

    buttons(d)->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!d.isVisible());
}

void TestTransfers::readOutStopsOnEscape()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim->setBaud(300);

    PortSettings settings = settingsFor(sim);
    settings.readRows = QStringList{"old"};
    auto d = std::make_unique<upload>(&settings);
    d->show();
    QVERIFY(sim->waitForReceived(8, 5000));

    QTest::keyClick(d.get(), Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QElapsedTimer clock;
    clock.start();
    d.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(portIsFree(sim.comName()));
    QCOMPARE(settings.readRows, QStringList{"old"});
    QVERIFY(!sim->received().contains("r0300"));
}

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
