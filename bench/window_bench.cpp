// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real window, through its command handler, with the pending events
// (the repaints among them) processed inside the timed region.

#include "core/change.h"
#include "core/start.h"
#include "runtime/random_source.h"
#include "design/help_text.h"
#include "ui/trezolin_window.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <array>
#include <limits>
#include <string>

namespace trezolin {
namespace {

constexpr int kStart = 0;
constexpr int kCheck = 1;
// Measured checks before the log is rebuilt at the size asked for.
constexpr int kChecksPerRun = 500;

void StartRunWithLines(Trezolin& window, int lines)
{
    window.Command1_Click(kStart);
    for (int n = 0; n < lines; ++n)
        window.Command1_Click(kCheck);
    QApplication::processEvents();
}

// One check, timed with or without processing the events it posts (the repaint).
void RunChecks(benchmark::State& s, bool repaint)
{
    const int lines = static_cast<int>(s.range(0));
    Trezolin window(std::make_unique<SeededRandomSource>(1));
    window.show();
    QApplication::processEvents();
    StartRunWithLines(window, lines);
    int inRun = 0;
    for (auto _ : s) {
        window.Command1_Click(kCheck);
        if (repaint)
            QApplication::processEvents();
        if (++inRun == kChecksPerRun) {
            s.PauseTiming();
            StartRunWithLines(window, lines);
            inRun = 0;
            s.ResumeTiming();
        }
    }
}

void BM_CheckCommand(benchmark::State& s)
{
    RunChecks(s, true);
}
BENCHMARK(BM_CheckCommand)->Arg(0)->Arg(1000)->Arg(32000)->Unit(benchmark::kMicrosecond);

// The handler alone: the same check without the repaint, to split the figure above.
void BM_CheckHandler(benchmark::State& s)
{
    RunChecks(s, false);
}
BENCHMARK(BM_CheckHandler)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_FullRun(benchmark::State& s)
{
    // The window is made before and destroyed after the timed run.
    Trezolin window(std::make_unique<SeededRandomSource>(1));
    window.show();
    QApplication::processEvents();
    for (auto _ : s) {
        window.Command1_Click(kStart);
        for (int n = 0; n < std::numeric_limits<std::int16_t>::max(); ++n)
            window.Command1_Click(kCheck);
        QApplication::processEvents();
    }
    if (window.ChangeCount() != std::numeric_limits<std::int16_t>::max())
        s.SkipWithError("the run did not reach 32767 checks");
}
BENCHMARK(BM_FullRun)->Unit(benchmark::kMillisecond)->Iterations(1);

// Sets the box's whole text once for each piece the newest line was appended
// in: its header, each of the eight values, the line end.
void ReplaceTextPieceByPiece(QPlainTextEdit& box, const std::string& log, std::size_t before)
{
    std::string text = log.substr(0, before);
    const std::string line = log.substr(before);
    const std::size_t valuesStart = line.find(": ", kLogHeader.size()) + 2;
    text += line.substr(0, valuesStart);
    box.setPlainText(QString::fromStdString(text));
    std::size_t pos = valuesStart;
    for (int i = 0; i < kVertexCount; ++i) {
        const std::size_t end = line.find("  ", pos) + 2;
        text += line.substr(pos, end - pos);
        box.setPlainText(QString::fromStdString(text));
        pos = end;
    }
    text += line.substr(pos);
    box.setPlainText(QString::fromStdString(text));
}

// Reference only, not how the program works: the log box's whole text is
// replaced for every piece a change appends, as setting a text property
// literally would (the header, then each of the eight values, then the line end).
void BM_CheckCommandReplaceText(benchmark::State& s)
{
    const int lines = static_cast<int>(s.range(0));
    QPlainTextEdit box;
    box.setReadOnly(true);
    box.resize(681, 153);
    box.show();
    CubeState state;
    std::array<std::string, kVertexCount> startTexts;
    SeededRandomSource random(1);

    auto refill = [&] {
        GenerateStartValues(state, startTexts, random);
        state.changeCount = 0;
        for (int n = 0; n < lines; ++n) {
            ++state.changeCount;
            ApplyChange(state);
        }
        box.setPlainText(QString::fromStdString(state.log));
        QApplication::processEvents();
    };
    refill();
    int inRun = 0;
    for (auto _ : s) {
        ++state.changeCount;
        const std::size_t before = state.log.size();
        ApplyChange(state);
        ReplaceTextPieceByPiece(box, state.log, before);
        QApplication::processEvents();
        if (++inRun == kChecksPerRun) {
            s.PauseTiming();
            refill();
            inRun = 0;
            s.ResumeTiming();
        }
    }
}
BENCHMARK(BM_CheckCommandReplaceText)->Arg(1000)->Arg(8000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace trezolin
