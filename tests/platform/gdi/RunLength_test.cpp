// The run-length decoder on hand-made byte sequences: every escape, padding of absolute runs, both
// nibble orders, and data that runs past the row, the image or its own end.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/RunLength.h"

namespace plexon::gdi::detail {
namespace {

constexpr std::int16_t S = IndexImage::kSkipped;

IndexImage Decode(RunLengthKind kind, const std::vector<std::uint8_t>& data, int width, int height) {
    return DecodeRunLength(kind, data.data(), data.size(), width, height);
}

// Rows of the expected picture, top row first.
std::vector<std::int16_t> Rows(std::initializer_list<std::initializer_list<std::int16_t>> rows) {
    std::vector<std::int16_t> out;
    for (const auto& row : rows) out.insert(out.end(), row);
    return out;
}

TEST(RunLength8, EncodedRunsFillFromTheBottomRowUp) {
    const auto image = Decode(RunLengthKind::Rle8, {3, 7, 0, 0, 1, 9, 2, 4, 0, 1}, 3, 2);
    EXPECT_EQ(image.indices, Rows({{9, 4, 4}, {7, 7, 7}}));
}

TEST(RunLength8, AbsoluteRunsArePaddedToSixteenBits) {
    // Three literal bytes and one pad byte, then a run that must not read the pad as a count.
    const auto image = Decode(RunLengthKind::Rle8, {0, 3, 1, 2, 3, 0xEE, 2, 5, 0, 1}, 5, 1);
    EXPECT_EQ(image.indices, Rows({{1, 2, 3, 5, 5}}));
    const auto even = Decode(RunLengthKind::Rle8, {0, 4, 1, 2, 3, 4, 1, 6, 0, 1}, 5, 1);
    EXPECT_EQ(even.indices, Rows({{1, 2, 3, 4, 6}}));
}

TEST(RunLength8, DeltaSkipsPixelsWhichStayUntouched) {
    // One pixel, move right 2 and up 1, one pixel, end of bitmap.
    const auto image = Decode(RunLengthKind::Rle8, {1, 5, 0, 2, 2, 1, 1, 6, 0, 1}, 4, 3);
    EXPECT_EQ(image.indices, Rows({{S, S, S, S}, {S, S, S, 6}, {5, S, S, S}}));
}

TEST(RunLength8, EarlyEndOfLineAndEndOfBitmapLeaveTheRestUntouched) {
    const auto image = Decode(RunLengthKind::Rle8, {1, 1, 0, 0, 2, 2, 0, 1, 9, 9}, 3, 3);
    EXPECT_EQ(image.indices, Rows({{S, S, S}, {2, 2, S}, {1, S, S}}));
}

TEST(RunLength8, RunsPastTheRowEndAreCutOff) {
    const auto image = Decode(RunLengthKind::Rle8, {200, 3, 0, 6, 1, 2, 3, 4, 5, 6, 0, 1}, 2, 1);
    EXPECT_EQ(image.indices, Rows({{3, 3}}));
    // The cursor stays past the edge until the end of line: nothing wraps onto the next row.
    const auto wrapped = Decode(RunLengthKind::Rle8, {3, 1, 2, 2, 0, 0, 1, 3}, 2, 2);
    EXPECT_EQ(wrapped.indices, Rows({{3, S}, {1, 1}}));
}

TEST(RunLength8, EndlessRunsAndMovesRightStayOnTheirRow) {
    // More than an int's worth of pixels to the right, then the next row still decodes.
    const std::size_t moves = 8500000;
    std::vector<std::uint8_t> data(2 + 4 * moves, 0);
    data[0] = 255;
    data[1] = 1;
    for (std::size_t i = 0; i < moves; ++i) {
        data[2 + 4 * i + 1] = 2;
        data[2 + 4 * i + 2] = 255;
    }
    data.insert(data.end(), {0, 0, 1, 5, 0, 1});
    const auto image = Decode(RunLengthKind::Rle8, data, 1, 2);
    EXPECT_EQ(image.indices, Rows({{5}, {1}}));
}

TEST(RunLength8, MovesPastTheTopEndDecoding) {
    const auto image = Decode(RunLengthKind::Rle8, {1, 4, 0, 2, 0, 200, 5, 5, 0, 0, 5, 5}, 2, 2);
    EXPECT_EQ(image.indices, Rows({{S, S}, {4, S}}));
    const auto lines = Decode(RunLengthKind::Rle8, {0, 0, 0, 0, 0, 0, 2, 8}, 2, 2);
    EXPECT_EQ(lines.indices, Rows({{S, S}, {S, S}}));
}

TEST(RunLength8, DataEndingInsideACodeStopsThere) {
    for (const std::vector<std::uint8_t>& data :
         std::vector<std::vector<std::uint8_t>>{{2, 7, 0}, {2, 7, 0, 2, 1}, {2, 7, 0, 5, 1, 2}, {2, 7}}) {
        const auto image = Decode(RunLengthKind::Rle8, data, 4, 1);
        EXPECT_EQ(image.indices[0], 7);
        EXPECT_EQ(image.indices[1], 7);
    }
    // The part of an absolute run that is there is still drawn.
    const auto cut = Decode(RunLengthKind::Rle8, {0, 5, 1, 2}, 5, 1);
    EXPECT_EQ(cut.indices, Rows({{1, 2, S, S, S}}));
}

TEST(RunLength4, EncodedRunsAlternateTheTwoNibbles) {
    const auto image = Decode(RunLengthKind::Rle4, {5, 0x1F, 0, 1}, 6, 1);
    EXPECT_EQ(image.indices, Rows({{1, 15, 1, 15, 1, S}}));
}

TEST(RunLength4, AbsoluteRunsCountNibblesAndPadTheirBytes) {
    // Five nibbles take three bytes, padded to four; then an encoded run.
    const auto image = Decode(RunLengthKind::Rle4, {0, 5, 0x12, 0x34, 0x50, 0xEE, 2, 0x66, 0, 1}, 7, 1);
    EXPECT_EQ(image.indices, Rows({{1, 2, 3, 4, 5, 6, 6}}));
    // Three nibbles take two bytes: no pad.
    const auto odd = Decode(RunLengthKind::Rle4, {0, 3, 0xAB, 0xC0, 1, 0x70, 0, 1}, 4, 1);
    EXPECT_EQ(odd.indices, Rows({{10, 11, 12, 7}}));
}

TEST(RunLength4, DeltaAndEndOfLineWorkAsForEightBits) {
    const auto image = Decode(RunLengthKind::Rle4, {2, 0x12, 0, 0, 0, 2, 1, 0, 1, 0x30, 0, 1}, 3, 2);
    EXPECT_EQ(image.indices, Rows({{S, 3, S}, {1, 2, S}}));
}

TEST(RunLengthImage, OneByOneAndEmptyData) {
    EXPECT_EQ(Decode(RunLengthKind::Rle8, {}, 1, 1).indices, Rows({{S}}));
    EXPECT_EQ(Decode(RunLengthKind::Rle8, {1, 200}, 1, 1).indices, Rows({{200}}));
}

}  // namespace
}  // namespace plexon::gdi::detail
