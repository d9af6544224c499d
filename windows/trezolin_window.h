// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Trezolin's one window on Windows, built from the window's description with
// Windows' standard controls, kept by the description's rows. The window is
// the lesson's Screen: it turns a button's click into one Presenter call and
// writes what the presenter gives into its controls; the run of the program
// itself lives in lesson/, the computation in core/.
//
// One click of the check button (the button of index 1):
//   the button sends WM_COMMAND (BN_CLICKED) -> Presenter::Count(1)
//   the message loop, once no further press waits -> Presenter::CatchUp()
//     -> SetText, SetEntry, AppendLog, Say: the changes written into the
//        controls, the newest line said (a UI Automation notification)
//
// Presses that are already waiting in the queue (a burst of clicks) are
// counted before the window shows their result: the controls catch up once,
// before the window handles anything else and before the program waits for
// input, so the screen and the keyboard always meet the window as it stands,
// and a burst costs one update of the controls instead of one per press.

#include "design/languages.h"
#include "lesson/presenter.h"
#include "windows/base_window.h"
#include "windows/controls.h"
#include "windows/notification.h"
#include "windows/window_ids.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trezolin::windows {

class TrezolinWindow final : public BaseWindow<TrezolinWindow>, public Screen {
public:
    static constexpr const wchar_t* kClassName = kWindowClassName;

    // The window in the language; with no random source the lesson seeds one from the clock.
    explicit TrezolinWindow(design::LanguageId language, std::unique_ptr<RandomSource> random = nullptr);
    ~TrezolinWindow() override;
    TrezolinWindow(const TrezolinWindow&) = delete;
    TrezolinWindow& operator=(const TrezolinWindow&) = delete;

    // Makes the window and its controls, runs the load, and places the
    // window in the middle of the screen, not yet shown.
    bool Create(HINSTANCE instance);

    // Takes the Tab key before the dialog manager does: Tab follows the
    // description's tab order, which is not the order in which the controls
    // overlap. True if the message is handled.
    bool PreTranslate(const MSG& message);

    // Whether the message presses a command button (a click's parts, BM_CLICK).
    [[nodiscard]] bool IsPress(const MSG& message) const;

    // Shows what the presses since the last update left, if anything.
    void CatchUp() noexcept { presenter_.CatchUp(); }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The lesson's Screen.
    void SetText(std::size_t row, std::string_view text) override;
    void SetEntries(std::size_t row, std::span<const std::string> entries) override;
    void SetEntry(std::size_t row, std::size_t entry, std::string_view text) override;
    [[nodiscard]] int ChosenRow() const override;
    void Choose(int row) override;
    void ReplaceLog(std::string_view text) override;
    void AppendLog(std::string_view text) override;
    void Say(std::string_view text) override;
    void ShowMessage(std::string_view title, std::string_view text) override;

private:
    void CreateControls(HINSTANCE instance);
    void CreateTooltips(HINSTANCE instance);
    void PlaceInMiddle();
    void Layout(int dpi);
    void SetIcons(int dpi);
    [[nodiscard]] SIZE WindowSize(int dpi) const;
    void MoveFocus(bool backwards);
    void FocusControl(HWND control);
    void OnActivate(bool inactive);
    void OnDpiChanged(int dpi, const RECT& suggested);
    [[nodiscard]] std::optional<LRESULT> OnControlMessage(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] LRESULT OnControlColour(HDC dc, HWND control);
    [[nodiscard]] HBRUSH BrushOf(const design::Colour& colour);
    void OnCommand(int code, HWND from);
    [[nodiscard]] HWND ControlWith(design::Role role) const;

    design::LanguageId language_;
    // The description's controls in the window's language.
    const std::array<design::Control, design::kControls.size()>& controlsIn_;
    // Every control by its row in the description, and the ones Tab reaches, in tab order.
    std::array<HWND, design::kControls.size()> controls_{};
    std::array<ControlState, design::kControls.size()> states_{};
    std::vector<HWND> tabOrder_;
    HWND tooltip_ = nullptr;
    Notifications notifications_;
    // Where there are no notifications: the last text said, kept for a test.
    HWND saidRecord_ = nullptr;

    HINSTANCE instance_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HBRUSH background_ = nullptr;
    std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
    // Where the focus was when the window was last deactivated, to go back there.
    HWND lastFocus_ = nullptr;

    Presenter presenter_;
};

} // namespace trezolin::windows
