#include "reportpainter.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

using namespace ReportMetrics;

namespace {

// Millimetres on the page to the device's units.
class DeviceScale
{
public:
    explicit DeviceScale(const QPagedPaintDevice &device)
        : m_x(device.logicalDpiX() / 25.4)
        , m_y(device.logicalDpiY() / 25.4)
    {
    }

    QRectF rect(double x, double y, double width, double height) const
    {
        return QRectF(x * m_x, y * m_y, width * m_x, height * m_y);
    }
    QPointF point(double x, double y) const { return QPointF(x * m_x, y * m_y); }
    qreal pen(double width) const { return width * m_x; }

private:
    double m_x;
    double m_y;
};

void paintPage(const ReportPage &page, QPainter &painter, const DeviceScale &scale)
{
    QFont font(QStringLiteral("Arial"), 10);
    for (const TextItem &item : page.texts) {
        font.setBold(item.bold);
        painter.setFont(font);
        const int align = (item.align == TextAlign::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
        painter.drawText(scale.rect(item.x, item.y, item.width, kTextHeight), align | Qt::TextDontClip,
                         QString::fromStdString(item.text));
    }
    painter.setBrush(Qt::NoBrush);
    for (const LineItem &line : page.lines) {
        painter.setPen(QPen(Qt::black, scale.pen(line.penWidth)));
        painter.drawLine(scale.point(line.x, line.y), scale.point(line.x + line.length, line.y));
    }
    for (const RectItem &rect : page.rects) {
        painter.setPen(QPen(Qt::black, scale.pen(rect.penWidth)));
        painter.drawRect(scale.rect(rect.x, rect.y, rect.width, rect.height));
    }
}

}  // namespace

void setReportPageLayout(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(kMargin, kMargin, kMargin, kMargin), QPageLayout::Millimeter));
}

bool paintReport(const std::vector<ReportPage> &pages, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const DeviceScale scale(device);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(pages[i], painter, scale);
    }
    return painter.end();
}
