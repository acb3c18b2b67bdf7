// Row conversion from 24-bit to 32-bit pixels: the shuffled and the scalar loops against a model, at
// every row length and offset around the 4-pixel steps.
#include "platform/gdi/RowConvert.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace plexon::gdi::detail {
namespace {

TEST(RowConvert, WidensBgrRowsAtEveryLengthAndOffset) {
    PixelConverter converter(Bgr24Format(), Bgrx32Format(), ColorRules::Intrinsic, MonoColors{});
    for (int sourceX = 0; sourceX < 4; ++sourceX) {
        for (int targetX = 0; targetX < 3; ++targetX) {
            for (int count = 1; count <= 40; ++count) {
                // The source row ends exactly after the last pixel read, so a load past it shows
                // under AddressSanitizer.
                std::vector<std::uint8_t> source(std::size_t(3 * (sourceX + count)));
                for (std::size_t i = 0; i < source.size(); ++i) source[i] = std::uint8_t(i * 37 + 11);
                std::vector<std::uint8_t> target(std::size_t(4 * (targetX + count + 1)), 0xEE),
                    model = target;
                for (int i = 0; i < count; ++i) {
                    for (int c = 0; c < 3; ++c)
                        model[std::size_t(4 * (targetX + i) + c)] =
                            source[std::size_t(3 * (sourceX + i) + c)];
                    model[std::size_t(4 * (targetX + i) + 3)] = 0;
                }
                converter.ConvertRow(source.data(), nullptr, sourceX, target.data(), targetX, count);
                ASSERT_EQ(target, model)
                    << "from " << sourceX << " to " << targetX << ", " << count << " pixels";
            }
        }
    }
}

}  // namespace
}  // namespace plexon::gdi::detail
