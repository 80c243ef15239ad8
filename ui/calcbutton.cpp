#include "calcbutton.h"

#include "glyphs.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

CalcButton::CalcButton(const QString &text, QWidget *parent)
    : QPushButton(checkMarkGlyph(), text, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setIconSize(QSize(20, 20));
}

bool CalcButton::event(QEvent *event)
{
    // The button's own mnemonic would move the focus here first and so run
    // the input step; the accelerator clicks on the values already stored.
    if (event->type() == QEvent::Shortcut) {
        if (isEnabled())
            click();
        return true;
    }
    return QPushButton::event(event);
}

void CalcButton::focusInEvent(QFocusEvent *event)
{
    QPushButton::focusInEvent(event);
    // Coming back from another window or a pop-up is not entering the button.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit entered();
}

void CalcButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CalcButton::mousePressEvent(QMouseEvent *event)
{
    // The application has given the button the focus before the press
    // arrives, which ran the input step; if the step moved the focus on, the
    // press is over.
    if (event->button() == Qt::LeftButton && !hasFocus())
        return;
    QPushButton::mousePressEvent(event);
}
