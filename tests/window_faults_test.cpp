// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window under bursts of input and odd sequences of commands.

#include "core/commands.h"
#include "design/languages.h"
#include "design/messages.h"
#include "runtime/random_source.h"
#include "window_fixture.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <random>

namespace trezolin {
namespace {

// The window tests of this file, under a suite name of their own.
using WindowFaultsTest = testing::WindowTest;

// The state the window should be in, kept by the core alone.
struct Model {
    CubeState state;

    void StartFrom(const std::array<QString, 8>& startValues)
    {
        for (int i = 0; i < kVertexCount; ++i)
            state.vertexTexts[i] = startValues[i].toStdString();
        state.previousValues.clear();
        state.changeCount = 0;
        state.log.clear();
    }

    QString Log() const { return QString::fromStdString(state.log).remove('\r'); }
};

void PostClick(QWidget* button)
{
    const QPointF at = QRectF(button->rect()).center();
    const QPointF global = button->mapToGlobal(at);
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, at, global, Qt::LeftButton,
                                                        Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
}

void PostKey(QWidget* target, Qt::Key key)
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

TEST_F(WindowFaultsTest, AThousandChecksAsFastAsTheQueueTakesThem)
{
    ClickStart();
    Model model;
    model.StartFrom(LeftCube());

    QPushButton* check = Named<QPushButton>("Command1", 1);
    check->setFocus();
    std::mt19937 pick(7);
    int mouse = 0, space = 0, enter = 0;
    for (int n = 0; n < 1000; ++n) {
        switch (pick() % 3) {
        case 0: PostClick(check); ++mouse; break;
        case 1: PostKey(check, Qt::Key_Space); ++space; break;
        default: PostKey(check, Qt::Key_Return); ++enter; break;
        }
        CheckCommand(model.state);
    }
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();

    EXPECT_GT(mouse, 250);
    EXPECT_GT(space, 250);
    EXPECT_GT(enter, 250);
    EXPECT_EQ(window->ChangeCount(), 1000);
    const QStringList lines = LogBox().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1000);
    for (int n = 0; n < 1000; ++n)
        ASSERT_TRUE(lines[n].startsWith(QStringLiteral("Проверявате опит: %1: ").arg(n + 1))) << n;
    EXPECT_EQ(LogBox(), model.Log());
}

TEST_F(WindowFaultsTest, StartsAtRandomPointsBeginRunsNumberedFromOne)
{
    window = std::make_unique<Trezolin>(std::make_unique<SeededRandomSource>(99));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    Model model;
    std::mt19937 pick(11);
    int starts = 0;
    ClickStart();
    model.StartFrom(LeftCube());
    for (int step = 0; step < 300; ++step) {
        if (pick() % 8 == 0) {
            ClickStart();
            ++starts;
            EXPECT_EQ(LogBox(), "");
            EXPECT_EQ(RightCube(), LeftCube());
            model.StartFrom(LeftCube());
            continue;
        }
        const bool firstOfRun = model.state.changeCount == 0;
        ClickCheck();
        CheckCommand(model.state);
        ASSERT_EQ(LogBox(), model.Log()) << "step " << step;
        if (firstOfRun) {
            ASSERT_TRUE(LogBox().startsWith("Проверявате опит: 1: ")) << "step " << step;
        }
    }
    EXPECT_GT(starts, 20);
}

TEST_F(WindowFaultsTest, AnUnexpectedFailureIsReportedAndTheWindowKeepsWhatItShows)
{
    // A random source that runs dry after three vertices: the start stops
    // there with an exception that is none of the computation's errors.
    window = std::make_unique<Trezolin>(std::make_unique<ReplayRandomSource>(std::vector<float>{0.439f, 0.479f, 0.437f}));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    {
        testing::MessageBoxCloser closer;
        ClickStart();
        EXPECT_EQ(closer.shown, 1);
        EXPECT_EQ(closer.title, "Trezolin");
        EXPECT_TRUE(closer.text.startsWith("Неочаквана грешка")) << closer.text.toStdString();
        EXPECT_EQ(closer.buttons, QStringList{QString::fromUtf8(design::kMessageButton.data(), qsizetype(design::kMessageButton.size()))});
    }
    EXPECT_TRUE(window->isVisible());
    // What the start did before it stopped stays shown: the log emptied, three vertices written.
    EXPECT_EQ(LeftCube(), (std::array<QString, 8>{"-43", "-83", "-41", "D", "E", "F", "G", "H"}));
    EXPECT_EQ(LogBox(), "");
    // The window still answers.
    ClickCheck();
    EXPECT_EQ(window->ChangeCount(), 1);
    EXPECT_TRUE(LogBox().startsWith("Проверявате опит: 1: "));

    // In every other language the message and its button are the language's.
    for (std::size_t id = 1; id < design::Languages().size(); ++id) {
        const auto language = static_cast<design::LanguageId>(id);
        SCOPED_TRACE(std::string(design::Languages()[id].code));
        window = std::make_unique<Trezolin>(std::make_unique<ReplayRandomSource>(std::vector<float>{0.439f}), language);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        testing::MessageBoxCloser closer;
        ClickStart();
        const std::string_view message = design::Translate(language, design::ErrorMessage(ErrorKind::Unexpected));
        const std::string_view button = design::Translate(language, design::kMessageButton);
        EXPECT_EQ(closer.shown, 1);
        EXPECT_EQ(closer.title, "Trezolin");
        EXPECT_NE(message, design::ErrorMessage(ErrorKind::Unexpected));
        EXPECT_EQ(closer.text, QString::fromUtf8(message.data(), qsizetype(message.size())));
        EXPECT_EQ(closer.buttons, QStringList{QString::fromUtf8(button.data(), qsizetype(button.size()))});
    }
}

} // namespace
} // namespace trezolin
