#pragma once

#include "ui/tooldialog.h"

class ClickableLabel;
class QLabel;
class QPlainTextEdit;
class QTextEdit;

// The program information window: the banner, the link to the maker's web
// page and a few words about the maker's other software.
class TfrmProgramInfo : public ToolDialog
{
    Q_OBJECT
public:
    explicit TfrmProgramInfo(Messages &messages, QWidget *parent = nullptr);

    QLabel *Image1;
    ClickableLabel *lbLink;
    QPlainTextEdit *MemoBody;
    QTextEdit *MemoHeader;

private:
    void lbLinkClick();
};
