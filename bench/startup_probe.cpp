// Starts the program's main window the way main.cpp does, says "shown" on
// standard output once the window system has exposed it, and quits.
#include "app/mainform.h"
#include "app/startup.h"
#include "ui/messages.h"

#include <QApplication>
#include <QTest>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    prepareApplication();

    MessageBoxes messages;
    TMainForm MainForm(messages);
    MainForm.show();
    if (!QTest::qWaitForWindowExposed(&MainForm))
        return 1;
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return 0;
}
