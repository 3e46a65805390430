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

namespace {

// The key of an "English=Foreign" entry; none for an entry without "=".
std::string_view entryKey(std::string_view entry) {
    auto equals = entry.find('=');
    return equals == std::string_view::npos ? std::string_view() : entry.substr(0, equals);
}

bool isNewerPhrase(std::string_view key) {
    static const std::vector<std::string> newer = [] {
        TranslationTable builtIn;
        LoadLanguage(builtIn, model::kBuiltInLanguage);
        std::vector<std::string> keys;
        for (std::int32_t i = kOriginalPhraseCount; i < builtIn.Count(); ++i)
            keys.emplace_back(entryKey(builtIn.items()[static_cast<std::size_t>(i)]));
        return keys;
    }();
    return std::find(newer.begin(), newer.end(), key) != newer.end();
}

} // namespace

std::string Translate(const TranslationTable& table, std::string_view key) {
    for (const auto& entry : table.items()) {
        if (entryKey(entry) != key)
            continue;
        // Without "=" (npos + 1 is 0) the whole entry is the text.
        std::string_view text = std::string_view(entry).substr(entry.find('=') + 1);
        if (!text.empty())
            return std::string(text);
        break;
    }
    return isNewerPhrase(key) ? std::string(key) : kTranslationError;
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
