#include "uikit/text.h"

#include "platform/windows1252.h"

namespace strumvale::uikit {

QString toQString(std::string_view windows1252) {
    const std::string utf8 = platform::windows1252ToUtf8(windows1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& text) {
    return platform::utf16ToWindows1252(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

QString fromSystem(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toSystem(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace strumvale::uikit

namespace strumvale::uikit {

QString toDisplayText(std::string_view windows1252) {
    return withLineBreaks(toQString(windows1252));
}

QString withLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace strumvale::uikit

namespace strumvale::uikit {

QString captionWithKeys(const QString& caption, const QKeySequence& keys) {
    return caption + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) +
           QLatin1Char(')');
}

} // namespace strumvale::uikit
