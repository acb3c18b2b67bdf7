// The JPEG picture: keeps the file's bytes as read, knows its size from the header alone, decodes
// into a bitmap only when drawn or converted, and encodes a bitmap when it must be saved. The codec
// itself is the system's JPEG library; this file only drives it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "graphics/BitmapImage.h"
#include "graphics/Graphic.h"
#include "platform/gdi/Types.h"
#include "runtime/Exceptions.h"

namespace plexon {

class TBitmap;
struct TGraphicClass;

class EJPEG : public EInvalidGraphic {
  public:
    using EInvalidGraphic::EInvalidGraphic;
};

namespace msg {
inline constexpr std::string_view kJpegError = "JPEG error #%d";
inline constexpr std::string_view kJpegSize = "Cannot change the size of a JPEG image";
}  // namespace msg
std::string JpegErrorMessage(int libraryCode);

inline constexpr std::string_view kJpegDescription = "JPEG Image File";

enum class TJPEGPixelFormat : std::uint8_t { Depth24 = 0, Depth8 = 1 };

struct TJPEGSettings {
    TJPEGPixelFormat OutputDepth = TJPEGPixelFormat::Depth24;
    std::uint8_t EncodeQuality = 90;  // 1-100
    bool EncodeProgressive = false;
};
// What new pictures start with: Depth8 on a display of at most 8 bits per pixel, else Depth24.
TJPEGSettings& DefaultJpegSettings();

// The file bytes and what the header says, shared by pictures assigned from one another.
class TJPEGData final : public TSharedImage {
  public:
    TJPEGData() = default;

    std::unique_ptr<TMemoryStream> Bytes;  // the whole file, or none
    std::uint32_t ImageHeight = 0;
    std::uint32_t ImageWidth = 0;
    bool IsGray = false;

  protected:
    void FreeHandles() override {}
    ~TJPEGData() override = default;
};

class TJPEGImage : public TGraphic {
  public:
    TJPEGImage();
    ~TJPEGImage() override;

    static const TGraphicClass& Class();
    std::string_view ClassName() const override { return "TJPEGImage"; }

    // From a JPEG picture: shares its data (and the image of its decoded bitmap); from a bitmap:
    // holds that bitmap's image and makes JPEG bytes from it when saved; null: empty.
    void AssignFrom(const TGraphic* source) override;
    // A bitmap target takes over the decoded picture; other kinds cannot.
    void AssignTo(TGraphic& target) const override;

    bool IsEmpty() const override;
    // The decoded bitmap's size, else the header's.
    std::int32_t Width() const override;
    std::int32_t Height() const override;
    // Always EInvalidGraphicOperation "Cannot change the size of a JPEG image".
    void SetWidth(std::int32_t value) override;
    void SetHeight(std::int32_t value) override;
    gdi::HPALETTE Palette() override;
    // The picture owns the palette from now on; a decoded bitmap of another palette is decoded
    // again against it when next needed.
    void SetPalette(gdi::HPALETTE palette);

    // The file from the stream's position to its end; only the header is read.
    void LoadStream(TStream& stream) override;
    // The bytes as they are, encoding the held bitmap first when there are none.
    void SaveStream(TStream& stream) override;
    // A 32-bit little-endian byte count and that many bytes of one JPEG file.
    void ReadDataProperty(TStream& stream) override;
    // The bytes held (count 0 when there are none); never encodes.
    void WriteDataProperty(TStream& stream) override;
    bool SameImage(TGraphic* other) override;

    // Holds the clipboard's bitmap as a picture of that bitmap alone.
    void LoadClipboardData(std::uint16_t format, gdi::HBITMAP data, gdi::HPALETTE palette) override;
    void SaveClipboardData(std::uint16_t& format, gdi::HBITMAP& data, gdi::HPALETTE& palette) override;

    // The decoded bitmap, decoding first when there is none yet. EJPEG for what the codec refuses;
    // a bitmap decoded halfway stays.
    TBitmap& EnsureDecoded();
    // Makes the JPEG bytes from the held bitmap when there are none.
    void EnsureEncoded();
    // Null while the picture is not decoded.
    TBitmap* DecodedBitmap() const { return bitmap_.get(); }
    const TJPEGData& JpegData() const { return *data_; }

    TJPEGSettings Settings;
    // Milliseconds for the progress throttle; tests put a clock of their own here.
    std::function<std::uint32_t()> Ticks;

  protected:
    void Render(TCanvas& canvas, const gdi::RECT& r) override;

  private:
    friend class JpegProgress;
    void ReadJpeg(TStream& stream, std::uint32_t count);
    void NewData();
    void Report(TProgressStage stage, std::uint8_t percent, bool redrawNow, const gdi::RECT& r);
    void DecodeInto(TBitmap& bitmap);
    void EncodeInto(TMemoryStream& bytes);

    TJPEGData* data_;
    std::unique_ptr<TBitmap> bitmap_;
    gdi::HPALETTE pendingPalette_ = nullptr;
};

}  // namespace plexon
