#ifndef WAITS_H
#define WAITS_H

// The bound of a wait for something that must come: a byte on the line, the
// end of a transfer, a timer of the program. Such a wait ends the moment it
// comes, so the bound costs a good run nothing; it only has to be beyond
// doubt on a machine as busy as can be, and never stands for a time that the
// program keeps.
constexpr int MustComeMs = 30000;

#endif // WAITS_H
