#pragma once

#include "reportlayout.h"

#include <vector>

class Messages;
class QLineEdit;
class QWidget;
class TTable;
class TfrmAmortBuiltIn;

// The schedule report: the rows of the schedule table under a header taken
// from the schedule window's loan amount, rate and term boxes.
class ScheduleReport
{
public:
    ScheduleReport(const QLineEdit &loanAmt, const QLineEdit &rate, const QLineEdit &term, TTable &table,
                   Messages &messages);

    // Opens the table when it is closed, sets the header texts and lays out
    // the pages. Conversion and table errors pass to the caller.
    void qRepBeforePrint();
    // Produces the report and shows it in the modal preview until the user
    // closes it.
    void preview(QWidget *parent);

    const ReportHeader &header() const { return m_header; }
    const std::vector<ReportPage> &pages() const { return m_pages; }

private:
    const QLineEdit &m_loanAmt;
    const QLineEdit &m_rate;
    const QLineEdit &m_term;
    TTable &m_table;
    Messages &m_messages;
    ReportHeader m_header;
    std::vector<ReportPage> m_pages;
};

// Holds the report for one preview; never shown itself.
class TfrmAmortRpt
{
public:
    TfrmAmortRpt(const TfrmAmortBuiltIn &schedule, TTable &table, Messages &messages);

    ScheduleReport qRep;
};
