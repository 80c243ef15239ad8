#include "scoringstyle.h"

#include <QFont>
#include <QFontDatabase>
#include <QGraphicsDropShadowEffect>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>

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

QIcon preferencesGlyph()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const int knobs[] = {12, 5, 9};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 4.5 + i * 5.5;
        painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.6));
        painter.drawLine(QPointF(2, y), QPointF(18, y));
        painter.setPen(QPen(QColor(0x00, 0x50, 0x50), 1.2));
        painter.setBrush(QColor(0x00, 0x80, 0x80));
        painter.drawRect(QRectF(knobs[i] - 1.5, y - 2.5, 4, 5));
    }
    painter.end();
    return QIcon(pixmap);
}

namespace {

class WeightBarStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_SliderLength)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

QStyle *weightBarStyle(QObject *owner)
{
    auto *style = new WeightBarStyle;
    style->setParent(owner);
    return style;
}
