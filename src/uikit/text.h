#pragma once

#include <QKeySequence>
#include <QString>
#include <string>
#include <string_view>

// Core strings from the files are Windows-1252 bytes; widgets speak QString.
// Conversion happens only at the widget boundary.
namespace strumvale::uikit {

QString toQString(std::string_view windows1252);

// Characters the code page lacks become '?'.
std::string fromQString(const QString& text);

// What the system gives and takes (paths, device names, its error texts) is
// UTF-8, never the code page of the files' contents: a path goes to open()
// with exactly the bytes the file dialog named.
QString fromSystem(std::string_view utf8);
std::string toSystem(const QString& text);

} // namespace strumvale::uikit

namespace strumvale::uikit {

// For labels: the files' CR LF line ends become plain line breaks.
QString toDisplayText(std::string_view windows1252);
QString withLineBreaks(QString text);

} // namespace strumvale::uikit

namespace strumvale::uikit {

// A tooltip that names the keys beside the caption: "Print (Ctrl+P)".
QString captionWithKeys(const QString& caption, const QKeySequence& keys);

} // namespace strumvale::uikit
