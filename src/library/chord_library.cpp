#include "library/chord_library.h"

namespace strumvale {

using Storage = formats::PersistentSettings::Storage;

ChordLibrary::ChordLibrary(Options options)
    : Settings(options.settingsFile ? Storage::File : Storage::None),
      ChordPlayer(options.clock ? *options.clock : sound::steadyClock()) {
    // Last, so that a failure (reported through the player) finds the rest built.
    if (options.openMidiDevice)
        ChordPlayer.setup(Settings.Midioutdevice, Settings.Midichannel, Settings.Instrument,
                          Settings.Volume);
}

} // namespace strumvale
