#include "scoringstyle.h"

#include <QFont>
#include <QFontDatabase>
#include <QGraphicsDropShadowEffect>
#include <QLabel>

QFont scoringWindowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    // The layout is measured for that narrow face; Arial's metrics come closest.
    if (!QFontDatabase::hasFamily(font.family()))
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    return font;
}

void styleAsBanner(QLabel *label)
{
    QFont font(QStringLiteral("Comic Sans MS"), 16, QFont::Bold);
    // Where the face is missing, prefer a plain sans over the script face a
    // generic fallback may pick.
    if (!QFontDatabase::hasFamily(font.family()))
        font.setFamilies({QStringLiteral("Comic Neue"), QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")});
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x80));
    label->setPalette(palette);

    auto *shadow = new QGraphicsDropShadowEffect(label);
    shadow->setBlurRadius(0);
    shadow->setOffset(3, 3);
    shadow->setColor(QColor(0x80, 0x80, 0x80));
    label->setGraphicsEffect(shadow);
}
