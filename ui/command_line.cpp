// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace trezolin {

std::optional<int> AnswerCommandLine(int argc, char* argv[])
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
        "Without options it opens its window, which is in Bulgarian."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show the options and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and the licence and exit."));
    parser.addOption(help);
    parser.addOption(version);
    // Unknown options are Qt's to read once the window's application starts.
    static_cast<void>(parser.parse(arguments));

    if (parser.isSet(help)) {
        // The usage line names the program as it was called.
        const QCoreApplication core(argc, argv);
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("trezolin %s\n", TREZOLIN_VERSION);
        std::puts("Copyright 2026 The Trezolin developers");
        std::puts("License GPL-3.0-or-later: GNU GPL version 3 or later <https://www.gnu.org/licenses/gpl.html>");
        return 0;
    }
    return std::nullopt;
}

} // namespace trezolin
