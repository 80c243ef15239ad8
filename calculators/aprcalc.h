#pragma once

#include "ui/tooldialog.h"

class CalcButton;
class QLabel;
class QLineEdit;
class QWidget;
struct SharedLoanValues;

// The amount financed, the finance charge and the APR of an amortized loan
// with prepaid finance charges; fills in the payment when it is blank.
class TfrmAPRCalc : public ToolDialog
{
    Q_OBJECT
public:
    TfrmAPRCalc(SharedLoanValues &shared, Messages &messages, QWidget *parent = nullptr);

    QWidget *Panel1;
    QLabel *Label11;
    QLabel *Label1;
    QLineEdit *edtLoanAmt;
    QLabel *Label2;
    QLineEdit *edtIntRate;
    QLabel *Label6;
    QLineEdit *edtMoPmt;
    QLabel *Label3;
    QLineEdit *edtTerm;
    QLabel *Label4;
    QLineEdit *edtExCost;
    QLabel *Label5;
    QLabel *lblAdjPV;
    QLabel *Label10;
    QLabel *lblFinCharge;
    QLabel *Label7;
    QLabel *lblAPR;
    CalcButton *btnCalc;

protected:
    void FormClose() override;

private:
    void FormCreate();
    void btnCalcEnter();
    void btnCalcClick();
    void inputStep();
    void calculate();
    QLineEdit *addBox(QLabel *&caption, const QString &text, int row, const QString &hint);
    QLabel *addResult(QLabel *&caption, const QString &text, int row);

    SharedLoanValues &m_shared;
    // Stored by the last input step; zero before the first one.
    double LoanAmt = 0;
    double IntRate = 0;
    double MoPmt = 0;
    double Term = 0;
    double ExCost = 0;
    double AmtFinanced = 0;
    double APR = 0;
};
