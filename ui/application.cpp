// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/application.h"

#include "design/product.h"
#include "design/window_design.h"
#include "ui/app_icon.h"
#include "ui/text.h"

#include <QApplication>
#include <QStyleFactory>

namespace trezolin {

void SetUpApplication()
{
    QApplication::setApplicationName(FromUtf8(design::kWindow.title));
    QApplication::setApplicationDisplayName(FromUtf8(design::kWindow.title));
    // Ties the running program to its installed desktop entry and icon.
    QGuiApplication::setDesktopFileName(FromUtf8(design::kDesktopId));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(AppIcon());
}

QLocale LocaleOf(design::LanguageId language)
{
    const design::Language& l = design::Languages()[static_cast<std::size_t>(language)];
    return QLocale(FromUtf8(l.code));
}

void UseLanguage(design::LanguageId language)
{
    QLocale::setDefault(LocaleOf(language));
}

} // namespace trezolin
