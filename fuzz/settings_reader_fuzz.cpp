#include "formats/settings_file.h"
#include "support/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    std::string path = fuzz::inputFile(data, size, ".xml", false);
    model::Settings settings;
    formats::LoadSettings(settings, path);
    formats::settingsText(settings);
    return 0;
}
