// Face look-up through fontconfig (with the folder of the free Windows replacement faces added) and
// glyph rasterising through FreeType, with Windows-style metrics taken from the face's tables.
#include "platform/gdi/FontInstance.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <numbers>
#include <stdexcept>
#include <tuple>

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

std::uint64_t rasterCount = 0;

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

// An installed face that has the character, for one the asked-for face lacks (Greek in the Tahoma
// replacement, U+FFFD for bad bytes); none when no face has it.
std::optional<FaceFile> FaceWithCharacter(char32_t code, bool bold, bool italic) {
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
    return found;
}

const FaceFile& CachedFace(const std::string& name, bool bold, bool italic) {
    static std::map<std::tuple<std::string, bool, bool>, FaceFile> faces;
    const auto key = std::make_tuple(LowerCase(name), bold, italic);
    auto it = faces.find(key);
    if (it == faces.end()) it = faces.emplace(key, FindFace(name, bold, italic)).first;
    return it->second;
}

int Scaled(double units, double ppem, double unitsPerEm) {
    return int(std::lround(units * ppem / unitsPerEm));
}

std::string FaceName(const LOGFONT& description) {
    const char* end = std::find(description.lfFaceName, description.lfFaceName + LF_FACESIZE, '\0');
    std::string name(description.lfFaceName, end);
    return name.empty() ? kDefaultFace : name;
}

}  // namespace

std::mutex& FontLock() {
    static std::mutex lock;
    return lock;
}

std::uint64_t GlyphRasterCount() {
    return rasterCount;
}

struct FontInstance::Face {
    FT_Face face = nullptr;
    std::vector<FT_Face> fallbacks;  // opened for characters the face lacks, at the same size
    ~Face() {
        for (FT_Face other : fallbacks) FT_Done_Face(other);
        if (face) FT_Done_Face(face);
    }
};

FontInstance::FontInstance(const LOGFONT& description) : face_(std::make_unique<Face>()) {
    const bool bold = description.lfWeight >= FW_SEMIBOLD;
    const bool italic = description.lfItalic != 0;
    const FaceFile& file = CachedFace(FaceName(description), bold, italic);
    family_ = file.family;
    file_ = file.path;
    if (FT_New_Face(Library(), file.path.c_str(), file.index, &face_->face) != 0)
        throw std::runtime_error("cannot open font face " + file.path);
    FT_Face face = face_->face;
    // Styles the face lacks are made from its outlines.
    emboldened_ = bold && !(face->style_flags & FT_STYLE_FLAG_BOLD);
    slanted_ = italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    angle_ = description.lfEscapement / 10.0 * std::numbers::pi / 180.0;
    loadFlags_ = kLoadFlags | (angle_ != 0 || emboldened_ || slanted_ ? FT_LOAD_NO_BITMAP : 0);
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
    bold_ = bold;
    italic_ = italic;
    FT_Set_Char_Size(face, 0, charSize_, 72, 72);

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

FontInstance::Source FontInstance::SourceOf(char32_t code) {
    const unsigned index = GlyphIndex(code);
    if (index != 0 || symbolMap_) return {face_->face, index};
    for (FT_Face other : face_->fallbacks)
        if (const unsigned found = FT_Get_Char_Index(other, code)) return {other, found};
    const std::optional<FaceFile> file = FaceWithCharacter(code, bold_, italic_);
    FT_Face opened = nullptr;
    if (!file || FT_New_Face(Library(), file->path.c_str(), file->index, &opened) != 0)
        return {face_->face, 0};
    face_->fallbacks.push_back(opened);
    FT_Select_Charmap(opened, FT_ENCODING_UNICODE);
    FT_Set_Char_Size(opened, 0, charSize_, 72, 72);
    const unsigned found = FT_Get_Char_Index(opened, code);
    return found ? Source{opened, found} : Source{face_->face, 0};
}

FontInstance::Entry& FontInstance::EntryFor(char32_t code) {
    return code < entries_.size() ? entries_[code] : moreEntries_[code];
}

void FontInstance::Measure(char32_t code, Entry& entry) {
    const auto [face, index] = SourceOf(code);
    entry.measured = true;
    if (FT_Load_Glyph(face, index, loadFlags_) != 0) return;
    if (emboldened_) FT_GlyphSlot_Embolden(face->glyph);
    entry.glyph.advance = int((face->glyph->advance.x + 32) >> 6);
}

void FontInstance::Render(char32_t code, Entry& entry) {
    if (!entry.measured) Measure(code, entry);
    entry.rendered = true;
    const auto [face, index] = SourceOf(code);
    if (FT_Load_Glyph(face, index, loadFlags_) != 0) return;
    FT_GlyphSlot slot = face->glyph;
    if (slanted_) FT_GlyphSlot_Oblique(slot);
    if (emboldened_) FT_GlyphSlot_Embolden(slot);
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

std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& description) {
    static std::map<std::string, std::shared_ptr<FontInstance>> instances;
    // Everything that changes glyphs or metrics, and nothing else, goes into the key.
    const std::string key =
        LowerCase(FaceName(description)) + '/' + std::to_string(description.lfHeight) + '/' +
        std::to_string(description.lfWeight >= FW_SEMIBOLD) + '/' +
        std::to_string(description.lfItalic != 0) + '/' + std::to_string(description.lfUnderline != 0) + '/' +
        std::to_string(description.lfStrikeOut != 0) + '/' + std::to_string(description.lfEscapement);
    std::shared_ptr<FontInstance>& slot = instances[key];
    if (!slot) slot = std::make_shared<FontInstance>(description);
    return slot;
}

}  // namespace plexon::gdi::detail
