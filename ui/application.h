// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace trezolin {

// The application-wide settings shared by the program and its tests: name,
// icon and one widget style everywhere, so the buttons' face colours show as
// designed on every desktop.
void SetUpApplication();

} // namespace trezolin
