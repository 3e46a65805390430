#include "library/chord_library.h"

namespace strumvale {

using Storage = formats::PersistentSettings::Storage;

ChordLibrary::ChordLibrary(Options options)
    : Settings(options.settingsFile ? Storage::File : Storage::None) {}

} // namespace strumvale
