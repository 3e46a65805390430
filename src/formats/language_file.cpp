#include "formats/language_file.h"

#include "formats/xml_fields.h"
#include "model/settings.h"
#include "xml/xml_document.h"

#include <algorithm>
#include <array>

namespace strumvale::formats {
namespace {

constexpr std::array<const char*, 4> kHeaderKeys = {"K9VVersion", "Language", "Author",
                                                    "Description"};

// Reads the four header texts; the cursor stands on the document's root.
template <typename List> void readHeader(xml::XmlDocument& document, List& header) {
    document.IntoElement();
    for (const char* key : kHeaderKeys) {
        std::string text;
        readChild(document, key, text);
        header.push_back(text);
    }
}

// Appends "English=Foreign" for every entry of the Translation section, on
// which the cursor stands. Missing English or Foreign elements read as empty.
template <typename Append> void readEntries(xml::XmlDocument& document, Append append) {
    document.IntoElement();
    while (document.FindChildElement("Translate")) {
        document.IntoElement();
        std::string english, foreign;
        readChild(document, "English", english);
        readChild(document, "Foreign", foreign);
        append(english + "=" + foreign);
        document.OutOfElement();
    }
}

} // namespace

bool LoadLanguage(TranslationTable& table, const std::string& path) {
    xml::XmlDocument document;
    if (!document.LoadArchive(path) || !document.FindChildElement("Description") ||
        !document.FindChildElement("Translation"))
        return false;
    table.RemoveAll();
    readEntries(document, [&](std::string entry) { table.Add(entry); });
    return true;
}

std::string Translate(const TranslationTable& table, std::string_view key) {
    for (const auto& entry : table.items()) {
        auto equals = entry.find('=');
        std::string_view entryKey =
            equals == std::string::npos ? std::string_view() : std::string_view(entry).substr(0, equals);
        if (entryKey != key)
            continue;
        std::string_view text = std::string_view(entry).substr(equals + 1);
        return text.empty() ? kTranslationError : std::string(text);
    }
    return kTranslationError;
}

bool ReadLanguageInfo(TranslationTable& info, const std::string& path) {
    xml::XmlDocument document;
    if (!document.LoadArchive(path) || !document.FindChildElement("Description"))
        return false;
    std::vector<std::string> header;
    readHeader(document, header);
    info.RemoveAll();
    for (const auto& text : header)
        info.Add(text);
    return true;
}

std::string LanguageInfoField(const TranslationTable& info, std::string_view field,
                              const TranslationTable& table) {
    static constexpr std::array<std::string_view, 4> kFields = {"Version", "Language", "Author",
                                                                "Description"};
    auto found = std::find(kFields.begin(), kFields.end(), field);
    if (info.Count() != 4 || found == kFields.end())
        return Translate(table, "Error") + "!";
    return *info.GetAt(static_cast<std::int32_t>(found - kFields.begin()));
}

bool ReadLanguageForEditing(const std::string& path, TextList& header, TextList& entries) {
    xml::XmlDocument document;
    if (!document.LoadArchive(path) || !document.FindChildElement("Description"))
        return false;
    header.clear();
    readHeader(document, header);
    document.OutOfElement();
    if (!document.FindChildElement("Translation"))
        return false;
    entries.clear();
    readEntries(document, [&](std::string entry) { entries.push_back(std::move(entry)); });
    return true;
}

bool WriteLanguageFile(const TextList& header, const TextList& english, const TextList& foreign,
                       const std::string& path) {
    if (english.size() != foreign.size() || header.size() != kHeaderKeys.size())
        return false;
    xml::XmlDocument document;
    document.AddElement("Language");
    beginSection(document, "Description");
    for (std::size_t i = 0; i < kHeaderKeys.size(); ++i)
        document.AddChildElement(kHeaderKeys[i], header[i]);
    document.OutOfElement();
    beginSection(document, "Translation");
    for (std::size_t i = 0; i < english.size(); ++i) {
        beginSection(document, "Translate");
        document.AddChildElement("English", english[i]);
        document.AddChildElement("Foreign", foreign[i]);
        document.OutOfElement();
    }
    document.SaveArchive(path, "lang.xml");
    return true;
}

bool BuiltInPhrases(TextList& phrases) {
    xml::XmlDocument document;
    if (!document.LoadFile(model::kBuiltInLanguage) || !document.FindChildElement("Translation"))
        return false;
    document.IntoElement();
    while (document.FindChildElement("Translate")) {
        document.IntoElement();
        std::string english;
        readChild(document, "English", english);
        phrases.push_back(english);
        document.OutOfElement();
    }
    std::stable_sort(phrases.begin(), phrases.end());
    return true;
}

} // namespace strumvale::formats
