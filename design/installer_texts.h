// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The texts that the Windows program's files and its installer carry: its
// version information (the resource script includes this header, so the
// texts are macros there) and the installer's texts (make_msi.py reads them
// from the description's JSON, key "installer").

// The version information's copyright line.
#define TREZOLIN_LEGAL_COPYRIGHT "© 2026 The Trezolin developers. Свободен софтуер под лиценз GPL-3.0-or-later."

#ifndef RC_INVOKED

#include <string_view>

namespace trezolin::design {

inline constexpr std::string_view kLegalCopyright = TREZOLIN_LEGAL_COPYRIGHT;

// What the installed programs list and the Start menu entry say of the program.
inline constexpr std::string_view kInstallerComment = "Закръгляване до цяло число във върховете на куб";

// Why an older installer stops where a newer version is installed.
inline constexpr std::string_view kDowngradeMessage = "Вече е инсталирана по-нова версия на Trezolin.";

} // namespace trezolin::design

#endif
