// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the program picks the window's language: --lang, else the locale, else Bulgarian.

#include "design/languages.h"
#include "ui/command_line.h"

#include <QByteArray>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace trezolin {
namespace {

std::optional<design::LanguageId> Id(const char* code)
{
    return design::FindLanguage(code);
}

CommandLine Read(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "trezolin");
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return AnswerCommandLine(static_cast<int>(arguments.size()), argv.data());
}

struct LangCase {
    std::vector<std::string> arguments;
    std::optional<design::LanguageId> language;
    std::optional<int> exitStatus;
};

TEST(CommandLineTest, LangNamesTheWindowsLanguageOrIsAUsageError)
{
    const LangCase cases[] = {
        {{}, std::nullopt, std::nullopt},
        {{"--lang", "uk"}, Id("uk"), std::nullopt},
        {{"--lang=tr"}, Id("tr"), std::nullopt},
        {{"-lang", "en"}, Id("en"), std::nullopt},
        {{"--lang", "bg"}, design::kBulgarian, std::nullopt},
        // As a locale or a browser spells it.
        {{"--lang", "uk_UA.UTF-8"}, Id("uk"), std::nullopt},
        {{"--lang", "TR-tr"}, Id("tr"), std::nullopt},
        // Qt's own options pass by.
        {{"-platform", "offscreen", "--lang", "en"}, Id("en"), std::nullopt},
        // A language Trezolin does not speak, or none: the program stops with a usage error.
        {{"--lang", "de"}, std::nullopt, 2},
        {{"--lang", "C"}, std::nullopt, 2},
        {{"--lang", ""}, std::nullopt, 2},
    };
    for (const LangCase& c : cases) {
        std::string shown;
        for (const std::string& a : c.arguments)
            shown += a + ' ';
        SCOPED_TRACE(shown);
        const CommandLine read = Read(c.arguments);
        EXPECT_EQ(read.language, c.language);
        EXPECT_EQ(read.exitStatus, c.exitStatus);
    }
}

// The locale variables for one case, put back afterwards.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* language, const char* lcAll, const char* lcMessages, const char* lang)
    {
        for (const auto& [name, value] : {std::pair{"LANGUAGE", language}, {"LC_ALL", lcAll},
                                          {"LC_MESSAGES", lcMessages}, {"LANG", lang}}) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            if (value)
                qputenv(name, value);
            else
                qunsetenv(name);
        }
    }
    ~LocaleEnvironment()
    {
        for (const Saved& s : saved_) {
            if (s.wasSet)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> saved_;
};

struct EnvironmentCase {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    std::optional<design::LanguageId> asked;
    design::LanguageId expected;
};

TEST(CommandLineTest, WithoutLangTheWindowSpeaksTheFirstOfTheUsersLanguagesItKnows)
{
    const design::LanguageId bg = design::kBulgarian;
    const design::LanguageId uk = *Id("uk");
    const design::LanguageId tr = *Id("tr");
    const design::LanguageId en = *Id("en");
    // Each variable is read, in gettext's order; which tags name which
    // language is the design's, tested there.
    const EnvironmentCase cases[] = {
        {nullptr, nullptr, nullptr, "bg_BG.UTF-8", std::nullopt, bg},
        {nullptr, nullptr, nullptr, "uk_UA.UTF-8", std::nullopt, uk},
        {nullptr, nullptr, "tr_TR.UTF-8", "uk_UA.UTF-8", std::nullopt, tr},
        {nullptr, "en_GB.UTF-8", "tr_TR.UTF-8", "uk_UA.UTF-8", std::nullopt, en},
        {"de:tr:uk", nullptr, nullptr, "de_DE.UTF-8", std::nullopt, tr},
        // A build machine's C locale names no language, whatever LANGUAGE says.
        {"uk", nullptr, nullptr, "C", std::nullopt, bg},
        // --lang before them all.
        {nullptr, nullptr, nullptr, "uk_UA.UTF-8", en, en},
    };
    for (const EnvironmentCase& c : cases) {
        SCOPED_TRACE(std::string(c.language ? c.language : "-") + " " + (c.lcAll ? c.lcAll : "-") + " " +
                     (c.lcMessages ? c.lcMessages : "-") + " " + (c.lang ? c.lang : "-"));
        const LocaleEnvironment environment(c.language, c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(WindowLanguage(c.asked, EnvironmentLanguages()), c.expected);
    }
}

} // namespace
} // namespace trezolin
