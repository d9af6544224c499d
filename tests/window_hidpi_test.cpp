// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a screen scaled by 2: twice the device pixels, and lines and
// text drawn at that density rather than blown up from a 1x image.

#include "design/product.h"
#include "ui/app_icon.h"
#include "pixel_helpers.h"
#include "window_fixture.h"

#include <QImage>

#include <string>
#include <vector>

namespace trezolin {
namespace {

using testing::IsBlack;
using testing::IsWhite;
using testing::kDrawingX;
using testing::kDrawingY;
// The window tests of this file, under a suite name of their own.
using WindowScaledTest = testing::WindowTest;

TEST_F(WindowScaledTest, ScaledByTwoTheWindowHasTwiceTheDevicePixels)
{
    ASSERT_EQ(window->devicePixelRatio(), 2.0);
    EXPECT_EQ(window->size(), QSize(699, 496));
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.size(), QSize(1398, 992));
}

TEST_F(WindowScaledTest, ScaledByTwoTheEdgesAreOneLogicalPixelWideAndCrisp)
{
    const QImage image = window->grab().toImage();
    // The front face's top edge E-F, at drawing y 85: exactly two device rows
    // of black with white on both sides, no grey from smoothing.
    const int x = 2 * (kDrawingX + 100);
    const int y = 2 * (kDrawingY + 85);
    int black = 0;
    for (int row = y - 4; row <= y + 4; ++row) {
        const QRgb c = image.pixel(x, row);
        EXPECT_TRUE(IsBlack(c) || IsWhite(c)) << "row " << row;
        black += IsBlack(c);
    }
    EXPECT_EQ(black, 2);
    // The front face's right edge B-F, at drawing x 176.
    const int edgeX = 2 * (kDrawingX + 176);
    const int edgeY = 2 * (kDrawingY + 200);
    black = 0;
    for (int column = edgeX - 4; column <= edgeX + 4; ++column) {
        const QRgb c = image.pixel(column, edgeY);
        EXPECT_TRUE(IsBlack(c) || IsWhite(c)) << "column " << column;
        black += IsBlack(c);
    }
    EXPECT_EQ(black, 2);
}

TEST_F(WindowScaledTest, ScaledByTwoTheDashesScaleToo)
{
    const QImage image = window->grab().toImage();
    // Down the hidden edge D-H (drawing x 89) from y 170 up to y 100.
    const int x = 2 * (kDrawingX + 89);
    int blackRows = 0;
    int runs = 0;
    bool wasBlack = false;
    for (int y = 2 * (kDrawingY + 170); y > 2 * (kDrawingY + 100); --y) {
        const bool black = IsBlack(image.pixel(x, y)) || IsBlack(image.pixel(x + 1, y));
        blackRows += black;
        runs += black && !wasBlack;
        wasBlack = black;
    }
    // 140 device rows of a 24-on, 8-off pattern: about three quarters black.
    EXPECT_NEAR(blackRows, 105, 12);
    EXPECT_GE(runs, 4);
}

TEST_F(WindowScaledTest, ScaledByTwoTextIsRenderedAtDeviceResolution)
{
    // "A" in the left cube's first box: its glyph uses full-black device
    // pixels, and more of them than a 1x glyph would have.
    const QImage image = Named<QLineEdit>("Wryh_N", 0)->grab().toImage();
    ASSERT_EQ(image.size(), QSize(66, 54));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 60;
    EXPECT_GT(dark, 40);
}

TEST_F(WindowScaledTest, ScaledByTwoEveryTextFitsInEveryLanguage)
{
    for (std::size_t id = 0; id < design::Languages().size(); ++id) {
        SCOPED_TRACE(std::string(design::Languages()[id].code));
        Open(testing::kExampleDraws, static_cast<design::LanguageId>(id));
        ASSERT_EQ(window->devicePixelRatio(), 2.0);
        EXPECT_EQ(testing::TextsThatDoNotFit(*window), std::vector<std::string>{});
        EXPECT_EQ(testing::LettersTheFontLacks(window->font()), "");
    }
}

TEST(AppIconScaledTest, AvailableAtEveryDesktopSizeAndSharpAtTwice)
{
    const QIcon icon = AppIcon();
    QList<int> sides;
    for (const QSize& size : icon.availableSizes())
        sides << size.width();
    EXPECT_EQ(sides, QList<int>(design::kIconSizes.begin(), design::kIconSizes.end()));
    const QPixmap pixmap = icon.pixmap(QSize(32, 32), 2.0);
    EXPECT_EQ(pixmap.size(), QSize(64, 64));
    EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
}

} // namespace
} // namespace trezolin
