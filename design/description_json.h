// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's description as one JSON document: the window, its controls
// (with their places in twips and in pixels, designed and in the compact
// column), the cube drawing and the messages. The page reads it at start-up; the end-to-end drivers and the
// screenshot script read it to find the controls they click.

#include <string>

namespace trezolin::design {

[[nodiscard]] std::string DescriptionJson();

} // namespace trezolin::design
