#pragma once

#include <QDialog>

#include <memory>

// Opens a tool window the one way every tool is opened: a fresh instance
// over the main window, shown modally, released when the showing returns.
template<typename Window, typename... Args>
void openModal(QWidget *owner, Args &&...args)
{
    auto *window = new Window(std::forward<Args>(args)..., owner);
    window->exec();
    window->deleteLater();
}
