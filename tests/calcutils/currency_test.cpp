#include "calcutils/currency.h"
#include "calcutils/errors.h"
#include "calcutils/numbertext.h"

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char *name;
    const char *text;
    long long count;
};

class CurrencyFromTextTest : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(CurrencyFromTextTest, RoundsExactlyAtTheFourthDecimal)
{
    const TextCase &c = GetParam();
    EXPECT_EQ(Currency::fromText(c.text).count(), c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurrencyFromTextTest,
    ::testing::Values(TextCase{"plain_amount", "100000.00", 1000000000},
                      TextCase{"tie_goes_to_even_down", "1234.56785", 12345678},
                      TextCase{"tie_goes_to_even_up", "1234.56775", 12345678},
                      TextCase{"beyond_half_goes_up", "1234.567751", 12345678},
                      TextCase{"too_small_is_zero", "0.00001", 0}, TextCase{"half_unit_is_even_zero", "0.00005", 0},
                      TextCase{"above_half_unit", "0.00006", 1}, TextCase{"negative", "-2.5", -25000},
                      TextCase{"exponent", "1.5e3", 15000000}, TextCase{"blanks_around", "  12  ", 120000},
                      TextCase{"largest", "922337203685477.5807", 9223372036854775807LL},
                      TextCase{"smallest", "-922337203685477.5808", -9223372036854775807LL - 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Currency, OutOfRangeIsAnInvalidOperation)
{
    for (const char *text : {"922337203685477.5808", "1e15", "-922337203685477.5809"}) {
        try {
            Currency::fromText(text);
            ADD_FAILURE() << text;
        } catch (const AppError &e) {
            EXPECT_STREQ(e.what(), "Invalid floating point operation") << text;
        }
    }
    EXPECT_THROW(Currency::fromReal(1e15L), AppError);
}

TEST(Currency, TextThatIsNoNumberIsAConversionError)
{
    try {
        Currency::fromText("1,000");
        ADD_FAILURE();
    } catch (const ConvertError &e) {
        EXPECT_STREQ(e.what(), "'1,000' is not a valid floating point value");
    }
}

TEST(Currency, FromRealTiesToEven)
{
    // Binary fractions whose ten-thousandths end exactly in a half.
    EXPECT_EQ(Currency::fromReal(1.03125L).count(), 10312);
    EXPECT_EQ(Currency::fromReal(1.09375L).count(), 10938);
    EXPECT_EQ(Currency::fromReal(-1.03125L).count(), -10312);
}

TEST(Currency, SumsAreExact)
{
    const Currency a = Currency::fromText("0.1");
    const Currency b = Currency::fromText("0.2");
    EXPECT_EQ((a + b).count(), 3000);
    EXPECT_EQ((a - b).count(), -1000);
    EXPECT_THROW(Currency::fromCount(9223372036854775807LL) + a, AppError);
}

}  // namespace
