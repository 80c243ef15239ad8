#pragma once

#include "ui/tooldialog.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
struct SharedLoanValues;
class TData;

// The amortization schedule window: checks a loan, writes its schedule into
// TEMPAMORT.DBF and previews the schedule report.
class TfrmAmortBuiltIn : public ToolDialog
{
    Q_OBJECT
public:
    TfrmAmortBuiltIn(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent = nullptr);

    QLineEdit *edtLoanAmt;
    QLineEdit *edtRate;
    QLineEdit *edtTerm;
    QLineEdit *edtPmt;
    QLineEdit *edtMo2Prn;
    QDateEdit *edt1stPmt;
    QPushButton *BitBtnOK;

    void BitBtnOKClick();

protected:
    void FormClose() override;

private:
    struct Entries;

    void FormCreate();
    // False after the messages of a rejected entry have been shown.
    bool readEntries(Entries &entries, bool &closeAfterClick);
    // Creates TEMPAMORT.DBF afresh; false after telling the user it could not.
    bool CreateTempTable();

    SharedLoanValues &m_shared;
    TData &m_data;
};
