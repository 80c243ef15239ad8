#include "webpage.h"

#include "ui/messages.h"

#include <QDesktopServices>
#include <QUrl>

QString webPageCaption()
{
    return QStringLiteral("www.example.com/quillmont");
}

void openWebPage(Messages &messages)
{
    if (!QDesktopServices::openUrl(QUrl(QStringLiteral("https://www.example.com/quillmont/"))))
        messages.showMessage(QStringLiteral("Error Opening Web Site "));
}
