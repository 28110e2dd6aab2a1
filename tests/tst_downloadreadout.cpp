// "Download into Device" and "Read from Device" end to end: the real main
// window, the real serial layer and the simulated device.

#include "debugcapture.h"
#include "filedialoganswerer.h"
#include "simport.h"
#include "startedwindow.h"
#include "transferdriver.h"
#include "ttycalls.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

namespace {

// A ".cfg" file that exercises every encoding: 16-character texts whose
// terminator spills into the next field, an ID with the digit 0, code digits
// 0, and the three channels GPRS on, SMS off, voice on.
QStringList fixture()
{
    return {
        "Other",                                                              // 1 hs_combo
        "102", "240", "0xC4 0xD7", "0x31 0x38", "0x34", "0x00", "0x04", "7", "12",  // 2-10 General
        "6601", "6609", "6205", "00", "000",                                  // 11-15
        "1606", "3606", "1700", "3700", "1651", "3651", "1652", "3652", "1653", "3653",  // 16-25
        "ABCDEFGHIJKLMNOP", "abcdefghijklmnop", "k2on", "K2OFF-16-chars-X", "k3on",
        "k3off-16-chars-Y",                                                   // 26-31 outputs
        "5", "4", "3",                                                        // 32-34 relay
        "apn.example.comX", "192.168.1.10", "10240", "10.0.0.1", "80",        // 35-39 GPRS
        "+363012345678901", "+3620", "", "200", "9",                          // 40-44 SMS
        "0612345678901234", "+3670",                                          // 45-46 voice
        "0", "1", "1", "0", "0", "1",                                         // 47-52 switches
    };
}
const int ApnLine = 34;

void put(QByteArray &memory, int address, const QByteArray &bytes)
{
    memory.replace(address, bytes.size(), bytes);
}

QByteArray text(const QByteArray &chars)
{
    return chars + '\0';
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// The device memory after the fixture (hscode 104, 255, 109, 810) has been
// written over erased memory, worked out by hand from the memory map.
QByteArray expectedImage(bool model800, const QByteArray &apn)
{
    QByteArray m(0x400, char(0xFF));
    put(m, 0x000, hex("03 04 F0 05 34"));
    put(m, 0x005, hex("41 31 41 32"));         // "0102", digit 0 as 0x41
    put(m, 0x009, hex("41 41 41 41 41"));
    put(m, 0x010, text(apn));                   // 16 characters: the terminator at 0x020,
    put(m, 0x020, hex("00"));                   // where the second item writes one anyway
    put(m, 0x030, hex("C0 A8 01 0A 0A 00 00 01"));
    put(m, 0x0C0, text("10240"));
    put(m, 0x0C8, text("80"));
    put(m, 0x0D0, "0612345678901234");
    put(m, 0x0E0, text("+3670"));               // overwrites voice1's terminator
    put(m, 0x100, "+363012345678901");
    put(m, 0x110, text("+3620"));
    put(m, 0x120, text(""));
    put(m, 0x140, "ABCDEFGHIJKLMNOP");
    put(m, 0x150, text("abcdefghijklmnop"));    // its terminator lands on 0x160
    if (model800) {
        put(m, 0x160, text("k2on"));
        put(m, 0x170, text("K2OFF-16-chars-X"));
        put(m, 0x180, text("k3on"));
        put(m, 0x190, text("k3off-16-chars-Y"));  // terminator in unused 0x1A0
        put(m, 0x200, hex("01 06 05 01 03 06 05 01 01 06 05 02 03 06 05 02"));
        put(m, 0x210, hex("01 06 05 03 03 06 05 03"));
        put(m, 0x220, hex("01 07 0A 0A 03 07 0A 0A"));
    }
    put(m, 0x218, hex("01 06 0A 06"));          // code digit 0 as 0x0A
    put(m, 0x228, hex("06 06 0A 01 06 06 0A 09 06 02 0A 05"));
    put(m, 0x2F7, hex("03 04"));
    put(m, 0x2FB, hex("09 C8 0A FF 0A 07 0C DC 08"));
    return m;
}

// Descriptors of this process that are open on a device path.
int descriptorsOn(const QString &path)
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : fds.entryList(QDir::Files | QDir::System))
        count += QFileInfo(fds.filePath(fd)).symLinkTarget() == path ? 1 : 0;
    return count;
}

// One "address: bytes" line per 16 bytes, so that a mismatch names its row.
QStringList hexRows(const QByteArray &memory)
{
    QStringList rows;
    for (int row = 0; row < memory.size(); row += 16)
        rows << QStringLiteral("%1: ").arg(row, 3, 16, QLatin1Char('0')) + memory.mid(row, 16).toHex(' ');
    return rows;
}

} // namespace

class TestDownloadReadout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void downloadWritesTheMemoryMap_data();
    void downloadWritesTheMemoryMap();
    void readOutFillsTheForm_data();
    void readOutFillsTheForm();
    void readOutSelectsChannelsAndPreset_data();
    void readOutSelectsChannelsAndPreset();
    void downloadThenReadOutReproducesTheForm();
    void failedTransfersChangeNothing();
    void failedReadOutsChangeNothing_data();
    void failedReadOutsChangeNothing();
    void valuesTooLongForTheirFieldsAreLeftOut();
    void everyByteLeavesBeforeThePortCloses_data();
    void everyByteLeavesBeforeThePortCloses();

    void downloadChecks();
    void downloadRefusesWhatCannotBeEncoded_data();
    void downloadRefusesWhatCannotBeEncoded();

private:
    MainWindow &window() const { return started->window(); }
    SimDevice &dev() { return sim->device(); }
    QTabWidget *tabs() const { return started->find<QTabWidget>("tabWidget"); }
    void setDeviceType(int type);
    void load(const QStringList &lines, const QStringList &handshake = {});
    // The form as File > Save writes it, into a fresh file.
    QByteArray savedForm();
    // The program holds no descriptor on the device's line.
    bool portClosed() { return descriptorsOn(dev().ptyPath()) == (dev().lineDropped() ? 0 : 1); }

    std::unique_ptr<StartedWindow> started;
    std::unique_ptr<SimPort> sim;
    std::unique_ptr<TransferDriver> driver;
};

void TestDownloadReadout::init()
{
    started = std::make_unique<StartedWindow>();
    QVERIFY(started->startupBoxes.isEmpty());
    sim = std::make_unique<SimPort>(QStringLiteral("COM1"), SimDevice::Erased);
    QVERIFY(sim->isReady());
    driver = std::make_unique<TransferDriver>();
}

void TestDownloadReadout::cleanup()
{
    driver.reset();
    started.reset();
    sim.reset();
}

void TestDownloadReadout::setDeviceType(int type)
{
    if (type != 255)
        window().applyDeviceType(type);
    window().portSettings().deviceType = type;
}

void TestDownloadReadout::load(const QStringList &lines, const QStringList &handshake)
{
    started->folder.write(QStringLiteral("test.cfg"), (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
    window().portSettings().filePath = started->folder.filePath(QStringLiteral("test.cfg"));
    window().loadConfigFile();
    started->answerer.boxes.clear();  // "Other" runs the General check on the old values
    for (int i = 0; i < handshake.size(); ++i)
        started->edit(QByteArray("hscode" + QByteArray::number(i + 1)).constData())->setText(handshake.at(i));
}

QByteArray TestDownloadReadout::savedForm()
{
    static int saves = 0;
    const QString path = started->folder.filePath(QStringLiteral("saved%1.cfg").arg(++saves));
    FileDialogAnswerer dialogs(path);
    window().save();
    started->answerer.boxes.removeIf([](const ModalAnswerer::Box &box) { return box.title == "Save"; });
    return started->folder.read(QFileInfo(path).fileName());
}

void TestDownloadReadout::downloadWritesTheMemoryMap_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<int>("items");
    QTest::addColumn<QByteArray>("apn");
    QTest::addColumn<QByteArray>("presets");  // the handshake.dll the window starts with; null: ours
    QTest::newRow("model 800, 16-character APN") << 8 << 48 << QByteArray("apn.example.comX") << QByteArray();
    QTest::newRow("never queried, 15-character APN") << 255 << 36 << QByteArray("apn.example.com") << QByteArray();
    // The file's first line names it; the preset gives the handshake values.
    QTest::newRow("preset with an empty name") << 8 << 48 << QByteArray("apn.example.comX")
                                               << QByteArray("Slow=1,2,3,4\r\n=104,255,109,810\r\n");
}

void TestDownloadReadout::downloadWritesTheMemoryMap()
{
    QFETCH(int, deviceType);
    QFETCH(int, items);
    QFETCH(QByteArray, apn);
    QFETCH(QByteArray, presets);
    QStringList lines = fixture();
    lines[ApnLine] = QString::fromLatin1(apn);
    if (presets.isNull()) {
        setDeviceType(deviceType);
        load(lines, {"104", "255", "109", "810"});
    } else {
        started.reset();
        started = std::make_unique<StartedWindow>(StartedWindow::PresetsAndConfig, presets);
        setDeviceType(deviceType);
        lines[0].clear();
        load(lines);
        QCOMPARE(started->find<QComboBox>("hs_combo")->currentText(), QString());
    }

    window().download();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(dev().itemsAccepted(), items);
    QCOMPARE(hexRows(dev().memory()), hexRows(expectedImage(deviceType == 8, apn)));
    // Up to 15 characters the first APN item carries the terminator; 16 fill it.
    const QByteArray apnItem = apn.size() < 16 ? text(apn) : apn;
    QVERIFY(dev().received().contains("\rw0010" + apnItem.toHex().toUpper() + "\rw0020"));
}

void TestDownloadReadout::readOutFillsTheForm_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<QByteArray>("apnBytes");  // the device's at 0x010; empty: its factory "net"
    QTest::addColumn<QString>("apn");          // the field afterwards
    QTest::addColumn<QString>("apnPreset");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("model 800") << 8 << QByteArray() << "net" << "Telenor" << QStringList();
    QTest::newRow("never queried") << 255 << QByteArray() << "net" << "Telenor" << QStringList();
    // 32 bytes without an end mark, one more than the field holds; the
    // warning names them on one line.
    QTest::newRow("APN with CR and ESC, too long for its field")
        << 8 << QByteArray("inter\rnet\x1b.example.com/abcdefghi") << "" << "Other"
        << QStringList{"Read from Device: These values of the device do not fit their fields, which were left "
                       "empty:\n\nAPN: inter<0D>net<1B>.example.com/abcdefghi"};
}

void TestDownloadReadout::readOutFillsTheForm()
{
    QFETCH(int, deviceType);
    QFETCH(QByteArray, apnBytes);
    QFETCH(QString, apn);
    QByteArray image = SimDevice(SimDevice::Model800).memory();
    put(image, 0x010, apnBytes);
    dev().setMemory(image);
    setDeviceType(deviceType);
    load(fixture());  // other values than the device holds, preset "Other"
    started->edit("kezi_test_code_2")->setText(QStringLiteral("999"));

    // Fields the device has on every model, then those only a model 800 is read for.
    const QList<QPair<const char *, QString>> everyModel = {
        {"tesztkod_idokoz", "10"}, {"rele_meghuz", "2"}, {"keszulek_id", "1234"}, {"apn", apn},
        {"ip1", "192.0.2.10"}, {"ip2", "192.0.2.10"}, {"port1", "1024"}, {"port2", "1024"},
        {"voice1", "+3612345678"}, {"voice2", "+3612345678"}, {"sms1", ""}, {"sms2", ""}, {"sms3", ""},
        {"ki1_on", "11"}, {"ki1_off", "10"}, {"p_kezi", "1"}, {"kezi_test_code", "606"}, {"p_auto", "6"},
        {"auto_test_code", "601"}, {"p_start", "6"}, {"start_code", "609"}, {"p_restart", "6"},
        {"restart_code", "605"}, {"rele_ki_cseng", "2"}, {"rele_be_cseng", "4"}, {"sms_max", "9"},
        {"sms_tiltas", "10"}, {"hscode1", "100"}, {"hscode2", "64"}, {"hscode3", "100"}, {"bazis_vissza", "5"},
        {"sms_voice_vissza", "5"}, {"hscode4", "810"},
        // Outside the memory map: kept.
        {"kezi_test_code_2", "999"}, {"csoportszam", "00"},
    };
    QList<QPair<const char *, QString>> model800 = {
        {"ki2_on", "21"}, {"ki2_off", "20"}, {"ki3_on", "31"}, {"ki3_off", "30"}, {"p_be1", "1"},
        {"be1_code", "651"}, {"p_be1_2", "3"}, {"be1_code_2", "651"}, {"p_be2", "1"}, {"be2_code", "652"},
        {"p_be2_2", "3"}, {"be2_code_2", "652"}, {"p_be3", "1"}, {"be3_code", "653"}, {"p_be3_2", "3"},
        {"be3_code_2", "653"}, {"p_panic", "1"}, {"panic_code", "600"}, {"p_panic_2", "3"},
        {"panic_code_2", "600"},
    };
    if (deviceType != 8) {
        for (auto &entry : model800)
            entry.second = started->edit(entry.first)->text();
    }

    window().readup();
    QCOMPARE(driver->results, QStringList{"Success!"});
    for (const auto &entry : everyModel + model800)
        QCOMPARE(started->edit(entry.first)->text() + " <- " + entry.first, entry.second + " <- " + entry.first);
    QTEST(started->find<QComboBox>("apnCombo")->currentText(), "apnPreset");
    QTEST(started->answerer.summary(), "boxes");
}

void TestDownloadReadout::readOutSelectsChannelsAndPreset_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("channels");  // GPRS, SMS, voice
    QTest::addColumn<QByteArray>("word");   // handshake word after 100, 64, 100
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("hscode4");

    QTest::newRow("mode 1, word 810") << 0x01 << "on off off" << hex("DC 08") << "Default" << "810";
    QTest::newRow("mode 2, word read as 811") << 0x02 << "off off on" << hex("DF 08") << "Default" << "810";
    QTest::newRow("mode 3, word read as 809") << 0x03 << "on off on" << hex("DA 08") << "Default" << "810";
    QTest::newRow("mode 4, word read as 812") << 0x04 << "off on off" << hex("E2 08") << "Other" << "812";
    QTest::newRow("mode 5, another preset") << 0x05 << "on on off" << hex("60 04") << "Short" << "400";
    QTest::newRow("mode 7") << 0x07 << "on on off" << hex("DC 08") << "Default" << "810";
    // No combination: the switches stay as loaded.
    QTest::newRow("mode 6") << 0x06 << "on on on" << hex("DC 08") << "Default" << "810";
}

void TestDownloadReadout::readOutSelectsChannelsAndPreset()
{
    QFETCH(int, mode);
    QFETCH(QString, channels);
    QFETCH(QByteArray, word);
    QFETCH(QString, preset);
    QFETCH(QString, hscode4);
    QStringList lines = fixture();
    for (int i = 46; i < 52; ++i)
        lines[i] = QString::number(i % 2);  // off 0, on 1 for each channel
    load(lines);
    QByteArray image = SimDevice(SimDevice::Model800).memory();
    image[0] = char(mode);
    put(image, 0x302, word);
    dev().setMemory(image);

    window().readup();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QStringList state;
    for (const QByteArray channel : {"gprs", "sms", "voice"}) {
        const bool on = started->find<QRadioButton>(channel + "_on")->isChecked();
        QCOMPARE(started->find<QFrame>(channel + "_frame")->isEnabled(), on);
        state << QLatin1String(on ? "on" : "off");
    }
    QCOMPARE(state.join(QLatin1Char(' ')), channels);
    QCOMPARE(started->find<QComboBox>("hs_combo")->currentText(), preset);
    QCOMPARE(started->edit("hscode4")->text(), hscode4);
    QCOMPARE(started->find<QWidget>("handshake")->isHidden(), preset != QLatin1String("Other"));
}

void TestDownloadReadout::downloadThenReadOutReproducesTheForm()
{
    setDeviceType(8);
    QStringList lines = fixture();
    lines[1] = QStringLiteral("0102");
    load(lines, {"110", "200", "90", "999"});  // 999 is stored rounded up
    const auto form = [this] {
        QStringList state = started->formState();
        state.removeIf([](const QString &line) { return line.startsWith(QLatin1String("file label=")); });
        return state;
    };
    const QStringList before = form();

    window().download();
    QCOMPARE(driver->results, QStringList{"Success!"});

    // Another configuration in the form, then read the device back.
    window().portSettings().filePath = QStringLiteral("varnidex.dll");
    window().loadConfigFile();
    QVERIFY(form() != before);
    window().readup();
    QCOMPARE(driver->results, (QStringList{"Success!", "Success!"}));
    QCOMPARE(form(), before);
}

void TestDownloadReadout::failedTransfersChangeNothing()
{
    dev().setMemory(SimDevice(SimDevice::Model700).memory());
    window().readup();

    // The rows of that read-out are applied once only: a failed one finds nothing.
    started->edit("sms2")->setText(QStringLiteral("+3699"));
    started->find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Long"));
    tabs()->setCurrentIndex(2);
    const QStringList before = started->formState();
    const QString readError = QStringLiteral("Read error.\nTip: check device and port settings.");
    DebugCapture debug;
    // An answer of exactly "-1": every command is still asked, ESC ends the session.
    dev().failRead(0x100);
    window().readup();
    QVERIFY(dev().received().endsWith("r0300\r\x1b"));

    // A port name that opens nothing.
    QVERIFY(sim->link(QStringLiteral("COM7"), QStringLiteral("/nonexistent/tty")));
    window().portSettings().port = QStringLiteral("COM7");
    window().download();
    window().readup();

    QCOMPARE(driver->dialogs, (QStringList{"upload", "upload", "dload", "upload"}));
    QCOMPARE(driver->results,
             (QStringList{"Success!", readError, "Download error.\nTip: Check device and port settings.", readError}));
    QCOMPARE(debug.lines(), (QStringList{"21", "unable to open comport", "unable to open comport"}));
    QCOMPARE(started->formState(), before);
    QCOMPARE(started->answerer.summary(), QStringList());
}

void TestDownloadReadout::failedReadOutsChangeNothing_data()
{
    QTest::addColumn<QByteArray>("fault");
    QTest::addColumn<QString>("entries");  // written to the debug channel

    // Answers that end without CR end the read-out at once; the others are
    // judged once every block was asked.
    QTest::newRow("silent after the handshake") << QByteArray("silent") << "1";
    QTest::newRow("-1 for r0020") << QByteArray("0020:-1\r") << "21";
    QTest::newRow("short answer") << QByteArray("0150:0102\r") << "21";
    QTest::newRow("33 digits") << QByteArray("0030:C0A8010A0A000001FFFFFFFFFFFFFFFFF\r") << "3";
    QTest::newRow("question marks") << QByteArray("00C0:????????????????????????????????\r") << "21";
    QTest::newRow("NUL bytes") << QByteArray("0300:" + QByteArray(32, '\0') + "\r") << "21";
    QTest::newRow("runs on without CR") << QByteArray("0190:" + QByteArray(300, 'A')) << "15";
    QTest::newRow("line dropped inside an answer") << QByteArray("drop") << "7";
}

void TestDownloadReadout::failedReadOutsChangeNothing()
{
    QFETCH(QByteArray, fault);
    QFETCH(QString, entries);
    dev().setMemory(SimDevice(SimDevice::Model800).memory());
    setDeviceType(8);
    load(fixture());
    const QByteArray saved = savedForm();
    const QStringList before = started->formState();
    if (fault == "silent")
        dev().setSilentAfterItems(0);
    else if (fault == "drop")
        dev().setDropDuringRead(0x100, 10);
    else
        dev().answerRead(quint16(fault.left(4).toUInt(nullptr, 16)), fault.mid(5));

    DebugCapture debug;
    window().readup();
    QCOMPARE(driver->results, QStringList{"Read error.\nTip: check device and port settings."});
    QCOMPARE(debug.lines(), QStringList{entries});
    // From the device's first byte to the outcome: only a silent device
    // costs a read time-out, and only one; a line that goes is noticed at once.
    const int readMs = 1700;
    QCOMPARE(driver->shownAt.size(), 1);
    const Stamp shown = driver->shownAt.first();
    const qint64 ms = msBetween(dev().receivedAt(0), shown);
    VERIFY_TIMING(fault == "silent" ? keeps(ms, readMs) : isUnder(ms, readMs, "a read of the read-out"));
    if (fault == "drop")
        VERIFY_TIMING(isPrompt(msBetween(dev().droppedAt(), shown)));
    QVERIFY(window().portSettings().readRows.isEmpty());
    QCOMPARE(started->formState(), before);
    QCOMPARE(savedForm(), saved);
    QCOMPARE(started->answerer.summary(), QStringList());
    QVERIFY(portClosed());
}

void TestDownloadReadout::valuesTooLongForTheirFieldsAreLeftOut()
{
    QByteArray image = SimDevice(SimDevice::Model800).memory();
    image[0x003] = char(0xFF);                 // relay trigger time, two digits
    image[0x2FB] = char(0xFF);                 // SMS count, two digits
    image[0x300] = char(0xFF);                 // base IP restore, two digits
    image[0x2FD] = char(0x64);                 // handshake 1: 100 tenths, 1000
    put(image, 0x302, hex("FF FF"));           // handshake 4: 65535 / 2.8
    // Code groups hold one digit per byte, 01 to 09 and 0A for 0.
    put(image, 0x204, hex("01 15 02 03"));     // second column of input 1
    put(image, 0x228, hex("FF FF FF FF"));     // erased auto test code
    put(image, 0x22C, hex("00 00 00 00"));     // start code
    dev().setMemory(image);
    // The restart code's digits in lower case.
    dev().answerRead(0x230, "010a0a0a" + QByteArray(24, 'F') + "\r");
    setDeviceType(8);
    load(fixture());

    window().readup();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(started->answerer.summary(),
             QStringList{"Read from Device: These values of the device do not fit their fields, which were left "
                         "empty:\n\n1st relay trigger time: 255\nInput 1 code 2: 01 15 02 03\n"
                         "Auto test code: FF FF FF FF\nStart code: 00 00 00 00\nRestart code: 01 0a 0a 0a\n"
                         "Max. number of SMS: 255\nHandshake 1: 1000\nBase IP restore: 255\nHandshake 4: 23405"});
    for (const char *name : {"rele_meghuz", "sms_max", "bazis_vissza", "hscode1", "hscode4", "be1_code_2",
                             "auto_test_code", "start_code", "restart_code"})
        QVERIFY2(started->edit(name)->text().isEmpty(), name);
    // The qualifiers cannot be typed in again, so they keep their fixed texts.
    QCOMPARE(started->edit("p_be1_2")->text() + started->edit("p_auto")->text() + started->edit("p_start")->text()
                 + started->edit("p_restart")->text(),
             QStringLiteral("3666"));
    // Everything else came from the device; the handshake stays open for entry.
    QCOMPARE(started->edit("keszulek_id")->text(), QStringLiteral("1234"));
    QCOMPARE(started->edit("sms_tiltas")->text(), QStringLiteral("10"));
    QCOMPARE(started->edit("hscode2")->text(), QStringLiteral("64"));
    QCOMPARE(started->edit("be1_code")->text(), QStringLiteral("651"));
    QCOMPARE(started->edit("p_kezi")->text() + started->edit("kezi_test_code")->text(), QStringLiteral("1606"));
    QCOMPARE(started->find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Other"));

    // The download then asks for the left-out values instead of writing others.
    started->answerer.boxes.clear();
    window().download();
    QCOMPARE(started->answerer.summary(), QStringList{"Download error.: All fields must be filled."});
    QCOMPARE(tabs()->currentIndex(), 0);

    // Typed in again, every code reaches the device behind its qualifier.
    started->answerer.boxes.clear();
    const QList<QPair<const char *, QString>> typed = {
        {"rele_meghuz", "2"},     {"sms_max", "9"},         {"bazis_vissza", "5"},    {"hscode1", "100"},
        {"hscode4", "810"},       {"be1_code_2", "123"},    {"auto_test_code", "601"}, {"start_code", "609"},
        {"restart_code", "605"},
    };
    for (const auto &entry : typed)
        started->edit(entry.first)->setText(entry.second);
    window().download();
    QCOMPARE(started->answerer.summary(), QStringList());
    QCOMPARE(driver->results, (QStringList{"Success!", "Success!"}));
    const QByteArray m = dev().memory();
    QCOMPARE((m.mid(0x204, 4) + m.mid(0x228, 12)).toHex(' '),
             QByteArray("03 01 02 03 06 06 0a 01 06 06 0a 09 06 06 0a 05"));
}

void TestDownloadReadout::everyByteLeavesBeforeThePortCloses_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("download") << false;
    QTest::newRow("read-out") << true;
}

void TestDownloadReadout::everyByteLeavesBeforeThePortCloses()
{
    QFETCH(bool, readOut);
    TtyCalls calls;
    if (readOut)
        window().readup();
    else
        window().download();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QVERIFY(dev().received().endsWith('\x1b'));
    // The closing ESC has left the line before closing puts back the port's
    // former settings.
    QCOMPARE(calls.closedPorts().size(), 1);
    QCOMPARE(calls.closedPorts().first().mid(calls.closedPorts().first().size() - 4),
             (QStringList{"write 1B", "drain", "set", "close"}));
}

void TestDownloadReadout::downloadChecks()
{
    // The box a download shows, and the page it leaves on top.
    const auto refusal = [this] {
        window().download();
        const QString box = started->answerer.summary().join(QLatin1Char('\n'));
        started->answerer.boxes.clear();
        return QStringLiteral("%1 (page %2)").arg(box).arg(tabs()->currentIndex());
    };
    const auto unfilled = [](int page) {
        return QStringLiteral("Download error.: All fields must be filled. (page %1)").arg(page);
    };

    // The handshake value comes first, and nothing else is touched.
    started->edit("hscode2")->setText(QStringLiteral("256"));
    started->edit("keszulek_id")->clear();
    started->edit("ip2")->clear();
    started->edit("port2")->clear();
    tabs()->setCurrentIndex(3);
    QCOMPARE(refusal(), QStringLiteral("Download error.: Incorrect handshake values. (page 3)"));
    QVERIFY(started->edit("ip2")->text().isEmpty());

    // 255 passes; the second server is filled in even though the empty ID refuses.
    started->edit("hscode2")->setText(QStringLiteral("255"));
    QCOMPARE(refusal(), unfilled(0));
    QCOMPARE(started->edit("ip2")->text(), started->edit("ip1")->text());
    QCOMPARE(started->edit("port2")->text(), started->edit("port1")->text());

    // Empty fields on "Inputs" and on "Outputs": "Inputs" is shown.
    started->edit("keszulek_id")->setText(QStringLiteral("1234"));
    started->edit("auto_test_code")->clear();
    started->edit("ki1_on")->clear();
    tabs()->setCurrentIndex(5);
    QCOMPARE(refusal(), unfilled(1));
    started->edit("auto_test_code")->setText(QStringLiteral("601"));
    QCOMPARE(refusal(), unfilled(2));
    started->edit("ki1_on")->setText(QStringLiteral("11"));

    // A hidden field counts; a disabled one does not.
    started->edit("hscode1")->clear();
    QVERIFY(started->find<QWidget>("handshake")->isHidden());
    QCOMPARE(refusal(), unfilled(0));
    started->edit("hscode1")->setText(QStringLiteral("100"));
    QVERIFY(dev().received().isEmpty());
    setDeviceType(4);
    QVERIFY(started->edit("ki2_on")->text().isEmpty() && !started->edit("ki2_on")->isEnabled());

    // What the pages outside the empty-field check may hold still goes out.
    for (const char *name : {"sms_max", "ip1", "ip2", "sms1"})
        started->edit(name)->clear();
    started->edit("hscode4")->setText(QStringLiteral("0"));
    window().download();
    QCOMPARE(started->answerer.summary(), QStringList());
    QCOMPARE(driver->results, QStringList{"Success!"});
    // Both servers, SMS 1 and the SMS count as 0; the handshake word 0 as 1.
    const QByteArray m = dev().memory();
    QCOMPARE(m.mid(0x030, 8) + m.mid(0x100, 1) + m.mid(0x2FB, 1) + m.mid(0x302, 2),
             QByteArray(10, '\0') + hex("01 00"));
}

void TestDownloadReadout::downloadRefusesWhatCannotBeEncoded_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("line");  // of the .cfg file; -1: a handshake value or a qualifier, set after loading
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("A number is out of range and cannot be sent to the device.");
    const QString notNumber = QStringLiteral("A number field must hold a whole number.");
    const QString address = QStringLiteral(
        "Incorrect IP address. An IP address must be four numbers from 0 to 255, separated by dots.");
    const QString character = QStringLiteral("A field contains a character that cannot be sent to the device.");
    const QString endMark =
        QStringLiteral("A text cannot contain the character #, which the device takes as the end of the text.");
    const QString shortCode = QStringLiteral("A code must have three digits.");
    const QString onlyNumbers = QStringLiteral("Only numbers!");
    const QString noQualifier = QStringLiteral("A code cannot be sent without its one-digit qualifier.");

    QTest::newRow("300 in a byte") << "sms_tiltas" << 42 << "300" << 4 << range;
    QTest::newRow("negative byte") << "bazis_vissza" << 8 << "-5" << 0 << range;
    QTest::newRow("negative tenths") << "hscode3" << -1 << "-10" << 0 << range;
    QTest::newRow("negative handshake byte") << "hscode2" << -1 << "-1" << 0 << range;
    QTest::newRow("negative handshake word") << "hscode4" << -1 << "-1" << 0 << range;
    QTest::newRow("blank inside a number") << "tesztkod_idokoz" << 2 << "2 4" << 0 << notNumber;
    QTest::newRow("letter after a number") << "sms_max" << 43 << "9x" << 4 << notNumber;
    QTest::newRow("letter in a handshake value") << "hscode4" << -1 << "8l0" << 0 << notNumber;
    QTest::newRow("three address parts") << "ip1" << 35 << "1.2.3" << 3 << address;
    QTest::newRow("address part 256") << "ip2" << 37 << "1.2.3.256" << 3 << address;
    QTest::newRow("letters in an address") << "ip2" << 37 << "a.b.c.d" << 3 << address;
    QTest::newRow("accented APN") << "apn" << 34 << QStringLiteral("nető") << 3 << character;
    QTest::newRow("control character") << "voice2" << 45 << QStringLiteral("+36\t1") << 5 << character;
    QTest::newRow("end mark in a text") << "ki1_on" << 25 << "AB#C" << 2 << endMark;
    QTest::newRow("end marks in a text") << "ki1_off" << 26 << "CODE*#06#" << 2 << endMark;
    QTest::newRow("letter in a code") << "start_code" << 11 << "6x1" << 1 << onlyNumbers;
    QTest::newRow("hexadecimal letters as a code") << "start_code" << 11 << "ABC" << 1 << onlyNumbers;
    QTest::newRow("blank in a code") << "restart_code" << 12 << "1 2" << 1 << onlyNumbers;
    QTest::newRow("letter as a qualifier") << "p_auto" << 10 << "B" << 1 << onlyNumbers;
    QTest::newRow("letter in a port") << "port1" << 36 << "80a" << 3 << onlyNumbers;
    QTest::newRow("blank in a port") << "port2" << 38 << "8 0" << 3 << onlyNumbers;
    QTest::newRow("one-digit code") << "start_code" << 11 << "7" << 1 << shortCode;
    QTest::newRow("two-digit code") << "restart_code" << 12 << "12" << 1 << shortCode;
    // No line can empty a qualifier in front of its code.
    QTest::newRow("code without its qualifier") << "p_start" << -1 << "" << 1 << noQualifier;
}

void TestDownloadReadout::downloadRefusesWhatCannotBeEncoded()
{
    QFETCH(QString, field);
    QFETCH(int, line);
    QFETCH(QString, value);
    QFETCH(int, page);
    QFETCH(QString, message);
    QStringList lines = fixture();
    QStringList handshake = {"100", "64", "100", "810"};
    if (line >= 0 && field.startsWith(QLatin1String("p_")))  // a code's line starts with its qualifier
        lines[line] = value + lines[line].mid(1);
    else if (line >= 0)
        lines[line] = (field.endsWith(QLatin1String("_code")) ? lines[line].left(1) : QString()) + value;
    else if (field.startsWith(QLatin1String("hscode")))
        handshake[field.right(1).toInt() - 1] = value;
    load(lines, handshake);
    QLineEdit *edit = started->edit(field.toLatin1().constData());
    if (line < 0 && field.startsWith(QLatin1String("p_")))
        edit->setText(value);
    QCOMPARE(edit->text(), value);
    const QByteArray saved = savedForm();
    tabs()->setCurrentIndex((page + 1) % 6);

    window().download();
    QCOMPARE(started->answerer.summary(), QStringList{"Download error.: " + message});
    QCOMPARE(tabs()->currentIndex(), page);
    if (edit->isEnabled())  // a switched-off channel's fields cannot take the focus
        QCOMPARE(window().focusWidget(), edit);
    else if (line < 0)  // a disabled qualifier: the code behind it takes the focus
        QCOMPARE(window().focusWidget(), started->edit(QByteArray(field.mid(2).toLatin1() + "_code").constData()));
    QVERIFY(driver->dialogs.isEmpty());
    QVERIFY(dev().received().isEmpty());
    QCOMPARE(savedForm(), saved);
}

QTEST_MAIN(TestDownloadReadout)
#include "tst_downloadreadout.moc"
