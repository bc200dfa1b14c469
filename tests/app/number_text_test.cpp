#include <gtest/gtest.h>

#include <cfloat>

#include "app/number_text.h"

namespace tolvik {
namespace {

TEST(RealParsing, LeadingNumberWithTrailingText) {
    EXPECT_FLOAT_EQ(ParseLeadingReal("-12.5abc"), -12.5f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("  3.75"), 3.75f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("1534.56,"), 1534.56f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("+7"), 7.0f);
    EXPECT_FLOAT_EQ(ParseLeadingReal(".5"), 0.5f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("5."), 5.0f);
}

TEST(RealParsing, EmptyBlankAndLettersGiveZero) {
    EXPECT_EQ(ParseLeadingReal(""), 0.0f);
    EXPECT_EQ(ParseLeadingReal("   "), 0.0f);
    EXPECT_EQ(ParseLeadingReal("abc"), 0.0f);
    EXPECT_EQ(ParseLeadingReal("-"), 0.0f);
    EXPECT_EQ(ParseLeadingReal("."), 0.0f);
}

TEST(RealParsing, Exponents) {
    EXPECT_FLOAT_EQ(ParseLeadingReal("1.5e3"), 1500.0f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("2E-2x"), 0.02f);
    // An 'e' without digits is not part of the number.
    EXPECT_FLOAT_EQ(ParseLeadingReal("4e"), 4.0f);
    EXPECT_FLOAT_EQ(ParseLeadingReal("4e+"), 4.0f);
}

TEST(RealParsing, OnlyTheDecimalFormConverts) {
    EXPECT_EQ(ParseLeadingReal("inf"), 0.0f);
    EXPECT_EQ(ParseLeadingReal("-infinity"), 0.0f);
    EXPECT_EQ(ParseLeadingReal("nan"), 0.0f);
    EXPECT_EQ(ParseLeadingReal("0x1p4"), 0.0f);
}

TEST(RealParsing, ValuesBeyondSinglePrecisionStayFinite) {
    EXPECT_EQ(ParseLeadingReal("1e39"), FLT_MAX);
    EXPECT_EQ(ParseLeadingReal("-1e39"), -FLT_MAX);
    EXPECT_EQ(ParseLeadingReal("1e999999"), FLT_MAX);
    EXPECT_EQ(ParseLeadingReal("-1e999999"), -FLT_MAX);
}

TEST(NumberText, TwoAndFourDecimals) {
    EXPECT_EQ(FormatFixed2(-45.5f), "-45.50");
    EXPECT_EQ(FormatFixed2(300.0f), "300.00");
    EXPECT_EQ(FormatFixed2(2.25f), "2.25");
    EXPECT_EQ(FormatFixed2(-123.5f), "-123.50");
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
