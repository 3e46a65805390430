#include "formats/chordpro.h"
#include "formats/song_file.h"
#include "formats/song_sheet_text.h"
#include "theory/song_transposition.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

// Song bytes from anywhere: refused with a ChordProError or read whole; what
// is read must write and read back as the same songs, and survive being moved
// a full octave and shown as a text sheet. Anything else is a fault.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    std::vector<model::Song> songs;
    try {
        songs = formats::readSongs(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const formats::ChordProError&) {
        return 0;
    }
    if (formats::readSongs(formats::writeSongs(songs)) != songs)
        std::abort();
    for (const model::Song& song : songs) {
        const model::Song moved = theory::transposed(theory::transposed(song, 5), 7);
        if (model::chordSequence(moved).size() != model::chordSequence(song).size())
            std::abort();
        (void)formats::songSheetText(theory::withCapo(song, 3));
    }
    return 0;
}
