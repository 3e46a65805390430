#include "platform/utf8.h"
#include "platform/windows1252.h"

#include <gtest/gtest.h>

using namespace strumvale::platform;

TEST(Windows1252, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);

    EXPECT_EQ(windows1252ToUtf8("\x80\x8A\x99\x9F\xE9"),
              "\u20AC\u0160\u2122\u0178\u00E9"); // euro, S caron, trade mark, Y diaeresis, e acute
    EXPECT_EQ(windows1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D")
        << "undefined bytes stand for the C1 controls of the same value";
    EXPECT_EQ(windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Windows1252, MissingAndMalformedCharactersBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("\u201Cquote\u201D \u2026 \u0152"), "\x93quote\x94 \x85 \x8C");
    EXPECT_EQ(utf8ToWindows1252("\u03A9\u4E2D\U0001F3B8|\u0080"), "???|?")
        << "C1 controls without a byte of their own are missing too";
    EXPECT_EQ(utf8ToWindows1252("\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82"), "??|???|????|?")
        << "overlong forms, surrogates, values past U+10FFFF, a cut-off sequence";
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82x\x80"), "?x?");

    EXPECT_EQ(utf16ToWindows1252(u"A\u20AC\u00FF\u0100"), "A\x80\xFF?");
    EXPECT_EQ(utf16ToWindows1252(u"\U0001F3B8."), "?.") << "a pair is one character";
    const char16_t lone[] = {0xD800, u'x', 0xDC00, 0};
    EXPECT_EQ(utf16ToWindows1252(lone), "?x?");
}

TEST(Utf8, WellFormedTextOnly) {
    EXPECT_TRUE(isUtf8(""));
    EXPECT_TRUE(isUtf8("G\xC3\xA5 p\xC3\xA5 \xC5\x82 \xF0\x9F\x8E\xB8 \xE2\x80\x8B"));
    for (const char* broken : {"\xC0\xAF", "\xE0\x80\xAF", "\xF0\x8F\xBF\xBF", "\xED\xA0\x80",
                               "\xF4\x90\x80\x80", "\xE2\x82", "\x80", "a\xF8"})
        EXPECT_FALSE(isUtf8(broken)) << broken;
    // Whatever is UTF-8 here converts without a question mark it did not hold.
    EXPECT_EQ(utf8ToWindows1252("\xC3\xA5\xE2\x82\xAC"), "\xE5\x80");
}
