#pragma once

class QApplication;

namespace strumvale::app {

// SIGTERM and SIGINT (a session ending, a package manager, Ctrl+C) end the
// program the orderly way: every event loop returns, the window and the
// library are taken down and the settings written.

// First thing in main: from here on such a signal is kept, not fatal.
void catchTerminationSignals();

// Once the application exists: a kept or later signal quits it as soon as its
// event loop runs.
void quitOnTerminationSignals(QApplication& application);

} // namespace strumvale::app
