#include "mainform.h"
#include "startup.h"

#include "ui/messages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    prepareApplication();

    MessageBoxes messages;
    TMainForm MainForm(messages);
    MainForm.show();
    return application.exec();
}
