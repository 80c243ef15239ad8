#include "pmtcalc.h"

#include "ui/calcbutton.h"
#include "ui/messages.h"
#include "ui/sharedvalues.h"

#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"
#include "calcutils/payment.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr const char *moneyPattern = "########0.00";
constexpr const char *termPattern = "###0.00";
constexpr const char *ratePattern = "###0.000";
const QString infiniteTerm = QStringLiteral("infinite number");

QString shown(const char *pattern, double value)
{
    return QString::fromStdString(FormatFloat(pattern, value));
}

void setBold(QLineEdit *box, bool bold)
{
    QFont font = box->font();
    font.setBold(bold);
    box->setFont(font);
}

void showResult(QLineEdit *box, const QString &text)
{
    box->setText(text);
    setBold(box, true);
}

}  // namespace

TfrmPmtCalc::TfrmPmtCalc(SharedLoanValues &shared, Messages &messages, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("Payment Calculator"), QSize(435, 197), parent)
    , m_shared(shared)
{
    rgCalcOpt = new QGroupBox(QStringLiteral(" Options "), this);
    rgCalcOpt->setGeometry(8, 10, 214, 133);
    rgCalcOpt->setToolTip(QStringLiteral("Leave the variable on the right to calculate"));
    const QStringList items = {QStringLiteral("Compute Amortized Payment"),
                               QStringLiteral("Compute Interest Only Payment"), QStringLiteral("Compute Loan Term"),
                               QStringLiteral("Compute Interest Rate"), QStringLiteral("Compute Loan Amount ")};
    for (int index = 0; index < items.size(); ++index) {
        auto *item = new QRadioButton(items[index], rgCalcOpt);
        item->setGeometry(8, 22 + index * 21, 204, 20);
        rgCalcOptItems.addButton(item, index);
    }

    Panel1 = new QWidget(this);
    Panel1->setGeometry(226, 10, 205, 133);
    edtLoanAmt = addRow(QStringLiteral("Loan Amount"), 0);
    edtIntRate = addRow(QStringLiteral("Interest Rate"), 1);
    edtTerm = addRow(QStringLiteral("Term in Months"), 2);
    edtMoPmt = addRow(QStringLiteral("Monthly Payment"), 3);
    edtBallAmt = addRow(QStringLiteral("Balloon Amount"), 4);

    btnCalc = new CalcButton(QStringLiteral("C&alculate"), this);
    btnCalc->setGeometry((435 - 112) / 2, 153, 112, 32);
    connect(btnCalc, &CalcButton::entered, this, &TfrmPmtCalc::btnCalcEnter);
    connect(btnCalc, &CalcButton::clicked, this, &TfrmPmtCalc::btnCalcClick);

    guarded([this] { FormCreate(); });
}

QLineEdit *TfrmPmtCalc::addRow(const QString &caption, int row)
{
    const int top = 6 + row * 25;
    auto *label = new QLabel(caption, Panel1);
    label->setGeometry(0, top, 94, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *box = new QLineEdit(Panel1);
    box->setGeometry(99, top, 102, 21);
    label->setBuddy(box);
    return box;
}

void TfrmPmtCalc::FormCreate()
{
    rgCalcOptItems.button(AmortizedPayment)->setChecked(true);
    edtLoanAmt->setText(m_shared.LastLoanAmt);
    edtIntRate->setText(m_shared.LastRate);
    edtTerm->setText(m_shared.LastTerm);
    edtMoPmt->setText(m_shared.LastPayment);
    edtBallAmt->setText(m_shared.LastBalloon);
}

void TfrmPmtCalc::btnCalcEnter()
{
    guarded([this] { inputStep(); });
}

void TfrmPmtCalc::inputStep()
{
    if (edtLoanAmt->text().isEmpty())
        edtLoanAmt->setText(m_shared.LastLoanAmt);
    if (edtIntRate->text().isEmpty())
        edtIntRate->setText(m_shared.LastRate);
    const QString term = edtTerm->text();
    if (term.isEmpty() || term == QStringLiteral("0") || term == infiniteTerm)
        edtTerm->setText(m_shared.LastTerm);
    if (edtMoPmt->text().isEmpty())
        edtMoPmt->setText(m_shared.LastPayment);
    if (edtBallAmt->text().isEmpty())
        edtBallAmt->setText(m_shared.LastBalloon);

    // Each box is stored as soon as it reads; the first failure stops there.
    const std::pair<QLineEdit *, double *> boxes[] = {
        {edtLoanAmt, &P}, {edtIntRate, &R}, {edtTerm, &n}, {edtMoPmt, &A}, {edtBallAmt, &B}};
    for (const auto &[box, value] : boxes) {
        if (!TryStrToFloat(box->text().toStdString(), *value)) {
            messages().showMessage(QStringLiteral("Please enter a valid number!"));
            edtLoanAmt->setFocus();
            return;
        }
    }

    const int option = rgCalcOptItems.checkedId();
    if ((option == AmortizedPayment || option == InterestOnlyPayment || option == LoanAmount) && !(R > 0)) {
        messages().showMessage(QStringLiteral("Interest rate cannot be equal or less than 0!"));
        edtIntRate->setFocus();
    }
    if ((option == LoanTerm || option == InterestRate) && !(A > 0)) {
        messages().showMessage(QStringLiteral("Payment cannot be equal or less than 0!"));
        edtMoPmt->setFocus();
    }
}

void TfrmPmtCalc::btnCalcClick()
{
    for (QLineEdit *box : {edtLoanAmt, edtIntRate, edtTerm, edtMoPmt, edtBallAmt})
        setBold(box, false);
    guarded([this] { compute(); });
}

void TfrmPmtCalc::compute()
{
    // Everything is computed and formatted before any box changes, so a
    // fault leaves the window as it was.
    switch (rgCalcOptItems.checkedId()) {
    case AmortizedPayment: {
        const double payment = amortizedPayment(P, R, n);
        const QString text = shown(moneyPattern, payment);
        A = payment;
        showResult(edtMoPmt, text);
        break;
    }
    case InterestOnlyPayment: {
        const double payment = interestOnlyPayment(P, R);
        const QString paymentText = shown(moneyPattern, payment);
        const QString balloonText = shown(moneyPattern, P);
        A = payment;
        showResult(edtMoPmt, paymentText);
        showResult(edtBallAmt, balloonText);
        break;
    }
    case LoanTerm: {
        const std::optional<double> term = loanTerm(P, R, A);
        const QString termText = term ? shown(termPattern, *term) : infiniteTerm;
        const QString balloonText = shown(moneyPattern, 0);
        if (term)
            n = *term;
        showResult(edtTerm, termText);
        edtBallAmt->setText(balloonText);
        break;
    }
    case InterestRate: {
        const double rate = interestRate(P, n, A, B);
        const QString text = rate >= 0 ? shown(ratePattern, rate) : QStringLiteral("will not amortize");
        R = rate;
        showResult(edtIntRate, text);
        break;
    }
    case LoanAmount: {
        const double amount = loanAmount(R, n, A, B);
        const QString text = shown(moneyPattern, amount);
        P = amount;
        showResult(edtLoanAmt, text);
        break;
    }
    }
}

void TfrmPmtCalc::FormClose()
{
    m_shared.LastLoanAmt = edtLoanAmt->text();
    m_shared.LastRate = edtIntRate->text();
    m_shared.LastTerm = wholeTermText(edtTerm->text());
    m_shared.LastPayment = edtMoPmt->text();
    m_shared.LastBalloon = edtBallAmt->text();
}
