// The main window: four numbered sections (source images, state count, slot order, output folder),
// the command bar with Start, Options, About and Exit, and the progress bar of a weld run. It holds
// the selection and the suffix letters between commands; the weld itself is the weld run's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/StringList.h"
#include "weld/Settings.h"
#include "weld/SuffixSettings.h"
#include "weld/WeldRequest.h"

namespace plexon {

class TButton;
class TComboBox;
class TEllipsisLabel;
class TLabel;
class TLevelProgressBar;
class TMarkupLabel;
class TOpenDialog;
class TPxBrowseDlg;
class TPxGroupBox;
class TPxPanelFill;
class TPxSpeedButton;

class TfrmMain : public TForm {
  public:
    explicit TfrmMain(TComponent* owner);
    ~TfrmMain() override;

    TMarkupLabel* MarkupLabel1;
    TPxGroupBox* PxGroupBox1;
    TEllipsisLabel* lblImageList;
    TEllipsisLabel* lblImageCount;
    TButton* btnImageBrowse;
    TButton* btnImageFolder;  // a whole folder's images as the source
    TPxGroupBox* PxGroupBox2;
    TLabel* Label1;
    TComboBox* cbImageState;
    TPxGroupBox* PxGroupBox3;
    TEllipsisLabel* lblOutputPath;
    TButton* btnOutputBrowse;
    TPxPanelFill* PxPanelFill1;
    TLevelProgressBar* pbWork;
    TPxSpeedButton* btnStart;
    TPxSpeedButton* btnOptions;
    TPxSpeedButton* btnAbout;
    TPxSpeedButton* btnExit;
    TPxGroupBox* PxGroupBox4;
    TComboBox* cbImage1;
    TComboBox* cbImage2;
    TComboBox* cbImage3;
    TComboBox* cbImage4;
    TOpenDialog* dlgOpen;
    TPxBrowseDlg* dlgBrowse;
    TPxBrowseDlg* dlgSourceFolder;

    // The selected source files in the order chosen; null until the first selection.
    const TStringList* FileList() const { return fileList_.get(); }
    // Width of the first selected file (Options' SVG size for an SVG without one); 0 until one was
    // measured.
    int ImageSize() const { return imageSize_; }
    SuffixSettings& Suffixes() { return suffixes_; }
    // The strip format Options chose; the window's runs write it.
    StripFormat StripFormatChoice() const { return stripFormat_; }
    // Options' "Make missing states from the Normal image"; the window's runs follow it.
    bool DeriveMissingChoice() const { return deriveMissing_; }
    // Options' "Size for SVG images".
    int SvgSizeChoice() const { return svgSize_; }

    void FormCreate(TComponent* sender);
    void FormClose(TComponent* sender, TCloseAction& action);
    void btnImageBrowseClick(TComponent* sender);
    // Selects the chosen folder's images as a drop of it does; a folder without any is refused and
    // the earlier selection stays.
    void btnImageFolderClick(TComponent* sender);
    void btnOutputBrowseClick(TComponent* sender);
    void cbImageStateChange(TComponent* sender);
    void btnStartClick(TComponent* sender);
    void btnOptionsClick(TComponent* sender);
    void btnAboutClick(TComponent* sender);
    void btnExitClick(TComponent* sender);
    // Files dropped from the desktop's file manager: selected as Browse selects them, in drop order.
    // Names IsSourceFileName does not take are passed over; a drop with none left changes nothing.
    void FilesDropped(const std::vector<std::string>& paths);

    // The footer: two blanks on each side of the first "::", three on each side of the second.
    static constexpr const char* kFooterMarkup =
        "<b>Tesvo</b>  ::  Supporting developers since 2001   ::   "
        "<a href=\"https://www.tesvo.example/\">www.tesvo.example</a>  ";
    static constexpr const char* kImageListPrompt = "< Click the Browse button to select image files >";
    static constexpr const char* kOutputPathPrompt =
        "< Click the Browse button to select location for generated images >";
    static constexpr const char* kOpenFilter =
        "Image files (*.bmp;*.png;*.svg;*.svgz)|*.bmp;*.png;*.svg;*.svgz|Bitmap files (*.bmp)|*.bmp|"
        "PNG images (*.png)|*.png|SVG images (*.svg, *.svgz)|*.svg;*.svgz";
    // The choosers' titles: the section each one serves.
    static constexpr const char* kSourceTitle = "Select the images to join";
    static constexpr const char* kOutputTitle = "Select the output folder";

    // Busy mode's controls (not the cursor): the progress bar at 0 and shown, the commands hidden,
    // the choosers and browse buttons disabled; or the idle window back. Start uses it; public for
    // screenshots.
    void ShowBusy(bool busy);

  private:
    // The count reads "N files selected", or "Icons/ (N images)" for one folder's images.
    void SelectFiles(const std::vector<std::string>& paths, const std::string& folder = {});
    WeldRequest RequestFromWindow() const;
    // The choices restored at start, and the window's current ones for the settings file.
    void RestoreChoices(const WindowChoices& choices);
    WindowChoices CurrentChoices() const;
    void LeaveBusyMode();

    std::unique_ptr<TStringList> fileList_;
    int imageSize_ = 0;
    SuffixSettings suffixes_;
    StripFormat stripFormat_ = StripFormat::Bmp;
    bool deriveMissing_ = false;
    int svgSize_ = kDefaultSvgSize;
    // The first source is an SVG without a size of its own: the slot follows svgSize_.
    bool sizeFromOptions_ = false;
    // The folder of the last selection (or the remembered one); empty for none.
    std::string sourceFolder_;
    // The last attempt to save the settings on closing failed; the next close does not try again.
    bool saveFailed_ = false;
    // The settings file could not be read at start; it is never written.
    bool settingsRefused_ = false;
    // From Start's checks to the end of its run: commands queued behind Start do nothing, and a close
    // waits for the run (closePending_).
    bool running_ = false;
    bool closePending_ = false;
    // Esc during a run: the run stops before its next strip.
    bool stopRequested_ = false;
    // What the window takes while a run is prepared or runs: a close request, and Esc to stop.
    bool TakesWhileBusy(const window::Message& message);
};

extern TfrmMain* frmMain;

}  // namespace plexon
