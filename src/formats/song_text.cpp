#include "formats/song_text.h"

#include "formats/chordpro.h"
#include "platform/utf8.h"
#include "platform/windows1252.h"

#include <algorithm>

namespace strumvale::formats::chordpro {
namespace {

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        throw ChordProError(ChordProError::Kind::NotText, 0, "odd length of a UTF-16 text");
    std::u16string units;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto high = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto low = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        units += static_cast<char16_t>((high << 8) | low);
    }
    // Through Windows-1252, which is what the lines become anyway.
    return platform::windows1252ToUtf8(platform::utf16ToWindows1252(units));
}

// A text that says it is UTF-8 but breaks the rule somewhere: each broken
// character becomes U+FFFD, so that what is read is UTF-8 throughout and
// reads the same when written back.
std::string repairedUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const platform::Utf8Step step = platform::utf8StepAt(bytes, at);
        if (step.valid)
            text += bytes.substr(at, step.length);
        else
            text += "\xEF\xBF\xBD";
        at += std::max<std::size_t>(1, step.length);
    }
    return text;
}

} // namespace

std::string songTextAsUtf8(std::string_view bytes) {
    if (bytes.size() > kMaxChordProBytes)
        throw ChordProError(ChordProError::Kind::TooLarge, 0, "the file is too large");
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        // A mark written twice (an editor adding its own) is still no text.
        while (bytes.starts_with("\xEF\xBB\xBF"))
            bytes.remove_prefix(3);
        text = repairedUtf8(bytes);
    } else if (bytes.starts_with("\xFF\xFE"))
        text = utf16ToUtf8(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = utf16ToUtf8(bytes.substr(2), true);
    else if (platform::isUtf8(bytes))
        text = bytes;
    else
        text = platform::windows1252ToUtf8(bytes); // Latin-1, as ChordPro allows
    for (unsigned char c : text) {
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            throw ChordProError(ChordProError::Kind::NotText, 0, "the file is not text");
    }
    return text;
}

std::vector<std::string> songLines(std::string text) {
    // Old Mac files end their lines with a CR alone.
    if (text.find('\n') == std::string::npos)
        std::replace(text.begin(), text.end(), '\r', '\n');
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        // CR LF, and the stray CRs some editors leave before it.
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

} // namespace strumvale::formats::chordpro
