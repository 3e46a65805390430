#include "model/records.h"
#include "pages/pattern_grid_editor.h"

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace strumvale::test {
namespace {

using pages::PatternGridEditor;

const QColor kBlack(Qt::black);
const QColor kWhite(251, 251, 251);
const QColor kMark(92, 128, 224);

QImage render(PatternGridEditor& grid) {
    QImage image(grid.size(), QImage::Format_RGB32);
    grid.render(&image);
    return image;
}

bool anyPixel(const QImage& image, const QRect& box, const QColor& colour) {
    for (int x = box.left(); x <= box.right(); ++x) {
        for (int y = box.top(); y <= box.bottom(); ++y) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

TEST(PatternGridEditor, DrawsItsLinesHitsAndMarksAtTheirPixels) {
    PatternGridEditor grid;
    grid.setWhiteBackground(true);
    EXPECT_EQ(grid.size(), QSize(561, 172));
    EXPECT_EQ(grid.selectedTrack(), 8);
    EXPECT_EQ(grid.currentStep(), 1);
    grid.toggle(1, 1);
    grid.toggle(4, 2);
    grid.toggle(16, 8);
    grid.setHitColour(QColor(10, 200, 30));
    QImage image = render(grid);

    // Nine rows of lines, seventeen columns, thicker after steps 4, 8, 12.
    for (int y = 10; y <= 154; y += 18)
        EXPECT_EQ(image.pixelColor(95, y), kBlack) << y;
    EXPECT_EQ(image.pixelColor(95, 11), kWhite);
    EXPECT_EQ(image.pixelColor(80, 95), kBlack);
    EXPECT_EQ(image.pixelColor(81, 95), kWhite);
    EXPECT_EQ(image.pixelColor(168, 95), kWhite);
    EXPECT_EQ(image.pixelColor(169, 95), kBlack);
    EXPECT_EQ(image.pixelColor(170, 95), kBlack);
    EXPECT_EQ(image.pixelColor(171, 95), kWhite);
    EXPECT_EQ(image.pixelColor(110, 154), kBlack);
    EXPECT_EQ(image.pixelColor(110, 155), kWhite);
    EXPECT_EQ(image.pixelColor(170, 153), kBlack);
    EXPECT_EQ(image.pixelColor(170, 154), kBlack) << "the last horizontal line";
    EXPECT_EQ(image.pixelColor(170, 155), kWhite);
    EXPECT_EQ(image.pixelColor(530, 20), kBlack);
    EXPECT_EQ(image.pixelColor(531, 20), kWhite);

    // A hit fills its cell, lines included; before a thick line it stops short.
    const QColor hit(10, 200, 30);
    EXPECT_EQ(image.pixelColor(50, 10), hit) << "step 1 track 1 from (50, 10)";
    EXPECT_EQ(image.pixelColor(80, 28), hit) << "to (80, 28)";
    EXPECT_EQ(image.pixelColor(81, 20), kWhite);
    EXPECT_EQ(image.pixelColor(140, 28), hit) << "step 4 track 2";
    EXPECT_EQ(image.pixelColor(169, 46), hit);
    EXPECT_EQ(image.pixelColor(170, 46), kBlack) << "the thick line stays";
    EXPECT_EQ(image.pixelColor(510, 150), hit) << "step 16 track 8";
    EXPECT_EQ(image.pixelColor(95, 20), kWhite) << "a rest";

    // "8 ->" before the eighth row, "^" under step 1.
    EXPECT_TRUE(anyPixel(image, QRect(15, 136, 25, 15), kBlack));
    EXPECT_FALSE(anyPixel(image, QRect(15, 10, 25, 15), kBlack));
    EXPECT_TRUE(anyPixel(image, QRect(45, 160, 40, 10), kMark));
    grid.setSelectedTrack(3);
    grid.setCurrentStep(7);
    image = render(grid);
    EXPECT_TRUE(anyPixel(image, QRect(15, 46, 25, 15), kBlack));
    EXPECT_FALSE(anyPixel(image, QRect(15, 136, 25, 15), kBlack));
    EXPECT_FALSE(anyPixel(image, QRect(45, 160, 40, 10), kMark));
    EXPECT_TRUE(anyPixel(image, QRect(225, 160, 40, 10), kMark));
}

TEST(PatternGridEditor, AClickInsideACellTogglesItAndALineOrOutsideDoesNothing) {
    PatternGridEditor grid;
    QSignalSpy toggled(&grid, &PatternGridEditor::cellToggled);
    auto click = [&](int x, int y) { QTest::mouseClick(&grid, Qt::LeftButton, {}, QPoint(x, y)); };

    // The first and last pixels of step 1, track 1, and of step 16, track 8.
    click(51, 11);
    click(79, 26);
    EXPECT_FALSE(grid.hit(1, 1)) << "clicked twice: unchanged";
    click(529, 152);
    EXPECT_TRUE(grid.hit(16, 8));
    EXPECT_EQ(toggled.count(), 3);
    // On the lines around a cell, and beyond the grid.
    for (QPoint point : {QPoint(50, 20), QPoint(80, 20), QPoint(60, 10), QPoint(60, 27),
                         QPoint(60, 28), QPoint(530, 100), QPoint(20, 20), QPoint(300, 160)})
        click(point.x(), point.y());
    EXPECT_EQ(toggled.count(), 3);
    QTest::mouseClick(&grid, Qt::RightButton, {}, QPoint(60, 20));
    EXPECT_EQ(toggled.count(), 3) << "only the left button edits";

    PatternGridEditor::Cells cells{};
    cells[0] = 1;
    cells[127] = 1;
    grid.setCells(cells);
    EXPECT_TRUE(grid.hit(1, 1));
    EXPECT_TRUE(grid.hit(16, 8));
    EXPECT_FALSE(grid.hit(2, 1));
    EXPECT_FALSE(grid.hit(0, 1));
    EXPECT_FALSE(grid.hit(17, 1));
    EXPECT_EQ(grid.cells(), cells);
}

TEST(PatternGridEditor, DescriptionListsEachTracksHitSteps) {
    PatternGridEditor grid;
    EXPECT_EQ(grid.accessibleDescription(), "") << "no hits";
    grid.toggle(5, 3);
    grid.toggle(1, 3);
    grid.toggle(16, 1);
    EXPECT_EQ(grid.accessibleDescription(), "1: 16; 3: 1 5") << "tracks top down, steps in order";
    grid.toggle(16, 1);
    EXPECT_EQ(grid.accessibleDescription(), "3: 1 5");

    PatternGridEditor::Cells cells{};
    cells[model::DrumPattern::cellIndex(9, 8)] = 1;
    grid.setCells(cells);
    EXPECT_EQ(grid.accessibleDescription(), "8: 9");
}

} // namespace
} // namespace strumvale::test
