#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Runs action on the modal window of type W once it is the active modal
// widget, checking every 10 ms; gives up after about five seconds, so a test
// that waits for a window that never comes fails instead of hanging.
template<typename W, typename Action>
void whenModal(Action action, int attempts = 500)
{
    QTimer::singleShot(10, [action, attempts] {
        if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget()))
            action(window);
        else if (attempts > 0)
            whenModal<W>(action, attempts - 1);
    });
}
