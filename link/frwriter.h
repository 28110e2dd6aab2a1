#ifndef FRWRITER_H
#define FRWRITER_H

#include "portsettings.h"

#include <QStringList>

class QWidget;

// Writes a list of memory rows (a factory image) into the device from the
// GUI thread, behind a window-modal progress dialog that can be cancelled.
// Held by value for one write.
class frWriter
{
public:
    // Only the port of the settings is used; rowData holds, for each
    // command of rowAddr, its bytes as hex with blanks between them.
    frWriter(PortSettings settings, QStringList rowAddr, QStringList rowData, QWidget *parent);

    // Sends every row as an item write and ends with ESC. False when the
    // port cannot be set up, the device does not answer, rejects a row for
    // the third time, or the user cancels; the port is closed either way.
    bool writeRows();

private:
    bool success = false;
    QWidget *parent;
    PortSettings settings;
    QStringList rowAddr;
    QStringList rowData;
};

#endif // FRWRITER_H
