#include "formats/chordfile.h"
#include "formats/drum_pattern_text.h"
#include "formats/text_numbers.h"
#include "formats/xml_fields.h"

namespace strumvale::formats {
namespace {

// Writes every record of list as an item of a section; writeFields adds the
// item's fields while the cursor stands inside it.
template <typename Record, typename WriteFields>
void writeSection(xml::XmlDocument& xml, std::string_view section, std::string_view item,
                  const model::ValueList<Record>& list, WriteFields writeFields) {
    beginSection(xml, section);
    for (const auto& record : list.items()) {
        beginSection(xml, item);
        writeFields(record);
        xml.OutOfElement();
    }
    xml.OutOfElement();
}

xml::XmlDocument chordfileDocument(const model::ChordDocument& document) {
    xml::XmlDocument xml;
    xml.AddElement("Chordfile");
    beginSection(xml, "Description");
    xml.AddChildElement("Info", document.Info);
    xml.AddChildElement("Author", document.Author);
    xml.AddChildElement("Homepage", document.Homepage);
    xml.OutOfElement();

    writeSection(xml, "Tunings", "Tuning", document.Tunings, [&](const model::Tuning& tuning) {
        xml.AddChildElement("Name", tuning.Name);
        xml.AddChildElement("Notes", tuning.Notes);
    });
    writeSection(xml, "Scales", "Scale", document.Scales, [&](const model::Scale& scale) {
        xml.AddChildElement("Name", scale.Name);
        xml.AddChildElement("Intervals", scale.Intervals());
        xml.AddChildElement("Notes", scale.Notes());
        xml.AddChildElement("Description", scale.Description);
    });
    writeSection(xml, "Chords", "Chord", document.Chords, [&](const model::Chord& chord) {
        xml.AddChildElement("RootNote", chord.RootNote);
        xml.AddChildElement("Name", chord.Name);
        xml.AddChildElement("Tab", chord.Tab);
    });
    writeSection(xml, "Drumpatterns", "Drumpattern", document.DrumPatterns,
                 [&](const model::DrumPattern& pattern) {
                     xml.AddChildElement("Name", pattern.Name);
                     xml.AddChildElement("Tempo", decimalText(pattern.Tempo));
                     xml.AddChildElement("Instruments", trackValuesText(pattern.Instruments));
                     xml.AddChildElement("Volumes", trackValuesText(pattern.Volumes));
                     xml.AddChildElement("Pattern", patternText(pattern.Pattern));
                 });
    return xml;
}

} // namespace

std::string chordfileText(const model::ChordDocument& document) {
    return chordfileDocument(document).GetText();
}

void SaveChordfile(const model::ChordDocument& document, const std::string& path) {
    chordfileDocument(document).SaveArchive(path, "chords.xml");
}

} // namespace strumvale::formats
