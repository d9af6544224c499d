// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A shown Trezolin window with a known random source, and helpers to drive it
// as a user would.

#include "design/languages.h"
#include "runtime/random_source.h"
#include "ui/command_line.h"
#include "ui/cube_picture.h"
#include "ui/face_button.h"
#include "ui/trezolin_window.h"
#include "worked_example.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace trezolin::testing {

// The language the program opens in on this machine with no --lang: the
// tests run under a Bulgarian pupil's locale, so Bulgarian.
inline design::LanguageId PupilsLanguage()
{
    return WindowLanguage(std::nullopt, EnvironmentLanguages());
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open(kExampleDraws); }

    void Open(std::vector<float> draws, design::LanguageId language = PupilsLanguage())
    {
        draws.resize(draws.size() * 4, 0.5f);  // room for more starts
        window = std::make_unique<Trezolin>(std::make_unique<ReplayRandomSource>(std::move(draws)), language);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    // The control the program calls array(index), e.g. Wryh_k(5), as the
    // widget the window makes for it.
    template <class W = QWidget>
    W* Named(std::string_view array, int index) const
    {
        auto* widget = qobject_cast<W*>(window->ControlNamed(array, index));
        if (!widget)
            ADD_FAILURE() << "no " << W::staticMetaObject.className() << ' ' << array << '(' << index << ')';
        return widget;
    }

    void Click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
        QApplication::processEvents();
    }
    void ClickStart() { Click(Named<QPushButton>("Command1", 0)); }
    void ClickCheck() { Click(Named<QPushButton>("Command1", 1)); }

    void ChooseMethod(int row)
    {
        QListWidget* list = Named<QListWidget>("List1", 2);
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QApplication::processEvents();
    }

    std::array<QString, 8> RightCube() const
    {
        std::array<QString, 8> texts;
        for (int i = 0; i < 8; ++i)
            texts[i] = Named<QLineEdit>("Wryh_k", i)->text();
        return texts;
    }
    std::array<QString, 8> LeftCube() const
    {
        std::array<QString, 8> texts;
        for (int i = 0; i < 8; ++i)
            texts[i] = Named<QLineEdit>("Wryh_N", i)->text();
        return texts;
    }
    QString LogBox() const { return Named<QPlainTextEdit>("Text1", 0)->toPlainText(); }

    std::unique_ptr<Trezolin> window;
};

// Accepts the next modal message box as soon as it is shown and keeps its
// title and text; stops watching when it goes out of scope.
class MessageBoxCloser {
public:
    MessageBoxCloser()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                for (QAbstractButton* b : box->buttons())
                    buttons << b->text();
                ++shown;
                box->accept();
            }
        });
        timer_.start(5);
    }

    QString title;
    QString text;
    QStringList buttons;
    int shown = 0;

private:
    QTimer timer_;
};

// Every caption, button text and list entry the window shows that does not
// fit the room its control draws it in, by the window's own font metrics,
// each as "control: text (needs w x h, has w x h)"; empty when all fit.
inline std::vector<std::string> TextsThatDoNotFit(const Trezolin& window)
{
    std::vector<std::string> cut;
    const auto check = [&cut](const QWidget* w, const QString& text, const QRect& room) {
        const QFontMetrics metrics = w->fontMetrics();
        const QSize needs(metrics.horizontalAdvance(text), metrics.height());
        if (needs.width() > room.width() || needs.height() > room.height())
            cut.push_back(QStringLiteral("%1: %2 (needs %3 x %4, has %5 x %6)")
                              .arg(w->objectName(), text)
                              .arg(needs.width()).arg(needs.height()).arg(room.width()).arg(room.height())
                              .toStdString());
    };
    for (std::size_t row = 0; row < design::kControls.size(); ++row) {
        const QWidget* w = window.ControlAt(row);
        if (w->isHidden())
            continue;
        if (const auto* button = qobject_cast<const FaceButton*>(w)) {
            check(button, button->text(), button->CaptionRect());
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            const int margin = label->margin();
            check(label, label->text(), label->contentsRect().adjusted(margin, margin, -margin, -margin));
        } else if (const auto* list = qobject_cast<const QListWidget*>(w)) {
            // The item view draws an entry's text inside a focus frame's margin at each side.
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
            for (int entry = 0; entry < list->count(); ++entry) {
                const QRect place = list->visualItemRect(list->item(entry)).intersected(list->viewport()->rect());
                check(list, list->item(entry)->text(), place.adjusted(margin, 0, -margin, 0));
            }
        }
    }
    return cut;
}

// The letters of the languages besides Bulgarian's Cyrillic and English's
// Latin that the window's font must have: Ukrainian's and Turkish's own.
inline constexpr char32_t kOwnLetters[] = U"ґєіїҐЄІЇĞğŞşıİçÇöÖüÜ";

// Those of the letters that the font the window actually draws with lacks.
inline QString LettersTheFontLacks(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    QString lacking;
    for (const char32_t* letter = kOwnLetters; *letter; ++letter)
        if (!raw.isValid() || !raw.supportsCharacter(static_cast<uint>(*letter)))
            lacking += QString::fromUcs4(letter, 1);
    return lacking;
}

// A log line as the log box shows it: LF where the log keeps CR LF.
inline QString Line(int number, const std::array<int, 8>& values)
{
    return QString::fromStdString(LogLine(number, values)).remove(QLatin1Char('\r'));
}

inline std::array<QString, 8> Strings(const std::array<int, 8>& values)
{
    std::array<QString, 8> texts;
    for (int i = 0; i < 8; ++i)
        texts[i] = QString::number(values[i]);
    return texts;
}

} // namespace trezolin::testing
