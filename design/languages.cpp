// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/languages.h"

#include "design/catalogue_table.h"
#include "design/help_text.h"

#include <algorithm>
#include <cctype>

namespace trezolin::design {

namespace {

// Bulgarian's own name, which each catalogue translates as its language's
// name in itself.
constexpr std::string_view kBulgarianName = "Български";

std::vector<Language> MakeLanguages()
{
    std::vector<Language> languages = {{"bg", kBulgarianName}};
    for (const CatalogueTable& table : CatalogueTables())
        languages.push_back({table.code, kBulgarianName});
    for (std::size_t i = 1; i < languages.size(); ++i)
        languages[i].name = Translate(static_cast<LanguageId>(i), kBulgarianName);
    return languages;
}

// "uk_UA.UTF-8@euro" and "uk-UA" as "uk-ua"; "UK" as "uk".
std::string Normalised(std::string_view tag)
{
    tag = tag.substr(0, tag.find_first_of(".@"));
    std::string out;
    for (const char ch : tag)
        out += ch == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        if (end != 0)
            parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return parts;
}

} // namespace

std::span<const Language> Languages() noexcept
{
    static const std::vector<Language> languages = MakeLanguages();
    return languages;
}

std::optional<LanguageId> FindLanguage(std::string_view tag) noexcept
{
    const std::string wanted = Normalised(tag);
    if (wanted.empty() || wanted == "c" || wanted == "posix")
        return std::nullopt;
    const std::string primary = wanted.substr(0, wanted.find('-'));
    const auto languages = Languages();
    for (const std::string& candidate : {wanted, primary})
        for (std::size_t i = 0; i < languages.size(); ++i)
            if (Normalised(languages[i].code) == candidate)
                return static_cast<LanguageId>(i);
    return std::nullopt;
}

LanguageId PreferredLanguage(std::span<const std::string> tags) noexcept
{
    for (const std::string& tag : tags)
        if (const auto language = FindLanguage(tag))
            return *language;
    return kBulgarian;
}

std::vector<std::string> LocaleLanguages(std::string_view language, std::string_view lcAll,
                                         std::string_view lcMessages, std::string_view lang)
{
    const std::string_view locale = !lcAll.empty() ? lcAll : !lcMessages.empty() ? lcMessages : lang;
    const std::string name = Normalised(locale);
    if (name.empty() || name == "c" || name == "posix")
        return {};
    std::vector<std::string> tags;
    for (const std::string_view tag : Split(language, ':'))
        tags.emplace_back(tag);
    tags.emplace_back(locale);
    return tags;
}

std::string_view Translate(LanguageId language, std::string_view bulgarian) noexcept
{
    const auto tables = CatalogueTables();
    if (language <= kBulgarian || static_cast<std::size_t>(language) > tables.size())
        return bulgarian;
    const auto translations = tables[static_cast<std::size_t>(language) - 1].translations;
    const auto found = std::lower_bound(translations.begin(), translations.end(), bulgarian,
                                        [](const Translation& t, std::string_view text) { return t.source < text; });
    return found != translations.end() && found->source == bulgarian ? found->text : bulgarian;
}

const std::array<Control, std::tuple_size_v<decltype(kControls)>>& ControlsIn(LanguageId language)
{
    using Controls = std::array<Control, std::tuple_size_v<decltype(kControls)>>;
    static const std::vector<Controls> translated = [] {
        std::vector<Controls> all(Languages().size(), kControls);
        for (std::size_t i = 0; i < all.size(); ++i)
            for (Control& c : all[i]) {
                const auto id = static_cast<LanguageId>(i);
                c.text = Translate(id, c.text);
                c.tooltip = Translate(id, c.tooltip);
                c.accessibleName = Translate(id, c.accessibleName);
                c.accessibleDescription = Translate(id, c.accessibleDescription);
            }
        return all;
    }();
    const auto at = static_cast<std::size_t>(language);
    return at < translated.size() ? translated[at] : translated[kBulgarian];
}

const std::string& HelpText(LanguageId language)
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < Languages().size(); ++i) {
            std::string text;
            for (const std::string_view line : Split(HelpText(), '\n')) {
                const std::string_view bare = line.substr(0, line.size() - 1);  // without its CR
                text += Translate(static_cast<LanguageId>(i), bare);
                text += "\r\n";
            }
            all.push_back(std::move(text));
        }
        return all;
    }();
    const auto at = static_cast<std::size_t>(language);
    return at < texts.size() ? texts[at] : texts[kBulgarian];
}

} // namespace trezolin::design
