// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A command button painted in its own face colour, with a raised bevel that
// sinks while it is pressed. Widget styles tint or restyle a palette's button
// colour; this paints the colour exactly as given.

#include <QColor>
#include <QPushButton>

namespace trezolin {

class FaceButton : public QPushButton {
    Q_OBJECT

public:
    FaceButton(const QString& caption, const QColor& face, QWidget* parent = nullptr);

    QColor face() const { return face_; }
    // The room the caption always has, whatever the button's state: inside
    // the focus outline, the bevel and the focus frame, and a pixel more for
    // the caption's shift while the button is down.
    QRect CaptionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
};

} // namespace trezolin
