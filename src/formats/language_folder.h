#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The language files beside the program: "lang/NAME.lng" in its folder. A
// language is chosen and stored by NAME alone.
namespace strumvale::formats {

// The path of the language file called name.
std::string languageFilePath(const std::string& programDirectory, std::string_view name);

// "English (Built-in)", then the name of every "lang/*.lng" up to its first
// ".", in byte order; the built-in entry alone when there is no such folder.
std::vector<std::string> LanguageChoices(const std::string& programDirectory);

// The entry for a language loaded from path: the file's name up to its
// first ".", or the built-in entry for anything that is no ".lng" file.
std::string languageChoiceOf(std::string_view path);

// The first entry that starts with name, letter case aside, or 0: how a
// stored language finds its entry even when it was shortened.
std::size_t findLanguageChoice(const std::vector<std::string>& choices, std::string_view name);

} // namespace strumvale::formats
