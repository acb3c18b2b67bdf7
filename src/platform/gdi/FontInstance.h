// A face at one size, style and angle, with its metrics and its glyphs cached per character code.
// Glyphs are rasterised once and kept for the program's life.
#pragma once

#include <array>
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
    // The glyph with its bitmap, rasterised on first use.
    const Glyph& GlyphFor(char32_t code);

  private:
    struct Face;
    struct Entry {
        bool measured = false;
        bool rendered = false;
        Glyph glyph;
    };
    // The face that draws a character and its glyph there: this face, or for a character it lacks
    // an installed face that has it (index 0, the missing-glyph box, when none has).
    struct Source {
        ::FT_FaceRec_* face;
        unsigned index;
    };
    Source SourceOf(char32_t code);
    Entry& EntryFor(char32_t code);
    void Measure(char32_t code, Entry& entry);
    void Render(char32_t code, Entry& entry);
    unsigned GlyphIndex(char32_t code) const;

    std::unique_ptr<Face> face_;
    std::string family_, file_;
    TEXTMETRIC metrics_;
    double angle_ = 0;
    std::int32_t loadFlags_ = 0;
    bool underline_ = false, strikeOut_ = false;
    bool bold_ = false, italic_ = false;
    long charSize_ = 0;  // 26.6 points at 72 dpi: the pixel size
    bool emboldened_ = false, slanted_ = false, symbolMap_ = false, byteMap_ = false;
    Decoration underlineLine_, strikeLine_;
    std::array<Entry, 256> entries_;  // the common case without a look-up
    std::unordered_map<char32_t, Entry> moreEntries_;
};

// The shared instance for a description: one per face, size, style and angle.
std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& description);
// The font system is not thread-safe; every user of instances holds this lock.
std::mutex& FontLock();
// How many glyphs have been rasterised so far (cache checks in tests).
std::uint64_t GlyphRasterCount();

}  // namespace plexon::gdi::detail
