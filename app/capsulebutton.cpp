#include "capsulebutton.h"

#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>

CapsuleButton::CapsuleButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
    QFont bold = font();
    bold.setPointSize(10);
    bold.setBold(true);
    setFont(bold);
}

void CapsuleButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect face = isDown() ? rect().adjusted(1, 1, 1, 1) : rect();
    painter.drawPixmap(face, capsulePicture());
    if (isDown()) {
        QPainterPath pill;
        pill.addRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
        painter.fillPath(pill, QColor(0, 0, 0, 45));
    }
    if (hasFocus()) {
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        const QRectF ring = QRectF(face).adjusted(5.5, 4.5, -5.5, -4.5);
        painter.drawRoundedRect(ring, ring.height() / 2, ring.height() / 2);
    }
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.setPen(QColor(0x26, 0x2c, 0x05));
    painter.drawText(face.translated(1, 1), flags, text());
    painter.setPen(Qt::white);
    painter.drawText(face, flags, text());
}

void CapsuleButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    QPainterPath pill;
    pill.addRoundedRect(QRectF(rect()), height() / 2.0, height() / 2.0);
    setMask(QRegion(pill.toFillPolygon().toPolygon()));
}
