// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/app_icon.h"

#include "design/product.h"

namespace trezolin {

QIcon AppIcon()
{
    QIcon icon;
    for (int side : design::kIconSizes)
        icon.addFile(QStringLiteral(":/icons/trezolin-%1.png").arg(side), QSize(side, side));
    return icon;
}

} // namespace trezolin
