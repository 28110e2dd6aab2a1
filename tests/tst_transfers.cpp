// The two transfer dialogs and their workers against the simulated device:
// bytes on the wire, progress, closing, and Escape during a transfer; the line
// speed and read time-out of these and of the factory-image writer. The
// result texts themselves are pinned by tst_downloadreadout and the _hu suite.

#include "debugcapture.h"
#include "devicelink.h"
#include "dload.h"
#include "eventwatch.h"
#include "frwriter.h"
#include "portsettings.h"
#include "receiptgap.h"
#include "simport.h"
#include "timing.h"
#include "upload.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QByteArray Esc("\x1b");

QDialogButtonBox *buttons(QDialog &d)
{
    return d.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
}

QString labelText(QDialog &d)
{
    const QLabel *label = d.findChild<QLabel *>(QStringLiteral("kiiras"));  // dload; upload has "msg"
    return (label ? label : d.findChild<QLabel *>(QStringLiteral("msg")))->text();
}

// "minimum..maximum: value" of the progress bar.
QString progress(QDialog &d)
{
    const auto *bar = d.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    return QStringLiteral("%1..%2: %3").arg(bar->minimum()).arg(bar->maximum()).arg(bar->value());
}

// Shows the dialog and waits for the transfer's end; true when only Ok is offered then.
bool runToEnd(QDialog &d)
{
    d.show();
    if (!QTest::qWaitFor([&d] { return buttons(d)->isEnabled(); }, MustComeMs))
        return false;
    const QList<QAbstractButton *> all = buttons(d)->buttons();
    return all.size() == 1 && all.first() == buttons(d)->button(QDialogButtonBox::Ok);
}

} // namespace

class TestTransfers : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { sim.reset(); }

    void download_data();
    void download();
    void readOut();
    void escapeStopsTheWorker_data();
    void escapeStopsTheWorker();
    void lineSetup_data();
    void lineSetup();

private:
    SimDevice &dev() { return sim->device(); }
    // The worker closed the port: it opens again at once.
    bool portIsFree()
    {
        DeviceLink link;
        return link.open(sim->comName(), LinkSetup::download());
    }

    std::unique_ptr<SimPort> sim;
    PortSettings settings;
};

void TestTransfers::init()
{
    sim = std::make_unique<SimPort>();
    QVERIFY(sim->isReady());
    settings = PortSettings();
    settings.port = sim->comName();
    settings.baud = 1200;  // the transfers run at 19200 whatever the record says
    settings.readRows = QStringList{"old"};
}

void TestTransfers::download_data()
{
    QTest::addColumn<int>("items");       // the first three as below, then text items
    QTest::addColumn<int>("doubled");     // the item answered "OO" (-1: none)
    QTest::addColumn<int>("rejected");    // the item answered '?'
    QTest::addColumn<int>("rejections");  // how many times
    QTest::newRow("'?' twice") << 3 << -1 << 1 << 2;
    QTest::newRow("'?' three times") << 3 << -1 << 1 << 3;
    // The second 'O' is waiting when the next line goes out: it must not
    // pass for that line's answer, or the '?' for the 20th item would be
    // taken for the 21st and the 20th never sent again.
    QTest::newRow("'O' twice for the 5th, '?' for the 20th") << 21 << 4 << 19 << 1;
}

void TestTransfers::download()
{
    QFETCH(int, items);
    QFETCH(int, doubled);
    QFETCH(int, rejected);
    QFETCH(int, rejections);
    const bool accepted = rejections < 3;
    QStringList rowAddr{"w0005", "w0010", "w02FE"};
    QStringList rowData{"0102", "ab#", "ff"};
    QList<QByteArray> lines{"w000541314132\r", "w0010616200\r", "w02FEFF\r"};
    for (int i = rowAddr.size(); i < items; ++i) {
        const QByteArray head = "w" + QByteArray::number(0x040 + 16 * i, 16).toUpper().rightJustified(4, '0');
        rowAddr << QString::fromLatin1(head);
        rowData << QStringLiteral("%1#").arg(QChar('a' + i));
        lines << head + QByteArray(1, char('a' + i)).toHex().toUpper() + "00\r";
    }
    if (doubled >= 0)
        dev().answerItem(doubled, "OO");
    dev().rejectItem(rejected, rejections);
    DebugCapture debug;
    dload d(settings, rowAddr, rowData);
    QCOMPARE(labelText(d), QStringLiteral("Betöltés folyamatban..."));
    QVERIFY(runToEnd(d));
    QCOMPARE(labelText(d) == QLatin1String("Success!"), accepted);

    // Handshake, the items as hex text in list order, the rejected one once
    // more for each '?' (three sendings at most); then ESC, or after a third
    // '?' nothing more at all.
    QByteArray expected = "!";
    for (int i = 0; i < (accepted ? items : rejected + 1); ++i)
        expected += lines.at(i).repeated(i == rejected ? qMin(rejections + 1, 3) : 1);
    QCOMPARE(receivedInAll(dev()), expected + (accepted ? Esc : QByteArray()));
    QCOMPARE(dev().itemsAccepted(), accepted ? items : rejected);
    for (int i = 3; accepted && i < items; ++i)
        QCOMPARE(dev().memory().mid(0x040 + 16 * i, 2), QByteArray(1, char('a' + i)) + '\0');
    QCOMPARE(debug.lines(), accepted ? QStringList() : QStringList{"download error"});
    QVERIFY(portIsFree());
    // Every line sent is a step, yet the bar ends full.
    if (accepted)
        QCOMPARE(progress(d), QStringLiteral("1..%1: %1").arg(items));

    // The window's close button does nothing; Ok ends the dialog at once.
    QVERIFY(!d.close());
    buttons(d)->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!d.isVisible());
}

void TestTransfers::readOut()
{
    upload d(&settings);
    QCOMPARE(labelText(d), QStringLiteral("Kiolvasás...\nKérem várjon!"));
    // From the call that shows the outcome to the one that closes the
    // dialog, however late the waits below notice them.
    Stamp shown, closed;
    const EventWatch watch(buttons(d), QEvent::EnabledChange, [&shown, &d](QObject *, QEvent *) {
        if (buttons(d)->isEnabled() && shown == Stamp())
            shown = stampNow();
    });
    connect(&d, &QDialog::finished, [&closed] { closed = stampNow(); });
    QVERIFY(runToEnd(d));
    QCOMPARE(labelText(d), QStringLiteral("Success!"));
    QCOMPARE(progress(d), QStringLiteral("0..21: 21"));

    // 0x020 is asked before 0x010; the two answers form one row, 0x010 first.
    QByteArray wire("!");
    QStringList rows;
    for (const int address : {0x000, 0x020, 0x010, 0x030, 0x0C0, 0x0D0, 0x0E0, 0x100, 0x110, 0x120, 0x140,
                              0x150, 0x160, 0x170, 0x180, 0x190, 0x200, 0x210, 0x220, 0x230, 0x2F0, 0x300}) {
        wire += "r" + QByteArray::number(address, 16).rightJustified(4, '0').toUpper() + "\r";
        rows << QString::fromLatin1(dev().memory().mid(address, 16).toHex().toUpper());
    }
    rows[1] = rows.takeAt(2) + rows[1];
    QCOMPARE(receivedInAll(dev()), wire + Esc);
    QCOMPARE(settings.readRows, rows);

    // The close button does nothing; the dialog closes itself 2 s after a success.
    QVERIFY(!d.close());
    QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), MustComeMs);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    VERIFY_TIMING(keeps(msBetween(shown, closed), 2000));
}

void TestTransfers::escapeStopsTheWorker_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("download") << false;
    QTest::newRow("read-out") << true;
}

void TestTransfers::escapeStopsTheWorker()
{
    QFETCH(bool, readOut);
    // The device takes the first block's or item's line and stays silent:
    // Escape comes while the worker waits for the answer.
    std::unique_ptr<QDialog> d;
    QByteArray line;
    if (readOut) {
        dev().answerRead(0x000, QByteArray());
        d = std::make_unique<upload>(&settings);
        line = "!r0000\r";
    } else {
        dev().setSilentAfterItems(0);
        d = std::make_unique<dload>(settings, QStringList(20, "w0100"), QStringList(20, "abc#"));
        line = "!w010061626300\r";
    }
    d->show();
    QVERIFY(dev().waitForReceived(line.size(), MustComeMs));
    QCOMPARE(dev().received(), line);

    // Escape ends the dialog; destroying it stops the worker, which ends
    // within a read slice, not after its read, and closes the port, without ESC.
    const Stamp escape = stampNow();
    QTest::keyClick(d.get(), Qt::Key_Escape);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    d.reset();
    VERIFY_TIMING(isPrompt(msBetween(escape, stampNow())));
    QVERIFY(!receivedInAll(dev()).endsWith(Esc));
    QVERIFY(portIsFree());
    QCOMPARE(settings.readRows, QStringList{"old"});
}

void TestTransfers::lineSetup_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("readMs");  // the read time-out
    QTest::newRow("download") << 19200 << 2000;
    QTest::newRow("read-out") << 19200 << 1700;
    QTest::newRow("factory-image write") << 19200 << 2000;
}

void TestTransfers::lineSetup()
{
    QFETCH(int, baud);
    QFETCH(int, readMs);
    const QByteArray operation = QTest::currentDataTag();
    // The handshake's first '!' goes unanswered; the second try succeeds.
    ReceiptGap gap(dev(), 1);
    if (operation == "download") {
        dload d(settings, {"w0010"}, {"ab"});
        QVERIFY(runToEnd(d));
        QCOMPARE(labelText(d), QStringLiteral("Success!"));
    } else if (operation == "read-out") {
        upload d(&settings);
        QVERIFY(runToEnd(d));
        QCOMPARE(labelText(d), QStringLiteral("Success!"));
    } else {
        QWidget parent;
        QVERIFY(frWriter(settings, {"w0010"}, {"61 62"}, &parent).writeRows());
    }
    VERIFY_TIMING(ReceiptGap::isRead(gap.ms(), readMs));
    // The record's 1200 baud plays no part.
    QCOMPARE(dev().receivedSpeeds().keys(), QList<int>{baud});
    QCOMPARE(dev().receivedFormats().keys(), QList<QByteArray>{"8N1"});
}

QTEST_MAIN(TestTransfers)
#include "tst_transfers.moc"
