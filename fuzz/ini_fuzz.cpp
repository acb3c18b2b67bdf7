// libFuzzer target for TIniFile: any bytes as the file, any names and value; a write must read back
// and must leave every other key's value as it was. Refused writes (EIniFileException) are expected.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "runtime/Exceptions.h"
#include "runtime/IniFile.h"

namespace {

using namespace plexon;

const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/plexon-ini-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) std::abort();
        close(fd);
        return pattern;
    }();
    return path;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    const std::string x = Trimmed(a), y = Trimmed(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(x[i]) != lower(y[i])) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(24);
    const std::string key = input.ConsumeRandomLengthString(24);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string otherSection = input.ConsumeRandomLengthString(24);
    const std::string otherKey = input.ConsumeRandomLengthString(24);
    const std::string content = input.ConsumeRemainingBytesAsString();
    std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << content;

    TIniFile ini(FilePath());
    const std::string otherBefore = ini.ReadString(otherSection, otherKey, "\x01");
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniFileException&) {
        return 0;
    }
    std::string expected = Trimmed(value);
    if (expected.size() >= TIniFile::kReadBufferSize) expected.resize(TIniFile::kReadBufferSize - 1);
    if (ini.ReadString(section, key, "\x01") != expected) __builtin_trap();
    const bool sameEntry = SameName(section, otherSection) && SameName(key, otherKey);
    if (!sameEntry && ini.ReadString(otherSection, otherKey, "\x01") != otherBefore) __builtin_trap();
    return 0;
}
