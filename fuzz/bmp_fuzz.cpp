// libFuzzer target for the BMP reader: any bytes go to TBitmap::LoadStream; what loads is measured,
// resized and written back. Documented failures (exceptions of ours) are expected outcomes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace plexon;
    TMemoryStream input;
    input.WriteBuffer(data, static_cast<std::int64_t>(size));
    input.SetPosition(0);
    TBitmap bitmap;
    try {
        bitmap.LoadStream(input);
    } catch (const Exception&) {
        return 0;
    }
    const std::int32_t width = bitmap.Width(), height = bitmap.Height();
    if (width < 0 || height < 0) __builtin_trap();  // sizes are reported as magnitudes
    try {
        // Cut or grow by a little, keeping the pixel count bounded so the fuzzer measures the
        // reader rather than the allocator.
        bitmap.SetHeight(std::min<std::int32_t>(height + 1, 512));
        bitmap.SetWidth(std::min<std::int32_t>(width / 2 + 3, 512));
        TMemoryStream output;
        bitmap.SaveStream(output);
    } catch (const Exception&) {
    }
    return 0;
}
