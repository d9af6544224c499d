// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Identifiers of the program's resources, shared by trezolin.rc and the code.

#define IDI_TREZOLIN 1
