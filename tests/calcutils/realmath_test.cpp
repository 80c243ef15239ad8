#include "calcutils/errors.h"
#include "calcutils/realmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Kept out of the compiler's sight so the faults happen at run time.
volatile long double zero = 0.0L;
volatile long double one = 1.0L;
volatile double huge = std::numeric_limits<double>::max();

std::string faultOf(long double (*formula)())
{
    try {
        guardedFloat(formula);
    } catch (const AppError &e) {
        return e.what();
    }
    return "no fault";
}

TEST(GuardedFloat, TurnsFaultFlagsIntoMessages)
{
    EXPECT_EQ(faultOf([] { return zero / zero; }), "Invalid floating point operation");
    EXPECT_EQ(faultOf([] { return one / zero; }), "Floating point division by zero");
    EXPECT_EQ(faultOf([] { return static_cast<long double>(static_cast<double>(huge * 2.0L)); }),
              "Floating point overflow");
    EXPECT_EQ(faultOf([] { return logl(-one); }), "Invalid floating point operation");
    EXPECT_EQ(faultOf([] { return one / 3.0L; }), "no fault");
}

TEST(GuardedFloat, DivisionByZeroWinsOverTheInvalidOperationItCauses)
{
    EXPECT_EQ(faultOf([] {
                  const long double inf = one / zero;
                  return inf - inf;
              }),
              "Floating point division by zero");
}

TEST(GuardedFloat, ReturnsTheValueWhenNothingFailed)
{
    EXPECT_EQ(guardedFloat([] { return 2.0L * 21.0L; }), 42.0L);
}

struct PowerCase
{
    const char *name;
    long double q;
    long double n;
    long double expected;
};

class PowerTest : public ::testing::TestWithParam<PowerCase>
{
};

TEST_P(PowerTest, MatchesHandComputation)
{
    const PowerCase &c = GetParam();
    EXPECT_EQ(Power(c.q, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PowerTest,
                         ::testing::Values(PowerCase{"zero_exponent_of_zero", 0.0L, 0.0L, 1.0L},
                                           PowerCase{"zero_exponent_of_negative", -3.0L, 0.0L, 1.0L},
                                           PowerCase{"whole_exponent", 1.5L, 3.0L, 3.375L},
                                           PowerCase{"negative_base_whole_exponent", -2.0L, 3.0L, -8.0L},
                                           PowerCase{"negative_whole_exponent", 2.0L, -2.0L, 0.25L},
                                           PowerCase{"fractional_exponent", 4.0L, 0.5L, 2.0L}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Power, FractionalExponentOfNegativeBaseIsInvalid)
{
    EXPECT_THROW(guardedFloat([] { return Power(-2.0L, 0.5L); }), AppError);
}

TEST(RoundToInt64, TiesToEvenAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(roundToInt64(2.5L), 2);
    EXPECT_EQ(roundToInt64(3.5L), 4);
    EXPECT_EQ(roundToInt64(-2.5L), -2);
    EXPECT_EQ(roundToInt64(-9223372036854775808.0L), std::numeric_limits<long long>::min());
    EXPECT_THROW(roundToInt64(9223372036854775808.0L), AppError);
    EXPECT_THROW(roundToInt64(std::numeric_limits<long double>::quiet_NaN()), AppError);
}

}  // namespace
