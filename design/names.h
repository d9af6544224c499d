// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The names the description's JSON gives each value of the description's
// enums, and by which the page and the drivers know them: one table per enum,
// so that a name is spelled once.

#include "design/window_design.h"
#include "runtime/errors.h"

#include <array>
#include <string_view>

namespace trezolin::design {

template <typename Enum>
struct Named {
    Enum value;
    std::string_view name;
};

inline constexpr std::array kRoleNames{
    Named<Role>{Role::FirstCubeVertex, "firstCubeVertex"},
    Named<Role>{Role::SecondCubeVertex, "secondCubeVertex"},
    Named<Role>{Role::Log, "log"},
    Named<Role>{Role::SpareTextBox, "spareTextBox"},
    Named<Role>{Role::MethodList, "methodList"},
    Named<Role>{Role::PreviousValues, "previousValues"},
    Named<Role>{Role::CurrentValues, "currentValues"},
    Named<Role>{Role::StartButton, "startButton"},
    Named<Role>{Role::CheckButton, "checkButton"},
    Named<Role>{Role::Caption, "caption"},
    Named<Role>{Role::Picture, "picture"},
};

inline constexpr std::array kWidgetNames{
    Named<Widget>{Widget::VertexBox, "vertexBox"},
    Named<Widget>{Widget::LogBox, "logBox"},
    Named<Widget>{Widget::ChoiceList, "choiceList"},
    Named<Widget>{Widget::HiddenList, "hiddenList"},
    Named<Widget>{Widget::HiddenText, "hiddenText"},
    Named<Widget>{Widget::Button, "button"},
    Named<Widget>{Widget::Caption, "caption"},
    Named<Widget>{Widget::Picture, "picture"},
};

// SystemColour::None has no name: such a colour is given as red, green, blue.
// The names are CSS's system colours, which the page uses as they are.
inline constexpr std::array kSystemColourNames{
    Named<SystemColour>{SystemColour::Window, "Window"},
    Named<SystemColour>{SystemColour::WindowText, "WindowText"},
    Named<SystemColour>{SystemColour::ButtonFace, "ButtonFace"},
    Named<SystemColour>{SystemColour::ButtonText, "ButtonText"},
};

inline constexpr std::array kAlignmentNames{
    Named<Alignment>{Alignment::Left, "left"},
    Named<Alignment>{Alignment::Centre, "centre"},
};

// ErrorKind::None has no name: there is no sentence for it. The name is the
// key of the kind's sentence in the description's messages.
inline constexpr std::array kErrorKindNames{
    Named<ErrorKind>{ErrorKind::Overflow, "overflow"},
    Named<ErrorKind>{ErrorKind::FloatingPoint, "floatingPoint"},
    Named<ErrorKind>{ErrorKind::Unexpected, "unexpected"},
};

// The value's name in its table; empty for a value the table does not name.
template <typename Enum, std::size_t N>
[[nodiscard]] constexpr std::string_view NameIn(const std::array<Named<Enum>, N>& table, Enum value) noexcept
{
    for (const Named<Enum>& entry : table)
        if (entry.value == value)
            return entry.name;
    return {};
}

[[nodiscard]] constexpr std::string_view RoleName(Role role) noexcept
{
    return NameIn(kRoleNames, role);
}
[[nodiscard]] constexpr std::string_view WidgetName(Widget widget) noexcept
{
    return NameIn(kWidgetNames, widget);
}
[[nodiscard]] constexpr std::string_view SystemColourName(SystemColour colour) noexcept
{
    return NameIn(kSystemColourNames, colour);
}
[[nodiscard]] constexpr std::string_view AlignmentName(Alignment alignment) noexcept
{
    return NameIn(kAlignmentNames, alignment);
}
[[nodiscard]] constexpr std::string_view ErrorKindName(ErrorKind kind) noexcept
{
    return NameIn(kErrorKindNames, kind);
}

} // namespace trezolin::design
