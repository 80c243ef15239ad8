#pragma once

#include "ui/tooldialog.h"

struct SharedLoanValues;
class TData;

// Placeholder until the scoring window is built.
class TfrmShould_I : public ToolDialog
{
    Q_OBJECT
public:
    TfrmShould_I(SharedLoanValues &shared, Messages &messages, TData &data, QWidget *parent = nullptr)
        : ToolDialog(messages, QStringLiteral("This loan vs. my preferences"), QSize(473, 489), parent)
    {
        Q_UNUSED(shared);
        Q_UNUSED(data);
    }
};
