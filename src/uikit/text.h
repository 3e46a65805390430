#pragma once

#include <QString>
#include <string>
#include <string_view>

// Core strings are Windows-1252 bytes; widgets speak QString. Conversion happens
// only at the widget boundary.
namespace strumvale::uikit {

QString toQString(std::string_view windows1252);

// Characters the code page lacks become '?'.
std::string fromQString(const QString& text);

} // namespace strumvale::uikit

namespace strumvale::uikit {

// For labels: the files' CR LF line ends become plain line breaks.
QString toDisplayText(std::string_view windows1252);
QString withLineBreaks(QString text);

} // namespace strumvale::uikit
