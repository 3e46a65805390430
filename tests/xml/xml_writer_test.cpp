#include "outline.h"
#include "xml/xml_document.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

using strumvale::test::outline;
using strumvale::xml::ElementSpan;
using strumvale::xml::XmlDocument;

namespace {

std::vector<std::array<int, 4>> sortedSpans(const XmlDocument& doc) {
    std::vector<std::array<int, 4>> spans;
    for (std::size_t i = 1; i < doc.Elements().size(); ++i) {
        const ElementSpan& e = doc.Elements()[i];
        spans.push_back({e.StartTagBegin, e.StartTagEnd, e.EndTagBegin, e.EndTagEnd});
    }
    std::sort(spans.begin(), spans.end());
    return spans;
}

// Every span of the table against the characters it claims to point at.
void expectSpansPointAtTags(const XmlDocument& doc) {
    const std::string& text = doc.GetText();
    for (std::size_t i = 1; i < doc.Elements().size(); ++i) {
        const ElementSpan& e = doc.Elements()[i];
        ASSERT_LT(e.EndTagEnd, static_cast<int>(text.size()));
        EXPECT_EQ(text[e.StartTagBegin], '<') << i;
        EXPECT_EQ(text[e.StartTagEnd], '>') << i;
        EXPECT_EQ(text[e.EndTagBegin], e.IsEmptyTag() ? '/' : '<') << i;
        EXPECT_EQ(text[e.EndTagEnd], '>') << i;
    }
}

} // namespace

TEST(XmlWriter, WritesOneElementPerLineAndReadsItBack) {
    XmlDocument doc;
    ASSERT_TRUE(doc.AddElement("A"));
    ASSERT_TRUE(doc.AddChildElement("B", "x<y"));
    ASSERT_TRUE(doc.AddChildElement("C"));
    EXPECT_EQ(doc.GetText(), "<A>\r\n<B>x&lt;y</B>\r\n<C/>\r\n</A>\r\n");
    EXPECT_FALSE(doc.AddElement("A2")) << "a document has one root";

    XmlDocument read;
    ASSERT_TRUE(read.SetText(doc.GetText()));
    ASSERT_TRUE(read.FindChildElement("B"));
    EXPECT_EQ(read.GetChildData(), "x<y");
    ASSERT_TRUE(read.FindChildElement("C"));
    EXPECT_EQ(read.GetChildData(), "");
}

TEST(XmlWriter, EscapesOnlyWhatTheReaderDecodes) {
    XmlDocument doc;
    doc.AddElement("R");
    const std::string data = "a&b <c> 'd' \"e\" &amp; \xE9\x80";
    ASSERT_TRUE(doc.AddChildElement("Info", data));
    EXPECT_NE(doc.GetText().find("<Info>a&amp;b &lt;c&gt; 'd' \"e\" &amp;amp; \xE9\x80</Info>"),
              std::string::npos);
    XmlDocument read;
    ASSERT_TRUE(read.SetText(doc.GetText()));
    ASSERT_TRUE(read.FindChildElement("Info"));
    EXPECT_EQ(read.GetChildData(), data);
}

TEST(XmlWriter, OpensEmptyParentsAndFillsEmptyPairs) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<R><P a=\"1\"/><Q></Q></R>"));
    ASSERT_TRUE(doc.FindChildElement("P"));
    ASSERT_TRUE(doc.IntoElement());
    ASSERT_TRUE(doc.AddChildElement("X", "1")) << "the first child of an empty tag";
    ASSERT_TRUE(doc.AddChildElement("Y"));
    ASSERT_TRUE(doc.FindElement("Q"));
    ASSERT_TRUE(doc.AddChildElement("Z"));
    EXPECT_EQ(doc.GetText(), "<R><P a=\"1\">\r\n<X>1</X>\r\n<Y/>\r\n</P><Q>\r\n<Z/>\r\n</Q></R>");
    expectSpansPointAtTags(doc);
    EXPECT_EQ(outline(doc), "R(P(X[1] Y) Q(Z))");

    ASSERT_TRUE(doc.SetText("<R><P//></R>"));
    doc.FindChildElement("P");
    doc.IntoElement();
    ASSERT_TRUE(doc.AddChildElement("X", "kept"));
    XmlDocument read;
    ASSERT_TRUE(read.SetText(doc.GetText())) << doc.GetText();
    EXPECT_EQ(outline(read), "R(P(X[kept]))") << doc.GetText();
}

TEST(XmlWriter, RefusesWhatCannotBeWritten) {
    XmlDocument doc;
    EXPECT_FALSE(doc.AddChildElement("A")) << "no current element";
    for (const char* bad : {"", "a b", "a/b", "<a", "a>", "\"a\"", "a=b", "a?"})
        EXPECT_FALSE(doc.AddElement(bad)) << bad;
    EXPECT_EQ(doc.GetText(), "");
    ASSERT_TRUE(doc.AddElement("A"));
    EXPECT_FALSE(doc.AddChildElement("bad name"));
    EXPECT_EQ(doc.GetText(), "<A/>\r\n");
}

TEST(XmlWriter, InsertsBetweenElementsAndKeepsEveryOffsetRight) {
    // The writer pattern, then insertions in the middle of what is already there.
    XmlDocument doc;
    doc.AddElement("Chordfile");
    doc.AddChildElement("Chords");
    doc.IntoElement();
    std::string expected = "Chordfile(Chords(";
    for (int i = 0; i < 200; ++i) {
        const std::string name = "C" + std::to_string(i);
        ASSERT_TRUE(doc.AddChildElement("Chord"));
        ASSERT_TRUE(doc.IntoElement());
        doc.AddChildElement("Name", name);
        doc.AddChildElement("Tab", "x 3 2 0 1 0");
        ASSERT_TRUE(doc.OutOfElement());
        expected += std::string(i ? " " : "") + "Chord(Name[" + name + "] Tab[x 3 2 0 1 0])";
    }
    doc.OutOfElement();
    doc.AddChildElement("Info", "end");
    expected += ") Info[end])";
    expectSpansPointAtTags(doc);

    XmlDocument read;
    ASSERT_TRUE(read.SetText(doc.GetText()));
    EXPECT_EQ(outline(read), expected);

    // A field added to the first chord, and a section in front of Info.
    read.FindChildElement("Chords");
    read.IntoElement();
    read.FindChildElement("Chord");
    read.IntoElement();
    read.FindChildElement("Name");
    ASSERT_TRUE(read.AddChildElement("RootNote", "C")) << "after the child found last";
    read.OutOfElement();
    ASSERT_TRUE(read.AddElement("Scales"));
    expectSpansPointAtTags(read);
    EXPECT_EQ(outline(read).substr(0, 56),
              "Chordfile(Chords(Chord(Name[C0] RootNote[C] Tab[x 3 2 0 ");
    EXPECT_NE(outline(read).find("Chord(Name[C199] Tab[x 3 2 0 1 0])) Scales Info[end])"),
              std::string::npos);

    XmlDocument again;
    ASSERT_TRUE(again.SetText(read.GetText()));
    EXPECT_EQ(sortedSpans(again), sortedSpans(read)) << "the table after insertions";
    EXPECT_NE(read.GetText().find("<Name>C0</Name>\r\n<RootNote>C</RootNote>\r\n<Tab>"),
              std::string::npos);
    EXPECT_NE(read.GetText().find("</Chords>\r\n<Scales/>\r\n<Info>end</Info>"), std::string::npos);
}
