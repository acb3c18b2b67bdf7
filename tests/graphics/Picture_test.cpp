// The picture holder's "Data" value and the registry of picture formats behind it.
#include "graphics/Picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

std::vector<std::uint8_t> Written(TPicture& picture) {
    TMemoryStream stream;
    picture.WriteData(stream);
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

void Read(TPicture& picture, const std::vector<std::uint8_t>& value) {
    TMemoryStream stream;
    stream.WriteBuffer(value.data(), std::int64_t(value.size()));
    stream.SetPosition(0);
    picture.ReadData(stream);
}

std::unique_ptr<TBitmap> Bitmap(std::uint32_t seed) {
    auto bitmap = std::make_unique<TBitmap>();
    LoadBytes(*bitmap, MakeImage(7, 3, 24, seed).Bytes());
    return bitmap;
}

TEST(PictureData, EmptyHolderIsOneZeroByte) {
    TPicture picture;
    EXPECT_EQ(Written(picture), std::vector<std::uint8_t>{0});
    Read(picture, {0});
    EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(PictureData, ClassNameThenThePicturesOwnValue) {
    TPicture picture;
    picture.SetGraphic(Bitmap(1), "TBitmap");
    const std::vector<std::uint8_t> value = Written(picture);
    ASSERT_GT(value.size(), 12u);
    EXPECT_EQ(value[0], 7);
    EXPECT_EQ(std::string(value.begin() + 1, value.begin() + 8), "TBitmap");
    EXPECT_EQ(U32At(value, 8), value.size() - 12);

    TPicture back;
    Read(back, value);
    auto* bitmap = dynamic_cast<TBitmap*>(back.Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(back.ClassName(), "TBitmap");
    EXPECT_EQ(RgbPixels(*bitmap), RgbPixels(*Bitmap(1)));
}

TEST(PictureData, UnregisteredClassNameLeavesTheHolderEmpty) {
    TPicture picture;
    picture.SetGraphic(Bitmap(1), "TBitmap");
    Read(picture, {5, 'T', 'N', 'o', 'n', 'e'});
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.ClassName(), "");
}

TEST(PictureData, RegisteredFormatsAreCreatedByName) {
    int made = 0;
    RegisterPictureFormat("TPlexonTestPicture", [&made] {
        ++made;
        return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>());
    });
    TPicture picture;
    Read(picture, {18,  'T', 'P', 'l', 'e', 'x', 'o', 'n', 'T', 'e', 's', 't',
                   'P', 'i', 'c', 't', 'u', 'r', 'e', 0,   0,   0,   0});
    EXPECT_EQ(made, 1);
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_TRUE(picture.Graphic()->IsEmpty());
    EXPECT_EQ(CreatePicture("TNobody"), nullptr);
}

TEST(PictureData, StoredUnlessTheAncestorHoldsTheSameImage) {
    TPicture picture, ancestor;
    EXPECT_FALSE(picture.DataDiffers(nullptr));
    picture.SetGraphic(Bitmap(1), "TBitmap");
    EXPECT_TRUE(picture.DataDiffers(nullptr));
    EXPECT_TRUE(picture.DataDiffers(&ancestor));
    ancestor.SetGraphic(Bitmap(1), "TBitmap");
    EXPECT_FALSE(picture.DataDiffers(&ancestor));
    ancestor.SetGraphic(Bitmap(2), "TBitmap");
    EXPECT_TRUE(picture.DataDiffers(&ancestor));
}

}  // namespace
}  // namespace plexon
