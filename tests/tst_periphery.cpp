// The three transfer dialogs that no menu opens: the text-image comparison
// (verify), the byte-wise block read-out (kiolvas) and the threaded row write
// (Factory), against the simulated device on the real serial layer.

#include "debugcapture.h"
#include "devicelink.h"
#include "factory.h"
#include "kiolvas.h"
#include "portsettings.h"
#include "simport.h"
#include "verify.h"
#include "vthread.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
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
    const QLabel *label = d.findChild<QLabel *>(QStringLiteral("kiiras"));  // Factory; the others have "msg"
    return (label ? label : d.findChild<QLabel *>(QStringLiteral("msg")))->text();
}

// "minimum..maximum: value" of the progress bar.
QString progress(QDialog &d)
{
    const auto *bar = d.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    return QStringLiteral("%1..%2: %3").arg(bar->minimum()).arg(bar->maximum()).arg(bar->value());
}

// Shows the dialog and waits until the outcome offers Ok, alone and enabled.
bool runToEnd(QDialog &d, int timeoutMs = 15000)
{
    d.show();
    if (!QTest::qWaitFor([&d] { return buttons(d)->button(QDialogButtonBox::Ok) != nullptr; }, timeoutMs))
        return false;
    return buttons(d)->buttons().size() == 1 && buttons(d)->isEnabled();
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

// The image of sixteen fields without switch groups, '|' separated.
QString plainImage(const QStringList &texts)
{
    QString image;
    for (int i = 0; i < 8; ++i)
        image += texts.at(i).leftJustified(16) + '|';
    for (int i = 8; i < 16; ++i)
        image += '|' + ("00" + texts.at(i)).leftJustified(16);
    return image;
}

// Addresses of the byte-wise read-out in the order asked, with the entry
// each block yields: hex pairs, or in text mode the printable bytes; a 0x00
// ends a block.
struct Walk
{
    QList<int> addresses;
    QStringList rows;
};

Walk walkBlocks(const QByteArray &memory)
{
    struct B { int start, count; bool text; };
    QList<B> blocks = {{0x0000, 1, false}, {0x0002, 1, false}, {0x0003, 1, false}, {0x0005, 4, true},
                       {0x0009, 2, true},  {0x000B, 3, true},  {0x0010, 32, true}, {0x0030, 4, false},
                       {0x0034, 4, false}, {0x0040, 64, true}, {0x0080, 64, true}, {0x00C0, 5, true},
                       {0x00C8, 5, true}};
    for (const int start : {0x0D0, 0x0E0, 0x100, 0x110, 0x120, 0x140, 0x150, 0x160, 0x170, 0x180, 0x190})
        blocks.append({start, 16, true});
    for (int start = 0x200; start <= 0x230; start += 4)
        blocks.append({start, 4, true});
    for (const int start : {0x2F7, 0x2F8, 0x2FB, 0x2FC})
        blocks.append({start, 1, false});

    Walk walk;
    for (const B &b : blocks) {
        QString row;
        for (int a = b.start; a < b.start + b.count; ++a) {
            walk.addresses.append(a);
            const uchar byte = uchar(memory.at(a));
            if (byte == 0)
                break;
            if (!b.text)
                row += QString::asprintf("%02X", byte);
            else if (byte >= 0x20 && byte <= 0x7E)
                row += QChar(byte);
        }
        walk.rows.append(row);
    }
    return walk;
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

    void lineSpeeds();
    void verifyImage();
    void verifyAgainstDevice_data();
    void verifyAgainstDevice();
    void blockReadOut();
    void blockReadOutMissesPrompts();
    void factoryWrite_data();
    void factoryWrite();
    void stoppingEarly_data();
    void stoppingEarly();

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

void TestPeriphery::init()
{
    sim = std::make_unique<SimPort>();
    QVERIFY(sim->isReady());
    settings = PortSettings();
    settings.port = sim->comName();
    settings.serialTimeout = 300;  // the end of the verify answer is a silent read
    settings.readRows = QStringList{"old"};
}

void TestPeriphery::lineSpeeds()
{
    // Neither rate is a common one for a pty; both must reach the line.
    DeviceLink link;
    QVERIFY(link.open(sim->comName(), LinkSetup::verify(300)));
    QCOMPARE(dev().lineSpeed(), 1200);
    QVERIFY(link.open(sim->comName(), LinkSetup::blockReadOut()));
    QCOMPARE(dev().lineSpeed(), 28800);
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
    QCOMPARE(debug.lines(), QStringList{"toInt error."});
    const QString expected = "abcdefghijklmnopqrs|" + QString("0007").leftJustified(16) + '|'
                             + '|' + QString("52t1").leftJustified(16) + '|' + QString("00t2").leftJustified(16)
                             + '|' + QString("00t3").leftJustified(16) + '|' + QString("00t4").leftJustified(16)
                             + '|' + QString("00t5").leftJustified(16) + '|' + QString("00t6").leftJustified(16)
                             + '|' + QString("00t7").leftJustified(16) + '|' + QString("016t8").leftJustified(16);
    QCOMPARE(image, expected);

    // Only the plain fields must be device characters; U+00A4 is one.
    QStringList texts(16, "a");
    texts[3] = QString::fromUtf8("a¤");
    texts[12] = QString::fromUtf8("é");
    QVERIFY(vThread::buildImage(vThread::readForm(makeForm(texts).get()), ';', &image));
    texts[3] = QString::fromUtf8("é");
    QVERIFY(!vThread::buildImage(vThread::readForm(makeForm(texts).get()), ';', &image));
}

void TestPeriphery::verifyAgainstDevice_data()
{
    QTest::addColumn<QString>("firstField");
    QTest::addColumn<int>("changeAt");  // answer character changed, -1 none
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("matches");

    QTest::newRow("same image") << "ALPHA" << -1 << '|' << true;
    QTest::newRow("differs in the last compared character") << "ALPHA" << 271 << '|' << false;
    QTest::newRow("differs after 272 characters") << "ALPHA" << 275 << '|' << true;
    QTest::newRow("line ends stand for '|' only") << "ALPHA" << -1 << ';' << false;
    QTest::newRow("non-ASCII field") << QString::fromUtf8("ÁLPHA") << -1 << '|' << false;
}

void TestPeriphery::verifyAgainstDevice()
{
    QFETCH(QString, firstField);
    QFETCH(int, changeAt);
    QFETCH(char, separator);
    QFETCH(bool, matches);

    QStringList texts = {firstField, "0123", "x", "", "SIM", "apn.example", "7", "8",
                         "g1", "g2", "", "g4", "g5", "g6", "g7", "g8"};
    auto form = makeForm(texts);

    // The device pads with 0xFF and ends its lines with CR LF, LF or CR;
    // it sends more than is compared.
    QString deviceText = plainImage(texts) + "tail|";
    deviceText[0] = 'A';  // the device never holds the non-ASCII letter
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
    QCOMPARE(d.windowTitle(), QString::fromUtf8("Ellenőrzés"));
    QCOMPARE(labelText(d), QString::fromUtf8("Ellenőrzés..."));
    QVERIFY(buttons(d)->button(QDialogButtonBox::Cancel)->isEnabled());
    QVERIFY(runToEnd(d));

    if (matches) {
        QCOMPARE(labelText(d), QString::fromUtf8("Sikeres ellenőrzés."));
        QCOMPARE(progress(d), QStringLiteral("0..748: %1").arg(answer.size()));
    } else {
        QCOMPARE(labelText(d), QString::fromUtf8("Hiba az ellenőrzés közben.\nEllenzőrizze az eszközt, "
                                                 "majd töltse be újra az adatokat az eszközbe."));
    }
    // No handshake; a form the device cannot take never opens the port.
    QCOMPARE(dev().received(), firstField == "ALPHA" ? QByteArray("~#") : QByteArray());
    QVERIFY(!d.close());
    QVERIFY(portIsFree());
}

void TestPeriphery::blockReadOut()
{
    // Mostly zeros, so most blocks end at their first byte.
    QByteArray memory(SimDevice::MemorySize, '\0');
    memory[0x0000] = char(0x12);
    memory[0x0003] = char(0xFF);
    const auto put = [&memory](int at, const char *bytes, int count) {
        memory.replace(at, count, QByteArray(bytes, count));
    };
    put(0x0005, "4\x1f\xff" "2", 4);  // text: unprintable bytes add nothing
    put(0x0030, "\xab\x01\x00", 3);   // hex: pairs up to the 0x00
    put(0x0034, "\x00\x05\x06\x07", 4);
    put(0x0040, "Hello\x7f", 6);
    put(0x00C8, "12345", 5);          // a text block read to its end
    memory[0x02FC] = char(0x7E);
    dev().setMemory(memory);
    dev().missPrompts(1, "busy\r\n");  // answered, but not with '>'
    dev().failByteRead(0x0000, 2);

    const Walk walk = walkBlocks(memory);
    QCOMPARE(walk.rows.size(), 41);
    QByteArray wire = "\rc" + byteRequest(0x0000).repeated(3);  // a missed prompt, two "Err" answers
    for (int i = 1; i < walk.addresses.size(); ++i)
        wire += byteRequest(walk.addresses.at(i));

    kiolvas d(&settings);
    QCOMPARE(d.size(), QSize(320, 180));
    QCOMPARE(labelText(d), QString::fromUtf8("Kiolvasás...\n Kérem várjon!"));
    QVERIFY(!buttons(d)->isEnabled());
    QVERIFY(runToEnd(d, 30000));
    QCOMPARE(labelText(d), QString::fromUtf8("Sikeres kiolvasás."));
    QCOMPARE(dev().received(), wire);  // no handshake, no ESC
    QCOMPARE(settings.readRows, walk.rows);
    QCOMPARE(settings.readRows.mid(0, 4), (QStringList{"12", "", "FF", "42"}));
    // Blocks cut short still count in full: the bar ends full.
    QCOMPARE(progress(d), QStringLiteral("0..418: 418"));
    QVERIFY(portIsFree());
}

void TestPeriphery::blockReadOutMissesPrompts()
{
    // The first block gets no prompt five times: "-1", yet the others are read.
    QByteArray memory(SimDevice::MemorySize, '\0');
    dev().setMemory(memory);
    dev().missPrompts(5);
    DebugCapture debug;
    kiolvas d(&settings);
    QVERIFY(runToEnd(d, 30000));
    QCOMPARE(labelText(d), QString::fromUtf8("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt,\n és a port beállítást."));
    QVERIFY(dev().received().startsWith(QByteArray("\rc").repeated(5) + byteRequest(0x0002)));
    QVERIFY(dev().received().endsWith(byteRequest(0x02FC)));
    QCOMPARE(settings.readRows, QStringList{"old"});
    QCOMPARE(debug.lines(), QStringList{"41"});
}

void TestPeriphery::factoryWrite_data()
{
    QTest::addColumn<QStringList>("rowAddr");
    QTest::addColumn<int>("rejections");  // '?' answers to the second row
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QStringList>("diagnostics");

    const QStringList two = {"w0000", "w0010"};
    QTest::newRow("accepted after two '?'")
        << two << 2 << "!w0000AB0C\r" + QByteArray("w0010FF00E1\r").repeated(3) + Esc << "1..2: 2" << QStringList();
    QTest::newRow("third '?'") << two << 3 << "!w0000AB0C\r" + QByteArray("w0010FF00E1\r").repeated(3)
                               << "1..2: 2" << QStringList{"download error"};
    QTest::newRow("no rows") << QStringList() << 0 << "!" + Esc << "1..1: 0" << QStringList();
}

void TestPeriphery::factoryWrite()
{
    QFETCH(QStringList, rowAddr);
    QFETCH(int, rejections);
    QFETCH(QByteArray, wire);
    QFETCH(QString, bar);
    QFETCH(QStringList, diagnostics);

    dev().rejectItem(1, rejections);
    DebugCapture debug;
    Factory d(settings, rowAddr, {"ab 0c", "ff 00 e1", "unused"});
    QCOMPARE(d.windowTitle(), QString::fromUtf8("Gyári beállítások visszatöltése"));
    QCOMPARE(labelText(d), QString::fromUtf8("Betöltés folyamatban..."));
    QVERIFY(!buttons(d)->isEnabled());
    QVERIFY(runToEnd(d));

    const bool ok = diagnostics.isEmpty();
    QCOMPARE(labelText(d), ok ? QString::fromUtf8("Sikeres betöltés.")
                              : QString::fromUtf8("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a port "
                                                  "beállítást, majd ismételje meg a betöltést."));
    QCOMPARE(dev().received(), wire);
    QCOMPARE(progress(d), bar);
    QCOMPARE(debug.lines(), diagnostics);
    if (ok && !rowAddr.isEmpty())
        QCOMPARE(dev().memory().mid(0x10, 3), QByteArray("\xff\x00\xe1", 3));
    QVERIFY(!d.close());
    QVERIFY(portIsFree());
}

void TestPeriphery::stoppingEarly_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("verify: Cancel while the device is silent") << false;
    QTest::newRow("block read-out: Escape during endless \"Err\"") << true;
}

void TestPeriphery::stoppingEarly()
{
    QFETCH(bool, readOut);
    std::unique_ptr<QDialog> d;
    const auto form = makeForm(QStringList(16, "a"));
    if (readOut) {
        dev().failByteRead(0x0000, 1000000);
        d = std::make_unique<kiolvas>(&settings);
    } else {
        settings.serialTimeout = 20000;  // no image comes: the read waits this long
        d = std::make_unique<verify>(settings, form.get());
    }
    d->show();
    QVERIFY(dev().waitForReceived(readOut ? 40 : 2, 5000));

    if (readOut) {
        QVERIFY(!buttons(*d)->isEnabled());  // Cancel is offered but not usable
        QTest::keyClick(d.get(), Qt::Key_Escape);
    } else {
        buttons(*d)->button(QDialogButtonBox::Cancel)->click();
    }
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    // The worker ends within a read slice and closes the port.
    QElapsedTimer clock;
    clock.start();
    d.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(portIsFree());
    QCOMPARE(settings.readRows, QStringList{"old"});
}

QTEST_MAIN(TestPeriphery)
#include "tst_periphery.moc"
