#pragma once

#include "ui/tooldialog.h"

struct SharedLoanValues;
class TData;

// Placeholder until the schedule window is built.
class TfrmAmortBuiltIn : public ToolDialog
{
    Q_OBJECT
public:
    TfrmAmortBuiltIn(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent = nullptr)
        : ToolDialog(messages, QStringLiteral("Amortization Schedule"), QSize(300, 230), parent)
    {
        Q_UNUSED(shared);
        Q_UNUSED(data);
    }
};
