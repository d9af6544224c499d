#pragma once

// The program's icon: a hamburger seen slightly from the side, drawn at run
// time at every size a desktop asks for.

#include <QIcon>
#include <QImage>

namespace trezolin {

// The icon drawn on a transparent square of the given side in pixels.
[[nodiscard]] QImage HamburgerImage(int side);

// The icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
[[nodiscard]] QIcon AppIcon();

} // namespace trezolin
