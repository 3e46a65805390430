#include "container/zip_exception.h"
#include "formats/chordfile.h"
#include "platform/file_error.h"
#include "support/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    std::string path = fuzz::inputFile(data, size, ".gtr", true);
    model::ChordDocument document;
    try {
        if (formats::LoadChordfile(document, path))
            formats::chordfileText(document);
    } catch (const container::CZipException&) {
    } catch (const platform::FileError&) {
    }
    return 0;
}
