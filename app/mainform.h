#pragma once

#include "ui/sharedvalues.h"

#include <QWidget>

#include <memory>

class CapsuleButton;
class ClickableLabel;
class Messages;
class TData;

// The main menu: opens each tool modally and holds the loan values the
// tools hand on to each other.
class TMainForm : public QWidget
{
    Q_OBJECT
public:
    explicit TMainForm(Messages &messages, QWidget *parent = nullptr);
    ~TMainForm() override;

    SharedLoanValues &sharedValues() { return m_shared; }

    ClickableLabel *lbLink;
    QWidget *fcButtonGroup1;
    CapsuleButton *fcButtonGroupHousCalc;
    CapsuleButton *fcButtonGroupAmortSche;
    CapsuleButton *fcButtonGroupAprCalc;
    CapsuleButton *fcButtonGroupShould_I;
    CapsuleButton *fcButtonGroupdbd;
    ClickableLabel *BitBtnAdvert;

private:
    void FormCreate();
    void btnPmtCalcClick();
    void btnAmortClick();
    void fcButtonGroupAprCalcClick();
    void fcButtonGroupShould_IClick();
    void btnDndClick();
    void btnInfoClick();
    void lbLinkClick();
    CapsuleButton *addMenuButton(const QString &caption, int place, void (TMainForm::*handler)());

    Messages &m_messages;
    SharedLoanValues m_shared;
    std::unique_ptr<TData> Data;
};
