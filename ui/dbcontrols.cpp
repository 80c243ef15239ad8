#include "dbcontrols.h"

#include "guard.h"
#include "messages.h"

#include "calcutils/errors.h"
#include "calcutils/numbertext.h"
#include "calcutils/realmath.h"
#include "datastore/table.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionSlider>

#include <algorithm>

TDBEdit::TDBEdit(Messages &messages, TDataSource &source, std::string fieldName, QWidget *parent)
    : QLineEdit(parent)
    , m_messages(messages)
    , m_source(source)
    , m_fieldName(std::move(fieldName))
{
    m_observerId = m_source.table().addRecordObserver([this] { showField(); });
    m_writerId = m_source.table().addPendingWriter([this] { writePending(); });
    connect(this, &QLineEdit::textEdited, this, &TDBEdit::userEdited);
    showField();
}

TDBEdit::~TDBEdit()
{
    m_source.table().removeObserver(m_observerId);
    m_source.table().removeObserver(m_writerId);
}

TField *TDBEdit::field() const
{
    return m_source.table().findField(m_fieldName);
}

bool TDBEdit::fieldAccepts(QChar c) const
{
    const TField *f = field();
    if (!f)
        return false;
    const bool digitOrSign =
        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-');
    switch (f->kind()) {
    case FieldKind::SmallInt:
        return digitOrSign;
    case FieldKind::Float:
        return digitOrSign || c == QLatin1Char(numberSeparators().decimal) || c == QLatin1Char('e')
               || c == QLatin1Char('E');
    case FieldKind::Text:
    case FieldKind::Date:
        break;
    }
    return true;
}

void TDBEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        for (const QChar c : typed) {
            if (!fieldAccepts(c)) {
                QApplication::beep();
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::userEdited()
{
    m_modified = true;
    TTable &table = m_source.table();
    if (table.state() != TableState::Browse)
        return;
    // A record another copy holds locked cannot be edited: the typing is undone.
    if (!runGuarded(m_messages, [&table] { table.edit(); })) {
        m_modified = false;
        showField();
    }
}

void TDBEdit::showField()
{
    if (m_modified)
        return;
    const TField *f = field();
    setReadOnly(f == nullptr);
    setText(f ? QString::fromStdString(f->displayText()) : QString());
}

void TDBEdit::writePending()
{
    if (!m_modified)
        return;
    if (TField *f = field())
        f->setAsString(text().toStdString());
    m_modified = false;
    showField();
}

void TDBEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of the window counts as leaving the box;
    // a message box or another window taking the focus does not.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !m_modified)
        return;
    if (!runGuarded(m_messages, [this] { writePending(); })) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
    }
}

TDBTrackBar::TDBTrackBar(TDataSource &source, std::string fieldName, QWidget *parent)
    : QSlider(Qt::Vertical, parent)
    , m_source(source)
    , m_fieldName(std::move(fieldName))
{
    setFocusPolicy(Qt::NoFocus);
    m_observerId = m_source.table().addRecordObserver([this] { showField(); });
    showField();
}

TDBTrackBar::~TDBTrackBar()
{
    m_source.table().removeObserver(m_observerId);
}

void TDBTrackBar::showField()
{
    const TField *f = m_source.table().findField(m_fieldName);
    if (!f) {
        setValue(minimum());
        return;
    }
    const double held = std::clamp(f->asFloat(), double(minimum()), double(maximum()));
    setValue(static_cast<int>(roundToInt64(held)));
}

void TDBTrackBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionSlider opt;
    initStyleOption(&opt);

    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    QRect track(0, groove.top() + 2, 6, groove.height() - 4);
    track.moveCenter(QPoint(groove.center().x(), track.center().y()));
    painter.fillRect(track, Qt::red);
    QRect filled = track;
    filled.setTop(handle.center().y());
    painter.fillRect(filled, Qt::green);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(track.adjusted(0, 0, -1, -1));

    // Ticks of our own: the style's are too faint beside the coloured track.
    painter.setPen(palette().color(QPalette::WindowText));
    const int span = groove.height() - handle.height();
    for (int v = minimum(); v <= maximum(); v += std::max(1, tickInterval())) {
        const int y = groove.top() + handle.height() / 2
                      + QStyle::sliderPositionFromValue(minimum(), maximum(), v, span, opt.upsideDown);
        painter.drawLine(track.right() + 6, y, track.right() + 10, y);
    }

    painter.fillRect(handle, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawRect(handle.adjusted(0, 0, -1, -1));
}

void TDBTrackBar::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}

void TDBTrackBar::mousePressEvent(QMouseEvent *event)
{
    event->ignore();
}

void TDBTrackBar::mouseMoveEvent(QMouseEvent *event)
{
    event->ignore();
}

void TDBTrackBar::mouseReleaseEvent(QMouseEvent *event)
{
    event->ignore();
}

void TDBTrackBar::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}
