#pragma once

#include "model/value_list.h"

#include <string>
#include <string_view>
#include <vector>

// Language files: a container whose entry "lang.xml" maps every English key of
// the user interface to the text shown for it. The built-in English table is
// the same document without the container.
namespace strumvale::formats {

using TranslationTable = model::ValueList<std::string>; // "English=Foreign" per entry
using TextList = std::vector<std::string>;

inline constexpr const char* kTranslationError = "Translation Error!";
// The built-in table's first phrases, which every language file has; the
// phrases after them came later, and files made before them cannot know them.
inline constexpr int kOriginalPhraseCount = 146;
inline constexpr const char* kLanguageFileVersion = "4.0.0.beta1";

// Replaces the table with the language at path (or the built-in table for
// "English (Built-in)"); false, table unchanged, when it is no language file.
bool LoadLanguage(TranslationTable& table, const std::string& path);

// The text for an English key: the first entry with exactly that key decides;
// a missing or empty text gives "Translation Error!", or for a phrase added
// after the original ones the English key itself.
std::string Translate(const TranslationTable& table, std::string_view key);

// The four header texts (version, language, author, description) for display.
bool ReadLanguageInfo(TranslationTable& info, const std::string& path);
// "Version", "Language", "Author" or "Description" of info; anything else, or
// an info list of another size, gives the translated "Error" and "!".
std::string LanguageInfoField(const TranslationTable& info, std::string_view field,
                              const TranslationTable& table);

// The header texts and "English=Foreign" entries of a file, for the editor.
bool ReadLanguageForEditing(const std::string& path, TextList& header, TextList& entries);

// Writes a language file from four header texts and matching key and text
// lists; false, nothing written, when the lists do not fit together.
bool WriteLanguageFile(const TextList& header, const TextList& english, const TextList& foreign,
                       const std::string& path);

// Appends the built-in table's keys, then sorts the whole list byte-wise
// (equal phrases keep their order).
bool BuiltInPhrases(TextList& phrases);

} // namespace strumvale::formats
