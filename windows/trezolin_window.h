// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Trezolin's one window on Windows, built from the window's description with
// Windows' standard controls. It holds the controls in indexed arrays and
// shows the lesson; the run of the program itself lives in lesson/, the
// computation in core/.
//
// One click of "Провери" (Command1(1)):
//   the button sends WM_COMMAND (BN_CLICKED) -> Command1_Click(1)
//     -> Lesson::Do(the check, the method chosen in List1(2)): counts the
//        change, ApplyChange computes the eight new values and appends one
//        log line; an error goes to a message box
//     -> CatchUp(): Show(Lesson::Changes()): the cubes, the hidden lists and
//        the new log lines are written into the controls, and the newest
//        line is said to a screen reader (a UI Automation notification).
// An error stops the command where it happened; the window shows what was
// done so far and says what went wrong.
//
// Presses that are already waiting in the queue (a burst of clicks) are
// counted before the window shows their result: the controls catch up once,
// before the window handles anything else and before the program waits for
// input, so the screen and the keyboard always meet the window as it stands,
// and a burst costs one update of the controls instead of one per press.

#include "lesson/lesson.h"
#include "windows/base_window.h"
#include "windows/controls.h"
#include "windows/notification.h"
#include "windows/window_ids.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trezolin::windows {

class TrezolinWindow : public BaseWindow<TrezolinWindow> {
public:
    static constexpr const wchar_t* kClassName = kWindowClassName;

    // With no random source the lesson seeds one from the clock.
    explicit TrezolinWindow(std::unique_ptr<RandomSource> random = nullptr);
    ~TrezolinWindow();
    TrezolinWindow(const TrezolinWindow&) = delete;
    TrezolinWindow& operator=(const TrezolinWindow&) = delete;

    // Makes the window and its controls, runs the load, and places the
    // window in the middle of the screen, not yet shown.
    bool Create(HINSTANCE instance);

    // Takes the Tab key before the dialog manager does: Tab follows the
    // description's tab order, which is not the order in which the controls
    // overlap. True if the message is handled.
    bool PreTranslate(const MSG& message);

    // The command buttons' handler: 0 is "Начало", 1 is "Провери".
    void Command1_Click(int index);

    // Whether the message presses a command button (a click's parts, BM_CLICK).
    [[nodiscard]] bool IsPress(const MSG& message) const;

    // Shows what the commands since the last update left, if anything.
    void CatchUp() noexcept;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void CreateControls(HINSTANCE instance);
    void CreateTooltips(HINSTANCE instance);
    void Form_Load();
    void Layout(int dpi);
    void SetIcons(int dpi);
    [[nodiscard]] SIZE WindowSize(int dpi) const;
    void MoveFocus(bool backwards);
    void FocusControl(HWND control);
    [[nodiscard]] int ChosenRow() const;
    void Show(const View& view);
    void ShowLog(LogChange change, std::string_view text);
    void Say(std::string_view text);
    void ReportError(ErrorKind error);
    [[nodiscard]] LRESULT OnControlColour(HDC dc, HWND control);
    [[nodiscard]] HBRUSH BrushOf(const design::Colour& colour);
    void OnCommand(int code, HWND from);

    // The controls by array and index.
    std::array<HWND, kVertexCount> wryhN_{};
    std::array<HWND, kVertexCount> wryhK_{};
    std::array<HWND, 3> list1_{};
    std::array<HWND, 2> text1_{};
    std::array<HWND, 4> label1_{};
    std::array<HWND, 2> command1_{};
    std::array<HWND, 2> picture1_{};
    // The controls by their part in the program.
    HWND methods_ = nullptr;
    HWND previousValues_ = nullptr;
    HWND currentValues_ = nullptr;
    HWND log_ = nullptr;
    HWND tooltip_ = nullptr;
    Notifications notifications_;
    // Where there are no notifications: the last text said, kept for a test.
    HWND saidRecord_ = nullptr;

    // Every control by its row in the description, and the ones Tab reaches, in tab order.
    std::array<HWND, design::kControls.size()> controls_{};
    std::array<ControlState, design::kControls.size()> states_{};
    std::vector<HWND> tabOrder_;

    HINSTANCE instance_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HBRUSH background_ = nullptr;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
    // Where the focus was when the window was last deactivated, to go back there.
    HWND lastFocus_ = nullptr;

    Lesson lesson_;
    // Whether a command ran since the controls last showed the lesson, and
    // whether they must take it whole (after they failed to take a change).
    bool behind_ = false;
    bool showWhole_ = false;
};

} // namespace trezolin::windows
