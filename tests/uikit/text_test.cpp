#include "uikit/text.h"

#include <gtest/gtest.h>

namespace strumvale::uikit {
namespace {

TEST(Text, Windows1252CrossesTheWidgetBoundary) {
    // "Ackord för €5" in the code page's bytes.
    const std::string bytes = "Ackord f\xF6r \x80"
                              "5";
    const QString shown = toQString(bytes);
    EXPECT_EQ(shown, QString::fromUtf8("Ackord för €5"));
    EXPECT_EQ(fromQString(shown), bytes);
    EXPECT_EQ(fromQString(QString::fromUtf8("Ω ok")), "? ok") << "no such character in 1252";
    EXPECT_TRUE(toQString("").isEmpty());
}

} // namespace
} // namespace strumvale::uikit
