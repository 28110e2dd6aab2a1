// "Port Settings", the Port menu entry and "Get Status" of a started main
// window against the simulated device: the port label, the model query and
// the status lamps and signal bar.

#include "debugcapture.h"
#include "portfolder.h"
#include "serialline.h"
#include "simport.h"
#include "startedwindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace {

const QByteArray Esc("\x1b");
const QString StatusError = QStringLiteral("Error: Status error.\nPlease check the device!");
const QString ReadyButton =
    QStringLiteral("Get Status on [color: rgb(255, 255, 255); background-color: rgb(0, 106, 159);]");

QString portLabel(const StartedWindow &w)
{
    return w.window().statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly).value(1)->text();
}

QString enabledTabs(const StartedWindow &w)
{
    const auto *tabs = w.find<QTabWidget>("tabWidget");
    QString state;
    for (int i = 0; i < tabs->count(); ++i)
        state += tabs->isTabEnabled(i) ? '+' : '-';
    return state;
}

// Inputs 1-3, panic, outputs 1-3: G green, R red, - grey.
QString lamps(const StartedWindow &w)
{
    const QString green("background-color: rgb(0, 170, 0);"), red("background-color: rgb(255, 0, 0);"),
        grey("background-color: rgb(180, 180, 180);");
    QString state;
    for (const char *name : {"w_be1", "w_be2", "w_be3", "w_panik", "w_ki1", "w_ki2", "w_ki3"}) {
        const QString style = w.find<QWidget>(name)->styleSheet();
        state += style == green ? 'G' : style == red ? 'R' : style == grey ? '-' : '?';
    }
    return state;
}

// "value/maximum chunk colour" of the signal bar.
QString signal(const StartedWindow &w)
{
    const auto *bar = w.find<QProgressBar>("terero");
    const QString style = bar->styleSheet();
    return QStringLiteral("%1/%2 %3").arg(bar->value()).arg(bar->maximum())
        .arg(style.isEmpty() ? QStringLiteral("default") : style.section('#', 1).left(6));
}

QString buttonState(const QPushButton *b)
{
    return QStringLiteral("%1 %2 [%3]").arg(b->text(), b->isEnabled() ? "on" : "off", b->styleSheet());
}

} // namespace

class TestQueries : public QObject
{
    Q_OBJECT

private slots:
    void portButtonQueriesModel();
    void portMenuOnlyChooses();
    void statusAnswers();
    void statusPortBusy();
    void statusCancelled();
};

void TestQueries::portButtonQueriesModel()
{
    SimPort sim(QStringLiteral("COM3"), SimDevice::Model700);
    QVERIFY(sim.isReady());
    hideOtherPorts(sim);
    StartedWindow w;
    auto *button = w.find<QPushButton>("button_port");

    button->click();
    QCOMPARE(w.answerer.summary(), QStringList{"Set Port: The device is available on the following port:\n\nCOM3"});
    QCOMPARE(portLabel(w), QStringLiteral("COM3   Baud: 19200"));
    QCOMPARE(receivedUpToEsc(sim.device()), Esc + "!" + Esc + Esc + "!r03E0\r" + Esc);
    QCOMPARE(w.window().portSettings().deviceType, 4);
    QCOMPARE(enabledTabs(w), QStringLiteral("+++++-"));

    // Found by the search, then silent to the model query: model 0.
    w.answerer.boxes.clear();
    sim.device().clearRecords();
    QTimer mute;
    connect(&mute, &QTimer::timeout, [&sim] {
        if (sim.device().received().size() >= 3)
            sim.device().setSilent(true);
    });
    mute.start(1);
    button->click();
    QCOMPARE(w.answerer.summary().value(1), QStringLiteral("Error: Unknown device! (0)"));
    QCOMPARE(w.window().portSettings().deviceType, 0);
    QCOMPARE(enabledTabs(w), QStringLiteral("------"));
}

void TestQueries::portMenuOnlyChooses()
{
    SimPort sim(QStringLiteral("COM3"));
    QVERIFY(sim.isReady());
    hideOtherPorts(sim);
    StartedWindow w;

    // COM1 is not there, so the one listed port is current; no search, no query.
    QTimer::singleShot(100, [] { qobject_cast<QDialog *>(QApplication::activeModalWidget())->accept(); });
    w.find<QAction>("actionPort")->trigger();
    QCOMPARE(portLabel(w), QStringLiteral("COM3   Baud: 19200"));
    QCOMPARE(w.window().portSettings().port, QStringLiteral("COM3"));
    QCOMPARE(w.window().portSettings().deviceType, 255);
    QCOMPARE(sim.device().received(), QByteArray());
    QVERIFY(w.answerer.boxes.isEmpty());
}

void TestQueries::statusAnswers()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    StartedWindow w;
    auto *button = w.find<QPushButton>("button_status");

    // Cut at the last of two I; signal 0x1A is shown as 25.
    sim.device().setStatusLine("IT:" "I" "1010" "00" "110" "000000" "1A" "0");
    button->click();
    QCOMPARE(lamps(w), QStringLiteral("-G-GRR-"));
    QCOMPARE(signal(w), QStringLiteral("25/27 05B8CC"));
    QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
    QCOMPARE(buttonState(button), ReadyButton);

    // Every lamp is set again; 5 is still weak.
    sim.device().setStatusLine("x" "I" "0101" "00" "001" "000000" "05" "0");
    button->click();
    QCOMPARE(lamps(w), QStringLiteral("G-G---R"));
    QCOMPARE(signal(w), QStringLiteral("5/27 FF0000"));
    QVERIFY(w.answerer.boxes.isEmpty());

    // 17 characters from the I, CR included: too short, nothing shown.
    sim.device().clearRecords();
    sim.device().setStatusLine("ZZ" "I" "0000" "00" "111" "000000");
    button->click();
    QCOMPARE(w.answerer.summary(), QStringList{StatusError});
    QCOMPARE(lamps(w), QStringLiteral("G-G---R"));
    QCOMPARE(signal(w), QStringLiteral("-1/27 default"));
    QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
    QCOMPARE(buttonState(button), ReadyButton);
}

void TestQueries::statusPortBusy()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    StartedWindow w;
    SerialLine holder;
    QVERIFY(holder.open(sim.comName()));
    DebugCapture debug;
    w.find<QPushButton>("button_status")->click();
    QCOMPARE(w.answerer.summary(), QStringList{StatusError});
    QCOMPARE(debug.lines(), QStringList{"unable to open comport"});
    QCOMPARE(buttonState(w.find<QPushButton>("button_status")), ReadyButton);
}

void TestQueries::statusCancelled()
{
    SimPort sim;
    QVERIFY(sim.isReady());
    sim.device().setBaud(300);  // slow enough to cancel in the middle
    StartedWindow w;
    auto *button = w.find<QPushButton>("button_status");
    QStringList during;
    w.answerer.setDialogHandler([&during, button](QWidget *dialog) {
        auto *progress = qobject_cast<QProgressDialog *>(dialog);
        during << buttonState(button) << (progress ? progress->labelText() : QStringLiteral("?"));
        if (progress)
            progress->cancel();
    });

    QElapsedTimer clock;
    clock.start();
    button->click();
    QVERIFY(clock.elapsed() < 2000);  // no wait for the line to fall silent
    QCOMPARE(during, (QStringList{"Please Wait... off [color: rgb(0, 0, 0); background-color: rgb(180, 180, 180);]",
                                  "Getting status & information..."}));
    QCOMPARE(w.answerer.summary(), QStringList{StatusError});
    QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
}

QTEST_MAIN(TestQueries)
#include "tst_queries.moc"
