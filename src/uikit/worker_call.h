#pragma once

#include <functional>

class QObject;

namespace strumvale::uikit {

// From a worker thread: runs call on receiver's thread, later, unless receiver
// is gone by then. The hand-off goes through a mutex of our own that the
// receiving side takes before it touches the call, so that a race checker,
// which cannot see into Qt's own event queue, sees the order too.
void callOnOwnerThread(QObject* receiver, std::function<void()> call);

} // namespace strumvale::uikit
