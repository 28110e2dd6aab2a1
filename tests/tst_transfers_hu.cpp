// The Hungarian program's transfer texts: the dialogs' result labels follow
// the build, their form texts are Hungarian in both; the download's refusals.

#include "buildprofile.h"
#include "dload.h"
#include "simport.h"
#include "startedwindow.h"
#include "transferdriver.h"
#include "upload.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTest>

namespace {

QString resultOf(QDialog &d, const char *label)
{
    d.show();
    if (!QTest::qWaitFor([&d] { return d.findChild<QDialogButtonBox *>()->isEnabled(); }, MustComeMs))
        return QStringLiteral("(no result)");
    return d.findChild<QLabel *>(QLatin1String(label))->text();
}

} // namespace

class TestTransfersHu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BuildProfile::installTexts(qApp); }
    void resultTexts();
    void refusals();
    void valuesThatDoNotFit();
};

void TestTransfersHu::resultTexts()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    QVERIFY(sim.link(QStringLiteral("COM9"), QStringLiteral("/nonexistent/tty")));
    PortSettings good;
    good.port = sim.comName();
    PortSettings missing;
    missing.port = QStringLiteral("COM9");

    dload ok(good, {"w0100"}, {"#"});
    QCOMPARE(ok.windowTitle(), QStringLiteral("Betöltés"));
    QCOMPARE(resultOf(ok, "kiiras"), QStringLiteral("Sikeres betöltés."));
    dload failed(missing, {"w0100"}, {"#"});
    QCOMPARE(resultOf(failed, "kiiras"),
             QStringLiteral("Betöltés hiba.\nTipp: ellenőrizze az eszközt és a port beállítást, majd ismételje meg "
                            "a betöltést."));

    upload readOk(&good);
    QCOMPARE(readOk.windowTitle(), QStringLiteral("Kiolvasás"));
    QCOMPARE(resultOf(readOk, "msg"), QStringLiteral("Sikeres kiolvasás."));
    upload readFailed(&missing);
    QCOMPARE(resultOf(readFailed, "msg"),
             QStringLiteral("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt és a port beállítást."));
}

void TestTransfersHu::refusals()
{
    StartedWindow started;
    for (const auto &[field, value] : {std::pair{"sms_tiltas", "300"}, {"ip1", "1.2.3"}, {"sms1", "+36é"},
                                       {"sms_max", "9x"}, {"ki1_on", "AB#C"}, {"start_code", "7"},
                                       {"p_start", ""}}) {
        QLineEdit *edit = started.edit(field);
        const QString previous = edit->text();
        edit->setText(QString::fromUtf8(value));
        started.window().download();
        edit->setText(previous);
    }
    QCOMPARE(started.answerer.summary(),
             (QStringList{
                 QStringLiteral("Betöltés hiba.: Egy szám a megengedett tartományon kívül esik, ezért nem "
                                "küldhető az eszközre."),
                 QStringLiteral("Betöltés hiba.: Hibás IP cím. Az IP címnek négy, pontokkal elválasztott, 0 és "
                                "255 közötti számból kell állnia."),
                 QStringLiteral("Betöltés hiba.: Egy mező olyan karaktert tartalmaz, amely nem küldhető az "
                                "eszközre."),
                 QStringLiteral("Betöltés hiba.: Egy számmezőben csak egész szám állhat."),
                 QStringLiteral("Betöltés hiba.: A szöveg nem tartalmazhatja a # karaktert, mert az eszköz azt a "
                                "szöveg végének tekinti."),
                 QStringLiteral("Betöltés hiba.: A kódnak három számjegyből kell állnia."),
                 QStringLiteral("Betöltés hiba.: Egy kód nem küldhető el az egyjegyű minősítője nélkül."),
             }));
}

void TestTransfersHu::valuesThatDoNotFit()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    QByteArray image = sim.device().memory();
    image[0x2FB] = char(0xFF);  // the SMS count has two digits
    sim.device().setMemory(image);
    StartedWindow started;
    TransferDriver driver;
    started.window().readup();
    QCOMPARE(driver.results, QStringList{"Sikeres kiolvasás."});
    QCOMPARE(started.answerer.summary(),
             QStringList{QStringLiteral("Kiolvasás az eszközből: Az eszköz alábbi értékei nem férnek el a "
                                        "mezőjükben, ezért ezek a mezők üresen maradtak:\n\nMax. SMS-ek száma: 255")});
}

QTEST_MAIN(TestTransfersHu)
#include "tst_transfers_hu.moc"
