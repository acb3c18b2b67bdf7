// The memory limit of one icon: the slot size refused by the request checks, and a larger source
// refused from its header before its pixels are allocated.
#include "weld/IconMemory.h"

#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"
#include "weld/SourceImage.h"
#include "weld/StartCheck.h"

namespace plexon {
namespace {

TEST(IconMemory, RefusesPastTheLimitWithTheSizeAndTheMemoryItWouldNeed) {
    const struct {
        std::int64_t width, height;
        std::int32_t slot;
        int states;
        std::optional<std::string> refusal;
    } cases[] = {
        // Four working images and a strip of four slots: 4096 is exactly 512 MB.
        {4096, 4096, 4096, 4, std::nullopt},
        {4097, 4097, 4097, 4, "4097 x 4097 pixels would need 513 MB; the limit is 512 MB"},
        {4729, 4729, 4729, 3, "4729 x 4729 pixels would need 598 MB; the limit is 512 MB"},
        // A source larger than its slot counts with its own size, a smaller one as a slot.
        {20000, -20000, 16, 3, "20000 x 20000 pixels would need 1526 MB; the limit is 512 MB"},
        {11585, 11585, 16, 4, std::nullopt},
        {1, 1, 16, 2, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IconMemoryRefusal(c.width, c.height, c.slot, c.states), c.refusal)
            << c.width << " " << c.slot;
    // The slot size alone is refused by the request checks, naming the first file.
    WeldRequest request;
    request.FileList = {"/icons/Huge.bmp", "/icons/Huge_h.bmp"};
    request.ImageSize = 4729;
    const std::optional<RequestRefusal> refusal = CheckRequest(request, PlanStrips(request));
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->path, "/icons/Huge.bmp");
    EXPECT_EQ(refusal->text, cases[2].refusal);
}

// A header claiming width x height pixels with none following.
std::vector<std::uint8_t> ClaimingBmp(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> file = {'B', 'M'};
    for (std::uint32_t v : {54u, 0u, 54u, 40u, width, height}) test::Put32(file, v);
    test::Put16(file, 1);
    test::Put16(file, 24);
    for (int i = 0; i < 6; ++i) test::Put32(file, 0);
    return file;
}

std::vector<std::uint8_t> ClaimingPng(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                      0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (std::uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) file.push_back(std::uint8_t(v >> shift));
    file.insert(file.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return file;
}

TEST(IconMemory, ASourceClaimingTooManyPixelsIsRefusedNamingIt) {
    test::TempFolder folder;
    const auto write = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return folder.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    };
    WeldRequest request;
    request.ImageSize = 16;
    request.Sources = SourceFormats::BmpAndPng;
    const std::string text = "20000 x 20000 pixels would need 1526 MB; the limit is 512 MB";
    for (const std::string& path :
         {write("Huge.bmp", ClaimingBmp(20000, 20000)), write("Huge.png", ClaimingPng(20000, 20000))}) {
        for (bool rgba : {false, true}) {
            try {
                TBitmap bitmap;
                rgba ? void(LoadSourceRgba(path, request)) : LoadSourceBitmap(bitmap, path, request);
                ADD_FAILURE() << path << " loaded";
            } catch (const EOutOfResources& e) {
                EXPECT_EQ(e.Message(), text);
                EXPECT_EQ(e.FilePath(), path);
            }
        }
    }
}

}  // namespace
}  // namespace plexon
