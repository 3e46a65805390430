#include "xml/xml_document.h"

#include <gtest/gtest.h>

using strumvale::xml::XmlDocument;

TEST(XmlWalk, ChildDataOfTextEmptyAndParentElements) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<a><b>1</b><c/><d><e>2</e></d></a>"));
    EXPECT_EQ(doc.GetChildData(), "") << "no current child";
    ASSERT_TRUE(doc.FindChildElement("b"));
    EXPECT_EQ(doc.GetChildData(), "1");
    ASSERT_TRUE(doc.FindChildElement("c"));
    EXPECT_EQ(doc.GetChildData(), "");
    ASSERT_TRUE(doc.FindChildElement("d"));
    EXPECT_EQ(doc.GetChildData(), "") << "an element with children has no data";
}

TEST(XmlWalk, EntitiesAndCdata) {
    XmlDocument doc;
    auto dataOf = [&](const std::string& content) {
        doc.SetText("<r><a>" + content + "</a></r>");
        doc.FindChildElement("a");
        return doc.GetChildData();
    };
    EXPECT_EQ(dataOf(" &lt;b&gt; &amp;&#65; "), " <b> &&#65; ");
    EXPECT_EQ(dataOf("&apos;&quot;&amp;lt;&unknown;&"), "'\"&lt;&unknown;&");
    EXPECT_EQ(dataOf("&lt"), "&lt") << "a code cut short by the end tag stays";
    EXPECT_EQ(dataOf(" <![CDATA[x<y]]> tail"), "x<y");
    EXPECT_EQ(dataOf("<![CDATA[&amp;]]>"), "&amp;") << "CDATA is raw";
    EXPECT_EQ(dataOf("<![CDATA[]]>"), "");
    EXPECT_EQ(dataOf("x<![CDATA[y]]>"), "x<![CDATA[y]]>") << "only a leading section counts";
    EXPECT_EQ(dataOf("\r\n  spaced  \r\n"), "\r\n  spaced  \r\n");
}

TEST(XmlWalk, ReadersFindSectionsItemsAndFieldsInOrder) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><Info>i</Info><Author>a</Author>"
                            "<s><i>1</i><i>2</i></s><s><i>3</i></s></r>"));
    EXPECT_FALSE(doc.IntoElement()) << "nothing to step into yet";
    EXPECT_FALSE(doc.OutOfElement());
    ASSERT_TRUE(doc.FindChildElement("Author"));
    EXPECT_FALSE(doc.FindChildElement("Info")) << "Info stands before Author";
    EXPECT_EQ(doc.GetChildData(), "a") << "a failed search keeps the cursor";

    std::string seen;
    while (doc.FindChildElement("s")) {
        ASSERT_TRUE(doc.IntoElement());
        while (doc.FindChildElement("i"))
            seen += doc.GetChildData();
        seen += ';';
        ASSERT_TRUE(doc.OutOfElement());
    }
    EXPECT_EQ(seen, "12;3;");
    EXPECT_FALSE(doc.OutOfElement());

    // Stepping into the root without a child, then moving along its children.
    doc.SetText(doc.GetText());
    ASSERT_TRUE(doc.FindElement("r"));
    ASSERT_TRUE(doc.IntoElement());
    ASSERT_TRUE(doc.FindElement("s"));
    ASSERT_TRUE(doc.FindElement("s"));
    EXPECT_FALSE(doc.FindElement("s"));
    ASSERT_TRUE(doc.FindChildElement("i"));
    EXPECT_EQ(doc.GetChildData(), "3");
}

TEST(XmlWalk, CopiesWalkOnTheirOwnAndMovedFromDocumentsAreEmpty) {
    XmlDocument doc;
    ASSERT_TRUE(doc.SetText("<r><a>1</a><b>2</b></r>"));
    ASSERT_TRUE(doc.FindChildElement("a"));
    XmlDocument copy = doc;
    ASSERT_TRUE(copy.FindChildElement("b"));
    EXPECT_EQ(doc.GetChildData(), "1");

    XmlDocument moved = std::move(doc);
    EXPECT_EQ(moved.GetChildData(), "1");
    EXPECT_FALSE(doc.OutOfElement()); // NOLINT(bugprone-use-after-move): left empty on purpose
    EXPECT_TRUE(doc.AddElement("fresh"));
}
