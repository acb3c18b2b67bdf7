// libpng behind a setjmp boundary. Every function that sets a jump point holds only plain values, so
// a longjmp out of the library skips no destructor; callbacks handed to libpng never throw.
#include "graphics/PngShim.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
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

static void ReadFromMemory(png_structp png, png_bytep out, std::size_t length) {
    auto* reader = static_cast<Reader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->position) png_error(png, "the file ends early");
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
}

}  // extern "C"

Reader* CreateReader(const std::uint8_t* data, std::size_t size) {
    auto* reader = static_cast<Reader*>(std::calloc(1, sizeof(Reader)));
    if (!reader) return nullptr;
    reader->data = data;
    reader->size = size;
    reader->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, reader, OnReadError, OnWarning);
    if (reader->png) reader->info = png_create_info_struct(reader->png);
    if (!reader->info) {
        DestroyReader(reader);
        return nullptr;
    }
    png_set_read_fn(reader->png, reader, ReadFromMemory);
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

namespace {

struct WriteState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    Written out;
    std::size_t capacity = 0;
    char message[kMessageSize] = {};
};

}  // namespace

extern "C" {

[[noreturn]] static void OnWriteError(png_structp png, png_const_charp text) {
    auto* state = static_cast<WriteState*>(png_get_error_ptr(png));
    Keep(state->message, sizeof state->message, text);
    png_longjmp(png, 1);
}

static void WriteToMemory(png_structp png, png_bytep data, std::size_t length) {
    auto* state = static_cast<WriteState*>(png_get_io_ptr(png));
    Written& out = state->out;
    if (length > state->capacity - out.size) {
        std::size_t capacity = state->capacity ? state->capacity : 4096;
        while (capacity - out.size < length) capacity *= 2;
        auto* grown = static_cast<std::uint8_t*>(std::realloc(out.data, capacity));
        if (!grown) png_error(png, "out of memory");
        out.data = grown;
        state->capacity = capacity;
    }
    std::memcpy(out.data + out.size, data, length);
    out.size += length;
}

static void FlushNothing(png_structp) {}

}  // extern "C"

namespace {

// The jump point lives here; state outlives it in the caller's frame, so what the library had written
// before an error can still be freed.
bool WriteWithin(WriteState* state, const std::uint8_t* const* rows, std::uint32_t width,
                 std::uint32_t height, int level) {
    png_structp png = state->png;
    png_infop info = state->info;
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, state, WriteToMemory, FlushNothing);
    png_set_compression_level(png, level);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(rows));
    png_write_end(png, info);
    return true;
}

}  // namespace

bool Write(const std::uint8_t* const* rows, std::uint32_t width, std::uint32_t height, int level,
           Written* out, char* message, std::size_t messageSize) {
    WriteState state;
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnWriteError, OnWarning);
    if (state.png) state.info = png_create_info_struct(state.png);
    bool ok = state.info && WriteWithin(&state, rows, width, height, level);
    if (!state.info) Keep(state.message, sizeof state.message, "out of memory");
    if (state.png) png_destroy_write_struct(&state.png, state.info ? &state.info : nullptr);
    if (ok) {
        *out = state.out;
    } else {
        std::free(state.out.data);
        Keep(message, messageSize, state.message);
    }
    return ok;
}

void FreeWritten(Written* written) {
    std::free(written->data);
    *written = {};
}

}  // namespace plexon::pngshim
