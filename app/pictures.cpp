#include "pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

QPixmap drawBanner()
{
    QPixmap pixmap(300, 100);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 0, 100);
    band.setColorAt(0.0, QColor(0x1d, 0x3b, 0x5c));
    band.setColorAt(0.5, QColor(0x2f, 0x5f, 0x8a));
    band.setColorAt(1.0, QColor(0x1d, 0x3b, 0x5c));
    painter.fillRect(pixmap.rect(), band);
    painter.setPen(QPen(QColor(0xc9, 0xa2, 0x3a), 2));
    painter.drawLine(24, 74, 276, 74);

    QFont name(QStringLiteral("DejaVu Serif"));
    name.setPixelSize(30);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(QColor(0, 0, 0, 110));
    painter.drawText(QRect(2, 24, 300, 36), Qt::AlignCenter, QStringLiteral("Quillmont"));
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 22, 300, 36), Qt::AlignCenter, QStringLiteral("Quillmont"));

    QFont subtitle(QStringLiteral("DejaVu Sans"));
    subtitle.setPixelSize(12);
    subtitle.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xe8, 0xd9, 0xa8));
    painter.drawText(QRect(0, 57, 300, 16), Qt::AlignCenter, QStringLiteral("LOAN CALCULATOR"));
    return pixmap;
}

QPixmap drawCapsule()
{
    QPixmap pixmap(300, 82);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(1, 1, 298, 80);
    QPainterPath pill;
    pill.addRoundedRect(outline, 40, 40);

    QLinearGradient body(0, 0, 0, 82);
    body.setColorAt(0.0, QColor(0xb4, 0xbd, 0x5a));
    body.setColorAt(0.45, QColor(0x7d, 0x8a, 0x24));
    body.setColorAt(1.0, QColor(0x4c, 0x57, 0x0e));
    painter.fillPath(pill, body);
    painter.setPen(QPen(QColor(0x3a, 0x42, 0x0a), 2));
    painter.drawPath(pill);

    // The gloss: a pale band over the upper half, fading downwards.
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(18, 5, 264, 34), 17, 17);
    QLinearGradient shine(0, 5, 0, 39);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 10));
    painter.fillPath(gloss, shine);
    return pixmap;
}

QPixmap drawInformationSign()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(9, 8, 15);
    disc.setColorAt(0.0, QColor(0x6f, 0xa8, 0xf0));
    disc.setColorAt(1.0, QColor(0x12, 0x4b, 0xb0));
    painter.setBrush(disc);
    painter.setPen(QPen(QColor(0x0b, 0x33, 0x80), 1));
    painter.drawEllipse(QRectF(1, 1, 22, 22));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(10.5, 4.5, 3, 3));
    painter.drawRoundedRect(QRectF(10.5, 9, 3, 10.5), 1, 1);
    return pixmap;
}

}  // namespace

QPixmap bannerPicture()
{
    static const QPixmap picture = drawBanner();
    return picture;
}

QPixmap capsulePicture()
{
    static const QPixmap picture = drawCapsule();
    return picture;
}

QPixmap informationSign()
{
    static const QPixmap picture = drawInformationSign();
    return picture;
}
