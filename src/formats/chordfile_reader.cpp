#include "formats/chordfile.h"
#include "formats/drum_pattern_text.h"
#include "formats/text_numbers.h"
#include "formats/xml_fields.h"

#include <algorithm>

namespace strumvale::formats {
namespace {

using model::ChordDocument;

bool readDescription(xml::XmlDocument& xml, ChordDocument& document) {
    if (!xml.FindChildElement("Description"))
        return false;
    xml.IntoElement();
    if (!readChild(xml, "Info", document.Info) || !readChild(xml, "Author", document.Author) ||
        !readChild(xml, "Homepage", document.Homepage))
        return false;
    xml.OutOfElement();
    return true;
}

// Reads every item of a section with readItem, which stands inside the item.
template <typename ReadItem>
bool readSection(xml::XmlDocument& xml, std::string_view section, std::string_view item,
                 ReadItem readItem) {
    if (!xml.FindChildElement(section))
        return false;
    xml.IntoElement();
    while (xml.FindChildElement(item)) {
        xml.IntoElement();
        if (!readItem())
            return false;
        xml.OutOfElement();
    }
    xml.OutOfElement();
    return true;
}

bool readTunings(xml::XmlDocument& xml, ChordDocument& document) {
    document.Tunings.RemoveAll();
    return readSection(xml, "Tunings", "Tuning", [&] {
        model::Tuning tuning;
        if (!readChild(xml, "Name", tuning.Name) || !readChild(xml, "Notes", tuning.Notes))
            return false;
        document.Tunings.Add(tuning);
        return true;
    });
}

// Only the first two characters of a name order the scales; scales agreeing
// there keep the order of the file.
void sortScales(std::vector<model::Scale>& scales) {
    std::stable_sort(scales.begin(), scales.end(), [](const auto& a, const auto& b) {
        return std::string_view(a.Name).substr(0, 2) < std::string_view(b.Name).substr(0, 2);
    });
}

bool readScales(xml::XmlDocument& xml, ChordDocument& document) {
    document.Scales.RemoveAll();
    bool complete = readSection(xml, "Scales", "Scale", [&] {
        model::Scale scale;
        std::string intervals, notes;
        if (!readChild(xml, "Name", scale.Name) || !readChild(xml, "Intervals", intervals) ||
            !readChild(xml, "Notes", notes) || !readChild(xml, "Description", scale.Description))
            return false;
        scale.setIntervals(intervals);
        scale.setNotes(notes);
        document.Scales.Add(scale);
        return true;
    });
    if (complete)
        sortScales(document.Scales.mutableItems());
    return complete;
}

bool readChords(xml::XmlDocument& xml, ChordDocument& document) {
    document.Chords.RemoveAll();
    return readSection(xml, "Chords", "Chord", [&] {
        model::Chord chord;
        if (!readChild(xml, "RootNote", chord.RootNote) || !readChild(xml, "Name", chord.Name) ||
            !readChild(xml, "Tab", chord.Tab))
            return false;
        document.Chords.Add(chord);
        return true;
    });
}

bool readDrumPatterns(xml::XmlDocument& xml, ChordDocument& document) {
    document.DrumPatterns.RemoveAll();
    return readSection(xml, "Drumpatterns", "Drumpattern", [&] {
        model::DrumPattern pattern;
        std::string tempo, instruments, volumes, grid;
        if (!readChild(xml, "Name", pattern.Name) || !readChild(xml, "Tempo", tempo) ||
            !readChild(xml, "Instruments", instruments) || !readChild(xml, "Volumes", volumes) ||
            !readChild(xml, "Pattern", grid))
            return false;
        pattern.Tempo = leadingInteger(tempo);
        pattern.Instruments = parseTrackValues(instruments);
        pattern.Volumes = parseTrackValues(volumes);
        pattern.Pattern = parsePattern(grid);
        document.DrumPatterns.Add(pattern);
        return true;
    });
}

} // namespace

bool LoadChordfile(ChordDocument& document, const std::string& path) {
    xml::XmlDocument xml;
    bool read = xml.LoadArchive(path) && readDescription(xml, document) &&
                readTunings(xml, document) && readScales(xml, document) &&
                readChords(xml, document) && readDrumPatterns(xml, document);
    if (!read) {
        document.Reset();
        return false;
    }
    document.FileName = path;
    document.Loaded = true;
    return true;
}

std::string StatisticsText(const ChordDocument& document) {
    return "Chords: " + decimalText(document.Chords.Count()) +
           "\r\nScales: " + decimalText(document.Scales.Count()) +
           "\r\nTunings: " + decimalText(document.Tunings.Count()) +
           "\r\nDrumPatterns: " + decimalText(document.DrumPatterns.Count());
}

} // namespace strumvale::formats
