// Command line parsing of the batch command: every option, its spellings, defaults and usage errors.
#include "app/BatchOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace plexon {
namespace {

Command Parse(std::initializer_list<std::string> args) {
    std::vector<std::string> list(args);
    return ParseCommandLine(list);
}

BatchOptions Weld(std::initializer_list<std::string> args) {
    Command command = Parse(args);
    EXPECT_EQ(command.kind, CommandKind::Weld);
    return command.weld;
}

std::string UsageMessage(std::initializer_list<std::string> args) {
    try {
        Parse(args);
    } catch (const UsageError& e) {
        return e.Message();
    }
    return "(accepted)";
}

TEST(BatchOptionsDefaults, ThreeStatesInTheUsualOrderLettersFromSettings) {
    BatchOptions o = Weld({"weld", "-o", "out", "a.bmp"});
    EXPECT_EQ(o.outputFolder, "out");
    EXPECT_EQ(o.stateCount, 3);
    EXPECT_EQ(o.slotStates, kDefaultSlotStates);
    EXPECT_FALSE(o.suffixHot);
    EXPECT_FALSE(o.suffixDisabled);
    EXPECT_FALSE(o.suffixPressed);
    EXPECT_FALSE(o.configFile);
    EXPECT_EQ(o.verbosity, Verbosity::Normal);
    EXPECT_EQ(o.sources, std::vector<std::string>{"a.bmp"});
}

TEST(BatchOptionsOutput, TakesEverySpelling) {
    EXPECT_EQ(Weld({"weld", "-o", "d1", "x"}).outputFolder, "d1");
    EXPECT_EQ(Weld({"weld", "-od2", "x"}).outputFolder, "d2");
    EXPECT_EQ(Weld({"weld", "--output", "d3", "x"}).outputFolder, "d3");
    EXPECT_EQ(Weld({"weld", "--output=d4/", "x"}).outputFolder, "d4/");
    EXPECT_EQ(Weld({"weld", "x", "-o", "late"}).outputFolder, "late");
}

TEST(BatchOptionsStates, AcceptsTwoToFour) {
    EXPECT_EQ(Weld({"weld", "-o", "o", "-n", "2", "x"}).stateCount, 2);
    EXPECT_EQ(Weld({"weld", "-o", "o", "-n4", "x"}).stateCount, 4);
    EXPECT_EQ(Weld({"weld", "-o", "o", "--states", "3", "x"}).stateCount, 3);
    EXPECT_EQ(Weld({"weld", "-o", "o", "--states=2", "x"}).stateCount, 2);
}

TEST(BatchOptionsOrder, NamesTheSlotsLeftToRight) {
    BatchOptions o = Weld({"weld", "-o", "o", "-n", "2", "--order", "hot,normal", "x"});
    EXPECT_EQ(o.slotStates[0], ImageState::Hot);
    EXPECT_EQ(o.slotStates[1], ImageState::Normal);
    o = Weld({"weld", "-o", "o", "-n", "4", "--order=Pressed,DISABLED,hot,normal", "x"});  // any case
    EXPECT_EQ(o.slotStates,
              (SlotStates{ImageState::Pressed, ImageState::Disabled, ImageState::Hot, ImageState::Normal}));
}

TEST(BatchOptionsOrder, MayRepeatAStateAndNameMoreThanTheCount) {
    BatchOptions o = Weld({"weld", "-o", "o", "-n", "2", "--order", "normal,normal,hot", "x"});
    EXPECT_EQ(o.slotStates[0], ImageState::Normal);
    EXPECT_EQ(o.slotStates[1], ImageState::Normal);
    EXPECT_EQ(o.slotStates[2], ImageState::Hot);
}

TEST(BatchOptionsOrder, IsCheckedAgainstTheStateCountGivenLater) {
    EXPECT_NE(UsageMessage({"weld", "-o", "o", "--order", "hot,normal", "-n", "3", "x"}), "(accepted)");
    EXPECT_EQ(Weld({"weld", "-o", "o", "--order", "hot,normal", "-n", "2", "x"}).stateCount, 2);
}

// Each letter is one letter or digit of any script, in its own case; anything else is a usage error.
TEST(BatchOptionsSuffixes, AreOneLetterOrDigitEach) {
    BatchOptions o = Weld(
        {"weld", "-o", "o", "--suffix-hot", "x", "--suffix-disabled=7", "--suffix-pressed", "\xD0\x96", "f"});
    EXPECT_EQ(o.suffixHot, "x");
    EXPECT_EQ(o.suffixDisabled, "7");
    EXPECT_EQ(o.suffixPressed, "\xD0\x96");
    for (const char* bad : {"", "hh", "_", "-", " ", "\xD0"})
        EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--suffix-hot", bad, "a"}),
                  "The Hot, Disabled and Pressed letters must be three different letters or digits.")
            << bad;
}

TEST(BatchOptionsMisc, ConfigQuietAndSources) {
    BatchOptions o = Weld({"weld", "-q", "--config", "my.ini", "-o", "o", "a", "-", "b"});
    EXPECT_EQ(o.configFile, "my.ini");
    EXPECT_EQ(o.verbosity, Verbosity::Quiet);
    EXPECT_EQ(o.sources, (std::vector<std::string>{"a", "-", "b"}));
    EXPECT_EQ(Weld({"weld", "--quiet", "-o", "o", "a"}).verbosity, Verbosity::Quiet);
}

TEST(BatchOptionsMisc, ShortOptionsBundle) {
    BatchOptions o = Weld({"weld", "-qn4", "-o", "o", "a"});
    EXPECT_EQ(o.verbosity, Verbosity::Quiet);
    EXPECT_EQ(o.stateCount, 4);
    EXPECT_EQ(Weld({"weld", "-qoout", "a"}).outputFolder, "out");
}

TEST(BatchOptionsMisc, DoubleDashEndsTheOptions) {
    BatchOptions o = Weld({"weld", "-o", "o", "--", "-n", "--quiet"});
    EXPECT_EQ(o.sources, (std::vector<std::string>{"-n", "--quiet"}));
    EXPECT_EQ(o.verbosity, Verbosity::Normal);
}

TEST(BatchOptionsCommands, HelpAndVersion) {
    EXPECT_EQ(Parse({"--help"}).kind, CommandKind::Help);
    EXPECT_EQ(Parse({"-h"}).kind, CommandKind::Help);
    EXPECT_EQ(Parse({"--version"}).kind, CommandKind::Version);
    EXPECT_EQ(Parse({"weld", "--help"}).kind, CommandKind::Help);
    EXPECT_EQ(Parse({"weld", "-n", "3", "-h"}).kind, CommandKind::Help);
    EXPECT_NE(UsageText().find("--output DIR"), std::string_view::npos);
}

TEST(BatchOptionsUsageErrors, MissingOutputOrSources) {
    EXPECT_EQ(UsageMessage({"weld", "a.bmp"}), "the output folder is missing (-o DIR)");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o"}), "no source files or folders given");
    EXPECT_EQ(UsageMessage({"weld", "-o"}), "-o needs a value");
    EXPECT_EQ(UsageMessage({"weld", "a", "--output"}), "--output needs a value");
    EXPECT_EQ(UsageMessage({"weld", "--output=", "a"}), "the output folder is empty");
}

TEST(BatchOptionsUsageErrors, BadStateCount) {
    for (std::string bad : {"1", "5", "0", "3x", "", "three", "-3", "03"})
        EXPECT_EQ(UsageMessage({"weld", "-o", "o", "-n", bad, "a"}),
                  "the state count must be 2, 3 or 4, not \"" + bad + "\"")
            << bad;
}

TEST(BatchOptionsUsageErrors, BadOrder) {
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--order", "normal,warm,hot", "a"}),
              "unknown state \"warm\" in --order");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--order", "normal,,hot", "a"}),
              "unknown state \"\" in --order");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--order", "normal,hot", "a"}),
              "--order names fewer states than the state count");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "-n", "4", "--order", "normal,hot,disabled", "a"}),
              "--order names fewer states than the state count");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--order", "normal,hot,hot,hot,hot", "a"}),
              "--order names more than 4 states");
}

TEST(BatchOptionsSvgTimeLimit, SecondsToTheMillisecondUpToAnHour) {
    using std::chrono::milliseconds;
    EXPECT_EQ(Weld({"weld", "-o", "o", "a"}).svgTimeLimit, milliseconds(10000));
    for (const auto& [text, ms] : {std::pair{"1", 1000}, {"0.5", 500}, {"2.25", 2250}, {"0.001", 1},
                                   {"3600", 3600000}, {"007", 7000}})
        EXPECT_EQ(Weld({"weld", "-o", "o", "--svg-time-limit", text, "a"}).svgTimeLimit, milliseconds(ms));
    for (std::string bad : {"0", "0.0", "0.0004", "3600.001", "1.", ".5", "-1", "1e3", "", "ten", "1,5"})
        EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--svg-time-limit", bad, "a"}),
                  "the SVG time limit must be a number of seconds above 0 and at most 3600, not \"" + bad + "\"")
            << bad;
}

TEST(BatchOptionsUsageErrors, UnknownOptionsAndCommands) {
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "-x", "a"}), "unknown option -x");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--states3", "a"}), "unknown option --states3");
    EXPECT_EQ(UsageMessage({"weld", "-o", "o", "--quiet=yes", "a"}), "--quiet takes no value");
    EXPECT_EQ(UsageMessage({"--frobnicate"}), "unknown option --frobnicate");
    EXPECT_EQ(UsageMessage({"join", "a"}), "unknown command \"join\"");
    EXPECT_EQ(UsageMessage({}), "no command given");
    EXPECT_EQ(UsageMessage({"--version", "x"}), "unexpected argument \"x\"");
}

}  // namespace
}  // namespace plexon
