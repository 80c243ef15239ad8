#include "amortbuiltin.h"

#include "amortrpt.h"
#include "schedule.h"

#include "calcutils/currency.h"
#include "calcutils/dates.h"
#include "calcutils/numbertext.h"
#include "datastore/table.h"
#include "ui/glyphs.h"
#include "ui/messages.h"
#include "ui/sharedvalues.h"

#include <QApplication>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace {

// The busy pointer for as long as a click works, restored on every way out.
class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

    void restore()
    {
        if (m_busy)
            QApplication::restoreOverrideCursor();
        m_busy = false;
    }

private:
    bool m_busy = true;
};

// Asks the window to close once the click that wanted it has been handled.
class CloseAfterClick
{
public:
    explicit CloseAfterClick(QDialog &window)
        : m_window(window)
    {
    }
    ~CloseAfterClick()
    {
        if (requested)
            QMetaObject::invokeMethod(&m_window, &QDialog::close, Qt::QueuedConnection);
    }
    CloseAfterClick(const CloseAfterClick &) = delete;
    CloseAfterClick &operator=(const CloseAfterClick &) = delete;

    bool requested = false;

private:
    QDialog &m_window;
};

std::string textOf(const QLineEdit *edit)
{
    return edit->text().toStdString();
}

QLineEdit *addEdit(QFormLayout *rows, QWidget *owner, const char *name, const QString &label, const QString &hint)
{
    auto *edit = new QLineEdit(owner);
    edit->setObjectName(QLatin1String(name));
    edit->setToolTip(hint);
    auto *caption = new QLabel(label, owner);
    caption->setBuddy(edit);
    rows->addRow(caption, edit);
    return edit;
}

}  // namespace

struct TfrmAmortBuiltIn::Entries
{
    Currency loan;
    long double rate = 0;
    int term = 0;
    Currency payment;
    int months = 0;
    TDateTime first = 0;
};

TfrmAmortBuiltIn::TfrmAmortBuiltIn(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("Amortization Schedule"), QSize(300, 230), parent)
    , m_shared(shared)
    , m_data(data)
{
    auto *group = new QGroupBox(this);
    auto *rows = new QFormLayout(group);
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edtLoanAmt = addEdit(rows, group, "edtLoanAmt", tr("Loan Amount"), tr("Enter loan amount"));
    edtRate = addEdit(rows, group, "edtRate", tr("Interest Rate (%)"), tr("Enter interest rate in percent"));
    edtTerm = addEdit(rows, group, "edtTerm", tr("Term in Months"), tr("loan term"));
    edtPmt = addEdit(rows, group, "edtPmt", tr("Payment"), tr("(only if not amortized)"));
    edtMo2Prn = addEdit(rows, group, "edtMo2Prn", tr("Print how many months"), tr("How many month to print"));
    edt1stPmt = new QDateEdit(group);
    edt1stPmt->setObjectName(QStringLiteral("edt1stPmt"));
    edt1stPmt->setCalendarPopup(true);
    edt1stPmt->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    edt1stPmt->setToolTip(tr("Enter first payment date"));
    auto *dateCaption = new QLabel(tr("First Payment Date"), group);
    dateCaption->setBuddy(edt1stPmt);
    rows->addRow(dateCaption, edt1stPmt);

    BitBtnOK = new QPushButton(checkMarkGlyph(), tr("&Preview"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setDefault(true);
    BitBtnOK->setAutoDefault(true);
    connect(BitBtnOK, &QPushButton::clicked, this, &TfrmAmortBuiltIn::BitBtnOKClick);

    auto *strip = new QHBoxLayout;
    strip->addStretch();
    strip->addWidget(BitBtnOK);
    strip->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(strip);

    guarded([this] { FormCreate(); });
}

void TfrmAmortBuiltIn::FormCreate()
{
    edtLoanAmt->setText(m_shared.LastLoanAmt);
    edtRate->setText(m_shared.LastRate);
    edtTerm->setText(m_shared.LastTerm);
    edtPmt->setText(m_shared.LastPayment);
    edtMo2Prn->setText(QStringLiteral("60"));
    const DateParts today = DecodeDate(Today());
    edt1stPmt->setDate(QDate(today.year, today.month, today.day));
}

bool TfrmAmortBuiltIn::readEntries(Entries &entries, bool &closeAfterClick)
{
    try {
        entries.loan = Currency::fromText(textOf(edtLoanAmt));
        entries.rate = Currency::fromText(textOf(edtRate)).toReal();
        entries.term = StrToInt(textOf(edtTerm));
        entries.payment = Currency::fromText(textOf(edtPmt));
        entries.months = StrToInt(textOf(edtMo2Prn));
        const QDate date = edt1stPmt->date();
        entries.first = EncodeDate(date.year(), date.month(), date.day());
        if (entries.loan == Currency())
            closeAfterClick = true;
        if (entries.rate <= 0) {
            messages().showMessage(tr("Interest cannot be minus. Try again."));
            return false;
        }
        if (entries.months < 1) {
            messages().showMessage(tr("Number of months cannot be less than 1. Try again."));
            return false;
        }
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

void TfrmAmortBuiltIn::BitBtnOKClick()
{
    BusyPointer busy;
    CloseAfterClick closing(*this);
    Entries entries;
    if (!readEntries(entries, closing.requested)) {
        messages().showMessage(tr("Enter a valid entries!"));
        edtLoanAmt->setFocus();
        return;
    }
    guarded([&] {
        TTable &table = m_data.tblAmort;
        if (table.active())
            table.close();
        if (!CreateTempTable())
            return;
        GenerateSchedule(entries.term, entries.months, entries.loan, entries.rate, entries.payment, entries.first,
                         table);
        TfrmAmortRpt report(*this, table, messages());
        busy.restore();
        report.qRep.preview(this);
    });
}

bool TfrmAmortBuiltIn::CreateTempTable()
{
    try {
        m_data.tblAmort.createTable(kAmortFieldDefinitions);
        return true;
    } catch (const std::exception &) {
        messages().showMessage(tr("Could not create temp table. Make sure no one else is running this tool now."));
        return false;
    }
}

void TfrmAmortBuiltIn::FormClose()
{
    m_shared.LastLoanAmt = edtLoanAmt->text();
    m_shared.LastRate = edtRate->text();
    m_shared.LastTerm = wholeTermText(edtTerm->text());
    m_shared.LastPayment = edtPmt->text();
    if (m_data.tblAmort.exists())
        m_data.tblAmort.close();
}
