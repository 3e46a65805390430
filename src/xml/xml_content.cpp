#include "xml/xml_document.h"
#include "xml/xml_scanner.h"

#include <array>
#include <cstring>

namespace strumvale::xml {
namespace {

struct Entity {
    std::string_view code; // without the "&"
    char replacement;
};

// Checked in this order; nothing else after "&" is decoded, so "&#65;" stays.
constexpr std::array<Entity, 5> kEntities = {{
    {"lt;", '<'},
    {"amp;", '&'},
    {"gt;", '>'},
    {"apos;", '\''},
    {"quot;", '"'},
}};

std::string decodeEntities(std::string_view content) {
    std::string out;
    out.reserve(content.size());
    std::size_t pos = 0;
    while (pos < content.size()) {
        const void* hit = std::memchr(content.data() + pos, '&', content.size() - pos);
        if (hit == nullptr) {
            out.append(content.substr(pos));
            break;
        }
        const std::size_t amp =
            static_cast<std::size_t>(static_cast<const char*>(hit) - content.data());
        out.append(content.substr(pos, amp - pos));
        const std::string_view rest = content.substr(amp + 1);
        pos = amp + 1;
        out.push_back('&');
        for (const Entity& entity : kEntities) {
            if (rest.starts_with(entity.code)) {
                out.back() = entity.replacement;
                pos += entity.code.size();
                break;
            }
        }
    }
    return out;
}

} // namespace

std::string XmlDocument::GetChildData() const {
    if (childPos_ == 0)
        return {};
    const ElementSpan& span = elements_[childPos_];
    if (span.FirstChild != 0 || span.isEmptyTag())
        return {};
    const std::int32_t begin = span.StartTagEnd + 1;
    const std::int32_t end = span.EndTagBegin;
    const std::string_view content(text_.data() + begin, static_cast<std::size_t>(end - begin));

    std::int32_t p = begin;
    while (p < end && detail::isSpace(text_[p]))
        ++p;
    constexpr std::string_view kOpen = "<![CDATA[";
    if (p + 11 < end && content.substr(p - begin).starts_with(kOpen)) {
        // Only the first section counts; what follows it is dropped.
        const std::size_t dataBegin = static_cast<std::size_t>(p - begin) + kOpen.size();
        const std::size_t close = content.find("]]>", dataBegin);
        if (close != std::string_view::npos)
            return std::string(content.substr(dataBegin, close - dataBegin));
    }
    return decodeEntities(content);
}

} // namespace strumvale::xml
