// One JPEG codec object as C++ sees it: created through the guard, destroyed on every path, and
// every failed library call turned into EJPEG with the library's message code (or into the
// exception that a hook of ours caught). Which settings a picture uses is the picture's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>

#include "graphics/JpegGuard.h"

namespace plexon {

class TStream;

// Runs while the library works; whatever it throws comes out of the library call that was running.
using JpegProgressHook = std::function<void(j_common_ptr codec)>;

class JpegCodec {
  public:
    JpegCodec(const JpegCodec&) = delete;
    JpegCodec& operator=(const JpegCodec&) = delete;

  protected:
    explicit JpegCodec(JpegProgressHook progress, TStream* output);
    ~JpegCodec() = default;
    // Throws for anything but PXJ_OK.
    void Check(int status);
    // The library's own memory is capped so that a hostile header fails instead of exhausting memory.
    static void LimitMemory(j_common_ptr codec);

    pxj_session session_{};

  private:
    static int OnProgress(void* context, j_common_ptr codec) noexcept;
    static int OnWrite(void* context, const JOCTET* data, std::size_t size) noexcept;

    JpegProgressHook progress_;
    TStream* output_;
    std::exception_ptr caught_;
};

class JpegDecompressor : public JpegCodec {
  public:
    // Reads from the bytes, which must outlive the decompressor.
    JpegDecompressor(const std::uint8_t* data, std::size_t size, JpegProgressHook progress = {});
    ~JpegDecompressor();

    jpeg_decompress_struct& Info() { return info_; }
    void ReadHeader() { Check(pxj_read_header(&info_)); }
    void Start() { Check(pxj_start_decompress(&info_)); }
    // Decodes the next row into row; returns the rows read (0 or 1).
    JDIMENSION ReadScanline(void* row);
    void Finish() { Check(pxj_finish_decompress(&info_)); }
    // A colour map from the image pool: `components` rows of `colors` entries.
    JSAMPARRAY AllocColormap(int colors, int components);

  private:
    jpeg_decompress_struct info_{};
};

class JpegCompressor : public JpegCodec {
  public:
    // Appends the encoded file to output.
    explicit JpegCompressor(TStream& output, JpegProgressHook progress = {});
    ~JpegCompressor();

    jpeg_compress_struct& Info() { return info_; }
    void SetDefaults(int quality, bool progressive) { Check(pxj_set_defaults(&info_, quality, progressive)); }
    void Start() { Check(pxj_start_compress(&info_)); }
    JDIMENSION WriteScanline(const void* row);
    void Finish() { Check(pxj_finish_compress(&info_)); }

  private:
    jpeg_compress_struct info_{};
};

}  // namespace plexon
