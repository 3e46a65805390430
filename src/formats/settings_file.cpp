#include "formats/settings_file.h"

#include "formats/text_numbers.h"
#include "platform/file_error.h"
#include "xml/xml_document.h"

#include <array>
#include <cstdint>
#include <span>
#include <variant>

namespace strumvale::formats {
namespace {

using model::Settings;
using Field = std::variant<std::string Settings::*, std::int32_t Settings::*, bool Settings::*>;

struct Key {
    const char* name;
    Field field;
};

// The keys in file order.
const std::array<Key, 24> kKeys = {{
    {"Startupchordfile", &Settings::Startupchordfile},
    {"Language", &Settings::Language},
    {"Midioutdevice", &Settings::Midioutdevice},
    {"Midiindevice", &Settings::Midiindevice},
    {"Instrument", &Settings::Instrument},
    {"Midichannel", &Settings::Midichannel},
    {"Chordspeed", &Settings::Chordspeed},
    {"Chorddecay", &Settings::Chorddecay},
    {"Volume", &Settings::Volume},
    {"Lefthanded", &Settings::Lefthanded},
    {"Upsidedownneck", &Settings::Upsidedownneck},
    {"Displaynotesforallfrets", &Settings::Displaynotesforallfrets},
    {"Changechordtotuning", &Settings::Changechordtotuning},
    {"Whitebackgroundcolor", &Settings::Whitebackgroundcolor},
    {"Playchordsonchange", &Settings::Playchordsonchange},
    {"Clrdots1", &Settings::Clrdots1},
    {"Clrdots2", &Settings::Clrdots2},
    {"Clrdots3", &Settings::Clrdots3},
    {"Clrintervaltext1", &Settings::Clrintervaltext1},
    {"Clrintervaltext2", &Settings::Clrintervaltext2},
    {"Clrintervaltext3", &Settings::Clrintervaltext3},
    {"Clrnotetext1", &Settings::Clrnotetext1},
    {"Clrnotetext2", &Settings::Clrnotetext2},
    {"Clrnotetext3", &Settings::Clrnotetext3},
}};

// Newer than the others: read after them in this order, each written only
// when it differs from its default, so that a file of defaults keeps its exact
// text and readers that know only the keys above find the file they expect.
const std::array<Key, 11> kTrailingKeys = {{
    {"Playnoteswhileediting", &Settings::Playnoteswhileediting},
    {"Songfontsize", &Settings::Songfontsize},
    {"Referencepitch", &Settings::Referencepitch},
    {"Clickaccent", &Settings::Clickaccent},
    {"Clickbeat", &Settings::Clickbeat},
    {"Clickvolume", &Settings::Clickvolume},
    {"Countinbars", &Settings::Countinbars},
    {"Clicksubdivision", &Settings::Clicksubdivision},
    {"Practicetempo", &Settings::Practicetempo},
    {"Drillseconds", &Settings::Drillseconds},
    {"Windowsize", &Settings::Windowsize},
}};

struct StoreText {
    Settings& settings;
    const std::string& text;
    void operator()(std::string Settings::*field) const { settings.*field = text; }
    void operator()(std::int32_t Settings::*field) const { settings.*field = leadingInteger(text); }
    void operator()(bool Settings::*field) const { settings.*field = text != "0"; }
};

struct FieldText {
    const Settings& settings;
    std::string operator()(std::string Settings::*field) const { return settings.*field; }
    std::string operator()(std::int32_t Settings::*field) const {
        return decimalText(settings.*field);
    }
    std::string operator()(bool Settings::*field) const { return settings.*field ? "1" : "0"; }
};

// Each key is looked for after the one found before it, as the file's order is.
void readKeys(xml::XmlDocument& document, Settings& settings, std::span<const Key> keys) {
    for (const Key& key : keys) {
        if (document.FindChildElement(key.name))
            std::visit(StoreText{settings, document.GetChildData()}, key.field);
    }
}

xml::XmlDocument settingsDocument(const Settings& settings) {
    xml::XmlDocument document;
    document.AddElement("Settings");
    for (const auto& key : kKeys)
        document.AddChildElement(key.name, std::visit(FieldText{settings}, key.field));
    const Settings defaults;
    for (const auto& key : kTrailingKeys) {
        const std::string text = std::visit(FieldText{settings}, key.field);
        if (text != std::visit(FieldText{defaults}, key.field))
            document.AddChildElement(key.name, text);
    }
    return document;
}

} // namespace

bool LoadSettings(Settings& settings, const std::string& path) {
    xml::XmlDocument document;
    settings.SetDefaults();
    if (!document.LoadFile(path))
        return false;
    readKeys(document, settings, kKeys);
    readKeys(document, settings, kTrailingKeys);
    return true;
}

std::string settingsText(const Settings& settings) {
    return settingsDocument(settings).GetText();
}

void SaveSettings(const Settings& settings) {
    try {
        settingsDocument(settings).SaveFile(settings.ProgramDirectory + "/" + kSettingsFileName);
    } catch (const platform::FileError&) {
        // Nothing to tell at exit; the settings of this run are lost.
    }
}

} // namespace strumvale::formats

namespace strumvale::formats {

PersistentSettings::PersistentSettings(Storage storage) : storage_(storage) {
    if (storage_ == Storage::File)
        LoadSettings(*this);
    else
        SetDefaults();
}

PersistentSettings::~PersistentSettings() {
    if (storage_ == Storage::File)
        SaveSettings(*this);
}

} // namespace strumvale::formats
