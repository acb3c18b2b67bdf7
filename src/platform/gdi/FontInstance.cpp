// Face look-up through fontconfig (with the folder of the free Windows replacement faces added) and
// glyph rasterising through FreeType, with Windows-style metrics taken from the face's tables.
#include "platform/gdi/FontInstance.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <stdexcept>
#include <tuple>

#include "platform/gdi/BoldWeight.h"
#include "platform/gdi/FaceData.h"
#include "runtime/PathText.h"

namespace plexon::gdi::detail {

namespace {

// Where the Debian package of the free Tahoma and Symbol replacements puts them; fontconfig does
// not look there by itself. A missing folder is simply not added.
constexpr const char* kReplacementFaceFolder = "/usr/share/wine/fonts";
constexpr const char* kDefaultFace = "Tahoma";
constexpr int kDefaultHeight = -11;
// Light hinting keeps outline glyphs evenly spaced at small sizes. Faces with hand-tuned bitmaps for
// a size (the Tahoma replacement at 8 points) use them, as the era's screens did, unless the text is
// turned or a style is made up from the outlines: bitmaps can be neither turned nor slanted.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT;

// Roughly what FreeType keeps for an open face at one size (tables, hinting state, the auto-hinter's
// analysis); the file itself is mapped once for all (FaceData).
constexpr std::size_t kFaceBytes = std::size_t(96) << 10;
// Fallback faces one instance opens at most; more would mean fontconfig keeps naming faces that do
// not have the character.
constexpr std::size_t kMaxFallbacks = 32;

std::uint64_t rasterCount = 0;
std::uint64_t fallbackSearches = 0;

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library made = nullptr;
        if (FT_Init_FreeType(&made) != 0) throw std::runtime_error("FreeType cannot start");
        return made;
    }();
    return library;
}

// Our own configuration, released with fontconfig's caches when the program ends.
struct FontConfig {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FontConfig() { FcConfigAppFontAddDir(config, reinterpret_cast<const FcChar8*>(kReplacementFaceFolder)); }
    ~FontConfig() {
        FcConfigDestroy(config);
        FcFini();
    }
};

FcConfig* Config() {
    static FontConfig holder;
    return holder.config;
}

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;
};

// Unknown names fall back through fontconfig's own rules to a sans face; the weight and slant asked
// for are kept in the pattern so the stand-in has them too.
// The installed face fontconfig matches best for a family (sans-serif when it has none) and style,
// optionally one that has a given character; the caller frees the match.
FcPattern* MatchFace(const std::string* family, FcCharSet* wanted, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    if (family) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family->c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    if (wanted) FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(Config(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(Config(), pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

FaceFile FindFace(const std::string& name, bool bold, bool italic) {
    FcPattern* match = MatchFace(&name, nullptr, bold, italic);
    FaceFile found;
    if (match) {
        FcChar8* text = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch)
            found.path = reinterpret_cast<char*>(text);
        if (FcPatternGetString(match, FC_FAMILY, 0, &text) == FcResultMatch)
            found.family = reinterpret_cast<char*>(text);
        FcPatternGetInteger(match, FC_INDEX, 0, &found.index);
        FcPatternDestroy(match);
    }
    if (found.path.empty()) throw std::runtime_error("no font face is installed");
    return found;
}

// Code points no installed face has, so that each is searched for once in the program's run rather
// than by every instance at every use. Direct-mapped: a collision only costs another search. The
// style asked for does not matter: fontconfig ranks the character set above family and style, so
// when its best match lacks the character, every face does.
class MissingCharacters {
  public:
    MissingCharacters() { slots_.fill(kEmpty); }
    bool Has(char32_t code) const { return slots_[code % slots_.size()] == code; }
    void Add(char32_t code) { slots_[code % slots_.size()] = code; }

  private:
    static constexpr char32_t kEmpty = 0xFFFFFFFFu;  // no code point
    std::array<char32_t, 512> slots_;
};

MissingCharacters& Missing() {
    static MissingCharacters missing;
    return missing;
}

// An installed face that has the character, for one the asked-for face lacks (Greek in the Tahoma
// replacement, CJK, U+FFFD for bad bytes); none when no face has it.
std::optional<FaceFile> FaceWithCharacter(char32_t code, bool bold, bool italic) {
    if (Missing().Has(code)) return std::nullopt;
    ++fallbackSearches;
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, FcChar32(code));
    FcPattern* match = MatchFace(nullptr, wanted, bold, italic);
    FcCharSetDestroy(wanted);
    std::optional<FaceFile> found;
    FcCharSet* has = nullptr;
    FcChar8* text = nullptr;
    if (match && FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetHasChar(has, FcChar32(code)) &&
        FcPatternGetString(match, FC_FILE, 0, &text) == FcResultMatch) {
        found = FaceFile{reinterpret_cast<char*>(text), 0, {}};
        FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
    }
    if (match) FcPatternDestroy(match);
    if (!found) Missing().Add(code);
    return found;
}

// Face names come from documents too, so the table of names looked up is emptied when it fills.
FaceFile CachedFace(const std::string& name, bool bold, bool italic) {
    static std::map<std::tuple<std::string, bool, bool>, FaceFile> faces;
    constexpr std::size_t kMaxNames = 256;
    const auto key = std::make_tuple(LowerCase(name), bold, italic);
    auto it = faces.find(key);
    if (it == faces.end()) {
        FaceFile found = FindFace(name, bold, italic);
        if (faces.size() >= kMaxNames) faces.clear();
        it = faces.emplace(key, std::move(found)).first;
    }
    return it->second;
}

// Opens a face on the shared mapping of its file, or by path when the file cannot be mapped.
FT_Face OpenFace(const std::string& path, int index) {
    FT_Face face = nullptr;
    const std::span<const unsigned char> bytes = FaceFileBytes(path);
    const FT_Error error =
        bytes.empty() ? FT_New_Face(Library(), path.c_str(), index, &face)
                      : FT_New_Memory_Face(Library(), bytes.data(), FT_Long(bytes.size()), index, &face);
    return error == 0 ? face : nullptr;
}

// FreeType's made-up bold thickens by a 24th of the em and widens the advance as much. A face whose
// advances already leave more room than that is thickened into that room instead, up to an 8th.
constexpr double kMadeUpBold = 1.0 / 24, kMostRoom = 1.0 / 8;

// Runs `compare` on the face in a file, labelled bold, and the regular face of its family, both opened
// for it; false when the family has no regular face of its own.
bool WithRegular(const FT_FaceRec_& face, const std::string& path, int index,
                 const std::function<void(FT_FaceRec_&, FT_FaceRec_&)>& compare) {
    if (!face.family_name) return false;
    const std::string family = face.family_name;
    const FaceFile regular = CachedFace(family, false, face.style_flags & FT_STYLE_FLAG_ITALIC);
    if (LowerCase(regular.family) != LowerCase(family) || (regular.path == path && regular.index == index))
        return false;
    FT_Face bold = OpenFace(path, index);
    FT_Face light = OpenFace(regular.path, regular.index);
    const bool compared = bold && light && !(light->style_flags & FT_STYLE_FLAG_BOLD);
    if (compared) compare(*bold, *light);
    if (light) FT_Done_Face(light);
    if (bold) FT_Done_Face(bold);
    return compared;
}

// For the face in a file, labelled bold: none when its outlines are bold (or there is nothing to
// compare them with), else how much to thicken them, in ems (0: FreeType's made-up bold). Decided
// once per file.
std::optional<double> LightBold(const FT_FaceRec_& face, const std::string& path, int index) {
    static std::map<std::pair<std::string, int>, std::optional<double>> known;  // installed files: few
    const auto key = std::make_pair(path, index);
    auto it = known.find(key);
    if (it == known.end()) {
        std::optional<double> room;
        WithRegular(face, path, index, [&room](FT_FaceRec_& bold, FT_FaceRec_& regular) {
            if (OutlinesHeavier(bold, regular)) return;
            const double extra = ExtraAdvance(bold, regular);
            room = extra > kMadeUpBold ? std::min(extra, kMostRoom) : 0.0;
        });
        it = known.emplace(key, room).first;
    }
    return it->second;
}

// Whether a light bold face's own bitmaps at a size (26.6 pixels) are bold; once per file and size.
bool BitmapsAreBold(const FT_FaceRec_& face, const std::string& path, int index, long size) {
    static std::map<std::tuple<std::string, int, long>, bool> known;  // light bold files only: few
    const auto key = std::make_tuple(path, index, size);
    auto it = known.find(key);
    if (it == known.end()) {
        bool heavier = false;
        WithRegular(face, path, index, [&heavier, size](FT_FaceRec_& bold, FT_FaceRec_& regular) {
            heavier = BitmapsHeavier(bold, regular, size);
        });
        it = known.emplace(key, heavier).first;
    }
    return it->second;
}

// Thickens an outline glyph by `room` ems (0: FreeType's made-up bold); bitmaps are drawn as they are.
void Embolden(FT_GlyphSlot slot, double room) {
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
    if (room == 0) {
        FT_GlyphSlot_Embolden(slot);
        return;
    }
    // The advance already holds the room: only the outline grows, to the right, and upwards no more
    // than FreeType's made-up bold would.
    const FT_Pos em = FT_MulFix(slot->face->units_per_EM, slot->face->size->metrics.y_scale);
    FT_Outline_EmboldenXY(&slot->outline, FT_Pos(std::lround(double(em) * room)),
                          FT_Pos(std::lround(double(em) * kMadeUpBold)));
}

int Scaled(double units, double ppem, double unitsPerEm) {
    return int(std::lround(units * ppem / unitsPerEm));
}

}  // namespace

std::string FaceNameOf(const LOGFONT& description) {
    const char* end = std::find(description.lfFaceName, description.lfFaceName + LF_FACESIZE, '\0');
    std::string name(description.lfFaceName, end);
    return name.empty() ? kDefaultFace : name;
}

std::mutex& FontLock() {
    static std::mutex lock;
    return lock;
}

std::uint64_t GlyphRasterCount() {
    return rasterCount;
}

std::uint64_t FallbackSearchCount() {
    return fallbackSearches;
}

struct FontInstance::Face {
    struct Fallback {
        FT_Face face;
        std::string path;
        int index;
        Styling styling;
    };
    FT_Face face = nullptr;
    int index = 0;
    std::vector<Fallback> fallbacks;  // opened for characters the face lacks, at the same size
    ~Face() {
        for (const Fallback& other : fallbacks) FT_Done_Face(other.face);
        if (face) FT_Done_Face(face);
    }
};

FontInstance::FontInstance(const LOGFONT& description) : face_(std::make_unique<Face>()) {
    const bool bold = description.lfWeight >= FW_SEMIBOLD;
    const bool italic = description.lfItalic != 0;
    const FaceFile file = CachedFace(FaceNameOf(description), bold, italic);
    family_ = file.family;
    file_ = file.path;
    face_->index = file.index;
    face_->face = OpenFace(file.path, file.index);
    if (!face_->face) throw std::runtime_error("cannot open font face " + file.path);
    FT_Face face = face_->face;
    bold_ = bold;
    italic_ = italic;
    angle_ = description.lfEscapement / 10.0 * std::numbers::pi / 180.0;
    // Symbol faces take the bytes as symbol codes: through their symbol table, or through the old
    // byte table when that is all they have (the free Symbol replacement's Unicode table is unusable).
    symbolMap_ = FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0;
    const bool symbolFace = description.lfCharSet == SYMBOL_CHARSET || LowerCase(family_) == "symbol";
    if (!symbolMap_ && symbolFace && FT_Select_Charmap(face, FT_ENCODING_APPLE_ROMAN) == 0) {
        symbolMap_ = true;
        byteMap_ = true;
    }
    if (!symbolMap_) FT_Select_Charmap(face, FT_ENCODING_UNICODE);

    const TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const TT_HoriHeader* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const double unitsPerEm = face->units_per_EM ? face->units_per_EM : 2048;
    double ascent = face->ascender, descent = -face->descender;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    }
    int height = description.lfHeight == 0 ? kDefaultHeight : description.lfHeight;
    height = std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
    // A positive height is the whole cell; the em is the part of it the face's design leaves.
    const double ppem = height < 0 ? -height : std::max(1.0, height * unitsPerEm / (ascent + descent));
    charSize_ = FT_F26Dot6(std::lround(ppem * 64));
    FT_Set_Char_Size(face, 0, charSize_, 72, 72);
    styling_ = StylingFor(*face, file_, face_->index);

    TEXTMETRIC& m = metrics_;
    m.tmAscent = Scaled(ascent, ppem, unitsPerEm);
    m.tmDescent = Scaled(descent, ppem, unitsPerEm);
    m.tmHeight = m.tmAscent + m.tmDescent;
    m.tmInternalLeading = std::max(0, m.tmHeight - int(std::lround(ppem)));
    if (hhea) {
        const double gap = hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender));
        m.tmExternalLeading = std::max(0, Scaled(gap, ppem, unitsPerEm));
    }
    m.tmMaxCharWidth = Scaled(face->max_advance_width, ppem, unitsPerEm);
    m.tmWeight = bold ? std::max<int>(description.lfWeight, FW_BOLD) : FW_NORMAL;
    m.tmItalic = italic;
    m.tmUnderlined = description.lfUnderline;
    m.tmStruckOut = description.lfStrikeOut;
    m.tmCharSet = symbolMap_ ? SYMBOL_CHARSET : ANSI_CHARSET;
    m.tmAveCharWidth =
        os2 && os2->xAvgCharWidth > 0 ? Scaled(os2->xAvgCharWidth, ppem, unitsPerEm) : Advance('x');

    underline_ = description.lfUnderline != 0;
    strikeOut_ = description.lfStrikeOut != 0;
    const int thickness = std::max(1, Scaled(face->underline_thickness, ppem, unitsPerEm));
    underlineLine_ = {std::clamp(Scaled(-face->underline_position, ppem, unitsPerEm), 1,
                                 std::max(1, m.tmDescent - thickness)),
                      thickness};
    if (os2 && os2->yStrikeoutSize > 0)
        strikeLine_ = {-Scaled(os2->yStrikeoutPosition, ppem, unitsPerEm),
                       std::max(1, Scaled(os2->yStrikeoutSize, ppem, unitsPerEm))};
    else
        strikeLine_ = {-m.tmAscent / 3, thickness};
}

FontInstance::~FontInstance() = default;

utf8::Character FontInstance::CharacterAt(std::string_view text, std::size_t at) const {
    if (symbolMap_) return {static_cast<unsigned char>(text[at]), 1};
    return utf8::Decode(text, at);
}

unsigned FontInstance::GlyphIndex(char32_t code) const {
    FT_Face face = face_->face;
    if (byteMap_) return FT_Get_Char_Index(face, code);
    if (symbolMap_) {
        const unsigned index = FT_Get_Char_Index(face, 0xF000u + code);
        return index ? index : FT_Get_Char_Index(face, code);
    }
    return FT_Get_Char_Index(face, code);
}

void FontInstance::Resolve(char32_t code, Entry& entry) {
    entry.source = 0;
    entry.index = GlyphIndex(code);
    if (entry.index != 0 || symbolMap_) return;
    for (std::size_t i = 0; i < face_->fallbacks.size(); ++i)
        if (const unsigned found = FT_Get_Char_Index(face_->fallbacks[i].face, code)) {
            entry.source = std::uint16_t(i + 1);
            entry.index = found;
            return;
        }
    if (face_->fallbacks.size() >= kMaxFallbacks) return;
    const std::optional<FaceFile> file = FaceWithCharacter(code, bold_, italic_);
    if (!file) return;
    // fontconfig may name a face whose character map FreeType reads without the character: one
    // already open, or this face itself. The character is then missing; the face is not opened again.
    const auto same = [&](const std::string& path, int index) {
        return path == file->path && index == file->index;
    };
    if (same(file_, face_->index) ||
        std::any_of(face_->fallbacks.begin(), face_->fallbacks.end(),
                    [&](const Face::Fallback& f) { return same(f.path, f.index); })) {
        Missing().Add(code);
        return;
    }
    FT_Face opened = OpenFace(file->path, file->index);
    if (!opened) return;
    face_->fallbacks.push_back(
        {opened, file->path, file->index, StylingFor(*opened, file->path, file->index)});
    FT_Select_Charmap(opened, FT_ENCODING_UNICODE);
    FT_Set_Char_Size(opened, 0, charSize_, 72, 72);
    entry.index = FT_Get_Char_Index(opened, code);
    if (entry.index != 0)
        entry.source = std::uint16_t(face_->fallbacks.size());
    else
        Missing().Add(code);
}

FT_Face FontInstance::SourceFace(const Entry& entry) const {
    return entry.source == 0 ? face_->face : face_->fallbacks[entry.source - 1u].face;
}

const FontInstance::Styling& FontInstance::SourceStyling(const Entry& entry) const {
    return entry.source == 0 ? styling_ : face_->fallbacks[entry.source - 1u].styling;
}

// Styles a face lacks are made from its outlines, a fallback face's too (the CJK face has no bold).
// A face labelled bold whose outlines are no heavier than its regular face's (the Tahoma replacement)
// is emboldened too, except where its own bitmaps for the size are bold: those are drawn as they are.
FontInstance::Styling FontInstance::StylingFor(const FT_FaceRec_& face, const std::string& path,
                                               int index) const {
    Styling styling;
    const bool labelledBold = face.style_flags & FT_STYLE_FLAG_BOLD;
    const std::optional<double> light = bold_ && labelledBold ? LightBold(face, path, index) : std::nullopt;
    styling.embolden = bold_ && (!labelledBold || light);
    styling.room = light.value_or(0);
    styling.slant = italic_ && !(face.style_flags & FT_STYLE_FLAG_ITALIC);
    const bool ownBitmaps = !styling.embolden || (light && BitmapsAreBold(face, path, index, charSize_));
    const bool outlinesOnly = angle_ != 0 || styling.slant || !ownBitmaps;
    styling.loadFlags = kLoadFlags | (outlinesOnly ? FT_LOAD_NO_BITMAP : 0);
    return styling;
}

FontInstance::Entry& FontInstance::EntryFor(char32_t code) {
    if (code < entries_.size()) return entries_[code];
    if (moreEntries_.size() >= kInstanceEntryLimit && !moreEntries_.contains(code)) {
        for (const auto& [other, entry] : moreEntries_) bitmapBytes_ -= entry.glyph.coverage.size();
        moreEntries_.clear();
    }
    return moreEntries_[code];
}

void FontInstance::Measure(char32_t code, Entry& entry) {
    Resolve(code, entry);
    entry.measured = true;
    FT_Face face = SourceFace(entry);
    const Styling& styling = SourceStyling(entry);
    if (FT_Load_Glyph(face, entry.index, styling.loadFlags) != 0) return;
    if (styling.embolden) Embolden(face->glyph, styling.room);
    entry.glyph.advance = int((face->glyph->advance.x + 32) >> 6);
}

void FontInstance::DropBitmaps() {
    auto drop = [](Entry& entry) {
        if (!entry.rendered) return;
        entry.rendered = false;
        Glyph& glyph = entry.glyph;
        glyph.left = glyph.top = glyph.width = glyph.height = 0;
        std::vector<std::uint8_t>().swap(glyph.coverage);
    };
    for (Entry& entry : entries_) drop(entry);
    for (auto& [code, entry] : moreEntries_) drop(entry);
    bitmapBytes_ = 0;
}

void FontInstance::Render(char32_t code, Entry& entry) {
    if (!entry.measured) Measure(code, entry);
    entry.rendered = true;
    FT_Face face = SourceFace(entry);
    const Styling& styling = SourceStyling(entry);
    if (FT_Load_Glyph(face, entry.index, styling.loadFlags) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (styling.slant) FT_GlyphSlot_Oblique(slot);
    if (styling.embolden) Embolden(slot, styling.room);
    FT_Glyph glyph = nullptr;
    if (FT_Get_Glyph(slot, &glyph) != 0) return;
    if (angle_ != 0) {
        FT_Matrix rotation;
        rotation.xx = FT_Fixed(std::lround(std::cos(angle_) * 65536));
        rotation.xy = FT_Fixed(std::lround(-std::sin(angle_) * 65536));
        rotation.yx = FT_Fixed(std::lround(std::sin(angle_) * 65536));
        rotation.yy = rotation.xx;
        FT_Glyph_Transform(glyph, &rotation, nullptr);
    }
    if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0) {
        ++rasterCount;
        const auto* bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
        const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
        const std::size_t bytes = std::size_t(bitmap.width) * std::size_t(bitmap.rows);
        if (bitmapBytes_ + bytes > kInstanceBitmapLimit) {
            DropBitmaps();
            entry.rendered = true;
        }
        bitmapBytes_ += bytes;
        Glyph& out = entry.glyph;
        out.left = bitmapGlyph->left;
        out.top = bitmapGlyph->top;
        out.width = int(bitmap.width);
        out.height = int(bitmap.rows);
        out.coverage.assign(std::size_t(out.width) * std::size_t(out.height), 0);
        for (int y = 0; y < out.height; ++y) {
            const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
            for (int x = 0; x < out.width; ++x) {
                const std::uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                               ? ((row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                               : row[x];
                out.coverage[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] = value;
            }
        }
    }
    FT_Done_Glyph(glyph);
}

int FontInstance::Advance(char32_t code) {
    Entry& entry = EntryFor(code);
    if (!entry.measured) Measure(code, entry);
    return entry.glyph.advance;
}

const Glyph& FontInstance::GlyphFor(char32_t code) {
    Entry& entry = EntryFor(code);
    if (!entry.rendered) Render(code, entry);
    return entry.glyph;
}

std::size_t FontInstance::CacheBytes() const {
    constexpr std::size_t kNodeBytes = sizeof(std::pair<const char32_t, Entry>) + 2 * sizeof(void*);
    return sizeof(*this) + bitmapBytes_ + moreEntries_.size() * kNodeBytes +
           (1 + face_->fallbacks.size()) * kFaceBytes;
}

}  // namespace plexon::gdi::detail
