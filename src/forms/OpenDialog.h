// The file-open chooser component: filter, options, initial folder and title in; the chosen full
// paths out, in the order the chooser listed them. No saving, no read-only box, no previews.
#pragma once

#include <string>

#include "framework/Component.h"
#include "framework/StringList.h"
#include "runtime/EnumSet.h"

namespace plexon {

enum class TOpenOption {
    ofReadOnly,
    ofHideReadOnly,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofEnableSizing
};
using enum TOpenOption;
using TOpenOptions = TEnumSet<TOpenOption>;

class TOpenDialog : public TComponent {
  public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

    // Pairs of display text and patterns, each followed by "|": "Bitmap files (*.bmp)|*.bmp".
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& value) { filter_ = value; }
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions value) { options_ = value; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& value) { fileName_ = value; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& value) { initialDir_ = value; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
    const TStringList& Files() const { return files_; }

    // Empties Files and runs the chooser; true with at least one full path in Files and the first
    // in FileName; false on cancel or failure. A selection of any size is taken.
    bool Execute();

  private:
    std::string filter_;
    int filterIndex_ = 1;
    TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
    std::string fileName_, initialDir_, title_, defaultExt_;
    TStringList files_;
};

}  // namespace plexon
