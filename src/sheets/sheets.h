#pragma once

#include "model/chord_document.h"
#include "model/playlist.h"

#include <QString>
#include <functional>
#include <string_view>

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

} // namespace strumvale::sheets
