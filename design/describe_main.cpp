// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the window's description as JSON to standard output.

#include "design/description_json.h"

#include <iostream>

int main()
{
    std::cout << trezolin::design::DescriptionJson() << '\n';
    return std::cout.good() ? 0 : 1;
}
