// A face at one size, style and angle, with its metrics and its glyphs cached per character code, and
// the bounded cache of instances shared by all fonts. Neither cache grows without limit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Fonts.h"
#include "runtime/Utf8.h"

struct FT_FaceRec_;  // FreeType's face, kept out of this header

namespace plexon::gdi::detail {

struct Glyph {
    int advance = 0;  // pixels along the baseline
    // Coverage bitmap (0-255), placed at origin + (left, -top) in screen coordinates.
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<std::uint8_t> coverage;
};

// Where lines go, in pixels below (positive) the baseline, and how thick they are.
struct Decoration {
    int offset = 0;
    int thickness = 1;
};

class FontInstance {
  public:
    // Finds the face for the description and opens it; throws when no face at all can be opened.
    explicit FontInstance(const LOGFONT& description);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const TEXTMETRIC& Metrics() const { return metrics_; }
    const std::string& FamilyName() const { return family_; }
    const std::string& FilePath() const { return file_; }
    // Escapement in radians, counter-clockwise.
    double Angle() const { return angle_; }
    bool Underline() const { return underline_; }
    bool StrikeOut() const { return strikeOut_; }
    Decoration UnderlineLine() const { return underlineLine_; }
    Decoration StrikeLine() const { return strikeLine_; }

    // The character at byte `at` of text (at < text.size()) as this face reads it: a symbol face
    // byte by byte through its byte table, every other face as UTF-8.
    utf8::Character CharacterAt(std::string_view text, std::size_t at) const;

    int Advance(char32_t code);
    // The glyph with its bitmap, rasterised on first use. The reference holds until the next call of
    // Advance or GlyphFor on this instance: a full cache drops bitmaps to make room.
    const Glyph& GlyphFor(char32_t code);

    // What this instance holds in memory, roughly: glyph bitmaps, entries and the faces it opened.
    std::size_t CacheBytes() const;

  private:
    struct Face;
    // How glyphs of one face are loaded: styles it lacks are made from its outlines (bitmaps are
    // drawn as they are).
    struct Styling {
        std::int32_t loadFlags = 0;
        bool embolden = false, slant = false;
        double room = 0;  // how much an emboldened outline grows, in ems; 0: FreeType's made-up bold
    };
    struct Entry {
        bool measured = false;
        bool rendered = false;
        // Where the glyph comes from, settled when it is measured: this face (0) or fallback face
        // n - 1 for a character this face lacks, and the glyph index there (0: the missing-glyph box).
        std::uint16_t source = 0;
        unsigned index = 0;
        Glyph glyph;
    };
    void Resolve(char32_t code, Entry& entry);
    ::FT_FaceRec_* SourceFace(const Entry& entry) const;
    const Styling& SourceStyling(const Entry& entry) const;
    Styling StylingFor(const ::FT_FaceRec_& face, const std::string& path, int index) const;
    Entry& EntryFor(char32_t code);
    void Measure(char32_t code, Entry& entry);
    void Render(char32_t code, Entry& entry);
    void DropBitmaps();
    unsigned GlyphIndex(char32_t code) const;

    std::unique_ptr<Face> face_;
    std::string family_, file_;
    TEXTMETRIC metrics_;
    double angle_ = 0;
    Styling styling_;
    bool underline_ = false, strikeOut_ = false;
    bool bold_ = false, italic_ = false;
    long charSize_ = 0;  // 26.6 points at 72 dpi: the pixel size
    bool symbolMap_ = false, byteMap_ = false;
    Decoration underlineLine_, strikeLine_;
    std::array<Entry, 256> entries_;  // the common case without a look-up
    std::unordered_map<char32_t, Entry> moreEntries_;
    std::size_t bitmapBytes_ = 0;  // coverage held by all entries
};

// One instance keeps at most this much in glyph bitmaps (a few dozen glyphs at the largest size);
// past it, its bitmaps are dropped and rasterised again when drawn.
constexpr std::size_t kInstanceBitmapLimit = std::size_t(16) << 20;
// Entries for characters past the first 256 an instance keeps before it forgets them all.
constexpr std::size_t kInstanceEntryLimit = 8192;
// Instances no font uses stay cached, most recently used first, up to this many and this many bytes
// in all. An instance a font uses is never dropped: the font holds it, and the cache keeps it so that
// fonts of the same description go on sharing it.
constexpr std::size_t kIdleInstanceLimit = 48;
constexpr std::size_t kIdleBytesLimit = std::size_t(48) << 20;

// The face name asked for: the description's, or the default face when it names none.
std::string FaceNameOf(const LOGFONT& description);

// The shared instance for a description: one per face, size, style and angle. Callers hold FontLock().
std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& description);

struct FontCacheState {
    std::size_t instances = 0;  // all cached
    std::size_t idle = 0;       // of those, the ones no font uses
    std::size_t idleBytes = 0;
};
FontCacheState FontCacheStateNow();

// The font system is not thread-safe; every user of instances holds this lock.
std::mutex& FontLock();
// How many glyphs have been rasterised so far (cache checks in tests).
std::uint64_t GlyphRasterCount();
// How many times installed faces were searched for a character (cache checks in tests).
std::uint64_t FallbackSearchCount();

}  // namespace plexon::gdi::detail
