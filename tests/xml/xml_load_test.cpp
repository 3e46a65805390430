#include "container/zip_exception.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "support/temp_dir.h"
#include "xml/xml_document.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using strumvale::container::CZipException;
using strumvale::platform::FileError;
using strumvale::platform::readWholeFile;
using strumvale::platform::replaceFile;
using strumvale::test::TempDir;
using strumvale::xml::XmlDocument;

TEST(XmlLoad, FilesLoadEvenMalformedWhileMissingOrBinaryOnesChangeNothing) {
    TempDir dir;
    replaceFile(dir.file("a.xml"), "<a><b>1</b></a>");
    replaceFile(dir.file("bad.xml"), "<a><b>");
    replaceFile(dir.file("bin.gtr"), std::string("PK\3\4\0", 5) + std::string(100, 'x'));
    // Zero bytes at the end are fine: the text is long enough for the size.
    replaceFile(dir.file("tail.xml"), "<t/>" + std::string(40, ' ') + std::string(2, '\0'));
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.file("a.xml")));
    ASSERT_TRUE(doc.FindChildElement("b"));
    EXPECT_FALSE(doc.LoadFile(dir.file("missing.xml")));
    EXPECT_FALSE(doc.LoadFile(dir.path())) << "a folder is not a file";
    EXPECT_FALSE(doc.LoadFile(dir.file("bin.gtr")));
    EXPECT_FALSE(doc.LoadArchive(dir.file("missing.gtr")));
    EXPECT_THROW(doc.LoadArchive(dir.file("a.xml")), CZipException);
    EXPECT_EQ(doc.GetChildData(), "1") << "document and cursor stay";

    EXPECT_TRUE(doc.LoadFile(dir.file("tail.xml")));
    EXPECT_TRUE(doc.FindElement("t"));
    EXPECT_TRUE(doc.LoadFile(dir.file("bad.xml")));
    EXPECT_FALSE(doc.IsWellFormed());
}

TEST(XmlLoad, Utf16FilesConvertWithQuestionMarksForMissingCharacters) {
    TempDir dir;
    // Euro sign and e acute exist in the code page; Omega and the emoji do not.
    std::string bytes = "\xFF\xFE";
    for (char16_t u : std::u16string_view(u"<a>\u20AC\u00E9\u03A9\U0001F3B8</a>\0<junk>", 16)) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    replaceFile(dir.file("u.xml"), bytes);
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.file("u.xml")));
    EXPECT_EQ(doc.GetText(), "<a>\x80\xE9?"
                             "?</a>")
        << "stops at the first zero unit";
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlLoad, ReservedNameLoadsTheBuiltInTableNotAFile) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    replaceFile("English (Built-in)", "<NotTheTable/>");
    replaceFile("English (built-in)", "<OtherFile/>");

    XmlDocument builtIn, file, archive, other;
    ASSERT_TRUE(builtIn.LoadBuiltIn());
    EXPECT_TRUE(builtIn.IsWellFormed());
    ASSERT_TRUE(file.LoadFile("English (Built-in)"));
    ASSERT_TRUE(archive.LoadArchive("English (Built-in)"));
    ASSERT_TRUE(other.LoadFile("English (built-in)")) << "the name is case-sensitive";
    std::filesystem::current_path(previous);
    EXPECT_EQ(file.GetText(), builtIn.GetText());
    EXPECT_EQ(archive.GetText(), builtIn.GetText());
    EXPECT_EQ(other.GetText(), "<OtherFile/>");
}

TEST(XmlSave, ReplacesFilesWholeAndReportsTargetsThatCannotBeWritten) {
    TempDir dir;
    XmlDocument doc;
    doc.AddElement("Settings");
    doc.AddChildElement("Language", "English (Built-in)");
    doc.SaveFile(dir.file("settings.xml"));
    XmlDocument read;
    ASSERT_TRUE(read.LoadFile(dir.file("settings.xml")));
    EXPECT_EQ(read.GetText(), doc.GetText());

    const std::string locked = dir.file("locked.xml");
    replaceFile(locked, "<old/>");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    EXPECT_THROW(doc.SaveFile(locked), FileError);
    std::string bytes;
    ASSERT_TRUE(readWholeFile(locked, bytes));
    EXPECT_EQ(bytes, "<old/>");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"locked.xml", "settings.xml"}));
}

TEST(XmlSave, ArchiveRoundTrip) {
    TempDir dir;
    XmlDocument doc;
    doc.AddElement("Chordfile");
    doc.AddChildElement("Author", "\xC5sa");
    doc.SaveArchive(dir.file("c.gtr"), "chords.xml");
    XmlDocument read;
    ASSERT_TRUE(read.LoadArchive(dir.file("c.gtr")));
    EXPECT_EQ(read.GetText(), doc.GetText());
}
