#include "platform/local_date.h"
#include "support/scoped_variable.h"

#include <ctime>
#include <gtest/gtest.h>

using namespace strumvale;

// A drill at 23:30 UTC is the next day's in Tokyo and the same day's in New York.
TEST(LocalDate, IsTheDayWhereTheUserLives) {
    using namespace std::chrono;
    const system_clock::time_point lateEvening = sys_days{year{2026} / 12 / 10} + 23h + 30min;
    {
        const test::ScopedVariable zone("TZ", "JST-9");
        ::tzset();
        EXPECT_EQ(platform::localDate(lateEvening), "2026-12-11");
    }
    {
        const test::ScopedVariable zone("TZ", "EST5");
        ::tzset();
        EXPECT_EQ(platform::localDate(lateEvening), "2026-12-10");
        EXPECT_EQ(platform::localDate(sys_days{year{2027} / 1 / 1} + 3h), "2026-12-31");
    }
    ::tzset();
}
