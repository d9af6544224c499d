// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The languages Trezolin speaks and how one is chosen. Bulgarian is the
// program's own language: its texts are the description's, and it is the
// language wherever no other is asked for or known. Every other language is
// a catalogue in po/, which the build makes into a table; a text with no
// translation there stays Bulgarian.
//
// Every shell chooses the same way: an explicit choice (--lang, ?lang=, the
// chooser), else the first of the user's own languages that has a catalogue,
// else Bulgarian.

#include "design/window_design.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trezolin::design {

// A language by its place in Languages(): 0 is Bulgarian.
using LanguageId = int;
inline constexpr LanguageId kBulgarian = 0;

struct Language {
    std::string_view code;  // "bg", "en", "uk", "tr": a tag's language subtag
    std::string_view name;  // named in itself: "Български", "English", "Українська", "Türkçe"
};

// Bulgarian first, then the catalogues in the order of po/LINGUAS.
[[nodiscard]] std::span<const Language> Languages() noexcept;

// The language a tag names, from a browser ("uk-UA"), a locale ("uk_UA.UTF-8",
// "tr_TR@euro") or a user ("UK"): the catalogue of the whole tag if there is
// one, else of its language subtag. None for an unknown language and for
// "C" and "POSIX", which name none.
[[nodiscard]] std::optional<LanguageId> FindLanguage(std::string_view tag) noexcept;

// The first of the user's languages, most preferred first, that Trezolin
// speaks; Bulgarian if none is.
[[nodiscard]] LanguageId PreferredLanguage(std::span<const std::string> tags) noexcept;

// The user's languages on a POSIX system, most preferred first, from its
// locale variables as gettext reads them: the locale is LC_ALL, else
// LC_MESSAGES, else LANG; LANGUAGE, a list separated by colons, comes before
// it, but only where the locale names a language. A "C" or "POSIX" locale,
// or none, gives no languages at all.
[[nodiscard]] std::vector<std::string> LocaleLanguages(std::string_view language, std::string_view lcAll,
                                                       std::string_view lcMessages, std::string_view lang);

// The Bulgarian text in the language: its translation, or the text itself.
[[nodiscard]] std::string_view Translate(LanguageId language, std::string_view bulgarian) noexcept;

// The description's controls with their texts in the language: captions,
// tooltips, names and descriptions for screen readers. Indexed as kControls.
[[nodiscard]] const std::array<Control, std::tuple_size_v<decltype(kControls)>>& ControlsIn(LanguageId language);

// The help text in the language: the same 29 lines, each ending in CR LF.
[[nodiscard]] const std::string& HelpText(LanguageId language);

} // namespace trezolin::design
