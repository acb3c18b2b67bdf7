// The image control: shows its picture at its own size from the top-left corner, growing to fit
// with AutoSize. The picture holder itself is the graphics layer's.
#pragma once

#include <memory>

#include "framework/GraphicControl.h"
#include "graphics/Graphic.h"
#include "graphics/Picture.h"

namespace plexon {

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner);

    window::AccessibleRole Role() const override { return window::AccessibleRole::Image; }

    const TPicture& Picture() const { return picture_; }
    // Takes the picture over (null: empty) under its registered class name, and shows it.
    void SetGraphic(std::unique_ptr<TGraphic> graphic, std::string className);
    // Reads the picture from its form value ("Data": class name and the picture's own value), as
    // the form reader does for a picture stored with the window's description.
    void ReadPictureData(TStream& stream);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

  protected:
    void Paint() override;

  private:
    void PictureChanged();
    TPicture picture_;
    bool autoSize_ = false;
};

}  // namespace plexon
