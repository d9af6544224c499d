#include "ui/app_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace trezolin {

namespace {

// Drawn on a 32 x 32 grid; the painter scales it to the size asked for.
void DrawHamburger(QPainter& p)
{
    const QColor bun(214, 137, 52);
    const QColor bunShade(160, 92, 28);
    const QColor outline(96, 56, 20);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Lower bun.
    QPainterPath lower;
    lower.moveTo(4, 23);
    lower.lineTo(28, 23);
    lower.cubicTo(28, 28, 25, 29, 16, 29);
    lower.cubicTo(7, 29, 4, 28, 4, 23);
    p.setPen(QPen(outline, 0.8));
    p.setBrush(bun);
    p.drawPath(lower);

    // Patty.
    p.setPen(QPen(QColor(40, 36, 34), 0.6));
    p.setBrush(QColor(78, 70, 66));
    p.drawRoundedRect(QRectF(3.5, 19.5, 25, 4), 2, 2);

    // Tomato slice, sticking out on the right.
    p.setPen(QPen(QColor(140, 20, 16), 0.5));
    p.setBrush(QColor(222, 44, 32));
    p.drawRoundedRect(QRectF(19, 17.8, 11.5, 2.6), 1.3, 1.3);

    // Cheese with a corner hanging down.
    QPainterPath cheese;
    cheese.moveTo(4, 17.2);
    cheese.lineTo(26, 17.2);
    cheese.lineTo(22, 21.5);
    cheese.lineTo(18, 19);
    cheese.lineTo(4, 19);
    cheese.closeSubpath();
    p.setPen(QPen(QColor(190, 140, 0), 0.5));
    p.setBrush(QColor(252, 206, 36));
    p.drawPath(cheese);

    // Lettuce, wavy, showing at both edges.
    QPainterPath lettuce;
    lettuce.moveTo(2, 16);
    for (int i = 0; i < 7; ++i) {
        const qreal x = 2 + i * 4;
        lettuce.quadTo(x + 1, 19, x + 2, 17);
        lettuce.quadTo(x + 3, 19.2, x + 4, 16.5);
    }
    lettuce.lineTo(30, 15);
    lettuce.lineTo(2, 15);
    lettuce.closeSubpath();
    p.setPen(QPen(QColor(30, 110, 20), 0.5));
    p.setBrush(QColor(84, 180, 48));
    p.drawPath(lettuce);

    // Domed top bun.
    QPainterPath top;
    top.moveTo(3, 16);
    top.cubicTo(3, 6, 9, 3, 16, 3);
    top.cubicTo(23, 3, 29, 6, 29, 16);
    top.closeSubpath();
    QLinearGradient shade(0, 3, 0, 16);
    shade.setColorAt(0, bun.lighter(115));
    shade.setColorAt(1, bunShade);
    p.setPen(QPen(outline, 0.8));
    p.setBrush(shade);
    p.drawPath(top);

    // Sesame seeds.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 240, 204));
    const QPointF seeds[] = {{10, 8}, {15, 6}, {20, 7.5}, {24, 10.5}, {13, 11}, {18, 11.5}, {8, 12.5}};
    for (const QPointF& s : seeds)
        p.drawEllipse(s, 1.1, 0.7);
}

} // namespace

QImage HamburgerImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(side / 32.0, side / 32.0);
    DrawHamburger(painter);
    return image;
}

namespace {

// Paints the icon at whatever size is asked for, when it is asked for, so
// that start-up draws only the sizes the desktop actually shows.
class HamburgerIconEngine final : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        painter->drawImage(QRect(rect.topLeft(), QSize(side, side)), HamburgerImage(side));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // The size comes in device pixels already; the scale only labels the result.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        const int side = std::min(size.width(), size.height());
        QPixmap pixmap = QPixmap::fromImage(HamburgerImage(std::max(side, 1)));
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : kIconSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new HamburgerIconEngine; }
};

} // namespace

QIcon AppIcon()
{
    return QIcon(new HamburgerIconEngine);
}

} // namespace trezolin
