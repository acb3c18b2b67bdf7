// The picture holder of image controls and the registry of picture formats by class name, which
// form descriptions use to recreate the picture they store. Drawing the picture is the control's.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "graphics/Graphic.h"

namespace plexon {

class TStream;

// Makes an empty picture of one format.
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;

// Registers (or replaces) the format of a class name such as "TJPEGImage". "TBitmap" is known
// from the start.
void RegisterPictureFormat(const std::string& className, TGraphicFactory factory);
// An empty picture of the named class, or null for a name nobody registered.
std::unique_ptr<TGraphic> CreatePicture(std::string_view className);

class TPicture {
  public:
    TGraphic* Graphic() const { return graphic_.get(); }
    // Takes the picture over (null: empty); the class name is that of its registration.
    void SetGraphic(std::unique_ptr<TGraphic> graphic, std::string className);
    const std::string& ClassName() const { return className_; }

    // The form property "Data": a length byte, the class name (at most 63 characters) and the
    // picture's own value; an empty holder is the single byte 0. An unknown class name reads as
    // empty, with the rest of the value skipped by the caller's framing.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);
    // Whether a form writing this holder stores "Data", given the inherited holder (null: none).
    bool DataDiffers(const TPicture* ancestor) const;

  private:
    std::unique_ptr<TGraphic> graphic_;
    std::string className_;
};

}  // namespace plexon
