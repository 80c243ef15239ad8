#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The two ways the program speaks to the user. The application passes the
// message-box version; tests pass a recorder.
class Messages
{
public:
    virtual ~Messages() = default;
    // Simple message box: the text, the application title, one OK button.
    virtual void showMessage(const QString &text) = 0;
    // General error report: error icon, text as given.
    virtual void showError(const QString &text) = 0;
};

class MessageBoxes : public Messages
{
public:
    void showMessage(const QString &text) override;
    void showError(const QString &text) override;
};

// Keeps what would have been shown, in order, for tests.
class RecordedMessages : public Messages
{
public:
    void showMessage(const QString &text) override
    {
        messages << text;
        all << text;
    }
    void showError(const QString &text) override
    {
        errors << text;
        all << text;
    }
    void clear()
    {
        messages.clear();
        errors.clear();
        all.clear();
    }

    QStringList messages;
    QStringList errors;
    QStringList all;
};
