#pragma once

#include "xml/xml_document.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

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

// The four offsets of every element, in text order.
inline std::vector<std::array<int, 4>> sortedSpans(const xml::XmlDocument& doc) {
    std::vector<std::array<int, 4>> spans;
    for (std::size_t i = 1; i < doc.Elements().size(); ++i) {
        const xml::ElementSpan& e = doc.Elements()[i];
        spans.push_back({e.StartTagBegin, e.StartTagEnd, e.EndTagBegin, e.EndTagEnd});
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

// Every span of the table against the characters it claims to point at.
inline void expectSpansPointAtTags(const xml::XmlDocument& doc) {
    const std::string& text = doc.GetText();
    for (std::size_t i = 1; i < doc.Elements().size(); ++i) {
        const xml::ElementSpan& e = doc.Elements()[i];
        ASSERT_LT(e.EndTagEnd, static_cast<int>(text.size()));
        EXPECT_EQ(text[e.StartTagBegin], '<') << i;
        EXPECT_EQ(text[e.StartTagEnd], '>') << i;
        EXPECT_EQ(text[e.EndTagBegin], e.isEmptyTag() ? '/' : '<') << i;
        EXPECT_EQ(text[e.EndTagEnd], '>') << i;
    }
}

} // namespace strumvale::test
