#ifndef DLOAD_H
#define DLOAD_H

#include "portsettings.h"
#include "transferdialog.h"

#include <QStringList>

class Ui_dload;

// Modal progress dialog of "Download into Device": runs dlThread on a copy
// of the settings and the write list and shows the outcome.
class dload : public TransferDialog
{
    Q_OBJECT

public:
    dload(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent = nullptr);
    ~dload() override;

protected:
    void changeEvent(QEvent *event) override;

protected slots:
    void dlcomplete();

private:
    void completed() override { dlcomplete(); }

    Ui_dload *ui;
};

#endif // DLOAD_H
