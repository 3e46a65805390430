#include "formats/song_file.h"
#include "sheets/song_line_layout.h"

#include <QFont>
#include <gtest/gtest.h>

using namespace strumvale;

namespace {

sheets::LyricLineLayout layOut(const char* written) {
    const model::SongLine line = formats::lyricLineOf(written);
    QFont font(QStringLiteral("Sans"), 12);
    const QFontMetricsF metrics(font);
    return sheets::layOutLyricLine(line, metrics, metrics);
}

qreal widthOf(const QString& text) {
    return QFontMetricsF(QFont(QStringLiteral("Sans"), 12)).horizontalAdvance(text);
}

} // namespace

TEST(SongLineLayout, EachChordStartsOverTheLetterItWasWrittenBefore) {
    const auto layout = layOut("Vin[D7]tern ra[G]sat ut på fjäl[Em]lar");
    ASSERT_EQ(layout.chords.size(), 3u);
    EXPECT_DOUBLE_EQ(layout.chords[0].x, widthOf(QStringLiteral("Vin")));
    EXPECT_DOUBLE_EQ(layout.chords[1].x, widthOf(QStringLiteral("Vintern ra")));
    EXPECT_DOUBLE_EQ(layout.chords[2].x, widthOf(QStringLiteral("Vintern rasat ut på fjäl")));
    EXPECT_EQ(layout.words.size(), 4u);
    EXPECT_EQ(layout.words.back().text, QStringLiteral("lar"));
}

TEST(SongLineLayout, CrowdedChordsPushTheWordsApartAndChordsAloneStandInARow) {
    // Two long names over one short syllable: the second name starts a
    // blank after the first ends, and the words after it move with it.
    const auto crowded = layOut("[Cmaj7#11]a[Fmaj7/A]b");
    const qreal firstEnd = widthOf(QStringLiteral("Cmaj7#11"));
    EXPECT_DOUBLE_EQ(crowded.chords[1].x, firstEnd + widthOf(QStringLiteral(" ")));
    // "a" and "b" are one word: the gap between them reads as a hyphen.
    ASSERT_EQ(crowded.words.size(), 3u);
    EXPECT_EQ(crowded.words[1].text, QStringLiteral("-"));
    EXPECT_GT(crowded.words[1].x, widthOf(QStringLiteral("a")));
    EXPECT_DOUBLE_EQ(crowded.words[2].x, crowded.chords[1].x);
    // Between words the gap stays blank.
    EXPECT_EQ(layOut("[Cmaj7#11]a [Fmaj7/A]b").words.size(), 2u);
    EXPECT_GE(crowded.width, crowded.chords[1].x + widthOf(QStringLiteral("Fmaj7/A")));

    const auto alone = layOut("[Em][C][D]");
    ASSERT_EQ(alone.chords.size(), 3u);
    EXPECT_TRUE(alone.words.empty());
    EXPECT_LT(alone.chords[0].x, alone.chords[1].x);
    EXPECT_LT(alone.chords[1].x, alone.chords[2].x);
}
