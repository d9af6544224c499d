// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/application.h"

#include "ui/app_icon.h"

#include <QApplication>
#include <QStyleFactory>

namespace trezolin {

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Trezolin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Trezolin"));
    // Ties the running program to its installed desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.trezolin.Trezolin"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(AppIcon());
}

} // namespace trezolin
