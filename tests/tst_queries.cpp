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

#include <chrono>

namespace {

const QByteArray Esc("\x1b");
const QString StatusError = QStringLiteral("Error: Status error.\nPlease check the device!");
const QString ReadyButton =
    QStringLiteral("Get Status on [color: rgb(255, 255, 255); background-color: rgb(0, 106, 159);]");

// Lamps of inputs 1-3, panic and outputs 1-3 (G green, R red, - grey), then
// the signal bar as "value/maximum chunk-colour".
QString panel(const StartedWindow &w)
{
    QString state;
    for (const char *name : {"w_be1", "w_be2", "w_be3", "w_panik", "w_ki1", "w_ki2", "w_ki3"}) {
        const QString style = w.find<QWidget>(name)->styleSheet();
        state += style == "background-color: rgb(0, 170, 0);"       ? 'G'
                 : style == "background-color: rgb(255, 0, 0);"     ? 'R'
                 : style == "background-color: rgb(180, 180, 180);" ? '-' : '?';
    }
    const auto *bar = w.find<QProgressBar>("terero");
    const QString chunk =
        bar->styleSheet().isEmpty() ? QStringLiteral("default") : bar->styleSheet().section('#', 1).left(6);
    return QStringLiteral("%1 %2/%3 %4").arg(state).arg(bar->value()).arg(bar->maximum()).arg(chunk);
}

QString buttonState(const QPushButton *b)
{
    return QStringLiteral("%1 %2 [%3]").arg(b->text(), b->isEnabled() ? "on" : "off", b->styleSheet());
}

// How long ago the device took its last line (the query), in milliseconds.
qint64 msSinceQuery(const SimDevice &device)
{
    const auto since = std::chrono::steady_clock::now() - device.lastLineAt();
    return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

} // namespace

class TestQueries : public QObject
{
    Q_OBJECT

private slots:
    void portMenuAndButton()
    {
        SimPort sim(QStringLiteral("COM3"), SimDevice::Model700);
        QVERIFY(sim.isReady());
        hideOtherPorts(sim);
        StartedWindow w;
        const auto *tabs = w.find<QTabWidget>("tabWidget");

        // The menu only lets the user choose: COM1 is not there, so the one
        // listed port is current; no search, no query.
        QTimer::singleShot(100, [] { qobject_cast<QDialog *>(QApplication::activeModalWidget())->accept(); });
        w.find<QAction>("actionPort")->trigger();
        const auto labels = w.window().statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.value(1)->text(), QStringLiteral("COM3   Baud: 19200"));
        QCOMPARE(w.window().portSettings().deviceType, 255);
        QCOMPARE(sim.device().received(), QByteArray());
        QVERIFY(w.answerer.boxes.isEmpty());

        // The button searches, then asks for the model at the record's rate:
        // a 700 has no voice page. The answer comes at once, and the read
        // ends when the line has been silent for 600 ms.
        w.window().portSettings().baud = 57600;
        auto *button = w.find<QPushButton>("button_port");
        button->click();
        const qint64 modelMs = msSinceQuery(sim.device());
        QCOMPARE(w.answerer.summary(), QStringList{"Set Port: The device is available on the following port:\n\nCOM3"});
        QCOMPARE(receivedUpToEsc(sim.device()), Esc + "!" + Esc + Esc + "!r03E0\r" + Esc);
        QCOMPARE(sim.device().receivedSpeeds().keys(), QList<int>{57600});
        QVERIFY2(modelMs >= 570 && modelMs < 1100, qPrintable(QString::number(modelMs)));
        QCOMPARE(w.window().portSettings().deviceType, 4);
        QVERIFY(tabs->isTabEnabled(4) && !tabs->isTabEnabled(5));

        // Found by the search, then silent to the model query: model 0.
        w.answerer.boxes.clear();
        QTimer mute; // lets the search's handshake through, then keeps quiet
        connect(&mute, &QTimer::timeout, [&sim] {
            if (sim.device().received().size() >= 3)
                sim.device().setSilent(true);
        });
        sim.device().clearRecords();
        mute.start(1);
        button->click();
        QCOMPARE(w.answerer.summary().value(1), QStringLiteral("Error: Unknown device! (0)"));
        QCOMPARE(w.window().portSettings().deviceType, 0);
        QVERIFY(!tabs->isTabEnabled(0));

        // A device that never stops sending: the query takes the start of it.
        mute.stop();
        sim.device().setSilent(false);
        sim.device().keepSending("!r03E0", 'x', 5000);
        sim.device().clearRecords();
        w.answerer.boxes.clear();
        button->click();
        const qint64 streamMs = msSinceQuery(sim.device());
        QVERIFY2(streamMs < 500, qPrintable(QString::number(streamMs)));
        QCOMPARE(w.answerer.summary().value(1), QStringLiteral("Error: Unknown device! (0)"));
        QCOMPARE(receivedUpToEsc(sim.device()), Esc + "!" + Esc + Esc + "!r03E0\r" + Esc);
    }

    void statusQuery()
    {
        SimPort sim;
        QVERIFY(sim.isReady());
        StartedWindow w;
        auto *button = w.find<QPushButton>("button_status");

        // The query uses the record's rate.
        w.window().portSettings().baud = 57600;
        struct Answer { QByteArray line; bool refused; const char *shown; };
        const Answer answers[] = {
            // Cut at the last of two I; signal 0x1A is shown as 25.
            {"IT:" "I" "1010" "00" "110" "000000" "1A" "0", false, "-G-GRR- 25/27 05B8CC"},
            // Every lamp is set again; 5 is still weak.
            {"x" "I" "0101" "00" "001" "000000" "05" "0", false, "G-G---R 5/27 FF0000"},
            // Signal digits with a sign or a blank are no number: 0, shown as 3.
            {"I" "0101" "00" "001" "000000" "+F" "0", false, "G-G---R 3/27 FF0000"},
            {"I" "0101" "00" "001" "000000" " 9" "0", false, "G-G---R 3/27 FF0000"},
            // 17 characters from the I, CR included: too short, the lamps stay.
            {"ZZ" "I" "0000" "00" "111" "000000", true, "G-G---R -1/27 default"},
        };
        for (const Answer &a : answers) {
            w.answerer.boxes.clear();
            sim.device().clearRecords();
            sim.device().setStatusLine(a.line);
            // The first read ends when the line has been silent for 3 s; the
            // others with Escape once the answer is in, at once.
            const bool escape = &a != answers;
            if (escape) {
                QTimer::singleShot(300, &w.window(), [&w] {
                    if (auto *progress = w.window().findChild<QProgressDialog *>())
                        QTest::keyClick(progress, Qt::Key_Escape);
                });
            }
            QElapsedTimer clock;
            clock.start();
            button->click();
            const qint64 ms = escape ? clock.elapsed() : msSinceQuery(sim.device());
            QVERIFY2(escape ? ms < 700 : ms >= 2970 && ms < 3600, qPrintable(QString::number(ms)));
            QCOMPARE(w.answerer.summary(), a.refused ? QStringList{StatusError} : QStringList());
            QCOMPARE(panel(w), QLatin1String(a.shown));
            QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
            QCOMPARE(sim.device().receivedSpeeds().keys(), QList<int>{57600});
            QCOMPARE(buttonState(button), ReadyButton);
        }

        // A device that never stops sending: what came first is judged.
        sim.device().clearRecords();
        sim.device().keepSending("!T", 'x', 5000);
        QElapsedTimer clock;
        clock.start();
        button->click();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(panel(w), QLatin1String("------- 3/27 FF0000"));
        QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
        sim.device().keepSending(QByteArray(), 0);

        // Another program holds the port.
        w.answerer.boxes.clear();
        SerialLine holder;
        QVERIFY(holder.open(sim.comName()));
        DebugCapture debug;
        button->click();
        QCOMPARE(w.answerer.summary(), QStringList{StatusError});
        QCOMPARE(debug.lines(), QStringList{"unable to open comport"});
        QCOMPARE(buttonState(button), ReadyButton);
        holder.close();

        // A good answer, cancelled halfway: no wait for the line to fall silent.
        w.answerer.boxes.clear();
        sim.device().clearRecords();
        sim.device().setStatusLine(answers[0].line);
        sim.device().setBaud(300);
        QStringList during;
        w.answerer.setDialogHandler([&during, button](QWidget *dialog) {
            auto *progress = qobject_cast<QProgressDialog *>(dialog);
            during << buttonState(button) << (progress ? progress->labelText() : QStringLiteral("?"));
            if (progress)
                progress->cancel();
        });
        clock.start();
        button->click();
        QVERIFY(clock.elapsed() < 2000);
        QCOMPARE(during, (QStringList{"Please Wait... off [color: rgb(0, 0, 0); background-color: rgb(180, 180, 180);]",
                                      "Getting status & information..."}));
        QCOMPARE(w.answerer.summary(), QStringList{StatusError});
        QCOMPARE(receivedUpToEsc(sim.device()), "!T\r" + Esc);
    }
};

QTEST_MAIN(TestQueries)
#include "tst_queries.moc"
