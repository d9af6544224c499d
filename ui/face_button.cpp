// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/face_button.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace trezolin {

FaceButton::FaceButton(const QString& caption, const QColor& face, QWidget* parent)
    : QPushButton(caption, parent), face_(face)
{
}

namespace {

// The bevel's width inside the face.
constexpr int kBevel = 2;

} // namespace

QRect FaceButton::CaptionRect() const
{
    // The outline, the bevel, the focus frame's line, the shift when down.
    constexpr int margin = 1 + kBevel + 1 + 1;
    return rect().adjusted(margin, margin, -margin, -margin);
}

void FaceButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect face = rect();
    if (hasFocus()) {
        // A dark outline shows which button Space and Enter will press.
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        face.adjust(1, 1, -1, -1);
    }
    const QBrush fill(face_);
    qDrawWinButton(&painter, face, palette(), isDown(), &fill);

    QRect caption = face.adjusted(kBevel, kBevel, -kBevel, -kBevel);
    if (isDown())
        caption.translate(1, 1);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(caption, Qt::AlignCenter, text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = caption.adjusted(1, 1, -1, -1);
        option.backgroundColor = face_;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace trezolin
