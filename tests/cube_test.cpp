// SPDX-FileCopyrightText: 2026 The Trezolin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/cube.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

namespace trezolin {
namespace {

std::array<VertexIndex, 3> AsArray(const VertexNeighbours& n)
{
    return {n.nextOnFace, n.previousOnFace, n.otherFace};
}

TEST(CubeNeighboursTest, MatchesTheTableOfTheCube)
{
    // next on the face, previous on the face, other face
    const VertexNeighbours expected[kVertexCount] = {
        {1, 3, 4}, {2, 0, 5}, {3, 1, 6}, {0, 2, 7},
        {5, 7, 0}, {6, 4, 1}, {7, 5, 2}, {4, 6, 3},
    };
    for (VertexIndex i = 0; i < kVertexCount; ++i)
        EXPECT_EQ(CubeNeighbours(i), expected[i]) << "vertex " << VertexLetter(i);
}

TEST(CubeNeighboursTest, ThreeDistinctNeighboursOtherThanTheVertex)
{
    for (VertexIndex i = 0; i < kVertexCount; ++i) {
        const auto n = AsArray(CubeNeighbours(i));
        const std::set<VertexIndex> distinct(n.begin(), n.end());
        EXPECT_EQ(distinct.size(), 3u);
        EXPECT_EQ(distinct.count(i), 0u);
        for (VertexIndex j : n) {
            EXPECT_GE(j, 0);
            EXPECT_LT(j, kVertexCount);
        }
    }
}

TEST(CubeNeighboursTest, RelationIsSymmetricWithTwelveEdges)
{
    int edges = 0;
    for (VertexIndex i = 0; i < kVertexCount; ++i) {
        for (VertexIndex j : AsArray(CubeNeighbours(i))) {
            const auto back = AsArray(CubeNeighbours(j));
            EXPECT_NE(std::find(back.begin(), back.end(), i), back.end())
                << VertexLetter(i) << "-" << VertexLetter(j);
            ++edges;
        }
    }
    EXPECT_EQ(edges / 2, 12);
}

TEST(CubeNeighboursTest, WrapsRoundEachFaceAndCrossesBetweenFaces)
{
    EXPECT_EQ(CubeNeighbours(3).nextOnFace, 0);      // D -> A
    EXPECT_EQ(CubeNeighbours(7).nextOnFace, 4);      // H -> E
    EXPECT_EQ(CubeNeighbours(0).previousOnFace, 3);  // A -> D
    EXPECT_EQ(CubeNeighbours(4).previousOnFace, 7);  // E -> H
    for (VertexIndex i = 0; i < kVertexCount; ++i)
        EXPECT_EQ(CubeNeighbours(CubeNeighbours(i).otherFace).otherFace, i);
}

TEST(VertexLetterTest, AToH)
{
    std::string letters;
    for (VertexIndex i = 0; i < kVertexCount; ++i)
        letters += VertexLetter(i);
    EXPECT_EQ(letters, "ABCDEFGH");
}

} // namespace
} // namespace trezolin
