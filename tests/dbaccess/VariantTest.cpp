#include <gtest/gtest.h>

#include "dbaccess/Variant.h"

using namespace dbaccess;

TEST(Bcd, ParsesDecimalTextRoundingHalvesToEven) {
    struct TCase {
        const char* text;
        std::optional<std::int64_t> units;
    };
    const TCase cases[] = {
        {"12.5", 125000},
        {"-0.00005", 0},  // half: to the even neighbour 0
        {"0.00015", 2},   // half: to the even neighbour 2
        {"0.000150001", 2},
        {"2.00025", 20002},
        {"2.000251", 20003},
        {"1e3", 10000000},
        {"922337203685477.5807", 9223372036854775807},
        {"922337203685477.5808", std::nullopt},
        {"-922337203685477.5808", std::numeric_limits<std::int64_t>::min()},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"1.2.3", std::nullopt},
    };
    for (const auto& testCase : cases) {
        auto parsed = ParseBcd(testCase.text);
        if (testCase.units) {
            ASSERT_TRUE(parsed.has_value()) << testCase.text;
            EXPECT_EQ(parsed->units, *testCase.units) << testCase.text;
        } else {
            EXPECT_FALSE(parsed.has_value()) << testCase.text;
        }
    }
    EXPECT_EQ(FormatBcd(TBcd{-125000}), "-12.5000");
    EXPECT_EQ(FormatBcd(TBcd{std::numeric_limits<std::int64_t>::min()}), "-922337203685477.5808");
    EXPECT_EQ(BcdFromDouble(0.1)->units, 1000);
    EXPECT_EQ(BcdFromDouble(2.00005)->units, 20000);
    EXPECT_FALSE(BcdFromDouble(1e300).has_value());
}

TEST(Bcd, RoundsToFewerPlacesHalvesToEven) {
    EXPECT_EQ(RoundBcd(TBcd{12345}, 2).units, 12300);  // 1.2345 -> 1.23
    EXPECT_EQ(RoundBcd(TBcd{12350}, 2).units, 12400);  // 1.2350 -> 1.24
    EXPECT_EQ(RoundBcd(TBcd{12250}, 2).units, 12200);  // 1.2250 -> 1.22
    EXPECT_EQ(RoundBcd(TBcd{-12250}, 2).units, -12200);
    EXPECT_EQ(RoundBcd(TBcd{25000}, 0).units, 20000);  // 2.5 -> 2
    EXPECT_EQ(RoundBcd(TBcd{35000}, 0).units, 40000);  // 3.5 -> 4
    EXPECT_EQ(RoundBcd(TBcd{12345}, 4).units, 12345);
}

TEST(DateTime, IsoFormsReadAndWriteBack) {
    auto date = ParseDate("2024-02-29");
    ASSERT_TRUE(date);
    EXPECT_EQ(FormatDate(*date), "2024-02-29");
    for (const char* edge : {"0001-01-01", "0099-10-09", "0999-12-31", "9999-12-31"}) {
        EXPECT_EQ(FormatDate(*ParseDate(edge)), edge);
    }
    EXPECT_FALSE(ParseDate("2023-02-29"));
    EXPECT_FALSE(ParseDate("2024-13-01"));
    EXPECT_FALSE(ParseDate("2024-02-29 10:00:00"));

    auto time = ParseTime("13:45:00.250");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->microsecond, 250000);
    EXPECT_EQ(FormatTime(*time), "13:45:00.250");
    EXPECT_EQ(FormatTime(*ParseTime("23:59")), "23:59:00");
    EXPECT_FALSE(ParseTime("24:00:00"));

    auto stamp = ParseDateTime("2024-02-29T13:45:00.123456");
    ASSERT_TRUE(stamp);
    EXPECT_EQ(FormatDateTime(*stamp), "2024-02-29 13:45:00.123456");
    EXPECT_EQ(FormatDateTime(*ParseDateTime("2024-02-29")), "2024-02-29 00:00:00");
    EXPECT_FALSE(ParseDateTime("2024-02-29 13:45:00Z"));
}
