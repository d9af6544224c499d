// The window's description checked once against the facts that matter: the
// 29 controls with their places, tab indexes and texts, and a drawing whose
// edges join neighbouring vertices. The shells are checked against it.

#include "core/cube.h"
#include "design/cube_drawing.h"
#include "design/window_design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace trezolin::design {
namespace {

struct Expected {
    const char* name;
    ControlKind kind;
    int left, top, width, height;  // twips
    int tabIndex;
    bool visible;
    const char* text;
};

constexpr auto kText = ControlKind::TextBox;
constexpr auto kList = ControlKind::ListBox;
constexpr auto kButton = ControlKind::CommandButton;
constexpr auto kLabel = ControlKind::Label;
constexpr auto kPicture = ControlKind::PictureBox;

// Front to back.
const Expected kExpected[] = {
    {"Wryh_k(5)", kText, 7560, 2160, 495, 405, 27, true, ""},
    {"Text1(1)", kText, 1320, 5640, 9495, 1335, 26, false, ""},
    {"Text1(0)", kText, 120, 5040, 10215, 2295, 22, true, ""},
    {"List1(2)", kList, 9120, 1920, 1215, 915, 21, true, ""},
    {"List1(1)", kList, 10080, 0, 975, 1200, 20, false, ""},
    {"List1(0)", kList, 9120, 0, 975, 1200, 19, false, ""},
    {"Command1(1)", kButton, 9120, 4440, 1215, 495, 18, true, "Провери"},
    {"Command1(0)", kButton, 9120, 3720, 1215, 495, 17, true, "Начало"},
    {"Wryh_k(7)", kText, 5760, 600, 495, 405, 16, true, ""},
    {"Wryh_k(6)", kText, 8640, 720, 495, 405, 15, true, ""},
    {"Wryh_k(4)", kText, 4560, 1920, 495, 405, 14, true, ""},
    {"Wryh_k(3)", kText, 5640, 3120, 495, 405, 13, true, ""},
    {"Wryh_k(2)", kText, 8640, 3240, 495, 405, 12, true, ""},
    {"Wryh_k(1)", kText, 7200, 4560, 495, 405, 11, true, ""},
    {"Wryh_k(0)", kText, 4680, 4440, 495, 405, 10, true, ""},
    {"Picture1(1)", kPicture, 4800, 840, 3975, 3855, 9, true, ""},
    {"Wryh_N(7)", kText, 1320, 600, 495, 405, 8, true, "H"},
    {"Wryh_N(6)", kText, 4080, 720, 495, 405, 7, true, "G"},
    {"Wryh_N(5)", kText, 3000, 2160, 495, 405, 6, true, "F"},
    {"Wryh_N(4)", kText, 0, 1920, 495, 405, 5, true, "E"},
    {"Wryh_N(3)", kText, 1080, 3120, 495, 405, 4, true, "D"},
    {"Wryh_N(2)", kText, 4080, 3240, 495, 405, 3, true, "C"},
    {"Wryh_N(1)", kText, 2760, 4560, 495, 405, 2, true, "B"},
    {"Wryh_N(0)", kText, 240, 4440, 495, 405, 1, true, "A"},
    {"Picture1(0)", kPicture, 240, 840, 3975, 3855, 0, true, ""},
    {"Label1(3)", kLabel, 1920, 0, 6375, 375, 28, true, "Trezolin"},
    {"Label1(2)", kLabel, 6840, 480, 975, 375, 25, true, "Сега"},
    {"Label1(1)", kLabel, 2640, 480, 975, 375, 24, true, "Преди"},
    {"Label1(0)", kLabel, 9120, 1560, 1215, 375, 23, true, "Начин "},
};

std::string NameOf(const Control& c)
{
    return std::string(c.array) + "(" + std::to_string(c.index) + ")";
}

TEST(DesignTest, TwentyNineControlsInStackingOrderWithTheirPlacesAndTexts)
{
    ASSERT_EQ(kControls.size(), std::size(kExpected));
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Control& c = kControls[i];
        const Expected& e = kExpected[i];
        EXPECT_EQ(NameOf(c), e.name);
        EXPECT_EQ(c.kind, e.kind) << e.name;
        EXPECT_EQ(c.left, e.left) << e.name;
        EXPECT_EQ(c.top, e.top) << e.name;
        EXPECT_EQ(c.width, e.width) << e.name;
        EXPECT_EQ(c.height, e.height) << e.name;
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
        const bool vertexBox = c.array == "Wryh_N" || c.array == "Wryh_k";
        if (vertexBox) {
            EXPECT_TRUE(c.locked && !c.multiLine) << NameOf(c);
            EXPECT_EQ(c.alignment, Alignment::Centre);
            EXPECT_EQ(c.background, Rgb(224, 224, 224));
            const std::string cube = c.array == "Wryh_N" ? "Преди" : "Сега";
            EXPECT_EQ(c.accessibleName, cube + ", връх " + VertexLetter(c.index));
        }
        if (c.array == "Wryh_N") {
            EXPECT_EQ(c.text, std::string(1, VertexLetter(c.index)));
        }
        if (c.kind == ControlKind::Label) {
            EXPECT_EQ(c.background, Rgb(255, 128, 0));
            EXPECT_TRUE(c.accessibleName.empty()) << "a label is read by its caption";
        }
        // Every control a pupil can reach has a name a screen reader can read.
        if (c.visible && c.kind != ControlKind::Label && c.kind != ControlKind::CommandButton) {
            EXPECT_FALSE(c.accessibleName.empty()) << NameOf(c);
        }
        if (!c.accessibleName.empty()) {
            EXPECT_TRUE(names.insert(std::string(c.accessibleName)).second) << "two controls named " << c.accessibleName;
        }
    }
    const Control* log = FindControl("Text1", 0);
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->locked && log->multiLine && log->showsHelpText);
    EXPECT_FALSE(FindControl("Text1", 1)->locked);
    const Control* methods = FindControl("List1", 2);
    ASSERT_EQ(methods->entries.size(), 3u);
    EXPECT_EQ(methods->entries[0], "Round");
    EXPECT_EQ(methods->entries[2], "Fix");
    EXPECT_EQ(FindControl("Command1", 0)->background, Rgb(128, 128, 255));
    EXPECT_EQ(FindControl("Command1", 1)->background, Rgb(255, 192, 128));
    EXPECT_EQ(FindControl("Command1", 1)->tooltip, "Изчислява средна стойност на съседни върхове");
    EXPECT_EQ(FindControl("Label1", 3)->tooltip, "Великденско яйце");
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

} // namespace
} // namespace trezolin::design
