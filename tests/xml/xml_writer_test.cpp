#include "outline.h"
#include "xml/xml_document.h"

#include <gtest/gtest.h>

using strumvale::test::expectSpansPointAtTags;
using strumvale::test::outline;
using strumvale::test::sortedSpans;
using strumvale::xml::XmlDocument;

TEST(XmlWriter, WritesOneElementPerLineEscapedAndReadsItBack) {
    XmlDocument doc;
    ASSERT_TRUE(doc.AddElement("A"));
    ASSERT_TRUE(doc.AddChildElement("B", "x<y"));
    ASSERT_TRUE(doc.AddChildElement("C"));
    EXPECT_EQ(doc.GetText(), "<A>\r\n<B>x&lt;y</B>\r\n<C/>\r\n</A>\r\n");
    EXPECT_FALSE(doc.AddElement("A2")) << "a document has one root";

    const std::string data = "a&b <c> 'd' \"e\" &amp; \xE9\x80";
    ASSERT_TRUE(doc.AddChildElement("Info", data));
    EXPECT_NE(doc.GetText().find("<Info>a&amp;b &lt;c&gt; 'd' \"e\" &amp;amp; \xE9\x80</Info>"),
              std::string::npos);
    EXPECT_EQ(outline(doc), "A(B[x<y] C Info[" + data + "])");
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

    // Reopened as "<P/>" the tag would still read as empty and lose its child.
    ASSERT_TRUE(doc.SetText("<R><P//></R>"));
    doc.FindChildElement("P");
    doc.IntoElement();
    ASSERT_TRUE(doc.AddChildElement("X", "kept"));
    EXPECT_EQ(outline(doc), "R(P(X[kept]))") << doc.GetText();
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
    EXPECT_EQ(outline(doc), expected + ") Info[end])");

    // A field added to the first chord and a section before Info shift all that follows.
    XmlDocument read;
    ASSERT_TRUE(read.SetText(doc.GetText()));
    read.FindChildElement("Chords");
    read.IntoElement();
    read.FindChildElement("Chord");
    read.IntoElement();
    read.FindChildElement("Name");
    ASSERT_TRUE(read.AddChildElement("RootNote", "C")) << "after the child found last";
    read.OutOfElement();
    ASSERT_TRUE(read.AddElement("Scales"));
    expectSpansPointAtTags(read);
    XmlDocument again;
    ASSERT_TRUE(again.SetText(read.GetText()));
    EXPECT_EQ(sortedSpans(again), sortedSpans(read));
    EXPECT_NE(read.GetText().find("<Name>C0</Name>\r\n<RootNote>C</RootNote>\r\n<Tab>"),
              std::string::npos);
    EXPECT_NE(read.GetText().find("</Chords>\r\n<Scales/>\r\n<Info>end</Info>"), std::string::npos);
}
