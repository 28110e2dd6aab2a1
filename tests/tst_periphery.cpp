// The three transfer dialogs that no menu opens: the text-image comparison
// (verify), the byte-wise block read-out (kiolvas) and the threaded row write
// (Factory), against the simulated device on the real serial layer: bytes on
// the wire, outcome, line speed and read time-out.

#include "debugcapture.h"
#include "devicelink.h"
#include "eventwatch.h"
#include "factory.h"
#include "kiolvas.h"
#include "portsettings.h"
#include "receiptgap.h"
#include "simport.h"
#include "timing.h"
#include "verify.h"
#include "vthread.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The progress bar ends full.
bool barIsFull(QDialog &d)
{
    const auto *bar = d.findChild<QProgressBar *>();
    return bar->value() == bar->maximum();
}

// Shows the dialog and waits until the outcome offers Ok, alone and
// enabled; the outcome's text.
QString runToEnd(QDialog &d)
{
    d.show();
    auto *box = d.findChild<QDialogButtonBox *>();
    if (!QTest::qWaitFor([box] { return box->button(QDialogButtonBox::Ok) != nullptr; }, MustComeMs)
        || box->buttons().size() != 1 || !box->isEnabled())
        return QStringLiteral("(no end with Ok alone)");
    const QLabel *label = d.findChild<QLabel *>(QStringLiteral("kiiras"));  // Factory; the others have "msg"
    return (label ? label : d.findChild<QLabel *>(QStringLiteral("msg")))->text();
}

// A form of line edits (the last eight carry the switch groups) and check
// boxes. The first four edits sit in a nested widget: the walk goes depth
// first in child order.
std::unique_ptr<QWidget> makeForm(const QStringList &texts, const QList<QPair<QString, bool>> &boxes = {})
{
    auto form = std::make_unique<QWidget>();
    auto *inner = new QWidget(form.get());
    for (int i = 0; i < texts.size(); ++i) {
        auto *edit = new QLineEdit(i < 4 ? inner : form.get());
        edit->setObjectName(QStringLiteral("e%1").arg(i));
        edit->setText(texts.at(i));
    }
    for (const auto &box : boxes) {
        auto *check = new QCheckBox(form.get());
        check->setProperty("group", box.first);
        check->setChecked(box.second);
    }
    return form;
}

QByteArray byteRequest(int address)
{
    return "\rc*br" + QByteArray::number(address, 16).rightJustified(4, '0') + '\r';
}

} // namespace

class TestPeriphery : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { sim.reset(); }

    void verifyImage();
    void verifyAgainstDevice_data();
    void verifyAgainstDevice();
    void blockReadOut_data();
    void blockReadOut();
    void factoryWrite_data();
    void factoryWrite();
    void stoppingEarly_data();
    void stoppingEarly();
    void lineSetup_data();
    void lineSetup();

private:
    SimDevice &dev() { return sim->device(); }

    std::unique_ptr<SimPort> sim;
    PortSettings settings;
};

void TestPeriphery::init()
{
    sim = std::make_unique<SimPort>();
    QVERIFY(sim->isReady());
    settings = PortSettings();
    settings.port = sim->comName();
    settings.serialTimeout = 300;  // the end of the verify answer is a silent read
    settings.readRows = QStringList{"old"};
}

void TestPeriphery::verifyImage()
{
    // Two plain fields (one too long, one "rele_time"), eight group fields.
    auto form = makeForm({"abcdefghijklmnopqrs", "7", "t1", "t2", "t3", "t4", "t5", "t6", "t7", "t8"},
                         {{"1.1", true}, {"1.3", true}, {"2.2", true}, {"4.1", false}, {"x.1", true},
                          {"16.5", true}, {"3.0", true}});
    form->findChild<QLineEdit *>("e1")->setObjectName("rele_time");
    DebugCapture debug;
    QString image;
    QVERIFY(vThread::buildImage(vThread::readForm(form.get()), '|', &image));
    QCOMPARE(debug.lines(), QStringList{"toInt error."});  // the "x.1" box
    QString expected = "abcdefghijklmnopqrs|" + QString("0007").leftJustified(16) + '|';
    for (const char *field : {"52t1", "00t2", "00t3", "00t4", "00t5", "00t6", "00t7", "016t8"})
        expected += '|' + QString(field).leftJustified(16);
    QCOMPARE(image, expected);

    // Only the plain fields must be device characters; U+00A4 is one. (A
    // plain field with another letter fails the verify: verifyAgainstDevice.)
    QStringList texts(16, QString::fromUtf8("a¤"));
    texts[12] = QString::fromUtf8("é");
    QVERIFY(vThread::buildImage(vThread::readForm(makeForm(texts).get()), ';', &image));
}

void TestPeriphery::verifyAgainstDevice_data()
{
    QTest::addColumn<QString>("firstField");
    QTest::addColumn<int>("changeAt");  // answer character changed, -1 none
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("matches");

    QTest::newRow("same image, longer answer") << "ALPHA" << -1 << '|' << true;
    QTest::newRow("differs in the last compared character") << "ALPHA" << 271 << '|' << false;
    QTest::newRow("line ends stand for '|' only") << "ALPHA" << -1 << ';' << false;
    QTest::newRow("non-ASCII field") << QString::fromUtf8("ÁLPHA") << -1 << '|' << false;
}

void TestPeriphery::verifyAgainstDevice()
{
    QFETCH(QString, firstField);
    QFETCH(int, changeAt);
    QFETCH(char, separator);
    QFETCH(bool, matches);

    QStringList texts(16, "field");
    texts[0] = firstField;
    auto form = makeForm(texts);

    // The device holds the image the form makes (without the non-ASCII
    // letter) and sends more. It pads with 0xFF and ends its lines with
    // CR LF, LF or CR.
    texts[0] = "ALPHA";
    QString deviceText;
    QVERIFY(vThread::buildImage(vThread::readForm(makeForm(texts).get()), '|', &deviceText));
    QCOMPARE(deviceText.size(), 272);
    deviceText += "tail|";
    if (changeAt >= 0)
        deviceText[changeAt] = '#';
    QByteArray answer;
    int separators = 0;
    for (const QChar c : deviceText) {
        if (c == '|')
            answer += QList<QByteArray>{"\r\n", "\n", "\r"}.at(separators++ % 3);
        else
            answer += c == ' ' ? char(0xFF) : char(c.unicode());
    }
    dev().setTextImage(answer);
    dev().setUploadCommand('#');
    settings.uploadCommand = '#';
    settings.downloadSeparator = separator;

    verify d(settings, form.get());
    QCOMPARE(runToEnd(d), matches ? QString::fromUtf8("Sikeres ellenőrzés.")
                                  : QString::fromUtf8("Hiba az ellenőrzés közben.\nEllenzőrizze az eszközt, "
                                                      "majd töltse be újra az adatokat az eszközbe."));
    // No handshake; a form the device cannot take never opens the port.
    QCOMPARE(receivedInAll(dev()), firstField == "ALPHA" ? QByteArray("~#") : QByteArray());
    if (matches)  // the bar follows the answer
        QCOMPARE(d.findChild<QProgressBar *>()->value(), int(answer.size()));
}

void TestPeriphery::blockReadOut_data()
{
    QTest::addColumn<int>("missedPrompts");  // in a row, at the first block
    QTest::newRow("every block read") << 0;
    QTest::newRow("five missed prompts") << 5;
}

void TestPeriphery::blockReadOut()
{
    QFETCH(int, missedPrompts);
    const bool failed = missedPrompts >= 5;

    // Mostly zeros, so most blocks end at their first byte.
    QByteArray memory(SimDevice::MemorySize, '\0');
    const auto put = [&memory](int at, QByteArrayView bytes) { memory.replace(at, bytes.size(), bytes); };
    put(0x0000, "\x12");
    put(0x0003, "\xff");
    put(0x0005, "4\x1f\xff" "2");  // text: unprintable bytes add nothing
    put(0x0030, "\xab\x01");        // hex: pairs up to the 0x00
    put(0x0035, "\x05\x06\x07");    // after a leading 0x00: not read
    put(0x0040, "Hello\x7f");
    put(0x00C8, "12345");           // a text block read to its end
    put(0x02FC, "~");
    dev().setMemory(memory);
    dev().missPrompts(missedPrompts, "busy\r\n");  // answered, but not with '>'
    dev().failByteRead(0x0000, 2);

    // Block starts in reading order, and how many bytes the blocks with data ask.
    QList<int> starts = {0x000, 0x002, 0x003, 0x005, 0x009, 0x00B, 0x010, 0x030, 0x034, 0x040, 0x080, 0x0C0,
                         0x0C8, 0x0D0, 0x0E0, 0x100, 0x110, 0x120, 0x140, 0x150, 0x160, 0x170, 0x180, 0x190};
    for (int start = 0x200; start <= 0x230; start += 4)
        starts << start;
    starts << 0x2F7 << 0x2F8 << 0x2FB << 0x2FC;
    const QMap<int, int> asked = {{0x005, 4}, {0x030, 3}, {0x040, 7}, {0x0C8, 5}};
    // The first block: five unanswered prompts, or two "Err" answers.
    QByteArray wire = failed ? QByteArray("\rc").repeated(5) : byteRequest(0x000).repeated(3);
    for (const int start : starts.mid(1)) {
        for (int address = start; address < start + asked.value(start, 1); ++address)
            wire += byteRequest(address);
    }
    QStringList rows(41);
    for (const auto &[block, row] : {std::pair(0, "12"), {2, "FF"}, {3, "42"}, {7, "AB01"}, {9, "Hello"},
                                     {12, "12345"}, {40, "7E"}})
        rows[block] = row;

    kiolvas d(&settings);
    QCOMPARE(runToEnd(d),
             failed ? QString::fromUtf8("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt,\n és a port beállítást.")
                    : QString::fromUtf8("Sikeres kiolvasás."));
    QCOMPARE(receivedInAll(dev()), wire);  // no handshake, no ESC; a failed block does not stop the rest
    QCOMPARE(settings.readRows, failed ? QStringList{"old"} : rows);
    // Blocks cut short still count in full.
    QVERIFY(failed || barIsFull(d));
}

void TestPeriphery::factoryWrite_data()
{
    QTest::addColumn<bool>("portOpens");
    QTest::newRow("written") << true;
    QTest::newRow("port does not open") << false;
}

void TestPeriphery::factoryWrite()
{
    QFETCH(bool, portOpens);
    if (!portOpens)
        settings.port = QStringLiteral("NOPORT");
    Factory d(settings, {"w0000", "w0010"}, {"ab 0c", "ff 00 e1", "unused"});
    QCOMPARE(runToEnd(d), portOpens ? QString::fromUtf8("Sikeres betöltés.")
                                    : QString::fromUtf8("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a port "
                                                        "beállítást, majd ismételje meg a betöltést."));
    if (!portOpens)
        return;
    // The rows without blanks, in upper case.
    QCOMPARE(receivedInAll(dev()), QByteArray("!w0000AB0C\rw0010FF00E1\r\x1b"));
    QCOMPARE(dev().memory().left(2) + dev().memory().mid(0x10, 3), QByteArray::fromHex("AB0CFF00E1"));
    QVERIFY(barIsFull(d));
}

void TestPeriphery::stoppingEarly_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("verify: Cancel") << false;
    QTest::newRow("block read-out: Escape") << true;
}

void TestPeriphery::stoppingEarly()
{
    QFETCH(bool, readOut);
    const auto form = makeForm(QStringList(16, "a"));
    settings.serialTimeout = 20000;  // verify: no image comes, the read waits this long
    dev().setSilent(true);
    std::unique_ptr<QDialog> d(readOut ? static_cast<QDialog *>(new kiolvas(&settings))
                                       : new verify(settings, form.get()));
    d->show();
    // The first request is out ("~{", or CR and 'c' asking for a prompt):
    // the worker waits for its answer.
    QVERIFY(dev().waitForReceived(2, MustComeMs));
    // Neither rate is a common one for a pty; both must reach the line.
    QCOMPARE(dev().lineSpeed(), readOut ? 28800 : 1200);

    // The read-out shows its Cancel disabled; verify's works.
    auto *box = d->findChild<QDialogButtonBox *>();
    QCOMPARE(box->isEnabled(), !readOut);
    const Stamp stop = stampNow();
    if (readOut)
        QTest::keyClick(d.get(), Qt::Key_Escape);
    else
        box->button(QDialogButtonBox::Cancel)->click();
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    // The worker ends within a read slice, not after its read (the record's
    // time-out, or the read-out's 1700 ms), and closes the port.
    d.reset();
    VERIFY_TIMING(isPrompt(msBetween(stop, stampNow())));
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), LinkSetup::download()));
    QCOMPARE(settings.readRows, QStringList{"old"});
}

void TestPeriphery::lineSetup_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("readMs");  // the read time-out
    QTest::newRow("verify") << 1200 << 700;  // the record's time-out
    QTest::newRow("block read-out") << 28800 << 1700;
    QTest::newRow("threaded factory write") << 19200 << 2000;
}

void TestPeriphery::lineSetup()
{
    QFETCH(int, baud);
    QFETCH(int, readMs);
    const QByteArray operation = QTest::currentDataTag();
    settings.serialTimeout = 700;
    const auto form = makeForm(QStringList(16, "a"));
    qint64 waited = -1;
    QMap<int, int> speeds;
    QMap<QByteArray, int> formats;
    if (operation == "verify") {
        // No image comes: the answer is one silent read, from the device
        // taking the upload command ("~{") to the outcome, whose Ok button
        // takes the place of Cancel.
        dev().setSilent(true);
        verify d(settings, form.get());
        Stamp shown;
        const EventWatch watch(d.findChild<QDialogButtonBox *>(), QEvent::ChildAdded, [&shown](QObject *, QEvent *e) {
            if (static_cast<QChildEvent *>(e)->child()->isWidgetType() && shown == Stamp())
                shown = stampNow();
        });
        QVERIFY(runToEnd(d).startsWith(QStringLiteral("Hiba")));
        waited = msBetween(dev().receivedAt(1), shown);
        speeds = dev().receivedSpeeds();
        formats = dev().receivedFormats();
    } else {
        // The first prompt request (CR, 'c') or the handshake's first '!'
        // goes unanswered; the next request starts after one read.
        const bool readOut = operation == "block read-out";
        ReceiptGap gap(dev(), readOut ? 2 : 1);
        std::unique_ptr<QDialog> d(readOut ? static_cast<QDialog *>(new kiolvas(&settings))
                                           : new Factory(settings, {"w0010"}, {"61 62"}));
        waited = gap.ms();
        // The write runs to its end; the read-out, with hundreds of bytes to
        // go, still holds the port when its speeds are taken and is then stopped.
        if (!readOut)
            QCOMPARE(runToEnd(*d), QString::fromUtf8("Sikeres betöltés."));
        speeds = dev().receivedSpeeds();
        formats = dev().receivedFormats();
    }
    VERIFY_TIMING(ReceiptGap::isRead(waited, readMs));
    QCOMPARE(speeds.keys(), QList<int>{baud});
    QCOMPARE(formats.keys(), QList<QByteArray>{"8N1"});
}

QTEST_MAIN(TestPeriphery)
#include "tst_periphery.moc"
