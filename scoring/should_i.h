#pragma once

#include "ui/tooldialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TDBTrackBar;
class TData;
struct SharedLoanValues;

// "Should we make this loan?": scores a proposed loan against the lender's
// averages and weights in ZIVORODI.DBF, which it creates and seeds on first
// use and keeps open while it is open.
class TfrmShould_I : public ToolDialog
{
    Q_OBJECT
public:
    TfrmShould_I(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent = nullptr);

protected:
    void FormClose() override;

private:
    void buildControls();
    void FormCreate();
    void seedNewFile();
    void CalcBtnClick();
    void BitBtnPrefsClick();
    void fillEmptyBoxes();
    bool validate();

    SharedLoanValues &m_shared;
    TData &m_data;

    double m_amount = 0;
    double m_rate = 0;
    double m_term = 0;
    double m_fees = 0;

    QLabel *fcLabelLS = nullptr;
    QLabel *fcLabelScore = nullptr;
    QLineEdit *edtLoanAmt = nullptr;
    QLineEdit *edtRate = nullptr;
    QLineEdit *edtTerm = nullptr;
    QComboBox *cbxQuality = nullptr;
    QLineEdit *edtCreditScore = nullptr;
    QLineEdit *edtLTV = nullptr;
    QLineEdit *edtDTI = nullptr;
    QLineEdit *edtFees = nullptr;
    QComboBox *cbxFeeling = nullptr;
    QComboBox *cbxHowbad = nullptr;
    QPushButton *CalcBtn = nullptr;
    QPushButton *BitBtnPrefs = nullptr;
    TDBTrackBar *fcTrackBarResults = nullptr;
};
