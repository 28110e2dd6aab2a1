#include "statusbutton.h"

#include "eventwatch.h"
#include "simport.h"
#include "startedwindow.h"

#include <QFontInfo>
#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

// The face as drawn, which a family the system lacks does not tell.
QString fontOf(const QWidget *widget)
{
    const QFontInfo font(widget->font());
    return QStringLiteral("%1 %2px %3").arg(font.family()).arg(font.pixelSize()).arg(font.weight());
}

} // namespace

void verifyStatusButtonKeepsItsLook(StartedWindow &started, SimPort &device, const QString &errorBox)
{
    device.device().setStatusLine("I" "1010" "00" "110" "000000" "1A" "0");
    MainWindow &w = started.window();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *button = started.find<QPushButton>("button_status");

    const QImage ready = button->grab().toImage();
    const QString font = fontOf(button);
    for (const QString &port : {device.comName(), QStringLiteral("COM99")}) {
        w.portSettings().port = port;
        started.answerer.boxes.clear();
        // Taken as the button turns disabled: a failure restores it before
        // any event is processed.
        QString waiting;
        const EventWatch watch(button, QEvent::EnabledChange, [&waiting, button](QObject *, QEvent *) {
            if (!button->isEnabled())
                waiting = fontOf(button);
        });
        button->click();
        QCOMPARE(started.answerer.summary(), port == device.comName() ? QStringList() : QStringList{errorBox});
        QCOMPARE(waiting, font);
        QCOMPARE(fontOf(button), font);
        QVERIFY(button->grab().toImage() == ready);
    }
}
