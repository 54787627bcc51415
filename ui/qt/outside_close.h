// Ends that come from outside the program, taken as closing its window (so
// the sound is released the usual way): SIGTERM, SIGINT and SIGHUP (kill,
// Ctrl+C, logging out). The handler only writes the signal to a pipe, and the
// event loop closes the window when it reads it.
#pragma once

class QWidget;

namespace zenko {

// Catches the three signals from now on. Call first thing in main, before any
// library can install handlers of its own; a signal that comes before the
// window exists waits in the pipe.
void catch_ending_signals();

// Closes the window, through its close event, once one of the signals came.
// Needs the application object.
void close_on_ending_signal(QWidget& window);

// Under X, closes the window as the user would when another client destroys
// its native window; the program would otherwise run on with nothing shown.
void close_when_destroyed_outside(QWidget& window);

}  // namespace zenko
