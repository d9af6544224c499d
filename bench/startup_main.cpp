// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up exactly as main() does it, up to the window's first
// exposure; then prints the wall-clock time (seconds since the epoch) and
// exits. scripts/bench takes the time just before starting this process, so
// the difference covers loading, Qt's start and the window's construction.

#include "ui/application.h"
#include "ui/trezolin_window.h"

#include <QApplication>
#include <QTest>

#include <chrono>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    trezolin::SetUpApplication();
    trezolin::Trezolin window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 10000))
        return 1;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("%.6f\n", std::chrono::duration<double>(now).count());
    return 0;
}
