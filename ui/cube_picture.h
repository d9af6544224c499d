// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A picture box holding the line drawing of the cube: a sunken frame with the
// drawing at its natural size in the top-left corner of the inner area,
// clipped to it. The drawing is painted at run time so that it stays sharp at
// any screen scale.

#include "design/cube_drawing.h"

#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QSize>

class QPainter;

namespace trezolin {

// The size of the drawing in logical pixels.
inline constexpr QSize kCubeDrawingSize{design::kDrawingWidth, design::kDrawingHeight};

// Where vertex i (0 to 7) sits in the drawing.
[[nodiscard]] constexpr QPoint CubeCorner(int i)
{
    return {design::kCorners[i].x, design::kCorners[i].y};
}

// Paints the drawing with its top-left corner at the painter's origin.
void DrawCube(QPainter& painter);

class CubePicture : public QFrame {
    Q_OBJECT

public:
    explicit CubePicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The drawing rendered once at the screen's pixel density: the vertex
    // boxes in front of it repaint at every change, and so does this.
    QPixmap drawing_;
};

} // namespace trezolin
