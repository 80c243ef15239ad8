#pragma once

#include "ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

#include <functional>

// Opens Window the way the main menu does, runs body on it once its modal
// loop runs, then closes it, forcing the close where the window's close
// handler keeps it open. Fails the test when the window never came up.
template<typename Window, typename... Args>
void withModalWindow(const std::function<void(Window &)> &body, Args &...args)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        if (!window)
            return;
        QVERIFY(QTest::qWaitForWindowActive(window));
        body(*window);
        ran = true;
        window->close();
        if (window->isVisible())
            window->QDialog::done(QDialog::Rejected);
    });
    openModal<Window>(nullptr, args...);
    QVERIFY(ran);
}
