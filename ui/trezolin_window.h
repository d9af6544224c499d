// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Trezolin's one window, built from the window's description. It keeps its
// controls by the description's rows, turns a click into one call of the
// lesson's presenter and draws what the presenter tells it; the run of the
// program lives in lesson/, the computation in core/.
//
// One click of the check button (Command1(1)):
//   QPushButton::clicked -> Command1_Click(1) -> Presenter::Click(1)
//     -> the lesson runs the check with the method of ChosenRow()
//     -> the presenter calls the setters below: the changed vertex boxes,
//        the renamed hidden list entries, the log line appended, the line
//        said to a screen reader; an error goes to ShowMessage.

#include "design/window_design.h"
#include "lesson/presenter.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace trezolin {

class Announcer;

class Trezolin : public QWidget, private Screen {
public:
    // With no random source the lesson seeds one from the clock.
    explicit Trezolin(std::unique_ptr<RandomSource> random = nullptr, QWidget* parent = nullptr);
    ~Trezolin() override;

    // The command buttons' handler: 0 is the start button, 1 the check button.
    void Command1_Click(int index);

    // The control at this row of the description.
    [[nodiscard]] QWidget* ControlAt(std::size_t row) const { return controls_.at(row); }
    // The control the program's code calls array(index), e.g. "Wryh_k", 5; or nullptr.
    [[nodiscard]] QWidget* ControlNamed(std::string_view array, int index) const;
    // What says a command's result to a screen reader.
    Announcer* TheAnnouncer() const { return announcer_; }

    std::int16_t ChangeCount() const { return presenter_.TheLesson().State().changeCount; }

private:
    QWidget* CreateControl(const design::Control& control);
    void CreateControls();
    void Form_Load();
    // The widget at a row, as the kind the description makes there.
    template <class W>
    W& At(std::size_t row) const;

    // Screen
    void SetText(std::size_t row, std::string_view text) override;
    void SetEntries(std::size_t row, std::span<const std::string> entries) override;
    void SetEntry(std::size_t row, std::size_t entry, std::string_view text) override;
    [[nodiscard]] int ChosenRow() const override;
    void Choose(int row) override;
    void ReplaceLog(std::string_view text) override;
    void AppendLog(std::string_view text) override;
    void Say(std::string_view text) override;
    void ShowMessage(std::string_view title, std::string_view text) override;

    std::array<QWidget*, design::kControls.size()> controls_{};
    Announcer* announcer_ = nullptr;
    Presenter presenter_;
};

} // namespace trezolin
