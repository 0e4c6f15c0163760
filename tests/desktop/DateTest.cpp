// tests/desktop/DateTest.cpp -- date values: days since 30 December 1899
#include <gtest/gtest.h>

#include "desktop/SysUtils.h"

namespace {

TEST(DateTest, KnownDaysEncodeAndDecodeBothWays) {
    struct Case { int Year, Month, Day; double Value; };
    const Case cases[] = {
        {1899, 12, 30, 0}, {1900, 1, 1, 2}, {2004, 2, 29, 38046}, {2000, 3, 1, 36586},
        {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        TDateTime date = -1;
        ASSERT_TRUE(TryEncodeDate(c.Year, c.Month, c.Day, date));
        EXPECT_EQ(date, c.Value);
        int y = 0, m = 0, d = 0;
        // The time of day plays no part; before the first day it counts away from zero.
        ASSERT_TRUE(DecodeDate(c.Value >= 0 ? c.Value + 0.75 : c.Value - 0.75, y, m, d));
        EXPECT_EQ(y, c.Year);
        EXPECT_EQ(m, c.Month);
        EXPECT_EQ(d, c.Day);
    }
}

TEST(DateTest, DaysThatDoNotExistAreRefused) {
    struct Case { int Year, Month, Day; };
    const Case cases[] = {{2003, 2, 29}, {1900, 2, 29}, {2004, 4, 31}, {0, 1, 1}, {10000, 1, 1}, {2004, 13, 1}, {2004, 0, 1}, {2004, 1, 0}};
    for (const Case& c : cases) {
        TDateTime date = 0;
        EXPECT_FALSE(TryEncodeDate(c.Year, c.Month, c.Day, date)) << c.Year << "-" << c.Month << "-" << c.Day;
    }
    int y, m, d;
    EXPECT_FALSE(DecodeDate(2958466.0, y, m, d));
    EXPECT_FALSE(DecodeDate(-693594.5, y, m, d));
}

TEST(DateTest, ADayBeforeTheFirstCountsItsWholeDaysTowardZero) {
    int y = 0, m = 0, d = 0;
    ASSERT_TRUE(DecodeDate(-1.5, y, m, d));   // noon of 29 December 1899
    EXPECT_EQ(d, 29);
    EXPECT_EQ(m, 12);
}

} // namespace
