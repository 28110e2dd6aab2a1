#include "filedialoganswerer.h"
#include "startedwindow.h"
#include "writeprotection.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTextStream>

namespace {

const QString saveFailed = QStringLiteral("File error: Cannot save the file. Tip: check that the folder can be written.");
const QString badSyntax = QStringLiteral("File error: Cannot open the selected file. Tip: check file syntax.");
const QString missing = QStringLiteral("File error: The selected file does not exist.");

QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line end
    return lines;
}

QByteArray fileOf(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

// The repository's default configuration, line by line.
QStringList defaultLines()
{
    QFile file(QStringLiteral(DEVLOADER_SOURCE_DIR "/data/varnidex.dll"));
    return file.open(QIODevice::ReadOnly) ? linesOf(file.readAll()) : QStringList();
}

void saveAs(StartedWindow &s, const QString &path)
{
    FileDialogAnswerer dialogs;
    dialogs.choose(path);
    s.window().save();
}

void load(StartedWindow &s, const QString &path)
{
    s.window().portSettings().filePath = path;
    s.window().loadConfigFile();
}

QStringList handshakeFields(const StartedWindow &s)
{
    return {s.edit("hscode1")->text(), s.edit("hscode2")->text(), s.edit("hscode3")->text(),
            s.edit("hscode4")->text()};
}

} // namespace

class TestConfigFiles : public QObject
{
    Q_OBJECT

private slots:
    void defaultConfiguration();
    void saveAfterBareStart();
    void saveAndOpenRoundTrip();
    void rejectedFiles_data();
    void rejectedFiles();
    void dashesEndTheReading();
    void radioPairs_data();
    void radioPairs();
    void operatorFollowsTheApn_data();
    void operatorFollowsTheApn();
    void presetByName_data();
    void presetByName();
    void textsCutToFieldLength();
    void shownFileName_data();
    void shownFileName();
    void failedSaveKeepsEverything();
    void cancelledSave();
};

void TestConfigFiles::defaultConfiguration()
{
    QFile file(QStringLiteral(DEVLOADER_SOURCE_DIR "/data/varnidex.dll"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray raw = file.readAll();
    QCOMPARE(raw.count("\r\n"), 52);
    QCOMPARE(raw.count('\n'), 52);
    QVERIFY(raw.endsWith("\r\n"));

    StartedWindow s;
    QVERIFY(s.startupBoxes.isEmpty());
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("varnidex.dll"));

    const QList<QPair<const char *, const char *>> expected = {
        {"keszulek_id", "1234"}, {"tesztkod_idokoz", "10"}, {"bazis_vissza", "5"}, {"sms_voice_vissza", "5"},
        {"p_auto", "6"},         {"auto_test_code", "601"}, {"p_start", "6"},     {"start_code", "609"},
        {"p_restart", "6"},      {"restart_code", "605"},   {"p_kezi", "1"},      {"kezi_test_code", "606"},
        {"p_panic", "1"},        {"panic_code", "600"},     {"p_panic_2", "3"},   {"panic_code_2", "600"},
        {"p_be1", "1"},          {"be1_code", "651"},       {"p_be1_2", "3"},     {"be1_code_2", "651"},
        {"be2_code", "652"},     {"be3_code_2", "653"},     {"ki1_on", "11"},     {"ki3_off", "30"},
        {"rele_meghuz", "2"},    {"rele_be_cseng", "4"},    {"rele_ki_cseng", "2"}, {"apn", "net"},
        {"port1", "1024"},       {"port2", "1024"},         {"sms1", ""},         {"sms_tiltas", "10"},
        {"sms_max", "9"},        {"hscode2", "64"},         {"hscode4", "810"},
    };
    for (const auto &field : expected)
        QCOMPARE(s.edit(field.first)->text(), QLatin1String(field.second));
    QCOMPARE(s.edit("ip1")->text(), s.edit("ip2")->text());
    QCOMPARE(s.edit("voice1")->text().size(), 11);
    QVERIFY(s.edit("voice1")->text().startsWith(QLatin1Char('+')));

    QCOMPARE(s.find<QComboBox>("apnCombo")->currentText(), QStringLiteral("Telenor"));
    QVERIFY(!s.edit("apn")->isEnabled());
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Default"));
    // GPRS and voice on, as in the factory image.
    QVERIFY(s.find<QRadioButton>("gprs_on")->isChecked());
    QVERIFY(s.find<QRadioButton>("sms_off")->isChecked());
    QVERIFY(s.find<QRadioButton>("voice_on")->isChecked());
    QVERIFY(s.find<QFrame>("gprs_frame")->isEnabled());
    QVERIFY(!s.find<QFrame>("sms_frame")->isEnabled());
    QVERIFY(s.find<QFrame>("voice_frame")->isEnabled());

    // Every value passes the field checks.
    MainWindow &w = s.window();
    for (auto check : {&MainWindow::input_g1, &MainWindow::input_g2, &MainWindow::input_g3, &MainWindow::input_g4,
                       &MainWindow::input_g5, &MainWindow::input_g6})
        (w.*check)();
    QCOMPARE(s.answerer.summary(), QStringList());
}

void TestConfigFiles::saveAfterBareStart()
{
    StartedWindow s(StartedWindow::NoFiles);
    QCOMPARE(s.startupBoxes,
             (QStringList{"File error: Cannot find the handshake file, only default values are available.", missing}));

    FileDialogAnswerer dialogs;
    const QString path = s.folder.filePath(QStringLiteral("bare.cfg"));
    dialogs.choose(path);
    s.window().save();

    QCOMPARE(dialogs.dialogs.size(), 1);
    QCOMPARE(dialogs.dialogs.at(0).caption, QStringLiteral("Save File"));
    QCOMPARE(dialogs.dialogs.at(0).nameFilters, QStringList{"Varnidex Files (*.cfg)"});
    QCOMPARE(QFileInfo(dialogs.dialogs.at(0).directory).canonicalFilePath(), QFileInfo(s.folder.path()).canonicalFilePath());

    QStringList expected = {"Default", "", "", "0xC4 0xD7", "0x31 0x38", "0x34", "0x00", "0x04", "", "",
                            "6", "6", "6", "00", "000"};
    for (int i = 0; i < 5; ++i)
        expected << "1" << "3";
    for (int i = 26; i <= 34; ++i)
        expected << "";
    expected << "internet";
    for (int i = 36; i <= 46; ++i)
        expected << "";
    expected << "0" << "1" << "0" << "1" << "1" << "0";
    QCOMPARE(linesOf(s.folder.read(QStringLiteral("bare.cfg"))), expected);
    QCOMPARE(s.folder.read(QStringLiteral("bare.cfg")), fileOf(expected));

    QCOMPARE(s.answerer.summary(), QStringList{"Save: Save was successful."});
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("bare.cfg"));
    QCOMPARE(s.window().portSettings().filePath, path);
    QCOMPARE(s.window().portSettings().fileName, QStringLiteral("bare.cfg"));
}

void TestConfigFiles::saveAndOpenRoundTrip()
{
    StartedWindow s;
    MainWindow &w = s.window();
    s.find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Long"));

    // A distinct value in every field, disabled ones included, cut to fit.
    int i = 0;
    for (QLineEdit *edit : w.findChildren<QLineEdit *>()) {
        if (edit->objectName().startsWith(QLatin1String("hscode")))
            continue;
        ++i;
        const int max = edit->maxLength();
        edit->setText(max == 1   ? QString(QChar('A' + i % 26))
                      : max == 2 ? QString::number(i).rightJustified(2, QLatin1Char('0'))
                                 : QStringLiteral("v%1").arg(i));
    }
    s.edit("p_be2")->clear(); // an empty code line
    s.edit("be2_code")->clear();
    s.find<QRadioButton>("gprs_off")->setChecked(true);
    s.find<QRadioButton>("sms_on")->setChecked(true);
    s.find<QRadioButton>("voice_on")->setChecked(true); // both on, as only a file can set them

    QStringList texts;
    for (const QLineEdit *edit : w.findChildren<QLineEdit *>())
        texts << edit->objectName() + QLatin1Char('=') + edit->text();

    const QString path = s.folder.filePath(QStringLiteral("round.cfg"));
    saveAs(s, path);
    QCOMPARE(s.answerer.summary(), QStringList{"Save: Save was successful."});
    const QByteArray raw = s.folder.read(QStringLiteral("round.cfg"));
    QCOMPARE(raw.count("\r\n"), 52);
    QCOMPARE(raw.count('\n'), 52);
    // The documented line order, field by field.
    const QStringList order = {
        "keszulek_id", "tesztkod_idokoz", "lead_in", "comm_format", "mid", "end_char", "gprs_mode",
        "bazis_vissza", "sms_voice_vissza", "p_auto+auto_test_code", "p_start+start_code",
        "p_restart+restart_code", "csoportszam", "zonaszam", "p_kezi+kezi_test_code",
        "p_kezi_2+kezi_test_code_2", "p_panic+panic_code", "p_panic_2+panic_code_2", "p_be1+be1_code",
        "p_be1_2+be1_code_2", "p_be2+be2_code", "p_be2_2+be2_code_2", "p_be3+be3_code", "p_be3_2+be3_code_2",
        "ki1_on", "ki1_off", "ki2_on", "ki2_off", "ki3_on", "ki3_off", "rele_meghuz", "rele_be_cseng",
        "rele_ki_cseng", "apn", "ip1", "port1", "ip2", "port2", "sms1", "sms2", "sms3", "sms_tiltas", "sms_max",
        "voice1", "voice2"};
    QStringList expected = {"Long"};
    for (const QString &entry : order) {
        QString line;
        for (const QString &name : entry.split(QLatin1Char('+')))
            line += s.edit(name.toLatin1())->text();
        expected << line;
    }
    expected << "1" << "0" << "0" << "1" << "0" << "1";
    QCOMPARE(linesOf(raw), expected);
    QCOMPARE(expected.at(21), QString()); // the emptied input 2 code

    // Scramble the form, then open the file again through the dialog.
    for (QLineEdit *edit : w.findChildren<QLineEdit *>())
        edit->setText(QStringLiteral("9"));
    s.find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Short"));
    s.find<QRadioButton>("gprs_on")->setChecked(true);
    s.find<QRadioButton>("sms_off")->setChecked(true);
    s.find<QRadioButton>("voice_off")->setChecked(true);
    for (const char *frame : {"gprs_frame", "sms_frame", "voice_frame"})
        s.find<QFrame>(frame)->setEnabled(QLatin1String(frame) == QLatin1String("gprs_frame"));
    w.portSettings().imageText = QStringLiteral("stale image");

    FileDialogAnswerer dialogs;
    dialogs.choose(path);
    w.openfile();
    QCOMPARE(dialogs.dialogs.size(), 1);

    QStringList loaded;
    for (const QLineEdit *edit : w.findChildren<QLineEdit *>())
        loaded << edit->objectName() + QLatin1Char('=') + edit->text();
    for (int k = 0; k < texts.size(); ++k) {
        if (!texts.at(k).startsWith(QLatin1String("hscode")))
            QCOMPARE(loaded.at(k), texts.at(k));
    }
    QCOMPARE(handshakeFields(s), (QStringList{"150", "64", "150", "990"}));
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Long"));
    QVERIFY(s.find<QRadioButton>("gprs_off")->isChecked());
    QVERIFY(s.find<QRadioButton>("sms_on")->isChecked());
    QVERIFY(s.find<QRadioButton>("voice_on")->isChecked());
    QVERIFY(!s.find<QFrame>("gprs_frame")->isEnabled());
    QVERIFY(s.find<QFrame>("sms_frame")->isEnabled());
    QVERIFY(s.find<QFrame>("voice_frame")->isEnabled());
    QCOMPARE(s.find<QComboBox>("apnCombo")->currentIndex(), 3);
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("round.cfg"));
    QCOMPARE(w.portSettings().imageText, QString());
    QCOMPARE(s.answerer.summary(), QStringList{"Save: Save was successful."});
}

void TestConfigFiles::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("box");

    const QStringList lines = defaultLines();
    QStringList dashesInside = lines;
    dashesInside[29] = QStringLiteral("---");

    QTest::newRow("53 lines") << fileOf(lines + QStringList{"1"}) << true << badSyntax;
    QTest::newRow("dashes after 52 lines") << fileOf(lines + QStringList{"---"}) << true << badSyntax;
    QTest::newRow("51 lines") << fileOf(lines.mid(0, 51)) << true << badSyntax;
    QTest::newRow("dashes end it at line 30") << fileOf(dashesInside) << true << badSyntax;
    QTest::newRow("empty file") << QByteArray() << true << badSyntax;
    QTest::newRow("missing file") << QByteArray() << false << missing;
}

void TestConfigFiles::rejectedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QFETCH(QString, box);

    StartedWindow s;
    MainWindow &w = s.window();
    w.portSettings().imageText = QStringLiteral("image");
    const QStringList before = s.formState();
    if (exists)
        s.folder.write(QStringLiteral("bad.cfg"), content);

    load(s, s.folder.filePath(QStringLiteral("bad.cfg")));

    QCOMPARE(s.answerer.summary(), QStringList{box});
    QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(s.formState(), before);
    QCOMPARE(w.portSettings().fileName, QStringLiteral("varnidex.dll"));
    QCOMPARE(w.portSettings().imageText, QStringLiteral("image"));
}

void TestConfigFiles::dashesEndTheReading()
{
    StartedWindow s;
    QStringList lines = defaultLines();
    lines[50] = QStringLiteral("0");
    lines[51] = QStringLiteral("---");
    lines << "junk" << "more junk" << "1";
    s.folder.write(QStringLiteral("dashes.cfg"), fileOf(lines));
    s.find<QRadioButton>("voice_off")->setChecked(true);

    load(s, s.folder.filePath(QStringLiteral("dashes.cfg")));

    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("dashes.cfg"));
    // "---" in place of voice_on's line acts like "0".
    QVERIFY(s.find<QRadioButton>("voice_off")->isChecked());
    QVERIFY(!s.find<QFrame>("voice_frame")->isEnabled());
}

void TestConfigFiles::radioPairs_data()
{
    QTest::addColumn<bool>("onBefore");
    QTest::addColumn<QString>("offLine");
    QTest::addColumn<QString>("onLine");
    QTest::addColumn<bool>("onAfter");

    QTest::newRow("1 1 from off") << false << "1" << "1" << true;
    QTest::newRow("0 0 keeps on") << true << "0" << "0" << true;
    QTest::newRow("0 0 keeps off") << false << "0" << "0" << false;
    QTest::newRow("1 0 from on") << true << "1" << "0" << false;
    QTest::newRow("0 1 from off") << false << "0" << "1" << true;
    QTest::newRow("only 1 counts") << false << "yes" << "1 " << false;
}

void TestConfigFiles::radioPairs()
{
    QFETCH(bool, onBefore);
    QFETCH(QString, offLine);
    QFETCH(QString, onLine);
    QFETCH(bool, onAfter);

    StartedWindow s;
    s.find<QRadioButton>(onBefore ? "gprs_on" : "gprs_off")->setChecked(true);
    QStringList lines = defaultLines();
    lines[46] = offLine;
    lines[47] = onLine;
    s.folder.write(QStringLiteral("pair.cfg"), fileOf(lines));

    load(s, s.folder.filePath(QStringLiteral("pair.cfg")));

    QCOMPARE(s.find<QRadioButton>("gprs_on")->isChecked(), onAfter);
    QCOMPARE(s.find<QRadioButton>("gprs_off")->isChecked(), !onAfter);
    QCOMPARE(s.find<QFrame>("gprs_frame")->isEnabled(), onAfter);
}

void TestConfigFiles::operatorFollowsTheApn_data()
{
    QTest::addColumn<QString>("apnLine");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("apn");
    QTest::addColumn<bool>("editable");

    QTest::newRow("NET comes back as net") << "NET" << "Telenor" << "net" << false;
    QTest::newRow("net") << "net" << "Telenor" << "net" << false;
    QTest::newRow("internet") << "internet" << "T-Mobile" << "internet" << false;
    QTest::newRow("Vodafone's APN") << MainWindow::vodafoneApn() << "Vodafone" << MainWindow::vodafoneApn() << false;
    QTest::newRow("case matters") << "Internet" << "Other" << "Internet" << true;
    QTest::newRow("free text") << "my.apn" << "Other" << "my.apn" << true;
}

void TestConfigFiles::operatorFollowsTheApn()
{
    QFETCH(QString, apnLine);

    // Without a default configuration the form starts at "T-Mobile".
    StartedWindow s(StartedWindow::PresetsOnly);
    QStringList lines = defaultLines();
    lines[34] = apnLine;
    s.folder.write(QStringLiteral("apn.cfg"), fileOf(lines));

    load(s, s.folder.filePath(QStringLiteral("apn.cfg")));

    QTEST(s.find<QComboBox>("apnCombo")->currentText(), "item");
    QTEST(s.edit("apn")->text(), "apn");
    QTEST(s.edit("apn")->isEnabled(), "editable");
}

void TestConfigFiles::presetByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("values");

    QTest::newRow("a preset of the file") << "Long" << "Long" << QStringList{"150", "64", "150", "990"};
    QTest::newRow("case matters") << "long" << "Default" << QStringList{"100", "64", "100", "810"};
    QTest::newRow("the other build's word") << "Egyéni" << "Default" << QStringList{"100", "64", "100", "810"};
    QTest::newRow("free entry keeps the numbers") << "Other" << "Other" << QStringList{"100", "64", "100", "400"};
    QTest::newRow("already current") << "Short" << "Short" << QStringList{"1", "2", "3", "4"};
}

void TestConfigFiles::presetByName()
{
    QFETCH(QString, name);
    QFETCH(QString, item);

    StartedWindow s;
    s.find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Short"));
    if (name == QLatin1String("Short")) {
        // Fields typed in by hand survive a load that names the current preset.
        for (int k = 1; k <= 4; ++k)
            s.edit(QStringLiteral("hscode%1").arg(k).toLatin1())->setText(QString::number(k));
    }
    QStringList lines = defaultLines();
    lines[0] = name;
    QFile file(s.folder.filePath(QStringLiteral("preset.cfg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QTextStream out(&file);
    out.setEncoding(QStringConverter::System);
    for (const QString &line : lines)
        out << line << "\r\n";
    out.flush();
    file.close();

    load(s, file.fileName());

    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), item);
    QTEST(handshakeFields(s), "values");
    QCOMPARE(!s.find<QWidget>("handshake")->isHidden(), item == QLatin1String("Other"));
}

void TestConfigFiles::textsCutToFieldLength()
{
    StartedWindow s;
    QStringList lines = defaultLines();
    lines[1] = QStringLiteral("123456");
    lines[10] = QStringLiteral("612345");
    lines[34] = QString(40, QLatin1Char('a'));
    s.folder.write(QStringLiteral("long.cfg"), fileOf(lines));

    load(s, s.folder.filePath(QStringLiteral("long.cfg")));

    QCOMPARE(s.edit("keszulek_id")->text(), QStringLiteral("1234"));
    QCOMPARE(s.edit("p_auto")->text(), QStringLiteral("6"));
    QCOMPARE(s.edit("auto_test_code")->text(), QStringLiteral("123"));
    QCOMPARE(s.edit("apn")->text(), QString(31, QLatin1Char('a')));
}

void TestConfigFiles::shownFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");

    QTest::newRow("no extension") << "plain" << "plain.";
    QTest::newRow("several full stops") << "site.a.b.cfg" << "site.a.b.cfg";
}

void TestConfigFiles::shownFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);

    StartedWindow s;
    saveAs(s, s.folder.filePath(name));
    QCOMPARE(s.fileLabel()->text(), shown);
    QCOMPARE(s.window().portSettings().fileName, shown);

    s.window().newfile();
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("varnidex.dll"));
    load(s, s.folder.filePath(name));
    QCOMPARE(s.fileLabel()->text(), shown);
    QCOMPARE(s.answerer.summary(), QStringList{"Save: Save was successful."});
}

void TestConfigFiles::failedSaveKeepsEverything()
{
    StartedWindow s;
    MainWindow &w = s.window();
    QDir(s.folder.path()).mkdir(QStringLiteral("locked"));
    const QString locked = s.folder.filePath(QStringLiteral("locked"));
    s.folder.write(QStringLiteral("locked/old.cfg"), "previous contents\r\n");

    WriteProtection protection(locked);
    if (!protection.holds())
        QSKIP("this system cannot write-protect a folder for the test");

    for (const QString name : {"old.cfg", "new.cfg"}) {
        saveAs(s, QDir(locked).filePath(name));
        QCOMPARE(s.answerer.summary(), QStringList{saveFailed});
        QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
        s.answerer.boxes.clear();

        QCOMPARE(s.fileLabel()->text(), QStringLiteral("varnidex.dll"));
        QCOMPARE(w.portSettings().filePath, QStringLiteral("varnidex.dll"));
        QCOMPARE(w.portSettings().fileName, QStringLiteral("varnidex.dll"));
        QCOMPARE(s.folder.read(QStringLiteral("locked/old.cfg")), QByteArray("previous contents\r\n"));
        QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"old.cfg"});
    }
}

void TestConfigFiles::cancelledSave()
{
    StartedWindow s;
    const QStringList before = QDir(s.folder.path()).entryList(QDir::Files);
    FileDialogAnswerer dialogs;
    s.window().save();
    QCOMPARE(dialogs.dialogs.size(), 1);
    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(QDir(s.folder.path()).entryList(QDir::Files), before);
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("varnidex.dll"));
}

QTEST_MAIN(TestConfigFiles)
#include "tst_configfiles.moc"
