// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The program's icon: the hamburger of design/trezolin.svg, made into PNGs at
// every size a desktop asks for when the program is built, and carried in the
// program file.

#include <QIcon>

namespace trezolin {

// The sizes the program carries.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

[[nodiscard]] QIcon AppIcon();

} // namespace trezolin
