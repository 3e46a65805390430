#pragma once

namespace strumvale::platform {

// ALSA's library prints its failures to standard error, and the program has
// no log; the failures come back as result codes instead.
void quietAlsaLibrary();

} // namespace strumvale::platform
