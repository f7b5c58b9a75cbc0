// Lunar dates: known New Year's Days and leap months, and where Debian's
// `lunar` program is installed, every day of a year and more against it.
#include "play/lunar.h"
#include <cstdio>
#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace {

std::string lunar_text(int y, int m, int d)
{
    lunar_date l;
    const outcome o = lunar_from_civil(y, m, d, l);
    if (!o) return o.why;
    char s[48];
    snprintf(s, sizeof s, "%d.%d%s.%d", l.year, l.month, l.leap ? "Leap" : "", l.day);
    return s;
}

// The lunar date `lunar Y M D` prints ("Lunar : 2025.6Leap.8.Zi3" gives
// "2025.6Leap.8"), or "" when it prints none.
std::string lunar_tool(int y, int m, int d)
{
    const std::string cmd = "lunar " + std::to_string(y) + " " + std::to_string(m) + " " + std::to_string(d);
    FILE* p = popen(cmd.c_str(), "r");
    char line[256];
    std::string found;
    while (p && fgets(line, sizeof line, p))
        if (std::string(line).rfind("Lunar : ", 0) == 0) found = std::string(line + 8, strrchr(line, '.'));
    if (p) pclose(p);
    return found;
}

} // namespace

TEST(Lunar, KnownDatesAndTheLunarTool)
{
    // New Year's Days: the year digits show the year the lunar year began in.
    EXPECT_EQ(lunar_text(2023, 1, 22), "2023.1.1");
    EXPECT_EQ(lunar_text(2024, 2, 10), "2024.1.1");
    EXPECT_EQ(lunar_text(2025, 1, 29), "2025.1.1");
    EXPECT_EQ(lunar_text(2026, 2, 17), "2026.1.1");
    EXPECT_EQ(lunar_text(2026, 1, 20), "2025.12.2");
    // Leap months: the leap 6th month of 2025 and the leap 2nd of 2023.
    EXPECT_EQ(lunar_text(2025, 7, 24), "2025.6.30");
    EXPECT_EQ(lunar_text(2025, 7, 25), "2025.6Leap.1");
    EXPECT_EQ(lunar_text(2025, 8, 1), "2025.6Leap.8");
    EXPECT_EQ(lunar_text(2023, 3, 22), "2023.2Leap.1");

    // The digits of codes 17, 18 and 19: a leap month shows its number.
    lunar_date l;
    ASSERT_TRUE(lunar_from_civil(2025, 8, 1, l));
    EXPECT_EQ(lunar_field(l, CODE_LUNAR_YEAR), 2025u);
    EXPECT_EQ(lunar_field(l, CODE_LUNAR_MONTH), 6u);
    EXPECT_EQ(lunar_field(l, CODE_LUNAR_DAY), 8u);

    // A date that does not exist is named, not guessed.
    EXPECT_EQ(lunar_text(2025, 2, 30), "无法换算 2025-02-30 的农历日期");

    if (access("/usr/bin/lunar", X_OK) != 0) {
        GTEST_SKIP() << "Debian's lunar is not installed (tools/install-deps.sh installs it)";
    }
    // Every day from 2025-01-01 to 2026-02-28 agrees with the lunar program.
    struct tm day = {};
    day.tm_year = 2025 - 1900; day.tm_mon = 0; day.tm_mday = 1; day.tm_hour = 12;
    for (int i = 0; i < 424; i++) {
        struct tm t = day;
        t.tm_mday += i;
        timegm(&t);
        const int y = t.tm_year + 1900, m = t.tm_mon + 1, d = t.tm_mday;
        ASSERT_EQ(lunar_text(y, m, d), lunar_tool(y, m, d)) << y << "-" << m << "-" << d;
    }
}
