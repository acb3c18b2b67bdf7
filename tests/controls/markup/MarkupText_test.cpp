// Preparing markup text, markup colours, numbers and attributes, and the plain text for hints.
#include "controls/markup/MarkupText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexon {
namespace {

struct TextCase {
    std::string in, out;
};

TEST(MarkupText, PreparationReplacesEntitiesUntilNoneIsLeft) {
    for (const TextCase& c : std::vector<TextCase>{
             {"a&amp;b", "a&&b"},
             {"&AMP;&Quot;", "&&\""},
             {"&amp;amp;", "&&&"},  // what one replacement leaves may form the next entity
             {"&amp;quot;", "&\""},
             {"&sect;&permil;&reg;&copy;&para;&trade;&euro;",
              "\xC2\xA7\xE2\x80\xB0\xC2\xAE\xC2\xA9\xC2\xB6\xE2\x84\xA2\xE2\x82\xAC"},
             {"&nbsp;&lt;&gt;&amp", "&nbsp;&lt;&gt;&amp"},  // run entities are left for the runs
             {"x<#b>y<#i>", "x#by<#i>"},                    // only the first literal tag
             {"a\r\nb\nc\r", "a<BR>bc<BR>"},
         }) {
        EXPECT_EQ(PrepareMarkupText(c.in), c.out) << c.in;
    }
}

TEST(MarkupText, Colours) {
    struct Case {
        std::string value;
        TColor colour;
    };
    for (const Case& c : std::vector<Case>{{"#FF8000", 0x0080FF},
                                           {"#004080", 0x804000},
                                           {"#ff8000", 0x0080FF},
                                           {"#12", 0x12},
                                           {"#GG0000", 0},
                                           {"clRed", 0x0000FF},
                                           {"clmaroon", 0x000080},
                                           {"clTeal", 0x808000},
                                           {"clHighlight", SystemColor(13)},
                                           {"clinfobk", SystemColor(24)},
                                           {"nonsense", clBlack},
                                           {"", clBlack}}) {
        EXPECT_EQ(ParseMarkupColour(c.value), c.colour) << c.value;
    }
}

TEST(MarkupText, NumbersAndAttributes) {
    EXPECT_EQ(markup::ReadNumber("  16px"), 16);
    EXPECT_EQ(markup::ReadNumber("$1F"), 31);
    EXPECT_EQ(markup::ReadNumber("0x10"), 16);
    EXPECT_EQ(markup::ReadNumber("x"), 0);
    EXPECT_EQ(markup::ReadNumber("99999999999999"), 2147483647);
    std::int32_t n = 0;
    EXPECT_TRUE(markup::ParseInteger("-12", n));
    EXPECT_EQ(n, -12);
    EXPECT_FALSE(markup::ParseInteger("12a", n));
    EXPECT_FALSE(markup::ParseInteger("99999999999", n));

    const std::string tag = "<A HREF=\"Target\" bgcolor=\"#FF0000\" color=\"clred\" size=\"3>";
    EXPECT_EQ(markup::FindAttribute(tag, "href").value, "Target");
    EXPECT_EQ(markup::FindAttribute(tag, " COLOR").value, "clred");
    EXPECT_EQ(markup::FindAttribute(tag, "BGCOLOR").value, "#FF0000");
    EXPECT_EQ(markup::FindAttribute(tag, "SIZE").value, "3>");
    EXPECT_FALSE(markup::FindAttribute("<font color=red>", "COLOR").found);  // unquoted values are not read
}

TEST(MarkupText, PlainTextForHints) {
    for (const TextCase& c : std::vector<TextCase>{
             {"<b>Tesvo</b>  ::  x", "Tesvo  ::  x"},
             {"a<br>b<HR>c", "a\r\nb\r\nc"},
             {"a<z>secret</z>b<Z>more</Z>c", "abc"},
             {"a<z>open", "aopen"},  // an open "<z>" hides nothing; it goes as a tag
             {"a < b", "a < b"},
             {"x<a href=\"y\">link</a>&amp;", "xlink&amp;"},
         }) {
        EXPECT_EQ(MarkupToPlainText(c.in), c.out) << c.in;
    }
}

// What a screen reader hears is what the drawing shows: entities and runs replaced, "&&" one "&".
TEST(MarkupText, ShownTextForScreenReaders) {
    for (const TextCase& c : std::vector<TextCase>{
             {"icons, animations && graphics!<br><br><b>www</b>", "icons, animations & graphics!\r\n\r\nwww"},
             {"R&amp;D &lt;x&gt;&nbsp;y", "R&D <x> y"},
             {"&Yes", "Yes"},
         }) {
        EXPECT_EQ(MarkupShownText(c.in), c.out) << c.in;
    }
}

}  // namespace
}  // namespace plexon
