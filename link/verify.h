#ifndef VERIFY_H
#define VERIFY_H

#include "portsettings.h"
#include "transferdialog.h"

class QObject;
class Ui_verify;

// Modal progress dialog of the text-image comparison: runs vThread on a copy
// of the settings and on the line edits and check boxes under source, and
// shows whether the device holds the same image. Cancel stops it at any time.
// Nothing in the program opens this dialog.
class verify : public TransferDialog
{
    Q_OBJECT

public:
    verify(PortSettings settings, QObject *source, QWidget *parent = nullptr);
    ~verify() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void vcomplete();
    void on_buttonBox_clicked();

private:
    void completed() override { vcomplete(); }

    Ui_verify *ui;
};

#endif // VERIFY_H
