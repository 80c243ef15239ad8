#include "pref.h"

#include "scoringstyle.h"

#include "datastore/table.h"
#include "ui/dbcontrols.h"
#include "ui/messages.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <utility>

namespace {

constexpr int kFirstRow = 52;
constexpr int kRowStep = 30;
constexpr int kBoxLeft = 180;
constexpr int kBarLeft = 290;

int rowTop(int row)
{
    return kFirstRow + row * kRowStep;
}

QLabel *addRowLabel(QWidget *form, const QString &text, int row)
{
    auto *label = new QLabel(text, form);
    label->setGeometry(4, rowTop(row), 170, 21);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

TDBEdit *addBox(QWidget *form, Messages &messages, TDataSource &source, const QString &name, const char *field, int row,
                int width = 70)
{
    auto *box = new TDBEdit(messages, source, field, form);
    box->setObjectName(name);
    box->setGeometry(kBoxLeft, rowTop(row), width, 21);
    return box;
}

QSlider *addBar(QWidget *form, QStyle *style, const QString &name, int row)
{
    auto *bar = new QSlider(Qt::Horizontal, form);
    bar->setStyle(style);
    bar->setObjectName(name);
    bar->setRange(0, 4);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setTickInterval(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setValue(2);
    bar->setGeometry(kBarLeft, rowTop(row) - 4, 136, 30);
    return bar;
}

}  // namespace

TfrmPref::TfrmPref(Messages &messages, TData &data, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("Preference Settings"), QSize(434, 403), parent)
    , m_data(data)
{
    buildControls();
    guarded([this] { FormCreate(); });
    DBEditAMT->setFocus();
}

void TfrmPref::buildControls()
{
    setFont(scoringWindowFont());
    TDataSource &source = m_data.srcPref;
    QStyle *barStyle = weightBarStyle(this);

    auto *heading = new QLabel(QStringLiteral("Score Weighting"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setGeometry(kBarLeft, 8, 136, 16);
    heading->setAlignment(Qt::AlignCenter);
    auto *scale = new QLabel(QStringLiteral("(0 low to 4 high)"), this);
    scale->setGeometry(kBarLeft, 24, 136, 16);
    scale->setAlignment(Qt::AlignCenter);

    DBEditAMT = addBox(this, messages(), source, QStringLiteral("DBEditAMT"), "AVG_AMT", 0, 100);
    tbAMT = addBar(this, barStyle, QStringLiteral("tbAMT"), 0);
    addRowLabel(this, QStringLiteral("Loan Amount"), 0)->setBuddy(DBEditAMT);
    DBEditRATE = addBox(this, messages(), source, QStringLiteral("DBEditRATE"), "AVG_RATE", 1);
    tbRate = addBar(this, barStyle, QStringLiteral("tbRate"), 1);
    addRowLabel(this, QStringLiteral("Interest rate %"), 1)->setBuddy(DBEditRATE);
    tbCOL = addBar(this, barStyle, QStringLiteral("tbCOL"), 2);
    addRowLabel(this, QStringLiteral("Collateral Quality"), 2)->setBuddy(tbCOL);
    DBEditTERM = addBox(this, messages(), source, QStringLiteral("DBEditTERM"), "AVG_TERM", 3);
    tbTerm = addBar(this, barStyle, QStringLiteral("tbTerm"), 3);
    addRowLabel(this, QStringLiteral("Term (months)"), 3)->setBuddy(DBEditTERM);
    SCORE = addBox(this, messages(), source, QStringLiteral("SCORE"), "AVG_SCORE", 4);
    tbSCORE = addBar(this, barStyle, QStringLiteral("tbSCORE"), 4);
    addRowLabel(this, QStringLiteral("Credit Score"), 4)->setBuddy(SCORE);
    LTV = addBox(this, messages(), source, QStringLiteral("LTV"), "AVG_LTV", 5);
    tbLTV = addBar(this, barStyle, QStringLiteral("tbLTV"), 5);
    addRowLabel(this, QStringLiteral("Loan To Value"), 5)->setBuddy(LTV);
    DTI = addBox(this, messages(), source, QStringLiteral("DTI"), "AVG_DTI", 6);
    tbDTI = addBar(this, barStyle, QStringLiteral("tbDTI"), 6);
    addRowLabel(this, QStringLiteral("Debt to Income"), 6)->setBuddy(DTI);
    DBEditFEE = addBox(this, messages(), source, QStringLiteral("DBEditFEE"), "AVG_FEE", 7);
    tbFee = addBar(this, barStyle, QStringLiteral("tbFee"), 7);
    addRowLabel(this, QStringLiteral("Loan fees %"), 7)->setBuddy(DBEditFEE);
    tbGUT = addBar(this, barStyle, QStringLiteral("tbGUT"), 8);
    addRowLabel(this, QStringLiteral("Gut Feeling"), 8)->setBuddy(tbGUT);
    tbHB = addBar(this, barStyle, QStringLiteral("tbHB"), 9);
    addRowLabel(this, QStringLiteral("How badly do you need loans"), 9)->setBuddy(tbHB);

    Button1 = new QPushButton(QStringLiteral("Continue"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Button1->setGeometry((434 - 90) / 2, 360, 90, 28);
    // Escape presses it: QDialog's Escape rejects, which closes and saves too.
    connect(Button1, &QPushButton::clicked, this, &TfrmPref::accept);
}

void TfrmPref::FormCreate()
{
    TTable &table = m_data.tblPref;
    for (const auto &[name, pattern] :
         {std::pair{"AVG_RATE", "##0.000"}, {"AVG_FEE", "##0.000"}, {"AVG_TERM", "##0"}}) {
        if (TField *field = table.findField(name))
            field->setDisplayFormat(pattern);
    }
    // Without the open record the bars keep their middle position.
    if (!table.active())
        return;
    tbAMT->setValue(table.fieldByName("WGT_AMT").asInteger());
    tbCOL->setValue(table.fieldByName("WGT_COL").asInteger());
    tbFee->setValue(table.fieldByName("WGT_FEE").asInteger());
    tbDTI->setValue(table.fieldByName("WGT_DTI").asInteger());
    tbGUT->setValue(table.fieldByName("WGT_GUT").asInteger());
    tbHB->setValue(table.fieldByName("WGT_HB").asInteger());
    tbLTV->setValue(table.fieldByName("WGT_LTV").asInteger());
    tbRate->setValue(table.fieldByName("WGT_RATE").asInteger());
    tbSCORE->setValue(table.fieldByName("WGT_SCORE").asInteger());
    tbTerm->setValue(table.fieldByName("WGT_TERM").asInteger());
}

void TfrmPref::FormClose()
{
    TTable &table = m_data.tblPref;
    try {
        table.edit();
        const std::pair<const char *, QSlider *> weights[] = {
            {"WGT_AMT", tbAMT}, {"WGT_COL", tbCOL}, {"WGT_DTI", tbDTI},   {"WGT_FEE", tbFee},     {"WGT_GUT", tbGUT},
            {"WGT_HB", tbHB},   {"WGT_LTV", tbLTV}, {"WGT_RATE", tbRate}, {"WGT_SCORE", tbSCORE}, {"WGT_TERM", tbTerm}};
        for (const auto &[field, bar] : weights)
            table.fieldByName(field).setAsFloat(bar->value());
        table.post();
    } catch (const std::exception &) {
        // Every way of closing saves; a failed save is told but keeps no one in.
        messages().showMessage(QStringLiteral("Could not post defaults"));
    }
}
