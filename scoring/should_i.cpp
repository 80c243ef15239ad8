#include "should_i.h"

#include "pref.h"
#include "scoringstyle.h"

#include "calcutils/dates.h"
#include "calcutils/loanscore.h"
#include "calcutils/numbertext.h"
#include "calcutils/patternformat.h"
#include "datastore/table.h"
#include "ui/dbcontrols.h"
#include "ui/glyphs.h"
#include "ui/messages.h"
#include "ui/modal.h"
#include "ui/sharedvalues.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {

const QString kCannotCreate =
    QStringLiteral("Unable to create ZIVORODI.DBF. Make sure program is in a writable directory.");
const QString kCannotOpen = QStringLiteral("Cannot Open ZIVORODI.DBF. Make sure no one else us using the program.");

double number(const QLineEdit *box)
{
    return StrToFloat(box->text().toStdString());
}

double number(const QString &text)
{
    return StrToFloat(text.toStdString());
}

// The index of the item the box shows, or -1 once the user has typed a
// text that is none of the items.
int choiceIndex(const QComboBox *box)
{
    return box->findText(box->currentText());
}

double average(TTable &table, const char *name)
{
    return table.fieldByName(name).asFloat();
}

int weight(TTable &table, const char *name)
{
    return table.fieldByName(name).asInteger();
}

constexpr int kLabelLeft = 4;
constexpr int kLabelWidth = 168;
constexpr int kBoxLeft = 176;
constexpr int kRowHeight = 21;

void addHeading(QWidget *form, const QString &text, int y)
{
    auto *heading = new QLabel(text, form);
    QFont font = heading->font();
    font.setPointSize(10);
    font.setBold(true);
    heading->setFont(font);
    heading->setGeometry(kLabelLeft + 20, y, 200, 20);
}

QLabel *addRowLabel(QWidget *form, const QString &text, int y)
{
    auto *label = new QLabel(text, form);
    label->setGeometry(kLabelLeft, y, kLabelWidth, kRowHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit *addEdit(QWidget *form, const QString &name, const QString &label, const QString &hint, int y,
                   bool percent = false)
{
    auto *box = new QLineEdit(form);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->setGeometry(kBoxLeft, y, 100, kRowHeight);
    addRowLabel(form, label, y)->setBuddy(box);
    if (percent)
        (new QLabel(QStringLiteral("%"), form))->setGeometry(kBoxLeft + 104, y, 14, kRowHeight);
    return box;
}

QComboBox *addChoice(QWidget *form, const QString &name, const QString &label, const QStringList &items, int y)
{
    auto *box = new QComboBox(form);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(items);
    box->setCurrentIndex(1);
    box->setGeometry(kBoxLeft, y, 176, kRowHeight + 2);
    addRowLabel(form, label, y)->setBuddy(box);
    return box;
}

}  // namespace

TfrmShould_I::TfrmShould_I(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("This loan vs. my preferences"), QSize(473, 489), parent)
    , m_shared(shared)
    , m_data(data)
{
    buildControls();
    guarded([this] { FormCreate(); });
}

void TfrmShould_I::buildControls()
{
    setFont(scoringWindowFont());

    auto *title = new QLabel(QStringLiteral("Should we make this loan?"), this);
    title->setGeometry(0, 6, 473, 34);
    title->setAlignment(Qt::AlignCenter);
    styleAsBanner(title);

    fcLabelLS = new QLabel(QStringLiteral("Loan score = "), this);
    fcLabelLS->setObjectName(QStringLiteral("fcLabelLS"));
    fcLabelLS->setGeometry(20, 42, 215, 34);
    fcLabelLS->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    styleAsBanner(fcLabelLS);
    fcLabelLS->hide();

    fcLabelScore = new QLabel(this);
    fcLabelScore->setObjectName(QStringLiteral("fcLabelScore"));
    fcLabelScore->setGeometry(237, 42, 180, 34);
    fcLabelScore->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    styleAsBanner(fcLabelScore);
    fcLabelScore->hide();

    addHeading(this, QStringLiteral("Loan Info"), 84);
    edtLoanAmt = addEdit(this, QStringLiteral("edtLoanAmt"), QStringLiteral("Loan Amount $"),
                         QStringLiteral("Enter loan amount"), 108);
    edtRate = addEdit(this, QStringLiteral("edtRate"), QStringLiteral("Interest Rate (%)"),
                      QStringLiteral("Enter interest rate as a percentage"), 134);
    edtTerm =
        addEdit(this, QStringLiteral("edtTerm"), QStringLiteral("Term in Months"), QStringLiteral("Loan term"), 160);
    cbxQuality = addChoice(
        this, QStringLiteral("cbxQuality"), QStringLiteral("Collateral Quality"),
        {QStringLiteral("Easy resale"), QStringLiteral("Needs work, but salable"), QStringLiteral("Pretty dang funky")},
        186);

    addHeading(this, QStringLiteral("Borrower Info"), 222);
    edtCreditScore = addEdit(this, QStringLiteral("edtCreditScore"), QStringLiteral("Credit score"),
                             QStringLiteral("Enter Borrower's credit score  450-850"), 246);
    edtLTV = addEdit(this, QStringLiteral("edtLTV"), QStringLiteral("Loan to value"),
                     QStringLiteral("Enter LTV as a percentage"), 272, true);
    edtDTI = addEdit(this, QStringLiteral("edtDTI"), QStringLiteral("Debt to Income"),
                     QStringLiteral("Enter as a percentage"), 298, true);

    addHeading(this, QStringLiteral("Broker Info"), 334);
    edtFees = addEdit(this, QStringLiteral("edtFees"), QStringLiteral("Broker Fees"),
                      QStringLiteral("Enter Total Fees to Broker"), 358, true);
    cbxFeeling = addChoice(
        this, QStringLiteral("cbxFeeling"), QStringLiteral("What's your gut feeling?"),
        {QStringLiteral("Warm fuzzy feeling"), QStringLiteral("Could go either way"), QStringLiteral("Scares me")},
        384);
    cbxHowbad = addChoice(this, QStringLiteral("cbxHowbad"), QStringLiteral("How badly do you need loans?"),
                          {QStringLiteral("Long line of anxious lenders"), QStringLiteral("Could take it or leave it"),
                           QStringLiteral("Funds are short right now")},
                          410);

    CalcBtn = new QPushButton(checkMarkGlyph(), QStringLiteral("C&alculate"), this);
    CalcBtn->setObjectName(QStringLiteral("CalcBtn"));
    CalcBtn->setToolTip(QStringLiteral("Compare this loan to your preferences"));
    CalcBtn->setGeometry(16, 446, 112, 30);
    CalcBtn->setAutoDefault(false);
    connect(CalcBtn, &QPushButton::clicked, this, [this] { guarded([this] { CalcBtnClick(); }); });

    BitBtnPrefs = new QPushButton(preferencesGlyph(), QStringLiteral("&Preferences"), this);
    BitBtnPrefs->setObjectName(QStringLiteral("BitBtnPrefs"));
    BitBtnPrefs->setToolTip(QStringLiteral("Set your prefered loan standards"));
    BitBtnPrefs->setGeometry(345, 446, 112, 30);
    BitBtnPrefs->setAutoDefault(false);
    connect(BitBtnPrefs, &QPushButton::clicked, this, [this] { guarded([this] { BitBtnPrefsClick(); }); });

    fcTrackBarResults = new TDBTrackBar(m_data.srcPref, "RESULT", this);
    fcTrackBarResults->setObjectName(QStringLiteral("fcTrackBarResults"));
    fcTrackBarResults->setRange(0, 10);
    fcTrackBarResults->setSingleStep(1);
    fcTrackBarResults->setPageStep(1);
    fcTrackBarResults->setTickInterval(1);
    fcTrackBarResults->setTickPosition(QSlider::TicksRight);
    fcTrackBarResults->setGeometry(362, 84, 40, 348);

    const auto legend = [this](const QString &text, int y) {
        auto *label = new QLabel(text, this);
        label->setGeometry(406, y, 64, 16);
    };
    legend(QStringLiteral("Grab it"), 88);
    legend(QStringLiteral("Average"), 250);
    legend(QStringLiteral("Forget it"), 412);
}

void TfrmShould_I::FormCreate()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });

    edtLoanAmt->setText(m_shared.LastLoanAmt);
    edtRate->setText(m_shared.LastRate);
    edtTerm->setText(m_shared.LastTerm);
    fcTrackBarResults->setValue(0);

    TTable &table = m_data.tblPref;
    if (!table.exists()) {
        bool created = true;
        try {
            table.createTable(kPrefFieldDefinitions);
        } catch (const std::exception &) {
            created = false;
            messages().showMessage(kCannotCreate);
        }
        if (created)
            seedNewFile();
    }

    try {
        table.open();
        edtCreditScore->setText(QStringLiteral("600"));
        edtLTV->setText(QStringLiteral("70"));
        edtDTI->setText(QStringLiteral("30"));
        edtFees->setText(QStringLiteral("1.000"));
        cbxQuality->setCurrentIndex(1);
        cbxFeeling->setCurrentIndex(1);
        cbxHowbad->setCurrentIndex(1);
        table.edit();
        table.fieldByName("RESULT").setAsFloat(0);
        table.post();
    } catch (const std::exception &) {
        messages().showMessage(kCannotOpen);
    }
}

void TfrmShould_I::seedNewFile()
{
    TTable &table = m_data.tblPref;
    try {
        table.open();
        table.edit();
        table.fieldByName("LAST_UPD").setAsString(DateToStr(Today()));
        table.fieldByName("AVG_AMT").setAsFloat(number(m_shared.LastLoanAmt));
        table.fieldByName("AVG_RATE").setAsFloat(number(m_shared.LastRate));
        table.fieldByName("AVG_DTI").setAsFloat(30);
        table.fieldByName("AVG_FEE").setAsFloat(1);
        table.fieldByName("AVG_LTV").setAsFloat(70);
        table.fieldByName("AVG_SCORE").setAsFloat(600);
        table.fieldByName("AVG_TERM").setAsFloat(number(m_shared.LastTerm));
        for (const char *name : {"WGT_AMT", "WGT_COL", "WGT_DTI", "WGT_FEE", "WGT_GUT", "WGT_HB", "WGT_RATE", "WGT_LTV",
                                 "WGT_SCORE", "WGT_TERM"})
            table.fieldByName(name).setAsFloat(2);
        table.post();
        table.close();
    } catch (...) {
        // Closing drops the half-written record; removing the still empty
        // file lets the next opening seed it afresh.
        table.close();
        QFile::remove(QString::fromStdString(table.fileName()));
        throw;
    }
}

void TfrmShould_I::fillEmptyBoxes()
{
    if (edtLoanAmt->text().isEmpty())
        edtLoanAmt->setText(m_shared.LastLoanAmt);
    if (edtRate->text().isEmpty())
        edtRate->setText(m_shared.LastRate);
    const QString term = edtTerm->text();
    if (term.isEmpty() || term == QLatin1String("0") || term == QLatin1String("infinite number"))
        edtTerm->setText(m_shared.LastTerm);
    if (edtCreditScore->text().isEmpty())
        edtCreditScore->setText(QStringLiteral("600"));
    if (edtLTV->text().isEmpty())
        edtLTV->setText(QStringLiteral("70"));
    if (edtFees->text().isEmpty())
        edtFees->setText(QStringLiteral("0.00"));
}

bool TfrmShould_I::validate()
{
    bool valid = true;
    const auto check = [&](bool ok, QLineEdit *box, const char *message) {
        if (ok)
            return;
        messages().showMessage(QString::fromLatin1(message));
        box->setFocus();
        valid = false;
    };
    check(m_amount > 0 && m_amount < 1000000000000.0, edtLoanAmt, "Incorrect Amount");
    check(m_term > 0 && m_term <= 999, edtTerm, "Incorrect term");
    check(m_rate > 0 && m_rate <= 99, edtRate, "Interest rate cannot be equal or less than 0");
    check(m_fees >= 0 && m_fees <= 99, edtFees, "Incorrect fees");
    check(number(edtCreditScore) <= 999, edtCreditScore, "Incorrect Credit Score");
    return valid;
}

void TfrmShould_I::CalcBtnClick()
{
    fillEmptyBoxes();
    m_amount = number(edtLoanAmt);
    m_rate = number(edtRate);
    m_term = number(edtTerm);
    m_fees = number(edtFees);
    if (!validate())
        return;

    // Read in the order of the score's terms, so a missing field or a box
    // that is no number fails where the formula would first need it.
    TTable &table = m_data.tblPref;
    LoanFigures loan;
    LenderPreferences prefs;
    loan.amount = m_amount;
    prefs.avgAmt = average(table, "AVG_AMT");
    prefs.wgtAmt = weight(table, "WGT_AMT");
    loan.rate = m_rate;
    prefs.avgRate = average(table, "AVG_RATE");
    prefs.wgtRate = weight(table, "WGT_RATE");
    loan.term = m_term;
    prefs.avgTerm = average(table, "AVG_TERM");
    prefs.wgtTerm = weight(table, "WGT_TERM");
    loan.quality = choiceIndex(cbxQuality);
    prefs.wgtCol = weight(table, "WGT_COL");
    loan.dti = number(edtDTI);
    prefs.avgDti = average(table, "AVG_DTI");
    prefs.wgtDti = weight(table, "WGT_DTI");
    loan.ltv = number(edtLTV);
    prefs.avgLtv = average(table, "AVG_LTV");
    prefs.wgtLtv = weight(table, "WGT_LTV");
    loan.creditScore = number(edtCreditScore);
    prefs.avgScore = average(table, "AVG_SCORE");
    prefs.wgtScore = weight(table, "WGT_SCORE");
    loan.fees = m_fees;
    prefs.avgFee = average(table, "AVG_FEE");
    prefs.wgtFee = weight(table, "WGT_FEE");
    loan.feeling = choiceIndex(cbxFeeling);
    prefs.wgtGut = weight(table, "WGT_GUT");
    loan.howBad = choiceIndex(cbxHowbad);
    prefs.wgtHb = weight(table, "WGT_HB");
    const double score = loanScore(loan, prefs);

    table.edit();
    table.fieldByName("RESULT").setAsFloat(score);
    table.post();

    const long double shown = static_cast<long double>(table.fieldByName("RESULT").asFloat()) * 10;
    fcLabelScore->setText(QString::fromStdString(FloatToStr(shown)));
    fcLabelLS->show();
    fcLabelScore->show();
}

void TfrmShould_I::BitBtnPrefsClick()
{
    openModal<TfrmPref>(this, messages(), m_data);
}

void TfrmShould_I::FormClose()
{
    m_data.tblPref.close();
}
