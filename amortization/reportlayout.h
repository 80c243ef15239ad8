#pragma once

#include "calcutils/dates.h"

#include <string>
#include <string_view>
#include <vector>

class TTable;

// One payment as the report reads it back from the schedule table.
struct ScheduleRow
{
    std::string year;  // C_FLD1
    TDateTime dueDate = 0;
    double number = 0;
    double payment = 0;
    double interest = 0;
    double principal = 0;
    double balance = 0;
};

// Every row of the open table, in file order.
std::vector<ScheduleRow> readScheduleRows(TTable &table);

// The texts of the page header that do not come from the rows.
struct ReportHeader
{
    std::string printDate;
    std::string amount;  // lblAmount
    std::string rate;    // lblRate
    std::string term;    // lblTerm
};

// "Loan Amount: $1,234.56" from the loan box: through currency, so halves
// at the fourth decimal go to the even neighbour. Throws ConvertError.
std::string loanAmountText(std::string_view typed);
// "Rate: 12.000%" from the rate box. Throws ConvertError.
std::string rateText(std::string_view typed);
// "Term: 60 months", the term as typed.
std::string termText(std::string_view typed);

enum class TextAlign { Left, Right };

// Positions in millimetres from the top-left corner of the printable area.
struct TextItem
{
    double x = 0;
    double y = 0;
    double width = 0;
    std::string text;
    TextAlign align = TextAlign::Left;
    bool bold = false;
};

// A horizontal line.
struct LineItem
{
    double x = 0;
    double y = 0;
    double length = 0;
    double penWidth = 0;
};

struct RectItem
{
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    double penWidth = 0;
};

struct ReportPage
{
    std::vector<TextItem> texts;
    std::vector<LineItem> lines;
    std::vector<RectItem> rects;
};

namespace ReportMetrics {
inline constexpr double kPaperWidth = 215.9;
inline constexpr double kPaperHeight = 279.4;
inline constexpr double kMargin = 12.7;
inline constexpr double kPrintableHeight = kPaperHeight - 2 * kMargin;
inline constexpr double kTextHeight = 4.5;
inline constexpr double kThinPen = 0.2;
inline constexpr double kPageHeaderHeight = 28.8;
inline constexpr double kDetailHeight = 5.3;
inline constexpr double kYearTotalHeight = 10.6;
inline constexpr double kGrandTotalHeight = 15.9;
}  // namespace ReportMetrics

// Pages with the page header on each, a line per row, a year total after
// the last row of each year and the grand total at the end. A line goes on
// a page only where a year total still fits below it; the grand total
// moves whole to a new page. No rows still give one page with its header.
std::vector<ReportPage> layoutReport(const ReportHeader &header, const std::vector<ScheduleRow> &rows);
