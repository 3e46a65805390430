#include "container/zip_exception.h"
#include "formats/language_file.h"
#include "platform/file_error.h"
#include "support/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    std::string path = fuzz::inputFile(data, size, ".lng", true);
    try {
        formats::TranslationTable table, info;
        if (formats::LoadLanguage(table, path))
            formats::Translate(table, "OK");
        if (formats::ReadLanguageInfo(info, path))
            formats::LanguageInfoField(info, "Author", table);
        formats::TextList header, entries;
        formats::ReadLanguageForEditing(path, header, entries);
    } catch (const container::CZipException&) {
    } catch (const platform::FileError&) {
    }
    return 0;
}
