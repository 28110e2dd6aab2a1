#include "filedialoganswerer.h"
#include "startedwindow.h"
#include "writeprotection.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

const QString saveFailed = QStringLiteral("File error: Cannot save the file. Tip: check that the folder can be written.");
const QString badSyntax = QStringLiteral("File error: Cannot open the selected file. Tip: check file syntax.");
const QString saved = QStringLiteral("Save: Save was successful.");

QByteArray fileOf(const QStringList &lines, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + lineEnd;
    return bytes;
}

// The repository's default configuration, line by line.
QStringList defaultLines()
{
    QFile file(QStringLiteral(DEVLOADER_SOURCE_DIR "/data/varnidex.dll"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).split("\r\n").mid(0, 52)
                                          : QStringList();
}

void load(StartedWindow &s, const QString &name)
{
    s.window().portSettings().filePath = s.folder.filePath(name);
    s.window().loadConfigFile();
}

// A field of /proc/self/status in kB, such as the peak resident size "VmHWM".
qint64 statusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).simplified().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Set in the copy of this suite that runs one test under a file size limit.
const char limitedChild[] = "DEVLOADER_TEST_SIZE_LIMITED";
constexpr rlim_t sizeLimit = 128; // above handshake.dll, below a saved configuration

} // namespace

class TestConfigFiles : public QObject
{
    Q_OBJECT

private slots:
    void saveAfterBareStart();
    void saveAndOpenRoundTrip();
    void rejectedFiles_data();
    void rejectedFiles();
    void acceptedFiles_data();
    void acceptedFiles();
    void hugeFilesInBoundedMemory_data();
    void hugeFilesInBoundedMemory();
    void oldCodePageSavedBack();
    void savedInTheCodePageWhereTheTextFits_data();
    void savedInTheCodePageWhereTheTextFits();
    void failedOrCancelledSaveKeepsEverything();
    void saveBeyondTheFileSizeLimitKeepsEverything();
};

void TestConfigFiles::saveAfterBareStart()
{
    StartedWindow s(StartedWindow::NoFiles);
    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("bare")));
    s.window().save();

    QCOMPARE(dialogs.dialogs, QStringList{"Save File | Varnidex Files (*.cfg) | ."});
    QStringList expected = {"Default", "", "", "0xC4 0xD7", "0x31 0x38", "0x34", "0x00", "0x04", "", "",
                            "6", "6", "6", "00", "000"};
    for (int i = 0; i < 5; ++i)
        expected << "1" << "3";
    expected << QStringList(9) << "internet" << QStringList(11) << "0" << "1" << "0" << "1" << "1" << "0";
    QCOMPARE(s.folder.read(QStringLiteral("bare")), fileOf(expected));
    QCOMPARE(s.answerer.summary(), QStringList{saved});
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("bare.")); // a name without extension keeps its full stop
}

void TestConfigFiles::saveAndOpenRoundTrip()
{
    StartedWindow s;
    MainWindow &w = s.window();
    // A distinct value in every field, disabled ones included, cut to fit.
    s.find<QComboBox>("hs_combo")->setCurrentText(QStringLiteral("Long"));
    s.find<QComboBox>("apnCombo")->setCurrentText(QStringLiteral("Other"));
    int i = 0;
    for (QLineEdit *edit : w.findChildren<QLineEdit *>()) {
        const int max = edit->maxLength();
        ++i;
        if (!edit->objectName().startsWith(QLatin1String("hscode")))
            edit->setText(max == 1   ? QString(QChar('A' + i % 26))
                          : max == 2 ? QString::number(i).rightJustified(2, QLatin1Char('0'))
                                     : QStringLiteral("v%1").arg(i));
    }
    s.edit("p_be2")->clear(); // an empty code line
    s.edit("be2_code")->clear();
    for (const char *radio : {"gprs_off", "sms_on", "voice_on"}) // SMS and voice both on, as only a file can set them
        s.find<QRadioButton>(radio)->setChecked(true);
    s.find<QFrame>("gprs_frame")->setEnabled(false);
    s.find<QFrame>("sms_frame")->setEnabled(true);
    QStringList expectedState = s.formState();
    expectedState.replaceInStrings(QStringLiteral("file label=varnidex.dll"), QStringLiteral("file label=round.a.cfg"));

    const QString path = s.folder.filePath(QStringLiteral("round.a.cfg"));
    FileDialogAnswerer dialogs(path);
    w.save();
    // The documented line order, field by field: 52 lines, each ended by CR LF.
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
    QCOMPARE(s.folder.read(QStringLiteral("round.a.cfg")), fileOf(expected));

    // Back to the default configuration, then open the file again through the dialog.
    w.newfile();
    w.portSettings().imageText = QStringLiteral("stale image");
    w.openfile();

    QCOMPARE(s.formState(), expectedState);
    QCOMPARE(w.portSettings().imageText, QString());
    QCOMPARE(s.answerer.summary(), QStringList{saved});
}

void TestConfigFiles::rejectedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kind"); // "file", "missing" or what WorkFolder::makeNoFile puts there
    QTest::addColumn<bool>("fileOpen"); // chosen in File > Open, else loaded directly
    QTest::addColumn<QString>("box");

    const QStringList lines = defaultLines();
    const QString missing = QStringLiteral("File error: The selected file does not exist.");
    QTest::newRow("53 lines") << fileOf(lines + QStringList{"1"}) << "file" << false << badSyntax;
    QTest::newRow("dashes after 52 lines") << fileOf(lines + QStringList{"---"}) << "file" << false << badSyntax;
    QTest::newRow("empty file") << QByteArray() << "file" << false << badSyntax;
    QTest::newRow("missing file") << QByteArray() << "missing" << false << missing;
    QTest::newRow("named pipe") << QByteArray() << "pipe" << true << badSyntax;
    QTest::newRow("device") << QByteArray() << "device" << true << badSyntax;
    QTest::newRow("folder") << QByteArray() << "folder" << false << badSyntax;
    QTest::newRow("dangling link") << QByteArray() << "dangling link" << false << missing;
}

void TestConfigFiles::rejectedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QFETCH(bool, fileOpen);
    QFETCH(QString, box);
    StartedWindow s;
    s.window().portSettings().imageText = QStringLiteral("image");
    const QStringList before = s.formState();
    if (kind == QLatin1String("file"))
        s.folder.write(QStringLiteral("bad.cfg"), content);
    else if (kind != QLatin1String("missing") && !s.folder.makeNoFile(QStringLiteral("bad.cfg"), kind))
        QSKIP("this system cannot make it");

    if (fileOpen) {
        FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("bad.cfg")));
        s.window().openfile();
        QCOMPARE(dialogs.dialogs.size(), 1);
    } else {
        load(s, QStringLiteral("bad.cfg"));
    }

    QCOMPARE(s.folder.pipeReaders(), 0);
    QCOMPARE(s.answerer.summary(), QStringList{box});
    QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(s.formState(), before);
    QCOMPARE(s.window().portSettings().imageText, QStringLiteral("image"));
}

void TestConfigFiles::acceptedFiles_data()
{
    QTest::addColumn<QStringList>("setup");    // "line index=text" over the default configuration, else a radio
                                               // button to check or "name=text" for a combo box or field
    QTest::addColumn<QStringList>("expected"); // entries of the form state after the load

    QTest::newRow("radio pair 1,1") << QStringList{"gprs_off", "46=1", "47=1"}
                                    << QStringList{"gprs_on=1", "gprs_frame enabled=1"};
    QTest::newRow("radio pair 0,0 keeps on") << QStringList{"46=0", "47=0"}
                                             << QStringList{"gprs_on=1", "gprs_frame enabled=1"};
    QTest::newRow("radio pair 0,0 keeps off") << QStringList{"gprs_off", "46=0", "47=0"}
                                              << QStringList{"gprs_on=0", "gprs_frame enabled=0"};
    QTest::newRow("only 1 counts") << QStringList{"gprs_off", "46=yes", "47=1 "} << QStringList{"gprs_on=0"};
    QTest::newRow("52nd line --- ends the reading") << QStringList{"50=0", "51=---", "52=junk", "53=1"}
                                                    << QStringList{"voice_on=0", "voice_frame enabled=0"};
    QTest::newRow("--- ends a long file") << QStringList{"50=0", "51=---", "52=" + QString(100000, 'x'), "53=1"}
                                          << QStringList{"voice_on=0"};
    QTest::newRow("LF line ends") << QStringList{"line end=\n", "1=4321"} << QStringList{"keszulek_id=4321"};
    QTest::newRow("NET comes back as net") << QStringList{"34=NET"} << QStringList{"apn=net (off)", "apnCombo=Telenor"};
    QTest::newRow("Vodafone's APN") << QStringList{"34=" + MainWindow::vodafoneApn()}
                                    << QStringList{"apn=" + MainWindow::vodafoneApn() + " (off)", "apnCombo=Vodafone"};
    QTest::newRow("APN case matters") << QStringList{"34=Internet"} << QStringList{"apn=Internet", "apnCombo=Other"};
    QTest::newRow("preset of the file") << QStringList{"hs_combo=Short", "0=Long"}
                                        << QStringList{"hs_combo=Long", "hscode1=150", "hscode4=990"};
    QTest::newRow("preset case matters") << QStringList{"hs_combo=Short", "0=long"}
                                         << QStringList{"hs_combo=Default", "hscode4=810"};
    QTest::newRow("free entry keeps the numbers") << QStringList{"hs_combo=Short", "0=Other"}
                                                  << QStringList{"hs_combo=Other", "hscode4=400", "handshake shown=1"};
    QTest::newRow("current preset keeps typed numbers") << QStringList{"hs_combo=Short", "hscode4=4", "0=Short"}
                                                        << QStringList{"hscode4=4"};
    QTest::newRow("texts cut to the field length")
        << QStringList{"1=123456", "10=612345", "34=" + QString(40, 'a')}
        << QStringList{"apn=" + QString(31, 'a'), "auto_test_code=123", "keszulek_id=1234", "p_auto=6 (off)"};
}

void TestConfigFiles::acceptedFiles()
{
    QFETCH(QStringList, setup);
    QFETCH(QStringList, expected);

    // Without a default configuration: "T-Mobile", GPRS and SMS on, the first preset.
    StartedWindow s(StartedWindow::PresetsOnly);
    MainWindow &w = s.window();
    QStringList lines = defaultLines();
    QByteArray lineEnd = "\r\n";
    for (const QString &entry : setup) {
        const QString name = entry.section('=', 0, 0), text = entry.section('=', 1);
        bool isLine = false;
        if (name == QLatin1String("line end")) {
            lineEnd = text.toLatin1();
        } else if (const int at = name.toInt(&isLine); isLine) {
            lines.resize(qMax(lines.size(), at + 1));
            lines[at] = text;
        } else if (auto *combo = w.findChild<QComboBox *>(name)) {
            combo->setCurrentText(text);
        } else if (auto *radio = w.findChild<QRadioButton *>(name)) {
            radio->setChecked(true);
        } else {
            w.findChild<QLineEdit *>(name)->setText(text);
        }
    }
    s.folder.write(QStringLiteral("loaded.cfg"), fileOf(lines, lineEnd));

    load(s, QStringLiteral("loaded.cfg"));

    QCOMPARE(s.answerer.summary(), QStringList());
    QStringList state;
    for (const QString &entry : expected)
        state << s.formState().filter(QRegularExpression('^' + entry.section('=', 0, 0) + '='));
    QCOMPARE(state, expected);
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("loaded.cfg"));
}

void TestConfigFiles::hugeFilesInBoundedMemory_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line"); // repeated to 100 MB; none: zero bytes without a line end

    QTest::newRow("100 MB of lines") << "huge.cfg" << QByteArray("0\r\n");
    QTest::newRow("100 MB without a line end") << "huge.cfg" << QByteArray();
    QTest::newRow("100 MB of presets") << "handshake.dll" << QByteArray("Fast=1,2,3,4\r\n");
    QTest::newRow("100 MB preset file without a line end") << "handshake.dll" << QByteArray();
}

void TestConfigFiles::hugeFilesInBoundedMemory()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    StartedWindow s;
    const QStringList form = s.formState();
    QFile file(s.folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (line.isEmpty()) {
        QVERIFY(file.resize(100 << 20));
    } else {
        const QByteArray block = line.repeated((1 << 20) / line.size());
        for (int i = 0; i < 100; ++i)
            file.write(block);
    }
    file.close();

    // The peak counts from here where the system lets a process reset it.
    QFile peak(QStringLiteral("/proc/self/clear_refs"));
    const bool reset = peak.open(QIODevice::WriteOnly) && peak.write("5") == 1;
    peak.close();
    const qint64 start = statusKb(reset ? "VmRSS" : "VmHWM");
    const bool presets = name == QLatin1String("handshake.dll");
    if (presets)
        s.window().loadHandshakeFile(); // as at start-up
    else
        load(s, name);
    const qint64 growth = statusKb("VmHWM") - start;

    QVERIFY2(start > 0 && growth < 8 * 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(growth)));
    // Too long a preset file is one that cannot be read: no presets, no message.
    QCOMPARE(s.answerer.summary(), presets ? QStringList() : QStringList{badSyntax});
    if (presets)
        QCOMPARE(s.window().portSettings().handshakeNames, QStringList());
    QCOMPARE(s.formState(), form);
}

void TestConfigFiles::oldCodePageSavedBack()
{
    StartedWindow s;
    MainWindow &w = s.window();
    QStringList lines = defaultLines();
    lines[25] = QStringLiteral("Café 5€");
    const QString text = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    const QByteArray old = QStringEncoder("windows-1252").encode(text);
    s.folder.write(QStringLiteral("old.cfg"), old);

    load(s, QStringLiteral("old.cfg"));
    QCOMPARE(s.edit("ki1_on")->text(), QStringLiteral("Café 5€"));
    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("old.cfg")));
    w.save();
    QCOMPARE(s.folder.read(QStringLiteral("old.cfg")), old);

    // The text fits the code page, so a new file gets it too.
    dialogs.chosen = s.folder.filePath(QStringLiteral("new.cfg"));
    w.save();
    QCOMPARE(s.folder.read(QStringLiteral("new.cfg")), old);
    QCOMPARE(s.answerer.summary(), QStringList(2, saved));
}

void TestConfigFiles::savedInTheCodePageWhereTheTextFits_data()
{
    QTest::addColumn<QString>("text"); // in ki1_on of a file read in UTF-8
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("fits") << "Café 5€" << QByteArray("windows-1252");
    QTest::newRow("ő is not in it") << "Nő" << QByteArray("UTF-8");
    QTest::newRow("Cyrillic is not in it") << "Жар" << QByteArray("UTF-8");
    // In the code page these are the bytes C3 A9, which read back as "é".
    QTest::newRow("code page bytes that form UTF-8") << "Ã©" << QByteArray("UTF-8");
}

void TestConfigFiles::savedInTheCodePageWhereTheTextFits()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);
    StartedWindow s;
    QStringList lines = defaultLines();
    lines[25] = text;
    const QString content = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    s.folder.write(QStringLiteral("utf8.cfg"), content.toUtf8());
    load(s, QStringLiteral("utf8.cfg"));

    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("new.cfg")));
    s.window().save();
    QCOMPARE(s.folder.read(QStringLiteral("new.cfg")), QByteArray(QStringEncoder(encoding.constData()).encode(content)));
    s.edit("ki1_on")->clear();
    load(s, QStringLiteral("new.cfg"));
    QCOMPARE(s.edit("ki1_on")->text(), text);
    QCOMPARE(s.answerer.summary(), QStringList{saved});
}

void TestConfigFiles::failedOrCancelledSaveKeepsEverything()
{
    StartedWindow s;
    QDir(s.folder.path()).mkdir(QStringLiteral("locked"));
    const QString locked = s.folder.filePath(QStringLiteral("locked"));
    s.folder.write(QStringLiteral("locked/old.cfg"), "previous contents\r\n");
    const QStringList files = QDir(s.folder.path()).entryList(QDir::Files);

    FileDialogAnswerer dialogs; // cancels
    s.window().save();
    QCOMPARE(s.answerer.summary(), QStringList());
    QCOMPARE(QDir(s.folder.path()).entryList(QDir::Files), files);

    WriteProtection protection(locked);
    if (!protection.holds())
        QSKIP("this system cannot write-protect a folder for the test");
    dialogs.chosen = QDir(locked).filePath(QStringLiteral("old.cfg"));
    s.window().save();
    QCOMPARE(s.answerer.summary(), QStringList{saveFailed});
    QCOMPARE(s.answerer.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("varnidex.dll"));
    QCOMPARE(s.window().portSettings().filePath, QStringLiteral("varnidex.dll"));
    QCOMPARE(s.folder.read(QStringLiteral("locked/old.cfg")), QByteArray("previous contents\r\n"));
    QCOMPARE(QDir(locked).entryList(QDir::Files | QDir::Hidden), QStringList{"old.cfg"});
}

void TestConfigFiles::saveBeyondTheFileSizeLimitKeepsEverything()
{
    if (!qEnvironmentVariableIsSet(limitedChild)) {
        // The limit holds for a child process only, which runs this test again.
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(limitedChild), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.setChildProcessModifier([] {
            const rlimit limit{sizeLimit, sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            ::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the process
        });
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(QTest::currentTestFunction())});
        QVERIFY(child.waitForFinished(120000));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        return;
    }

    rlimit limit{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur == sizeLimit);
    StartedWindow s(StartedWindow::PresetsOnly);
    const QByteArray old("previous contents\r\n");
    s.folder.write(QStringLiteral("old.cfg"), old);
    const QStringList files = QDir(s.folder.path()).entryList(QDir::Files | QDir::Hidden);

    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("old.cfg")));
    s.window().save(); // some 170 bytes

    QCOMPARE(s.answerer.summary(), QStringList{saveFailed});
    QCOMPARE(s.folder.read(QStringLiteral("old.cfg")), old);
    QCOMPARE(QDir(s.folder.path()).entryList(QDir::Files | QDir::Hidden), files);
    QCOMPARE(s.fileLabel()->text(), QStringLiteral("No file."));
    QCOMPARE(s.window().portSettings().filePath, QStringLiteral("varnidex.dll"));
}

QTEST_MAIN(TestConfigFiles)
#include "tst_configfiles.moc"
