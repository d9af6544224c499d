// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The translations the build takes from the catalogues in po/ (made by
// po/catalogue_table.py): read through languages.h, not directly.

#include <span>
#include <string_view>

namespace trezolin::design {

struct Translation {
    std::string_view source;  // the Bulgarian text
    std::string_view text;    // the same in the catalogue's language
};

struct CatalogueTable {
    std::string_view code;                     // as in po/LINGUAS: "en", "uk"
    std::span<const Translation> translations;  // sorted by source, byte by byte
};

// In the order of po/LINGUAS.
[[nodiscard]] std::span<const CatalogueTable> CatalogueTables() noexcept;

} // namespace trezolin::design
