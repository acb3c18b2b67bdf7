// The one place that talks to libpng, for reading (writing is PngEncoder's). libpng reports errors
// with longjmp; these functions set the jump point, keep nothing with a destructor alive while the library
// runs and give back a status and the library's text, so that the caller throws on its own side. No C++
// exception ever unwinds a libpng frame, and nothing here allocates with new.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plexon::pngshim {

// Reading one PNG file through a source of bytes.
struct Reader;
// Fills out with up to length bytes of the file, in order, and gives how many; fewer only at the end of
// the file or on an error. It must not throw: it runs inside the library.
using ReadBytes = std::size_t (*)(void* source, std::uint8_t* out, std::size_t length) noexcept;
// Null when memory runs out. The source must outlive the reader.
Reader* CreateReader(ReadBytes read, void* source);
void DestroyReader(Reader* reader);
// Reads the chunks before the pixels and sets up the conversion to 8-bit RGBA (16-bit scaled to 8,
// palette and grey expanded, tRNS to alpha, interlacing undone). False on an error.
bool ReadHeader(Reader* reader, std::uint32_t* width, std::uint32_t* height);
// Reads every row (height pointers to width * 4 bytes each) and the chunks after them.
bool ReadRows(Reader* reader, std::uint8_t** rows);
// What went wrong in the last failed call.
const char* ReaderMessage(const Reader* reader);
// The message of a file that ends before the image does.
inline constexpr const char* kEndsEarly = "the file ends early";

}  // namespace plexon::pngshim
