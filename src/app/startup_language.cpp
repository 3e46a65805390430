#include "app/startup_language.h"

#include "formats/language_folder.h"
#include "library/chord_library.h"
#include "platform/user_locale.h"

#include <exception>

namespace strumvale::app {
namespace {

bool tryLoad(ChordLibrary& library, const std::string& path) {
    try {
        return library.LoadLanguage(path);
    } catch (const std::exception&) {
        // A damaged language file is as good as none.
        return false;
    }
}

} // namespace

void loadStartupLanguage(ChordLibrary& library) {
    const std::string& language = library.Settings.Language;
    if (!language.empty() && language != model::kBuiltInLanguage) {
        if (tryLoad(library,
                    formats::languageFilePath(library.Settings.ProgramDirectory, language)))
            return;
    } else if (platform::userLocaleIsSwedish() &&
               tryLoad(library,
                       formats::languageFilePath(library.Settings.ProgramDirectory, "svenska"))) {
        return;
    }
    tryLoad(library, model::kBuiltInLanguage);
}

} // namespace strumvale::app
