#include "mainwindow.h"
#include "modalanswerer.h"
#include "timing.h"
#include "waits.h"
#include "workfolder.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList handshakeFields(const MainWindow &w)
{
    QStringList values;
    for (const char *name : {"hscode1", "hscode2", "hscode3", "hscode4"})
        values << w.findChild<QLineEdit *>(QLatin1String(name))->text();
    return values;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void withoutPresetFile();
    void statusBarAndChecksum();
    void presetFile_data();
    void presetFile();
    void dataFilesThatAreNoFiles_data();
    void dataFilesThatAreNoFiles();
    void handshakeOtherOpensThePanel();
    void apnPresets();
    void quitClosesTheWindow();
};

void TestStartup::withoutPresetFile()
{
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;

    QCOMPARE(answerer.summary(),
             QStringList{"File error: Cannot find the handshake file, only default values are available."});
    QCOMPARE(w.windowTitle(), QStringLiteral("Varnidex 700/800 downloader software v7.04"));
    QCOMPARE(w.minimumSize(), QSize(830, 395));
    QCOMPARE(w.maximumSize(), QSize(830, 395));

    auto *hs = w.findChild<QComboBox *>(QStringLiteral("hs_combo"));
    QCOMPARE(comboItems(hs), (QStringList{"Default", "Other"}));
    QCOMPARE(handshakeFields(w), (QStringList{"100", "64", "100", "810"}));
    QCOMPARE(w.portSettings().handshakeNames, QStringList{"Default"});
    QCOMPARE(w.portSettings().handshakeValues, QStringList{"100,64,100,810"});

    for (const char *name : {"handshake", "w_gomb", "p_kezi_2", "kezi_test_code_2"})
        QVERIFY2(w.findChild<QWidget *>(QLatin1String(name))->isHidden(), name);
    QVERIFY(!w.findChild<QWidget *>(QStringLiteral("hs_combo"))->isHidden());
    QCOMPARE(w.findChild<QTabWidget *>(QStringLiteral("tabWidget"))->currentIndex(), 0);

    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_ip1"))->width(), 91);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_35"))->width(), 116);
}

void TestStartup::statusBarAndChecksum()
{
    WorkFolder folder;
    folder.write(QStringLiteral("handshake.dll"), "Default=100,64,100,810\n");
    ModalAnswerer answerer;
    MainWindow w;
    QVERIFY(answerer.boxes.isEmpty());

    QStringList texts;
    for (QLabel *label : w.statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        texts << label->text();
    QVERIFY(texts.contains(QStringLiteral("No file.")));
    QVERIFY(texts.contains(QStringLiteral("COM1  Baud: 19200")));

    const QStringList sums = {"action8bit_sum", "action16bit_sum", "action24bit_sum", "action32bit_sum",
                              "actionFix"};
    for (const QString &name : sums)
        QCOMPARE(w.findChild<QAction *>(name)->isChecked(), name == QLatin1String("action8bit_sum"));
}

void TestStartup::presetFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<bool>("panelShown");

    QTest::newRow("blanks removed, reading ends at dashes")
        << QByteArray("Fast = 120 , 80 , 90 , 500\r\n- - -\r\nLate=1,2,3,4\r\n")
        << QStringList{"Fast", "Default", "Other"} << QStringList{"120,80,90,500", "100,64,100,810"}
        << QStringList{"120", "80", "90", "500"} << false;
    QTest::newRow("malformed lines skipped, empty name kept")
        << QByteArray("a=b=c\nnoequals\n=1,2,3,4\n") << QStringList{"", "Default", "Other"}
        << QStringList{"1,2,3,4", "100,64,100,810"} << QStringList{"1", "2", "3", "4"} << false;
    // Line 1 of a saved .cfg: "---" would end its reading.
    const QString longest(255, QChar(0x150)); // Ő
    QTest::newRow("names that no .cfg can hold skipped")
        << ("---=1,1,1,1\n" + QByteArray(256, 'N') + "=2,2,2,2\n" + longest.toUtf8() + "=3,3,3,3\n")
        << QStringList{longest, "Default", "Other"} << QStringList{"3,3,3,3", "100,64,100,810"}
        << QStringList{"3", "3", "3", "3"} << false;
    QTest::newRow("code page names") << QByteArray("Caf\xe9=1,2,3,4\n") << QStringList{"Café", "Default", "Other"}
                                     << QStringList{"1,2,3,4", "100,64,100,810"} << QStringList{"1", "2", "3", "4"}
                                     << false;
    QTest::newRow("dashes end a long file")
        << "Fast=1,2,3,4\r\n - - - \r\n" + QByteArray(100000, 'x') << QStringList{"Fast", "Default", "Other"}
        << QStringList{"1,2,3,4", "100,64,100,810"} << QStringList{"1", "2", "3", "4"} << false;
    QTest::newRow("a long file without dashes gives nothing")
        << QByteArray("Fast=1,2,3,4\n").repeated(6000) << QStringList{"Default", "Other"}
        << QStringList{"100,64,100,810"} << QStringList{"100", "64", "100", "810"} << false;
    QTest::newRow("lower-case default suppresses Default")
        << QByteArray("default=1,2,3,4\n") << QStringList{"default", "Other"} << QStringList{"1,2,3,4"}
        << QStringList{"1", "2", "3", "4"} << false;
    QTest::newRow("file's own Default kept") << QByteArray("Default=9,8,7,6\n") << QStringList{"Default", "Other"}
                                             << QStringList{"9,8,7,6"} << QStringList{"9", "8", "7", "6"} << false;
    QTest::newRow("a name twice: the later value wins")
        << QByteArray("A=1,2,3,4\nA=5,6,7,8\n") << QStringList{"A", "A", "Default", "Other"}
        << QStringList{"1,2,3,4", "5,6,7,8", "100,64,100,810"} << QStringList{"5", "6", "7", "8"} << false;
    QTest::newRow("Other from the file fills and opens the panel")
        << QByteArray("Other=7,7,7,7\nX=1,2,3,4\n") << QStringList{"Other", "X", "Default", "Other"}
        << QStringList{"7,7,7,7", "1,2,3,4", "100,64,100,810"} << QStringList{"7", "7", "7", "7"} << true;
    QTest::newRow("short value fills what it has")
        << QByteArray("Two=1,2\n") << QStringList{"Two", "Default", "Other"}
        << QStringList{"1,2", "100,64,100,810"} << QStringList{"1", "2", "100", "810"} << false;
}

void TestStartup::presetFile()
{
    QFETCH(QByteArray, file);
    WorkFolder folder;
    folder.write(QStringLiteral("handshake.dll"), file);
    ModalAnswerer answerer;
    MainWindow w;

    QVERIFY(answerer.boxes.isEmpty());
    QTEST(comboItems(w.findChild<QComboBox *>(QStringLiteral("hs_combo"))), "items");
    QTEST(w.portSettings().handshakeValues, "values");
    QTEST(handshakeFields(w), "fields");
    QTEST(!w.findChild<QWidget *>(QStringLiteral("handshake"))->isHidden(), "panelShown");
}

void TestStartup::dataFilesThatAreNoFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");       // what stands there instead (WorkFolder::makeNoFile)
    QTest::addColumn<QStringList>("boxes");  // of the start-up, the default configuration's load included
    QTest::addColumn<QStringList>("presets");

    const QString notFound = "File error: Cannot find the handshake file, only default values are available.";
    const QString noSuchFile = "File error: The selected file does not exist.";
    const QString unreadable = "File error: Cannot open the selected file. Tip: check file syntax.";
    const QStringList ownPresets = {"Default", "Short", "Long", "Other"};
    const QStringList builtIn = {"Default", "Other"};
    for (const char *kind : {"pipe", "folder", "device"}) {
        QTest::addRow("handshake.dll %s", kind) << "handshake.dll" << kind << QStringList() << builtIn;
        QTest::addRow("varnidex.dll %s", kind) << "varnidex.dll" << kind << QStringList{unreadable} << ownPresets;
    }
    QTest::newRow("handshake.dll dangling link") << "handshake.dll" << "dangling link" << QStringList{notFound}
                                                 << builtIn;
    QTest::newRow("varnidex.dll dangling link") << "varnidex.dll" << "dangling link" << QStringList{noSuchFile}
                                                << ownPresets;
    QTest::newRow("links to files") << "handshake.dll" << "link" << QStringList() << ownPresets;
}

void TestStartup::dataFilesThatAreNoFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    WorkFolder folder;
    folder.copyData(QStringLiteral("handshake.dll"));
    folder.copyData(QStringLiteral("varnidex.dll"));
    if (!folder.makeNoFile(name, kind))
        QSKIP("this system cannot make it");
    ModalAnswerer answerer;
    MainWindow w;
    const Stamp started = stampNow();
    Stamp filled;
    connect(w.findChild<QLineEdit *>(QStringLiteral("keszulek_id")), &QLineEdit::textChanged, &w, [&filled] {
        if (filled == Stamp())
            filled = stampNow();
    });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The default configuration loads half a second after start-up.
    QVERIFY(QTest::qWaitFor([&w] { return !w.portSettings().filePath.isEmpty(); }, MustComeMs));
    if (name != QLatin1String("varnidex.dll"))
        VERIFY_TIMING(keeps(msBetween(started, filled), 500));

    QCOMPARE(folder.pipeReaders(), 0);
    QTEST(answerer.summary(), "boxes");
    QTEST(comboItems(w.findChild<QComboBox *>(QStringLiteral("hs_combo"))), "presets");
    const QLabel *fileLabel = w.statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).value(0);
    QCOMPARE(fileLabel->text(), QLatin1String(name == QLatin1String("varnidex.dll") ? "No file." : "varnidex.dll"));
}

void TestStartup::handshakeOtherOpensThePanel()
{
    WorkFolder folder;
    folder.write(QStringLiteral("handshake.dll"), "Fast=120,80,90,500\n");
    ModalAnswerer answerer;
    MainWindow w;
    auto *hs = w.findChild<QComboBox *>(QStringLiteral("hs_combo"));
    auto *panel = w.findChild<QWidget *>(QStringLiteral("handshake"));

    hs->setCurrentText(QStringLiteral("Other"));
    QVERIFY(!panel->isHidden());
    QCOMPARE(handshakeFields(w), (QStringList{"120", "80", "90", "500"}));

    hs->setCurrentText(QStringLiteral("Default"));
    QVERIFY(panel->isHidden());
    QCOMPARE(handshakeFields(w), (QStringList{"100", "64", "100", "810"}));
}

void TestStartup::apnPresets()
{
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;
    auto *combo = w.findChild<QComboBox *>(QStringLiteral("apnCombo"));
    auto *apn = w.findChild<QLineEdit *>(QStringLiteral("apn"));
    QCOMPARE(comboItems(combo), (QStringList{"T-Mobile", "Telenor", "Vodafone", "Other"}));

    combo->setCurrentIndex(1);
    QCOMPARE(apn->text(), QStringLiteral("net"));
    QVERIFY(!apn->isEnabled());

    combo->setCurrentIndex(3);
    QCOMPARE(apn->text(), QStringLiteral("net"));
    QVERIFY(apn->isEnabled());

    combo->setCurrentIndex(2);
    QCOMPARE(apn->text(), MainWindow::vodafoneApn());
    QVERIFY(!apn->isEnabled());
    QVERIFY(MainWindow::vodafoneApn().size() <= apn->maxLength());

    combo->setCurrentIndex(0);
    QCOMPARE(apn->text(), QStringLiteral("internet"));
    QVERIFY(!apn->isEnabled());
}

void TestStartup::quitClosesTheWindow()
{
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *quit = w.findChild<QAction *>(QStringLiteral("actionExit"));
    QCOMPARE(quit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    quit->trigger();
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
