// "Download into Device" and "Read from Device" end to end: the real main
// window, the real serial layer and the simulated device.

#include "debugcapture.h"
#include "devicelink.h"
#include "simport.h"
#include "startedwindow.h"
#include "transferdriver.h"

#include <QComboBox>
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

void put(QByteArray &memory, int address, const QByteArray &bytes)
{
    memory.replace(address, bytes.size(), bytes);
}

QByteArray text(const char *chars)
{
    return QByteArray(chars) + '\0';
}

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// The device memory after the fixture (hscode 104, 255, 109, 810) has been
// written over erased memory, worked out by hand from the memory map.
QByteArray expectedImage(bool model800)
{
    QByteArray m(0x400, char(0xFF));
    put(m, 0x000, hex("03 04 F0 05 34"));
    put(m, 0x005, hex("41 31 41 32"));         // "0102", digit 0 as 0x41
    put(m, 0x009, hex("41 41 41 41 41"));
    put(m, 0x010, "apn.example.comX");          // 16 characters: no terminator here...
    put(m, 0x020, hex("00"));                   // ...but at 0x020
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
    put(m, 0x218, hex("01 06 0A 06"));
    put(m, 0x228, hex("06 06 0A 01 06 06 0A 09 06 02 0A 05"));
    put(m, 0x2F7, hex("03 04"));
    put(m, 0x2FB, hex("09 C8 0A FF 0A 07 0C DC 08"));
    return m;
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
    void apnSplit_data();
    void apnSplit();
    void handshakeWord_data();
    void handshakeWord();

    void readOutFillsTheForm();
    void readOutHandshakePreset_data();
    void readOutHandshakePreset();
    void readOutChannelSwitches_data();
    void readOutChannelSwitches();
    void readOutSkipsModel800FieldsOtherwise();
    void downloadThenReadOutReproducesTheForm();
    void failedReadOutChangesNothing();
    void failureTexts();
    void escapeStopsEachTransfer();

    void downloadChecks();
    void downloadRefusesWhatCannotBeEncoded_data();
    void downloadRefusesWhatCannotBeEncoded();
    void downloadSendsEmptyFieldsAsZero();

private:
    void load(const QStringList &lines);
    void setHandshake(const QStringList &values);
    QStringList formWithoutFileLabel() const;
    QTabWidget *tabs() const { return started->find<QTabWidget>("tabWidget"); }

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

void TestDownloadReadout::load(const QStringList &lines)
{
    started->folder.write(QStringLiteral("test.cfg"), (lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
    started->window().portSettings().filePath = started->folder.filePath(QStringLiteral("test.cfg"));
    started->window().loadConfigFile();
    started->answerer.boxes.clear();  // "Other" runs the General check on the old values
}

void TestDownloadReadout::setHandshake(const QStringList &values)
{
    const char *names[] = {"hscode1", "hscode2", "hscode3", "hscode4"};
    for (int i = 0; i < 4; ++i)
        started->edit(names[i])->setText(values.at(i));
}

QStringList TestDownloadReadout::formWithoutFileLabel() const
{
    QStringList state = started->formState();
    state.removeIf([](const QString &line) { return line.startsWith(QLatin1String("file label=")); });
    return state;
}

void TestDownloadReadout::downloadWritesTheMemoryMap_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<int>("items");
    QTest::newRow("model 800") << 8 << 48;
    QTest::newRow("never queried") << 255 << 36;
}

void TestDownloadReadout::downloadWritesTheMemoryMap()
{
    QFETCH(int, deviceType);
    QFETCH(int, items);
    MainWindow &w = started->window();
    if (deviceType == 8)
        w.applyDeviceType(8);
    w.portSettings().deviceType = deviceType;
    load(fixture());
    setHandshake({"104", "255", "109", "810"});

    w.download();

    QCOMPARE(started->answerer.summary(), QStringList());
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(sim->device().itemsAccepted(), items);
    const QByteArray memory = sim->device().memory();
    const QByteArray expected = expectedImage(deviceType == 8);
    for (int row = 0; row < 0x400; row += 16) {
        QVERIFY2(memory.mid(row, 16) == expected.mid(row, 16),
                 qPrintable(QStringLiteral("row %1: %2, expected %3")
                                .arg(row, 3, 16, QLatin1Char('0'))
                                .arg(QString::fromLatin1(memory.mid(row, 16).toHex(' ')),
                                     QString::fromLatin1(expected.mid(row, 16).toHex(' ')))));
    }
}

void TestDownloadReadout::apnSplit_data()
{
    QTest::addColumn<QString>("apn");
    QTest::addColumn<QByteArray>("bytes");  // 0x010 to 0x02F
    const QByteArray erased(32, char(0xFF));
    QByteArray b = erased;
    put(b, 0, text("internet.abc.hu"));
    put(b, 16, text(""));
    QTest::newRow("15 characters") << "internet.abc.hu" << b;
    b = erased;
    put(b, 0, "internet.abcd.hu");
    put(b, 16, text(""));
    QTest::newRow("16 characters") << "internet.abcd.hu" << b;
    b = erased;
    put(b, 0, text("internet.abcd.hu.example.co.hu"));
    QTest::newRow("30 characters") << "internet.abcd.hu.example.co.hu" << b;
    b = erased;
    put(b, 0, text("internet.abcd.hu.example.com.hu"));
    QTest::newRow("31 characters") << "internet.abcd.hu.example.com.hu" << b;
}

void TestDownloadReadout::apnSplit()
{
    QFETCH(QString, apn);
    QFETCH(QByteArray, bytes);
    MainWindow &w = started->window();
    started->edit("apn")->setText(apn);

    w.download();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(sim->device().memory().mid(0x010, 32).toHex(' '), bytes.toHex(' '));

    started->edit("apn")->clear();
    w.readup();
    QCOMPARE(driver->results.last(), QStringLiteral("Success!"));
    QCOMPARE(started->edit("apn")->text(), apn);
    QCOMPARE(started->find<QComboBox>("apnCombo")->currentText(), QStringLiteral("Other"));
}

void TestDownloadReadout::handshakeWord_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("0") << "0" << hex("01 00");
    QTest::newRow("1") << "1" << hex("03 00");
    QTest::newRow("5") << "5" << hex("0E 00");
    QTest::newRow("400") << "400" << hex("60 04");
    QTest::newRow("810") << "810" << hex("DC 08");
    QTest::newRow("999") << "999" << hex("EE 0A");
}

void TestDownloadReadout::handshakeWord()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, bytes);
    MainWindow &w = started->window();
    started->find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Other"));
    started->answerer.boxes.clear();
    setHandshake({"150", "64", "150", value});

    w.download();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(sim->device().memory().mid(0x302, 2).toHex(' '), bytes.toHex(' '));

    started->edit("hscode4")->clear();
    w.readup();
    QCOMPARE(started->edit("hscode4")->text(), value);
}

void TestDownloadReadout::readOutFillsTheForm()
{
    SimDevice factory(SimDevice::Model800);
    const QByteArray image = factory.memory();
    sim->device().setMemory(image);
    MainWindow &w = started->window();
    w.applyDeviceType(8);
    w.portSettings().deviceType = 8;
    load(fixture());  // something else than the device holds, preset "Other"
    started->edit("kezi_test_code_2")->setText(QStringLiteral("999"));

    w.readup();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QVERIFY(w.portSettings().readRows.isEmpty());

    const auto field = [this](const char *name) { return started->edit(name)->text(); };
    const auto textAt = [&image](int address) {
        return QString::fromLatin1(image.mid(address, 16).split('\0').first());
    };
    const QString address = QStringLiteral("%1.%2.%3.%4")
                                .arg(uchar(image.at(0x30)))
                                .arg(uchar(image.at(0x31)))
                                .arg(uchar(image.at(0x32)))
                                .arg(uchar(image.at(0x33)));
    const QList<QPair<const char *, QString>> expected = {
        {"tesztkod_idokoz", "10"}, {"rele_meghuz", "2"}, {"keszulek_id", "1234"}, {"apn", "net"},
        {"ip1", address}, {"ip2", address}, {"port1", "1024"}, {"port2", "1024"},
        {"voice1", textAt(0x0D0)}, {"voice2", textAt(0x0E0)}, {"sms1", ""}, {"sms2", ""}, {"sms3", ""},
        {"ki1_on", "11"}, {"ki1_off", "10"}, {"ki2_on", "21"}, {"ki2_off", "20"}, {"ki3_on", "31"},
        {"ki3_off", "30"}, {"p_be1", "1"}, {"be1_code", "651"}, {"p_be1_2", "3"}, {"be1_code_2", "651"},
        {"p_be2", "1"}, {"be2_code", "652"}, {"p_be2_2", "3"}, {"be2_code_2", "652"}, {"p_be3", "1"},
        {"be3_code", "653"}, {"p_be3_2", "3"}, {"be3_code_2", "653"}, {"p_panic", "1"},
        {"panic_code", "600"}, {"p_panic_2", "3"}, {"panic_code_2", "600"}, {"p_kezi", "1"},
        {"kezi_test_code", "606"}, {"p_auto", "6"}, {"auto_test_code", "601"}, {"p_start", "6"},
        {"start_code", "609"}, {"p_restart", "6"}, {"restart_code", "605"}, {"rele_ki_cseng", "2"},
        {"rele_be_cseng", "4"}, {"sms_max", "9"}, {"sms_tiltas", "10"}, {"hscode1", "100"},
        {"hscode2", "64"}, {"hscode3", "100"}, {"bazis_vissza", "5"}, {"sms_voice_vissza", "5"},
        {"hscode4", "810"},
    };
    for (const auto &entry : expected)
        QCOMPARE(field(entry.first) + " <- " + entry.first, entry.second + " <- " + entry.first);
    QVERIFY(textAt(0x0D0).startsWith(QLatin1Char('+')));

    // Fields outside the memory map keep their text.
    QCOMPARE(field("kezi_test_code_2"), QStringLiteral("999"));
    QCOMPARE(field("csoportszam"), QStringLiteral("00"));

    // Mode 03: GPRS and voice on; the presets follow the values read.
    QVERIFY(started->find<QRadioButton>("gprs_on")->isChecked());
    QVERIFY(started->find<QRadioButton>("sms_off")->isChecked());
    QVERIFY(started->find<QRadioButton>("voice_on")->isChecked());
    QCOMPARE(started->find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Default"));
    QVERIFY(started->find<QWidget>("handshake")->isHidden());
    QCOMPARE(started->find<QComboBox>("apnCombo")->currentText(), QStringLiteral("Telenor"));
}

void TestDownloadReadout::readOutHandshakePreset_data()
{
    QTest::addColumn<QByteArray>("word");
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("hscode4");
    QTest::newRow("exact") << hex("DC 08") << "Default" << "810";
    QTest::newRow("one more") << hex("DF 08") << "Default" << "810";  // read 811
    QTest::newRow("one less") << hex("DA 08") << "Default" << "810";  // read 809
    QTest::newRow("two more") << hex("E2 08") << "Other" << "812";
    QTest::newRow("another preset") << hex("60 04") << "Short" << "400";
}

void TestDownloadReadout::readOutHandshakePreset()
{
    QFETCH(QByteArray, word);
    QFETCH(QString, preset);
    QFETCH(QString, hscode4);
    QByteArray image = SimDevice(SimDevice::Model800).memory();  // 100, 64, 100
    put(image, 0x302, word);
    sim->device().setMemory(image);
    started->find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Long"));

    started->window().readup();
    QCOMPARE(started->find<QComboBox>("hs_combo")->currentText(), preset);
    QCOMPARE(started->edit("hscode4")->text(), hscode4);
    QCOMPARE(started->find<QWidget>("handshake")->isHidden(), preset != QLatin1String("Other"));
    QCOMPARE(started->edit("hscode1")->text(), QStringLiteral("100"));
}

void TestDownloadReadout::readOutChannelSwitches_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("channels");  // GPRS, SMS, voice
    QTest::newRow("1") << 0x01 << "on off off";
    QTest::newRow("2") << 0x02 << "off off on";
    QTest::newRow("3") << 0x03 << "on off on";
    QTest::newRow("4 (SMS only)") << 0x04 << "off on off";
    QTest::newRow("5") << 0x05 << "on on off";
    QTest::newRow("7") << 0x07 << "on on off";
    // No combination: the switches stay as loaded (all three on).
    QTest::newRow("0") << 0x00 << "on on on";
    QTest::newRow("6") << 0x06 << "on on on";
    QTest::newRow("0A reads as decimal 0") << 0x0A << "on on on";
    QTest::newRow("11") << 0x11 << "on on on";
}

void TestDownloadReadout::readOutChannelSwitches()
{
    QFETCH(int, mode);
    QFETCH(QString, channels);
    QStringList lines = fixture();
    for (int i = 46; i < 52; ++i)
        lines[i] = QStringLiteral("%1").arg(i % 2);  // off 0, on 1 for each channel
    load(lines);
    QByteArray image = SimDevice(SimDevice::Model800).memory();
    image[0] = char(mode);
    sim->device().setMemory(image);

    started->window().readup();
    QCOMPARE(driver->results, QStringList{"Success!"});
    QStringList state;
    for (const char *channel : {"gprs", "sms", "voice"}) {
        const QByteArray name(channel);
        const bool on = started->find<QRadioButton>((name + "_on").constData())->isChecked();
        QVERIFY(on != started->find<QRadioButton>((name + "_off").constData())->isChecked());
        QCOMPARE(started->find<QFrame>((name + "_frame").constData())->isEnabled(), on);
        state << QLatin1String(on ? "on" : "off");
    }
    QCOMPARE(state.join(QLatin1Char(' ')), channels);
}

void TestDownloadReadout::readOutSkipsModel800FieldsOtherwise()
{
    sim->device().setMemory(SimDevice(SimDevice::Model800).memory());
    for (const int type : {255, 4}) {
        MainWindow &w = started->window();
        if (type == 4)
            w.applyDeviceType(4);
        w.portSettings().deviceType = type;
        const char *kept[] = {"ki2_on", "ki2_off", "ki3_on", "ki3_off", "p_be1", "be1_code", "p_be3_2",
                              "be3_code_2", "p_panic", "panic_code", "p_panic_2", "panic_code_2"};
        for (const char *name : kept)
            started->edit(name)->setText(QStringLiteral("9"));
        for (const char *name : {"kezi_test_code", "voice1", "restart_code"})
            started->edit(name)->clear();

        w.readup();
        QCOMPARE(driver->results.last(), QStringLiteral("Success!"));
        for (const char *name : kept)
            QVERIFY2(started->edit(name)->text() == QLatin1String("9"), name);
        QCOMPARE(started->edit("kezi_test_code")->text(), QStringLiteral("606"));
        QCOMPARE(started->edit("restart_code")->text(), QStringLiteral("605"));
        // Voice numbers are read on every model, also when the voice tab is disabled.
        QVERIFY(started->edit("voice1")->text().startsWith(QLatin1Char('+')));
    }
}

void TestDownloadReadout::downloadThenReadOutReproducesTheForm()
{
    MainWindow &w = started->window();
    w.applyDeviceType(8);
    w.portSettings().deviceType = 8;
    QStringList lines = fixture();
    lines[1] = QStringLiteral("0102");
    load(lines);
    setHandshake({"110", "200", "90", "500"});
    const QStringList before = formWithoutFileLabel();

    w.download();
    QCOMPARE(driver->results, QStringList{"Success!"});

    // Another configuration in the form, then read the device back.
    started->window().portSettings().filePath = QStringLiteral("varnidex.dll");
    w.loadConfigFile();
    QVERIFY(formWithoutFileLabel() != before);
    w.readup();
    QCOMPARE(driver->results, (QStringList{"Success!", "Success!"}));
    QCOMPARE(formWithoutFileLabel(), before);
    QVERIFY(w.portSettings().readRows.isEmpty());
}

void TestDownloadReadout::failedReadOutChangesNothing()
{
    MainWindow &w = started->window();
    sim->device().setMemory(SimDevice(SimDevice::Model700).memory());
    w.readup();
    QCOMPARE(driver->results, QStringList{"Success!"});

    // The rows of the first read-out are applied once only.
    started->edit("sms2")->setText(QStringLiteral("+3699"));
    started->find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Long"));
    tabs()->setCurrentIndex(2);
    const QStringList before = started->formState();

    sim->device().failRead(0x100);
    w.readup();
    QCOMPARE(driver->results.last(), QStringLiteral("Read error.\nTip: check device and port settings."));
    QCOMPARE(started->formState(), before);
    QCOMPARE(tabs()->currentIndex(), 2);
    QCOMPARE(started->answerer.summary(), QStringList());
}

void TestDownloadReadout::failureTexts()
{
    MainWindow &w = started->window();
    PortFolder folder;  // COM7 names a device that is not there
    QVERIFY(folder.link(QStringLiteral("COM7"), QStringLiteral("/nonexistent/tty")));
    w.portSettings().port = QStringLiteral("COM7");
    const QStringList before = started->formState();
    DebugCapture debug;

    w.download();
    w.readup();
    QCOMPARE(driver->dialogs, (QStringList{"dload", "upload"}));
    QCOMPARE(driver->results, (QStringList{"Download error.\nTip: Check device and port settings.",
                                            "Read error.\nTip: check device and port settings."}));
    QCOMPARE(debug.lines(), (QStringList{"unable to open comport", "unable to open comport"}));
    QCOMPARE(started->formState(), before);
}

void TestDownloadReadout::escapeStopsEachTransfer()
{
    MainWindow &w = started->window();
    sim->device().setBaud(300);  // a whole transfer would take half a minute
    const QStringList before = started->formState();
    driver->setAnswer(TransferDriver::PressEscape, [this] { return sim->device().received().size() > 12; });

    QElapsedTimer clock;
    clock.start();
    w.download();
    QVERIFY(driver->escapedWhileRunning);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(sim->device().itemsAccepted() < 36);
    // The worker has ended and closed the port: it can be opened again at once.
    {
        DeviceLink link;
        QVERIFY(link.open(QStringLiteral("COM1"), LinkSetup::download()));
    }

    TransferDriver second;
    second.setAnswer(TransferDriver::PressEscape, [this] { return sim->device().received().contains("r0000"); });
    driver.reset();
    clock.restart();
    w.readup();
    QVERIFY(second.escapedWhileRunning);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(w.portSettings().readRows.isEmpty());
    QCOMPARE(started->formState(), before);
    DeviceLink link;
    QVERIFY(link.open(QStringLiteral("COM1"), LinkSetup::readOut()));
}

void TestDownloadReadout::downloadChecks()
{
    MainWindow &w = started->window();
    const auto boxes = [this] {
        const QStringList summary = started->answerer.summary();
        started->answerer.boxes.clear();
        return summary;
    };

    // The handshake value comes first, and nothing else is touched.
    started->edit("hscode2")->setText(QStringLiteral("256"));
    started->edit("keszulek_id")->clear();
    started->edit("ip2")->clear();
    started->edit("port2")->clear();
    tabs()->setCurrentIndex(3);
    w.download();
    QCOMPARE(boxes(), QStringList{"Download error.: Incorrect handshake values."});
    QVERIFY(started->edit("ip2")->text().isEmpty());
    QVERIFY(started->edit("port2")->text().isEmpty());
    QCOMPARE(tabs()->currentIndex(), 3);

    // 255 passes; the second server is filled in even though the empty ID refuses.
    started->edit("hscode2")->setText(QStringLiteral("255"));
    w.download();
    QCOMPARE(boxes(), QStringList{"Download error.: All fields must be filled."});
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(started->edit("ip2")->text(), started->edit("ip1")->text());
    QCOMPARE(started->edit("port2")->text(), started->edit("port1")->text());

    // Empty fields on "Inputs" and on "Outputs": "Inputs" is shown.
    started->edit("keszulek_id")->setText(QStringLiteral("1234"));
    started->edit("auto_test_code")->clear();
    started->edit("ki1_on")->clear();
    tabs()->setCurrentIndex(5);
    w.download();
    QCOMPARE(boxes(), QStringList{"Download error.: All fields must be filled."});
    QCOMPARE(tabs()->currentIndex(), 1);
    started->edit("auto_test_code")->setText(QStringLiteral("601"));
    w.download();
    QCOMPARE(boxes(), QStringList{"Download error.: All fields must be filled."});
    QCOMPARE(tabs()->currentIndex(), 2);
    started->edit("ki1_on")->setText(QStringLiteral("11"));

    // A hidden field counts; a disabled one does not.
    started->edit("hscode1")->clear();
    QVERIFY(started->find<QWidget>("handshake")->isHidden());
    w.download();
    QCOMPARE(boxes(), QStringList{"Download error.: All fields must be filled."});
    started->edit("hscode1")->setText(QStringLiteral("100"));
    QVERIFY(driver->dialogs.isEmpty());
    QVERIFY(sim->device().received().isEmpty());

    w.applyDeviceType(4);
    w.portSettings().deviceType = 4;
    QVERIFY(started->edit("ki2_on")->text().isEmpty() && !started->edit("ki2_on")->isEnabled());
    w.download();
    QCOMPARE(boxes(), QStringList());
    QCOMPARE(driver->results, QStringList{"Success!"});
    QCOMPARE(sim->device().itemsAccepted(), 36);
}

void TestDownloadReadout::downloadRefusesWhatCannotBeEncoded_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral("A number is out of range and cannot be sent to the device.");
    const QString address = QStringLiteral(
        "Incorrect IP address. An IP address must be four numbers from 0 to 255, separated by dots.");
    const QString character = QStringLiteral("A field contains a character that cannot be sent to the device.");

    QTest::newRow("300 in a byte") << "sms_tiltas" << "300" << 4 << range;
    QTest::newRow("negative byte") << "bazis_vissza" << "-5" << 0 << range;
    QTest::newRow("negative handshake byte") << "hscode2" << "-1" << 0 << range;
    QTest::newRow("negative tenths") << "hscode3" << "-10" << 0 << range;
    QTest::newRow("negative handshake word") << "hscode4" << "-1" << 0 << range;
    QTest::newRow("three address parts") << "ip1" << "1.2.3" << 3 << address;
    QTest::newRow("five address parts") << "ip1" << "1.2.3.4.5" << 3 << address;
    QTest::newRow("empty address part") << "ip1" << "1..2.3" << 3 << address;
    QTest::newRow("address part 256") << "ip2" << "1.2.3.256" << 3 << address;
    QTest::newRow("letters in an address") << "ip2" << "a.b.c.d" << 3 << address;
    QTest::newRow("accented SMS number") << "sms1" << QStringLiteral("+36é") << 4 << character;
    QTest::newRow("accented APN") << "apn" << QStringLiteral("nető") << 3 << character;
    QTest::newRow("accented output command") << "ki1_off" << QStringLiteral("KI1ő") << 2 << character;
    QTest::newRow("control character") << "voice2" << QStringLiteral("+36\t1") << 5 << character;
    QTest::newRow("letter in a code") << "start_code" << "6x1" << 1 << character;
}

void TestDownloadReadout::downloadRefusesWhatCannotBeEncoded()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, page);
    QFETCH(QString, message);
    MainWindow &w = started->window();
    QLineEdit *edit = started->edit(field.toLatin1().constData());
    edit->setText(value);
    tabs()->setCurrentIndex((page + 1) % 6);

    w.download();
    QCOMPARE(started->answerer.summary(), QStringList{"Download error.: " + message});
    QCOMPARE(tabs()->currentIndex(), page);
    if (edit->isEnabled())  // a switched-off channel's fields cannot take the focus
        QCOMPARE(w.focusWidget(), edit);
    QVERIFY(driver->dialogs.isEmpty());
    QVERIFY(sim->device().received().isEmpty());
}

void TestDownloadReadout::downloadSendsEmptyFieldsAsZero()
{
    // What the pages outside the empty-field check may hold is still sent.
    for (const char *name : {"sms_max", "sms_tiltas", "ip1", "ip2", "sms1"})
        started->edit(name)->clear();
    started->edit("tesztkod_idokoz")->setText(QStringLiteral("2 4"));  // no number: 0
    started->edit("hscode1")->setText(QStringLiteral("999"));
    started->edit("hscode4")->setText(QStringLiteral("999"));

    started->window().download();
    QCOMPARE(started->answerer.summary(), QStringList());
    QCOMPARE(driver->results, QStringList{"Success!"});
    const QByteArray memory = sim->device().memory();
    QCOMPARE(memory.mid(0x002, 1), hex("00"));
    QCOMPARE(memory.mid(0x030, 8), QByteArray(8, '\0'));
    QCOMPARE(memory.mid(0x100, 1), hex("00"));
    QCOMPARE(memory.mid(0x2FB, 3).toHex(' '), QByteArray("00 00 63"));
    QCOMPARE(memory.mid(0x302, 2).toHex(' '), QByteArray("ee 0a"));
    QVERIFY(started->edit("ip2")->text().isEmpty());
}

QTEST_MAIN(TestDownloadReadout)
#include "tst_downloadreadout.moc"
