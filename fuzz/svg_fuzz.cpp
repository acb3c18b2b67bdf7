// libFuzzer target for SVG through the helper process: any bytes are parsed and, when they parse,
// rendered at two sizes. Refusals, limits and a crashed renderer are expected outcomes (the helper runs
// librsvg, not our code); a crash, leak or sanitizer report here, a hang, or pixels of the wrong size
// are findings. This program is its own helper: started with the helper's argument it serves instead.
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "graphics/SvgHelperMain.h"
#include "graphics/SvgHelpers.h"
#include "graphics/SvgImage.h"
#include "graphics/SvgLimits.h"
#include "platform/shell/ExecutablePath.h"
#include "runtime/Exceptions.h"

namespace {

using namespace plexon;

std::string inputPath;  // in a folder of its own, so references find nothing beside it

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (IsSvgHelperCommand(*argc, *argv)) std::exit(RunSvgHelper(*argc, *argv));
    SetSvgHelperProgram(ExecutablePath().value_or((*argv)[0]));
    // Documents that take long are refused quickly; the limit itself is what is tried, not its size.
    SetSvgTimeLimit(std::chrono::milliseconds(500));
    std::string folder = "/tmp/plexon-svg-fuzz-XXXXXX";
    if (!::mkdtemp(folder.data())) std::abort();
    inputPath = folder + "/input.svg";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ofstream(inputPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    try {
        const SvgImage svg(inputPath);
        for (const std::int32_t side : {16, 24}) {
            const RgbaImage image = svg.Render(side);
            if (image.Width() != side || image.Height() != side) __builtin_trap();
        }
    } catch (const Exception&) {
    }
    return 0;
}
