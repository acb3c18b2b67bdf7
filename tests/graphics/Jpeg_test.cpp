// The JPEG picture: lazy decoding, output depths and palettes, encoding, assignment, the "Data"
// value and the codec's failures.
#include "graphics/Jpeg.h"

#include <gtest/gtest.h>
#include <jerror.h>  // the library's message codes

#include <algorithm>
#include <set>

#include "JpegTestSupport.h"
#include "graphics/Canvas.h"
#include "graphics/Picture.h"
#include "platform/gdi/Raster.h"

namespace plexon {
namespace {

using namespace test;

std::vector<std::uint8_t> AboutSized() {
    return EncodeJpeg(*MakeRgbBitmap(250, 200, Smooth));
}

TEST(JpegDecode, TheAboutPictureHasItsSizeFromTheHeaderAndDecodesTo24BitsWhenFirstDrawn) {
    const std::vector<std::uint8_t> value = AboutPictureValue();
    ASSERT_GT(value.size(), 15u);
    TPicture holder;
    TMemoryStream stream;
    stream.WriteBuffer(value.data(), std::int64_t(value.size()));
    stream.SetPosition(0);
    holder.ReadData(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    auto* jpeg = dynamic_cast<TJPEGImage*>(holder.Graphic());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->Width(), 250);
    EXPECT_EQ(jpeg->Height(), 200);
    EXPECT_FALSE(jpeg->IsEmpty());
    EXPECT_EQ(jpeg->DecodedBitmap(), nullptr);
    EXPECT_FALSE(jpeg->Settings.EncodeProgressive);
    EXPECT_FALSE(jpeg->JpegData().IsGray);

    // The first draw decodes; what it draws is what a bitmap of the decoded pixels draws.
    TBitmap target, model;
    for (TBitmap* b : {&target, &model}) {
        b->SetWidth(252);
        b->SetHeight(202);
    }
    target.Canvas().DrawGraphic(2, 2, jpeg);
    ASSERT_NE(jpeg->DecodedBitmap(), nullptr);
    EXPECT_EQ(jpeg->DecodedBitmap()->PixelLayout(), BitmapPixelLayout::Bits24);
    model.Canvas().DrawGraphic(2, 2, jpeg->DecodedBitmap());
    EXPECT_EQ(RgbPixels(target), RgbPixels(model));

    // Writing the value again gives the same bytes.
    TMemoryStream again;
    holder.WriteData(again);
    EXPECT_EQ(std::vector<std::uint8_t>(again.Memory(), again.Memory() + again.Size()), value);
}

TEST(JpegDecode, DepthsLayoutsAndPalettes) {
    struct Case {
        const char* file;
        TJPEGPixelFormat depth;
        BitmapPixelLayout layout;
        bool gray;
        bool progressive;
    };
    const Case cases[] = {
        {"gray_33x17.jpg", TJPEGPixelFormat::Depth24, BitmapPixelLayout::Bits8, true, false},
        {"gray_33x17.jpg", TJPEGPixelFormat::Depth8, BitmapPixelLayout::Bits8, true, false},
        {"progressive_40x30.jpg", TJPEGPixelFormat::Depth8, BitmapPixelLayout::Bits8, false, true},
        {"progressive_40x30.jpg", TJPEGPixelFormat::Depth24, BitmapPixelLayout::Bits24, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TJPEGImage jpeg;
        jpeg.Settings.OutputDepth = c.depth;
        LoadJpeg(jpeg, JpegFile(c.file));
        EXPECT_EQ(jpeg.JpegData().IsGray, c.gray);
        EXPECT_EQ(jpeg.Settings.EncodeProgressive, c.progressive);
        TBitmap& bitmap = jpeg.EnsureDecoded();
        EXPECT_EQ(bitmap.PixelLayout(), c.layout);
        gdi::PALETTEENTRY entries[256];
        const gdi::HPALETTE palette = bitmap.Palette();
        const gdi::UINT count = palette ? gdi::GetPaletteEntries(palette, 0, 256, entries) : 0;
        if (c.layout == BitmapPixelLayout::Bits24) {
            EXPECT_EQ(count, 0u);
            continue;
        }
        EXPECT_GT(count, 1u);
        EXPECT_LE(count, 236u);
        EXPECT_EQ(jpeg.Palette(), palette);
        const std::vector<std::uint32_t> pixels = RgbPixels(bitmap);
        std::set<std::uint32_t> colours(pixels.begin(), pixels.end());
        EXPECT_GT(colours.size(), 2u);
        for (gdi::UINT i = 0; i < count && c.gray; ++i)
            EXPECT_TRUE(entries[i].peRed == entries[i].peGreen && entries[i].peGreen == entries[i].peBlue);
    }
}

TEST(JpegDecode, PendingPaletteSteersDepth8AndIsDroppedForDepth24) {
    gdi::LOGPALETTE four;
    four.palNumEntries = 4;
    four.palPalEntry[0] = {0, 0, 0, 0};
    four.palPalEntry[1] = {255, 0, 0, 0};
    four.palPalEntry[2] = {0, 0, 255, 0};
    four.palPalEntry[3] = {255, 255, 255, 0};
    const std::vector<std::uint8_t> file =
        EncodeJpeg(*MakeRgbBitmap(16, 8, [](int x, int) { return x < 8 ? 0xFF0000u : 0x0000FFu; }));

    TJPEGImage depth8;
    depth8.Settings.OutputDepth = TJPEGPixelFormat::Depth8;
    LoadJpeg(depth8, file);
    depth8.SetPalette(gdi::CreatePalette(&four));
    TBitmap& bitmap = depth8.EnsureDecoded();
    gdi::PALETTEENTRY entries[256];
    ASSERT_EQ(gdi::GetPaletteEntries(bitmap.Palette(), 0, 256, entries), 4u);
    EXPECT_EQ(RgbAt(bitmap, 2, 4), 0xFF0000u);
    EXPECT_EQ(RgbAt(bitmap, 13, 4), 0x0000FFu);

    // Another palette drops the decoded bitmap, which is decoded again against it.
    int changes = 0;
    depth8.ChangeHandler = [&](TGraphic*) { ++changes; };
    std::swap(four.palPalEntry[1], four.palPalEntry[2]);
    depth8.SetPalette(gdi::CreatePalette(&four));
    EXPECT_EQ(depth8.DecodedBitmap(), nullptr);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(RgbAt(depth8.EnsureDecoded(), 13, 4), 0x0000FFu);

    TJPEGImage depth24;
    depth24.Settings.OutputDepth = TJPEGPixelFormat::Depth24;
    LoadJpeg(depth24, file);
    depth24.SetPalette(gdi::CreatePalette(&four));
    EXPECT_EQ(depth24.EnsureDecoded().PixelLayout(), BitmapPixelLayout::Bits24);
    EXPECT_EQ(depth24.Palette(), nullptr);
}

TEST(JpegPicture, SizeCannotBeAssigned) {
    TJPEGImage jpeg;
    LoadJpeg(jpeg, JpegFile("gray_33x17.jpg"));
    int changes = 0;
    jpeg.ChangeHandler = [&](TGraphic*) { ++changes; };
    for (auto set : {&TJPEGImage::SetWidth, &TJPEGImage::SetHeight}) {
        try {
            (jpeg.*set)(10);
            ADD_FAILURE() << "no exception";
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Cannot change the size of a JPEG image");
        }
    }
    EXPECT_EQ(jpeg.Width(), 33);
    EXPECT_EQ(jpeg.Height(), 17);
    EXPECT_EQ(changes, 0);
}

TEST(JpegEncode, QualityProgressionAndSizeRoundTrip) {
    const auto model = MakeRgbBitmap(47, 33, Smooth);
    const std::vector<std::uint8_t> baseline = EncodeJpeg(*model, 90);
    const std::vector<std::uint8_t> rough = EncodeJpeg(*model, 10);
    const std::vector<std::uint8_t> progressive = EncodeJpeg(*model, 90, true);
    EXPECT_LT(rough.size(), baseline.size());
    for (const auto* file : {&baseline, &progressive}) {
        TJPEGImage jpeg;
        LoadJpeg(jpeg, *file);
        EXPECT_EQ(jpeg.Settings.EncodeProgressive, file == &progressive);
        EXPECT_EQ(jpeg.Width(), 47);
        EXPECT_EQ(jpeg.Height(), 33);
        EXPECT_LE(MaxChannelDifference(RgbPixels(jpeg.EnsureDecoded()), RgbPixels(*model)), 12);
    }
    // A picture without pixels encodes nothing and stays empty.
    TJPEGImage empty;
    TMemoryStream stream;
    empty.SaveStream(stream);
    EXPECT_EQ(stream.Size(), 0);
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(JpegPicture, AssignmentSharesAndConverts) {
    const auto model = MakeRgbBitmap(20, 10, Smooth);
    TJPEGImage fromBitmap;
    fromBitmap.AssignFrom(model.get());
    EXPECT_FALSE(fromBitmap.IsEmpty());
    EXPECT_EQ(fromBitmap.Width(), 20);
    TMemoryStream data;
    fromBitmap.WriteDataProperty(data);
    EXPECT_EQ(data.Size(), 4);  // "Data" never encodes

    TJPEGImage a, b;
    LoadJpeg(a, EncodeJpeg(*model));
    b.AssignFrom(&a);
    EXPECT_EQ(&a.JpegData(), &b.JpegData());
    EXPECT_TRUE(a.SameImage(&b));
    EXPECT_FALSE(a.SameImage(model.get()));
    TJPEGImage c;
    LoadJpeg(c, EncodeJpeg(*model));
    EXPECT_TRUE(a.SameImage(&c));  // equal bytes
    LoadJpeg(c, EncodeJpeg(*model, 50));
    EXPECT_FALSE(a.SameImage(&c));

    TBitmap bitmap;
    bitmap.AssignFrom(&a);
    EXPECT_EQ(RgbPixels(bitmap), RgbPixels(a.EnsureDecoded()));
    TJPEGImage d;
    d.AssignFrom(&a);  // shares the decoded image too
    ASSERT_NE(d.DecodedBitmap(), nullptr);
    EXPECT_EQ(&d.DecodedBitmap()->Image(), &a.DecodedBitmap()->Image());
    try {
        TJPEGImage e;
        e.AssignTo(c);  // only bitmaps take a JPEG picture over
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TJPEGImage to a TJPEGImage");
    }
}

TEST(JpegPicture, DataValueIsTheCountAndTheFileAndTheHolderFramesIt) {
    const std::vector<std::uint8_t> file = AboutSized();
    TJPEGImage jpeg;
    LoadJpeg(jpeg, file);
    TPicture holder;
    auto owned = std::make_unique<TJPEGImage>();
    owned->AssignFrom(&jpeg);
    holder.SetGraphic(std::move(owned), "TJPEGImage");
    TMemoryStream framed;
    holder.WriteData(framed);
    std::vector<std::uint8_t> value(framed.Memory(), framed.Memory() + framed.Size());
    ASSERT_EQ(value.size(), 1 + 10 + 4 + file.size());
    EXPECT_EQ(std::string(value.begin(), value.begin() + 11), "\x0ATJPEGImage");
    EXPECT_EQ(U32At(value, 11), file.size());
    EXPECT_TRUE(std::equal(file.begin(), file.end(), value.begin() + 15));

    TPicture back;
    framed.SetPosition(0);
    back.ReadData(framed);
    auto* read = dynamic_cast<TJPEGImage*>(back.Graphic());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Width(), 250);
    EXPECT_EQ(read->DecodedBitmap(), nullptr);

    // Once the JPEG format is gone, the same value leaves the holder empty.
    UnregisterPictureClass(TJPEGImage::Class());
    framed.SetPosition(0);
    back.ReadData(framed);
    EXPECT_EQ(back.Graphic(), nullptr);
    RegisterPictureFormat("jpeg", kJpegDescription, TJPEGImage::Class());
    RegisterPictureFormat("jpg", kJpegDescription, TJPEGImage::Class());
}

int JpegErrorCode(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJPEG& e) {
        int code = -1;
        EXPECT_EQ(std::sscanf(e.Message().c_str(), "JPEG error #%d", &code), 1) << e.Message();
        EXPECT_EQ(JpegErrorMessage(code), e.Message());
        return code;
    }
    return -1;
}

TEST(JpegErrors, CodecFailuresRaiseEJpegWithTheLibrarysCode) {
    const std::vector<std::uint8_t> whole = AboutSized();
    std::vector<std::uint8_t> truncated(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() * 2 / 5));
    std::vector<std::uint8_t> badPrecision = whole;
    const std::uint8_t startOfFrame[] = {0xFF, 0xC0};
    const auto sof = std::search(badPrecision.begin(), badPrecision.end(), std::begin(startOfFrame),
                                 std::end(startOfFrame));
    ASSERT_NE(sof, badPrecision.end());
    sof[4] = 3;
    const std::vector<std::uint8_t> notJpeg = {'B', 'M', 0, 0};

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int onLoad;
        int onDecode;
    };
    const Case cases[] = {
        {"truncated scan", truncated, -1, JERR_INPUT_EOF},
        {"sample precision 3", badPrecision, JERR_BAD_PRECISION, -1},
        {"no start of image", notJpeg, JERR_NO_SOI, -1},
        {"four components", JpegFile("cmyk_16x16.jpg"), -1, JERR_CONVERSION_NOTIMPL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TJPEGImage jpeg;
        int changes = 0;
        jpeg.ChangeHandler = [&](TGraphic*) { ++changes; };
        EXPECT_EQ(JpegErrorCode([&] { LoadJpeg(jpeg, c.bytes); }), c.onLoad);
        EXPECT_EQ(changes, c.onLoad == -1 ? 1 : 0);
        if (c.onLoad != -1) {
            EXPECT_EQ(jpeg.Width(), 0);
            EXPECT_FALSE(jpeg.IsEmpty());  // the bytes stay
            continue;
        }
        EXPECT_EQ(JpegErrorCode([&] { jpeg.EnsureDecoded(); }), c.onDecode);
        EXPECT_NE(jpeg.DecodedBitmap(), nullptr);  // what was decoded stays
    }

    TMemoryStream shortValue;
    const std::uint8_t count[] = {0x10, 0, 0, 0, 0xFF, 0xD8};
    shortValue.WriteBuffer(count, sizeof count);
    shortValue.SetPosition(0);
    TJPEGImage jpeg;
    EXPECT_THROW(jpeg.ReadDataProperty(shortValue), EReadError);
}

TEST(JpegProgressReports, ThrottledToHalfASecondAndToChangedPercentages) {
    struct Report {
        TProgressStage stage;
        int percent;
        bool redraw;
        gdi::RECT r;
        std::uint32_t tick;
    };
    // Tall enough for many progress calls; a clock that moves 120 ms per reading.
    TJPEGImage jpeg;
    LoadJpeg(jpeg, EncodeJpeg(*MakeRgbBitmap(64, 640, Smooth), 90, true));
    std::uint32_t clock = 0;
    int readings = 0;
    jpeg.Ticks = [&] {
        ++readings;
        return clock += 120;
    };
    std::vector<Report> reports;
    jpeg.ProgressHandler = [&](TGraphic*, TProgressStage stage, std::uint8_t percent, bool redraw,
                               const gdi::RECT& r, const std::string& msg) {
        EXPECT_EQ(msg, "");
        reports.push_back({stage, percent, redraw, r, clock});
    };
    jpeg.EnsureDecoded();
    ASSERT_GE(reports.size(), 4u);
    EXPECT_EQ(reports.front().stage, TProgressStage::Starting);
    EXPECT_EQ(reports.back().stage, TProgressStage::Ending);
    EXPECT_EQ(reports.back().percent, 100);
    EXPECT_LT(reports.size(), std::size_t(readings) / 4 + 3);
    for (std::size_t i = 2; i + 1 < reports.size(); ++i) {
        const Report& r = reports[i];
        const Report& before = reports[i - 1];
        EXPECT_EQ(r.stage, TProgressStage::Running);
        EXPECT_GE(r.tick - before.tick, 500u);
        EXPECT_GT(r.percent, before.percent);
        EXPECT_EQ(r.redraw, r.r.bottom - r.r.top >= 4);
        EXPECT_EQ(r.r.right, 64);
    }

    // A silent abort ends decoding quietly with what was decoded so far.
    TJPEGImage fresh;
    fresh.Ticks = jpeg.Ticks;
    LoadJpeg(fresh, EncodeJpeg(*MakeRgbBitmap(64, 640, Smooth)));
    std::vector<TProgressStage> stages;
    fresh.ProgressHandler = [&](TGraphic*, TProgressStage stage, std::uint8_t percent, bool, const gdi::RECT&,
                                const std::string&) {
        stages.push_back(stage);
        if (stage == TProgressStage::Running) throw EAbort("");
        if (stage == TProgressStage::Ending) {
            EXPECT_EQ(percent, 0);
        }
    };
    EXPECT_NO_THROW(fresh.EnsureDecoded());
    EXPECT_EQ(stages,
              (std::vector{TProgressStage::Starting, TProgressStage::Running, TProgressStage::Ending}));
    EXPECT_EQ(fresh.DecodedBitmap()->Height(), 640);
    // Asked for at the start, it leaves the picture empty just as quietly.
    TJPEGImage early;
    LoadJpeg(early, EncodeJpeg(*MakeRgbBitmap(8, 8, Smooth)));
    stages.clear();
    early.ProgressHandler = [&](TGraphic*, TProgressStage stage, auto...) {
        stages.push_back(stage);
        if (stage == TProgressStage::Starting) throw EAbort("");
    };
    EXPECT_NO_THROW(early.EnsureDecoded());
    EXPECT_EQ(stages, (std::vector{TProgressStage::Starting, TProgressStage::Ending}));
    EXPECT_TRUE(early.DecodedBitmap()->IsEmpty());
}

}  // namespace
}  // namespace plexon
