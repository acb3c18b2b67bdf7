// Platform failures as exceptions, and the scoped memory context.
#include "graphics/GdiSupport.h"

#include <gtest/gtest.h>

#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

std::string RaisedText(gdi::DWORD code) {
    gdi::SetLastError(code);
    try {
        RaiseGdiError();
    } catch (const EOutOfResources& e) {
        return e.Message();
    }
    return "no error";
}

TEST(GdiErrors, PlatformTextForItsCode) {
    const std::string text = gdi::SystemErrorText(gdi::ERROR_NOT_ENOUGH_MEMORY);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(RaisedText(gdi::ERROR_NOT_ENOUGH_MEMORY), text);
}

TEST(GdiErrors, OutOfSystemResourcesWithoutCodeOrText) {
    EXPECT_EQ(RaisedText(0), "Out of system resources");
    ASSERT_TRUE(gdi::SystemErrorText(987654).empty());
    EXPECT_EQ(RaisedText(987654), "Out of system resources");
}

TEST(GdiErrors, CheckPassesHandlesThrough) {
    const gdi::HBRUSH brush = gdi::GetStockBrush(gdi::WHITE_BRUSH);
    EXPECT_EQ(GdiCheck(brush), brush);
    gdi::SetLastError(0);
    EXPECT_THROW(GdiCheck(static_cast<gdi::HBRUSH>(nullptr)), EOutOfResources);
}

TEST(ScopedMemoryDcTest, RestoresAndReleasesTheBitmap) {
    const gdi::HBITMAP bitmap = gdi::CreateCompatibleBitmap(nullptr, 2, 2);
    {
        ScopedMemoryDc dc;
        dc.Select(bitmap);
        EXPECT_EQ(gdi::GetCurrentBitmap(dc.Get()), bitmap);
        ScopedMemoryDc other;
        EXPECT_THROW(other.Select(bitmap), EOutOfResources);  // one context at a time
    }
    {
        ScopedMemoryDc again;
        EXPECT_NO_THROW(again.Select(bitmap));
        EXPECT_FALSE(gdi::DeleteObject(bitmap));  // still selected
    }
    EXPECT_TRUE(gdi::DeleteObject(bitmap));
}

}  // namespace
}  // namespace plexon
