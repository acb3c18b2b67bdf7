// Creation, destruction and error translation of the JPEG codec objects.
#include "graphics/JpegCodec.h"

#include <utility>

#include "graphics/Jpeg.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

// More than any picture this program shows, and the same bound as a bitmap's pixel memory.
constexpr long kLibraryMemoryLimit = 256L << 20;

}  // namespace

JpegCodec::JpegCodec(JpegProgressHook progress, TStream* output)
    : progress_(std::move(progress)), output_(output) {
    session_.context = this;
    session_.on_progress = progress_ ? &JpegCodec::OnProgress : nullptr;
    session_.on_write = &JpegCodec::OnWrite;
}

void JpegCodec::Check(int status) {
    if (status == PXJ_OK) return;
    if (status == PXJ_HOOK_STOPPED && caught_) {
        std::exception_ptr caught = std::exchange(caught_, nullptr);
        std::rethrow_exception(caught);
    }
    throw EJPEG(JpegErrorMessage(session_.error.msg_code));
}

void JpegCodec::LimitMemory(j_common_ptr codec) {
    codec->mem->max_memory_to_use = kLibraryMemoryLimit;
}

int JpegCodec::OnProgress(void* context, j_common_ptr codec) noexcept {
    auto* self = static_cast<JpegCodec*>(context);
    try {
        self->progress_(codec);
        return 0;
    } catch (...) {
        self->caught_ = std::current_exception();
        return 1;
    }
}

int JpegCodec::OnWrite(void* context, const JOCTET* data, std::size_t size) noexcept {
    auto* self = static_cast<JpegCodec*>(context);
    try {
        self->output_->WriteBuffer(data, std::int64_t(size));
        return 0;
    } catch (...) {
        self->caught_ = std::current_exception();
        return 1;
    }
}

JpegDecompressor::JpegDecompressor(const std::uint8_t* data, std::size_t size, JpegProgressHook progress)
    : JpegCodec(std::move(progress), nullptr) {
    const int status = pxj_create_decompress(&info_, &session_);
    if (status != PXJ_OK) {
        pxj_destroy(reinterpret_cast<j_common_ptr>(&info_));
        Check(status);
    }
    LimitMemory(reinterpret_cast<j_common_ptr>(&info_));
    pxj_memory_source(&info_, data, size);
}

JpegDecompressor::~JpegDecompressor() {
    pxj_destroy(reinterpret_cast<j_common_ptr>(&info_));
}

JDIMENSION JpegDecompressor::ReadScanline(void* row) {
    JDIMENSION rows = 0;
    Check(pxj_read_scanline(&info_, static_cast<JSAMPROW>(row), &rows));
    return rows;
}

JSAMPARRAY JpegDecompressor::AllocColormap(int colors, int components) {
    JSAMPARRAY map = nullptr;
    Check(pxj_alloc_colormap(&info_, colors, components, &map));
    return map;
}

JpegCompressor::JpegCompressor(TStream& output, JpegProgressHook progress)
    : JpegCodec(std::move(progress), &output) {
    const int status = pxj_create_compress(&info_, &session_);
    if (status != PXJ_OK) {
        pxj_destroy(reinterpret_cast<j_common_ptr>(&info_));
        Check(status);
    }
    LimitMemory(reinterpret_cast<j_common_ptr>(&info_));
}

JpegCompressor::~JpegCompressor() {
    pxj_destroy(reinterpret_cast<j_common_ptr>(&info_));
}

JDIMENSION JpegCompressor::WriteScanline(const void* row) {
    JDIMENSION rows = 0;
    // The library reads input rows only; its interface is not const-correct.
    Check(pxj_write_scanline(&info_, static_cast<JSAMPROW>(const_cast<void*>(row)), &rows));
    return rows;
}

}  // namespace plexon
