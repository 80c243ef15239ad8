#include "amortrpt.h"

#include "amortbuiltin.h"
#include "reportpreview.h"

#include "datastore/table.h"

#include <QLineEdit>

ScheduleReport::ScheduleReport(const QLineEdit &loanAmt, const QLineEdit &rate, const QLineEdit &term, TTable &table,
                               Messages &messages)
    : m_loanAmt(loanAmt)
    , m_rate(rate)
    , m_term(term)
    , m_table(table)
    , m_messages(messages)
{
}

void ScheduleReport::qRepBeforePrint()
{
    if (!m_table.active())
        m_table.open();
    m_header.printDate = DateToStr(Today());
    m_header.amount = loanAmountText(m_loanAmt.text().toStdString());
    m_header.rate = rateText(m_rate.text().toStdString());
    m_header.term = termText(m_term.text().toStdString());
    m_pages = layoutReport(m_header, readScheduleRows(m_table));
}

void ScheduleReport::preview(QWidget *parent)
{
    qRepBeforePrint();
    ReportPreview window(m_pages, m_messages, parent);
    window.exec();
}

TfrmAmortRpt::TfrmAmortRpt(const TfrmAmortBuiltIn &schedule, TTable &table, Messages &messages)
    : qRep(*schedule.edtLoanAmt, *schedule.edtRate, *schedule.edtTerm, table, messages)
{
}
