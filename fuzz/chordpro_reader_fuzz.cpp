#include "formats/chordpro.h"
#include "library/song_chords.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

// Song bytes from anywhere: refused with a ChordProError or read; a playlist
// read so must save and read back unchanged. Anything else is a fault.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    static const std::vector<model::Chord> library = {
        model::Chord("A", "Am", "x 0 2 2 1 0"), model::Chord("C", "C", "x 3 2 0 1 0"),
        model::Chord("G", "G", "3 2 0 0 0 3"), model::Chord("E", "E - Drop D", "2 2 2 1 0 0")};
    const formats::ChordProSources sources{library::songChordLookup(library)};
    model::Playlist playlist;
    try {
        playlist = formats::readChordPro(
            std::string_view(reinterpret_cast<const char*>(data), size), sources);
    } catch (const formats::ChordProError&) {
        return 0;
    }
    const model::Playlist again =
        formats::readChordPro(formats::writeChordPro(playlist, "fuzz"), sources);
    if (again.entries() != playlist.entries() || again.Lyrics != playlist.Lyrics)
        std::abort();
    return 0;
}
