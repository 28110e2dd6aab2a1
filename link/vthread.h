#ifndef VTHREAD_H
#define VTHREAD_H

#include "portsettings.h"
#include "transferworker.h"

#include <QList>
#include <QString>

class QObject;

// Compares the text image of a form with the one the device sends back, on
// its own thread, at 1200 baud with the device's text protocol ('~' and the
// upload command; no handshake). Only the first 272 characters count.
// Only the verify dialog runs it, and nothing in the program opens that.
class vThread : public TransferWorker
{
    Q_OBJECT

public:
    // What the image is made of, taken from the widgets in the GUI thread so
    // that the worker never touches them.
    struct Form
    {
        struct Edit
        {
            QString name;
            QString text;
        };
        struct Box
        {
            QString group;  // "g.b": group number and bit number (from 1)
            bool checked = false;
        };
        QList<Edit> edits;  // the QLineEdit descendants, depth first
        QList<Box> boxes;   // the QCheckBox descendants, depth first
    };

    // Reads source's widgets now; the caller is the GUI thread.
    vThread(const PortSettings &settings, QObject *source);

    static Form readForm(const QObject *source);
    // The text image of form. False when a field before the last eight holds
    // a character the device cannot take; the image is then incomplete.
    static bool buildImage(const Form &form, char separator, QString *image);
    // The device's answer as text: 0xFF as a blank, every line end as '|'.
    static QString answerText(const QByteArray &answer);
    // The image and the answer agree in their first 272 characters.
    static bool matches(const QString &answer, const QString &image);

protected:
    void run() override;

private:
    PortSettings settings;
    Form form;
};

#endif // VTHREAD_H
