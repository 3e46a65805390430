#include "formats/practice_log.h"
#include "support/fuzz_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strumvale;
    const std::string path = fuzz::inputFile(data, size, ".xml", false);
    const formats::PracticeLogRead read = formats::readPracticeLog(path);
    // Every record read is written so that it reads again, whole.
    const std::string text = formats::practiceLogText(read.records);
    const std::string again = fuzz::inputFile(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size(), ".xml", false);
    const formats::PracticeLogRead reread = formats::readPracticeLog(again);
    if (reread.records.size() != read.records.size() || reread.unreadable != 0)
        std::abort();
    return 0;
}
