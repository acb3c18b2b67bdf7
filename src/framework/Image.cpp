// The picture holder and the image control.
#include "framework/Image.h"

#include "graphics/Bitmap.h"

namespace plexon {

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (OnChange) OnChange();
}

void TPicture::LoadFromFile(const std::string& path) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFile(path);
    SetGraphic(std::move(bitmap));
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::SetAutoSize(bool value) {
    autoSize_ = value;
    PictureChanged();
}

void TImage::PictureChanged() {
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::Paint() {
    Canvas().DrawGraphic(0, 0, picture_.Graphic());
}

}  // namespace plexon
