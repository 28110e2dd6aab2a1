#include "startedwindow.h"

#include "waits.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

StartedWindow::StartedWindow(Files files, const QByteArray &presets)
{
    if (!presets.isNull())
        folder.write(QStringLiteral("handshake.dll"), presets);
    else if (files != NoFiles)
        folder.copyData(QStringLiteral("handshake.dll"));
    if (files == PresetsAndConfig)
        folder.copyData(QStringLiteral("varnidex.dll"));
    main = std::make_unique<MainWindow>();

    // newfile() sets the path before it loads, and the load (boxes included)
    // runs to its end before the wait looks again.
    if (!QTest::qWaitFor([this] { return !main->portSettings().filePath.isEmpty(); }, MustComeMs))
        qWarning("the start-up load of the main window did not finish");
    startupBoxes = answerer.summary();
    answerer.boxes.clear();
}

QLabel *StartedWindow::fileLabel() const
{
    // The first label of the status bar.
    const QList<QLabel *> labels = main->statusBar()->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
    return labels.value(0);
}

QStringList StartedWindow::formState() const
{
    // A widget's own enabled state, not the one inherited from a disabled tab.
    const auto enabled = [](const QWidget *widget) { return !widget->testAttribute(Qt::WA_ForceDisabled); };
    QStringList state;
    for (const QLineEdit *edit : main->findChildren<QLineEdit *>())
        state << QStringLiteral("%1=%2%3").arg(edit->objectName(), edit->text(),
                                                 enabled(edit) ? QString() : QStringLiteral(" (off)"));
    for (const QRadioButton *radio : main->findChildren<QRadioButton *>())
        state << QStringLiteral("%1=%2").arg(radio->objectName()).arg(radio->isChecked());
    for (const QComboBox *combo : main->findChildren<QComboBox *>())
        state << QStringLiteral("%1=%2").arg(combo->objectName(), combo->currentText());
    for (const QFrame *frame : main->findChildren<QFrame *>(QRegularExpression(QStringLiteral("_frame$"))))
        state << QStringLiteral("%1 enabled=%2").arg(frame->objectName()).arg(enabled(frame));
    const auto *tabs = main->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    for (int i = 0; i < tabs->count(); ++i)
        state << QStringLiteral("tab %1 enabled=%2").arg(i).arg(tabs->isTabEnabled(i));
    state << QStringLiteral("handshake shown=%1").arg(!main->findChild<QWidget *>(QStringLiteral("handshake"))->isHidden());
    state << QStringLiteral("file label=%1").arg(fileLabel()->text());
    // The tab widget reorders its pages among its children, so the order of
    // a walk over the window says nothing.
    state.sort();
    return state;
}
