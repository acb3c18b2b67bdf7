// The picture registry and the holder's framing of "Data".
#include "graphics/Picture.h"

#include <cctype>
#include <mutex>

#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

constexpr std::size_t kMaxClassName = 63;

struct Registry {
    std::mutex lock;
    // The bitmap is the only other picture kind this program has; the JPEG format registers itself
    // here as its own start-up would.
    std::vector<TPictureFormat> formats{{&BitmapClass(), "bmp", "Bitmaps"},
                                        {&TJPEGImage::Class(), "jpeg", std::string(kJpegDescription)},
                                        {&TJPEGImage::Class(), "jpg", std::string(kJpegDescription)}};
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

bool TGraphicClass::InheritsFrom(const TGraphicClass& other) const {
    for (const TGraphicClass* c = this; c; c = c->Parent)
        if (c == &other) return true;
    return false;
}

const TGraphicClass& GraphicClass() {
    static const TGraphicClass graphic{"TGraphic", nullptr, nullptr};
    return graphic;
}

const TGraphicClass& BitmapClass() {
    static const TGraphicClass bitmap{"TBitmap", &GraphicClass(),
                                      [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }};
    return bitmap;
}

void RegisterPictureFormat(std::string_view extension, std::string_view description,
                           const TGraphicClass& graphicClass) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.formats.push_back({&graphicClass, LowerCase(std::string(extension)), std::string(description)});
}

void UnregisterPictureClass(const TGraphicClass& graphicClass) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    std::erase_if(registry.formats,
                  [&](const TPictureFormat& f) { return f.GraphicClass->InheritsFrom(graphicClass); });
}

const TGraphicClass* FindPictureClass(std::string_view className) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    for (auto it = registry.formats.rbegin(); it != registry.formats.rend(); ++it)
        if (it->GraphicClass->Name == className) return it->GraphicClass;
    return nullptr;
}

std::vector<TPictureFormat> PictureFormats() {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.formats;
}

std::unique_ptr<TGraphic> CreatePicture(std::string_view className) {
    const TGraphicClass* graphicClass = FindPictureClass(className);
    return graphicClass && graphicClass->Create ? graphicClass->Create() : nullptr;
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic, std::string className) {
    graphic_ = std::move(graphic);
    className_ = graphic_ ? std::move(className) : std::string();
}

void TPicture::ReadData(TStream& stream) {
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string name(length, '\0');
    stream.ReadBuffer(name.data(), length);
    std::unique_ptr<TGraphic> graphic = CreatePicture(name);
    if (graphic) graphic->ReadDataProperty(stream);
    SetGraphic(std::move(graphic), name);
}

void TPicture::WriteData(TStream& stream) {
    const std::string name = graphic_ ? className_.substr(0, kMaxClassName) : std::string();
    const auto length = std::uint8_t(name.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.data(), length);
    if (graphic_) graphic_->WriteDataProperty(stream);
}

bool TPicture::DataDiffers(const TPicture* ancestor) const {
    if (!ancestor) return graphic_ != nullptr;
    if (graphic_ == ancestor->graphic_) return false;
    if (!graphic_ || !ancestor->graphic_) return true;
    return !graphic_->SameImage(ancestor->graphic_.get());
}

}  // namespace plexon
