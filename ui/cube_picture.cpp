#include "ui/cube_picture.h"

#include <QPainter>
#include <QPen>

namespace trezolin {

namespace {

constexpr auto A = kCubeDrawingCorners[0];
constexpr auto B = kCubeDrawingCorners[1];
constexpr auto C = kCubeDrawingCorners[2];
constexpr auto D = kCubeDrawingCorners[3];
constexpr auto E = kCubeDrawingCorners[4];
constexpr auto F = kCubeDrawingCorners[5];
constexpr auto G = kCubeDrawingCorners[6];
constexpr auto H = kCubeDrawingCorners[7];

} // namespace

void DrawCube(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), kCubeDrawingSize), Qt::white);

    // Square caps so that every edge covers both of its corner pixels.
    QPen solid(Qt::black, 1, Qt::SolidLine, Qt::SquareCap);
    painter.setPen(solid);
    const QLine visibleEdges[] = {
        {A, B}, {B, F}, {F, E}, {E, A},  // front face
        {H, G}, {G, C},                  // back face, top and right
        {E, H}, {F, G}, {B, C},          // depth
    };
    painter.drawLines(visibleEdges, static_cast<int>(std::size(visibleEdges)));

    // The three edges at the hidden corner D are dashed, 12 on, 4 off.
    QPen dashed = solid;
    dashed.setCapStyle(Qt::FlatCap);
    dashed.setDashPattern({12, 4});
    painter.setPen(dashed);
    const QLine hiddenEdges[] = {{D, H}, {D, C}, {D, A}};
    painter.drawLines(hiddenEdges, static_cast<int>(std::size(hiddenEdges)));
    painter.restore();
}

CubePicture::CubePicture(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
}

void CubePicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    const qreal ratio = devicePixelRatioF();
    if (drawing_.isNull() || drawing_.devicePixelRatio() != ratio) {
        drawing_ = QPixmap(kCubeDrawingSize * ratio);
        drawing_.setDevicePixelRatio(ratio);
        QPainter cache(&drawing_);
        DrawCube(cache);
    }
    painter.drawPixmap(0, 0, drawing_);

    // A dotted outline inside the frame while the picture has the focus:
    // the style's own focus frame shows only after keyboard use.
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(QRect(QPoint(1, 1), inner.size() - QSize(3, 3)));
    }
}

} // namespace trezolin
