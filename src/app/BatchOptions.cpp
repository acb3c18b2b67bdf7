// Command line parsing for `plexon weld`: its table of options and what each one sets.
#include "app/BatchOptions.h"

#include <cstddef>
#include <utility>

#include "app/OptionValues.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

constexpr std::string_view kUsage =
    "Usage: plexon                       open the main window\n"
    "       plexon FILE|FOLDER...        open it with these images selected\n"
    "       plexon weld [options] FILE|FOLDER...\n"
    "       plexon split [-n N] [--order LIST] -o DIR STRIP...\n"
    "       plexon screenshot --window main|options|about|message|demo [--busy N] [--text T]\n"
    "                         [--hover CONTROL] -o FILE.bmp\n"
    "       plexon --help | --version\n"
    "\n"
    "Joins the state images of each icon (Open.bmp, Open_h.bmp, Open_d.bmp, Open_p.bmp) into one strip\n"
    "per icon. Sources are BMP, PNG or SVG files (any colour type and depth; alpha is kept in PNG and\n"
    "bmp-alpha strips, blended over white in BMP strips). A folder stands for all of its .bmp, .png and\n"
    ".svg files, grouped by icon in natural order. An SVG is fitted into the square slot, aspect kept,\n"
    "centred; without --size the slot is the first source's width (an SVG's at 96 dpi, rounded up).\n"
    "\n"
    "  -o, --output DIR        folder for the strips (required; made with its parents if missing)\n"
    "  -n, --states 2|3|4      states per strip (default 3)\n"
    "      --order LIST        states of the slots, left to right, from normal, hot, disabled,\n"
    "                          pressed (default normal,hot,disabled,pressed)\n"
    "      --suffix-hot L      suffix letters (default: from the settings file)\n"
    "      --suffix-disabled L\n"
    "      --suffix-pressed L\n"
    "      --config FILE       settings file to read the letters and the strip format from\n"
    "      --format FORMAT     bmp: BMP strips (default: the settings file's StripFormat, else bmp);\n"
    "                          png: RGBA PNG strips, empty slot area transparent;\n"
    "                          bmp-alpha: 32-bit BMP strips with an alpha channel\n"
    "      --size LIST         one set of strips per size, e.g. 16,24,32, each in DIR/16x16/ and so\n"
    "                          on: SVG sources are rendered at each size, bitmaps of another size are\n"
    "                          scaled (aspect kept, centred; a warning names each one scaled up)\n"
    "      --manifest FILE     write a JSON list of the strips: {\"strips\": [{\"path\", \"size\", "
    "\"states\",\n"
    "                          \"sources\" (null for a blank slot), \"derived\"}]}, paths relative to\n"
    "                          FILE's folder; names that are not UTF-8 are refused\n"
    "      --watch             after the weld, stay and weld an icon again within 200 ms of a change\n"
    "                          to one of its sources, printing each strip written; new icons in a\n"
    "                          folder given are welded too; a source that cannot be read is named and\n"
    "                          the watch goes on; Ctrl+C (SIGINT) or SIGTERM ends it with status 0\n"
    "      --strict            refuse the run, before anything is written, when a source is not a\n"
    "                          square of the slot size (the width of the first file); without it such\n"
    "                          a source gets a warning and is cut or padded to the slot\n"
    "      --no-clobber        refuse the run, before anything is written, when a strip it would\n"
    "                          write exists already (by default existing strips are replaced)\n"
    "      --derive            make the used states an icon has no file for from its Normal image:\n"
    "                          Disabled greyed, Hot lighter, Pressed darker and moved 1 pixel right\n"
    "                          and down (default: the settings file's DeriveMissing)\n"
    "      --no-derive         leave such slots blank, whatever the settings file says\n"
    "      --keep-going        a source that cannot be read skips its icon; the other strips are\n"
    "                          written and the run ends with exit status 1\n"
    "      --svg-time-limit S  CPU seconds each SVG may take to parse and to render (default 10); one\n"
    "                          that takes longer, needs more than 1 GiB or crashes the renderer is\n"
    "                          named with the reason, as a source that cannot be read is\n"
    "  -q, --quiet             no progress and no completion text\n"
    "  -h, --help              show this text\n"
    "\n"
    "Each strip replaces its file whole: after a killed or failed run every strip holds its old content,\n"
    "its new content, or is absent if it did not exist before. One run at a time writes into a folder.\n"
    "\n"
    "split cuts strips back into the files of their states, named as weld reads them (Open.bmp,\n"
    "Open_h.bmp, ...), each in the strip's format: PNG as PNG, a BMP with alpha as a 32-bit BMP with\n"
    "alpha, a BMP of any other depth as weld writes BMP strips (32 bits, no alpha). Welding them with\n"
    "the same -n, --order and --format gives back a strip this program wrote, byte for byte. Every\n"
    "strip is read and checked before any file is written; the files replace theirs whole.\n"
    "\n"
    "  -o, --output DIR        folder for the files (required; made with its parents if missing);\n"
    "                          not the folder of a strip\n"
    "  -n, --states 2|3|4      slots per strip (default: its width / its height); a strip that is\n"
    "                          not that many squares is refused\n"
    "      --order LIST        the state of each slot, left to right, each state at most once\n"
    "                          (default normal,hot,disabled,pressed)\n"
    "      --suffix-hot L, --suffix-disabled L, --suffix-pressed L, --config FILE: as for weld\n"
    "  -q, --quiet             no completion text\n"
    "\n"
    "Exit status: 0 done, 1 refused or failed, 2 usage error.\n";

StripFormat ParseFormat(std::string_view text) {
    if (const std::optional<StripFormat> format = StripFormatNamed(text)) return *format;
    throw UsageError(Format("the format must be bmp, png or bmp-alpha, not \"%s\"", {text}));
}

// "16,24,32": whole pixel sizes, each once, in the order given.
std::vector<std::int32_t> ParseSizes(std::string_view list) {
    constexpr std::int32_t kLargest = 4096;
    std::vector<std::int32_t> sizes;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view item = list.substr(0, comma);
        std::int32_t size = 0;
        const bool digits = !item.empty() && item.size() <= 4 &&
                            item.find_first_not_of("0123456789") == std::string_view::npos;
        for (const char c : digits ? item : std::string_view()) size = size * 10 + (c - '0');
        if (!digits || size < 1 || size > kLargest)
            throw UsageError(
                Format("a size must be a whole number of pixels from 1 to 4096, not \"%s\"", {item}));
        for (const std::int32_t earlier : sizes)
            if (earlier == size) throw UsageError(Format("--size names %s twice", {item}));
        sizes.push_back(size);
        if (comma == std::string_view::npos) return sizes;
        list.remove_prefix(comma + 1);
    }
}

// "10", "0.5": seconds, above 0 and at most an hour, to the millisecond.
std::chrono::milliseconds ParseSeconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    std::int64_t milliseconds = 0;
    const bool valid = !whole.empty() && whole.size() <= 4 && digits(whole) && fraction.size() <= 3 &&
                       digits(fraction) && (point == std::string_view::npos || !fraction.empty());
    if (valid) {
        for (const char c : whole) milliseconds = milliseconds * 10 + (c - '0');
        for (std::size_t i = 0; i < 3; ++i)
            milliseconds = milliseconds * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    if (!valid || milliseconds == 0 || milliseconds > 3600 * 1000)
        throw UsageError(Format(
            "the SVG time limit must be a number of seconds above 0 and at most 3600, not \"%s\"", {text}));
    return std::chrono::milliseconds(milliseconds);
}

constexpr OptionSpec kOptions[] = {
    {'o', "output", Takes::Value},        {'n', "states", Takes::Value},
    {0, "order", Takes::Value},           {0, "suffix-hot", Takes::Value},
    {0, "suffix-disabled", Takes::Value}, {0, "suffix-pressed", Takes::Value},
    {0, "config", Takes::Value},          {'q', "quiet", Takes::Nothing},
    {'h', "help", Takes::Nothing},        {0, "format", Takes::Value},
    {0, "strict", Takes::Nothing},        {0, "no-clobber", Takes::Nothing},
    {0, "keep-going", Takes::Nothing},    {0, "derive", Takes::Nothing},
    {0, "no-derive", Takes::Nothing},     {0, "size", Takes::Value},
    {0, "manifest", Takes::Value},        {0, "watch", Takes::Nothing},
    {0, "svg-time-limit", Takes::Value},
};

class WeldParser {
  public:
    explicit WeldParser(std::span<const std::string> args) : args_(args) {}

    // Throws UsageError; returns Help when -h or --help is among the options.
    Command Parse() {
        ParseOptions(
            args_, kOptions,
            [this](const OptionSpec& option, std::optional<std::string_view> value) { Apply(option, value); },
            [this](const std::string& source) { command_.weld.sources.push_back(source); });
        if (command_.kind == CommandKind::Help) return std::move(command_);
        BatchOptions& options = command_.weld;
        if (options.outputFolder.empty()) throw UsageError("the output folder is missing (-o DIR)");
        if (options.sources.empty()) throw UsageError("no source files or folders given");
        if (!options.sizes.empty() && options.sizeCheck == SizeCheck::Strict)
            throw UsageError("--strict cannot be used with --size: sources are scaled to each size");
        if (orderCount_ < static_cast<std::size_t>(options.stateCount))
            throw UsageError("--order names fewer states than the state count");
        // Moved, not copied: the sources may be a hundred thousand paths.
        return std::move(command_);
    }

  private:
    void Apply(const OptionSpec& option, std::optional<std::string_view> value) {
        BatchOptions& options = command_.weld;
        const std::string_view name = option.longName;
        if (TakeLetterOption(name, value.value_or(""), options)) return;
        if (name == "output") {
            if (value->empty()) throw UsageError("the output folder is empty");
            options.outputFolder = *value;
        } else if (name == "states") {
            options.stateCount = ParseStateCount(*value);
        } else if (name == "order") {
            options.slotStates = ParseOrder(*value, orderCount_);
        } else if (name == "format") {
            options.format = ParseFormat(*value);
        } else if (name == "strict") {
            options.sizeCheck = SizeCheck::Strict;
        } else if (name == "watch") {
            options.watch = true;
        } else if (name == "manifest") {
            if (value->empty()) throw UsageError("the manifest file is empty");
            options.manifest = *value;
        } else if (name == "size") {
            options.sizes = ParseSizes(*value);
        } else if (name == "derive" || name == "no-derive") {
            options.derive = name == "derive";
        } else if (name == "svg-time-limit") {
            options.svgTimeLimit = ParseSeconds(*value);
        } else if (name == "keep-going") {
            options.keepGoing = true;
        } else if (name == "no-clobber") {
            options.existingStrips = ExistingStrips::Refuse;
        } else if (name == "quiet") {
            options.verbosity = Verbosity::Quiet;
        } else if (name == "help") {
            command_.kind = CommandKind::Help;
        }
    }

    std::span<const std::string> args_;
    Command command_{CommandKind::Weld, {}};
    std::size_t orderCount_ = kMaxStateCount;
};

}  // namespace

Command ParseCommandLine(std::span<const std::string> args) {
    if (args.empty()) throw UsageError("no command given");
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        if (args.size() > 1) throw UsageError(Format("unexpected argument \"%s\"", {args[1]}));
        return {CommandKind::Help, {}};
    }
    if (first == "--version") {
        if (args.size() > 1) throw UsageError(Format("unexpected argument \"%s\"", {args[1]}));
        return {CommandKind::Version, {}};
    }
    if (first == "weld") return WeldParser(args.subspan(1)).Parse();
    if (first == "split") {
        std::optional<SplitOptions> split = ParseSplitOptions(args.subspan(1));
        return split ? Command{CommandKind::Split, {}, std::move(*split)} : Command{CommandKind::Help, {}};
    }
    if (first.starts_with("-")) throw UsageError(Format("unknown option %s", {first}));
    throw UsageError(Format("unknown command \"%s\"", {first}));
}

std::string_view UsageText() {
    return kUsage;
}

}  // namespace plexon
