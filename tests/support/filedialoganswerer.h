#ifndef FILEDIALOGANSWERER_H
#define FILEDIALOGANSWERER_H

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers the file dialogs that the code under test opens with the static
// QFileDialog functions: picks the given path, or cancels when it is empty,
// and records how the dialog was set up. Each dialog is answered once, even
// when a later one reuses the address of an earlier one.
class FileDialogAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit FileDialogAnswerer(QObject *parent = nullptr);

    // The file chosen in every dialog from now on; empty cancels.
    void choose(const QString &path) { chosen = path; }

    struct Dialog
    {
        QString caption;
        QString directory;
        QStringList nameFilters;
    };
    QList<Dialog> dialogs;

private:
    void poll();

    QTimer timer;
    QString chosen;
};

#endif // FILEDIALOGANSWERER_H
