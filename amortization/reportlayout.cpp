#include "reportlayout.h"

#include "calcutils/currency.h"
#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"
#include "datastore/table.h"

#include <array>

using namespace ReportMetrics;

namespace {

constexpr std::string_view kAmountPattern = "###,###,###,##0.00";
constexpr double kBandWidth = kPaperWidth - 2 * kMargin;
constexpr double kRuleX = 3.2;
constexpr double kRuleLength = 184.4;
constexpr double kDetailTextTop = 0.4;
// Lets sums of the band heights that land on the page end count as fitting.
constexpr double kTolerance = 1e-6;

struct Column
{
    double right;
    double width;
};

constexpr Column kNumberColumn{15.9, 12.7};
constexpr Column kDateColumn{41.3, 22.3};
// Monthly payment, to interest, to principal, new balance.
constexpr std::array<Column, 4> kAmountColumns{{{79.1, 30.4}, {115.1, 30.4}, {150.0, 30.4}, {184.9, 30.4}}};

std::string amountText(double value)
{
    return FormatFloat(kAmountPattern, value);
}

// The payment, interest and principal of a run of rows, added as reals.
struct Sums
{
    double payment = 0;
    double interest = 0;
    double principal = 0;

    void add(const ScheduleRow &row)
    {
        payment += row.payment;
        interest += row.interest;
        principal += row.principal;
    }
};

class PageBuilder
{
public:
    explicit PageBuilder(const ReportHeader &header)
        : m_header(header)
    {
    }

    bool fits(double height) const { return m_top + height <= kPrintableHeight + kTolerance; }

    void startPage(double payment)
    {
        m_pages.emplace_back();
        m_top = 0;
        left(2.1, 3.2, m_header.printDate, false);
        left(2.1, 72.0, "Amortization Schedule", true);
        right(3.2, {185.7, 20.0}, std::to_string(m_pages.size()), false);
        left(12.7, 3.2, m_header.amount, true);
        left(12.7, 51.9, m_header.rate, true);
        left(12.7, 84.7, m_header.term, true);
        left(12.7, 122.8, "Amortized Payment: $", true);
        left(12.7, 159.8, amountText(payment), true);
        left(21.2, 4.2, "Payment #", true);
        left(21.2, 25.4, "Due Date", true);
        left(21.2, 52.9, "Monthly Payment", true);
        left(21.2, 97.4, "To Interest", true);
        left(21.2, 129.1, "To Principal", true);
        left(21.2, 164.0, "New Balance", true);
        rule(26.5);
        m_top += kPageHeaderHeight;
    }

    void detail(const ScheduleRow &row)
    {
        right(kDetailTextTop, kNumberColumn, FloatToStr(row.number), false);
        right(kDetailTextTop, kDateColumn, DateToStr(row.dueDate), false);
        amounts(kDetailTextTop, {row.payment, row.interest, row.principal, row.balance}, false);
        m_top += kDetailHeight;
    }

    void yearTotal(const ScheduleRow &lastOfYear, const Sums &sums)
    {
        rule(1.3);
        left(3.2, 3.2, "Year End Total:", true);
        left(3.2, 31.8, lastOfYear.year, true);
        amounts(3.2, {sums.payment, sums.interest, sums.principal, lastOfYear.balance}, true);
        m_top += kYearTotalHeight;
    }

    void grandTotal(const ScheduleRow &lastRow, const Sums &sums)
    {
        page().rects.push_back({1.1, m_top + 6.6, 186.5, 8.5, 2 * kThinPen});
        left(8.5, 3.2, "Grand Total:", true);
        amounts(8.5, {sums.payment, sums.interest, sums.principal, lastRow.balance}, true);
        m_top += kGrandTotalHeight;
    }

    std::vector<ReportPage> take() { return std::move(m_pages); }

private:
    ReportPage &page() { return m_pages.back(); }

    void left(double top, double x, std::string text, bool bold)
    {
        page().texts.push_back({x, m_top + top, kBandWidth - x, std::move(text), TextAlign::Left, bold});
    }

    void right(double top, Column column, std::string text, bool bold)
    {
        page().texts.push_back(
            {column.right - column.width, m_top + top, column.width, std::move(text), TextAlign::Right, bold});
    }

    void amounts(double top, const std::array<double, 4> &values, bool bold)
    {
        for (std::size_t i = 0; i < values.size(); ++i)
            right(top, kAmountColumns[i], amountText(values[i]), bold);
    }

    void rule(double top) { page().lines.push_back({kRuleX, m_top + top, kRuleLength, kThinPen}); }

    const ReportHeader &m_header;
    std::vector<ReportPage> m_pages;
    double m_top = 0;
};

}  // namespace

std::vector<ScheduleRow> readScheduleRows(TTable &table)
{
    std::vector<ScheduleRow> rows;
    TField &year = table.fieldByName("C_FLD1");
    TField &date = table.fieldByName("D_FLD1");
    TField &number = table.fieldByName("N_FLD1");
    TField &payment = table.fieldByName("N_FLD2");
    TField &interest = table.fieldByName("N_FLD3");
    TField &principal = table.fieldByName("N_FLD4");
    TField &balance = table.fieldByName("N_FLD5");
    for (table.first(); !table.eof(); table.next()) {
        rows.push_back({year.asString(), date.asDate(), number.asFloat(), payment.asFloat(), interest.asFloat(),
                        principal.asFloat(), balance.asFloat()});
    }
    return rows;
}

std::string loanAmountText(std::string_view typed)
{
    return "Loan Amount: $" + FormatCurrency(kAmountPattern, Currency::fromText(typed));
}

std::string rateText(std::string_view typed)
{
    return "Rate: " + FormatFloat("###0.000%", StrToFloat(typed));
}

std::string termText(std::string_view typed)
{
    return "Term: " + std::string(typed) + " months";
}

std::vector<ReportPage> layoutReport(const ReportHeader &header, const std::vector<ScheduleRow> &rows)
{
    PageBuilder builder(header);
    // The header shows the payment of the record current when it prints.
    builder.startPage(rows.empty() ? 0.0 : rows.front().payment);
    Sums year;
    Sums all;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ScheduleRow &row = rows[i];
        if (!builder.fits(kDetailHeight + kYearTotalHeight))
            builder.startPage(row.payment);
        builder.detail(row);
        year.add(row);
        all.add(row);
        if (i + 1 == rows.size() || rows[i + 1].year != row.year) {
            builder.yearTotal(row, year);
            year = Sums();
        }
    }
    if (!rows.empty()) {
        if (!builder.fits(kGrandTotalHeight))
            builder.startPage(rows.back().payment);
        builder.grandTotal(rows.back(), all);
    }
    return builder.take();
}
