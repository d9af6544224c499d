// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader says unasked: a start's sentence, a check's new line.
// Qt 6.4 has no announcement of its own, and Orca reads a text change only in
// the focused control, so the window says it through an object of its own:
// empty and drawn nowhere, exposed as a notification (AT-SPI's
// ROLE_NOTIFICATION) named by the text, and shown afresh for each text. Orca
// speaks a notification when it appears, wherever the focus is.

#include <QWidget>

namespace trezolin {

class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    // Says the text; nothing when it is empty or no screen reader listens.
    void Say(const QString& text);
};

} // namespace trezolin
