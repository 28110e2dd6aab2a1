#include "buildprofile.h"
#include "filedialoganswerer.h"
#include "startedwindow.h"
#include "writeprotection.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QStringEncoder>
#include <QTest>

// The Hungarian program's messages of the configuration files, the field
// checks and the model switch, letter for letter.
class TestEditorMessagesHu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BuildProfile::installTexts(qApp); }
    void messages();
    void oldCodePageSavedBack();
    void savedInTheCodePageWhereTheTextFits_data();
    void savedInTheCodePageWhereTheTextFits();
};

void TestEditorMessagesHu::messages()
{
    StartedWindow s(StartedWindow::NoFiles);
    MainWindow &w = s.window();
    QCOMPARE(s.startupBoxes.value(1), QStringLiteral("File hiba: A kiválasztott fájl nem létezik."));
    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("hu.cfg")));
    w.save();
    QCOMPARE(dialogs.dialogs, QStringList{"Save File | Varnidex Files (*.cfg) | ."}); // not translated

    // The free-entry preset is found by its Hungarian name.
    s.folder.write(QStringLiteral("hu.cfg"), QStringLiteral("Egyéni").toUtf8() + s.folder.read("hu.cfg").mid(7));
    w.portSettings().filePath = s.folder.filePath(QStringLiteral("hu.cfg"));
    w.loadConfigFile();
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Egyéni"));

    s.folder.write(QStringLiteral("hu.cfg"), "Default\r\n");
    w.loadConfigFile();
    QDir(s.folder.path()).mkdir(QStringLiteral("locked"));
    WriteProtection protection(s.folder.filePath(QStringLiteral("locked")));
    const bool locked = protection.holds();
    if (locked) {
        dialogs.chosen = s.folder.filePath(QStringLiteral("locked/hu.cfg"));
        w.save();
    }

    s.edit("keszulek_id")->setText(QStringLiteral("12a4"));
    w.input_g1();
    s.edit("tesztkod_idokoz")->setText(QStringLiteral("241"));
    s.edit("hscode2")->setText(QStringLiteral("256"));
    w.input_g1();
    s.edit("sms1")->setText(QStringLiteral("30-1"));
    w.input_g5();
    s.edit("ip2")->setText(QStringLiteral("1.2.3"));
    w.input_g4();
    w.portSettings().deviceType = 255;
    w.applyDeviceType(255);

    QStringList expected = {QStringLiteral("Mentés: Sikeres mentés.")};
    expected
             << QStringLiteral("File hiba: Nem lehet megnyitni a fájlt. Tipp: ellenőrizze a fájl szintaxisát.");
    if (locked)
        expected << QStringLiteral("File hiba: A fájl nem menthető. Tipp: ellenőrizze, hogy a mappa írható-e.");
    expected << QStringLiteral("Beviteli hiba: Csak számok adhatóak meg!")
             << QStringLiteral("Beviteli hiba: Az érték maximum 240 lehet!")
             << QStringLiteral("Beviteli hiba: A mezo maximális értéke 255 lehet!")
             << QStringLiteral("Beviteli hiba: Csak helyes telefonszám adható meg!")
             << QStringLiteral("Beviteli hiba: Csak helyes IP cím adható meg!")
             << QStringLiteral("Hiba: Ismeretlen eszköz! (255)");
    QCOMPARE(s.answerer.summary(), expected);
}

// Older Hungarian installs wrote their files in Windows-1250.
void TestEditorMessagesHu::oldCodePageSavedBack()
{
    StartedWindow s;
    QList<QByteArray> lines = s.folder.read(QStringLiteral("varnidex.dll")).split('\n');
    lines[25] = QStringEncoder("windows-1250").encode(QStringLiteral("Őrző űr\r"));
    const QByteArray old = lines.join('\n');
    s.folder.write(QStringLiteral("old.cfg"), old);
    s.window().portSettings().filePath = s.folder.filePath(QStringLiteral("old.cfg"));
    s.window().loadConfigFile();
    QCOMPARE(s.edit("ki1_on")->text(), QStringLiteral("Őrző űr"));

    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("old.cfg")));
    s.window().save();
    QCOMPARE(s.folder.read(QStringLiteral("old.cfg")), old);
}

void TestEditorMessagesHu::savedInTheCodePageWhereTheTextFits_data()
{
    QTest::addColumn<QString>("text"); // in ki1_on of a file read in UTF-8, with the free-entry preset
    QTest::addColumn<QByteArray>("encoding");

    QTest::newRow("fits") << QStringLiteral("Őrző űr 5€") << QByteArray("windows-1250");
    QTest::newRow("Cyrillic is not in it") << QStringLiteral("Жар") << QByteArray("UTF-8");
}

void TestEditorMessagesHu::savedInTheCodePageWhereTheTextFits()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, encoding);
    StartedWindow s;
    QStringList lines = QString::fromLatin1(s.folder.read(QStringLiteral("varnidex.dll"))).split(QLatin1String("\r\n"));
    lines[0] = QStringLiteral("Egyéni");
    lines[25] = text;
    const QString content = lines.join(QLatin1String("\r\n"));
    s.folder.write(QStringLiteral("utf8.cfg"), content.toUtf8());
    s.window().portSettings().filePath = s.folder.filePath(QStringLiteral("utf8.cfg"));
    s.window().loadConfigFile();

    FileDialogAnswerer dialogs(s.folder.filePath(QStringLiteral("new.cfg")));
    s.window().save();
    QCOMPARE(s.folder.read(QStringLiteral("new.cfg")), QByteArray(QStringEncoder(encoding.constData()).encode(content)));
    s.edit("ki1_on")->clear();
    s.find<QComboBox>("hs_combo")->setCurrentIndex(0);
    s.window().loadConfigFile();
    QCOMPARE(s.edit("ki1_on")->text(), text);
    QCOMPARE(s.find<QComboBox>("hs_combo")->currentText(), QStringLiteral("Egyéni"));
    QCOMPARE(s.answerer.summary(), QStringList{QStringLiteral("Mentés: Sikeres mentés.")});
}

QTEST_MAIN(TestEditorMessagesHu)
#include "tst_editormessages_hu.moc"
