// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's font, shared with the tests' helper, which measures the
// controls' texts in the same font that the window shows them in.

#include "design/window_design.h"
#include "windows/wide_text.h"

#include <windows.h>

#include <string>

namespace trezolin::windows {

// The window's font at this DPI. A system without a face of the design's
// family substitutes one; the shell then names that face itself: Wine 8's
// text layout has been seen to crash now and then on the Bulgarian help text
// in substituted faces (and not in the same face asked for by its own name).
[[nodiscard]] inline HFONT CreateWindowFont(int dpi)
{
    const design::Window& w = design::kWindow;
    const auto create = [&](const wchar_t* face) {
        return CreateFontW(-MulDiv(w.fontPoints, dpi, 72), 0, 0, 0, w.fontWeight, FALSE, FALSE, FALSE,
                           static_cast<DWORD>(w.fontCharSet), OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH | FF_ROMAN, face);
    };
    const std::wstring family = Wide(w.fontFamily);
    HFONT font = create(family.c_str());
    wchar_t face[LF_FACESIZE] = {};
    HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, font);
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    if (face[0] && lstrcmpiW(face, family.c_str()) != 0) {
        DeleteObject(font);
        font = create(face);
    }
    return font;
}

} // namespace trezolin::windows
