// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Identifiers of the program's resources, shared by trezolin.rc and the code.

#define IDI_TREZOLIN 1

// The Start menu entry's description, one string per language from here on, in the order of the
// languages (Bulgarian first): the installer's entries name them (windows/start_menu_strings.py,
// make_msi.py). The build reads this number from here.
#define IDS_START_MENU_DESCRIPTION 100
