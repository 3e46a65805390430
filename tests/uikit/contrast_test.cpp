#include "support/dark_palette.h"
#include "uikit/contrast.h"

#include <gtest/gtest.h>

namespace strumvale::uikit {
namespace {

// WCAG's own figures: black on white 21:1; #767676 is the lightest grey that
// still reads as text on white, #777777 just fails.
TEST(Contrast, RatiosAreWcags) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    EXPECT_LT(contrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.5);
    EXPECT_DOUBLE_EQ(contrastRatio(QColor(200, 60, 40), QColor(35, 38, 41)),
                     contrastRatio(QColor(35, 38, 41), QColor(200, 60, 40)));
}

// On a light background every colour is drawn as it always was; on a dark
// one a colour too dark to read is lightened just enough and keeps its hue,
// and a light shade behind text darkens until the light text reads on it.
TEST(Contrast, ColoursChangeOnlyOnADarkBackground) {
    const QPalette dark = test::darkPalette();
    const QColor window = dark.color(QPalette::Window);
    const QColor linkBlue(0, 0, 238), playingAmber(255, 224, 140);
    for (const QColor light : {QColor(Qt::white), QColor(251, 251, 251), QColor(239, 239, 239)}) {
        EXPECT_FALSE(isDark(light));
        EXPECT_EQ(legibleOn(linkBlue, light, kTextContrast), linkBlue);
        EXPECT_EQ(shadeOn(playingAmber, light, dark), playingAmber);
        EXPECT_EQ(inkOn(light, dark), QColor(Qt::black));
    }
    ASSERT_TRUE(isDark(window));
    EXPECT_EQ(inkOn(window, dark), dark.color(QPalette::WindowText));

    const QColor link = legibleOn(linkBlue, window, kTextContrast);
    EXPECT_GE(contrastRatio(link, window), kTextContrast);
    EXPECT_GT(link.blue(), link.red()) << "still a blue";
    EXPECT_EQ(legibleOn(QColor(Qt::white), window, kTextContrast), QColor(Qt::white));

    const QColor band = shadeOn(playingAmber, window, dark);
    EXPECT_GE(contrastRatio(inkOn(window, dark), band), kTextContrast);
    EXPECT_NE(band, window) << "the band still shows";
    EXPECT_GT(band.red(), band.blue()) << "still an amber";
}

// A palette whose text does not stand out from its own window colour (a
// broken scheme) still gets readable lines.
TEST(Contrast, InkStandsOutEvenWhereThePalettesTextDoesNot) {
    QPalette broken = test::darkPalette();
    broken.setColor(QPalette::WindowText, QColor(60, 60, 60));
    EXPECT_EQ(inkOn(broken.color(QPalette::Window), broken), QColor(Qt::white));
}

} // namespace
} // namespace strumvale::uikit
