#include "tooldialog.h"

#include "guard.h"

ToolDialog::ToolDialog(Messages &messages, const QString &caption, QSize clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_messages(messages)
{
    setWindowTitle(caption);
    setFixedSize(clientSize);
}

void ToolDialog::done(int result)
{
    if (!guarded([this] { FormClose(); }))
        return;
    QDialog::done(result);
}

bool ToolDialog::guarded(const std::function<void()> &handler)
{
    return runGuarded(m_messages, handler);
}
