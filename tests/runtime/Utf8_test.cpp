// UTF-8 as our strings hold it: names in four scripts read as their code points, each bad byte as one
// U+FFFD, boundaries found the same way forwards and backwards, and the letter tests.
#include "runtime/Utf8.h"

#include <gtest/gtest.h>

#include <vector>

namespace plexon::utf8 {
namespace {

struct Sample {
    std::string_view text;
    std::u32string codes;
};

const Sample kSamples[] = {
    {"Gr\xC3\xB6\xC3\x9F"
     "e",
     U"Gr\u00F6\u00DFe"},
    {"\xD0\x98\xD0\xBA\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8", U"\u0418\u043A\u043E\u043D\u043A\u0438"},
    {"\xCE\x95\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBD\xCE\xB5\xCF\x82",
     U"\u0395\u03B9\u03BA\u03CC\u03BD\u03B5\u03C2"},
    {"\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xB3\xE3\x83\xB3", U"\u30A2\u30A4\u30B3\u30F3"},
    {"\xF0\x9F\x98\x80!", U"\U0001F600!"},
    // A lone lead byte, a stray continuation byte, a cut-off sequence, an overlong form, a
    // surrogate, a code past the last plane and a byte that never occurs: one U+FFFD per byte.
    {"a\xC3"
     "b\xA9"
     "c\xE3\x82",
     U"a\uFFFDb\uFFFDc\uFFFD\uFFFD"},
    {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80\xFF", std::u32string(10, kReplacement)},
    {"", U""},
};

TEST(Utf8, ReadsEachCharacterAndEachBadByteAsOne) {
    for (const Sample& sample : kSamples) {
        const std::string shown(sample.text);
        EXPECT_EQ(Decoded(sample.text), sample.codes) << shown;
        EXPECT_EQ(Count(sample.text), sample.codes.size()) << shown;
        // Walking back meets exactly the boundaries that walking forward met.
        std::vector<std::size_t> forward{0}, backward{sample.text.size()};
        for (std::size_t at = 0; at < sample.text.size();) forward.push_back(at = Next(sample.text, at));
        for (std::size_t at = sample.text.size(); at > 0;)
            backward.insert(backward.begin(), at = Previous(sample.text, at));
        EXPECT_EQ(forward, backward) << shown;
        EXPECT_EQ(OffsetOf(sample.text, 1), forward.size() > 1 ? forward[1] : 0) << shown;
        // Encoding the code points gives the text back wherever it was well-formed.
        std::string encoded;
        for (const char32_t code : sample.codes) encoded += Encode(code);
        EXPECT_EQ(encoded, WellFormed(sample.text)) << shown;
        EXPECT_EQ(Decoded(encoded), sample.codes) << shown;
    }
}

TEST(Utf8, LettersOfEveryScriptAreLetters) {
    for (const char32_t letter :
         {U'a', U'Z', U'\u00E9', U'\u00DF', U'\u0416', U'\u03BB', U'\u30A2', U'\u6F22'})
        EXPECT_TRUE(IsLetter(letter)) << std::uint32_t(letter);
    for (const char32_t other : {U'0', U'_', U'-', U' ', U'\u00D7', U'\u2026', kReplacement})
        EXPECT_FALSE(IsLetter(other)) << std::uint32_t(other);
    EXPECT_EQ(UpperCase(U'b'), U'B');
    EXPECT_EQ(UpperCase(U'\u00F6'), U'\u00D6');
    EXPECT_EQ(UpperCase(U'\u0436'), U'\u0416');
    EXPECT_EQ(UpperCase(U'7'), U'7');
}

}  // namespace
}  // namespace plexon::utf8
