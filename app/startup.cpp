#include "startup.h"

#include "calcutils/numbertext.h"

#include <QApplication>
#include <QFont>
#include <QLocale>

namespace {

// A regional separator the number rules can use: one ASCII character.
char asciiSeparator(const QString &separator, char fallback)
{
    if (separator.size() == 1 && separator[0].unicode() < 0x80)
        return separator[0].toLatin1();
    return fallback;
}

void takeRegionalSeparators()
{
    const QLocale locale = QLocale::system();
    NumberSeparators &separators = numberSeparators();
    separators.decimal = asciiSeparator(locale.decimalPoint(), '.');
    separators.thousands = asciiSeparator(locale.groupSeparator(), separators.decimal == ',' ? '.' : ',');
    if (separators.thousands == separators.decimal)
        separators.thousands = separators.decimal == ',' ? '.' : ',';
}

}  // namespace

void prepareApplication()
{
    QApplication::setApplicationDisplayName(QStringLiteral("Quillmont Calculator"));
    QFont dialogFont = QApplication::font();
    dialogFont.setPointSize(8);
    QApplication::setFont(dialogFont);
    takeRegionalSeparators();
}
