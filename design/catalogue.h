// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every text a pupil or a teacher sees or hears, once each, with where it
// stands: what the translators' template (po/trezolin.pot) is written from.
// The program's name, the vertex letters and the method names Round, Int and
// Fix are the same in every language and are not in it.

#include <string>
#include <string_view>
#include <vector>

namespace trezolin::design {

struct CatalogueEntry {
    std::string context;  // where the text stands, e.g. "Command1(0) caption"; unique
    std::string_view text;  // the Bulgarian text, as the program shows it
    std::string note;       // for the translator: room, placeholders, other places; may be empty
    bool placeholder = false;  // the text holds "{}", which every translation keeps
};

// The texts in the order a reader meets them: the window's controls, the help
// text line by line, the messages, the log line's header.
[[nodiscard]] std::vector<CatalogueEntry> CatalogueEntries();

// The entries as a gettext template (.pot), UTF-8, with no date in it so that
// two builds give the same bytes.
[[nodiscard]] std::string PotFile(const std::vector<CatalogueEntry>& entries);

} // namespace trezolin::design
