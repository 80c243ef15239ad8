#pragma once

#include "ui/tooldialog.h"

class QPushButton;
class QSlider;
class TDBEdit;
class TData;

// "Preference Settings": the lender's averages, edited in the open record
// of ZIVORODI.DBF, and the ten weights, written with them in one post on
// every way of closing.
class TfrmPref : public ToolDialog
{
    Q_OBJECT
public:
    TfrmPref(Messages &messages, TData &data, QWidget *parent = nullptr);

protected:
    void FormClose() override;

private:
    void buildControls();
    void FormCreate();

    TData &m_data;

    TDBEdit *DBEditAMT = nullptr;
    QSlider *tbAMT = nullptr;
    TDBEdit *DBEditRATE = nullptr;
    QSlider *tbRate = nullptr;
    QSlider *tbCOL = nullptr;
    TDBEdit *DBEditTERM = nullptr;
    QSlider *tbTerm = nullptr;
    TDBEdit *SCORE = nullptr;
    QSlider *tbSCORE = nullptr;
    TDBEdit *LTV = nullptr;
    QSlider *tbLTV = nullptr;
    TDBEdit *DTI = nullptr;
    QSlider *tbDTI = nullptr;
    TDBEdit *DBEditFEE = nullptr;
    QSlider *tbFee = nullptr;
    QSlider *tbGUT = nullptr;
    QSlider *tbHB = nullptr;
    QPushButton *Button1 = nullptr;
};
