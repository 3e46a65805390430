#include "uikit/worker_call.h"

#include <QMetaObject>
#include <QObject>
#include <mutex>

namespace strumvale::uikit {
namespace {

std::mutex& handOff() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

void callOnOwnerThread(QObject* receiver, std::function<void()> call) {
    const std::lock_guard lock(handOff());
    QMetaObject::invokeMethod(
        receiver,
        [call = std::move(call)] {
            // Taken before the call is read: posted under it, so it comes after the post.
            { const std::lock_guard received(handOff()); }
            call();
        },
        Qt::QueuedConnection);
}

} // namespace strumvale::uikit
