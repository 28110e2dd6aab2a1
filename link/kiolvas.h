#ifndef KIOLVAS_H
#define KIOLVAS_H

#include "transferdialog.h"

class PortSettings;
class Ui_kiolvas;

// Modal progress dialog of the byte-wise block read-out: runs rdThread,
// which fills the record's readRows on success, and shows the outcome.
// Destroying it stops a running read-out and waits for its worker.
// Nothing in the program opens this dialog.
class kiolvas : public TransferDialog
{
    Q_OBJECT

public:
    kiolvas(PortSettings *settings, QWidget *parent = nullptr);
    ~kiolvas() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void rdcomplete();
    void on_buttonBox_clicked();

private:
    void completed() override { rdcomplete(); }

    Ui_kiolvas *ui;
};

#endif // KIOLVAS_H
