#include "outline.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

using strumvale::test::outline;
using strumvale::xml::XmlDocument;

TEST(XmlParse, MalformedTextsReportTheirFaultAndKeepNoElements) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", ""},
        {"just words", "Element tag not found"},
        {"</a>", ""},
        {"<a>x</b>", "End tag does not correspond to a"},
        {"<a>x", "Element tag not found"},
        {"<a", "End of tag not found"},
        {"<'a'>", "Tag starts with quote"},
        {"<a>x</a", "End tag not completed for element a"},
        {"<a>x</a \"q\"", "End tag not completed for element a"},
        {"<a><!x", "Invalid node"},
        {"<a><!-- never closed </a>", "Invalid node"},
        {"<a><![CDATA[ x </a>", "Invalid node"},
        {"<a><", "Abrupt end within tag"},
        {"<a><b></a></b>", "End tag does not correspond to b"},
        {"<Name></Names>", "End tag does not correspond to Name"},
        {"<Names></Name>", "End tag does not correspond to Names"},
    };
    for (const auto& c : cases) {
        XmlDocument doc;
        EXPECT_FALSE(doc.SetText(c.text)) << c.text;
        EXPECT_EQ(doc.LastError(), c.error) << c.text;
        EXPECT_EQ(doc.GetText(), c.text);
        EXPECT_EQ(doc.FreeCount(), 1);
        EXPECT_FALSE(doc.FindChildElement()) << c.text;
    }
}

TEST(XmlParse, DeclarationsCommentsDoctypeCdataAndAttributesArePassedOver) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<?xml version='1.0'?><!-- c --><!DOCTYPE a [<!ELEMENT a ANY>]><a/>"));
    EXPECT_TRUE(doc.FindElement("a"));

    ASSERT_TRUE(doc.SetText("\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<r x=\"1\" y='2'>\r\n"
                            "<!-- <x/> -->\r\n<?pi <y/> ?><![CDATA[<z/>]]><Name id=\"7\">v</Name >"
                            "<e x='1' /><!-- end --></ r>\r\nanything <after the root"));
    EXPECT_EQ(outline(doc), "r(Name[v] e)");
    strumvale::test::expectSpansPointAtTags(doc);
    EXPECT_FALSE(doc.FindChildElement("Nam"));
    EXPECT_FALSE(doc.FindChildElement("Names"));
    EXPECT_TRUE(doc.FindChildElement("Name"));
}

TEST(XmlParse, NestingIsBoundedInsteadOfExhaustingTheStack) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<e>";
        for (int i = 0; i < depth; ++i)
            text += "</e>";
        return text;
    };
    XmlDocument doc;
    EXPECT_TRUE(doc.SetText(nested(strumvale::xml::kMaxNestingDepth)));
    EXPECT_FALSE(doc.SetText(nested(strumvale::xml::kMaxNestingDepth + 1)));
    EXPECT_EQ(doc.LastError(), "Elements nested too deeply");
    EXPECT_FALSE(doc.SetText(std::string(200000, '<') + "e>"));
    EXPECT_FALSE(doc.SetText(nested(100000)));
    EXPECT_EQ(doc.FreeCount(), 1);
}

TEST(XmlParse, ManyElementsOutgrowTheFirstTable) {
    std::string text = "<r>";
    for (int i = 0; i < 5000; ++i)
        text += "<i/>";
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText(text + "</r>"));
    int count = 0;
    while (doc.FindChildElement("i"))
        ++count;
    EXPECT_EQ(count, 5000);
}
