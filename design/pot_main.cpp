// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the translators' template (po/trezolin.pot) to standard output.

#include "design/catalogue.h"

#include <iostream>

int main()
{
    std::cout << trezolin::design::PotFile(trezolin::design::CatalogueEntries());
    return std::cout.good() ? 0 : 1;
}
