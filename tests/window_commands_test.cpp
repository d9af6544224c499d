// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window driven as a pupil drives it: start, check, choose a method.

#include "design/help_text.h"
#include "window_fixture.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <functional>

namespace trezolin {
namespace {

using testing::Line;
using testing::MessageBoxCloser;
using testing::Strings;
// The window tests of this file, under a suite name of their own.
using WindowCommandsTest = testing::WindowTest;

const auto& kStart = testing::kExampleStart;
const auto& kRoundRows = testing::kExampleRoundRows;

QStringList Entries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

QStringList AsList(const std::array<QString, 8>& texts)
{
    return QStringList(texts.begin(), texts.end());
}

TEST_F(WindowCommandsTest, StartShowsTheSameValuesInBothCubesAndEmptiesTheLog)
{
    ClickStart();
    EXPECT_EQ(LeftCube(), Strings(kStart));
    EXPECT_EQ(RightCube(), Strings(kStart));
    EXPECT_EQ(LogBox(), "");
    EXPECT_EQ(window->ChangeCount(), 0);
    EXPECT_EQ(Named<QListWidget>("List1", 0)->count(), 0);
}

TEST_F(WindowCommandsTest, SevenChecksReproduceTheWorkedExample)
{
    ClickStart();
    QString expected;
    for (int n = 1; n <= 7; ++n) {
        ClickCheck();
        expected += Line(n, kRoundRows[n - 1]);
        ASSERT_EQ(LogBox(), expected) << "after check " << n;
        EXPECT_EQ(RightCube(), Strings(kRoundRows[n - 1]));
        EXPECT_EQ(Entries(Named<QListWidget>("List1", 1)), AsList(Strings(kRoundRows[n - 1])));
        EXPECT_EQ(window->ChangeCount(), n);
    }
    EXPECT_EQ(Entries(Named<QListWidget>("List1", 0)), AsList(Strings(kRoundRows[5])));
    EXPECT_EQ(LeftCube(), Strings(kStart));  // the first cube keeps the start values
    // One line per change, no blank line between them.
    EXPECT_EQ(Named<QPlainTextEdit>("Text1", 0)->document()->blockCount(), 8);  // seven lines and the empty last one
}

TEST_F(WindowCommandsTest, TheMethodListDecidesTheRounding)
{
    const struct {
        int row;
        std::array<int, 8> firstRow;
    } cases[] = {
        {1, testing::kExampleIntFirstRow},
        {2, testing::kExampleFixFirstRow},
        {0, kRoundRows[0]},
    };
    for (const auto& c : cases) {
        Open(testing::kExampleDraws);
        ChooseMethod(c.row);
        EXPECT_EQ(Named<QListWidget>("List1", 2)->currentRow(), c.row);
        ClickStart();
        ClickCheck();
        EXPECT_EQ(LogBox(), Line(1, c.firstRow)) << "row " << c.row;
    }
}

TEST_F(WindowCommandsTest, TheMethodIsReadAtEveryCheck)
{
    ClickStart();
    ClickCheck();  // Round
    ChooseMethod(1);
    ClickCheck();  // Int, from the Round row
    const QStringList lines = LogBox().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    // From -60 -48 -42 -39 -45 -58 -44 -39, A = floor((-48 - 39 - 45) / 3) = -44.
    EXPECT_TRUE(lines[1].startsWith("Проверявате опит: 2: -44  ")) << lines[1].toStdString();
}

TEST_F(WindowCommandsTest, TheMethodListAlwaysKeepsOneEntrySelected)
{
    QListWidget* list = Named<QListWidget>("List1", 2);
    QWidget* view = list->viewport();
    const auto row = [list](int r) { return list->visualItemRect(list->item(r)).center(); };
    const auto click = [view](QPoint at, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(view, Qt::LeftButton, modifiers, at);
    };
    const auto key = [list](Qt::Key k, Qt::KeyboardModifiers modifiers) { QTest::keyClick(list, k, modifiers); };
    // Below the last entry: the list's inner area ends a pixel or two under it.
    const QPoint belowLast(view->width() / 2, view->height() - 1);
    ASSERT_EQ(list->indexAt(belowLast).isValid(), false);

    const struct {
        const char* action;
        std::function<void()> act;
        int selectedRow;
    } steps[] = {
        {"Ctrl+click on the selected entry", [&] { click(row(0), Qt::ControlModifier); }, 0},
        {"click on Fix", [&] { click(row(2), Qt::NoModifier); }, 2},
        {"Ctrl+click on Fix", [&] { click(row(2), Qt::ControlModifier); }, 2},
        {"Shift+click on Int", [&] { click(row(1), Qt::ShiftModifier); }, 1},
        {"Ctrl+Space", [&] { key(Qt::Key_Space, Qt::ControlModifier); }, 1},
        {"Space", [&] { key(Qt::Key_Space, Qt::NoModifier); }, 1},
        {"click below the last entry", [&] { click(belowLast, Qt::NoModifier); }, 1},
        {"Ctrl+click below the last entry", [&] { click(belowLast, Qt::ControlModifier); }, 1},
        {"Down", [&] { key(Qt::Key_Down, Qt::NoModifier); }, 2},
        {"Home", [&] { key(Qt::Key_Home, Qt::NoModifier); }, 0},
        {"End", [&] { key(Qt::Key_End, Qt::NoModifier); }, 2},
        {"Up", [&] { key(Qt::Key_Up, Qt::NoModifier); }, 1},
        {"Ctrl+Up, then Ctrl+Space twice", [&] {
             key(Qt::Key_Up, Qt::ControlModifier);
             key(Qt::Key_Space, Qt::ControlModifier);
             key(Qt::Key_Space, Qt::ControlModifier);
         }, 0},
        {"the selection cleared from outside", [&] { list->clearSelection(); }, 0},
    };
    list->setFocus();
    for (const auto& step : steps) {
        step.act();
        QApplication::processEvents();
        const QList<QListWidgetItem*> selected = list->selectedItems();
        ASSERT_EQ(selected.size(), 1) << step.action;
        EXPECT_EQ(list->row(selected.first()), step.selectedRow) << step.action;
    }

    // The check rounds by the entry that stayed selected (Round), not to zeros.
    ClickStart();
    ClickCheck();
    EXPECT_EQ(LogBox(), Line(1, kRoundRows[0]));
}

TEST_F(WindowCommandsTest, CheckBeforeAnyStartAppendsZerosBehindTheHelpText)
{
    ClickCheck();
    const QString help = QString::fromStdString(design::HelpText()).remove('\r');
    EXPECT_EQ(LogBox(), help + Line(1, {}));
    EXPECT_EQ(RightCube(), Strings({}));
    EXPECT_EQ(window->ChangeCount(), 1);
    EXPECT_EQ(Entries(Named<QListWidget>("List1", 0)), QStringList(8, QString()));
    // Then a start clears the help text for good.
    ClickStart();
    ClickCheck();
    EXPECT_FALSE(LogBox().contains("Пример"));
    EXPECT_TRUE(LogBox().startsWith("Проверявате опит: 1: "));
}

TEST_F(WindowCommandsTest, ASecondStartBeginsANewRunNumberedFromOne)
{
    ClickStart();
    ClickCheck();
    ClickCheck();
    const QStringList lastRow = Entries(Named<QListWidget>("List1", 1));
    ClickStart();  // draws 0.5 eight times: every vertex -5
    EXPECT_EQ(LeftCube(), Strings({-5, -5, -5, -5, -5, -5, -5, -5}));
    EXPECT_EQ(LogBox(), "");
    EXPECT_EQ(Named<QListWidget>("List1", 0)->count(), 0);
    EXPECT_EQ(Entries(Named<QListWidget>("List1", 1)), lastRow);
    ClickCheck();
    EXPECT_EQ(LogBox(), Line(1, {-5, -5, -5, -5, -5, -5, -5, -5}));
    EXPECT_EQ(Entries(Named<QListWidget>("List1", 0)), lastRow);
}

TEST_F(WindowCommandsTest, ClickingTheLabelsChangesNothing)
{
    ClickStart();
    ClickCheck();
    const auto right = RightCube();
    const auto left = LeftCube();
    const QString log = LogBox();
    for (int i = 0; i < 4; ++i) {
        Click(Named<QLabel>("Label1", i));
        QTest::mouseDClick(Named<QLabel>("Label1", i), Qt::LeftButton);
    }
    EXPECT_EQ(RightCube(), right);
    EXPECT_EQ(LeftCube(), left);
    EXPECT_EQ(LogBox(), log);
    EXPECT_EQ(window->ChangeCount(), 1);
}

TEST_F(WindowCommandsTest, KeyboardPressesTheFocusedButton)
{
    Named<QPushButton>("Command1", 0)->setFocus();
    QTest::keyClick(Named<QPushButton>("Command1", 0), Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(RightCube(), Strings(kStart));
    Named<QPushButton>("Command1", 1)->setFocus();
    QTest::keyClick(Named<QPushButton>("Command1", 1), Qt::Key_Return);
    QTest::keyClick(Named<QPushButton>("Command1", 1), Qt::Key_Enter);
    QTest::keyClick(Named<QPushButton>("Command1", 1), Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(LogBox(), Line(1, kRoundRows[0]) + Line(2, kRoundRows[1]) + Line(3, kRoundRows[2]));
    // Arrow keys move the method.
    Named<QListWidget>("List1", 2)->setFocus();
    QTest::keyClick(Named<QListWidget>("List1", 2), Qt::Key_Down);
    EXPECT_EQ(Named<QListWidget>("List1", 2)->selectedItems().value(0), Named<QListWidget>("List1", 2)->item(1));
}

TEST_F(WindowCommandsTest, TheNewestLineIsScrolledIntoView)
{
    ClickStart();
    for (int n = 0; n < 40; ++n)
        ClickCheck();
    QScrollBar* bar = Named<QPlainTextEdit>("Text1", 0)->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    const QTextBlock last = Named<QPlainTextEdit>("Text1", 0)->document()->lastBlock().previous();
    EXPECT_TRUE(last.text().startsWith("Проверявате опит: 40: "));
}

TEST_F(WindowCommandsTest, TheCounterOverflowIsReportedAndChangesNothing)
{
    ClickStart();
    for (int n = 0; n < 32767; ++n)
        window->Command1_Click(1);
    QApplication::processEvents();
    ASSERT_EQ(window->ChangeCount(), 32767);
    const QStringList lines = LogBox().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 32767);
    EXPECT_TRUE(lines.back().startsWith("Проверявате опит: 32767: "));

    const auto right = RightCube();
    const QString log = LogBox();
    const QStringList before = Entries(Named<QListWidget>("List1", 0));
    {
        MessageBoxCloser closer;
        ClickCheck();
        EXPECT_EQ(closer.shown, 1);
        EXPECT_EQ(closer.title, "Trezolin");
        EXPECT_TRUE(closer.text.contains("Препълване")) << closer.text.toStdString();
    }
    EXPECT_EQ(window->ChangeCount(), 32767);
    EXPECT_EQ(RightCube(), right);
    EXPECT_EQ(LogBox(), log);
    EXPECT_EQ(Entries(Named<QListWidget>("List1", 0)), before);
    EXPECT_TRUE(window->isVisible());

    // A start afterwards begins a new run as usual.
    ClickStart();
    ClickCheck();
    EXPECT_EQ(window->ChangeCount(), 1);
    EXPECT_TRUE(LogBox().startsWith("Проверявате опит: 1: "));
}

} // namespace
} // namespace trezolin
