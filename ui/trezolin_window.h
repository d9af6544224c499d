// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Trezolin's one window, built from the window's description. It holds the
// controls in indexed arrays and shows the lesson; the run of the program
// itself lives in lesson/, the computation in core/.
//
// One click of "Провери" (Command1(1)):
//   QPushButton::clicked -> Command1_Click(1)
//     -> Lesson::Run(the check, the method chosen in List1(2)): counts the
//        change, ApplyChange computes the eight new values and appends one
//        log line
//     -> Show(view): the cubes, the hidden lists and the new log line are
//        written into the controls, the line is said to a screen reader;
//        an error goes to a message box.
// An error stops the command where it happened; the window shows what was
// done so far and says what went wrong.

#include "lesson/lesson.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace trezolin {

namespace design {
struct Control;
}
class Announcer;
class CubePicture;

class Trezolin : public QWidget {
public:
    // With no random source the lesson seeds one from the clock.
    explicit Trezolin(std::unique_ptr<RandomSource> random = nullptr, QWidget* parent = nullptr);
    ~Trezolin() override;

    // The command buttons' handler: 0 is "Начало", 1 is "Провери".
    void Command1_Click(int index);

    // The controls, by array name and index.
    QLineEdit* Wryh_N(int i) const { return wryhN_.at(i); }
    QLineEdit* Wryh_k(int i) const { return wryhK_.at(i); }
    QListWidget* List1(int i) const { return list1_.at(i); }
    QPlainTextEdit* Text1(int i) const { return text1_.at(i); }
    QLabel* Label1(int i) const { return label1_.at(i); }
    QPushButton* Command1(int i) const { return command1_.at(i); }
    CubePicture* Picture1(int i) const { return picture1_.at(i); }
    // What says a command's result to a screen reader.
    Announcer* TheAnnouncer() const { return announcer_; }

    std::int16_t ChangeCount() const { return lesson_.State().changeCount; }

private:
    QWidget* CreateControl(const design::Control& control);
    void CreateControls();
    void Form_Load();
    int ChosenRow() const;
    void Show(const View& view);
    void ShowLog(LogChange change, std::string_view text);
    void ReportError(ErrorKind error);

    std::array<QLineEdit*, kVertexCount> wryhN_{};
    std::array<QLineEdit*, kVertexCount> wryhK_{};
    std::array<QListWidget*, 3> list1_{};
    std::array<QPlainTextEdit*, 2> text1_{};
    std::array<QLabel*, 4> label1_{};
    std::array<QPushButton*, 2> command1_{};
    std::array<CubePicture*, 2> picture1_{};
    // The controls by their part in the program.
    QListWidget* methods_ = nullptr;
    QListWidget* previousValues_ = nullptr;
    QListWidget* currentValues_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    Announcer* announcer_ = nullptr;

    Lesson lesson_;
};

} // namespace trezolin
