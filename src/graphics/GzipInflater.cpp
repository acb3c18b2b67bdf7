// zlib's inflate in gzip mode, fed in pieces and counted.
#include "graphics/GzipInflater.h"

#include <zlib.h>

#include <array>

namespace plexon {

struct GzipInflater::State {
    z_stream stream{};
    bool open = false, ended = false;
    std::int64_t limit = 0, total = 0;
    Sink sink;
};

bool IsGzipStart(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 0x1F && head[1] == 0x8B;
}

GzipInflater::GzipInflater(std::int64_t limit, Sink sink) : state_(std::make_unique<State>()) {
    state_->limit = limit;
    state_->sink = std::move(sink);
    // 16 + the largest window: gzip framing only, so a zlib or raw stream is no .svgz.
    state_->open = inflateInit2(&state_->stream, 16 + MAX_WBITS) == Z_OK;
}

GzipInflater::~GzipInflater() {
    if (state_->open) inflateEnd(&state_->stream);
}

std::string GzipInflater::Feed(std::span<const std::uint8_t> input) {
    State& s = *state_;
    if (!s.open) return "zlib could not start";
    if (s.ended) return {};
    std::array<std::uint8_t, 64 << 10> out;
    s.stream.next_in = const_cast<Bytef*>(input.data());
    s.stream.avail_in = uInt(input.size());
    // Inflate takes all the input it can; a full output buffer may mean more is waiting.
    do {
        s.stream.next_out = out.data();
        s.stream.avail_out = uInt(out.size());
        const int status = inflate(&s.stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR)
            return std::string("not a valid gzip stream") +
                   (s.stream.msg ? std::string(" (") + s.stream.msg + ")" : "");
        const std::size_t made = out.size() - s.stream.avail_out;
        if ((s.total += std::int64_t(made)) > s.limit)
            return "the document is larger than " + std::to_string(s.limit >> 20) + " MB unpacked";
        if (made > 0) s.sink(std::span(out.data(), made));
        s.ended = status == Z_STREAM_END;
    } while (!s.ended && s.stream.avail_out == 0);
    return {};
}

std::string GzipInflater::Finish() const {
    return state_->ended ? std::string() : "the gzip stream is cut short";
}

}  // namespace plexon
