#pragma once

#include <QDialog>

#include <functional>

class Messages;

// A tool window: fixed size, close box only, its close handler run on every
// way of closing. A close handler that fails keeps the window open.
class ToolDialog : public QDialog
{
    Q_OBJECT
public:
    ToolDialog(Messages &messages, const QString &caption, QSize clientSize, QWidget *parent);

    void done(int result) override;

protected:
    // Runs when the window is about to close; throwing keeps it open.
    virtual void FormClose() {}
    // Runs a handler guarded: failures go to the general error report.
    bool guarded(const std::function<void()> &handler);
    Messages &messages() const { return m_messages; }

private:
    Messages &m_messages;
};
