// The font caches stay bounded: idle instances are dropped least recently used first but never one a
// font uses, an instance's bitmaps are dropped past its limit and come back the same, and a character
// no installed face has is searched for once.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "DrawingTestSupport.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::Description;
using test::SelectedFont;

constexpr int kWidth = 120, kHeight = 30;

std::vector<COLORREF> Pixels(HDC dc) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) pixels.push_back(GetPixel(dc, x, y));
    return pixels;
}

const char kLine[] = "Wg \xCE\xBB\xE3\x82\xA2\xE6\x97\xA5";  // Latin, Greek, Japanese

TEST(FontCache, ManySizesAndFacesStayWithinTheBoundAndAFontInUseKeepsItsInstance) {
    Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
    SelectedFont held(canvas.dc(), Description("Tahoma", -13, FW_BOLD));
    ExtTextOut(canvas.dc(), 2, 2, 0, nullptr, kLine, UINT(sizeof kLine - 1), nullptr);
    const std::vector<COLORREF> before = Pixels(canvas.dc());
    const detail::FontInstance* heldInstance = held.font()->instance.get();
    ASSERT_NE(heldInstance, nullptr);

    Canvas other(test::WhiteBitmap(kWidth, kHeight));
    for (const char* face : {"Tahoma", "DejaVu Sans", "No Such Face"})
        for (int height = 6; height <= 90; height += 2) {
            SelectedFont font(other.dc(), Description(face, -height, height % 4 ? FW_NORMAL : FW_BOLD));
            ExtTextOut(other.dc(), 0, 0, 0, nullptr, kLine, UINT(sizeof kLine - 1), nullptr);
        }
    const detail::FontCacheState state = detail::FontCacheStateNow();
    EXPECT_LE(state.idle, detail::kIdleInstanceLimit);
    EXPECT_LE(state.idleBytes, detail::kIdleBytesLimit);
    EXPECT_LE(state.instances, state.idle + 2);  // besides the idle ones, the held font and the stock font

    // The held font still has its instance, shared by a new font of its description, and draws as before.
    {
        std::lock_guard guard(detail::FontLock());
        EXPECT_EQ(detail::InstanceFor(Description("Tahoma", -13, FW_BOLD)).get(), heldInstance);
    }
    PatBlt(canvas.dc(), 0, 0, kWidth, kHeight, WHITENESS);
    ExtTextOut(canvas.dc(), 2, 2, 0, nullptr, kLine, UINT(sizeof kLine - 1), nullptr);
    EXPECT_EQ(Pixels(canvas.dc()), before);
}

TEST(FontCache, AnInstanceDropsItsBitmapsPastItsLimitAndDrawsTheSameAfterwards) {
    const std::shared_ptr<detail::FontInstance> font =
        detail::InstanceFor(Description("DejaVu Sans", -kMaxFontHeight));
    std::lock_guard guard(detail::FontLock());
    const std::vector<std::uint8_t> first = font->GlyphFor(U'W').coverage;
    ASSERT_FALSE(first.empty());
    std::size_t peak = 0;
    for (char32_t code = 0x100; code < 0x300; ++code) {
        font->GlyphFor(code);
        peak = std::max(peak, font->CacheBytes());
    }
    EXPECT_LE(peak, detail::kInstanceBitmapLimit + (std::size_t(1) << 20));
    const std::uint64_t rastered = detail::GlyphRasterCount();
    EXPECT_EQ(font->GlyphFor(U'W').coverage, first);
    EXPECT_EQ(detail::GlyphRasterCount(), rastered + 1);  // dropped on the way, rasterised again
}

TEST(FontCache, ACharacterNoFaceHasIsSearchedForOnceAndOneTheFaceLacksOncePerInstance) {
    struct Case {
        char32_t code;
        int height;
        int searches;
    };
    const Case cases[] = {
        {U'\U000F7A01', -9, 1},   // private use: no face has it
        {U'\U000F7A01', -10, 0},  // known missing in every instance from now on
        {U'\u03BB', -41, 1},      // lacking from the Tahoma replacement: one search, then its face is open
        {U'\u03BC', -41, 0},      // the face opened for the other Greek letter has this one too
    };
    for (const Case& c : cases) {
        const std::shared_ptr<detail::FontInstance> font =
            detail::InstanceFor(Description("Tahoma", c.height));
        std::lock_guard guard(detail::FontLock());
        const std::uint64_t before = detail::FallbackSearchCount();
        for (int again = 0; again < 3; ++again) {
            font->Advance(c.code);
            font->GlyphFor(c.code);
        }
        EXPECT_EQ(detail::FallbackSearchCount() - before, std::uint64_t(c.searches)) << std::uint32_t(c.code);
    }
}

}  // namespace
}  // namespace plexon::gdi
