// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's icon: the hamburger of design/trezolin.svg, made into PNGs at
// every size a desktop asks for when the program is built, and carried in the
// program file.

#include <QIcon>

namespace trezolin {

// Carries every size of the description (design/product.h).
[[nodiscard]] QIcon AppIcon();

} // namespace trezolin
