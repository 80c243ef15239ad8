#include "dbd.h"

#include "ui/glyphs.h"
#include "ui/messages.h"

#include "calcutils/calcutils.h"
#include "calcutils/dates.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace {

// Day 0 of the program's dates.
const QDate dateEpoch(1899, 12, 30);

TDateTime toDateTime(const QDate &date)
{
    return static_cast<TDateTime>(dateEpoch.daysTo(date));
}

QDate toQDate(TDateTime date)
{
    const DateParts parts = DecodeDate(date);
    return QDate(parts.year, parts.month, parts.day);
}

// The regional short date, with the year always in four digits so that a
// typed year is never taken for another century.
QString pickerFormat(const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QStringLiteral("yyyy")))
        format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
    return format;
}

QString daysText(int days)
{
    return QString::number(days) + QStringLiteral(" days");
}

}  // namespace

TfrmDBD::TfrmDBD(Messages &messages, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("Days Between Dates Calculation"), QSize(365, 185), parent)
{
    Memo1 = new QTextEdit(this);
    Memo1->setGeometry(0, 0, 365, 40);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::NoFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tooltip = Memo1->palette();
    tooltip.setColor(QPalette::Base, tooltip.color(QPalette::ToolTipBase));
    tooltip.setColor(QPalette::Text, tooltip.color(QPalette::ToolTipText));
    Memo1->setPalette(tooltip);
    for (const QString &line : {QStringLiteral("360 day calendar is used for monthly payments."),
                                QStringLiteral("365 day calendar can be used for odd days interest, etc.")}) {
        Memo1->append(line);
        Memo1->setAlignment(Qt::AlignHCenter);
    }

    dStart = addPicker(Label1, QStringLiteral("Start Date"), 8);
    dEnd = addPicker(Label2, QStringLiteral("End Date"), 186);
    lbl365 = addResult(Label4, QStringLiteral("365 Day Calendar:"), 90);
    lbl360 = addResult(Label3, QStringLiteral("360 Day Calendar:"), 114);

    CalcBtn = new QPushButton(checkMarkGlyph(), QStringLiteral("C&alculate"), this);
    CalcBtn->setAutoDefault(false);
    CalcBtn->setIconSize(QSize(20, 20));
    CalcBtn->setGeometry((365 - 112) / 2, 146, 112, 30);
    connect(CalcBtn, &QPushButton::clicked, this, [this] { guarded([this] { CalcBtnClick(); }); });

    guarded([this] { FormCreate(); });
}

QDateEdit *TfrmDBD::addPicker(QLabel *&caption, const QString &text, int left)
{
    caption = new QLabel(text, this);
    caption->setGeometry(left, 54, 62, 22);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *picker = new QDateEdit(this);
    picker->setGeometry(left + 68, 54, 104, 22);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(pickerFormat(picker->locale()));
    caption->setBuddy(picker);
    return picker;
}

QLabel *TfrmDBD::addResult(QLabel *&caption, const QString &text, int top)
{
    caption = new QLabel(text, this);
    caption->setGeometry(40, top, 150, 20);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont tenPoint = caption->font();
    tenPoint.setPointSize(10);
    caption->setFont(tenPoint);
    auto *result = new QLabel(this);
    result->setGeometry(198, top, 130, 20);
    result->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    result->setFont(tenPoint);
    return result;
}

void TfrmDBD::FormCreate()
{
    const TDateTime today = Today();
    dStart->setDate(toQDate(today));
    dEnd->setDate(toQDate(LastOfMonth(today)));
    lbl360->clear();
    lbl365->clear();
}

void TfrmDBD::CalcBtnClick()
{
    const TDateTime start = toDateTime(dStart->date());
    const TDateTime end = toDateTime(dEnd->date());
    if (end < start) {
        messages().showMessage(QStringLiteral("ERROR - Start Date is greater than End Date - Please fix"));
        return;
    }
    const int days360 = DaysBetween(true, start, end);
    const int days365 = DaysBetween(false, start, end);
    lbl360->setText(daysText(days360));
    lbl365->setText(daysText(days365));
}
