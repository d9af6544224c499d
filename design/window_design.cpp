#include "design/window_design.h"

#include <algorithm>

namespace trezolin::design {

namespace {

constexpr Colour kVertexBoxBackground = Rgb(224, 224, 224);
constexpr Colour kLabelBackground = Rgb(255, 128, 0);

// The kinds of control, each with the settings its kind shares.

constexpr Control VertexBox(std::string_view array, int index, int left, int top, int tabIndex,
                            std::string_view text, std::string_view accessibleName)
{
    return {array, index, ControlKind::TextBox, left, top, 495, 405, tabIndex, text, {},
            kVertexBoxBackground, System(SystemColour::WindowText), Alignment::Centre,
            true, true, false, false, {}, accessibleName, {}};
}

constexpr Control TextBox(int index, int left, int top, int width, int height, int tabIndex, bool visible,
                          bool isLog, std::string_view accessibleName, std::string_view accessibleDescription)
{
    return {"Text1", index, ControlKind::TextBox, left, top, width, height, tabIndex, {}, {},
            System(SystemColour::Window), System(SystemColour::WindowText), Alignment::Left,
            visible, isLog, true, isLog, {}, accessibleName, accessibleDescription};
}

constexpr Control ListBox(int index, int left, int top, int width, int height, int tabIndex, bool visible,
                          std::span<const std::string_view> entries, std::string_view accessibleName)
{
    return {"List1", index, ControlKind::ListBox, left, top, width, height, tabIndex, {}, {},
            System(SystemColour::Window), System(SystemColour::WindowText), Alignment::Left,
            visible, false, false, false, entries, accessibleName, {}};
}

constexpr Control CommandButton(int index, int top, int tabIndex, std::string_view caption,
                                std::string_view tooltip, Colour face)
{
    return {"Command1", index, ControlKind::CommandButton, 9120, top, 1215, 495, tabIndex, caption, tooltip,
            face, System(SystemColour::ButtonText), Alignment::Centre,
            true, false, false, false, {}, {}, {}};
}

constexpr Control PictureBox(int index, int left, int tabIndex, std::string_view accessibleName)
{
    return {"Picture1", index, ControlKind::PictureBox, left, 840, 3975, 3855, tabIndex, {}, {},
            System(SystemColour::ButtonFace), System(SystemColour::ButtonText), Alignment::Left,
            true, false, false, false, {}, accessibleName,
            "Чертеж на куб: долна основа A, B, C, D, горна основа E, F, G, H"};
}

constexpr Control Label(int index, int left, int top, int width, int tabIndex, std::string_view caption,
                        std::string_view tooltip, SystemColour textColour)
{
    return {"Label1", index, ControlKind::Label, left, top, width, 375, tabIndex, caption, tooltip,
            kLabelBackground, System(textColour), Alignment::Centre,
            true, false, false, false, {}, {}, {}};
}

} // namespace

const std::array<Control, 29> kControls = {
    VertexBox("Wryh_k", 5, 7560, 2160, 27, "", "Сега, връх F"),
    TextBox(1, 1320, 5640, 9495, 1335, 26, false, false, {}, {}),
    TextBox(0, 120, 5040, 10215, 2295, 22, true, true, "Дневник на промените",
            "Условието на задачата, а след Начало по един ред за всяка промяна"),
    ListBox(2, 9120, 1920, 1215, 915, 21, true, kMethodEntries, "Начин на закръгляване"),
    ListBox(1, 10080, 0, 975, 1200, 20, false, {}, "Стойности след последната промяна"),
    ListBox(0, 9120, 0, 975, 1200, 19, false, {}, "Стойности преди последната промяна"),
    CommandButton(1, 4440, 18, "Провери", "Изчислява средна стойност на съседни върхове", Rgb(255, 192, 128)),
    CommandButton(0, 3720, 17, "Начало", "Генерира нови числа", Rgb(128, 128, 255)),
    VertexBox("Wryh_k", 7, 5760, 600, 16, "", "Сега, връх H"),
    VertexBox("Wryh_k", 6, 8640, 720, 15, "", "Сега, връх G"),
    VertexBox("Wryh_k", 4, 4560, 1920, 14, "", "Сега, връх E"),
    VertexBox("Wryh_k", 3, 5640, 3120, 13, "", "Сега, връх D"),
    VertexBox("Wryh_k", 2, 8640, 3240, 12, "", "Сега, връх C"),
    VertexBox("Wryh_k", 1, 7200, 4560, 11, "", "Сега, връх B"),
    VertexBox("Wryh_k", 0, 4680, 4440, 10, "", "Сега, връх A"),
    PictureBox(1, 4800, 9, "Кубът сега"),
    VertexBox("Wryh_N", 7, 1320, 600, 8, "H", "Преди, връх H"),
    VertexBox("Wryh_N", 6, 4080, 720, 7, "G", "Преди, връх G"),
    VertexBox("Wryh_N", 5, 3000, 2160, 6, "F", "Преди, връх F"),
    VertexBox("Wryh_N", 4, 0, 1920, 5, "E", "Преди, връх E"),
    VertexBox("Wryh_N", 3, 1080, 3120, 4, "D", "Преди, връх D"),
    VertexBox("Wryh_N", 2, 4080, 3240, 3, "C", "Преди, връх C"),
    VertexBox("Wryh_N", 1, 2760, 4560, 2, "B", "Преди, връх B"),
    VertexBox("Wryh_N", 0, 240, 4440, 1, "A", "Преди, връх A"),
    PictureBox(0, 240, 0, "Кубът преди промените"),
    Label(3, 1920, 0, 6375, 28, "Trezolin", "Великденско яйце", SystemColour::WindowText),
    Label(2, 6840, 480, 975, 25, "Сега", {}, SystemColour::ButtonText),
    Label(1, 2640, 480, 975, 24, "Преди", {}, SystemColour::ButtonText),
    Label(0, 9120, 1560, 1215, 23, "Начин ", {}, SystemColour::ButtonText),
};

const Control* FindControl(std::string_view array, int index) noexcept
{
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [&](const Control& c) { return c.array == array && c.index == index; });
    return it == kControls.end() ? nullptr : &*it;
}

} // namespace trezolin::design
