#include "app/termination_signals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace strumvale::app {
namespace {

// Written from the signal handler, the only thing it may safely do.
int signalSocket[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
}

} // namespace

void catchTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

void quitOnTerminationSignals(QApplication& application) {
    if (signalSocket[1] < 0)
        return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [notifier] {
        notifier->setEnabled(false);
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalSocket[1], &byte, 1);
        // Ends every running loop, the window's and any dialog's on top of it.
        QApplication::exit(0);
    });
}

} // namespace strumvale::app
