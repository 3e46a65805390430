#include "container/zip_exception.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "support/temp_dir.h"
#include "xml/xml_document.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

extern const unsigned char builtin_language_table[];
extern const unsigned long builtin_language_table_size;

using strumvale::container::CZipException;
using strumvale::platform::FileError;
using strumvale::platform::readWholeFile;
using strumvale::platform::replaceFile;
using strumvale::test::TempDir;
using strumvale::xml::XmlDocument;

namespace {

std::string utf16le(std::u16string_view units) {
    std::string bytes = "\xFF\xFE";
    for (char16_t u : units) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
    return bytes;
}

// Runs in dir as the current directory, as the program resolves relative names.
class InDirectory {
public:
    explicit InDirectory(const std::string& dir) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~InDirectory() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

} // namespace

TEST(XmlLoad, PlainFilesLoadEvenWhenMalformedAndMissingOnesLeaveTheDocument) {
    TempDir dir;
    replaceFile(dir.file("a.xml"), "<a><b>1</b></a>");
    replaceFile(dir.file("bad.xml"), "<a><b>");
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.file("a.xml")));
    ASSERT_TRUE(doc.FindChildElement("b"));

    EXPECT_FALSE(doc.LoadFile(dir.file("missing.xml")));
    EXPECT_FALSE(doc.LoadFile(dir.path())) << "a folder is not a file";
    EXPECT_EQ(doc.GetChildData(), "1") << "document and cursor stay";

    EXPECT_TRUE(doc.LoadFile(dir.file("bad.xml")));
    EXPECT_FALSE(doc.IsWellFormed());
    EXPECT_EQ(doc.GetText(), "<a><b>");
}

TEST(XmlLoad, Utf16FilesConvertWithQuestionMarksForMissingCharacters) {
    TempDir dir;
    // Euro sign and e acute exist in the code page; Omega and the emoji do not.
    replaceFile(dir.file("u.xml"),
                utf16le(u"<a>\u20AC\u00E9\u03A9\U0001F3B8</a>") + std::string("\0\0<junk>", 8));
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.file("u.xml")));
    EXPECT_EQ(doc.GetText(), "<a>\x80\xE9?"
                             "?</a>")
        << "stops at the first zero unit";
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlLoad, BinaryDataIsRefusedAndChangesNothing) {
    TempDir dir;
    replaceFile(dir.file("keep.xml"), "<keep/>");
    replaceFile(dir.file("bin.gtr"), std::string("PK\3\4\0", 5) + std::string(100, 'x'));
    // Zero bytes near the end are fine: the text is long enough for its size.
    replaceFile(dir.file("tail.xml"), "<t/>" + std::string(40, ' ') + std::string(2, '\0'));
    XmlDocument doc;
    ASSERT_TRUE(doc.LoadFile(dir.file("keep.xml")));
    doc.FindChildElement();
    EXPECT_FALSE(doc.LoadFile(dir.file("bin.gtr")));
    EXPECT_EQ(doc.GetText(), "<keep/>");
    EXPECT_EQ(doc.CurrentPos(), 1);
    EXPECT_TRUE(doc.LoadFile(dir.file("tail.xml")));
    EXPECT_TRUE(doc.FindElement("t"));
}

TEST(XmlLoad, ReservedNameLoadsTheBuiltInTableNotAFile) {
    TempDir dir;
    InDirectory inside(dir.path());
    replaceFile("English (Built-in)", "<NotTheTable/>");
    replaceFile("English (built-in)", "<OtherFile/>");

    XmlDocument builtIn;
    ASSERT_TRUE(builtIn.LoadBuiltIn());
    EXPECT_TRUE(builtIn.IsWellFormed());
    const std::string embedded(reinterpret_cast<const char*>(builtin_language_table),
                               builtin_language_table_size);
    EXPECT_EQ(builtIn.GetText(), embedded.substr(0, embedded.find('\0')));

    for (bool archive : {false, true}) {
        XmlDocument doc;
        ASSERT_TRUE(archive ? doc.LoadArchive("English (Built-in)")
                            : doc.LoadFile("English (Built-in)"));
        EXPECT_EQ(doc.GetText(), builtIn.GetText());
    }
    XmlDocument other;
    ASSERT_TRUE(other.LoadFile("English (built-in)")) << "the name is case-sensitive";
    EXPECT_EQ(other.GetText(), "<OtherFile/>");
}

TEST(XmlLoad, ArchivesThatCannotBeOpenedFailAndDamagedOnesRaise) {
    TempDir dir;
    replaceFile(dir.file("plain.txt"), "<not an archive/>");
    XmlDocument doc;
    doc.SetText("<keep/>");
    EXPECT_FALSE(doc.LoadArchive(dir.file("missing.gtr")));
    EXPECT_THROW(doc.LoadArchive(dir.file("plain.txt")), CZipException);
    EXPECT_EQ(doc.GetText(), "<keep/>");
}

TEST(XmlSave, ReplacesFilesWholeAndReportsTargetsThatCannotBeWritten) {
    TempDir dir;
    XmlDocument doc;
    doc.AddElement("Settings");
    doc.AddChildElement("Language", "English (Built-in)");
    const std::string path = dir.file("settings.xml");
    doc.SaveFile(path);
    XmlDocument read;
    ASSERT_TRUE(read.LoadFile(path));
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
    const std::string path = dir.file("c.gtr");
    try {
        doc.SaveArchive(path, "chords.xml");
    } catch (const CZipException&) {
        GTEST_SKIP() << "the container writer is not available in this build";
    }
    XmlDocument read;
    ASSERT_TRUE(read.LoadArchive(path));
    EXPECT_EQ(read.GetText(), doc.GetText());
}
