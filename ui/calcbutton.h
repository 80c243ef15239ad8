#pragma once

#include <QPushButton>

// A Calculate button whose input step runs when the focus enters it
// (`entered`) and whose computation runs on its click. A mouse press whose
// input step moved the focus away computes nothing; the accelerator, Space
// and Enter click without a new input step. It is never a default button.
class CalcButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CalcButton(const QString &text, QWidget *parent = nullptr);

signals:
    void entered();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};
