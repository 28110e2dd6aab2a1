#ifndef PORTFOLDER_H
#define PORTFOLDER_H

#include <QByteArray>

class SimDevice;
class SimPort;

// Points every COM name that the port folder does not hold yet at nothing,
// so that listing and searching the ports see only the test's own devices,
// whatever serial ports the machine has.
void hideOtherPorts(const SimPort &sim);

// What the device has received, once a closing ESC had time to arrive (the
// device reads on its own thread).
QByteArray receivedUpToEsc(SimDevice &device);

#endif // PORTFOLDER_H
