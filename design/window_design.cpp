// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/window_design.h"

#include "design/compact_layout.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace trezolin::design {

namespace {

constexpr Colour kVertexBoxBackground = Rgb(224, 224, 224);
constexpr Colour kLabelBackground = Rgb(255, 128, 0);

// The controls that hold values for the program alone are never shown.
constexpr bool IsShown(Role role)
{
    const Widget widget = WidgetOf(role);
    return widget != Widget::HiddenList && widget != Widget::HiddenText;
}

// The kinds of control, each naming only what differs from a plain, shown
// control in the window's colours.

constexpr Control VertexBoxAt(Role cube, int vertex, int left, int top, int tabIndex, std::string_view text,
                            std::string_view accessibleName)
{
    return {.array = cube == Role::FirstCubeVertex ? "Wryh_N" : "Wryh_k",
            .index = vertex,
            .role = cube,
            .place = {left, top, 495, 405},
            .tabIndex = tabIndex,
            .text = text,
            .background = kVertexBoxBackground,
            .alignment = Alignment::Centre,
            .accessibleName = accessibleName};
}

// A text box or a list box in the system's window colours.
constexpr Control Box(std::string_view array, Role role, int index, Rect place, int tabIndex,
                      std::span<const std::string_view> entries, std::string_view accessibleName,
                      std::string_view accessibleDescription = {})
{
    return {.array = array,
            .index = index,
            .role = role,
            .place = place,
            .tabIndex = tabIndex,
            .visible = IsShown(role),
            .entries = entries,
            .accessibleName = accessibleName,
            .accessibleDescription = accessibleDescription};
}

constexpr Control CommandButton(Role role, int index, int top, int tabIndex, std::string_view caption,
                                std::string_view tooltip, Colour face)
{
    return {.array = "Command1",
            .index = index,
            .role = role,
            .place = {9120, top, 1215, 495},
            .tabIndex = tabIndex,
            .text = caption,
            .tooltip = tooltip,
            .background = face,
            .foreground = System(SystemColour::ButtonText),
            .alignment = Alignment::Centre};
}

constexpr Control PictureBox(int index, int left, int tabIndex, std::string_view accessibleName)
{
    return {.array = "Picture1",
            .index = index,
            .role = Role::Picture,
            .place = {left, 840, 3975, 3855},
            .tabIndex = tabIndex,
            .background = System(SystemColour::ButtonFace),
            .foreground = System(SystemColour::ButtonText),
            .accessibleName = accessibleName,
            .accessibleDescription = "Чертеж на куб: долна основа A, B, C, D, горна основа E, F, G, H"};
}

constexpr Control Label(int index, Rect place, int tabIndex, std::string_view caption, std::string_view tooltip,
                        SystemColour textColour)
{
    return {.array = "Label1",
            .index = index,
            .role = Role::Caption,
            .place = place,
            .tabIndex = tabIndex,
            .text = caption,
            .tooltip = tooltip,
            .background = kLabelBackground,
            .foreground = System(textColour),
            .alignment = Alignment::Centre};
}

} // namespace

const std::array<Control, 29> kControls = {
    VertexBoxAt(Role::SecondCubeVertex, 5, 7560, 2160, 27, "", "Сега, връх F"),
    Box("Text1", Role::SpareTextBox, 1, {1320, 5640, 9495, 1335}, 26, {}, {}),
    Box("Text1", Role::Log, 0, {120, 5040, 10215, 2295}, 22, {}, "Дневник на промените",
        "Условието на задачата, а след Начало по един ред за всяка промяна"),
    Box("List1", Role::MethodList, 2, {9120, 1920, 1215, 915}, 21, kMethodEntries, "Начин на закръгляване"),
    Box("List1", Role::CurrentValues, 1, {10080, 0, 975, 1200}, 20, {}, "Стойности след последната промяна"),
    Box("List1", Role::PreviousValues, 0, {9120, 0, 975, 1200}, 19, {}, "Стойности преди последната промяна"),
    CommandButton(Role::CheckButton, 1, 4440, 18, "Провери", "Изчислява средна стойност на съседни върхове",
                  Rgb(255, 192, 128)),
    CommandButton(Role::StartButton, 0, 3720, 17, "Начало", "Генерира нови числа", Rgb(128, 128, 255)),
    VertexBoxAt(Role::SecondCubeVertex, 7, 5760, 600, 16, "", "Сега, връх H"),
    VertexBoxAt(Role::SecondCubeVertex, 6, 8640, 720, 15, "", "Сега, връх G"),
    VertexBoxAt(Role::SecondCubeVertex, 4, 4560, 1920, 14, "", "Сега, връх E"),
    VertexBoxAt(Role::SecondCubeVertex, 3, 5640, 3120, 13, "", "Сега, връх D"),
    VertexBoxAt(Role::SecondCubeVertex, 2, 8640, 3240, 12, "", "Сега, връх C"),
    VertexBoxAt(Role::SecondCubeVertex, 1, 7200, 4560, 11, "", "Сега, връх B"),
    VertexBoxAt(Role::SecondCubeVertex, 0, 4680, 4440, 10, "", "Сега, връх A"),
    PictureBox(1, 4800, 9, "Кубът сега"),
    VertexBoxAt(Role::FirstCubeVertex, 7, 1320, 600, 8, "H", "Преди, връх H"),
    VertexBoxAt(Role::FirstCubeVertex, 6, 4080, 720, 7, "G", "Преди, връх G"),
    VertexBoxAt(Role::FirstCubeVertex, 5, 3000, 2160, 6, "F", "Преди, връх F"),
    VertexBoxAt(Role::FirstCubeVertex, 4, 0, 1920, 5, "E", "Преди, връх E"),
    VertexBoxAt(Role::FirstCubeVertex, 3, 1080, 3120, 4, "D", "Преди, връх D"),
    VertexBoxAt(Role::FirstCubeVertex, 2, 4080, 3240, 3, "C", "Преди, връх C"),
    VertexBoxAt(Role::FirstCubeVertex, 1, 2760, 4560, 2, "B", "Преди, връх B"),
    VertexBoxAt(Role::FirstCubeVertex, 0, 240, 4440, 1, "A", "Преди, връх A"),
    PictureBox(0, 240, 0, "Кубът преди промените"),
    Label(3, {1920, 0, 6375, 375}, 28, "Trezolin", "Великденско яйце", SystemColour::WindowText),
    Label(2, {6840, 480, 975, 375}, 25, "Сега", {}, SystemColour::ButtonText),
    Label(1, {2640, 480, 975, 375}, 24, "Преди", {}, SystemColour::ButtonText),
    Label(0, {9120, 1560, 1215, 375}, 23, "Начин ", {}, SystemColour::ButtonText),
};

std::string Control::Name() const
{
    return std::string(array) + "(" + std::to_string(index) + ")";
}

const Control* FindControl(std::string_view array, int index) noexcept
{
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [&](const Control& c) { return c.array == array && c.index == index; });
    return it == kControls.end() ? nullptr : &*it;
}

const Control& ControlWith(Role role) noexcept
{
    // Every role is in the table; the design's tests hold it to that.
    return *std::find_if(kControls.begin(), kControls.end(), [&](const Control& c) { return c.role == role; });
}

const Control& VertexBox(Role cube, int vertex) noexcept
{
    return *std::find_if(kControls.begin(), kControls.end(),
                         [&](const Control& c) { return c.role == cube && c.index == vertex; });
}

const Control& FirstInTabOrder() noexcept
{
    return *std::find_if(kControls.begin(), kControls.end(), [](const Control& c) { return c.tabIndex == 0; });
}

std::size_t RowOf(const Control& control) noexcept
{
    return static_cast<std::size_t>(&control - kControls.data());
}

namespace {

std::vector<std::size_t> DesignedTabOrder()
{
    std::vector<std::size_t> rows;
    for (const Control& c : kControls)
        if (c.TakesFocus())
            rows.push_back(RowOf(c));
    std::sort(rows.begin(), rows.end(),
              [](std::size_t a, std::size_t b) { return kControls[a].tabIndex < kControls[b].tabIndex; });
    return rows;
}

// The column's regions are listed top to bottom; within a region the
// designed tab order holds, but a cube's boxes follow their letters.
std::vector<std::size_t> CompactTabOrder()
{
    const auto key = [](std::size_t row) {
        const Control& c = kControls[row];
        const CompactRegion* region = RegionOf(c);
        const auto regionAt = region ? region - kCompactRegions.data() : std::ssize(kCompactRegions);
        const bool box = WidgetOf(c.role) == Widget::VertexBox;
        return std::tuple(regionAt, box, box ? c.index : c.tabIndex);
    };
    std::vector<std::size_t> rows = DesignedTabOrder();
    std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    return rows;
}

} // namespace

std::span<const std::size_t> TabOrder(Arrangement arrangement) noexcept
{
    static const std::vector<std::size_t> designed = DesignedTabOrder();
    static const std::vector<std::size_t> compact = CompactTabOrder();
    return arrangement == Arrangement::Compact ? compact : designed;
}

} // namespace trezolin::design
