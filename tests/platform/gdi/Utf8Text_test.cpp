// UTF-8 text: names in six scripts and bad bytes are drawn as the glyphs of their code points (the
// model places those glyphs itself), CJK from an installed CJK face, and ellipsis and the "&" prefix
// never cut a character in half.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "DrawingTestSupport.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::Description;
using test::SelectedFont;

constexpr int kWidth = 260, kHeight = 20, kX = 3, kY = 2;

struct Name {
    const char* text;
    std::u32string codes;
};

const Name kNames[] = {
    {"/home/user/Bilder/Gr\xC3\xB6\xC3\x9F"
     "e/",
     U"/home/user/Bilder/Gr\u00F6\u00DFe/"},
    {"\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8_h.bmp", U"\u0418\u043A\u043E\u043D\u043A\u0438_h.bmp"},
    {"\xCE\x95\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBD\xCE\xB5\xCF\x82",
     U"\u0395\u03B9\u03BA\u03CC\u03BD\u03B5\u03C2"},
    {"\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xB3\xE3\x83\xB3.bmp", U"\u30A2\u30A4\u30B3\u30F3.bmp"},
    {"\xE6\x97\xA5\xE6\x9C\xAC/\xE5\x9B\xBE\xE6\xA0\x87_h", U"\u65E5\u672C/\u56FE\u6807_h"},
    {"\xEC\x95\x84\xEC\x9D\xB4\xEC\xBD\x98", U"\uC544\uC774\uCF58"},
    {"Bad\xC3(\xFF\xE3\x82!", U"Bad\uFFFD(\uFFFD\uFFFD\uFFFD!"},
};

// Black text on white, one grey level per pixel.
using Image = std::vector<int>;

// The model: the face's glyph for each code point, placed one after the other from (kX, kY) and
// blended as the text services blend coverage.
Image Model(const LOGFONT& description, const std::u32string& codes) {
    Image image(kWidth * kHeight, 255);
    const std::shared_ptr<detail::FontInstance> font = detail::InstanceFor(description);
    std::lock_guard guard(detail::FontLock());
    int pen = kX;
    for (const char32_t code : codes) {
        const detail::Glyph& glyph = font->GlyphFor(code);
        for (int y = 0; y < glyph.height; ++y)
            for (int x = 0; x < glyph.width; ++x) {
                const int px = pen + glyph.left + x, py = kY + font->Metrics().tmAscent - glyph.top + y;
                const int alpha = glyph.coverage[std::size_t(y * glyph.width + x)];
                if (alpha == 0 || px < 0 || py < 0 || px >= kWidth || py >= kHeight) continue;
                int& pixel = image[std::size_t(py * kWidth + px)];
                pixel = (pixel * (255 - alpha) + 127) / 255;
            }
        pen += glyph.advance;
    }
    return image;
}

Image Read(HDC dc) {
    Image image(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) image[std::size_t(y * kWidth + x)] = GetRValue(GetPixel(dc, x, y));
    return image;
}

const LOGFONT kFaces[] = {Description("Tahoma", -11), Description("DejaVu Sans", -13)};

TEST(Utf8Text, NamesAreDrawnAsTheGlyphsOfTheirCodePoints) {
    for (const LOGFONT& face : kFaces)
        for (const Name& name : kNames) {
            const Image model = Model(face, name.codes);
            const int length = int(std::strlen(name.text));
            {
                Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
                SelectedFont font(canvas.dc(), face);
                ExtTextOut(canvas.dc(), kX, kY, 0, nullptr, name.text, UINT(length), nullptr);
                EXPECT_EQ(Read(canvas.dc()), model) << face.lfFaceName << ": " << name.text;
                // Measuring agrees with drawing: the advances of the code points.
                SIZE size;
                GetTextExtentPoint32(canvas.dc(), name.text, length, &size);
                int advances = 0;
                for (const char32_t code : name.codes) advances += detail::InstanceFor(face)->Advance(code);
                EXPECT_EQ(size.cx, advances) << name.text;
            }
            Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
            SelectedFont font(canvas.dc(), face);
            RECT r{kX, kY, kWidth, kHeight};
            DrawText(canvas.dc(), name.text, -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
            EXPECT_EQ(Read(canvas.dc()), model) << face.lfFaceName << ": " << name.text;
        }
}

// A character the face lacks comes from an installed face that has it (Greek and U+FFFD are not in
// the Tahoma replacement); only a character no face has shows the missing-glyph box.
TEST(Utf8Text, CharactersTheFaceLacksComeFromAnotherFace) {
    const std::shared_ptr<detail::FontInstance> font = detail::InstanceFor(Description("Tahoma", -11));
    std::lock_guard guard(detail::FontLock());
    const std::vector<std::uint8_t> missing = font->GlyphFor(U'\U000F0000').coverage;
    for (const char32_t code : {U'\u03BB', U'\u0395', utf8::kReplacement, U'\u00F6', U'\u0416'})
        EXPECT_NE(font->GlyphFor(code).coverage, missing) << std::uint32_t(code);
}

// The family fontconfig itself names as the best installed face for a character; empty when none
// has it.
std::string FamilyWith(char32_t code) {
    FcPattern* pattern = FcPatternCreate();
    FcCharSet* wanted = FcCharSetCreate();
    FcCharSetAddChar(wanted, FcChar32(code));
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string family;
    FcCharSet* has = nullptr;
    FcChar8* name = nullptr;
    if (match && FcPatternGetCharSet(match, FC_CHARSET, 0, &has) == FcResultMatch &&
        FcCharSetHasChar(has, FcChar32(code)) &&
        FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
        family = reinterpret_cast<const char*>(name);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcCharSetDestroy(wanted);
    return family;
}

// Japanese, Chinese and Korean characters are drawn with the glyphs and advances of the installed face
// that has them, not as boxes, and measured so; a character no face has is one box.
TEST(Utf8Text, CjkComesFromAnInstalledCjkFaceAndOnlyAMissingCharacterIsABox) {
    const std::string text = "\xE3\x82\xA2\xE6\x97\xA5\xE5\x9B\xBE\xEC\x95\x84";
    const std::u32string codes = U"\u30A2\u65E5\u56FE\uC544";        // katakana, kanji, hanzi, hangul
    const std::string missing = "\xF3\xB0\x80\x80\xF3\xB0\x80\x81";  // U+F0000 U+F0001, private use
    for (const LOGFONT& face : kFaces) {
        const std::shared_ptr<detail::FontInstance> font = detail::InstanceFor(face);
        detail::Glyph box, other;
        int advances = 0;
        {
            std::lock_guard guard(detail::FontLock());
            box = font->GlyphFor(U'\U000F0000');
            other = font->GlyphFor(U'\U000F0001');
            EXPECT_FALSE(box.coverage.empty());
            EXPECT_EQ(other.coverage, box.coverage);
            for (const char32_t code : codes) {
                const std::string family = FamilyWith(code);
                ASSERT_FALSE(family.empty()) << "no installed face has U+" << std::hex << std::uint32_t(code);
                const detail::Glyph drawn = font->GlyphFor(code);
                const std::shared_ptr<detail::FontInstance> own =
                    detail::InstanceFor(Description(family.c_str(), face.lfHeight));
                const detail::Glyph& expected = own->GlyphFor(code);
                EXPECT_NE(drawn.coverage, box.coverage) << family;
                EXPECT_EQ(drawn.coverage, expected.coverage) << family;
                EXPECT_EQ(drawn.advance, expected.advance) << family;
                EXPECT_GT(drawn.advance, face.lfHeight < 0 ? -face.lfHeight / 2 : 0);  // full width
                advances += expected.advance;
            }
        }
        {
            // Bold text makes up the bold the CJK face lacks: more ink than the regular glyph.
            LOGFONT bold = face;
            bold.lfWeight = FW_BOLD;
            const std::shared_ptr<detail::FontInstance> heavy = detail::InstanceFor(bold);
            std::lock_guard guard(detail::FontLock());
            auto ink = [](const detail::Glyph& glyph) {
                int sum = 0;
                for (const std::uint8_t value : glyph.coverage) sum += value;
                return sum;
            };
            const int regular = ink(font->GlyphFor(U'\u65E5'));
            EXPECT_GT(ink(heavy->GlyphFor(U'\u65E5')), regular + regular / 8) << face.lfFaceName;
        }
        Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
        SelectedFont selected(canvas.dc(), face);
        SIZE size;
        GetTextExtentPoint32(canvas.dc(), text.c_str(), int(text.size()), &size);
        EXPECT_EQ(size.cx, advances) << face.lfFaceName;
        GetTextExtentPoint32(canvas.dc(), missing.c_str(), int(missing.size()), &size);
        EXPECT_EQ(size.cx, 2 * box.advance) << face.lfFaceName;
    }
}

// Every width from nothing to the whole text: what end and path ellipsis draw is always one of the
// shortened forms made of whole characters.
TEST(Utf8Text, EllipsisKeepsWholeCharacters) {
    const LOGFONT face = Description("DejaVu Sans", -13);
    const std::string path =
        "/Bilder/Gr\xC3\xB6\xC3\x9F"
        "e/\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8/\xCE\x95\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBD.bmp";
    const std::u32string codes =
        U"/Bilder/Gr\u00F6\u00DFe/\u0418\u043A\u043E\u043D\u043A\u0438/\u0395\u03B9\u03BA\u03CC\u03BD.bmp";
    const std::size_t lastSlash = codes.rfind(U'/');
    std::vector<Image> endForms, pathForms;
    for (std::size_t keep = 0; keep <= codes.size(); ++keep)
        endForms.push_back(Model(face, codes.substr(0, keep) + U"..."));
    for (std::size_t keep = 0; keep < lastSlash; ++keep)
        pathForms.push_back(Model(face, codes.substr(0, keep) + U"..." + codes.substr(lastSlash)));
    for (std::size_t keep = 0; keep <= codes.size() - lastSlash; ++keep)
        pathForms.push_back(Model(face, U"..." + codes.substr(lastSlash, keep)));
    for (int available = 0; available < 200; available += 3) {
        for (const UINT format : {DT_END_ELLIPSIS, DT_PATH_ELLIPSIS}) {
            Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
            SelectedFont font(canvas.dc(), face);
            RECT r{kX, kY, kX + available, kHeight};
            DrawText(canvas.dc(), path.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | format);
            const std::vector<Image>& forms = format == DT_END_ELLIPSIS ? endForms : pathForms;
            EXPECT_NE(std::find(forms.begin(), forms.end(), Read(canvas.dc())), forms.end())
                << (format == DT_END_ELLIPSIS ? "end" : "path") << " ellipsis in " << available;
        }
    }
}

// "&" before a character of several bytes underlines that whole character and nothing else.
TEST(Utf8Text, PrefixUnderlinesTheWholeCharacter) {
    const LOGFONT face = Description("DejaVu Sans", -13);
    Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
    SelectedFont font(canvas.dc(), face);
    RECT r{kX, kY, kWidth, kHeight};
    DrawText(canvas.dc(),
             "Gr&\xC3\xB6\xC3\x9F"
             "e",
             -1, &r, DT_SINGLELINE);
    const std::shared_ptr<detail::FontInstance> instance = detail::InstanceFor(face);
    const int from = kX + instance->Advance(U'G') + instance->Advance(U'r');
    const int to = from + instance->Advance(U'\u00F6');
    const int row = kY + instance->Metrics().tmAscent + instance->UnderlineLine().offset;
    std::vector<int> underline, expected;
    for (int x = 0; x < kWidth; ++x) {
        underline.push_back(GetPixel(canvas.dc(), x, row) == test::kBlack);
        expected.push_back(x >= from && x < to);
    }
    EXPECT_EQ(underline, expected);
}

}  // namespace
}  // namespace plexon::gdi
