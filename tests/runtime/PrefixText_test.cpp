// The "&" prefix rule: shown text, underlined positions and the accelerator.
#include "runtime/PrefixText.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(PrefixText, ShownTextMarksAndAccelerator) {
    const struct {
        const char* caption;
        const char* shown;
        std::vector<int> marks;
        std::optional<char32_t> accelerator;
    } cases[] = {
        {"&Yes", "Yes", {0}, 'Y'},
        {"Save &As", "Save As", {5}, 'A'},
        {"Fish && &Chips", "Fish & Chips", {7}, 'C'},
        {"&&&x", "&x", {1}, 'x'},
        {"Caf\xC3\xA9 &\xC3\xA9t\xC3\xA9", "Caf\xC3\xA9 \xC3\xA9t\xC3\xA9", {6}, U'\u00E9'},
        {"&a&b", "ab", {0, 1}, 'a'},
        {"end&", "end", {}, std::nullopt},
        {"&&", "&", {}, std::nullopt},
        {"plain", "plain", {}, std::nullopt},
        {"", "", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        const PrefixedText parsed = ParsePrefixes(c.caption);
        EXPECT_EQ(parsed.text, c.shown) << c.caption;
        EXPECT_EQ(parsed.marks, c.marks) << c.caption;
        EXPECT_EQ(StripPrefixes(c.caption), c.shown) << c.caption;
        EXPECT_EQ(AcceleratorOf(c.caption), c.accelerator) << c.caption;
    }
}

}  // namespace
}  // namespace plexon
