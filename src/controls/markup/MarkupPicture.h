// Pictures of markup IMG and BODY tags: the encoded bytes, the decoded picture and its location,
// and the cache of pictures named by a location. Decoding goes through our own readers; nothing is
// ever fetched from a network location.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Graphic.h"
#include "runtime/Exceptions.h"

namespace plexon {

class EMarkupPictureError : public Exception {
  public:
    using Exception::Exception;
};

namespace msg {
inline constexpr std::string_view kPictureMemory = "Could not allocate memory for image";
inline constexpr std::string_view kPictureStream = "Could not create image stream";
inline constexpr std::string_view kPictureEmptyStream = "Empty image stream created";
inline constexpr std::string_view kPictureFormat = "Could not load image. Invalid format";
inline constexpr std::string_view kPictureLoad = "Could not load image";
}  // namespace msg

class TMarkupPicture : public TGraphic {
  public:
    TMarkupPicture() = default;
    ~TMarkupPicture() override;

    void AssignFrom(const TGraphic* source) override;
    bool IsEmpty() const override { return !decoded_; }
    // Pixels of the decoded picture (its first frame); 0 when empty.
    std::int32_t Width() const override;
    std::int32_t Height() const override;
    void SetWidth(std::int32_t) override {}
    void SetHeight(std::int32_t) override {}

    // Reads the stream's remaining bytes and decodes them, the format told by the first bytes: BMP,
    // PNG and GIF through our readers, JPEG through the registered picture format. EMarkupPictureError
    // with the documented messages otherwise; "Could not load image" also for a header claiming more
    // than a picture may (graphics/PictureLimits.h) and for more bytes than a picture file may have.
    // The head (graphics/PictureHeader.h) is read and checked first, the rest only when it passes.
    void LoadStream(TStream& stream) override;
    // Hides TGraphic::LoadFile: a path that is no regular file (a FIFO, a folder) is "Could not load
    // image" at once; other open failures stay the stream's EFOpenError.
    void LoadFile(const std::string& path);
    void SaveStream(TStream& stream) override;
    void LoadBytes(std::vector<std::uint8_t> bytes);
    // The program's raw-data resource of that name; EResNotFound "Resource %s not found" without.
    void LoadFromResource(std::string_view name);

    void LoadClipboardData(std::uint16_t, gdi::HBITMAP, gdi::HPALETTE) override {}
    void SaveClipboardData(std::uint16_t&, gdi::HBITMAP&, gdi::HPALETTE&) override {}

    const std::string& Location() const { return location_; }
    void SetLocation(std::string location) { location_ = std::move(location); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value) { stretch_ = value; }
    // The shown frame's offset inside the picture; multi-frame pictures show their first frame.
    int FrameX() const { return 0; }
    int FrameY() const { return 0; }
    TGraphic* Decoded() const { return decoded_.get(); }

  protected:
    void Render(TCanvas& canvas, const gdi::RECT& r) override;

  private:
    std::vector<std::uint8_t> data_;
    std::unique_ptr<TGraphic> decoded_;
    std::string location_;
    bool stretch_ = false;
};

// Pictures named by a location, in the order they were added. Owns them.
class TMarkupPictureCache {
  public:
    // A new empty picture at the end of the list.
    TMarkupPicture& Add();
    // The first picture whose location equals location exactly; null when none.
    TMarkupPicture* FindPicture(std::string_view location) const;
    void Clear() { pictures_.clear(); }
    int Count() const { return int(pictures_.size()); }

  private:
    std::vector<std::unique_ptr<TMarkupPicture>> pictures_;
};

}  // namespace plexon
