#include <gtest/gtest.h>

#include "kaVertexLayout.h"

namespace {

using L = kaVertexLayout;

TEST(VertexLayoutTest, ColouredTexturedVertexOfThePlayer) {
    const L layout = L::FromFormat(0x142);
    EXPECT_EQ(layout.vertexSize, 24u);
    EXPECT_EQ(layout.offset[L::POSITION], 0u);
    EXPECT_EQ(layout.offset[L::DIFFUSE], 12u);
    EXPECT_EQ(layout.offset[L::TEXCOORD0], 16u);
    EXPECT_EQ(layout.size[L::TEXCOORD0], 8u);
    EXPECT_EQ(layout.size[L::NORMAL], 0u);
    EXPECT_EQ(layout.offset[L::NORMAL], layout.offset[L::POINT_SIZE])
        << "a missing component shares the next one's offset";
}

TEST(VertexLayoutTest, BumpMappedVertexWithFourSets) {
    const L layout = L::FromFormat(0x540402);
    EXPECT_EQ(layout.vertexSize, 56u);
    EXPECT_EQ(layout.offset[L::TEXCOORD0], 12u);
    EXPECT_EQ(layout.offset[L::TEXCOORD1], 20u);
    EXPECT_EQ(layout.offset[L::TEXCOORD2], 32u);
    EXPECT_EQ(layout.offset[L::TEXCOORD3], 44u);
}

TEST(VertexLayoutTest, SetSizeCodesGiveTwoThreeFourOrOneFloats) {
    // Four sets with size codes 0, 1, 2, 3.
    const L layout = L::FromFormat(0x002 | 0x400 | (0u << 16) | (1u << 18) | (2u << 20) | (3u << 22));
    EXPECT_EQ(layout.size[L::TEXCOORD0], 8u);
    EXPECT_EQ(layout.size[L::TEXCOORD1], 12u);
    EXPECT_EQ(layout.size[L::TEXCOORD2], 16u);
    EXPECT_EQ(layout.size[L::TEXCOORD3], 4u);
    EXPECT_EQ(layout.vertexSize, 12u + 40u);
}

TEST(VertexLayoutTest, EveryComponentInItsOrder) {
    // Position with three weights, normal, point size, diffuse, specular, one set.
    const L layout = L::FromFormat(0x00A | 0x010 | 0x020 | 0x040 | 0x080 | 0x100);
    EXPECT_EQ(layout.size[L::WEIGHTS], 12u);
    EXPECT_EQ(layout.offset[L::WEIGHTS], 12u);
    EXPECT_EQ(layout.offset[L::NORMAL], 24u);
    EXPECT_EQ(layout.offset[L::POINT_SIZE], 36u);
    EXPECT_EQ(layout.offset[L::DIFFUSE], 40u);
    EXPECT_EQ(layout.offset[L::SPECULAR], 44u);
    EXPECT_EQ(layout.offset[L::TEXCOORD0], 48u);
    EXPECT_EQ(layout.vertexSize, 56u);
}

TEST(VertexLayoutTest, MatrixIndicesReplaceTheLastWeight) {
    const L layout = L::FromFormat(0x00C | 0x1000);  // four betas, the last as four bytes
    EXPECT_EQ(layout.size[L::WEIGHTS], 12u);
    EXPECT_EQ(layout.offset[L::MATRIX_INDICES], 24u);
    EXPECT_EQ(layout.size[L::MATRIX_INDICES], 4u);
    EXPECT_EQ(layout.vertexSize, 28u);
    EXPECT_EQ(L::FromFormat(0x002 | 0x1000).size[L::MATRIX_INDICES], 0u)
        << "no weights, nothing to replace";
}

TEST(VertexLayoutTest, TransformedPositionAndFiveWeights) {
    EXPECT_EQ(L::FromFormat(0x004).vertexSize, 16u);
    EXPECT_EQ(L::FromFormat(0x00E).vertexSize, 32u);
    EXPECT_EQ(L::FromFormat(0).vertexSize, 0u);
}

TEST(VertexLayoutTest, SetsBeyondFourTakeRoomButGetNoCursor) {
    const L six = L::FromFormat(0x002 | 0x600);
    EXPECT_EQ(six.vertexSize, 12u + 6 * 8u);
    EXPECT_EQ(six.offset[L::TEXCOORD3] + six.size[L::TEXCOORD3], 12u + 4 * 8u);
    // A count above the platform's eight is read as eight.
    EXPECT_EQ(L::FromFormat(0x002 | 0xF00).vertexSize, 12u + 8 * 8u);
}

}  // namespace
