#include "calcutils/errors.h"
#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"

#include <gtest/gtest.h>

namespace {

struct PatternCase
{
    const char *name;
    const char *pattern;
    long double value;
    const char *expected;
};

class FormatFloatTest : public ::testing::TestWithParam<PatternCase>
{
};

TEST_P(FormatFloatTest, FormatsThroughCurrency)
{
    const PatternCase &c = GetParam();
    EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFloatTest,
    ::testing::Values(PatternCase{"payment", "########0.00", 2224.4448L, "2224.44"},
                      PatternCase{"tie_at_the_cent_goes_even_down", "########0.00", 1000.125L, "1000.12"},
                      PatternCase{"tie_at_the_cent_goes_even_up", "########0.00", 1000.135L, "1000.14"},
                      PatternCase{"grouping_with_dollar", "$#,###,###,##0.00", 99000.0L, "$99,000.00"},
                      PatternCase{"grouping_millions", "###,###,###,##0.00", 1234567.891L, "1,234,567.89"},
                      PatternCase{"grouping_below_a_thousand", "###,###,###,##0.00", 5.0L, "5.00"},
                      PatternCase{"negative_grouped", "###,###,###,##0.00", -2224.01L, "-2,224.01"},
                      PatternCase{"negative_with_dollar", "$#,###,###,##0.00", -5.0L, "-$5.00"},
                      PatternCase{"zero_has_no_sign", "########0.00", -0.004L, "0.00"},
                      PatternCase{"percent_is_literal", "###0.000%", 12.443L, "12.443%"},
                      PatternCase{"rate", "###0.000", 12.0L, "12.000"},
                      PatternCase{"term", "###0.00", 110.41L, "110.41"}, PatternCase{"whole", "##0", 250.5L, "250"},
                      PatternCase{"whole_tie_up", "##0", 251.5L, "252"},
                      PatternCase{"small_fraction_keeps_leading_zero", "##0.000", 0.5L, "0.500"},
                      PatternCase{"many_digits_beyond_the_places", "##0", 123456.0L, "123456"},
                      PatternCase{"currency_limit", "###,###,###,##0.00", 922337203685477.0L,
                                  "922,337,203,685,477.00"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormatFloat, ValueBeyondTheCurrencyRangeIsAnInvalidOperation)
{
    try {
        FormatFloat("########0.00", 1e15L);
        ADD_FAILURE();
    } catch (const AppError &e) {
        EXPECT_STREQ(e.what(), "Invalid floating point operation");
    }
}

TEST(FormatFloat, UsesTheRegionalSeparators)
{
    numberSeparators() = {',', '.'};
    EXPECT_EQ(FormatFloat("$#,###,###,##0.00", 1234567.5L), "$1.234.567,50");
    numberSeparators() = {};
}

TEST(FormatCurrency, ReducesTheExactCountTiesToEven)
{
    // 1234.565 as currency is exact, so its half goes to the even cent.
    EXPECT_EQ(FormatCurrency("###,###,###,##0.00", Currency::fromText("1234.565")), "1,234.56");
    EXPECT_EQ(FormatCurrency("###,###,###,##0.00", Currency::fromText("1234.575")), "1,234.58");
}

struct GeneralCase
{
    const char *name;
    long double value;
    const char *expected;
};

class FloatToStrTest : public ::testing::TestWithParam<GeneralCase>
{
};

TEST_P(FloatToStrTest, UsesFifteenSignificantDigits)
{
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FloatToStrTest,
    ::testing::Values(GeneralCase{"whole", 1.0L, "1"}, GeneralCase{"score", 50.0L, "50"},
                      GeneralCase{"fraction", 12.5L, "12.5"}, GeneralCase{"zero", 0.0L, "0"},
                      GeneralCase{"negative", -0.25L, "-0.25"},
                      GeneralCase{"binary_noise_dropped", static_cast<long double>(5.3) * 10.0L, "53"},
                      GeneralCase{"fifteen_digits", 123456789012345.0L, "123456789012345"},
                      GeneralCase{"sixteen_digits_exponent", 1234567890123456.0L, "1.23456789012346E15"},
                      GeneralCase{"small_fixed", 0.0001L, "0.0001"}, GeneralCase{"tiny_exponent", 0.000001L, "1E-6"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
