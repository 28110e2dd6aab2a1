#ifndef FACTORY_H
#define FACTORY_H

#include "portsettings.h"
#include "transferdialog.h"

#include <QStringList>

class Ui_Factory;

// Modal progress dialog of the threaded row write: runs frThread on a copy
// of the settings and of the row lists and shows the outcome.
// Nothing in the program opens this dialog; the factory reset uses frWriter.
class Factory : public TransferDialog
{
    Q_OBJECT

public:
    Factory(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent = nullptr);
    ~Factory() override;

protected slots:
    void frcomplete();

private:
    void completed() override { frcomplete(); }

    Ui_Factory *ui;
};

#endif // FACTORY_H
