#pragma once

#include <QString>
#include <string>

namespace strumvale::test {

// A name or path as a widget or a file dialog holds it: the UTF-8 decoded.
inline QString qtext(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace strumvale::test
