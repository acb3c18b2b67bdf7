// Glyph images: cut from the strip once, the disabled one embossed from image 0, and kept in a
// list per image size that all glyph holders share.
#include "controls/PxGlyphHolder.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "platform/gdi/Raster.h"

namespace plexon {

// Prepared images of one size; free slots are reused.
class TPxGlyphList {
  public:
    static std::shared_ptr<TPxGlyphList> ForSize(gdi::SIZE size) {
        auto& lists = Lists();
        std::weak_ptr<TPxGlyphList>& known = lists[{size.cx, size.cy}];
        std::shared_ptr<TPxGlyphList> list = known.lock();
        if (!list) {
            list = std::shared_ptr<TPxGlyphList>(new TPxGlyphList(), [size](TPxGlyphList* dying) {
                Lists().erase({size.cx, size.cy});
                delete dying;
            });
            known = list;
        }
        return list;
    }
    static int Alive() {
        int count = 0;
        for (const auto& [size, list] : Lists())
            if (auto alive = list.lock())
                for (const auto& image : alive->images_) count += image ? 1 : 0;
        return count;
    }

    int Add(std::unique_ptr<TBitmap> image) {
        for (std::size_t i = 0; i < images_.size(); ++i)
            if (!images_[i]) {
                images_[i] = std::move(image);
                return int(i);
            }
        images_.push_back(std::move(image));
        return int(images_.size()) - 1;
    }
    void Remove(int slot) { images_.at(std::size_t(slot)).reset(); }
    TBitmap& At(int slot) { return *images_.at(std::size_t(slot)); }

  private:
    TPxGlyphList() = default;
    static std::map<std::pair<int, int>, std::weak_ptr<TPxGlyphList>>& Lists() {
        static std::map<std::pair<int, int>, std::weak_ptr<TPxGlyphList>> lists;
        return lists;
    }

    std::vector<std::unique_ptr<TBitmap>> images_;
};

TPxGlyphHolder::TPxGlyphHolder() : glyph_(std::make_unique<TBitmap>()) {
    slots_.fill(-1);
}

TPxGlyphHolder::~TPxGlyphHolder() {
    ReleasePrepared();
}

int TPxGlyphHolder::SharedImageCount() {
    return TPxGlyphList::Alive();
}

void TPxGlyphHolder::ReleasePrepared() {
    if (list_)
        for (int& slot : slots_)
            if (slot >= 0) list_->Remove(std::exchange(slot, -1));
    list_.reset();
}

void TPxGlyphHolder::SetGlyph(const TBitmap& glyph) {
    ReleasePrepared();
    glyph_->AssignFrom(&glyph);
    const int w = glyph_->Width(), h = glyph_->Height();
    if (h > 0 && w > 0 && w % h == 0) numGlyphs_ = w / h < kMaxGlyphs + 1 ? w / h : 1;
}

void TPxGlyphHolder::SetNumGlyphs(int value) {
    value = std::clamp(value, 0, kMaxGlyphs);
    if (value == numGlyphs_) return;
    ReleasePrepared();
    numGlyphs_ = value;
}

gdi::COLORREF TPxGlyphHolder::TransparentColor() {
    return gdi::COLORREF(glyph_->MaskColor()) & 0xFFFFFF;
}

gdi::SIZE TPxGlyphHolder::ImageSize() const {
    if (glyph_->IsEmpty() || numGlyphs_ <= 0) return {0, 0};
    return {glyph_->Width() / numGlyphs_, glyph_->Height()};
}

TBitmap& TPxGlyphHolder::Prepared(int index) {
    if (!list_) list_ = TPxGlyphList::ForSize(ImageSize());
    if (slots_[std::size_t(index)] >= 0) return list_->At(slots_[std::size_t(index)]);
    const gdi::SIZE size = ImageSize();
    const gdi::COLORREF key = TransparentColor();
    auto image = std::make_unique<TBitmap>();
    image->SetWidth(size.cx);
    image->SetHeight(size.cy);
    const gdi::HDC target = image->Canvas().Handle();
    if (index == 1 && numGlyphs_ == 1) {
        // The disabled image: the glyph's silhouette (every pixel that is not the transparent
        // colour) in the shadow colour over a highlight copy one pixel right and down.
        const gdi::RECT all{0, 0, size.cx, size.cy};
        image->Canvas().Brush().SetColor(TColor(key));
        image->Canvas().FillRect(all);
        TCanvas& source = glyph_->Canvas();
        std::vector<bool> inked(std::size_t(size.cx * size.cy));
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                inked[std::size_t(y * size.cx + x)] = (source.Pixels(x, y) & 0xFFFFFF) != key;
        const gdi::COLORREF light = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (inked[std::size_t(y * size.cx + x)] && x + 1 < size.cx && y + 1 < size.cy)
                    image->Canvas().SetPixels(x + 1, y + 1, TColor(light));
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                if (inked[std::size_t(y * size.cx + x)]) image->Canvas().SetPixels(x, y, TColor(shadow));
    } else {
        gdi::BitBlt(target, 0, 0, size.cx, size.cy, glyph_->Canvas().Handle(), index * size.cx, 0,
                    gdi::SRCCOPY);
    }
    image->SetMaskColor(TColor(key));
    image->SetIsTransparent(true);
    const int slot = list_->Add(std::move(image));
    slots_[std::size_t(index)] = slot;
    return list_->At(slot);
}

void TPxGlyphHolder::Draw(TCanvas& canvas, int index, int x, int y) {
    const gdi::SIZE size = ImageSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    if (index < 0 || index > kMaxGlyphs || (index >= numGlyphs_ && !(index == 1 && numGlyphs_ == 1)))
        index = 0;
    canvas.DrawGraphic(x, y, &Prepared(index));
}

}  // namespace plexon
