#include "app/window_scale.h"
#include "platform/file.h"
#include "support/scoped_variable.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace strumvale::app {
namespace {

std::string scaleFactor() {
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    return factor != nullptr ? factor : "";
}

// The size chosen in the settings is the scale Qt is told before it starts;
// one the user set in the environment stands.
TEST(WindowScale, TheSettingsSizeBecomesTheScaleUnlessTheUserSetOne) {
    test::TempDir dir;
    test::ScopedVariable unset("QT_SCALE_FACTOR", "");
    const auto scaledBy = [&](const std::string& settings) {
        ::setenv("QT_SCALE_FACTOR", "", 1);
        platform::replaceFile(dir.file("settings.xml"), settings);
        scaleWindowsAsSet(dir.file("settings.xml"));
        return scaleFactor();
    };
    EXPECT_EQ(scaledBy("<Settings><Windowsize>125</Windowsize></Settings>"), "1.25");
    EXPECT_EQ(scaledBy("<Settings><Windowsize>200</Windowsize></Settings>"), "2.0");
    EXPECT_EQ(scaledBy("<Settings><Volume>90</Volume></Settings>"), "") << "the drawn size";
    EXPECT_EQ(scaledBy("<Settings><Windowsize>90</Windowsize></Settings>"), "");
    ::setenv("QT_SCALE_FACTOR", "", 1);
    scaleWindowsAsSet(dir.file("none.xml"));
    EXPECT_EQ(scaleFactor(), "") << "no settings file yet";

    ::setenv("QT_SCALE_FACTOR", "1.75", 1);
    platform::replaceFile(dir.file("settings.xml"),
                          "<Settings><Windowsize>150</Windowsize></Settings>");
    scaleWindowsAsSet(dir.file("settings.xml"));
    EXPECT_EQ(scaleFactor(), "1.75");
}

} // namespace
} // namespace strumvale::app
