// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The description's and the lesson's texts are UTF-8; Qt's are UTF-16.

#include <QString>

#include <string_view>

namespace trezolin {

[[nodiscard]] inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace trezolin
