// "Port Settings", the Port menu entry and "Get Status" of a started main
// window against the simulated device: the port label, the model query and
// the status lamps and signal bar.

#include "applicationfont.h"
#include "debugcapture.h"
#include "eventwatch.h"
#include "portfolder.h"
#include "serialline.h"
#include "simport.h"
#include "startedwindow.h"
#include "statusbutton.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QByteArray Esc("\x1b");
const QString StatusError = QStringLiteral("Error: Status error.\nPlease check the device!");
// The status query's read time-out: its answer ends when the line has been
// silent this long.
const int StatusReadMs = 3000;
// The model query's answer ends after 600 ms of silence, or when its whole
// wait has lasted 2000 ms; it starts 400 ms after the ESC before it.
const int ModelSilenceMs = 600;
const int ModelBoundMs = 2000;
const int ModelPauseMs = 400;
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

} // namespace

class TestQueries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplicationFont(); }

    void portMenuAndButton()
    {
        SimPort sim(QStringLiteral("COM3"), SimDevice::Model700);
        QVERIFY(sim.isReady());
        hideOtherPorts(sim);
        StartedWindow w;
        const auto *tabs = w.find<QTabWidget>("tabWidget");

        // The menu only lets the user choose: COM1 is not there, so the one
        // listed port is current; no search, no query.
        w.answerer.setDialogHandler([](QWidget *dialog) { static_cast<QDialog *>(dialog)->accept(); });
        w.find<QAction>("actionPort")->trigger();
        w.answerer.setDialogHandler(nullptr);
        const auto labels = w.window().statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.value(1)->text(), QStringLiteral("COM3   Baud: 19200"));
        QCOMPARE(w.window().portSettings().deviceType, 255);
        QCOMPARE(sim.device().received(), QByteArray());
        QVERIFY(w.answerer.boxes.isEmpty());

        // The button searches, then asks for the model at the record's rate.
        // The query's wait ends with the silence after the answer, with the
        // bound of the whole wait, or (0) with an answer grown past its size,
        // before either.
        w.window().portSettings().baud = 57600;
        auto *button = w.find<QPushButton>("button_port");
        const QByteArray digits = QByteArray(30, '0') + "08";
        struct Model { const char *device; std::function<void(SimDevice &)> setUp; int type; int waitMs; };
        const Model models[] = {
            // A 700, at once.
            {"prompt", [](SimDevice &) {}, 4, ModelSilenceMs},
            // Found by the search, then silent to the query: model 0.
            {"silent", [](SimDevice &d) { d.keepSending("!r03E0", 0, 0); }, 0, ModelSilenceMs},
            // Never stops sending: the query takes no more than an answer can hold.
            {"streaming", [](SimDevice &d) { d.keepSending("!r03E0", 'x', 5000); }, 0, 0},
            // A byte every half second never lets the line fall silent.
            {"dribbling", [](SimDevice &d) { d.keepSending("!r03E0", '8', -1, 500); }, 0, ModelBoundMs},
            // Whatever comes before the row does no harm: the '!' echo, the
            // command itself, blanks between the bytes.
            {"echo", [&digits](SimDevice &d) { d.setQueryWindow(0); d.answerRead(0x3E0, digits + "\r"); }, 8, ModelSilenceMs},
            {"command echoed", [&digits](SimDevice &d) { d.setQueryWindow(0); d.answerRead(0x3E0, "r03E0" + digits + "\r"); }, 8, ModelSilenceMs},
            {"spaced bytes", [](SimDevice &d) { d.setQueryWindow(0); d.answerRead(0x3E0, QByteArray("00 ").repeated(15) + "04\r"); }, 4, ModelSilenceMs},
            // A line so slow (250 baud) that the answer takes most of the wait:
            // the silence after its CR is cut short, not the answer.
            {"slow line", [](SimDevice &d) { d.setBaud(250); }, 4, ModelBoundMs},
            // Longer than any answer a query takes, however it ends.
            {"too long", [&digits](SimDevice &d) { d.setQueryWindow(0); d.answerRead(0x3E0, QByteArray(100, '0') + digits + "\r"); }, 0, 0},
        };
        const QByteArray wire = Esc + "!" + Esc + Esc + "!r03E0\r" + Esc;
        const int query = wire.indexOf("!r03E0");
        for (const Model &m : models) {
            w.answerer.boxes.clear();
            sim.device().keepSending(QByteArray(), 0);
            sim.device().setQueryWindow(40);
            sim.device().setBaud(0);
            m.setUp(sim.device());
            sim.device().clearRecords();
            button->click();
            QStringList boxes{"Set Port: The device is available on the following port:\n\nCOM3"};
            if (m.type == 0)
                boxes << QStringLiteral("Error: Unknown device! (0)");
            QCOMPARE(w.answerer.summary(), boxes);
            QCOMPARE(w.window().portSettings().deviceType, m.type);
            QString enabled;
            for (int i = 0; i < tabs->count(); ++i)
                enabled += tabs->isTabEnabled(i) ? '1' : '0';
            QCOMPARE(enabled, QLatin1String(m.type == 8 ? "111111" : m.type == 4 ? "111110" : "000000"));
            // The closing ESC too, before the next round clears the record.
            QVERIFY(sim.device().waitForReceived(wire.size(), MustComeMs));
            QCOMPARE(sim.device().received(), wire);
            // Timed by the device: the pause after the ESC before the query,
            // then the query's wait, up to the closing ESC.
            const QString device = QLatin1String(m.device);
            VERIFY_TIMING(named(device, keeps(msBetweenReceipts(sim.device(), query - 1, query), ModelPauseMs)));
            const qint64 ms = msBetweenReceipts(sim.device(), query, wire.size() - 1);
            VERIFY_TIMING(named(device, m.waitMs ? keeps(ms, m.waitMs)
                                                 : isUnder(ms, ModelSilenceMs, "a silence after the answer")));
            QCOMPARE(sim.device().receivedSpeeds().keys(), QList<int>{57600});
            QCOMPARE(sim.device().receivedFormats().keys(), QList<QByteArray>{"8N1"});
        }
    }

    void statusQuery()
    {
        SimPort sim;
        QVERIFY(sim.isReady());
        StartedWindow w;
        auto *button = w.find<QPushButton>("button_status");

        // The query uses the record's rate.
        w.window().portSettings().baud = 57600;
        // The first two reads end when the line has been silent for 3 s, the
        // others with Escape, pressed on the dialog's second turn once the
        // answer is in: the dialog turns while the read waits, and Escape ends
        // the wait at once. Timed from the device taking the query to its
        // taking the closing ESC.
        const QByteArray wire = "!T\r" + Esc;
        struct Answer { QByteArray line; bool silence; bool refused; const char *shown; };
        const Answer answers[] = {
            // Cut at the last of two I; signal 0x1A is shown as 25.
            {"IT:" "I" "1010" "00" "110" "000000" "1A" "0", true, false, "-G-GRR- 25/27 05B8CC"},
            // Longer than the 50 the dialog counts to.
            {QByteArray(40, '-') + "I" "0110" "00" "100" "000000" "0C" "0", true, false, "G--GR-- 12/27 05B8CC"},
            // Every lamp is set again; 5 is still weak.
            {"x" "I" "0101" "00" "001" "000000" "05" "0", false, false, "G-G---R 5/27 FF0000"},
            // Signal digits with a sign or a blank are no number: 0, shown as 3.
            {"I" "0101" "00" "001" "000000" "+F" "0", false, false, "G-G---R 3/27 FF0000"},
            {"I" "0101" "00" "001" "000000" " 9" "0", false, false, "G-G---R 3/27 FF0000"},
            // 17 characters from the I, CR included: too short, the lamps stay.
            // (Should Escape beat the CR, 16 are as short.)
            {"ZZ" "I" "0000" "00" "111" "000000", false, true, "G-G---R -1/27 default"},
        };
        for (const Answer &a : answers) {
            w.answerer.boxes.clear();
            sim.device().clearRecords();
            sim.device().setStatusLine(a.line);
            // Until the answer is judged, the dialog blocks the window. Once
            // it has counted every character, on the turn after (the CR that
            // follows is not counted), the query must still hold the port.
            QStringList lapses;
            QString port;
            int countedTurns = 0;
            QTimer watch;
            connect(&watch, &QTimer::timeout, [&] {
                auto *progress = w.window().findChild<QProgressDialog *>();
                if (!progress || button->isEnabled())
                    return;
                if (!progress->isVisible() || progress->windowModality() != Qt::WindowModal
                    || QApplication::activeModalWidget() != progress)
                    lapses << QString::number(progress->value());
                if (progress->value() != qMin(progress->maximum(), int(a.line.size())) || ++countedTurns != 2)
                    return;
                SerialLine probe;
                port = probe.open(sim.comName()) ? QStringLiteral("free") : QStringLiteral("held");
                if (!a.silence)
                    QTest::keyClick(progress, Qt::Key_Escape);
            });
            watch.start(5);
            button->click();
            watch.stop();
            QCOMPARE(lapses, QStringList());
            QCOMPARE(port, QLatin1String("held"));
            QCOMPARE(w.answerer.summary(), a.refused ? QStringList{StatusError} : QStringList());
            QCOMPARE(panel(w), QLatin1String(a.shown));
            QCOMPARE(receivedUpToEsc(sim.device()), wire);
            const qint64 ms = msBetweenReceipts(sim.device(), wire.size() - 2, wire.size() - 1);
            VERIFY_TIMING(a.silence ? named("silence", keeps(ms, StatusReadMs)) : named("Escape", isPrompt(ms)));
            QCOMPARE(sim.device().receivedSpeeds().keys(), QList<int>{57600});
            QCOMPARE(sim.device().receivedFormats().keys(), QList<QByteArray>{"8N1"});
            QCOMPARE(buttonState(button), ReadyButton);
        }

        // A device that never stops sending: an answer cut short is not what
        // the device said.
        w.answerer.boxes.clear();
        sim.device().clearRecords();
        sim.device().keepSending("!T", '5', 5000);
        button->click();
        QCOMPARE(w.answerer.summary(), QStringList{StatusError});
        QCOMPARE(panel(w), QLatin1String("G-G---R -1/27 default"));
        QCOMPARE(receivedUpToEsc(sim.device()), wire);
        VERIFY_TIMING(isUnder(msBetweenReceipts(sim.device(), wire.size() - 2, wire.size() - 1), StatusReadMs,
                              "the silence that ends an answer"));
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

        // A good answer, cancelled halfway: no wait for the line to fall
        // silent. Timed up to the button turning ready, before the box.
        w.answerer.boxes.clear();
        sim.device().clearRecords();
        sim.device().setStatusLine(answers[0].line);
        sim.device().setBaud(300);
        QStringList during;
        Stamp cancel, ready;
        w.answerer.setDialogHandler([&during, &cancel, button](QWidget *dialog) {
            auto *progress = qobject_cast<QProgressDialog *>(dialog);
            during << buttonState(button) << (progress ? progress->labelText() : QStringLiteral("?"));
            cancel = stampNow();
            if (progress)
                progress->cancel();
        });
        const EventWatch watch(button, QEvent::EnabledChange, [&ready, button](QObject *, QEvent *) {
            if (button->isEnabled())
                ready = stampNow();
        });
        button->click();
        VERIFY_TIMING(isPrompt(msBetween(cancel, ready)));
        QCOMPARE(during, (QStringList{"Please Wait... off [color: rgb(0, 0, 0); background-color: rgb(180, 180, 180);]",
                                      "Getting status & information..."}));
        QCOMPARE(w.answerer.summary(), QStringList{StatusError});
        // The device reads the ESC only once it has sent its whole answer.
        QVERIFY(sim.device().waitForReceived(4, MustComeMs));
        QCOMPARE(sim.device().received(), "!T\r" + Esc);
    }

    void statusButtonKeepsItsLook()
    {
        SimPort sim;
        QVERIFY(sim.isReady());
        StartedWindow w;
        verifyStatusButtonKeepsItsLook(w, sim, StatusError);
    }
};

QTEST_MAIN(TestQueries)
#include "tst_queries.moc"
