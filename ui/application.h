// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "design/languages.h"

#include <QLocale>

namespace trezolin {

// The application-wide settings shared by the program and its tests: name,
// icon and one widget style everywhere, so the buttons' face colours show as
// designed on every desktop.
void SetUpApplication();

// The Qt locale of one of Trezolin's languages: Ukrainian as uk_UA.
[[nodiscard]] QLocale LocaleOf(design::LanguageId language);

// Makes the language the program's: Qt's default locale, which is what the
// accessibility bus reports as the application's, so that a screen reader
// reads the window with the language's voice.
void UseLanguage(design::LanguageId language);

} // namespace trezolin
