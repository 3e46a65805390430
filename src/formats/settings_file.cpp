#include "formats/settings_file.h"

#include "formats/text_numbers.h"
#include "platform/file_error.h"
#include "xml/xml_document.h"

#include <array>
#include <cstdint>
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

// Newer than the others: read after them, written only when on, so readers
// that know only the keys above find the file they expect.
constexpr const char* kPlayNotesKey = "Playnoteswhileediting";

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

xml::XmlDocument settingsDocument(const Settings& settings) {
    xml::XmlDocument document;
    document.AddElement("Settings");
    for (const auto& key : kKeys)
        document.AddChildElement(key.name, std::visit(FieldText{settings}, key.field));
    if (settings.Playnoteswhileediting)
        document.AddChildElement(kPlayNotesKey, "1");
    return document;
}

} // namespace

bool LoadSettings(Settings& settings, const std::string& path) {
    xml::XmlDocument document;
    settings.SetDefaults();
    if (!document.LoadFile(path))
        return false;
    for (const auto& key : kKeys) {
        if (document.FindChildElement(key.name))
            std::visit(StoreText{settings, document.GetChildData()}, key.field);
    }
    if (document.FindChildElement(kPlayNotesKey))
        StoreText{settings, document.GetChildData()}(&Settings::Playnoteswhileediting);
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
