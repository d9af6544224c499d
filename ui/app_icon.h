#pragma once

// The program's icon: a hamburger seen slightly from the side, drawn at run
// time at every size a desktop asks for.

#include <QIcon>
#include <QImage>

namespace trezolin {

// The icon drawn on a transparent square of the given side in pixels.
[[nodiscard]] QImage HamburgerImage(int side);

// The sizes a desktop usually asks for; the icon is drawn sharp at any size.
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon, drawn when and at the size it is shown.
[[nodiscard]] QIcon AppIcon();

} // namespace trezolin
