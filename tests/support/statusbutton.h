#ifndef STATUSBUTTON_H
#define STATUSBUTTON_H

#include <QString>

class SimPort;
class StartedWindow;

// Runs "Get Status" of a started window, shown, twice: against `device`,
// which answers, then against a port that does not exist, whose failure
// shows `errorBox` ("title: text"). The button keeps its font through every
// state, and the ready button is drawn after each query as before the first.
// A failed check fails the calling test.
void verifyStatusButtonKeepsItsLook(StartedWindow &started, SimPort &device, const QString &errorBox);

#endif // STATUSBUTTON_H
