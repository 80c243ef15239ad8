#pragma once

#include "ui/tooldialog.h"

#include <QButtonGroup>

class CalcButton;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QWidget;
struct SharedLoanValues;

// Solves the level-payment loan equation for one of its five quantities at
// a time, starting from the shared loan values and handing them back.
class TfrmPmtCalc : public ToolDialog
{
    Q_OBJECT
public:
    enum Option { AmortizedPayment, InterestOnlyPayment, LoanTerm, InterestRate, LoanAmount };

    TfrmPmtCalc(SharedLoanValues &shared, Messages &messages, QWidget *parent = nullptr);

    QGroupBox *rgCalcOpt;
    QButtonGroup rgCalcOptItems;
    QWidget *Panel1;
    QLineEdit *edtLoanAmt;
    QLineEdit *edtIntRate;
    QLineEdit *edtTerm;
    QLineEdit *edtMoPmt;
    QLineEdit *edtBallAmt;
    CalcButton *btnCalc;

protected:
    void FormClose() override;

private:
    void FormCreate();
    void btnCalcEnter();
    void btnCalcClick();
    void inputStep();
    void compute();
    QLineEdit *addRow(const QString &caption, int row);

    SharedLoanValues &m_shared;
    // The values the last input step stored; zero before the first one.
    double P = 0;
    double R = 0;
    double n = 0;
    double A = 0;
    double B = 0;
};
