// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/language.h"

#include "windows/wide_text.h"

#include <shellapi.h>

namespace trezolin::windows {

namespace {

// The code that --lang gives, if the arguments hold one: the last one counts.
std::optional<std::wstring> AskedCode(const std::vector<std::wstring>& arguments)
{
    constexpr std::wstring_view kOption = L"--lang";
    std::optional<std::wstring> code;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring_view a = arguments[i];
        if (a == kOption)
            code = i + 1 < arguments.size() ? arguments[++i] : std::wstring();
        else if (a.size() > kOption.size() && a.substr(0, kOption.size()) == kOption && a[kOption.size()] == L'=')
            code = std::wstring(a.substr(kOption.size() + 1));
    }
    return code;
}

} // namespace

std::vector<std::wstring> CommandLineArguments()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.emplace_back(words[i]);
    LocalFree(words);
    return arguments;
}

std::vector<std::string> UserLanguages()
{
    ULONG count = 0, size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return {};
    std::wstring list(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &size))
        return {};
    // Tags separated by NULs, the list ending in two.
    std::vector<std::string> tags;
    for (std::size_t at = 0; at < list.size() && list[at];) {
        const std::size_t end = list.find(L'\0', at);
        tags.push_back(Utf8(list.substr(at, end - at)));
        at = end + 1;
    }
    return tags;
}

LanguageChoice ChooseLanguage(const std::vector<std::wstring>& arguments, const std::vector<std::string>& userLanguages)
{
    LanguageChoice choice;
    if (const std::optional<std::wstring> code = AskedCode(arguments)) {
        if (const std::optional<design::LanguageId> asked = design::FindLanguage(Utf8(*code))) {
            choice.language = *asked;
            return choice;
        }
        choice.unknown = *code;
    }
    choice.language = design::PreferredLanguage(userLanguages);
    return choice;
}

std::wstring WindowsTag(design::LanguageId language)
{
    const std::wstring code = Wide(design::Languages()[static_cast<std::size_t>(language)].code);
    // The country where the language is at home, as Windows gives it for the neutral tag.
    wchar_t tag[LOCALE_NAME_MAX_LENGTH] = {};
    if (ResolveLocaleName(code.c_str(), tag, LOCALE_NAME_MAX_LENGTH) > 0 && tag[0])
        return tag;
    return code;
}

void UseForThread(design::LanguageId language) noexcept
{
    const std::wstring tag = WindowsTag(language);
    // A list of one, ending in two NULs.
    std::wstring list = tag + L'\0';
    SetThreadPreferredUILanguages(MUI_LANGUAGE_NAME, list.c_str(), nullptr);
    const LCID lcid = LocaleNameToLCID(tag.c_str(), 0);
    if (lcid)
        SetThreadUILanguage(LANGIDFROMLCID(lcid));
}

} // namespace trezolin::windows
