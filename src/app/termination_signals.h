#pragma once

class QApplication;

namespace strumvale::app {

// SIGTERM and SIGINT (a session ending, a package manager, Ctrl+C) end the
// program the orderly way: every event loop returns, the window and the
// library are taken down and the settings written. The request is handled by
// the event loop, so it takes effect once the window runs.
void quitOnTerminationSignals(QApplication& application);

} // namespace strumvale::app
