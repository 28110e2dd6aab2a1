#ifndef STARTEDWINDOW_H
#define STARTEDWINDOW_H

#include "mainwindow.h"
#include "modalanswerer.h"
#include "workfolder.h"

#include <QLineEdit>
#include <QStringList>

#include <memory>

class QLabel;

// A main window in a fresh working folder, past its start-up load, so that
// the half-second load cannot land in the middle of a test's own actions.
class StartedWindow
{
public:
    enum Files {
        PresetsAndConfig, // the repository's handshake.dll and varnidex.dll
        PresetsOnly,      // handshake.dll, no default configuration
        NoFiles,          // neither: both start-up notices are shown
    };

    // presets, when given, is the handshake.dll the window starts with.
    explicit StartedWindow(Files files = PresetsAndConfig, const QByteArray &presets = QByteArray());

    WorkFolder folder;
    ModalAnswerer answerer; // records the test's own boxes; start-up boxes are in startupBoxes
    QStringList startupBoxes;

    MainWindow &window() const { return *main; }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }
    template <typename T>
    T *find(const char *name) const
    {
        T *widget = main->findChild<T *>(QLatin1String(name));
        Q_ASSERT_X(widget, "StartedWindow::find", name);
        return widget;
    }
    QLabel *fileLabel() const;

    // The whole state of the form: every line edit's text and own enabled
    // state, every radio button, combo box, frame and tab, and the file label.
    QStringList formState() const;

private:
    std::unique_ptr<MainWindow> main;
};

#endif // STARTEDWINDOW_H
