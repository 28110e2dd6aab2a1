#ifndef MODALANSWERER_H
#define MODALANSWERER_H

#include "timing.h"

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Answers the modal message boxes that the code under test opens with the
// static QMessageBox functions (which block in their own event loop), and
// records what they said. Other modal dialogs are handed to a callback.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    struct Box
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        Stamp answeredAt;  // as its button was pressed
    };

    explicit ModalAnswerer(QObject *parent = nullptr);

    // The button pressed on every message box from now on (default Ok).
    void setAnswer(QMessageBox::StandardButton button) { answer = button; }
    // Called for a modal dialog that is not a message box.
    void setDialogHandler(std::function<void(QWidget *)> handler) { dialogHandler = std::move(handler); }

    QList<Box> boxes;

    // Titles and texts joined "title: text", for compact assertions.
    QStringList summary() const;

private:
    void poll();

    QTimer timer;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    std::function<void(QWidget *)> dialogHandler;
    QWidget *handledDialog = nullptr;
};

#endif // MODALANSWERER_H
