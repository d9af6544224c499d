// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Widget tests run the real window on Qt's offscreen platform unless told
// otherwise, on a Bulgarian pupil's machine: its locale, no other language
// asked for.

#include "ui/application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LANG", "bg_BG.UTF-8");
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        qunsetenv(name);
#ifdef TREZOLIN_TEST_SCALE_FACTOR
    // The high-density suite runs the window as on a screen scaled by this factor.
    qputenv("QT_SCALE_FACTOR", TREZOLIN_TEST_SCALE_FACTOR);
#endif
    QApplication app(argc, argv);
    trezolin::SetUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
