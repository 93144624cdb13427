#include "objlib/value_text.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ValueText, IntegersFromText)
{
    EXPECT_EQ(ParseInt32Text(L"994"), 994);
    EXPECT_EQ(ParseInt32Text(L"  -7 "), -7);
    EXPECT_EQ(ParseInt32Text(L"+3"), 3);
    EXPECT_EQ(ParseInt32Text(L"&H3E2"), 994);
    EXPECT_EQ(ParseInt32Text(L"&hFFFFFFFF"), -1);
    EXPECT_EQ(ParseInt32Text(L"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32Text(L"2e3"), 2000);
    for (const wchar_t* bad : {L"", L"   ", L"abc", L"12abc", L"2147483648", L"-2147483649",
                               L"1.5", L"nan", L"inf", L"&H", L"&H123456789", L"１２", L"0x10"})
        EXPECT_FALSE(ParseInt32Text(bad).has_value()) << bad;
}

TEST(ValueText, BooleansFromText)
{
    EXPECT_EQ(ParseBoolText(L"True"), true);
    EXPECT_EQ(ParseBoolText(L"FALSE"), false);
    EXPECT_EQ(ParseBoolText(L"-1"), true);
    EXPECT_EQ(ParseBoolText(L"0"), false);
    EXPECT_FALSE(ParseBoolText(L"yes").has_value());
    EXPECT_FALSE(ParseBoolText(L"").has_value());
    EXPECT_FALSE(ParseBoolText(L"nan").has_value());
}

TEST(ValueText, FloatsRoundTripInInvariantForm)
{
    EXPECT_EQ(FormatFloatText(0.5f), L"0.5");
    EXPECT_EQ(FormatFloatText(0.1f), L"0.1");
    EXPECT_EQ(FormatFloatText(-2.5e-7f), L"-2.5e-07");
    for (float v : {0.0f, 0.25f, 0.123456789f, 1e-30f, -3.75f, 1.0f / 3.0f})
        EXPECT_EQ(ParseFloatText(FormatFloatText(v)), v);
    EXPECT_TRUE(std::isnan(*ParseFloatText(L"nan")));
    EXPECT_TRUE(std::isinf(*ParseFloatText(L"1e300")));
    EXPECT_TRUE(std::isinf(*ParseFloatText(L"-1e300")));
    EXPECT_FALSE(ParseFloatText(L"0,5").has_value());
    EXPECT_FALSE(ParseFloatText(L"").has_value());
}
