#pragma once

#include "xml/xml_document.h"

#include <string>

namespace strumvale::test {

// The name written in the start tag of an element.
inline std::string elementName(const xml::XmlDocument& doc, std::int32_t index) {
    const std::string& text = doc.GetText();
    std::size_t begin = static_cast<std::size_t>(doc.Elements()[index].StartTagBegin) + 1;
    std::size_t end = text.find_first_of(" \t\r\n/>", begin);
    return text.substr(begin, end - begin);
}

// Rereads the document's text and walks it the way the readers do:
// "root(child[data] other(grandchild))".
inline std::string outline(const xml::XmlDocument& written) {
    xml::XmlDocument doc;
    if (!doc.SetText(written.GetText()) || !doc.FindElement())
        return {};
    std::string out = elementName(doc, doc.CurrentPos()) + "(";
    for (;;) {
        if (doc.FindChildElement()) {
            if (out.back() != '(')
                out += ' ';
            out += elementName(doc, doc.ChildPos());
            std::string data = doc.GetChildData();
            if (!data.empty())
                out += "[" + data + "]";
            if (doc.Elements()[doc.ChildPos()].FirstChild != 0) {
                doc.IntoElement();
                out += "(";
            }
        } else if (doc.OutOfElement()) {
            out += ")";
        } else {
            break;
        }
    }
    return out + ")";
}

} // namespace strumvale::test
