#include "filedialoganswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

FileDialogAnswerer::FileDialogAnswerer(QObject *parent)
    : QObject(parent)
{
    connect(&timer, &QTimer::timeout, this, &FileDialogAnswerer::poll);
    timer.start(10);
}

void FileDialogAnswerer::poll()
{
    auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
        return;
    dialog->setProperty("answered", true);
    dialogs.append({dialog->windowTitle(), dialog->directory().absolutePath(), dialog->nameFilters()});
    if (chosen.isEmpty()) {
        dialog->reject();
        return;
    }
    // Overwriting is what the tests want; the question box is not under test.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->selectFile(chosen);
    // selectFile leaves the name field alone while it has the focus.
    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->setText(chosen);
    static_cast<QDialog *>(dialog)->accept(); // public in QDialog
}
