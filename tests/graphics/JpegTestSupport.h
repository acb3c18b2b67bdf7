// Helpers for JPEG picture tests: pictures drawn in code, encoded by the picture itself, and the
// test files beside the tests.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Jpeg.h"
#include "graphics/ModuleResources.h"

namespace plexon::test {

// A 24-bit bitmap whose pixel (x, y) is colour(x, y) as 0x00RRGGBB.
inline std::unique_ptr<TBitmap> MakeRgbBitmap(int width, int height,
                                              const std::function<std::uint32_t(int, int)>& colour) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits24);
    bitmap->SetWidth(width);
    bitmap->SetHeight(height);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap->RowPointer(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colour(x, y);
            row[3 * x] = std::uint8_t(c);
            row[3 * x + 1] = std::uint8_t(c >> 8);
            row[3 * x + 2] = std::uint8_t(c >> 16);
        }
    }
    return bitmap;
}

// A smooth picture that survives JPEG compression closely.
inline std::uint32_t Smooth(int x, int y) {
    return std::uint32_t((x & 0xFF) << 16 | (y & 0xFF) << 8 | ((x + y) / 2 & 0xFF));
}

// The JPEG file our own encoder makes of the bitmap.
inline std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, int quality = 90,
                                            bool progressive = false) {
    TJPEGImage jpeg;
    jpeg.Settings.EncodeQuality = std::uint8_t(quality);
    jpeg.Settings.EncodeProgressive = progressive;
    jpeg.AssignFrom(&bitmap);
    TMemoryStream stream;
    jpeg.SaveStream(stream);
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

inline void LoadJpeg(TJPEGImage& jpeg, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    jpeg.LoadStream(stream);
}

// The About window's picture as the build embeds it: the image holder's form value.
inline std::vector<std::uint8_t> AboutPictureValue() {
    const auto bytes = ProgramResources().Find("about_picture.data", ResourceType::RawData);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? std::vector<std::uint8_t>(bytes->begin(), bytes->end()) : std::vector<std::uint8_t>();
}

inline std::vector<std::uint8_t> JpegFile(const std::string& name) {
    TFileStream file(std::string(PLEXON_TESTDATA) + "/jpeg/" + name, FileMode::OpenRead);
    std::vector<std::uint8_t> bytes(std::size_t(file.Size()));
    file.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    return bytes;
}

// Largest difference of any channel between two pictures of equal size.
inline int MaxChannelDifference(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
    EXPECT_EQ(a.size(), b.size());
    int most = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        for (int shift : {0, 8, 16})
            most = std::max(most, std::abs(int(a[i] >> shift & 0xFF) - int(b[i] >> shift & 0xFF)));
    return most;
}

}  // namespace plexon::test
