// libpng behind a setjmp boundary. Every function that sets a jump point holds only plain values, so
// a longjmp out of the library skips no destructor; callbacks handed to libpng never throw.
#include "graphics/PngShim.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace plexon::pngshim {

namespace {

constexpr std::size_t kMessageSize = 160;

void Keep(char* message, std::size_t size, const char* text) {
    std::snprintf(message, size, "%s", text ? text : "unknown error");
}

}  // namespace

// Made by calloc, so every field starts zero.
struct Reader {
    png_structp png;
    png_infop info;
    ReadBytes read;
    void* source;
    char message[kMessageSize];
};

extern "C" {

[[noreturn]] static void OnReadError(png_structp png, png_const_charp text) {
    auto* reader = static_cast<Reader*>(png_get_error_ptr(png));
    Keep(reader->message, sizeof reader->message, text);
    png_longjmp(png, 1);
}

// Warnings (a bad ancillary chunk's checksum and the like) do not stop a read.
static void OnWarning(png_structp, png_const_charp) {}

static void ReadFromSource(png_structp png, png_bytep out, std::size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (reader->read(reader->source, out, length) != length) png_error(png, kEndsEarly);
}

}  // extern "C"

Reader* CreateReader(ReadBytes read, void* source) {
    auto* reader = static_cast<Reader*>(std::calloc(1, sizeof(Reader)));
    if (!reader) return nullptr;
    reader->read = read;
    reader->source = source;
    reader->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, reader, OnReadError, OnWarning);
    if (reader->png) reader->info = png_create_info_struct(reader->png);
    if (!reader->info) {
        DestroyReader(reader);
        return nullptr;
    }
    png_set_read_fn(reader->png, reader, ReadFromSource);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
    // Checksums would stop nearly every mutated input at the first chunk; the fuzzer wants the decoder.
    png_set_crc_action(reader->png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
    png_set_option(reader->png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    return reader;
}

void DestroyReader(Reader* reader) {
    if (!reader) return;
    if (reader->png) png_destroy_read_struct(&reader->png, reader->info ? &reader->info : nullptr, nullptr);
    std::free(reader);
}

bool ReadHeader(Reader* reader, std::uint32_t* width, std::uint32_t* height) {
    png_structp png = reader->png;
    png_infop info = reader->info;
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    if (depth == 16) png_set_scale_16(png);
    png_set_expand(png);
    if (!(type & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (!(type & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xFFFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    if (png_get_rowbytes(png, info) != std::size_t(*width) * 4) png_error(png, "unexpected row layout");
    return true;
}

bool ReadRows(Reader* reader, std::uint8_t** rows) {
    png_structp png = reader->png;
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

const char* ReaderMessage(const Reader* reader) {
    return reader->message;
}

}  // namespace plexon::pngshim
