// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the window looks like: the drawing of the cube and the colours of the
// controls, read back from rendered pixels.

#include "ui/app_icon.h"
#include "ui/cube_picture.h"
#include "pixel_helpers.h"
#include "window_fixture.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <vector>

namespace trezolin {
namespace {

using testing::IsBlack;
using testing::IsWhite;
using testing::kDrawingX;
using testing::kDrawingY;
// The window tests of this file, under a suite name of their own.
using WindowPixelsTest = testing::WindowTest;

bool Near(QRgb c, const QColor& expected, int tolerance)
{
    return std::abs(qRed(c) - expected.red()) <= tolerance &&
           std::abs(qGreen(c) - expected.green()) <= tolerance &&
           std::abs(qBlue(c) - expected.blue()) <= tolerance;
}

std::string Describe(QRgb c)
{
    return "(" + std::to_string(qRed(c)) + ", " + std::to_string(qGreen(c)) + ", " +
           std::to_string(qBlue(c)) + ")";
}

QImage Drawing()
{
    QImage image(kCubeDrawingSize, QImage::Format_RGB32);
    image.fill(Qt::red);  // anything the drawing leaves out would show
    QPainter painter(&image);
    DrawCube(painter);
    return image;
}

// Lengths of the black and white runs along a line of pixels.
std::vector<int> Runs(const QImage& image, QPoint from, QPoint step, int count, bool& startsBlack)
{
    std::vector<int> runs;
    bool black = IsBlack(image.pixel(from));
    startsBlack = black;
    int length = 0;
    for (int n = 0; n < count; ++n, from += step) {
        if (IsBlack(image.pixel(from)) != black) {
            runs.push_back(length);
            black = !black;
            length = 0;
        }
        ++length;
    }
    runs.push_back(length);
    return runs;
}

TEST(CubeDrawingTest, WhiteBackgroundWithSolidVisibleEdges)
{
    const QImage image = Drawing();
    ASSERT_EQ(image.size(), QSize(261, 256));
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(IsBlack(image.pixel(CubeCorner(i)))) << "vertex " << i;
    const QPoint solid[] = {
        {96, 245}, {176, 165}, {96, 85}, {16, 165},  // front face
        {169, 14}, {249, 94},                        // back top and right
        {52, 50}, {212, 50}, {212, 210},             // depth edges, near their middles
    };
    for (const QPoint p : solid) {
        // A one-pixel line: the pixel is black, or the one beside it for a slanted edge.
        const bool onLine = IsBlack(image.pixel(p)) || IsBlack(image.pixel(p + QPoint(1, 0))) ||
                            IsBlack(image.pixel(p - QPoint(1, 0)));
        EXPECT_TRUE(onLine) << p.x() << "," << p.y();
    }
    // Solid edges have no gaps.
    for (int x = 17; x < 176; ++x)
        ASSERT_TRUE(IsBlack(image.pixel(x, 245))) << x;
    // One pixel wide, white on both sides, and no colour anywhere.
    EXPECT_TRUE(IsWhite(image.pixel(96, 244)));
    EXPECT_TRUE(IsWhite(image.pixel(96, 246)));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_TRUE(IsBlack(image.pixel(x, y)) || IsWhite(image.pixel(x, y))) << x << "," << y;
}

TEST(CubeDrawingTest, HiddenEdgesAreDashedTwelveOnFourOff)
{
    const QImage image = Drawing();
    // D to H, upward from D, below the front face's top edge; D to C, rightward.
    const struct {
        QPoint from;
        QPoint step;
        int count;
    } edges[] = {{{89, 173}, {0, -1}, 80}, {{90, 174}, {1, 0}, 80}};
    for (const auto& e : edges) {
        bool startsBlack = false;
        const auto runs = Runs(image, e.from, e.step, e.count, startsBlack);
        ASSERT_GE(runs.size(), 8u);
        // Skip the first and last runs, which the window of pixels cuts.
        bool black = startsBlack;
        for (std::size_t i = 0; i < runs.size(); ++i, black = !black) {
            if (i == 0 || i + 1 == runs.size())
                continue;
            EXPECT_NEAR(runs[i], black ? 12 : 4, 1) << "run " << i;
        }
    }
    // D to A runs diagonally: some of its pixels are set, some are gaps.
    int set = 0;
    for (int t = 5; t < 70; ++t) {
        const int x = 89 - t;
        const int y = 174 + t * 71 / 73;
        set += IsBlack(image.pixel(x, y)) || IsBlack(image.pixel(x, y + 1)) || IsBlack(image.pixel(x, y - 1));
    }
    EXPECT_GT(set, 35);
    EXPECT_LT(set, 63);
}

TEST_F(WindowPixelsTest, RenderedColoursAndDrawing)
{
    const QImage image = window->grab().toImage();
    ASSERT_EQ(image.size(), QSize(699, 496));
    const struct {
        QPoint at;
        QColor colour;
        int tolerance;
        const char* what;
    } points[] = {
        {{5, 5}, {192, 192, 255}, 0, "window background"},
        {{135, 4}, {255, 128, 0}, 0, "title label"},
        {{614, 106}, {255, 128, 0}, 0, "method label"},
        {{614, 258}, {128, 128, 255}, 0, "start button face"},
        {{614, 306}, {255, 192, 128}, 0, "check button face"},
        {{18, 298}, {224, 224, 224}, 0, "vertex box A, left cube"},
        {{322, 298}, {224, 224, 224}, 0, "vertex box A, right cube"},
        {{118, 143}, {0, 0, 0}, 40, "left cube, solid edge E-F"},
        {{118, 145}, {255, 255, 255}, 0, "left cube, inside the front face"},
        {{422, 143}, {0, 0, 0}, 40, "right cube, solid edge E-F"},
    };
    for (const auto& p : points)
        EXPECT_TRUE(Near(image.pixel(p.at), p.colour, p.tolerance)) << p.what << ": " << Describe(image.pixel(p.at));

    // The dashed edge D-H in the left cube: drawing x 89 at window x 18 + 89.
    bool startsBlack = false;
    const auto runs = Runs(image, {kDrawingX + 89, kDrawingY + 170}, {0, -1}, 60, startsBlack);
    EXPECT_GE(runs.size(), 6u);
}

TEST(AppIconTest, HamburgerOnTransparentBackgroundAtEverySize)
{
    for (int side : {16, 32, 48, 256}) {
        const QImage image = AppIcon().pixmap(QSize(side, side)).toImage();
        ASSERT_EQ(image.size(), QSize(side, side));
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << side;
        EXPECT_EQ(qAlpha(image.pixel(side - 1, side - 1)), 0) << side;
        EXPECT_GT(qAlpha(image.pixel(side / 2, side / 2)), 200) << side;
    }
    // Layers from top to bottom down the middle at 32 pixels: bun (orange-brown),
    // then further down the patty (dark grey).
    const QImage image = AppIcon().pixmap(QSize(32, 32)).toImage();
    const QRgb bun = image.pixel(16, 9);
    EXPECT_GT(qRed(bun), qBlue(bun) + 60) << Describe(bun);
    const QRgb patty = image.pixel(10, 21);
    EXPECT_LT(qRed(patty), 110) << Describe(patty);
    EXPECT_LT(std::abs(qRed(patty) - qBlue(patty)), 30) << Describe(patty);
    EXPECT_FALSE(AppIcon().availableSizes().isEmpty());
}

} // namespace
} // namespace trezolin
