#include "scheduletable.h"

#include "calcutils/errors.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

using namespace ReportMetrics;

namespace {

using Texts = std::vector<std::string>;

const ReportHeader kHeader{"01/15/2024", "Loan Amount: $100,000.00", "Rate: 12.000%", "Term: 60 months"};

bool near(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

// The texts printed at one height of a page, left to right.
Texts lineAt(const ReportPage &page, double y)
{
    std::vector<const TextItem *> items;
    for (const TextItem &item : page.texts) {
        if (near(item.y, y))
            items.push_back(&item);
    }
    std::sort(items.begin(), items.end(), [](const TextItem *a, const TextItem *b) { return a->x < b->x; });
    Texts texts;
    for (const TextItem *item : items)
        texts.push_back(item->text);
    return texts;
}

// Every line of the pages that starts with the given text, in print order.
std::vector<Texts> linesStartingWith(const std::vector<ReportPage> &pages, const std::string &first)
{
    std::vector<Texts> lines;
    for (const ReportPage &page : pages) {
        for (const TextItem &item : page.texts) {
            if (item.text == first && near(item.x, 3.2))
                lines.push_back(lineAt(page, item.y));
        }
    }
    return lines;
}

const TextItem *findText(const ReportPage &page, const std::string &text)
{
    for (const TextItem &item : page.texts) {
        if (item.text == text)
            return &item;
    }
    return nullptr;
}

// Detail lines: the ones whose first item is the payment number column.
int detailCount(const ReportPage &page)
{
    return static_cast<int>(std::count_if(page.texts.begin(), page.texts.end(), [](const TextItem &item) {
        return item.align == TextAlign::Right && near(item.x + item.width, 15.9);
    }));
}

std::vector<ReportPage> layoutOf(const Loan &loan)
{
    ScheduleTable table;
    table.generate(loan);
    return layoutReport(kHeader, table.rows());
}

// Rows of a level schedule that start in the given month, without the table.
std::vector<ScheduleRow> syntheticRows(int count, int startMonth)
{
    std::vector<ScheduleRow> rows;
    for (int i = 0; i < count; ++i) {
        const int months = startMonth - 1 + i;
        ScheduleRow row;
        row.year = std::to_string(2024 + months / 12);
        row.dueDate = EncodeDate(2024 + months / 12, months % 12 + 1, 15);
        row.number = i + 1;
        row.payment = 100.0;
        row.interest = 10.0;
        row.principal = 90.0;
        row.balance = 90.0 * (count - i - 1);
        rows.push_back(row);
    }
    return rows;
}

class DefaultReport : public ::testing::Test
{
protected:
    void SetUp() override { pages = layoutOf(Loan()); }
    std::vector<ReportPage> pages;
};

TEST_F(DefaultReport, LoanLineOnEveryPage)
{
    ASSERT_EQ(pages.size(), 2u);
    const Texts expected{"Loan Amount: $100,000.00", "Rate: 12.000%", "Term: 60 months", "Amortized Payment: $",
                         "2,224.44"};
    EXPECT_EQ(lineAt(pages[0], 12.7), expected);
    EXPECT_EQ(lineAt(pages[1], 12.7), expected);
}

TEST_F(DefaultReport, CaptionsAndPageNumbers)
{
    const Texts captions{"Payment #", "Due Date", "Monthly Payment", "To Interest", "To Principal", "New Balance"};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(lineAt(pages[i], 21.2), captions) << "page " << i + 1;
        EXPECT_EQ(lineAt(pages[i], 2.1), (Texts{"01/15/2024", "Amortization Schedule"})) << "page " << i + 1;
        EXPECT_EQ(lineAt(pages[i], 3.2), Texts{std::to_string(i + 1)}) << "page " << i + 1;
        const TextItem *number = findText(pages[i], std::to_string(i + 1));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->align, TextAlign::Right);
        EXPECT_DOUBLE_EQ(number->x + number->width, 185.7);
        ASSERT_FALSE(pages[i].lines.empty());
        EXPECT_DOUBLE_EQ(pages[i].lines.front().y, 26.5);
        EXPECT_DOUBLE_EQ(pages[i].lines.front().length, 184.4);
    }
}

TEST_F(DefaultReport, FirstDetailLine)
{
    EXPECT_EQ(lineAt(pages[0], kPageHeaderHeight + 0.4),
              (Texts{"1", "01/15/2024", "2,224.44", "1,000.00", "1,224.44", "98,775.56"}));
}

TEST_F(DefaultReport, DetailColumnsRightAligned)
{
    std::vector<double> rightEdges;
    for (const TextItem &item : pages[0].texts) {
        if (near(item.y, kPageHeaderHeight + 0.4)) {
            EXPECT_EQ(item.align, TextAlign::Right) << item.text;
            EXPECT_FALSE(item.bold) << item.text;
            rightEdges.push_back(item.x + item.width);
        }
    }
    std::sort(rightEdges.begin(), rightEdges.end());
    const std::vector<double> expected{15.9, 41.3, 79.1, 115.1, 150.0, 184.9};
    ASSERT_EQ(rightEdges.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(rightEdges[i], expected[i], 1e-9);
}

TEST_F(DefaultReport, YearTotalsRestartEachYear)
{
    const std::vector<Texts> totals = linesStartingWith(pages, "Year End Total:");
    ASSERT_EQ(totals.size(), 5u);
    EXPECT_EQ(totals.front(), (Texts{"Year End Total:", "2024", "26,693.28", "11,164.32", "15,528.96", "84,471.04"}));
    EXPECT_EQ(totals.back(), (Texts{"Year End Total:", "2028", "26,693.28", "1,657.09", "25,036.19", "0.43"}));
}

TEST_F(DefaultReport, GrandTotalInDoubleRectangleOnPageTwo)
{
    EXPECT_TRUE(linesStartingWith({pages[0]}, "Grand Total:").empty());
    const std::vector<Texts> grand = linesStartingWith({pages[1]}, "Grand Total:");
    ASSERT_EQ(grand.size(), 1u);
    EXPECT_EQ(grand.front(), (Texts{"Grand Total:", "133,466.40", "33,466.83", "99,999.57", "0.43"}));
    ASSERT_EQ(pages[1].rects.size(), 1u);
    const RectItem &box = pages[1].rects.front();
    const double bandTop = kPageHeaderHeight + 24 * kDetailHeight + 2 * kYearTotalHeight;
    EXPECT_NEAR(box.y, bandTop + 6.6, 1e-9);
    EXPECT_DOUBLE_EQ(box.x, 1.1);
    EXPECT_DOUBLE_EQ(box.width, 186.5);
    EXPECT_DOUBLE_EQ(box.height, 8.5);
    EXPECT_DOUBLE_EQ(box.penWidth, 2 * kThinPen);
}

TEST_F(DefaultReport, ThreeYearsOnTheFirstPage)
{
    EXPECT_EQ(detailCount(pages[0]), 36);
    EXPECT_EQ(detailCount(pages[1]), 24);
    Texts firstPageYears;
    for (const Texts &line : linesStartingWith({pages[0]}, "Year End Total:"))
        firstPageYears.push_back(line.at(1));
    EXPECT_EQ(firstPageYears, (Texts{"2024", "2025", "2026"}));
    // 28.8 + 36 x 5.3 + 2 x 10.6 + 3.2: the third total's text.
    const std::vector<Texts> page2Lines = linesStartingWith({pages[1]}, "Year End Total:");
    EXPECT_EQ(page2Lines.size(), 2u);
    EXPECT_EQ(lineAt(pages[0], 244.0).at(1), "2026");
    EXPECT_EQ(lineAt(pages[1], kPageHeaderHeight + 0.4).at(0), "37");
}

TEST(ReportLayout, MayStartFirstYearOverEightRows)
{
    Loan loan;
    loan.month = 5;
    const std::vector<ReportPage> pages = layoutOf(loan);
    const std::vector<Texts> totals = linesStartingWith(pages, "Year End Total:");
    ASSERT_EQ(totals.size(), 6u);
    // 8 x 2224.44 and 4 x 2224.44.
    EXPECT_EQ(totals.front().at(1), "2024");
    EXPECT_EQ(totals.front().at(2), "17,795.52");
    EXPECT_EQ(totals.back().at(1), "2029");
    EXPECT_EQ(totals.back().at(2), "8,897.76");
    EXPECT_EQ(lineAt(pages[0], kPageHeaderHeight + 7 * kDetailHeight + 0.4).at(1), "12/15/2024");
    EXPECT_EQ(lineAt(pages[0], kPageHeaderHeight + 8 * kDetailHeight + 3.2).at(0), "Year End Total:");
}

TEST(ReportLayout, NegativeBalanceKeepsItsSign)
{
    Loan loan;
    loan.months = 360;
    const std::vector<ReportPage> pages = layoutOf(loan);
    ASSERT_EQ(pages.size(), 2u);
    const std::vector<Texts> details = linesStartingWith(pages, "Year End Total:");
    EXPECT_EQ(details.back(), (Texts{"Year End Total:", "2029", "2,224.44", "0.00", "2,224.44", "-2,224.01"}));
    EXPECT_EQ(linesStartingWith(pages, "Grand Total:").front().back(), "-2,224.01");
    const double lastDetail = kPageHeaderHeight + 24 * kDetailHeight + 2 * kYearTotalHeight + 0.4;
    EXPECT_EQ(lineAt(pages[1], lastDetail), (Texts{"61", "01/15/2029", "2,224.44", "0.00", "2,224.44", "-2,224.01"}));
}

TEST(ReportLayout, JanuaryYearsFillPageAndGrandTotalMoves)
{
    // 28.8 + 36 x 5.3 + 3 x 10.6 = 251.4 leaves 2.6 of 254.0, less than 15.9.
    const std::vector<ReportPage> pages = layoutReport(kHeader, syntheticRows(36, 1));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(detailCount(pages[0]), 36);
    EXPECT_EQ(linesStartingWith({pages[0]}, "Year End Total:").size(), 3u);
    EXPECT_EQ(detailCount(pages[1]), 0);
    EXPECT_EQ(lineAt(pages[1], 21.2).at(0), "Payment #");
    EXPECT_EQ(lineAt(pages[1], kPageHeaderHeight + 8.5),
              (Texts{"Grand Total:", "3,600.00", "360.00", "3,240.00", "0.00"}));
    EXPECT_EQ(lineAt(pages[1], 12.7).back(), "100.00");
}

TEST(ReportLayout, EmptyTableGivesOneHeaderPage)
{
    const std::vector<ReportPage> pages = layoutReport(kHeader, {});
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(lineAt(pages[0], 12.7).back(), "0.00");
    EXPECT_EQ(lineAt(pages[0], 3.2), Texts{"1"});
    EXPECT_EQ(pages[0].texts.size(), 14u);
    EXPECT_TRUE(pages[0].rects.empty());
    EXPECT_EQ(pages[0].lines.size(), 1u);
}

struct BreakCase
{
    const char *name;
    int rows;
    int startMonth;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BreakCase &c, std::ostream *os)
{
    *os << c.name;
}

class PageBreaks : public ::testing::TestWithParam<BreakCase>
{
};

// The page breaks hold for any schedule: nothing runs past the printable
// height, no page begins with a year total, every page has its header.
TEST_P(PageBreaks, YearTotalNeverBeginsAPage)
{
    const BreakCase &c = GetParam();
    const std::vector<ReportPage> pages = layoutReport(kHeader, syntheticRows(c.rows, c.startMonth));
    int details = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const ReportPage &page = pages[i];
        EXPECT_EQ(lineAt(page, 3.2), Texts{std::to_string(i + 1)});
        double lowest = 0;
        const TextItem *firstBelowHeader = nullptr;
        for (const TextItem &item : page.texts) {
            lowest = std::max(lowest, item.y + kTextHeight);
            if (item.y > kPageHeaderHeight && (!firstBelowHeader || item.y < firstBelowHeader->y))
                firstBelowHeader = &item;
        }
        EXPECT_LE(lowest, kPrintableHeight) << "page " << i + 1;
        ASSERT_NE(firstBelowHeader, nullptr) << "page " << i + 1;
        EXPECT_NE(lineAt(page, firstBelowHeader->y).at(0), "Year End Total:") << "page " << i + 1;
        details += detailCount(page);
    }
    EXPECT_EQ(details, c.rows);
    EXPECT_EQ(linesStartingWith(pages, "Grand Total:").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ReportLayout, PageBreaks,
                         ::testing::Values(BreakCase{"OneRow", 1, 1}, BreakCase{"ThirtySixFromJanuary", 36, 1},
                                           BreakCase{"ThirtySevenFromJanuary", 37, 1}, BreakCase{"SixtyFromMay", 60, 5},
                                           BreakCase{"FortyFromDecember", 40, 12}, BreakCase{"FortyTwoFromJuly", 42, 7},
                                           BreakCase{"ThreeHundredSixtyFromMarch", 360, 3},
                                           BreakCase{"ThirtyFromJanuary", 30, 1}),
                         [](const ::testing::TestParamInfo<BreakCase> &info) { return std::string(info.param.name); });

struct HeaderCase
{
    const char *name;
    std::string (*format)(std::string_view);
    const char *typed;
    const char *expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const HeaderCase &c, std::ostream *os)
{
    *os << c.name;
}

class HeaderTexts : public ::testing::TestWithParam<HeaderCase>
{
};

TEST_P(HeaderTexts, FromTheBoxes)
{
    const HeaderCase &c = GetParam();
    EXPECT_EQ(c.format(c.typed), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ReportLayout, HeaderTexts,
    ::testing::Values(HeaderCase{"DefaultAmount", loanAmountText, "100000.00", "Loan Amount: $100,000.00"},
                      HeaderCase{"AmountHalfDownToEven", loanAmountText, "1234.565", "Loan Amount: $1,234.56"},
                      HeaderCase{"AmountHalfUpToEven", loanAmountText, "1234.575", "Loan Amount: $1,234.58"},
                      HeaderCase{"DefaultRate", rateText, "12.000", "Rate: 12.000%"},
                      HeaderCase{"RateGetsThreeDecimals", rateText, "7.5", "Rate: 7.500%"},
                      HeaderCase{"TermAsTyped", termText, "60", "Term: 60 months"},
                      HeaderCase{"TermNotNormalised", termText, "60.5", "Term: 60.5 months"}),
    [](const ::testing::TestParamInfo<HeaderCase> &info) { return std::string(info.param.name); });

TEST(ReportLayout, AmountBoxThatIsNoNumberFails)
{
    EXPECT_THROW(loanAmountText("12,000"), ConvertError);
    EXPECT_THROW(rateText("abc"), ConvertError);
}

}  // namespace
