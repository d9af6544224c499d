// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A shown Trezolin window with a known random source, and helpers to drive it
// as a user would.

#include "runtime/random_source.h"
#include "ui/cube_picture.h"
#include "ui/trezolin_window.h"
#include "worked_example.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
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

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { Open(kExampleDraws); }

    void Open(std::vector<float> draws)
    {
        draws.resize(draws.size() * 4, 0.5f);  // room for more starts
        window = std::make_unique<Trezolin>(std::make_unique<ReplayRandomSource>(std::move(draws)));
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
