// The abstract picture: change and progress notification, transparency flag, and loading from and
// saving to files through the picture's own stream format. Concrete formats live in their own files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/gdi/Types.h"

namespace plexon {

class TCanvas;
class TGraphic;
class TStream;

enum class TProgressStage { Starting, Running, Ending };

using TNotifyEvent = std::function<void(TGraphic* sender)>;
using TProgressEvent = std::function<void(TGraphic* sender, TProgressStage stage, std::uint8_t percentDone,
                                          bool redrawNow, const gdi::RECT& r, const std::string& msg)>;

class TGraphic {
  public:
    TGraphic() = default;
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    // Takes over the picture of source (null: becomes empty).
    virtual void AssignFrom(const TGraphic* source) = 0;
    // Gives this picture to target, for kinds that target does not know how to take over. By default
    // EConvertError "Cannot assign a %s to a %s".
    virtual void AssignTo(TGraphic& target) const;
    // The class name forms and messages use ("TBitmap", "TJPEGImage").
    virtual std::string_view ClassName() const { return "TGraphic"; }

    virtual bool IsEmpty() const = 0;
    virtual std::int32_t Width() const = 0;
    virtual std::int32_t Height() const = 0;
    virtual void SetWidth(std::int32_t value) = 0;
    virtual void SetHeight(std::int32_t value) = 0;
    virtual gdi::HPALETTE Palette() { return nullptr; }

    bool IsTransparent() const { return isTransparent_; }
    virtual void SetIsTransparent(bool value);

    // Reads one picture from the stream's position to its end / writes one picture.
    virtual void LoadStream(TStream& stream) = 0;
    virtual void SaveStream(TStream& stream) = 0;

    // The value of the form property "Data": by default the picture's stream format as it is.
    virtual void ReadDataProperty(TStream& stream) { LoadStream(stream); }
    virtual void WriteDataProperty(TStream& stream) { SaveStream(stream); }
    // Whether a form writing this picture stores "Data", given the inherited value (null: none).
    bool DataPropertyDiffers(TGraphic* ancestor);
    // Both empty, or of one class with equal "Data" values. A missing other picture is never equal.
    virtual bool SameImage(TGraphic* other);

    // The clipboard's bitmap format: format 2 with a bitmap handle and its palette.
    static constexpr std::uint16_t kClipboardBitmap = 2;
    virtual void LoadClipboardData(std::uint16_t format, gdi::HBITMAP data, gdi::HPALETTE palette) = 0;
    virtual void SaveClipboardData(std::uint16_t& format, gdi::HBITMAP& data, gdi::HPALETTE& palette) = 0;
    // Opened with deny-write sharing; EFOpenError "Cannot open file %s" when that fails.
    void LoadFile(const std::string& path);
    // Created or truncated; EFCreateError "Cannot create file %s" when that fails.
    void SaveFile(const std::string& path);

    TNotifyEvent ChangeHandler;
    TProgressEvent ProgressHandler;
    bool WasModified = false;
    // Tells a displaying control to realise the picture's palette again.
    bool PaletteChanged = false;

  protected:
    friend class TCanvas;
    // Draws the picture into r of the canvas (stretched to r).
    virtual void Render(TCanvas& canvas, const gdi::RECT& r) = 0;
    virtual void NotifyChanged();

    bool isTransparent_ = false;
};

}  // namespace plexon
