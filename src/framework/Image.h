// The picture holder and the image control that shows it at its own size from the top-left
// corner, growing to fit with AutoSize. Only bitmaps can be held for now; TPicture takes any TGraphic.
#pragma once

#include <memory>

#include "framework/GraphicControl.h"
#include "graphics/Graphic.h"

namespace plexon {

class TPicture {
  public:
    TGraphic* Graphic() const { return graphic_.get(); }
    // Takes ownership; null empties the picture.
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // Loads a BMP file into a new bitmap.
    void LoadFromFile(const std::string& path);
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    std::function<void()> OnChange;

  private:
    std::unique_ptr<TGraphic> graphic_;
};

class TImage : public TGraphicControl {
  public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() { return picture_; }
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
