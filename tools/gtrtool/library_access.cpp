#include "library_access.h"

#include <cstdio>

namespace gtrtool {

bool loadChordfileOrReport(strumvale::ChordLibrary& library, const std::string& path) {
    if (library.LoadChordfile(path))
        return true;
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
}

} // namespace gtrtool
