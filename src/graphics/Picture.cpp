// The picture registry and the holder's framing of "Data".
#include "graphics/Picture.h"

#include <map>
#include <mutex>

#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

constexpr std::size_t kMaxClassName = 63;

struct Registry {
    std::mutex lock;
    std::map<std::string, TGraphicFactory, std::less<>> formats{
        {"TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }}};
};

Registry& PictureFormats() {
    static Registry registry;
    return registry;
}

}  // namespace

void RegisterPictureFormat(const std::string& className, TGraphicFactory factory) {
    Registry& registry = PictureFormats();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.formats[className] = std::move(factory);
}

std::unique_ptr<TGraphic> CreatePicture(std::string_view className) {
    Registry& registry = PictureFormats();
    TGraphicFactory factory;
    {
        std::lock_guard<std::mutex> guard(registry.lock);
        const auto it = registry.formats.find(className);
        if (it == registry.formats.end()) return nullptr;
        factory = it->second;
    }
    return factory();
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
