// What letters from the settings file lead to when they are not three different letters or digits.
#include "weld/SuffixLetters.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(SuffixLetterNotes, ALinePerKeyThatIsNotItsOwnLetter) {
    const struct {
        SuffixSettings letters;
        std::vector<std::string> lines;
    } cases[] = {
        {{"h", "d", "p"}, {}},
        {{"\xc3\xa9", "7", "p"}, {}},  // one letter of any script, or a digit
        {{"hh", "", "h"},
         {"HotFile=hh is not one letter or digit; no file will count as Hot.",
          "DisabledFile is empty; no file will count as Disabled."}},
        {{"h", "d", "h"}, {"PressedFile=h is HotFile's letter too; such files count as Hot."}},
        {{"x", "x", "x"},
         {"DisabledFile=x is HotFile's letter too; such files count as Hot.",
          "PressedFile=x is HotFile's letter too; such files count as Hot."}},
        {{"h", "-", "p"}, {"DisabledFile=- is not a letter or digit; files ending in _- count as Disabled."}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> lines;
        for (const SuffixNote& note : SuffixLetterNotes(c.letters)) lines.push_back(note.text);
        EXPECT_EQ(lines, c.lines) << c.letters.SuffixHot << c.letters.SuffixDisabled << c.letters.SuffixPressed;
    }
}

}  // namespace
}  // namespace plexon
