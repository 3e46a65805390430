#pragma once

#include <QString>
#include <functional>
#include <string_view>

namespace strumvale::pages {

// A string as the selected tuning has it: the language's label for the
// string with the tuning's own note in its brackets, without the colon
// ("String 6 (D)" in Drop D). tuningNotes as "D1,A1,...", string 6 first.
QString stringName(const std::function<QString(std::string_view key)>& translate, int stringNumber,
                   std::string_view tuningNotes);

} // namespace strumvale::pages
