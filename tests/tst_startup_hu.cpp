#include "applicationfont.h"
#include "buildprofile.h"
#include "mainwindow.h"
#include "modalanswerer.h"
#include "simport.h"
#include "startedwindow.h"
#include "statusbutton.h"
#include "workfolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

// The Hungarian program: same window, its own texts, letter for letter.
class TestStartupHu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        BuildProfile::installTexts(qApp);
        setUpApplicationFont();
    }
    void constants();
    void textsShowAsWritten();
    void freeEntryItemIsEgyeni();
    void factoryResetQuestion();
    void statusError();
    void statusButtonKeepsItsLook();
};

void TestStartupHu::constants()
{
    QCOMPARE(BuildProfile::helpDocument(), QStringLiteral("Varnidex-help.pdf"));
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_ip1"))->geometry(), QRect(10, 120, 81, 16));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_35"))->geometry(), QRect(10, 140, 100, 16));
}

void TestStartupHu::textsShowAsWritten()
{
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;

    QCOMPARE(w.windowTitle(), QStringLiteral("Varnidex 700/800 letöltő szoftver v7.04"));
    QCOMPARE(answerer.summary(),
             QStringList{QStringLiteral("File hiba: A handshake.dll file nem található, így csak az "
                                        "alapértelmezett érték érhető el.")});

    QStringList status;
    for (QLabel *label : w.statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly))
        status << label->text();
    QVERIFY(status.contains(QStringLiteral("Nincs megnyitott fájl.")));

    auto *tabs = w.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Általános"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Kimenetek"));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_7"))->text(), QStringLiteral("1-es kimenet meghúzási idő"));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_54"))->text(), QStringLiteral("Kimenetek:"));
    QCOMPARE(w.findChild<QGroupBox *>(QStringLiteral("g_eszkoz"))->title(), QStringLiteral("Eszköz"));
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("actionFactorydefault"))->text(),
             QStringLiteral("Gyári beállítások visszatöltése"));
    // Texts that are the same in both programs stay as they are.
    QCOMPARE(w.findChild<QAction *>(QStringLiteral("actionVerify"))->text(), QStringLiteral("Betöltés ellenőrzése"));
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("label_5"))->text(), QStringLiteral("Port 1 "));
}

void TestStartupHu::freeEntryItemIsEgyeni()
{
    WorkFolder folder;
    ModalAnswerer answerer;
    MainWindow w;
    auto *hs = w.findChild<QComboBox *>(QStringLiteral("hs_combo"));
    QCOMPARE(hs->itemText(hs->count() - 1), QStringLiteral("Egyéni"));

    auto *apnCombo = w.findChild<QComboBox *>(QStringLiteral("apnCombo"));
    auto *apn = w.findChild<QLineEdit *>(QStringLiteral("apn"));
    QCOMPARE(apnCombo->itemText(3), QStringLiteral("Egyéni"));
    apnCombo->setCurrentIndex(1);
    QVERIFY(!apn->isEnabled());
    apnCombo->setCurrentIndex(3);
    QVERIFY(apn->isEnabled());
    QCOMPARE(apn->text(), QStringLiteral("net"));

    hs->setCurrentIndex(hs->count() - 1);
    QVERIFY(!w.findChild<QWidget *>(QStringLiteral("handshake"))->isHidden());
}

void TestStartupHu::factoryResetQuestion()
{
    // Past the start-up load, whose box would join the question's otherwise.
    StartedWindow started;
    started.answerer.setAnswer(QMessageBox::Cancel);
    started.find<QAction>("actionFactorydefault")->trigger();
    QCOMPARE(started.answerer.summary(),
             QStringList{QStringLiteral("Figyelmeztetés: Biztosan visszaállítja a gyári memória tartalmat?\n"
                                        "Ez a művelet felülír minden eddigi belállítást!")});
}

void TestStartupHu::statusError()
{
    StartedWindow started;
    started.window().portSettings().port = QStringLiteral("COM99");  // a port that does not exist
    auto *button = started.find<QPushButton>("button_status");
    button->click();
    QCOMPARE(started.answerer.summary(),
             QStringList{QStringLiteral("Hiba: Sikertelen lekérdezés.\nEllenőrizze az eszközt!")});
    QCOMPARE(button->text(), QStringLiteral("Állapot lekérdezése"));
    QVERIFY(button->isEnabled());
}

void TestStartupHu::statusButtonKeepsItsLook()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    StartedWindow started;
    verifyStatusButtonKeepsItsLook(started, sim,
                                   QStringLiteral("Hiba: Sikertelen lekérdezés.\nEllenőrizze az eszközt!"));
}

QTEST_MAIN(TestStartupHu)
#include "tst_startup_hu.moc"
