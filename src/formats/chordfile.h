#pragma once

#include "model/chord_document.h"

#include <string>

// The chordfile: a container whose one entry "chords.xml" holds the library's
// texts, tunings, scales, chords and drum patterns, in that order.
namespace strumvale::formats {

// Reads the chordfile into the document. On success FileName becomes the path
// and Loaded is set; when the file is missing or its document is not a
// chordfile, the document is Reset() and the result is false. A damaged
// container raises its error before anything of the document is touched.
bool LoadChordfile(model::ChordDocument& document, const std::string& path);

// Writes the whole document as a new chordfile; changes nothing of the document.
void SaveChordfile(const model::ChordDocument& document, const std::string& path);

// The chordfile text itself, as SaveChordfile stores it.
std::string chordfileText(const model::ChordDocument& document);

// "Chords: n\r\nScales: n\r\nTunings: n\r\nDrumPatterns: n".
std::string StatisticsText(const model::ChordDocument& document);

} // namespace strumvale::formats
