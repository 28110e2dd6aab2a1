#ifndef SETCOM_H
#define SETCOM_H

#include "devicelink.h"

#include <QDialog>
#include <QPair>
#include <QString>
#include <QStringList>

class QEvent;
class Ui_setcom;

// The port dialog: lists the COM ports that open at the moment and can
// search them for the device with a one-try '!' probe. The baud box only
// shows the rate it was given; the dialog never changes it.
//
// Everything runs in the GUI thread; the search blocks it for up to one read
// time-out per listed port.
class setcom : public QDialog
{
    Q_OBJECT

public:
    // timeout: the read time-out of the search in ms. With autoSearch the
    // search runs here, before the caller shows the dialog.
    setcom(const QString &port, int baud, int timeout, bool autoSearch, QWidget *parent = nullptr);
    ~setcom() override;

    // The chosen port name and the baud box's rate (0 when it shows none).
    QPair<QString, int> portSelection() const;

public slots:
    // Lists "COM1".."COM31" that open for exclusive use.
    void lookupCom();
    // Lists again, then probes every listed port; the last one that answers
    // wins.
    void autoLookup();

protected:
    void changeEvent(QEvent *event) override;

private:
    DeviceLink handle;
    QStringList foundPorts;
    QString port;
    QString baudText;
    int timeout;
    Ui_setcom *ui;

    // The form's fixed item lists, put back on a language change.
    QStringList formPorts;
    QStringList formBauds;
};

#endif // SETCOM_H
