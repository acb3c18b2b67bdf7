// The picture holder's "Data" value and the registry of picture formats behind it.
#include "graphics/Picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
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

TEST(PictureFormats, OrderedEntriesFoundByClassNameFromTheLast) {
    std::vector<std::string> listed;
    for (const TPictureFormat& f : PictureFormats())
        listed.push_back(f.Extension + " " + f.Description + " " + std::string(f.GraphicClass->Name));
    EXPECT_EQ(listed, (std::vector<std::string>{"bmp Bitmaps TBitmap", "jpeg JPEG Image File TJPEGImage",
                                                "jpg JPEG Image File TJPEGImage"}));

    // A class derived from the JPEG picture, registered under a mixed-case extension.
    static const TGraphicClass derived{"TPlexonTestJpeg", &TJPEGImage::Class(),
                                       [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }};
    RegisterPictureFormat("PJPG", "Test", derived);
    EXPECT_EQ(PictureFormats().back().Extension, "pjpg");
    EXPECT_EQ(FindPictureClass("TPlexonTestJpeg"), &derived);
    EXPECT_EQ(FindPictureClass("tplexontestjpeg"), nullptr);
    TPicture picture;
    Read(picture,
         {15, 'T', 'P', 'l', 'e', 'x', 'o', 'n', 'T', 'e', 's', 't', 'J', 'p', 'e', 'g', 0, 0, 0, 0});
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_TRUE(picture.Graphic()->IsEmpty());

    // Unregistering a class takes its descendants with it.
    UnregisterPictureClass(TJPEGImage::Class());
    EXPECT_EQ(FindPictureClass("TPlexonTestJpeg"), nullptr);
    EXPECT_EQ(FindPictureClass("TJPEGImage"), nullptr);
    EXPECT_EQ(CreatePicture("TJPEGImage"), nullptr);
    EXPECT_EQ(PictureFormats().size(), 1u);
    RegisterPictureFormat("jpeg", kJpegDescription, TJPEGImage::Class());
    RegisterPictureFormat("jpg", kJpegDescription, TJPEGImage::Class());
    EXPECT_NE(dynamic_cast<TJPEGImage*>(CreatePicture("TJPEGImage").get()), nullptr);
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
