#include "outline.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

using strumvale::test::outline;
using strumvale::xml::XmlDocument;

TEST(XmlParse, TextWithoutElementsIsNotWellFormed) {
    XmlDocument doc;
    EXPECT_FALSE(doc.IsWellFormed());
    EXPECT_FALSE(doc.FindChildElement());
    EXPECT_FALSE(doc.SetText(""));
    EXPECT_FALSE(doc.SetText("just words"));
    EXPECT_EQ(doc.LastError(), "Element tag not found");
    EXPECT_FALSE(doc.FindChildElement());
    EXPECT_FALSE(doc.SetText("</a>")) << "an end tag is not a root";
    EXPECT_EQ(doc.GetText(), "</a>");
}

TEST(XmlParse, MalformedTextsReportTheirFaultAndKeepNoElements) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"<a>x</b>", "End tag does not correspond to a"},
        {"<a>x", "Element tag not found"},
        {"<a", "End of tag not found"},
        {"<'a'>", "Tag starts with quote"},
        {"<a>x</a", "End tag not completed for element a"},
        {"<a>x</a \"q\"", "End tag not completed for element a"},
        {"<a><!x", "Invalid node"},
        {"<a><!-- never closed </a>", "Invalid node"},
        {"<a><![CDATA[ x </a>", "Invalid node"},
        {"<a><?pi </a>", "Invalid node"},
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
        EXPECT_FALSE(doc.FindElement()) << c.text;
        EXPECT_FALSE(doc.FindChildElement()) << c.text;
    }
}

TEST(XmlParse, DeclarationsCommentsDoctypeAndCdataArePassedOver) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<?xml version='1.0'?><!-- c --><!DOCTYPE a [<!ELEMENT a ANY>]><a/>"));
    EXPECT_TRUE(doc.FindElement("a"));

    ASSERT_TRUE(doc.SetText("\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<r>\r\n<!-- <x/> -->\r\n"
                            "<?pi <y/> ?><![CDATA[<z/>]]><b>1</b>\r\n<!-- end --></r>\r\n"
                            "anything <after the root"));
    EXPECT_EQ(outline(doc), "r(b[1])");
    EXPECT_EQ(doc.LastError(), "");
}

TEST(XmlParse, StartTagsKeepAttributesAndSpacingOutOfTheName) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r a=\"1\" b='x'><Name id=\"7\">v</Name ><e x='1' /><f/></ r>"));
    EXPECT_EQ(outline(doc), "r(Name[v] e f)");
    ASSERT_TRUE(doc.FindChildElement("Name"));
    doc.SetText(doc.GetText());
    EXPECT_FALSE(doc.FindChildElement("Nam"));
    EXPECT_FALSE(doc.FindChildElement("Names"));
    EXPECT_TRUE(doc.FindChildElement("e"));
    EXPECT_TRUE(doc.Elements()[doc.ChildPos()].IsEmptyTag());
}

TEST(XmlParse, SpansPointAtTheTagCharacters) {
    XmlDocument doc;
    const std::string text = "<a><b>1</b><c/></a>";
    ASSERT_TRUE(doc.SetText(text));
    ASSERT_EQ(doc.FreeCount(), 4);
    const auto& e = doc.Elements();
    EXPECT_EQ(e[0].FirstChild, 1);
    EXPECT_EQ((std::vector<int>{e[1].StartTagBegin, e[1].StartTagEnd, e[1].EndTagBegin,
                                e[1].EndTagEnd, e[1].FirstChild}),
              (std::vector<int>{0, 2, 15, 18, 2}));
    EXPECT_EQ((std::vector<int>{e[2].StartTagBegin, e[2].StartTagEnd, e[2].EndTagBegin,
                                e[2].EndTagEnd, e[2].NextSibling}),
              (std::vector<int>{3, 5, 7, 10, 3}));
    EXPECT_EQ((std::vector<int>{e[3].StartTagBegin, e[3].StartTagEnd, e[3].EndTagBegin,
                                e[3].EndTagEnd, e[3].Parent}),
              (std::vector<int>{11, 14, 13, 14, 1}));
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

TEST(XmlParse, ManyElementsGrowTheTable) {
    std::string text = "<r>";
    for (int i = 0; i < 5000; ++i)
        text += "<i/>";
    text += "</r>";
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText(text));
    EXPECT_EQ(doc.FreeCount(), 5002);
    int count = 0;
    while (doc.FindChildElement("i"))
        ++count;
    EXPECT_EQ(count, 5000);
}
