#include "formats/language_folder.h"

#include "model/settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace strumvale::formats {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

} // namespace

std::string languageFilePath(const std::string& programDirectory, std::string_view name) {
    std::string path = programDirectory;
    path += "/lang/";
    path += name;
    path += ".lng";
    return path;
}

std::vector<std::string> LanguageChoices(const std::string& programDirectory) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(programDirectory + "/lang", error), end;
         !error && it != end; it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() != ".lng" || !it->is_regular_file(error))
            continue;
        const std::string file = path.filename().string();
        names.push_back(file.substr(0, file.find('.')));
    }
    std::sort(names.begin(), names.end());
    names.insert(names.begin(), model::kBuiltInLanguage);
    return names;
}

std::string languageChoiceOf(std::string_view path) {
    const std::filesystem::path file{std::string(path)};
    if (file.extension() != ".lng")
        return model::kBuiltInLanguage;
    const std::string name = file.filename().string();
    return name.substr(0, name.find('.'));
}

std::size_t findLanguageChoice(const std::vector<std::string>& choices, std::string_view name) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (startsWithIgnoringCase(choices[i], name))
            return i;
    }
    return 0;
}

} // namespace strumvale::formats
