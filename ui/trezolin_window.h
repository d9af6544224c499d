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
//     -> the presenter calls the window's Screen setters: the changed vertex boxes,
//        the renamed hidden list entries, the log line appended, the line
//        said to a screen reader; an error goes to ShowMessage.

#include "design/languages.h"
#include "design/window_design.h"
#include "lesson/presenter.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace trezolin {

class Announcer;

class Trezolin : public QWidget {
public:
    // With no random source the lesson seeds one from the clock. Every text
    // of the window, and the language it reports to a screen reader, is the
    // language's.
    explicit Trezolin(std::unique_ptr<RandomSource> random = nullptr,
                      design::LanguageId language = design::kBulgarian, QWidget* parent = nullptr);
    ~Trezolin() override;

    // The command buttons' handler: 0 is the start button, 1 the check button.
    void Command1_Click(int index);

    // The control at this row of the description.
    [[nodiscard]] QWidget* ControlAt(std::size_t row) const { return controls_.at(row); }
    // The control the program's code calls array(index), e.g. "Wryh_k", 5; or nullptr.
    [[nodiscard]] QWidget* ControlNamed(std::string_view array, int index) const;
    // What says a command's result to a screen reader.
    Announcer* TheAnnouncer() const { return announcer_; }

    design::LanguageId Language() const { return language_; }

    std::int16_t ChangeCount() const { return presenter_.TheLesson().State().changeCount; }

private:
    QWidget* CreateControl(const design::Control& control);
    void CreateControls();
    void Form_Load();

    design::LanguageId language_;
    std::array<QWidget*, design::kControls.size()> controls_{};
    Announcer* announcer_ = nullptr;
    std::unique_ptr<Screen> screen_;  // the presenter's setters over the controls above
    Presenter presenter_;
};

} // namespace trezolin
