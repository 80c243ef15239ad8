#include "glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon checkMarkGlyph()
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath tick;
    tick.moveTo(3.5, 10.5);
    tick.lineTo(8.0, 15.5);
    tick.lineTo(16.5, 4.0);
    // A darker rim under the stroke keeps the mark readable on light faces.
    painter.setPen(QPen(QColor(0xa8, 0x4a, 0x00), 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.setPen(QPen(QColor(0xff, 0x8c, 0x00), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(tick);
    painter.end();
    return QIcon(pixmap);
}
