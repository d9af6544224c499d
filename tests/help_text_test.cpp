// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "design/help_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace trezolin::design {
namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last line break";
    return lines;
}

TEST(HelpTextTest, TwentyNineLinesEachEndingInCrLf)
{
    const std::string& text = HelpText();
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 29u);
    for (const auto& line : lines) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
    // A little over 2,000 characters (UTF-8 counts Cyrillic letters twice).
    EXPECT_GT(text.size(), 2000u);
}

TEST(HelpTextTest, FixedLinesStandExactly)
{
    const auto lines = Lines(HelpText());
    ASSERT_EQ(lines.size(), 29u);
    const std::pair<int, const char*> fixed[] = {
        {3, "Да разгледаме следния случай. Куб ABCDEFGH - върховете на долната основа са с номера: на "
            "долната основа A:0; B:1; C:2; D:3, на горната основа съответните върхове са E:4; F:5; G:6; H:7."},
        {7, "връх A:0  A = (B + D + E)/3"},
        {8, "връх  B:1 B = A + C + F"},
        {9, "връх C:2 C = B + D + G"},
        {10, "връх D:3 D = A + C + H"},
        {11, "връх E:4 E = A + H + F"},
        {12, "връх F:5 F = B + G + E"},
        {13, "връх G:6 G = C + F + H"},
        {14, "връх H:7 H = D + E + G"},
        {15, "Пример: -43, -83, -41, -25, -73, -59, -19, -32"},
        {16, "след промяна 1 добиват вида: -60  -48,-42,-39,-45,-58,-44,-39"},
        {17, "след промяна 2 добиват вида: -44 -53  -44  -47  -52  -46  -46  -43"},
        {18, "след промяна 3 добиват вида: -51 -45  -49  -44  -44  -50  -44  -48"},
        {19, "след промяна 4 добиват вида: -44  -50  -44  -49  -50  -44  -49  -44  "},
        {20, "след промяна 5 добиват вида: -50  -44  -49  -44  -44  -50  -44  -49  "},
        {21, "след промяна 6 добиват вида:  -44  -50  -44  -49  -50  -44  -49  -44  "},
        {23, "след промяна 7 добиват вида:  -50  -44  -49  -44  -44  -50  -44  -49  "},
    };
    for (const auto& [number, content] : fixed)
        EXPECT_EQ(lines[number - 1], content) << "line " << number;
}

TEST(HelpTextTest, ProseLinesSayWhatTheyMust)
{
    const auto lines = Lines(HelpText());
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_NE(lines[3].find("[-99..0]"), std::string::npos);
    EXPECT_EQ(lines[24], "Тема на проекта: Trezolin.");
    // The four rounding directions, separated by semicolons.
    EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ';'), 3);
    EXPECT_NE(lines[25].find("радиобутони"), std::string::npos);
}

} // namespace
} // namespace trezolin::design
