#ifndef UPLOAD_H
#define UPLOAD_H

#include "transferdialog.h"

class PortSettings;
class Ui_upload;

// Modal progress dialog of "Read from Device": runs upThread, which fills
// the record's readRows on success, and shows the outcome. Destroying it
// stops a running read-out and waits for its worker, so the rows can be
// examined safely once the dialog is gone.
class upload : public TransferDialog
{
    Q_OBJECT

public:
    upload(PortSettings *settings, QWidget *parent = nullptr);
    ~upload() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void upcomplete();
    void on_buttonBox_clicked();

private:
    void completed() override { upcomplete(); }

    Ui_upload *ui;
};

#endif // UPLOAD_H
