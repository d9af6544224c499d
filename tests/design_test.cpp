// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's description checked once against the facts that matter: the
// 29 controls with their places, tab indexes and texts, and a drawing whose
// edges join neighbouring vertices. The shells are checked against it.

#include "core/cube.h"
#include "design/compact_layout.h"
#include "design/cube_drawing.h"
#include "design/description_json.h"
#include "design/installer_texts.h"
#include "design/messages.h"
#include "design/names.h"
#include "design/page.h"
#include "design/window_design.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace trezolin::design {
namespace {

struct Expected {
    const char* name;
    Role role;
    int left, top, width, height;  // twips
    int tabIndex;
    bool visible;
    const char* text;
};

constexpr auto kBefore = Role::FirstCubeVertex;
constexpr auto kNow = Role::SecondCubeVertex;
constexpr auto kLabel = Role::Caption;
constexpr auto kPicture = Role::Picture;

// Front to back.
const Expected kExpected[] = {
    {"Wryh_k(5)", kNow, 7560, 2160, 495, 405, 27, true, ""},
    {"Text1(1)", Role::SpareTextBox, 1320, 5640, 9495, 1335, 26, false, ""},
    {"Text1(0)", Role::Log, 120, 5040, 10215, 2295, 22, true, ""},
    {"List1(2)", Role::MethodList, 9120, 1920, 1215, 915, 21, true, ""},
    {"List1(1)", Role::CurrentValues, 10080, 0, 975, 1200, 20, false, ""},
    {"List1(0)", Role::PreviousValues, 9120, 0, 975, 1200, 19, false, ""},
    {"Command1(1)", Role::CheckButton, 9120, 4440, 1215, 495, 18, true, "Провери"},
    {"Command1(0)", Role::StartButton, 9120, 3720, 1215, 495, 17, true, "Начало"},
    {"Wryh_k(7)", kNow, 5760, 600, 495, 405, 16, true, ""},
    {"Wryh_k(6)", kNow, 8640, 720, 495, 405, 15, true, ""},
    {"Wryh_k(4)", kNow, 4560, 1920, 495, 405, 14, true, ""},
    {"Wryh_k(3)", kNow, 5640, 3120, 495, 405, 13, true, ""},
    {"Wryh_k(2)", kNow, 8640, 3240, 495, 405, 12, true, ""},
    {"Wryh_k(1)", kNow, 7200, 4560, 495, 405, 11, true, ""},
    {"Wryh_k(0)", kNow, 4680, 4440, 495, 405, 10, true, ""},
    {"Picture1(1)", kPicture, 4800, 840, 3975, 3855, 9, true, ""},
    {"Wryh_N(7)", kBefore, 1320, 600, 495, 405, 8, true, "H"},
    {"Wryh_N(6)", kBefore, 4080, 720, 495, 405, 7, true, "G"},
    {"Wryh_N(5)", kBefore, 3000, 2160, 495, 405, 6, true, "F"},
    {"Wryh_N(4)", kBefore, 0, 1920, 495, 405, 5, true, "E"},
    {"Wryh_N(3)", kBefore, 1080, 3120, 495, 405, 4, true, "D"},
    {"Wryh_N(2)", kBefore, 4080, 3240, 495, 405, 3, true, "C"},
    {"Wryh_N(1)", kBefore, 2760, 4560, 495, 405, 2, true, "B"},
    {"Wryh_N(0)", kBefore, 240, 4440, 495, 405, 1, true, "A"},
    {"Picture1(0)", kPicture, 240, 840, 3975, 3855, 0, true, ""},
    {"Label1(3)", kLabel, 1920, 0, 6375, 375, 28, true, "Trezolin"},
    {"Label1(2)", kLabel, 6840, 480, 975, 375, 25, true, "Сега"},
    {"Label1(1)", kLabel, 2640, 480, 975, 375, 24, true, "Преди"},
    {"Label1(0)", kLabel, 9120, 1560, 1215, 375, 23, true, "Начин "},
};

std::string NameOf(const Control& c)
{
    return c.Name();
}

TEST(DesignTest, TwentyNineControlsInStackingOrderWithTheirPlacesAndTexts)
{
    ASSERT_EQ(kControls.size(), std::size(kExpected));
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Control& c = kControls[i];
        const Expected& e = kExpected[i];
        EXPECT_EQ(NameOf(c), e.name);
        EXPECT_EQ(c.role, e.role) << e.name;
        EXPECT_EQ(c.place, (Rect{e.left, e.top, e.width, e.height})) << e.name;
        EXPECT_EQ(c.tabIndex, e.tabIndex) << e.name;
        EXPECT_EQ(c.visible, e.visible) << e.name;
        EXPECT_EQ(c.text, e.text) << e.name;
        EXPECT_EQ(FindControl(c.array, c.index), &c) << e.name;
    }
    EXPECT_EQ(FindControl("Wryh_k", 8), nullptr);
    EXPECT_EQ(kWindow.clientWidth / kTwipsPerPixel, 699);
    EXPECT_EQ(kWindow.clientHeight / kTwipsPerPixel, 496);
}

TEST(DesignTest, SettingsThatTheShellsRelyOn)
{
    std::set<std::string> names;
    for (const Control& c : kControls) {
        const bool vertexBox = WidgetOf(c.role) == Widget::VertexBox;
        if (vertexBox) {
            EXPECT_EQ(&VertexBox(c.role, c.index), &c);
            EXPECT_EQ(c.alignment, Alignment::Centre);
            EXPECT_EQ(c.background, Rgb(224, 224, 224));
            const std::string cube = c.array == "Wryh_N" ? "Преди" : "Сега";
            EXPECT_EQ(c.accessibleName, cube + ", връх " + VertexLetter(c.index));
        }
        if (c.array == "Wryh_N") {
            EXPECT_EQ(c.text, std::string(1, VertexLetter(c.index)));
        }
        if (c.role == Role::Caption) {
            EXPECT_EQ(c.background, Rgb(255, 128, 0));
            EXPECT_TRUE(c.accessibleName.empty()) << "a label is read by its caption";
        }
        // Every control a pupil can reach has a name a screen reader can read.
        if (c.visible && c.role != Role::Caption && WidgetOf(c.role) != Widget::Button) {
            EXPECT_FALSE(c.accessibleName.empty()) << NameOf(c);
        }
        if (!c.accessibleName.empty()) {
            EXPECT_TRUE(names.insert(std::string(c.accessibleName)).second) << "two controls named " << c.accessibleName;
        }
    }
    // The parts held by one control each, and the widget each becomes.
    const struct {
        Role role;
        const char* name;
        Widget widget;
    } single[] = {
        {Role::Log, "Text1(0)", Widget::LogBox},
        {Role::SpareTextBox, "Text1(1)", Widget::HiddenText},
        {Role::MethodList, "List1(2)", Widget::ChoiceList},
        {Role::PreviousValues, "List1(0)", Widget::HiddenList},
        {Role::CurrentValues, "List1(1)", Widget::HiddenList},
        {Role::StartButton, "Command1(0)", Widget::Button},
        {Role::CheckButton, "Command1(1)", Widget::Button},
    };
    for (const auto& s : single) {
        EXPECT_EQ(ControlWith(s.role).Name(), s.name);
        EXPECT_EQ(WidgetOf(s.role), s.widget) << s.name;
        EXPECT_EQ(std::count_if(kControls.begin(), kControls.end(), [&](const Control& c) { return c.role == s.role; }),
                  1) << s.name;
    }
    EXPECT_EQ(FirstInTabOrder().Name(), "Picture1(0)");
    const Control& methods = ControlWith(Role::MethodList);
    ASSERT_EQ(methods.entries.size(), 3u);
    EXPECT_EQ(methods.entries[0], "Round");
    EXPECT_EQ(methods.entries[2], "Fix");
    EXPECT_EQ(ControlWith(Role::StartButton).background, Rgb(128, 128, 255));
    EXPECT_EQ(ControlWith(Role::CheckButton).background, Rgb(255, 192, 128));
    EXPECT_EQ(ControlWith(Role::CheckButton).Description(), "Изчислява средна стойност на съседни върхове");
    EXPECT_EQ(FindControl("Label1", 3)->tooltip, "Великденско яйце");
    // The title's tooltip is no description for a screen reader to read out.
    EXPECT_TRUE(FindControl("Label1", 3)->Description().empty());
}

// Tab visits what a pupil can use, in each arrangement: as designed by tab
// index (the right cube's F late, as the window always had it), and in the
// compact column from the top down, each cube's boxes from A to H.
TEST(DesignTest, TabOrderOfEachArrangement)
{
    const auto cube = [](const std::string& array) {
        std::vector<std::string> names;
        for (int v = 0; v < 8; ++v)
            names.push_back(array + "(" + std::to_string(v) + ")");
        return names;
    };
    const auto join = [](std::initializer_list<std::vector<std::string>> parts) {
        std::vector<std::string> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    std::vector<std::string> rightCubeButF = cube("Wryh_k");
    rightCubeButF.erase(rightCubeButF.begin() + 5);
    const struct {
        Arrangement arrangement;
        std::vector<std::string> names;
    } orders[] = {
        {Arrangement::Designed,
         join({{"Picture1(0)"}, cube("Wryh_N"), {"Picture1(1)"}, rightCubeButF,
               {"Command1(0)", "Command1(1)", "List1(2)", "Text1(0)", "Wryh_k(5)"}})},
        {Arrangement::Compact,
         join({{"Picture1(1)"}, cube("Wryh_k"), {"List1(2)", "Command1(0)", "Command1(1)", "Text1(0)", "Picture1(0)"},
               cube("Wryh_N")})},
    };
    for (const auto& o : orders) {
        std::vector<std::string> names;
        for (const std::size_t row : TabOrder(o.arrangement)) {
            names.push_back(kControls.at(row).Name());
            EXPECT_EQ(RowOf(kControls[row]), row);
        }
        EXPECT_EQ(names, o.names) << static_cast<int>(o.arrangement);
    }
    // Labels and hidden controls never take the focus; every name is spoken without trailing spaces.
    EXPECT_FALSE(FindControl("Label1", 0)->TakesFocus());
    EXPECT_FALSE(ControlWith(Role::PreviousValues).TakesFocus());
    EXPECT_EQ(FindControl("Label1", 0)->SpokenName(), "Начин");
    EXPECT_EQ(ControlWith(Role::StartButton).SpokenName(), "Начало");
    EXPECT_EQ(VertexBox(Role::SecondCubeVertex, 5).SpokenName(), "Сега, връх F");
}

TEST(DesignTest, TheDrawingsEdgesJoinNeighboursAndOnlyThoseAtDAreDashed)
{
    std::set<std::pair<int, int>> edges;
    for (const Edge& e : kEdges) {
        const VertexNeighbours n = CubeNeighbours(e.from);
        EXPECT_TRUE(e.to == n.nextOnFace || e.to == n.previousOnFace || e.to == n.otherFace)
            << e.from << "-" << e.to;
        EXPECT_EQ(e.dashed, e.from == 3 || e.to == 3) << e.from << "-" << e.to;
        edges.insert(std::minmax(e.from, e.to));
        for (int v : {e.from, e.to}) {
            EXPECT_GE(kCorners[v].x, 0);
            EXPECT_LT(kCorners[v].x, kDrawingWidth);
            EXPECT_LT(kCorners[v].y, kDrawingHeight);
        }
    }
    EXPECT_EQ(edges.size(), 12u);
}

TEST(DesignTest, EveryErrorHasItsOwnSentence)
{
    std::set<std::string_view> sentences;
    for (ErrorKind kind : {ErrorKind::Overflow, ErrorKind::FloatingPoint, ErrorKind::Unexpected})
        EXPECT_TRUE(sentences.insert(ErrorMessage(kind)).second && !ErrorMessage(kind).empty());
    EXPECT_TRUE(ErrorMessage(ErrorKind::Overflow).starts_with("Препълване"));
    EXPECT_TRUE(ErrorMessage(ErrorKind::Unexpected).starts_with("Неочаквана грешка"));
    EXPECT_TRUE(ErrorMessage(ErrorKind::None).empty());
}

// The description as the page and the drivers read it, parsed.
nlohmann::json ParsedDescription()
{
    return nlohmann::json::parse(DescriptionJson());
}

nlohmann::json Numbers(const Rect& r)
{
    return {r.left, r.top, r.width, r.height};
}

nlohmann::json ColourJson(const Colour& colour)
{
    if (colour.system == SystemColour::None)
        return {{"rgb", {colour.red, colour.green, colour.blue}}};
    return {{"system", std::string(SystemColourName(colour.system))}};
}

TEST(DesignTest, TheJsonDescriptionHoldsEveryControlInPixels)
{
    const nlohmann::json json = ParsedDescription();
    const nlohmann::json& controls = json.at("controls");
    ASSERT_EQ(controls.size(), kControls.size());
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const Control& c = kControls[row];
        const nlohmann::json& got = controls[row];
        SCOPED_TRACE(c.Name());
        EXPECT_EQ(got.at("name"), c.Name());
        EXPECT_EQ(got.at("array"), c.array);
        EXPECT_EQ(got.at("index"), c.index);
        EXPECT_EQ(got.at("role"), RoleName(c.role));
        EXPECT_EQ(got.at("widget"), WidgetName(WidgetOf(c.role)));
        EXPECT_EQ(got.at("twips"), Numbers(c.place));
        EXPECT_EQ(got.at("pixels"), Numbers(ToPixels(c.place)));
        EXPECT_EQ(got.at("tabIndex"), c.tabIndex);
        EXPECT_EQ(got.at("text"), c.text);
        EXPECT_EQ(got.at("tooltip"), c.tooltip);
        EXPECT_EQ(got.at("background"), ColourJson(c.background));
        EXPECT_EQ(got.at("foreground"), ColourJson(c.foreground));
        EXPECT_EQ(got.at("centred"), c.alignment == Alignment::Centre);
        EXPECT_EQ(got.at("visible"), c.visible);
        ASSERT_EQ(got.at("entries").size(), c.entries.size());
        for (std::size_t i = 0; i < c.entries.size(); ++i)
            EXPECT_EQ(got.at("entries")[i], c.entries[i]);
        EXPECT_EQ(got.at("accessibleName"), c.accessibleName);
        EXPECT_EQ(got.at("accessibleDescription"), c.accessibleDescription);
    }
    // One control spelled out in full, in case the description and this test
    // went wrong together.
    const nlohmann::json check = controls[6];
    EXPECT_EQ(check.at("name"), "Command1(1)");
    EXPECT_EQ(check.at("role"), "checkButton");
    EXPECT_EQ(check.at("widget"), "button");
    EXPECT_EQ(check.at("twips"), nlohmann::json({9120, 4440, 1215, 495}));
    EXPECT_EQ(check.at("pixels"), nlohmann::json({608, 296, 81, 33}));
    EXPECT_EQ(check.at("text"), "Провери");

    const nlohmann::json& window = json.at("window");
    EXPECT_EQ(window.at("title"), kWindow.title);
    EXPECT_EQ(window.at("twips"), nlohmann::json({10485, 7440}));
    EXPECT_EQ(window.at("pixels"), nlohmann::json({699, 496}));
    EXPECT_EQ(window.at("background"), nlohmann::json::parse(R"({"rgb":[192,192,255]})"));
    EXPECT_EQ(window.at("fontFamily"), kWindow.fontFamily);
    EXPECT_EQ(window.at("firstFocus"), "Picture1(0)");
    EXPECT_EQ(json.at("twipsPerPixel"), kTwipsPerPixel);
}

TEST(DesignTest, TheJsonDescriptionHoldsTheDrawingTheMessagesAndTheAnnouncement)
{
    const nlohmann::json json = ParsedDescription();
    const nlohmann::json& drawing = json.at("drawing");
    EXPECT_EQ(drawing.at("width"), kDrawingWidth);
    EXPECT_EQ(drawing.at("height"), kDrawingHeight);
    ASSERT_EQ(drawing.at("corners").size(), kCorners.size());
    for (std::size_t i = 0; i < kCorners.size(); ++i)
        EXPECT_EQ(drawing.at("corners")[i], nlohmann::json({kCorners[i].x, kCorners[i].y})) << i;
    ASSERT_EQ(drawing.at("edges").size(), kEdges.size());
    for (std::size_t i = 0; i < kEdges.size(); ++i) {
        const nlohmann::json& edge = drawing.at("edges")[i];
        EXPECT_EQ(edge.at("from"), kEdges[i].from) << i;
        EXPECT_EQ(edge.at("to"), kEdges[i].to) << i;
        EXPECT_EQ(edge.at("dashed"), kEdges[i].dashed) << i;
    }
    EXPECT_EQ(drawing.at("dashLength"), kDashLength);
    EXPECT_EQ(drawing.at("dashGap"), kDashGap);

    const nlohmann::json& messages = json.at("messages");
    EXPECT_EQ(messages.size(), 5U);
    EXPECT_EQ(messages.at("button"), kMessageButton);
    EXPECT_EQ(messages.at("loadFailure"), kLoadFailure);
    for (const ErrorKind kind : {ErrorKind::Overflow, ErrorKind::FloatingPoint, ErrorKind::Unexpected})
        EXPECT_EQ(messages.at(std::string(ErrorKindName(kind))), ErrorMessage(kind));
    EXPECT_EQ(messages.at("overflow"), ErrorMessage(ErrorKind::Overflow));
    EXPECT_EQ(json.at("announcements").at("start"), kStartAnnouncement);
    EXPECT_EQ(json.at("announcements").at("valueSeparator"), kAnnouncedValueSeparator);

    // The installer's texts, for the Windows build; the copyright line the
    // program's version information carries as well.
    const nlohmann::json& installer = json.at("installer");
    EXPECT_EQ(installer.size(), 3U);
    EXPECT_EQ(installer.at("legalCopyright"), kLegalCopyright);
    EXPECT_EQ(installer.at("comment"), kInstallerComment);
    EXPECT_EQ(installer.at("downgradeMessage"), kDowngradeMessage);
    EXPECT_EQ(std::string_view(TREZOLIN_LEGAL_COPYRIGHT), kLegalCopyright);
    EXPECT_NE(kLegalCopyright.find("GPL-3.0-or-later"), std::string_view::npos);
}

// Each table names every value it should, each with its own name.
template <typename Enum, std::size_t N>
void ExpectNamedOnce(const std::array<Named<Enum>, N>& table, std::initializer_list<Enum> values)
{
    std::set<std::string_view> names;
    for (const Enum value : values) {
        const std::string_view name = NameIn(table, value);
        EXPECT_FALSE(name.empty()) << static_cast<int>(value);
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    EXPECT_EQ(names.size(), N);
}

TEST(DesignTest, EachEnumsNamesComeFromOneTableWithEveryValueNamedOnce)
{
    ExpectNamedOnce(kRoleNames, {Role::FirstCubeVertex, Role::SecondCubeVertex, Role::Log, Role::SpareTextBox,
                                 Role::MethodList, Role::PreviousValues, Role::CurrentValues, Role::StartButton,
                                 Role::CheckButton, Role::Caption, Role::Picture});
    ExpectNamedOnce(kWidgetNames, {Widget::VertexBox, Widget::LogBox, Widget::ChoiceList, Widget::HiddenList,
                                   Widget::HiddenText, Widget::Button, Widget::Caption, Widget::Picture});
    ExpectNamedOnce(kSystemColourNames, {SystemColour::Window, SystemColour::WindowText, SystemColour::ButtonFace,
                                         SystemColour::ButtonText});
    ExpectNamedOnce(kAlignmentNames, {Alignment::Left, Alignment::Centre});
    ExpectNamedOnce(kErrorKindNames, {ErrorKind::Overflow, ErrorKind::FloatingPoint, ErrorKind::Unexpected});
    // The values that are never named: a colour given as red, green, blue, and no error.
    EXPECT_TRUE(SystemColourName(SystemColour::None).empty());
    EXPECT_TRUE(ErrorKindName(ErrorKind::None).empty());
    EXPECT_EQ(RoleName(Role::CheckButton), "checkButton");
    EXPECT_EQ(ErrorKindName(ErrorKind::FloatingPoint), "floatingPoint");
}

// The compact column, where the window does not fit the screen's width.

bool Overlap(const Rect& a, const Rect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
           && b.top < a.top + a.height;
}

bool IsCubePart(const Control& c, Role cube)
{
    const int picture = cube == kBefore ? 0 : 1;
    return c.role == cube || (c.role == kPicture && c.index == picture) || (c.role == kLabel && c.index == picture + 1);
}

TEST(CompactLayoutTest, EveryShownControlIsPlacedOnceAndNoHiddenOne)
{
    for (const Control& c : kControls) {
        const auto holding = std::count_if(kCompactRegions.begin(), kCompactRegions.end(),
                                           [&](const CompactRegion& r) { return Holds(r.from, c.place); });
        EXPECT_EQ(holding, c.visible ? 1 : 0) << NameOf(c);
        EXPECT_EQ(CompactPlace(c).has_value(), c.visible) << NameOf(c);
    }
    // A region that changes size holds one control: a group only moves.
    for (const CompactRegion& r : kCompactRegions) {
        const auto held = std::count_if(kControls.begin(), kControls.end(),
                                        [&](const Control& c) { return c.visible && Holds(r.from, c.place); });
        EXPECT_GE(held, 1) << r.what;
        if (r.from.width != r.to.width || r.from.height != r.to.height) {
            EXPECT_EQ(held, 1) << r.what;
        }
    }
}

TEST(CompactLayoutTest, TheColumnAddsNoOverlap)
{
    // Two controls overlap in the column only where they overlap in the
    // designed window and move together: a vertex box on its cube's picture.
    int overlaps = 0;
    for (const Control& a : kControls) {
        for (const Control& b : kControls) {
            if (&a >= &b || !a.visible || !b.visible || !Overlap(*CompactPlace(a), *CompactPlace(b)))
                continue;
            ++overlaps;
            EXPECT_TRUE(Overlap(a.place, b.place) && RegionOf(a) == RegionOf(b)) << NameOf(a) << " and " << NameOf(b);
        }
    }
    EXPECT_GT(overlaps, 0) << "the vertex boxes stand on the pictures' edges";
}

TEST(CompactLayoutTest, TheColumnFitsAPhoneAndItsFirstScreenShowsWhatATapDid)
{
    // The column fits a screen 320 pixels wide.
    EXPECT_LE(kCompact.width / kTwipsPerPixel, 320);
    for (const Control& c : kControls) {
        if (const auto r = CompactPlace(c)) {
            EXPECT_TRUE(Holds({0, 0, kCompact.width, kCompact.height}, *r)) << NameOf(c);
        }
    }
    // Down to the first screen: the right cube, the method list, both
    // buttons and the log; the left cube below. On a phone of 360 x 740 the
    // column is scaled to the width (9/8) and the first screen still fits.
    for (const Control& c : kControls) {
        const auto r = CompactPlace(c);
        if (!r || (c.role == kLabel && c.index == 3))
            continue;
        const bool first = !IsCubePart(c, kBefore);
        EXPECT_EQ(r->top + r->height <= kCompact.firstScreen, first) << NameOf(c);
    }
    EXPECT_LE(kCompact.firstScreen / kTwipsPerPixel * 360 / 320, 740);
    EXPECT_LE(kCompact.firstScreen, kCompact.height);
}

TEST(CompactLayoutTest, TargetsForAFingerAndNoControlSmallerThanDesigned)
{
    for (const Control& c : kControls) {
        const auto r = CompactPlace(c);
        if (!r)
            continue;
        const Rect px = ToPixels(*r);
        const Widget widget = WidgetOf(c.role);
        if (widget == Widget::Button || widget == Widget::VertexBox) {
            EXPECT_GE(px.width, kMinimumTargetPixels) << NameOf(c);
            EXPECT_GE(px.height, kMinimumTargetPixels) << NameOf(c);
        }
        if (widget == Widget::ChoiceList) {
            const int rows = static_cast<int>(c.entries.size());
            EXPECT_GE((px.height - 2 * kListFramePixels) / rows, kMinimumTargetPixels) << NameOf(c);
        }
        // Text never gets less room than designed, but for the title and
        // the log, whose texts fit (the title) or wrap (the log) in the column.
        EXPECT_GE(r->height, c.place.height) << NameOf(c);
        const bool narrower = c.role == Role::Log || (c.role == kLabel && c.index == 3);
        if (!narrower) {
            EXPECT_GE(r->width, c.place.width) << NameOf(c);
        }
    }
}

TEST(CompactLayoutTest, EachCubeKeepsItsShapeSoTheCornersMeetTheirBoxes)
{
    for (const Role cube : {kBefore, kNow}) {
        const Control& picture = *FindControl("Picture1", cube == kBefore ? 0 : 1);
        const Rect p = *CompactPlace(picture);
        EXPECT_EQ((std::pair{p.width, p.height}), (std::pair{picture.place.width, picture.place.height}));
        for (const Control& c : kControls) {
            if (!IsCubePart(c, cube))
                continue;
            const Rect r = *CompactPlace(c);
            EXPECT_EQ(r.left - p.left, c.place.left - picture.place.left) << NameOf(c);
            EXPECT_EQ(r.top - p.top, c.place.top - picture.place.top) << NameOf(c);
        }
    }
}

TEST(CompactLayoutTest, TheJsonDescriptionHoldsTheColumn)
{
    const nlohmann::json json = ParsedDescription();
    EXPECT_EQ(json.at("compact"), nlohmann::json::parse(R"({"pixels":[320,928],"firstScreen":613})"));
    EXPECT_EQ(json.at("minimumTarget"), 24);
    EXPECT_EQ(json.at("minimumTarget"), kMinimumTargetPixels);
    EXPECT_EQ(json.at("listFrame"), kListFramePixels);
    // Each control's compact place follows its designed one.
    const nlohmann::json& controls = json.at("controls");
    for (std::size_t row = 0; row < kControls.size(); ++row) {
        const auto compact = CompactPlace(kControls[row]);
        EXPECT_EQ(controls[row].at("compact"), compact ? Numbers(ToPixels(*compact)) : nlohmann::json())
            << kControls[row].Name();
    }
    EXPECT_EQ(controls[6].at("compact"), nlohmann::json({105, 404, 207, 40}));
    EXPECT_TRUE(controls[5].at("compact").is_null());  // List1(0), never shown
}

// The page shows the designed window from twice the column's width: where a
// 1280 x 720 window at 200 % zoom (640 CSS pixels) would leave half its width
// beside the column. Scaled down to that width, the window's targets still
// fit a finger.
TEST(CompactLayoutTest, ThePageShowsTheDesignedWindowFromTwiceTheColumnsWidthWithTargetsForAFinger)
{
    const int columnPixels = kCompact.width / kTwipsPerPixel;
    EXPECT_EQ(kPageDesignedFromPixels, 2 * columnPixels);
    EXPECT_LE(kPageDesignedFromPixels, 1280 * 100 / 200);
    const double scale = static_cast<double>(kPageDesignedFromPixels) / (kWindow.clientWidth / kTwipsPerPixel);
    EXPECT_LT(scale, 1.0);
    for (const Control& c : kControls) {
        const Widget widget = WidgetOf(c.role);
        if (!c.visible || (widget != Widget::Button && widget != Widget::VertexBox))
            continue;
        const Rect px = ToPixels(c.place);
        EXPECT_GE(std::min(px.width, px.height) * scale, kMinimumTargetPixels) << NameOf(c);
    }
}

TEST(CompactLayoutTest, TheJsonDescriptionHoldsWhatOnlyThePageShows)
{
    const nlohmann::json page = ParsedDescription().at("page");
    EXPECT_EQ(page.at("needsScript"), kPageNeedsScript);
    EXPECT_EQ(page.at("licence"), kPageLicence);
    EXPECT_EQ(page.at("languageLabel"), kPageLanguageLabel);
    EXPECT_EQ(page.at("fontFallbacks"), nlohmann::json({"Liberation Serif", "serif"}));
    EXPECT_EQ(page.at("designedFrom"), 640);
    std::set<std::string> names;
    for (const nlohmann::json& colour : page.at("colours")) {
        EXPECT_TRUE(names.insert(colour.at("name").get<std::string>()).second) << colour;
        EXPECT_EQ(colour.at("rgb").size(), 3U) << colour;
        EXPECT_TRUE(colour.at("opacity") > 0 && colour.at("opacity") <= 100) << colour;
    }
    EXPECT_EQ(names.size(), kPageColours.size());
    EXPECT_TRUE(names.contains("highlight") && names.contains("backdrop"));
}

} // namespace
} // namespace trezolin::design
