#ifndef FILEDIALOGANSWERER_H
#define FILEDIALOGANSWERER_H

#include <QStringList>
#include <QTimer>

// Answers the file dialogs that the code under test opens with the static
// QFileDialog functions: picks `chosen`, or cancels when it is empty. Each
// dialog is answered once, even when a later one reuses the address of an
// earlier one, and recorded as "caption | name filters | folder", the folder
// relative to the current one.
class FileDialogAnswerer
{
public:
    explicit FileDialogAnswerer(const QString &chosen = QString());

    QString chosen;
    QStringList dialogs;

private:
    void poll();

    QTimer timer;
};

#endif // FILEDIALOGANSWERER_H
