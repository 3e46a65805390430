#pragma once

#include "model/chord_document.h"
#include "model/playlist.h"
#include "model/records.h"
#include "model/song.h"

#include <QString>
#include <functional>
#include <string_view>
#include <vector>

class QPagedPaintDevice;

// The printed sheets: what a printer or a PDF file receives. Each returns
// false when the device cannot be painted on.
namespace strumvale::sheets {

// The caption of a key of the language table.
using Translate = std::function<QString(std::string_view key)>;

// A title block (name, author, homepage, information), the chords of every
// key as diagrams with name and tab, then every scale.
bool printChordfileSheet(QPagedPaintDevice& device, const model::ChordDocument& chordfile,
                         const Translate& translate);

// The playlist as tablature with the chord names above their columns and bar
// lines for separators, wrapped over as many staves as the paper needs; then
// the diagrams of the chords it uses and its lyrics.
bool printPlaylistSheet(QPagedPaintDevice& device, const model::Playlist& playlist,
                        const QString& title, const Translate& translate);

// A song as a chord sheet: its title (else fallbackTitle) and metadata, the
// diagrams of its chords (shapes, in the order they first sound), then its
// sections under their labels with every chord above the syllable it stands
// over; a recalled chorus is printed again where it is recalled.
bool printSongSheet(QPagedPaintDevice& device, const model::Song& song,
                    const std::vector<model::Chord>& shapes, const QString& fallbackTitle,
                    const Translate& translate);

} // namespace strumvale::sheets
