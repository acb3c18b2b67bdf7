// The file-open chooser run.
#include "forms/OpenDialog.h"

#include <algorithm>
#include <cctype>

#include "forms/ChooserRun.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

std::vector<std::string> Split(const std::string& text, char delimiter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(delimiter, start);
        parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

}  // namespace

bool TOpenDialog::Execute() {
    files_.Clear();
    ChooserRequest request{
        .kind = ChooserKind::Files,
        .selection = options_.Contains(ofAllowMultiSelect) ? Selection::Multiple : Selection::Single,
        .title = title_};
    // Every pair is offered; the choosers show the first, so FilterIndex's pair goes to the front.
    const std::vector<std::string> parts = Split(filter_, '|');
    for (std::size_t pair = 0; pair + 1 < parts.size(); pair += 2)
        request.filters.push_back({parts[pair], Split(parts[pair + 1], ';')});
    const std::size_t chosen = std::size_t(std::max(filterIndex_, 1) - 1);
    if (chosen < request.filters.size())
        std::rotate(request.filters.begin(), request.filters.begin() + std::ptrdiff_t(chosen),
                    request.filters.begin() + std::ptrdiff_t(chosen) + 1);
    request.initialFolder = initialDir_;
    request.initialName = fileName_;
    if (std::string folder = ExtractFilePath(fileName_); !folder.empty()) {
        request.initialFolder = std::move(folder);
        request.initialName = ExtractFileName(fileName_);
    }
    const ChooserAnswer answer = RunChooser(request, {.placement = ChooserPlacement::ScreenThird});
    if (!answer) return false;
    files_.BeginUpdate();
    for (const std::string& path : *answer) files_.Add(path);
    files_.EndUpdate();
    fileName_ = files_[0];
    // There is no read-only box to report; the extension differs when a default one is set and
    // the chosen name carries another.
    options_ = options_.Without(ofReadOnly).Without(ofExtensionDifferent);
    if (!defaultExt_.empty()) {
        const std::size_t dot = fileName_.rfind('.');
        const bool hasExtension = dot != std::string::npos && dot > fileName_.rfind('/');
        if (hasExtension && LowerCase(fileName_.substr(dot + 1)) != LowerCase(defaultExt_))
            options_ = options_.With(ofExtensionDifferent);
    }
    return true;
}

}  // namespace plexon
