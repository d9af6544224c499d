// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/trezolin_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const trezolin::CommandLine asked = trezolin::AnswerCommandLine(argc, argv);
    if (asked.exitStatus)
        return *asked.exitStatus;
    const trezolin::design::LanguageId language =
        trezolin::WindowLanguage(asked.language, trezolin::EnvironmentLanguages());
    QApplication app(argc, argv);
    trezolin::SetUpApplication();
    trezolin::UseLanguage(language);
    trezolin::Trezolin window(nullptr, language);
    window.show();
    return app.exec();
}
