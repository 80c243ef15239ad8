#include "aprcalc.h"

#include "ui/calcbutton.h"
#include "ui/messages.h"
#include "ui/sharedvalues.h"

#include "calcutils/apr.h"
#include "calcutils/errors.h"
#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"
#include "calcutils/realmath.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr const char *moneyPattern = "$#,###,###,##0.00";
constexpr int captionLeft = 10;
constexpr int columnWidth = 109;
constexpr int boxLeft = captionLeft + columnWidth + 8;

QString shown(const char *pattern, double value)
{
    return QString::fromStdString(FormatFloat(pattern, value));
}

void makeBoldRed(QLabel *label)
{
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette red = label->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(red);
}

int rowTop(int row)
{
    return 30 + row * 25;
}

}  // namespace

TfrmAPRCalc::TfrmAPRCalc(SharedLoanValues &shared, Messages &messages, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("APR Calculator"), QSize(267, 263), parent)
    , m_shared(shared)
{
    Panel1 = new QWidget(this);
    Panel1->setGeometry(0, 0, 267, 222);
    Label11 = new QLabel(QStringLiteral("For Amortized Loans Only"), Panel1);
    Label11->setGeometry(0, 6, 267, 18);
    Label11->setAlignment(Qt::AlignCenter);
    QFont bold = Label11->font();
    bold.setBold(true);
    Label11->setFont(bold);

    edtLoanAmt = addBox(Label1, QStringLiteral("Loan Amount"), 0, QStringLiteral("Don't enter commas"));
    edtIntRate = addBox(Label2, QStringLiteral("Interest Rate"), 1, QStringLiteral("Note rate"));
    edtMoPmt = addBox(Label6, QStringLiteral("Monthly Payment"), 2, QStringLiteral("Leave blank to calculate"));
    edtTerm = addBox(Label3, QStringLiteral("Term in Months"), 3, QStringLiteral("Blank or Zero for interest Only"));
    edtExCost = addBox(Label4, QStringLiteral("Loan Fees"), 4, QStringLiteral("Prepaid finance charges"));
    Label4->setToolTip(QStringLiteral("Total Prepaid Finance Charges"));
    lblAdjPV = addResult(Label5, QStringLiteral("Amt Financed"), 5);
    lblFinCharge = addResult(Label10, QStringLiteral("Finance Charge"), 6);
    lblAPR = addResult(Label7, QStringLiteral("APR"), 7);
    lblAPR->setToolTip(QStringLiteral("May not be correct for all loan types"));
    Label7->setToolTip(QStringLiteral("Annual Percentage Rate"));

    btnCalc = new CalcButton(QStringLiteral("C&alculate"), this);
    btnCalc->setGeometry((267 - 112) / 2, 226, 112, 30);
    connect(btnCalc, &CalcButton::entered, this, &TfrmAPRCalc::btnCalcEnter);
    connect(btnCalc, &CalcButton::clicked, this, &TfrmAPRCalc::btnCalcClick);

    guarded([this] { FormCreate(); });
}

QLineEdit *TfrmAPRCalc::addBox(QLabel *&caption, const QString &text, int row, const QString &hint)
{
    caption = new QLabel(text, Panel1);
    caption->setGeometry(captionLeft, rowTop(row), columnWidth, 21);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *box = new QLineEdit(Panel1);
    box->setGeometry(boxLeft, rowTop(row), columnWidth, 21);
    box->setToolTip(hint);
    caption->setBuddy(box);
    return box;
}

QLabel *TfrmAPRCalc::addResult(QLabel *&caption, const QString &text, int row)
{
    const int top = rowTop(5) + 4 + (row - 5) * 21;
    caption = new QLabel(text, Panel1);
    caption->setGeometry(captionLeft, top, columnWidth, 20);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    makeBoldRed(caption);
    auto *result = new QLabel(Panel1);
    result->setGeometry(boxLeft + 2, top, columnWidth, 20);
    result->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    makeBoldRed(result);
    return result;
}

void TfrmAPRCalc::FormCreate()
{
    edtLoanAmt->setText(m_shared.LastLoanAmt);
    edtIntRate->setText(m_shared.LastRate);
    edtMoPmt->setText(m_shared.LastPayment);
    edtTerm->setText(m_shared.LastTerm);
    edtExCost->setText(QStringLiteral("1000.00"));
    lblAPR->clear();
    lblFinCharge->clear();
    lblAdjPV->clear();
}

void TfrmAPRCalc::btnCalcEnter()
{
    guarded([this] { inputStep(); });
}

void TfrmAPRCalc::inputStep()
{
    if (edtLoanAmt->text().isEmpty())
        edtLoanAmt->setText(m_shared.LastLoanAmt);
    if (edtIntRate->text().isEmpty())
        edtIntRate->setText(m_shared.LastRate);
    const QString term = edtTerm->text();
    if (term.isEmpty() || term == QStringLiteral("0") || term == QStringLiteral("infinite number"))
        edtTerm->setText(m_shared.LastTerm);
    if (edtExCost->text().isEmpty())
        edtExCost->setText(QStringLiteral("0"));

    try {
        // Each value is stored as soon as it reads, so a failure keeps those
        // before it.
        LoanAmt = StrToFloat(edtLoanAmt->text().toStdString());
        IntRate = StrToFloat(edtIntRate->text().toStdString());
        const std::string payment = edtMoPmt->text().toStdString();
        MoPmt = Trim(payment).empty() ? 0.0 : StrToFloat(payment);
        Term = StrToFloat(edtTerm->text().toStdString());
        ExCost = StrToFloat(edtExCost->text().toStdString());
        AmtFinanced = guardedFloat([this] { return LoanAmt - ExCost; });
    } catch (const AppError &) {
        messages().showMessage(QStringLiteral("Please enter a valid number!"));
        edtLoanAmt->setFocus();
        return;
    }
    if (!(IntRate > 0)) {
        messages().showMessage(QStringLiteral("Interest rate cannot be equal or less than 0!"));
        edtIntRate->setFocus();
    }
    if (!(Term > 0)) {
        messages().showMessage(QStringLiteral("Term cannot be equal or less than 0!"));
        edtTerm->setFocus();
    }
}

void TfrmAPRCalc::btnCalcClick()
{
    guarded([this] { calculate(); });
}

void TfrmAPRCalc::calculate()
{
    if (MoPmt == 0) {
        MoPmt = levelPayment(LoanAmt, IntRate, Term);
        edtMoPmt->setText(shown("########0.00", MoPmt));
    }
    const double charge = financeCharge(MoPmt, Term, AmtFinanced);
    if (!(LoanAmt > 0 && AmtFinanced > 0 && IntRate > 0 && Term > 0)) {
        APR = 0;
        lblAPR->setText(QStringLiteral("Check Parameters"));
        lblFinCharge->clear();
        lblAdjPV->clear();
        return;
    }
    APR = searchAPR(LoanAmt, IntRate, Term, AmtFinanced);
    lblAdjPV->setText(shown(moneyPattern, AmtFinanced));
    lblFinCharge->setText(charge > 0 ? shown(moneyPattern, charge) : QString());
    lblAPR->setText(shown("###0.000%", APR));
}

void TfrmAPRCalc::FormClose()
{
    m_shared.LastLoanAmt = edtLoanAmt->text();
    m_shared.LastRate = edtIntRate->text();
    m_shared.LastPayment = edtMoPmt->text();
    const QString term = edtTerm->text();
    if (StrToFloat(term.toStdString()) > 0)
        m_shared.LastTerm = wholeTermText(term);
}
