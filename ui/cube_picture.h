#pragma once

// A picture box holding the line drawing of the cube: a sunken frame with the
// drawing at its natural size in the top-left corner of the inner area,
// clipped to it. The drawing is painted at run time so that it stays sharp at
// any screen scale.

#include <QFrame>
#include <QPixmap>
#include <QPoint>
#include <QSize>

#include <array>

class QPainter;

namespace trezolin {

// The size of the drawing in logical pixels.
inline constexpr QSize kCubeDrawingSize{261, 256};

// Where vertex A (0) to H (7) sits in the drawing. D is the hidden corner.
inline constexpr std::array<QPoint, 8> kCubeDrawingCorners = {
    QPoint(16, 245), QPoint(176, 245), QPoint(249, 174), QPoint(89, 174),
    QPoint(16, 85),  QPoint(176, 85),  QPoint(249, 14),  QPoint(89, 14),
};

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
