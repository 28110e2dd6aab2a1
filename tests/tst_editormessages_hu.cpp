#include "buildprofile.h"
#include "filedialoganswerer.h"
#include "startedwindow.h"
#include "writeprotection.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTest>

// The Hungarian program's messages of the configuration files, the field
// checks and the model switch, letter for letter.
class TestEditorMessagesHu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BuildProfile::installTexts(qApp); }
    void fileMessages();
    void freeEntryPresetInAFile();
    void validationMessages();
    void unknownModel();
};

void TestEditorMessagesHu::fileMessages()
{
    StartedWindow s(StartedWindow::NoFiles);
    QCOMPARE(s.startupBoxes,
             (QStringList{QStringLiteral("File hiba: A handshake.dll file nem található, így csak az "
                                         "alapértelmezett érték érhető el."),
                          QStringLiteral("File hiba: A kiválasztott fájl nem létezik.")}));

    FileDialogAnswerer dialogs;
    dialogs.choose(s.folder.filePath(QStringLiteral("hu.cfg")));
    s.window().save();
    QCOMPARE(dialogs.dialogs.at(0).caption, QStringLiteral("Save File"));
    QCOMPARE(s.answerer.summary(), QStringList{QStringLiteral("Mentés: Sikeres mentés.")});
    s.answerer.boxes.clear();

    s.folder.write(QStringLiteral("short.cfg"), "Default\r\n");
    s.window().portSettings().filePath = s.folder.filePath(QStringLiteral("short.cfg"));
    s.window().loadConfigFile();
    QCOMPARE(s.answerer.summary(),
             QStringList{QStringLiteral("File hiba: Nem lehet megnyitni a fájlt. Tipp: ellenőrizze a fájl "
                                        "szintaxisát.")});
    s.answerer.boxes.clear();

    QDir(s.folder.path()).mkdir(QStringLiteral("locked"));
    WriteProtection protection(s.folder.filePath(QStringLiteral("locked")));
    if (!protection.holds())
        QSKIP("this system cannot write-protect a folder for the test");
    dialogs.choose(s.folder.filePath(QStringLiteral("locked/hu.cfg")));
    s.window().save();
    QCOMPARE(s.answerer.summary(),
             QStringList{QStringLiteral("File hiba: A fájl nem menthető. Tipp: ellenőrizze, hogy a mappa írható-e.")});
}

void TestEditorMessagesHu::freeEntryPresetInAFile()
{
    StartedWindow s;
    auto *hs = s.find<QComboBox>("hs_combo");
    QCOMPARE(hs->itemText(hs->count() - 1), QStringLiteral("Egyéni"));

    QFile file(QStringLiteral(DEVLOADER_SOURCE_DIR "/data/varnidex.dll"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray rest = file.readAll().mid(int(qstrlen("Default\r\n")));
    for (const QString &name : {QStringLiteral("Egyéni"), QStringLiteral("Other")}) {
        s.folder.write(QStringLiteral("preset.cfg"), name.toUtf8() + "\r\n" + rest);
        s.window().portSettings().filePath = s.folder.filePath(QStringLiteral("preset.cfg"));
        s.window().loadConfigFile();
        QCOMPARE(hs->currentText(), name == QLatin1String("Other") ? QStringLiteral("Default") : name);
    }
    QCOMPARE(s.answerer.summary(), QStringList());
}

void TestEditorMessagesHu::validationMessages()
{
    StartedWindow s;
    MainWindow &w = s.window();
    s.edit("keszulek_id")->setText(QStringLiteral("12a4"));
    w.input_g1();
    s.edit("tesztkod_idokoz")->setText(QStringLiteral("241"));
    s.edit("hscode2")->setText(QStringLiteral("256"));
    w.input_g1();
    s.edit("sms1")->setText(QStringLiteral("30-1"));
    w.input_g5();
    s.edit("ip2")->setText(QStringLiteral("1.2.3"));
    w.input_g4();

    QCOMPARE(s.answerer.summary(),
             (QStringList{QStringLiteral("Beviteli hiba: Csak számok adhatóak meg!"),
                          QStringLiteral("Beviteli hiba: Az érték maximum 240 lehet!"),
                          QStringLiteral("Beviteli hiba: A mezo maximális értéke 255 lehet!"),
                          QStringLiteral("Beviteli hiba: Csak helyes telefonszám adható meg!"),
                          QStringLiteral("Beviteli hiba: Csak helyes IP cím adható meg!")}));
}

void TestEditorMessagesHu::unknownModel()
{
    StartedWindow s;
    s.window().portSettings().deviceType = 255;
    s.window().applyDeviceType(255);
    QCOMPARE(s.answerer.summary(), QStringList{QStringLiteral("Hiba: Ismeretlen eszköz! (255)")});
}

QTEST_MAIN(TestEditorMessagesHu)
#include "tst_editormessages_hu.moc"
