#include <gtest/gtest.h>

#include <cfloat>

#include "base/number_text.h"

namespace tolvik {
namespace {

TEST(RealParsing, LeadingDecimalNumberOrZero) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"-12.5abc", -12.5f}, {"  3.75", 3.75f},  {"1534.56,", 1534.56f}, {"+7", 7.0f},   {".5", 0.5f},
        {"5.", 5.0f},         {"1.5e3", 1500.0f}, {"2E-2x", 0.02f},       {"4e", 4.0f},   {"4e+", 4.0f},
        {"", 0.0f},           {"   ", 0.0f},      {"abc", 0.0f},          {"-", 0.0f},    {".", 0.0f},
        // Only the decimal form converts.
        {"inf", 0.0f},        {"-infinity", 0.0f}, {"nan", 0.0f},         {"0x1p4", 0.0f},
        // Beyond single precision: the largest finite value of the sign.
        {"1e39", FLT_MAX},    {"-1e39", -FLT_MAX}, {"1e999999", FLT_MAX}, {"-1e999999", -FLT_MAX},
    };
    for (const auto& c : cases) EXPECT_FLOAT_EQ(ParseLeadingReal(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberText, TwoAndFourDecimals) {
    EXPECT_EQ(FormatFixed2(-45.5f), "-45.50");
    EXPECT_EQ(FormatFixed2(300.0f), "300.00");
    EXPECT_EQ(FormatFixed2(2.25f), "2.25");
    EXPECT_EQ(FormatFixed4(0.1f), "0.1000");
    EXPECT_EQ(FormatFixed4(1500.12f), "1500.1200");
}

TEST(TickDifference, WrapsAndTheFirstTickPolls) {
    // The Last Poll Time starts at 0: any tick count above 1000 polls.
    EXPECT_GT(TickDifference(5000u, 0u), 1000u);
    EXPECT_EQ(TickDifference(100u, 0xFFFFFF00u), 356u);
    EXPECT_FALSE(TickDifference(2000u, 1000u) > 1000u);
    EXPECT_TRUE(TickDifference(2001u, 1000u) > 1000u);
}

}  // namespace
}  // namespace tolvik
