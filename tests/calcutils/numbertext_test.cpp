#include "calcutils/errors.h"
#include "calcutils/numbertext.h"

#include <gtest/gtest.h>

namespace {

struct FloatCase
{
    const char *name;
    const char *text;
    bool valid;
    double value;
};

class StrToFloatTest : public ::testing::TestWithParam<FloatCase>
{
};

TEST_P(StrToFloatTest, ReadsOnlyPlainDecimalText)
{
    const FloatCase &c = GetParam();
    double value = -1;
    EXPECT_EQ(TryStrToFloat(c.text, value), c.valid);
    if (c.valid) {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToFloatTest,
    ::testing::Values(FloatCase{"plain", "100000.00", true, 100000.0}, FloatCase{"blanks_around", " 12 ", true, 12.0},
                      FloatCase{"exponent", "1e3", true, 1000.0}, FloatCase{"signed_exponent", "-2.5E-2", true, -0.025},
                      FloatCase{"leading_point", ".5", true, 0.5}, FloatCase{"trailing_point", "5.", true, 5.0},
                      FloatCase{"plus_sign", "+7", true, 7.0}, FloatCase{"thousands_separator", "1,000", false, 0},
                      FloatCase{"currency_sign", "$5", false, 0}, FloatCase{"empty", "", false, 0},
                      FloatCase{"only_blanks", "   ", false, 0}, FloatCase{"two_points", "1.2.3", false, 0},
                      FloatCase{"letters", "infinite number", false, 0},
                      FloatCase{"exponent_without_digits", "1e", false, 0}, FloatCase{"sign_alone", "-", false, 0},
                      FloatCase{"tab_is_not_a_blank", "\t12", false, 0}, FloatCase{"overflow", "1e400", false, 0},
                      FloatCase{"underflow_is_zero", "1e-400", true, 0.0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StrToFloat, FailureNamesTheText)
{
    try {
        StrToFloat("abc");
        ADD_FAILURE();
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
}

TEST(StrToFloat, UsesTheRegionalDecimalSeparator)
{
    numberSeparators() = {',', '.'};
    double value = 0;
    EXPECT_TRUE(TryStrToFloat("12,5", value));
    EXPECT_EQ(value, 12.5);
    EXPECT_FALSE(TryStrToFloat("12.5", value));
    numberSeparators() = {};
}

struct IntCase
{
    const char *name;
    const char *text;
    bool valid;
    int value;
};

class StrToIntTest : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(StrToIntTest, ReadsWholeNumbersOnly)
{
    const IntCase &c = GetParam();
    int value = -1;
    EXPECT_EQ(TryStrToInt(c.text, value), c.valid);
    if (c.valid) {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StrToIntTest,
    ::testing::Values(IntCase{"plain", "60", true, 60}, IntCase{"leading_blanks", "  360", true, 360},
                      IntCase{"negative", "-5", true, -5}, IntCase{"hex_dollar", "$1F", true, 31},
                      IntCase{"hex_x", "x1f", true, 31}, IntCase{"hex_0x", "0x1F", true, 31},
                      IntCase{"hex_all_bits", "$FFFFFFFF", true, -1},
                      IntCase{"largest", "2147483647", true, 2147483647},
                      IntCase{"smallest", "-2147483648", true, -2147483647 - 1},
                      IntCase{"decimal_point", "60.0", false, 0}, IntCase{"trailing_blank", "60 ", false, 0},
                      IntCase{"empty", "", false, 0}, IntCase{"exponent", "1e3", false, 0},
                      IntCase{"too_large", "2147483648", false, 0}, IntCase{"hex_without_digits", "0x", false, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StrToInt, FailureNamesTheText)
{
    try {
        StrToInt("60.0");
        ADD_FAILURE();
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'60.0' is not a valid integer value");
    }
}

TEST(Trim, DropsBlanksAndControlCharacters)
{
    EXPECT_EQ(Trim(" \t 12\r\n"), "12");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
