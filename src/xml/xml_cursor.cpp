#include "xml/xml_document.h"
#include "xml/xml_scanner.h"

namespace strumvale::xml {

bool XmlDocument::findAfter(std::int32_t parent, std::int32_t after, std::string_view name,
                            std::int32_t& found) const {
    const detail::Scanner scan(text_);
    std::int32_t e = after != 0 ? elements_[after].NextSibling : elements_[parent].FirstChild;
    for (; e != 0; e = elements_[e].NextSibling) {
        if (name.empty() || scan.tokenMatches(scan.tagName(elements_[e].StartTagBegin), name)) {
            found = e;
            return true;
        }
    }
    return false;
}

bool XmlDocument::FindElement(std::string_view name) {
    std::int32_t found = 0;
    if (FreeCount() <= 1 || !findAfter(parentPos_, currentPos_, name, found))
        return false;
    currentPos_ = found;
    childPos_ = 0;
    return true;
}

bool XmlDocument::FindChildElement(std::string_view name) {
    if (currentPos_ == 0 && !FindElement())
        return false;
    std::int32_t found = 0;
    if (!findAfter(currentPos_, childPos_, name, found))
        return false;
    childPos_ = found;
    return true;
}

bool XmlDocument::IntoElement() {
    if (currentPos_ == 0)
        return false;
    parentPos_ = currentPos_;
    currentPos_ = childPos_;
    childPos_ = 0;
    return true;
}

bool XmlDocument::OutOfElement() {
    if (parentPos_ == 0)
        return false;
    childPos_ = currentPos_;
    currentPos_ = parentPos_;
    parentPos_ = elements_[parentPos_].Parent;
    return true;
}

} // namespace strumvale::xml
