// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Windows' standard controls made from the window's description, one kind of
// control for each kind of widget, and what they need beyond Windows' own
// behaviour: colours from the description, buttons painted in their face
// colour, the cube picture, vertex boxes with their text in the middle, and
// each control's accessible object.
//
//   vertex box   EDIT, one line, centred, read-only, no border
//   log box      EDIT, many lines, read-only, vertical scroll bar
//   choice list  LISTBOX, single selection
//   hidden list  LISTBOX, never shown
//   hidden text  EDIT, many lines, never shown
//   button       BUTTON, owner-drawn in its face colour
//   caption      STATIC, centred on its own background
//   picture      a window of this program's own class that draws the cube

#include "design/window_design.h"

#include <windows.h>

#include <oleacc.h>

namespace trezolin::windows {

// What the program keeps for each control: its row in the description and,
// once a screen reader has asked, its accessible object.
struct ControlState {
    const design::Control* control = nullptr;
    IAccessible* accessible = nullptr;
};

// Registers the picture's window class; call once before making controls.
bool RegisterPictureClass(HINSTANCE instance);

// Makes the control, hidden or shown as the description says, at no place
// yet (the window places its controls for its DPI), with the identifier
// `id`. `state` must live as long as the control.
[[nodiscard]] HWND CreateControl(HWND parent, HINSTANCE instance, int id, ControlState& state);

// Windows' colour index (COLOR_...) of a colour role of the description.
[[nodiscard]] int SystemColourIndex(design::SystemColour role) noexcept;

// A colour of the description as Windows' colour, the system's for its roles.
[[nodiscard]] COLORREF ColourRef(const design::Colour& colour) noexcept;

// Paints a button in its face and text colours: raised, sunken while pressed, with a
// dark frame and the focus rectangle while it has the focus.
void DrawFaceButton(const DRAWITEMSTRUCT& item, COLORREF face, COLORREF text);

// A rectangle of the description, in twips, in the pixels of this DPI.
[[nodiscard]] RECT ToDevicePixels(const design::Rect& twips, int dpi) noexcept;

} // namespace trezolin::windows
