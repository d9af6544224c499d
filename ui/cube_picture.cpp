// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/cube_picture.h"

#include <QPainter>
#include <QPen>

namespace trezolin {

namespace {

QColor Fixed(const design::Colour& colour)
{
    return {colour.red, colour.green, colour.blue};
}

} // namespace

void DrawCube(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), kCubeDrawingSize), Fixed(design::kDrawingPaper));

    // Square caps so that every solid edge covers both of its corner pixels;
    // dashes end flat, so that they keep their length.
    const QPen solid(Fixed(design::kDrawingInk), 1, Qt::SolidLine, Qt::SquareCap);
    QPen dashed(Fixed(design::kDrawingInk), 1, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({design::kDashLength, design::kDashGap});
    for (const design::Edge& edge : design::kEdges) {
        painter.setPen(edge.dashed ? dashed : solid);
        painter.drawLine(CubeCorner(edge.from), CubeCorner(edge.to));
    }
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
