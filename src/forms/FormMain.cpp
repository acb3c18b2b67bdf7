// The main window's layout and commands: choosing files and the output folder, the slot-chooser
// enabling, the Options and About commands, closing with the settings saved, and the Start command
// with its busy mode.
#include "forms/FormMain.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "controls/EllipsisLabel.h"
#include "controls/LevelProgressBar.h"
#include "controls/MarkupLabel.h"
#include "controls/PxGroupBox.h"
#include "controls/PxPanelFill.h"
#include "controls/PxSpeedButton.h"
#include "forms/BrowseDialog.h"
#include "forms/CaptionedGroup.h"
#include "forms/FormAbout.h"
#include "forms/FormOptions.h"
#include "forms/MessageDialog.h"
#include "forms/OpenDialog.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/PlaceControl.h"
#include "framework/Screen.h"
#include "graphics/Bitmap.h"
#include "graphics/ModuleResources.h"
#include "platform/shell/FileAttributes.h"
#include "platform/shell/OpenLink.h"
#include "platform/window/Window.h"
#include "runtime/PathText.h"
#include "runtime/ScopeExit.h"
#include "weld/OutputFolder.h"
#include "weld/RunReport.h"
#include "weld/SettingsLocation.h"
#include "weld/SourceList.h"
#include "weld/SourceSelection.h"
#include "weld/StartCheck.h"
#include "weld/SuffixLetters.h"
#include "weld/WeldRun.h"

namespace plexon {

TfrmMain* frmMain = nullptr;

namespace {

// The path labels show a path as it is: an "&" in a folder name is part of the name, not an
// accelerator.
TEllipsisLabel* PathLabel(TfrmMain* form, TWinControl* parent, const char* name, int top, int width,
                          const char* text) {
    auto* label = PlaceControl<TEllipsisLabel>(form, parent, name, 12, top, width, 13);
    label->SetCaption(text);
    label->Font().SetColor(clNavy);
    label->SetEllipsType(etPathEllips);
    label->SetShowAccelChar(false);
    return label;
}

TPxGroupBox* Section(TfrmMain* form, const char* name, int top, int height, const char* caption,
                     int tabOrder) {
    return CaptionedGroup(form, name, 8, top, 397, height, caption, tabOrder);
}

// The command bar's glyph buttons; their glyphs are embedded from resources/.
TPxSpeedButton* CommandButton(TfrmMain* form, TWinControl* parent, const char* name, int left,
                              const char* caption, const char* glyph, const char* hint) {
    auto* button = PlaceControl<TPxSpeedButton>(form, parent, name, left, 4, 77, 33);
    button->SetCaption(caption);
    button->SetHint(hint);
    button->SetShowHint(true);
    button->SetButtonStyle(gbsOfficeTransp);
    button->SetThemedLook(false);
    // Alt+letter reaches the command; its underline shows only while Alt is held.
    button->SetHideAccelUntilAlt(true);
    TBitmap bitmap;
    bitmap.LoadResource(ProgramResources(), glyph);
    button->SetGlyph(bitmap);
    return button;
}

TComboBox* Chooser(TfrmMain* form, TWinControl* parent, const char* name, int left, int top, int width,
                   std::initializer_list<const char*> items, int itemIndex, int tabOrder) {
    auto* combo = PlaceControl<TComboBox>(form, parent, name, left, top, width, 21);
    for (const char* item : items) combo->Items().Add(item);
    combo->SetItemHeight(13);
    combo->SetItemIndex(itemIndex);
    combo->SetTabOrder(tabOrder);
    return combo;
}

void ShowInformation(std::string_view text) {
    RunMessageDialog(std::string(text), mtInformation, {mbOK}, 0, -1, -1, "");
}

}  // namespace

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
    SetName("frmMain");
    SetCaption("Tesvo Plexon");
    SetBorderStyle(bsSingle);
    SetAccessibleRole(window::AccessibleRole::Frame);
    SetPosition(poScreenCenter);
    SetClientWidth(413);
    SetClientHeight(353);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
    Font().SetCharSet(0);  // ANSI_CHARSET

    MarkupLabel1 = PlaceControl<TMarkupLabel>(this, this, "MarkupLabel1", 36, 336, 361, 17);
    MarkupLabel1->SetHTMLText(kFooterMarkup);
    MarkupLabel1->SetTransparent(true);

    PxGroupBox1 = Section(this, "PxGroupBox1", 48, 77, " 1. Select the images to join ", 1);
    PxGroupBox1->SetTransparent(true);
    lblImageList = PathLabel(this, PxGroupBox1, "lblImageList", 20, 377, kImageListPrompt);
    lblImageCount = PathLabel(this, PxGroupBox1, "lblImageCount", 48, 213, "");
    btnImageBrowse = PlaceControl<TButton>(this, PxGroupBox1, "btnImageBrowse", 312, 40, 75, 25);
    btnImageBrowse->SetCaption("&Browse...");
    btnImageBrowse->SetTabOrder(0);
    btnImageFolder = PlaceControl<TButton>(this, PxGroupBox1, "btnImageFolder", 232, 40, 75, 25);
    btnImageFolder->SetCaption("&Folder...");
    btnImageFolder->SetTabOrder(1);

    PxGroupBox2 = Section(this, "PxGroupBox2", 132, 53, " 2. Image type", 2);
    Label1 = PlaceControl<TLabel>(this, PxGroupBox2, "Label1", 12, 24, 217, 13);
    Label1->SetCaption("What type of image would you like to create?");
    cbImageState = Chooser(this, PxGroupBox2, "cbImageState", 240, 20, 145,
                           {"2 state images", "3 state images", "4 state images"}, 0, 0);
    // The question names the list for a screen reader.
    Label1->SetFocusControl(cbImageState);

    PxGroupBox3 = Section(this, "PxGroupBox3", 256, 77, " 4. Output path ", 4);
    lblOutputPath = PathLabel(this, PxGroupBox3, "lblOutputPath", 20, 377, kOutputPathPrompt);
    btnOutputBrowse = PlaceControl<TButton>(this, PxGroupBox3, "btnOutputBrowse", 312, 40, 75, 25);
    btnOutputBrowse->SetCaption("B&rowse...");
    btnOutputBrowse->SetTabOrder(0);

    PxPanelFill1 = PlaceControl<TPxPanelFill>(this, this, "PxPanelFill1", 0, 0, 413, 41);
    PxPanelFill1->SetAlign(alTop);
    PxPanelFill1->SetTabOrder(0);
    PxPanelFill1->Bevel().SetMode(bmStandard);
    PxPanelFill1->Bevel().SetStandardStyle(lsSingleRaised);
    TPxGradient& gradient = PxPanelFill1->FillObject().Gradient();
    gradient.BeginUpdate();
    gradient.SetColor(clWhite);
    gradient.SetEndColor(clSkyBlue);
    gradient.SetColorCount(64);
    gradient.EndUpdate(true);
    PxPanelFill1->FillObject().SetStyle(sfGradient);
    pbWork = PlaceControl<TLevelProgressBar>(this, PxPanelFill1, "pbWork", 8, 8, 397, 25);
    pbWork->SetVisible(false);
    pbWork->SetCompletionSmooth(false);
    pbWork->Font().SetHeight(-13);
    pbWork->Font().SetColor(clWindowText);
    pbWork->Font().SetCharSet(1);  // DEFAULT_CHARSET
    pbWork->SetPosition(80);
    btnStart = CommandButton(this, PxPanelFill1, "btnStart", 4, "&Start", "glyph_start.bmp",
                             "Join the selected images (Alt+S)");
    btnStart->Font().SetStyle({TFontStyle::Bold});
    btnOptions = CommandButton(this, PxPanelFill1, "btnOptions", 84, "&Options", "glyph_options.bmp",
                               "Change the file suffixes (Alt+O)");
    btnAbout = CommandButton(this, PxPanelFill1, "btnAbout", 164, "&About", "glyph_about.bmp",
                             "About this program (Alt+A)");
    btnExit = CommandButton(this, PxPanelFill1, "btnExit", 244, "E&xit", "glyph_exit.bmp",
                            "Close the program (Alt+X)");

    PxGroupBox4 =
        Section(this, "PxGroupBox4", 192, 57, " 3. Select the order of images in the final file", 3);
    const std::initializer_list<const char*> states = {"Normal", "Hot", "Disabled", "Pressed"};
    cbImage1 = Chooser(this, PxGroupBox4, "cbImage1", 12, 24, 85, states, 0, 0);
    cbImage2 = Chooser(this, PxGroupBox4, "cbImage2", 108, 24, 85, states, 1, 1);
    cbImage3 = Chooser(this, PxGroupBox4, "cbImage3", 204, 24, 85, states, 2, 2);
    cbImage4 = Chooser(this, PxGroupBox4, "cbImage4", 300, 24, 85, states, 3, 3);

    dlgOpen = new TOpenDialog(this);
    dlgOpen->SetName("dlgOpen");
    dlgOpen->SetFilter(kOpenFilter);
    dlgOpen->SetOptions(TOpenOptions{ofHideReadOnly, ofAllowMultiSelect, ofEnableSizing});
    dlgOpen->SetTitle(kSourceTitle);
    dlgBrowse = new TPxBrowseDlg(this);
    dlgBrowse->SetName("dlgBrowse");
    dlgBrowse->SetCaption(kOutputTitle);
    dlgSourceFolder = new TPxBrowseDlg(this);
    dlgSourceFolder->SetName("dlgSourceFolder");
    dlgSourceFolder->SetCaption(kSourceTitle);

    OnCreate = [this](TComponent* sender) { FormCreate(sender); };
    OnClose = [this](TComponent* sender, TCloseAction& action) { FormClose(sender, action); };
    OnFilesDropped = [this](TComponent*, const std::vector<std::string>& paths) { FilesDropped(paths); };
    btnImageBrowse->OnClick = [this](TComponent* sender) { btnImageBrowseClick(sender); };
    btnImageFolder->OnClick = [this](TComponent* sender) { btnImageFolderClick(sender); };
    btnOutputBrowse->OnClick = [this](TComponent* sender) { btnOutputBrowseClick(sender); };
    for (TComboBox* combo : {cbImageState, cbImage1, cbImage2, cbImage3, cbImage4})
        combo->OnChange = [this](TComponent* sender) { cbImageStateChange(sender); };
    btnStart->OnClick = [this](TComponent* sender) { btnStartClick(sender); };
    btnOptions->OnClick = [this](TComponent* sender) { btnOptionsClick(sender); };
    btnAbout->OnClick = [this](TComponent* sender) { btnAboutClick(sender); };
    btnExit->OnClick = [this](TComponent* sender) { btnExitClick(sender); };
    DoCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::FormCreate(TComponent*) {
    const std::string path = SettingsFilePath(CurrentSettingsEnvironment());
    const SettingsRead read = ReadSettings(path);
    suffixes_ = read.suffixes;
    RestoreChoices(read.choices);
    // Saving over a file that was not read would lose what it holds; the user hears of it now rather
    // than finding the letters gone later.
    settingsRefused_ = !read.refusal.empty();
    if (settingsRefused_) {
        ShowInformation("The settings file " + path + " cannot be read (" + read.refusal +
                        "). The default suffix letters and choices are used, and changes will not be saved.");
        return;
    }
    // Letters are used as read, but the user hears once why files may not weld as the states they seem.
    std::string notes;
    for (const SuffixNote& note : SuffixLetterNotes(suffixes_))
        notes += (notes.empty() ? "" : "\n") + path + ": " + note.text;
    if (!notes.empty()) ShowInformation(notes);
}

void TfrmMain::FormClose(TComponent*, TCloseAction& action) {
    // While a run is prepared or runs the window stays; the close takes effect after the run.
    if (running_) {
        closePending_ = true;
        action = caNone;
        return;
    }
    // Every close tries the save again; nothing is lost without a message. The first failure keeps the
    // window (the error display names the file and why); after it the user may close without saving.
    if (!settingsRefused_) {
        try {
            SaveSettings(SettingsFilePath(CurrentSettingsEnvironment(), SettingsUse::Save), suffixes_,
                         CurrentChoices());
        } catch (const EIniFileException& e) {
            const std::string text = e.FileReason().empty() ? e.Message() : e.Message() + ": " + e.FileReason();
            if (!std::exchange(saveFailed_, true)) throw EIniFileException(text);
            if (RunMessageDialog(ErrorDisplayText(text) + " Close without saving your choices?", mtConfirmation,
                                 {mbYes, mbNo}, 0, -1, -1, "") != mrYes) {
                action = caNone;
                return;
            }
        }
    }
    fileList_.reset();
}

void TfrmMain::btnImageBrowseClick(TComponent*) {
    if (running_) return;  // no command while a run is prepared or runs
    // In the folder of the last selection, also when that was a drop.
    dlgOpen->SetInitialDir(sourceFolder_);
    dlgOpen->SetFileName("");
    if (!dlgOpen->Execute()) return;
    std::vector<std::string> paths;
    for (int i = 0; i < dlgOpen->Files().Count(); ++i) paths.push_back(dlgOpen->Files()[i]);
    SelectFiles(paths);
}

void TfrmMain::btnImageFolderClick(TComponent*) {
    if (running_) return;  // no command while a run is prepared or runs
    dlgSourceFolder->SetSelectedFolder(sourceFolder_);
    if (!dlgSourceFolder->Execute()) return;
    const std::string folder = dlgSourceFolder->SelectedFolder();
    const WindowSources sources = SplitSources(std::vector{folder}, suffixes_);
    if (sources.images.empty()) {
        ShowInformation(NoImagesText(folder));
        return;
    }
    SelectFiles(sources.images, folder);
}

void TfrmMain::FilesDropped(const std::vector<std::string>& paths) {
    if (running_) return;  // no command while a run is prepared or runs
    // Folders as `plexon FOLDER` takes them; a file we cannot weld is named, never dropped silently.
    const WindowSources sources = SplitSources(paths, suffixes_);
    // One folder dropped reads as one chosen with Folder...
    const bool oneFolder = paths.size() == 1 && DirectoryExists(paths[0]);
    if (!sources.images.empty()) SelectFiles(sources.images, oneFolder ? paths[0] : std::string());
    if (!sources.leftOut.empty()) ShowInformation(LeftOutText(sources.leftOut));
}

void TfrmMain::SelectFiles(const std::vector<std::string>& paths, const std::string& folder) {
    Screen().SetCursor(crHourGlass);
    // Also after a file that cannot be loaded: the selection stands, the cursor comes back.
    const ScopeExit restore([] { Screen().SetCursor(crDefault); });
    if (fileList_)
        fileList_->Clear();
    else
        fileList_ = std::make_unique<TStringList>();
    fileList_->BeginUpdate();
    for (const std::string& path : paths) fileList_->Add(path);
    fileList_->EndUpdate();
    sourceFolder_ = SourceFolderOf(paths);
    lblImageList->SetCaption(sourceFolder_);
    lblImageCount->SetCaption(folder.empty() ? std::to_string(paths.size()) + " files selected"
                                             : FolderCountText(folder, paths.size()));
    const std::optional<int32_t> own = OwnSlotSizeOf(fileList_->Strings(0), SourceFormats::All);
    sizeFromOptions_ = !own;
    imageSize_ = own.value_or(svgSize_);
}

void TfrmMain::btnOutputBrowseClick(TComponent*) {
    if (running_) return;  // no command while a run is prepared or runs
    if (!dlgBrowse->Execute()) return;
    lblOutputPath->SetCaption(IncludeTrailingPathDelimiter(dlgBrowse->SelectedFolder()));
}

void TfrmMain::cbImageStateChange(TComponent*) {
    const int index = cbImageState->ItemIndex();
    if (index < 0 || index > 2) return;
    cbImage1->SetEnabled(true);
    cbImage2->SetEnabled(true);
    cbImage3->SetEnabled(index >= 1);
    cbImage4->SetEnabled(index == 2);
}

void TfrmMain::btnOptionsClick(TComponent*) {
    if (running_) return;  // no command while a run is prepared or runs
    frmOptions = new TfrmOptions(&Application());
    const ScopeExit release([] {
        delete frmOptions;
        frmOptions = nullptr;
    });
    frmOptions->txtSuffixHot->SetMaskedText("_" + suffixes_.SuffixHot);
    frmOptions->txtSuffixDisabled->SetMaskedText("_" + suffixes_.SuffixDisabled);
    frmOptions->txtSuffixPressed->SetMaskedText("_" + suffixes_.SuffixPressed);
    frmOptions->SetStripFormat(stripFormat_);
    frmOptions->chkDeriveMissing->SetChecked(deriveMissing_);
    frmOptions->SetSvgSize(svgSize_);
    // The choices are read back also when showing failed, as long as OK had been chosen.
    const ScopeExit readBack([this] {
        if (frmOptions->ModalResult() != mrOk) return;
        suffixes_ = frmOptions->Letters();
        stripFormat_ = frmOptions->ChosenStripFormat();
        deriveMissing_ = frmOptions->chkDeriveMissing->Checked();
        svgSize_ = frmOptions->ChosenSvgSize();
        if (sizeFromOptions_) imageSize_ = svgSize_;
    });
    frmOptions->ShowModal();
}

void TfrmMain::btnAboutClick(TComponent*) {
    if (running_) return;  // no command while a run is prepared or runs
    frmAbout = new TfrmAbout(&Application());
    const ScopeExit release([] {
        delete frmAbout;
        frmAbout = nullptr;
    });
    frmAbout->ShowModal();
}

void TfrmMain::btnExitClick(TComponent*) {
    Close();
}

void TfrmMain::ShowBusy(bool busy) {
    pbWork->SetPosition(0);
    pbWork->SetVisible(busy);
    for (TPxSpeedButton* command : {btnStart, btnOptions, btnAbout, btnExit}) command->SetVisible(!busy);
    btnImageBrowse->SetEnabled(!busy);
    btnImageFolder->SetEnabled(!busy);
    cbImageState->SetEnabled(!busy);
    if (busy) {
        for (TComboBox* slot : {cbImage1, cbImage2, cbImage3, cbImage4}) slot->SetEnabled(false);
    } else {
        cbImageStateChange(cbImageState);
    }
    btnOutputBrowse->SetEnabled(!busy);
}

void TfrmMain::LeaveBusyMode() {
    ShowBusy(false);
    Screen().SetCursor(crDefault);
}

WeldRequest TfrmMain::RequestFromWindow() const {
    WeldRequest request;
    for (int i = 0; i < fileList_->Count(); ++i) request.FileList.push_back(fileList_->Strings(i));
    request.ImageSize = imageSize_;
    request.StateCount = cbImageState->ItemIndex() + kMinStateCount;
    const TComboBox* slots[] = {cbImage1, cbImage2, cbImage3, cbImage4};
    for (std::size_t i = 0; i < request.Slots.size(); ++i)
        request.Slots[i] = ImageState(slots[i]->ItemIndex());
    request.Suffixes = suffixes_;
    request.OutputFolder = lblOutputPath->Caption();
    request.Format = stripFormat_;
    request.DeriveMissing = deriveMissing_;
    request.Sources = SourceFormats::All;
    return request;
}

void TfrmMain::RestoreChoices(const WindowChoices& choices) {
    cbImageState->SetItemIndex(choices.stateCount - kMinStateCount);
    TComboBox* const slots[] = {cbImage1, cbImage2, cbImage3, cbImage4};
    for (std::size_t i = 0; i < choices.order.size(); ++i) slots[i]->SetItemIndex(IndexOf(choices.order[i]));
    cbImageStateChange(this);
    stripFormat_ = choices.format;
    deriveMissing_ = choices.deriveMissing;
    svgSize_ = choices.svgSize;
    // A folder gone since (an unplugged drive, a removed project) is forgotten.
    if (!choices.sourceFolder.empty() && DirectoryExists(choices.sourceFolder))
        sourceFolder_ = IncludeTrailingPathDelimiter(choices.sourceFolder);
    if (!choices.outputFolder.empty() && DirectoryExists(choices.outputFolder)) {
        lblOutputPath->SetCaption(IncludeTrailingPathDelimiter(choices.outputFolder));
        dlgBrowse->SetSelectedFolder(choices.outputFolder);
    }
}

WindowChoices TfrmMain::CurrentChoices() const {
    WindowChoices choices;
    choices.sourceFolder = sourceFolder_;
    choices.stateCount = cbImageState->ItemIndex() + kMinStateCount;
    choices.format = stripFormat_;
    choices.deriveMissing = deriveMissing_;
    choices.svgSize = svgSize_;
    if (lblOutputPath->Caption() != kOutputPathPrompt) choices.outputFolder = lblOutputPath->Caption();
    const TComboBox* const slots[] = {cbImage1, cbImage2, cbImage3, cbImage4};
    for (std::size_t i = 0; i < choices.order.size(); ++i)
        choices.order[i] = ImageState(slots[i]->ItemIndex());
    return choices;
}

bool TfrmMain::TakesWhileBusy(const window::Message& message) {
    if (message.kind == window::MessageKind::KeyDown && message.key == window::vk::kEscape) {
        stopRequested_ = true;
        return false;
    }
    return message.kind == window::MessageKind::Close;
}

void TfrmMain::btnStartClick(TComponent*) {
    // A click queued behind Start reaches here while the run is prepared: it starts nothing.
    if (running_) return;
    const StartInputs inputs{lblImageList->Caption(), fileList_ ? std::size_t(fileList_->Count()) : 0,
                             lblOutputPath->Caption()};
    if (const std::optional<StartRefusal> refusal = CheckStart(inputs)) {
        ShowInformation(RefusalText(*refusal));
        return;
    }
    // Read before pending messages are handled: a close among them releases the file list.
    WeldRequest request = RequestFromWindow();
    // From the plan to the last strip no other weld writes into the folder.
    std::optional<FolderLock> lock = TakeOutputFolder(request.OutputFolder);
    if (!lock) {
        ShowInformation(Format(msg::kFolderBusy, {request.OutputFolder}));
        return;
    }
    std::vector<PlannedStrip> plan = PlanStrips(request);
    if (const std::optional<RequestRefusal> refusal = CheckRequest(request, plan)) {
        ShowInformation(refusal->text);
        return;
    }
    if (const std::vector<const PlannedStrip*> existing = FindExistingStrips(plan); !existing.empty()) {
        // Yes is the default button, No the cancel button that Esc presses.
        if (RunMessageDialog(ReplaceQuestion(request.OutputFolder, existing), mtConfirmation, {mbYes, mbNo},
                             0, -1, -1, "") != mrYes)
            return;
    }
    running_ = true;
    Screen().SetCursor(crHourGlass);
    // After an error in the run the window comes back to idle as well, and a close asked for
    // meanwhile is asked again now.
    const ScopeExit idle([this] {
        running_ = false;
        LeaveBusyMode();
        if (closePending_) {
            closePending_ = false;
            window::TheDesktop().InputClose(Handle());
        }
    });
    stopRequested_ = false;
    const auto busyInput = [this](const window::Message& message) { return TakesWhileBusy(message); };
    Application().ProcessMessagesOnly(busyInput);
    // The report tells what the batch command would have warned of.
    RunWarnings warnings;
    PlanWarnings(request, plan, &warnings);
    WeldRun run(std::move(request), std::move(plan));
    // The run tells only of sources that are not slot-sized squares.
    run.SetSizeNotice([&warnings](const std::string& path, std::int32_t width, std::int32_t height) {
        warnings.otherSizes.push_back(ExtractFileName(path) + " (" + std::to_string(width) + " x " +
                                      std::to_string(height) + ")");
    });
    run.SetShortNotice(
        [&warnings](const std::string& path) { warnings.shortFiles.push_back(ExtractFileName(path)); });
    // Between strips the window paints and hears Esc and a close request; nothing else reaches it.
    run.SetGoOn([this, &busyInput] {
        Application().ProcessMessagesOnly(busyInput);
        return !stopRequested_ && !closePending_;
    });
    ShowBusy(true);
    Application().ProcessMessagesOnly(busyInput);
    Repaint();
    // The run reports after every file; painting only the changes keeps a long run's painting to a
    // hundred frames without changing what the bar shows.
    uint32_t elapsed = 0;
    try {
        elapsed = run.Execute([this](int position) {
            if (position != pbWork->Position()) pbWork->SetPosition(position);
        });
    } catch (const Exception& e) {
        // The error names the file and why, and says what the folder holds now.
        const std::string& path = e.FilePath().empty() ? run.CurrentPath() : e.FilePath();
        const std::string& reason = e.FilePath().empty() ? e.Message() : e.FileReason();
        // Raised again in full for the application's error display.
        throw Exception(RunErrorText(e.Message(), path, reason, run.StripsWritten()));
    }
    // The folder is free for another weld while the report shows.
    lock.reset();
    // A close request ends the run without a report; the window closes once it is idle again.
    if (closePending_) return;
    if (run.Stopped()) {
        ShowInformation("Stopped after " + std::to_string(run.StripsWritten()) + " of " +
                        std::to_string(run.StripCount()) + " strips.");
        return;
    }
    const std::string folder = run.Request().OutputFolder;
    if (RunMessageDialog(CompletionReport(elapsed, warnings), warnings.Empty() ? mtInformation : mtWarning,
                         {mbOK}, "Open &Folder") == mrCustom &&
        !OpenLink(folder))
        ShowInformation(Format(msg::kNoOpener, {folder}));
}

}  // namespace plexon
