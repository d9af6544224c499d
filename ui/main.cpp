// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/application.h"
#include "ui/command_line.h"
#include "ui/trezolin_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = trezolin::AnswerCommandLine(argc, argv))
        return *status;
    QApplication app(argc, argv);
    trezolin::SetUpApplication();
    trezolin::Trezolin window;
    window.show();
    return app.exec();
}
