#pragma once

#include "ui/tooldialog.h"

class QDateEdit;
class QLabel;
class QTextEdit;
class QPushButton;

// Counts the days from a start to an end date on the 360-day and on the
// 365-day calendar.
class TfrmDBD : public ToolDialog
{
    Q_OBJECT
public:
    explicit TfrmDBD(Messages &messages, QWidget *parent = nullptr);

    QTextEdit *Memo1;
    QLabel *Label1;
    QDateEdit *dStart;
    QLabel *Label2;
    QDateEdit *dEnd;
    QLabel *Label4;
    QLabel *lbl365;
    QLabel *Label3;
    QLabel *lbl360;
    QPushButton *CalcBtn;

private:
    void FormCreate();
    void CalcBtnClick();
    QDateEdit *addPicker(QLabel *&caption, const QString &text, int left);
    QLabel *addResult(QLabel *&caption, const QString &text, int top);
};
