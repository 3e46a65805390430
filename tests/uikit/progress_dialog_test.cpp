#include "uikit/progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <climits>
#include <gtest/gtest.h>

namespace strumvale::uikit {
namespace {

QString caption(const ProgressDialog& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("percentage"))->text();
}

TEST(ProgressDialog, CaptionFollowsTheValueWithinTheRange) {
    ProgressDialog dialog(QStringLiteral("Sorting"));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sorting"));
    dialog.setMessage(QStringLiteral("Sorting, please wait..."));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("message"))->text(),
              QStringLiteral("Sorting, please wait..."));

    dialog.setRange(0, 200);
    EXPECT_EQ(caption(dialog), QStringLiteral("0 %"));
    dialog.setValue(84);
    EXPECT_EQ(caption(dialog), QStringLiteral("42 %"));
    EXPECT_EQ(dialog.findChild<QProgressBar*>(QStringLiteral("bar"))->value(), 42);
    dialog.setValue(200);
    EXPECT_EQ(caption(dialog), QStringLiteral("100 %"));

    dialog.setValue(500);
    EXPECT_EQ(dialog.value(), 200) << "past the end counts as the end";
    EXPECT_EQ(caption(dialog), QStringLiteral("100 %"));
    dialog.setValue(-3);
    EXPECT_EQ(dialog.value(), 0);
    EXPECT_EQ(caption(dialog), QStringLiteral("0 %"));

    dialog.setRange(10, 20);
    dialog.setValue(15);
    EXPECT_EQ(caption(dialog), QStringLiteral("50 %"));
    dialog.setRange(16, 20);
    EXPECT_EQ(dialog.value(), 16) << "a narrowed range pulls the value in";
    EXPECT_EQ(caption(dialog), QStringLiteral("0 %"));
}

TEST(ProgressDialog, OddRangesStayMeaningful) {
    ProgressDialog dialog(QStringLiteral("Saving"));
    dialog.setRange(INT_MIN, INT_MAX);
    dialog.setValue(0);
    EXPECT_EQ(caption(dialog), QStringLiteral("50 %")) << "no overflow across all of int";
    dialog.setValue(INT_MAX);
    EXPECT_EQ(caption(dialog), QStringLiteral("100 %"));

    dialog.setRange(5, 5);
    EXPECT_EQ(caption(dialog), QStringLiteral("100 %")) << "nothing to do is done";
    dialog.setRange(9, 3);
    EXPECT_EQ(dialog.maximum(), 9);
    EXPECT_EQ(dialog.value(), 9);
}

} // namespace
} // namespace strumvale::uikit
