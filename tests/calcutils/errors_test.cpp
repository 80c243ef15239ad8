#include "calcutils/errors.h"

#include <gtest/gtest.h>

namespace {

struct ReportCase
{
    const char *name;
    const char *message;
    const char *shown;
};

class ErrorReportTextTest : public ::testing::TestWithParam<ReportCase>
{
};

TEST_P(ErrorReportTextTest, AddsAFullStopAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(errorReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorReportTextTest,
    ::testing::Values(ReportCase{"letter", "Invalid floating point operation", "Invalid floating point operation."},
                      ReportCase{"digit", "Score 9", "Score 9."},
                      ReportCase{"full_stop_already", "Numeric out of range.", "Numeric out of range."},
                      ReportCase{"exclamation_mark", "Please enter a valid number!", "Please enter a valid number!"},
                      ReportCase{"closing_quote", "'x' is not a valid integer value for field 'AVG_TERM'",
                                 "'x' is not a valid integer value for field 'AVG_TERM'"},
                      ReportCase{"slash_sorts_after", "a/", "a/."}, ReportCase{"empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(FormatMessage, PutsTheArgumentsInOrder)
{
    EXPECT_EQ(formatMessage("'%s' is not a valid floating point value", "abc"),
              "'abc' is not a valid floating point value");
    EXPECT_EQ(formatMessage("'%s' is not a valid integer value for field '%s'", "1.5", "AVG_TERM"),
              "'1.5' is not a valid integer value for field 'AVG_TERM'");
    // Typed text that itself holds "%s" is not taken for the second place.
    EXPECT_EQ(formatMessage("'%s' for field '%s'", "%s", "AVG_AMT"), "'%s' for field 'AVG_AMT'");
    EXPECT_EQ(formatMessage("no place", "x"), "no place");
}

}  // namespace
