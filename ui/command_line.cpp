// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace trezolin {

namespace {

// "bg (Български), en (English), ..." for --help and the usage error.
QString LanguageList()
{
    QStringList items;
    for (const design::Language& language : design::Languages())
        items << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(language.code.data(), qsizetype(language.code.size())),
                                               QString::fromUtf8(language.name.data(), qsizetype(language.name.size())));
    return items.join(QStringLiteral(", "));
}

std::string_view Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

CommandLine AnswerCommandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's own options are single words after one dash ("-reverse"): read
    // as one name each, never as letters that could spell -v or -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Rounding to an integer at the vertices of a cube, for a school informatics lesson.\n"
        "Without options it opens its window in the first language of the locale\n"
        "(LANGUAGE, LC_ALL, LC_MESSAGES, LANG) that it speaks, else in Bulgarian."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show the options and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and the licence and exit."));
    const QCommandLineOption lang(QStringLiteral("lang"),
                                  QStringLiteral("Open the window in this language: ") + LanguageList() +
                                      QStringLiteral("."),
                                  QStringLiteral("code"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(lang);
    // Unknown options are Qt's to read once the window's application starts.
    static_cast<void>(parser.parse(arguments));

    CommandLine asked;
    if (parser.isSet(help)) {
        // The usage line names the program as it was called.
        const QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        asked.exitStatus = 0;
        return asked;
    }
    if (parser.isSet(version)) {
        std::printf("trezolin %s\n", TREZOLIN_VERSION);
        std::puts("Copyright 2026 The Trezolin developers");
        std::puts("License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>");
        asked.exitStatus = 0;
        return asked;
    }
    if (parser.isSet(lang)) {
        const QByteArray code = parser.value(lang).toUtf8();
        asked.language = design::FindLanguage(std::string_view(code.constData(), std::size_t(code.size())));
        if (!asked.language) {
            // A teacher's typing mistake in a shortcut shows at once, rather
            // than as a window in another language than the one written.
            std::fprintf(stderr, "trezolin: no language \"%s\"; --lang takes one of: %s\n", code.constData(),
                         qPrintable(LanguageList()));
            asked.exitStatus = 2;
        }
    }
    return asked;
}

std::vector<std::string> EnvironmentLanguages()
{
    return design::LocaleLanguages(Environment("LANGUAGE"), Environment("LC_ALL"), Environment("LC_MESSAGES"),
                                   Environment("LANG"));
}

design::LanguageId WindowLanguage(std::optional<design::LanguageId> asked,
                                  const std::vector<std::string>& userLanguages)
{
    return asked ? *asked : design::PreferredLanguage(userLanguages);
}

} // namespace trezolin
