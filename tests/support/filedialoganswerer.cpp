#include "filedialoganswerer.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>

FileDialogAnswerer::FileDialogAnswerer(const QString &chosen)
    : chosen(chosen)
{
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] { poll(); });
    timer.start(10);
}

void FileDialogAnswerer::poll()
{
    auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog->property("answered").toBool())
        return;
    dialog->setProperty("answered", true);
    dialogs << QStringList{dialog->windowTitle(), dialog->nameFilters().join(QLatin1String(";;")),
                           QDir::current().relativeFilePath(dialog->directory().absolutePath())}
                   .join(QLatin1String(" | "));
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
