// The picture holder of image controls and the registry of picture formats, through which form
// descriptions recreate the picture they store by its class name. Drawing the picture is the control's.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Graphic.h"

namespace plexon {

class TStream;

// A picture kind as the registry knows it: its class name, the kind it derives from, and how to make
// an empty picture of it.
struct TGraphicClass {
    std::string_view Name;
    const TGraphicClass* Parent = nullptr;  // null only for TGraphic itself
    std::unique_ptr<TGraphic> (*Create)() = nullptr;

    // This class or one derived from it.
    bool InheritsFrom(const TGraphicClass& other) const;
};

const TGraphicClass& GraphicClass();  // TGraphic: abstract, Create is null
const TGraphicClass& BitmapClass();   // TBitmap

struct TPictureFormat {
    const TGraphicClass* GraphicClass;
    std::string Extension;  // lower case
    std::string Description;
    int DescriptionId = 0;
};

// Appends an entry; the extension is stored in lower case.
void RegisterPictureFormat(std::string_view extension, std::string_view description,
                           const TGraphicClass& graphicClass);
// Removes every entry of the class or of a class derived from it.
void UnregisterPictureClass(const TGraphicClass& graphicClass);
// The class of the last entry whose class name equals className exactly; null for none.
const TGraphicClass* FindPictureClass(std::string_view className);
// The entries in order: "bmp", then "jpeg" and "jpg" until the JPEG format is shut down.
std::vector<TPictureFormat> PictureFormats();
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
