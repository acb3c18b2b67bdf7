// The bounded gzip inflater that .svgz documents go through: whole or in pieces, cut short,
// corrupt, and a small file that would unpack past the bound.
#include "graphics/GzipInflater.h"

#include <gtest/gtest.h>

#include "graphics/SvgImage.h"
#include "support/GzipFiles.h"

namespace plexon {
namespace {

struct Outcome {
    std::string text, feed, finish;
};

Outcome Inflate(const std::vector<std::uint8_t>& bytes, std::size_t piece, std::int64_t limit = 1 << 20) {
    Outcome outcome;
    GzipInflater inflater(
        limit, [&](std::span<const std::uint8_t> out) { outcome.text.append(out.begin(), out.end()); });
    for (std::size_t at = 0; at < bytes.size() && outcome.feed.empty(); at += piece)
        outcome.feed = inflater.Feed(std::span(bytes).subspan(at, std::min(piece, bytes.size() - at)));
    outcome.finish = inflater.Finish();
    return outcome;
}

TEST(GzipInflater, UnpacksWholeOrInPiecesAndRefusesWhatIsNotWhole) {
    const std::string text = std::string(5000, 'a') + "<svg/>" + std::string(70000, 'b');
    const std::vector<std::uint8_t> whole = test::Gzip(text);
    std::vector<std::uint8_t> cut(whole.begin(), whole.end() - 12), corrupt = whole;
    corrupt[12] ^= 0xFF;
    corrupt[13] ^= 0xFF;
    // What came out is the text, or for a stream cut short a beginning of it.
    const struct {
        const char* what;
        const std::vector<std::uint8_t>& bytes;
        std::size_t piece;
        const char* finish;
    } cases[] = {
        {"whole", whole, whole.size(), ""},
        {"byte by byte", whole, 1, ""},
        {"cut short", cut, 100, "the gzip stream is cut short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome got = Inflate(c.bytes, c.piece);
        EXPECT_TRUE(*c.finish ? text.starts_with(got.text) : got.text == text);
        EXPECT_EQ(got.feed, "");
        EXPECT_EQ(got.finish, c.finish);
    }
    EXPECT_TRUE(Inflate(corrupt, 64).feed.starts_with("not a valid gzip stream"))
        << Inflate(corrupt, 64).feed;
    EXPECT_TRUE(IsGzipStart(whole));
    EXPECT_FALSE(IsGzipStart(std::vector<std::uint8_t>{'<', 's'}));
}

// 65 MB of nothing packs into a few tens of kilobytes; it is refused once past 64 MB unpacked.
TEST(GzipInflater, ABombStopsAtTheBound) {
    const Outcome got = Inflate(test::Gzip(std::string((65 << 20), ' ')), 4096, kMaxSvgFileBytes);
    EXPECT_EQ(got.feed, "the document is larger than 64 MB unpacked");
    EXPECT_LE(got.text.size(), std::size_t(kMaxSvgFileBytes));
}

}  // namespace
}  // namespace plexon
