// The image control.
#include "framework/Image.h"

namespace plexon {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
}

void TImage::SetGraphic(std::unique_ptr<TGraphic> graphic, std::string className) {
    picture_.SetGraphic(std::move(graphic), std::move(className));
    PictureChanged();
}

void TImage::ReadPictureData(TStream& stream) {
    picture_.ReadData(stream);
    PictureChanged();
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TImage::PictureChanged() {
    const TGraphic* graphic = picture_.Graphic();
    if (autoSize_ && graphic && !graphic->IsEmpty())
        SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    Invalidate();
}

void TImage::Paint() {
    Canvas().DrawGraphic(0, 0, picture_.Graphic());
}

}  // namespace plexon
