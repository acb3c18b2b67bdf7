// An SVG document held by a helper process: opened here, parsed and rendered there.
#include "graphics/SvgImage.h"

#include <utility>

#include "graphics/SvgHelpers.h"
#include "graphics/SvgLimits.h"
#include "runtime/PathText.h"
#include "runtime/Stream.h"

namespace plexon {

bool IsSvgFileName(std::string_view name) {
    return EndsWithIgnoringCase(name, ".svg") || EndsWithIgnoringCase(name, ".svgz");
}

SvgImage::SvgImage(const std::string& path) : path_(path) {
    size_ = Parse().size;
}

SvgImage::~SvgImage() {
    Release();
}

SvgImage::SvgImage(SvgImage&& other) noexcept
    : path_(std::move(other.path_)),
      helper_(std::move(other.helper_)),
      document_(other.document_),
      size_(other.size_) {}

SvgImage& SvgImage::operator=(SvgImage&& other) noexcept {
    std::swap(path_, other.path_);
    std::swap(helper_, other.helper_);
    std::swap(document_, other.document_);
    std::swap(size_, other.size_);
    return *this;
}

ParsedSvg SvgImage::Parse() const {
    // Opened here, so that what may be read and the errors of opening are the same as for every
    // other source; the helper reads the open file.
    TFileStream stream(path_, FileMode::OpenRead);
    if (stream.Size() > kMaxSvgFileBytes) RefuseSvg(path_, "the file is larger than 64 MB");
    std::shared_ptr<SvgHelper> helper = TakeSvgHelper(path_);
    const ParsedSvg parsed = helper->Parse(path_, stream.Handle());
    helper_ = std::move(helper);
    document_ = parsed.document;
    return parsed;
}

void SvgImage::Release() noexcept {
    if (helper_) helper_->Free(document_);
    helper_.reset();
}

RgbaImage SvgImage::Render(std::int32_t size) const {
    if (!helper_->Alive()) Parse();
    return helper_->Render(document_, size, path_);
}

}  // namespace plexon
