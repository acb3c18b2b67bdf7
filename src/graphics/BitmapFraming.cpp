// The other ways a bitmap travels: module resources, the form property "Data", the clipboard, and
// the dormant state that keeps only the file bytes. The BMP format itself is BmpReader/BmpWriter's.
#include <cstdint>
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapCopy.h"
#include "graphics/BmpFormat.h"
#include "graphics/ModuleResources.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

void TBitmap::ReadDataProperty(TStream& stream) {
    std::uint32_t count = 0;
    stream.ReadBuffer(&count, 4);
    // The reader takes everything to the end of its stream: give it exactly the value's bytes.
    TMemoryStream value;
    if (count > 0) value.CopyFrom(stream, count);
    value.SetPosition(0);
    LoadStream(value);
}

void TBitmap::WriteDataProperty(TStream& stream) {
    if (!image_->KeptData) EnsureDib();
    WriteBmp(stream, *image_, SizePrefix::Yes);
}

void TBitmap::LoadResource(const TResourceModule& module, std::string_view name) {
    const auto bytes = module.Find(name, ResourceType::Bitmap);
    if (!bytes) throw EResNotFound(Format(msg::kResNotFound, {name}));
    TMemoryStream stream;
    stream.WriteBuffer(bytes->data(), std::int64_t(bytes->size()));
    stream.SetPosition(0);
    ReleaseCanvasContext();
    DibBody body = ReadDibBody(stream, std::int64_t(bytes->size()), nullptr);
    InstallBody(body);
}

void TBitmap::LoadClipboardData(std::uint16_t format, gdi::HBITMAP data, gdi::HPALETTE palette) {
    if (format != kClipboardBitmap || !data) throw EInvalidGraphic(std::string(msg::kUnsupportedClipboard));
    ReleaseCanvasContext();
    gdi::DIBSECTION header{};
    if (gdi::GetObject(data, sizeof header, &header) < gdi::kBitmapObjectSize) {
        throw EInvalidGraphic(std::string(msg::kInvalidBitmap));
    }
    // A bitmap without pixel memory of ours is copied as a device bitmap.
    if (!header.dsBm.bmBits) header.dsBmih.biSize = 0;
    RebuildImage(data, palette, header);
    image_->CoreFormat = false;
    PaletteChanged = HasPalette();
    NotifyChanged();
}

void TBitmap::SaveClipboardData(std::uint16_t& format, gdi::HBITMAP& data, gdi::HPALETTE& palette) {
    format = kClipboardBitmap;
    EnsureHandle();
    EnsurePalette();  // a palette made from the colour table goes along too
    gdi::DIBSECTION header{};
    header.dsBm = image_->Dib.dsBm;
    header.dsBm.bmBits = nullptr;
    GdiObject<gdi::HBITMAP> copy(
        MakeBitmapCopy(image_->Handle, image_->PaletteHandle, image_->PaletteHandle, header, &Canvas()));
    palette = DuplicatePalette(image_->PaletteHandle);
    data = copy.Release();
}

void TBitmap::MakeDormant() {
    if (IsEmpty()) return;  // no bytes to keep: it stays as it is
    auto bytes = std::make_unique<TMemoryStream>();
    SaveStream(*bytes);
    gdi::DIBSECTION header = image_->Dib;
    header.dsBm.bmBits = nullptr;
    ReleaseCanvasContext();
    canvas_.reset();
    InstallImage(nullptr, nullptr, header, image_->CoreFormat, std::move(bytes));
}

}  // namespace plexon
