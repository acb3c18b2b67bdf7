// The main window through the headless desktop: its start state, choosing files and the output
// folder with scripted chooser answers, the slot-chooser enabling, Start with its refusals, busy
// mode and completion, the Options and About commands, dropped files and closing with the settings.
#include "forms/FormMain.h"

#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/EllipsisLabel.h"
#include "controls/LevelProgressBar.h"
#include "controls/MarkupLabel.h"
#include "controls/PxGroupBox.h"
#include "controls/PxPanelFill.h"
#include "controls/PxSpeedButton.h"
#include "forms/BrowseDialog.h"
#include "forms/FormAbout.h"
#include "forms/FormOptions.h"
#include "forms/OpenDialog.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/ControlDrawing.h"
#include "framework/FormTestSupport.h"
#include "framework/HintWindow.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "graphics/Bitmap.h"
#include "graphics/PngFormat.h"
#include "graphics/SvgHelpers.h"
#include "platform/shell/OpenLink.h"
#include "runtime/FolderLock.h"
#include "runtime/IniFile.h"
#include "support/BmpFiles.h"
#include "support/GzipFiles.h"
#include "support/TempFolder.h"

namespace plexon::test {
namespace {

// A plain-coloured 24-bit BMP of the given size.
void WriteBmp(const std::string& path, int width, int height, TColor color) {
    TBitmap bitmap;
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.Canvas().FillRect({0, 0, width, height});
    bitmap.SaveFile(path);
}

class MainWindow : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        config = folder / "config.ini";
        ::setenv("PLEXON_CONFIG", config.c_str(), 1);
        script = folder / "chooser-script";
        ::setenv("PLEXON_CHOOSER_SCRIPT", script.c_str(), 1);
        Application().OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
        form = new TfrmMain(&Application());
        form->Show();
        Pump();
    }
    void TearDown() override {
        FormTest::TearDown();
        ::unsetenv("PLEXON_CONFIG");
        ::unsetenv("PLEXON_CHOOSER_SCRIPT");
    }
    // The chooser answers, one line per chooser run: paths separated by tabs, empty for a cancel.
    void Answers(const std::vector<std::string>& lines) {
        std::ofstream out(script, std::ios::app);
        for (const std::string& line : lines) out << line << "\n";
    }
    // Runs `action`, which shows one message dialog, and answers it with Enter; gives its text.
    std::vector<std::string> Messages(const std::function<void()>& action) {
        std::vector<std::string> texts;
        Headless().WhenIdle([&] {
            TForm* box = Screen().ActiveForm();
            ASSERT_NE(box, form);
            if (auto* label = dynamic_cast<TLabel*>(box->FindComponent("Message")))
                texts.push_back(label->Caption());
            if (onMessage) onMessage();
            Key(window::vk::kReturn);
        });
        action();
        Pump();
        EXPECT_EQ(Headless().PendingActions(), 0u);
        return texts;
    }
    std::string Icons(int count) {
        std::string line;
        for (int i = 0; i < count; ++i) {
            const std::string path = folder / ("Icon" + std::to_string(i) + ".bmp");
            WriteBmp(path, 16, 16, clRed);
            line += (i ? "\t" : "") + path;
        }
        return line;
    }

    std::vector<std::string> Selected() const {
        std::vector<std::string> paths;
        for (int i = 0; form->FileList() && i < form->FileList()->Count(); ++i)
            paths.push_back(form->FileList()->Strings(i));
        return paths;
    }

    plexon::test::TempFolder folder;
    std::string config, script;
    std::vector<std::string> errors;
    std::function<void()> onMessage;
    TfrmMain* form = nullptr;
};

TEST_F(MainWindow, StartsWithThreeStatesAndTheFourthSlotDisabled) {
    EXPECT_EQ(form->Caption(), "Tesvo Plexon");
    EXPECT_EQ(form->Width(), 413);
    EXPECT_EQ(form->Height(), 353);
    EXPECT_EQ(form->cbImageState->ItemIndex(), 1);
    EXPECT_EQ(form->cbImageState->Items()[1], "3 state images");
    EXPECT_TRUE(form->cbImage3->Enabled());
    EXPECT_FALSE(form->cbImage4->Enabled());
    const TComboBox* slots[] = {form->cbImage1, form->cbImage2, form->cbImage3, form->cbImage4};
    const char* names[] = {"Normal", "Hot", "Disabled", "Pressed"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(slots[i]->ItemIndex(), i);
        EXPECT_EQ(const_cast<TComboBox*>(slots[i])->Items()[i], names[i]);
    }
    EXPECT_FALSE(form->pbWork->Visible());
    EXPECT_EQ(form->pbWork->Position(), 80);
    EXPECT_FALSE(form->pbWork->CompletionSmooth());
    EXPECT_EQ(form->lblImageList->Caption(), TfrmMain::kImageListPrompt);
    EXPECT_EQ(form->lblOutputPath->Caption(), TfrmMain::kOutputPathPrompt);
    EXPECT_EQ(form->FileList(), nullptr);
    EXPECT_EQ(form->ImageSize(), 0);
    EXPECT_EQ(form->Suffixes(), SuffixSettings{});
}

TEST_F(MainWindow, ControlsSitWhereTheLayoutPutsThemWithTheirTexts) {
    struct Place {
        const TControl* control;
        const TWinControl* parent;
        int left, top, width, height;
        std::string text;
    };
    const Place places[] = {
        {form->MarkupLabel1, form, 36, 336, 361, 17, ""},  // a markup label keeps its caption empty
        {form->PxGroupBox1, form, 8, 48, 397, 77, " 1. Select the images to join "},
        {form->lblImageList, form->PxGroupBox1, 12, 20, 377, 13, TfrmMain::kImageListPrompt},
        {form->lblImageCount, form->PxGroupBox1, 12, 48, 213, 13, ""},
        {form->btnImageBrowse, form->PxGroupBox1, 312, 40, 75, 25, "&Browse..."},
        {form->btnImageFolder, form->PxGroupBox1, 232, 40, 75, 25, "&Folder..."},
        {form->PxGroupBox2, form, 8, 132, 397, 53, " 2. Image type"},
        {form->Label1, form->PxGroupBox2, 12, 24, 217, 13, "What type of image would you like to create?"},
        {form->cbImageState, form->PxGroupBox2, 240, 20, 145, 21, ""},
        {form->PxGroupBox3, form, 8, 256, 397, 77, " 4. Output path "},
        {form->lblOutputPath, form->PxGroupBox3, 12, 20, 377, 13, TfrmMain::kOutputPathPrompt},
        {form->btnOutputBrowse, form->PxGroupBox3, 312, 40, 75, 25, "B&rowse..."},
        {form->PxPanelFill1, form, 0, 0, 413, 41, ""},
        {form->pbWork, form->PxPanelFill1, 8, 8, 397, 25, ""},
        {form->btnStart, form->PxPanelFill1, 4, 4, 77, 33, "&Start"},
        {form->btnOptions, form->PxPanelFill1, 84, 4, 77, 33, "&Options"},
        {form->btnAbout, form->PxPanelFill1, 164, 4, 77, 33, "&About"},
        {form->btnExit, form->PxPanelFill1, 244, 4, 77, 33, "E&xit"},
        {form->PxGroupBox4, form, 8, 192, 397, 57, " 3. Select the order of images in the final file"},
        {form->cbImage1, form->PxGroupBox4, 12, 24, 85, 21, ""},
        {form->cbImage2, form->PxGroupBox4, 108, 24, 85, 21, ""},
        {form->cbImage3, form->PxGroupBox4, 204, 24, 85, 21, ""},
        {form->cbImage4, form->PxGroupBox4, 300, 24, 85, 21, ""},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.control->Name());
        EXPECT_EQ(p.control->Parent(), p.parent);
        EXPECT_EQ((std::array{p.control->Left(), p.control->Top(), p.control->Width(), p.control->Height()}),
                  (std::array{p.left, p.top, p.width, p.height}));
        EXPECT_EQ(p.control->Caption(), p.text);
    }
    EXPECT_EQ(form->BorderStyle(), bsSingle);
    EXPECT_EQ(form->Position(), poScreenCenter);
    EXPECT_EQ(form->Font().Name(), "Tahoma");
    EXPECT_EQ(form->Font().Height(), -11);
    EXPECT_EQ(form->PxPanelFill1->Align(), alTop);
    for (const TLabel* path : {form->lblImageList, form->lblImageCount, form->lblOutputPath})
        EXPECT_EQ(path->Font().Color(), clNavy);
    EXPECT_TRUE(form->MarkupLabel1->Transparent());
    EXPECT_TRUE(form->btnStart->Font().Style().Contains(TFontStyle::Bold));
    EXPECT_FALSE(form->btnOptions->Font().Style().Contains(TFontStyle::Bold));
    EXPECT_EQ(form->cbImageState->Items().Count(), 3);
    EXPECT_EQ(form->cbImageState->Items()[0], "2 state images");
    EXPECT_EQ(form->cbImageState->Items()[2], "4 state images");
    EXPECT_EQ(form->dlgOpen->Filter(),
              "Image files (*.bmp;*.png;*.svg;*.svgz)|*.bmp;*.png;*.svg;*.svgz|Bitmap files (*.bmp)|*.bmp|"
              "PNG images (*.png)|*.png|SVG images (*.svg, *.svgz)|*.svg;*.svgz");
    EXPECT_EQ(form->dlgOpen->Title(), "Select the images to join");
    EXPECT_EQ(form->dlgSourceFolder->Caption(), "Select the images to join");
    EXPECT_EQ(form->dlgBrowse->Caption(), "Select the output folder");
    EXPECT_EQ(form->dlgOpen->Options(), (TOpenOptions{ofHideReadOnly, ofAllowMultiSelect, ofEnableSizing}));
}

TEST_F(MainWindow, TheFooterShowsItsMarkupAndItsLinkOpensTheWebSite) {
    std::vector<std::string> opened;
    SetLinkOpener([&](const std::string& target) {
        opened.push_back(target);
        return true;
    });
    EXPECT_EQ(form->MarkupLabel1->DisplayText(), TfrmMain::kFooterMarkup);
    TMarkupLabel& footer = *form->MarkupLabel1;
    Desk().InputMouseMove(form->Handle(), FormPoint(footer, footer.Width() - 40, 8), window::Shift::None);
    Pump();
    EXPECT_EQ(Desk().CurrentCursor(), window::Cursor::Hand);
    ClickAt(footer, footer.Width() - 40, 8);
    ClickAt(footer, 20, 8);  // "Tesvo" is no link
    Pump();
    SetLinkOpener(nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.tesvo.example/"});
}

// A resting pointer shows a command's hint 20 px below it, as the model of frame, background and
// text ink says; it goes after its time, on leaving the command and on a key, and the footer has none.
TEST_F(MainWindow, CommandHintsShowOnARestingPointerAndGoOnTimeLeaveAndKeys) {
    const auto rest = [&](const TControl& control) {
        Desk().InputMouseMove(form->Handle(), FormPoint(control, 30, 12), window::Shift::None);
        Pump();
        Headless().AdvanceTime(kHintPause - 1);
        Pump();
        EXPECT_EQ(ShownHintWindow(), nullptr);
        Headless().AdvanceTime(1);
        Pump();
        return ShownHintWindow();
    };
    const window::HWND hint = rest(*form->btnStart);
    ASSERT_NE(hint, nullptr);
    TFont tahoma8;
    TBitmap sheet;
    const gdi::SIZE text =
        ControlTextExtent(sheet.Canvas().Handle(), "Join the selected images (Alt+S)", tahoma8);
    const gdi::POINT pointer = form->btnStart->ClientToScreen({30, 12});
    const gdi::RECT at = hint->Bounds();
    EXPECT_EQ((std::array{at.left, at.top, at.right, at.bottom}),
              (std::array{pointer.x, pointer.y + 20, pointer.x + text.cx + 6, pointer.y + text.cy + 24}));
    const window::FrameView frame = Desk().Frame(hint);
    int wrong = 0, ink = 0, inkRight = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t* p = frame.pixels + std::size_t(y) * frame.stride + std::size_t(x) * 4;
            const std::uint32_t pixel = std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
            const bool border = x == 0 || y == 0 || x == frame.width - 1 || y == frame.height - 1;
            const bool inText = x >= 3 && y >= 2 && x < 3 + text.cx && y < 2 + text.cy;
            wrong += pixel != (inText ? pixel : border ? 0u : 0xFFFFE1u);  // the text's box takes any ink
            ink += inText && pixel != 0xFFFFE1;
            if (inText && pixel != 0xFFFFE1) inkRight = std::max(inkRight, x);
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(ink, 150);
    EXPECT_GE(inkRight, text.cx);
    Headless().AdvanceTime(kHintHidePause);
    Pump();
    EXPECT_EQ(ShownHintWindow(), nullptr);
    EXPECT_EQ(rest(*form->btnStart), nullptr);  // gone until the pointer leaves the command
    EXPECT_NE(rest(*form->btnOptions), nullptr);
    Desk().InputMouseMove(form->Handle(), FormPoint(*form->PxPanelFill1, 2, 2), window::Shift::None);
    Pump();
    EXPECT_EQ(ShownHintWindow(), nullptr);
    EXPECT_NE(rest(*form->btnExit), nullptr);
    Key(window::vk::kShift);
    Pump();
    EXPECT_EQ(ShownHintWindow(), nullptr);
    EXPECT_EQ(rest(*form->MarkupLabel1), nullptr);
}

// Where windows cannot be placed a hint is drawn inside the form, where and as its own window shows.
TEST_F(MainWindow, AHintInsideTheFormLooksAsItsWindow) {
    std::vector<std::uint32_t> own;
    for (const bool place : {true, false}) {
        Headless().SetCanPlaceWindows(place);
        Desk().InputMouseMove(form->Handle(), FormPoint(*form->PxPanelFill1, 2, 2), window::Shift::None);
        Desk().InputMouseMove(form->Handle(), FormPoint(*form->btnStart, 30, 12), window::Shift::None);
        Pump();
        Headless().AdvanceTime(kHintPause);
        Pump();
        const window::HWND hint = ShownHintWindow();
        ASSERT_NE(hint, nullptr);
        const gdi::POINT at = FormPoint(*form->btnStart, 30, 32);
        const std::vector<std::uint32_t> drawn =
            place ? FrameArea(hint, {0, 0, hint->Width(), hint->Height()})
                  : FrameArea(form->Handle(), {at.x, at.y, at.x + hint->Width(), at.y + hint->Height()});
        if (place) own = drawn;
        EXPECT_EQ(drawn, own);
    }
}

TEST_F(MainWindow, CommandButtonsNeverTakeTheFocus) {
    form->cbImageState->SetFocus();
    Headless().WhenIdle([&] { Key(window::vk::kReturn); });
    Click(*form->btnAbout);
    Pump();
    EXPECT_TRUE(form->cbImageState->Focused());
    // Windowless: no tab stop and no focus to take.
    for (const TControl* command : {form->btnStart, form->btnOptions, form->btnAbout, form->btnExit})
        EXPECT_EQ(dynamic_cast<const TWinControl*>(command), nullptr);
}

// Alt+letter reaches the commands; their underlines show only while Alt is held, so the idle window
// looks as it always did.
TEST_F(MainWindow, CommandsTakeAltKeysAndShowThemOnlyWhileAltIsHeld) {
    const auto commandBar = [&] {
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 413; ++x) pixels.push_back(FramePixel(*form, x, y));
        return pixels;
    };
    const std::vector<std::uint32_t> idle = commandBar();
    Desk().InputKey(window::vk::kMenu, true, window::Shift::Alt);
    Pump();
    EXPECT_TRUE(form->KeyboardCues());
    EXPECT_NE(commandBar(), idle);
    Desk().InputKey(window::vk::kMenu, false, window::Shift::None);
    Pump();
    EXPECT_EQ(commandBar(), idle);
    bool optionsShown = false;
    Headless().WhenIdle([&] {
        optionsShown = frmOptions != nullptr;
        Key(window::vk::kEscape);
    });
    Key('O', window::Shift::Alt);
    Pump();
    EXPECT_TRUE(optionsShown);
}

TEST_F(MainWindow, TabOrderRunsThroughTheSectionsAndSkipsTheCommandBar) {
    form->cbImageState->SetItemIndex(2);  // all four slots enabled
    form->cbImageStateChange(form->cbImageState);
    std::vector<TWinControl*> order;
    TWinControl* control = form->FindNextControl(nullptr, true, true);
    for (int i = 0; i < 8 && control; ++i) {
        order.push_back(control);
        control = form->FindNextControl(control, true, true);
    }
    EXPECT_EQ(order, (std::vector<TWinControl*>{form->btnImageBrowse, form->btnImageFolder,
                                                form->cbImageState, form->cbImage1, form->cbImage2,
                                                form->cbImage3, form->cbImage4, form->btnOutputBrowse}));
}

TEST_F(MainWindow, TheStateCountEnablesSlotsAndKeepsTheirChoices) {
    form->cbImage3->SetItemIndex(0);
    form->cbImageState->SetItemIndex(0);
    form->cbImageStateChange(form->cbImageState);
    EXPECT_TRUE(form->cbImage2->Enabled());
    EXPECT_FALSE(form->cbImage3->Enabled());
    EXPECT_FALSE(form->cbImage4->Enabled());
    form->cbImageState->SetItemIndex(2);
    form->cbImageStateChange(form->cbImageState);
    EXPECT_TRUE(form->cbImage3->Enabled());
    EXPECT_TRUE(form->cbImage4->Enabled());
    EXPECT_EQ(form->cbImage3->ItemIndex(), 0);
    EXPECT_EQ(form->cbImage4->ItemIndex(), 3);
}

TEST_F(MainWindow, BrowseSelectsFilesInTheChoosersOrderAndMeasuresTheFirst) {
    const std::string b = folder / "b.bmp", a = folder / "a.bmp";
    WriteBmp(b, 47, 33, clBlue);
    WriteBmp(a, 7, 3, clBlue);
    Answers({b + "\t" + a, "", Icons(12)});
    Click(*form->btnImageBrowse);
    Pump();
    ASSERT_NE(form->FileList(), nullptr);
    EXPECT_EQ(form->FileList()->Count(), 2);
    EXPECT_EQ(form->FileList()->Strings(0), b);
    EXPECT_EQ(form->lblImageList->Caption(), folder.Path());
    EXPECT_EQ(form->lblImageCount->Caption(), "2 files selected");
    EXPECT_EQ(form->ImageSize(), 47);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    Click(*form->btnImageBrowse);  // cancelled: nothing changes
    Pump();
    EXPECT_EQ(form->FileList()->Count(), 2);
    Click(*form->btnImageBrowse);
    Pump();
    EXPECT_EQ(form->FileList()->Count(), 12);
    EXPECT_EQ(form->lblImageCount->Caption(), "12 files selected");
    EXPECT_EQ(form->ImageSize(), 16);
}

TEST_F(MainWindow, FolderSelectsItsImagesInNaturalOrderAndRefusesOneWithout) {
    const std::string icons = folder.MakeFolder("Icons"), empty = folder.MakeFolder("Empty");
    for (const char* name : {"Icon10.bmp", "Icon2_h.bmp", "Icon2.bmp"})
        WriteBmp(icons + "/" + name, 16, 16, clRed);
    folder.WriteFile("Icons/notes.txt", "x");
    folder.WriteFile("Empty/notes.txt", "x");
    Answers({icons, empty});
    Click(*form->btnImageFolder);
    Pump();
    const std::vector<std::string> chosen = {icons + "/Icon2.bmp", icons + "/Icon2_h.bmp",
                                             icons + "/Icon10.bmp"};
    ASSERT_NE(form->FileList(), nullptr);
    EXPECT_EQ(Selected(), chosen);
    EXPECT_EQ(form->lblImageList->Caption(), icons + "/");
    EXPECT_EQ(form->lblImageCount->Caption(), "Icons/ (3 images)");
    EXPECT_EQ(form->ImageSize(), 16);
    EXPECT_EQ(Messages([&] { Click(*form->btnImageFolder); }),
              std::vector<std::string>{empty + "/ holds no .bmp, .png or .svg images."});
    EXPECT_EQ(Selected(), chosen);
    EXPECT_EQ(form->lblImageCount->Caption(), "Icons/ (3 images)");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, OneFileIsCountedWithoutASingular) {
    Answers({Icons(1)});
    Click(*form->btnImageBrowse);
    Pump();
    EXPECT_EQ(form->lblImageCount->Caption(), "1 files selected");
}

TEST_F(MainWindow, AFirstFileThatCannotLoadKeepsTheSelectionAndTheOldSize) {
    const std::string good = folder / "good.bmp";
    WriteBmp(good, 9, 9, clRed);
    const std::string bad = folder.WriteFile("bad.bmp", "not a bitmap at all");
    Answers({good, bad});
    Click(*form->btnImageBrowse);
    Pump();
    Click(*form->btnImageBrowse);
    Pump();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Bitmap image is not valid");
    EXPECT_EQ(form->FileList()->Strings(0), bad);
    EXPECT_EQ(form->lblImageCount->Caption(), "1 files selected");
    EXPECT_EQ(form->ImageSize(), 9);
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(MainWindow, DroppedBitmapsAreSelectedLikeBrowsedOnesInDropOrder) {
    const std::string sub = folder.MakeFolder("drop");
    const std::string one = sub + "/one.bmp", two = sub + "/two.BMP", three = folder / "three.bmp";
    WriteBmp(one, 5, 5, clRed);
    WriteBmp(two, 6, 6, clRed);
    WriteBmp(three, 7, 3, clRed);
    const std::string leftOut = "These files are not BMP, PNG or SVG images and were left out: notes.txt.";
    EXPECT_EQ(Messages([&] {
                  Desk().InputDrop(form->Handle(), {folder.WriteFile("notes.txt", "x"), two, one, three});
              }),
              std::vector<std::string>{leftOut});
    ASSERT_NE(form->FileList(), nullptr);
    ASSERT_EQ(form->FileList()->Count(), 3);
    EXPECT_EQ(form->FileList()->Strings(0), two);
    EXPECT_EQ(form->FileList()->Strings(1), one);
    EXPECT_EQ(form->FileList()->Strings(2), three);
    EXPECT_EQ(form->lblImageList->Caption(), sub + "/");
    EXPECT_EQ(form->lblImageCount->Caption(), "3 files selected");
    EXPECT_EQ(form->ImageSize(), 6);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    // A second drop replaces the selection, as a second Browse does.
    Desk().InputDrop(form->Handle(), {three});
    Pump();
    ASSERT_EQ(form->FileList()->Count(), 1);
    EXPECT_EQ(form->lblImageList->Caption(), folder.Path());
    EXPECT_EQ(form->lblImageCount->Caption(), "1 files selected");
    EXPECT_EQ(form->ImageSize(), 7);
    // Nothing to select: nothing changes, and the user hears why.
    EXPECT_EQ(Messages([&] { Desk().InputDrop(form->Handle(), {folder / "notes.txt"}); }),
              std::vector<std::string>{leftOut});
    EXPECT_EQ(form->FileList()->Count(), 1);
    EXPECT_EQ(form->ImageSize(), 7);
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, ADroppedBitmapThatCannotLoadIsShownAndTheSelectionStands) {
    const std::string bad = folder.WriteFile("bad.bmp", "not a bitmap at all");
    Desk().InputDrop(form->Handle(), {bad});
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{"Bitmap image is not valid"});
    ASSERT_NE(form->FileList(), nullptr);
    EXPECT_EQ(form->FileList()->Strings(0), bad);
    EXPECT_EQ(form->ImageSize(), 0);
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST_F(MainWindow, NoDropIsTakenWhileADialogShows) {
    const std::string one = folder / "one.bmp";
    WriteBmp(one, 5, 5, clRed);
    Headless().WhenIdle([&] {
        Desk().InputDrop(form->Handle(), {one});
        Key(window::vk::kReturn);
    });
    Click(*form->btnAbout);
    Pump();
    EXPECT_EQ(form->FileList(), nullptr);
}

TEST_F(MainWindow, OutputFolderGetsATrailingSlashAndACancelKeepsThePrompt) {
    Answers({"", folder.PathWithoutDelimiter(), "/"});
    Click(*form->btnOutputBrowse);
    Pump();
    EXPECT_EQ(form->lblOutputPath->Caption(), TfrmMain::kOutputPathPrompt);
    Click(*form->btnOutputBrowse);
    Pump();
    EXPECT_EQ(form->lblOutputPath->Caption(), folder.Path());
    Click(*form->btnOutputBrowse);
    Pump();
    EXPECT_EQ(form->lblOutputPath->Caption(), "/");
}

TEST_F(MainWindow, StartRefusesMissingInputsAndTheSourceFolder) {
    const std::string out = folder.MakeFolder("out");
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }),
              std::vector<std::string>{"Please select some images to join."});
    Answers({Icons(2), folder.PathWithoutDelimiter(), folder.Path() + "sub/..", out});
    folder.MakeFolder("sub");
    Click(*form->btnImageBrowse);
    Pump();
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }),
              std::vector<std::string>{"Please select a folder to save the images to to join."});
    const char* same = "You cannot create the images in the same folder as the source images.";
    Click(*form->btnOutputBrowse);
    Pump();
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }), std::vector<std::string>{same});
    Click(*form->btnOutputBrowse);  // the same folder spelt another way
    Pump();
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }), std::vector<std::string>{same});
    EXPECT_FALSE(std::filesystem::exists(folder / "Icon0.bmp.bmp"));
    EXPECT_TRUE(form->btnStart->Visible());
}

TEST_F(MainWindow, StartWeldsShowsBusyModeAndComesBackIdle) {
    const std::string out = folder.MakeFolder("out");
    const std::string src = folder.MakeFolder("src");
    std::string line;
    for (const char* name :
         {"Open.bmp", "Open_h.bmp", "Open_d.bmp", "Save.bmp", "Save_h.bmp", "Save_d.bmp"}) {
        WriteBmp(src + "/" + name, 16, 16, name[4] == '_' && name[5] == 'h' ? clLime : clRed);
        line += (line.empty() ? "" : "\t") + src + "/" + name;
    }
    Answers({line, out});
    Click(*form->btnImageBrowse);
    Pump();
    Click(*form->btnOutputBrowse);
    Pump();
    bool busy = false, barShown = false, browseDisabled = false;
    TCursor cursor = crDefault;
    std::uint32_t barBorder = 0;
    onMessage = [&] {
        busy = !form->btnStart->Visible() && !form->btnExit->Visible();
        barShown = form->pbWork->Visible();
        browseDisabled = !form->btnImageBrowse->Enabled() && !form->cbImage1->Enabled();
        cursor = Screen().Cursor();
        barBorder = FramePixel(*form, 8, 8);
    };
    const std::vector<std::string> texts = Messages([&] { Click(*form->btnStart); });
    // The seconds depend on the machine's load; the wording is checked where the time is given.
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("Your new images were created in ")) << texts[0];
    EXPECT_TRUE(busy);
    EXPECT_TRUE(barShown);
    EXPECT_TRUE(browseDisabled);
    EXPECT_EQ(cursor, crHourGlass);
    EXPECT_EQ(barBorder, 0x000000u);
    // Idle again: the slots as three states ask.
    EXPECT_TRUE(form->btnStart->Visible());
    EXPECT_FALSE(form->pbWork->Visible());
    EXPECT_TRUE(form->cbImage3->Enabled());
    EXPECT_FALSE(form->cbImage4->Enabled());
    EXPECT_EQ(Screen().Cursor(), crDefault);
    TBitmap strip;
    strip.LoadFile(out + "/Open.bmp");
    EXPECT_EQ(strip.Width(), 48);
    EXPECT_EQ(strip.Height(), 16);
    EXPECT_EQ(strip.Canvas().Pixels(0, 0), ResolveColor(clRed));
    EXPECT_EQ(strip.Canvas().Pixels(16, 0), ResolveColor(clLime));
    EXPECT_TRUE(std::filesystem::exists(out + "/Save.bmp"));
}

TEST_F(MainWindow, WithOneFileTheBarStaysAtZero) {
    const std::string out = folder.MakeFolder("out");
    Answers({Icons(1), out});
    Click(*form->btnImageBrowse);
    Pump();
    Click(*form->btnOutputBrowse);
    Pump();
    int position = -1;
    bool shown = false;
    onMessage = [&] {
        position = form->pbWork->Position();
        shown = form->pbWork->Visible();
    };
    Messages([&] { Click(*form->btnStart); });
    EXPECT_TRUE(shown);
    EXPECT_EQ(position, 0);
    EXPECT_TRUE(std::filesystem::exists(out + "/Icon0.bmp"));
}

// Input queued behind Start, while the window is busy: a second click starts no second run, Esc
// stops the run, and a close ends it and the window (the selection is never used after it was
// released).
TEST_F(MainWindow, InputQueuedBehindStartRunsOnceStopsOrCloses) {
    const std::string out = folder.MakeFolder("out");
    Answers({Icons(2), out});
    Click(*form->btnImageBrowse);
    Pump();
    Click(*form->btnOutputBrowse);
    Pump();
    // Each icon is a Normal image alone: the report says the other states are missing, as a warning.
    const std::string done =
        "Your new images were created in 1 second.\n2 icons have missing states: Icon0 (Hot and Disabled), "
        "Icon1 (Hot and Disabled)";
    EXPECT_EQ(Messages([&] {
                  Click(*form->btnStart);
                  Headless().AdvanceTime(1000);  // a second click, not a double click
                  Click(*form->btnStart);
              }),
              std::vector<std::string>{done});
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_TRUE(form->Visible());
    // Esc stops the run before its next strip, here the first.
    std::filesystem::remove(out + "/Icon0.bmp");
    std::filesystem::remove(out + "/Icon1.bmp");  // else Start asks before replacing it
    EXPECT_EQ(Messages([&] {
                  Click(*form->btnStart);
                  Key(window::vk::kEscape);
              }),
              std::vector<std::string>{"Stopped after 0 of 2 strips."});
    // A close request stops it too, without a report, and the window closes.
    Click(*form->btnStart);
    Desk().InputClose(form->Handle());
    Pump();
    EXPECT_FALSE(std::filesystem::exists(out + "/Icon0.bmp"));
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->FileList(), nullptr);
}

// A selection from two folders (a drop) may hold a file of the output folder: the strip that would
// replace it is refused before anything is written, with the batch command's text; so is an empty
// first file, which would give empty strips.
TEST_F(MainWindow, StartRefusesAStripOnASourceAndAnEmptyFirstFile) {
    const std::string src = folder.MakeFolder("src"), out = folder.MakeFolder("out");
    WriteBmp(src + "/A.bmp", 16, 16, clRed);
    WriteBmp(out + "/B.bmp", 16, 16, clLime);
    form->FilesDropped({src + "/A.bmp", out + "/B.bmp"});
    Answers({out});
    Click(*form->btnOutputBrowse);
    Pump();
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }),
              std::vector<std::string>{"The strip " + out + "/B.bmp would overwrite the source file " + out +
                                       "/B.bmp."});
    EXPECT_FALSE(std::filesystem::exists(out + "/A.bmp"));
    TBitmap kept;
    kept.LoadFile(out + "/B.bmp");
    EXPECT_EQ(kept.Width(), 16);
    EXPECT_EQ(kept.Canvas().Pixels(0, 0), ResolveColor(clLime));
    const std::string empty = folder.WriteFile("src/Empty.bmp", "");
    form->FilesDropped({empty, src + "/A.bmp"});
    EXPECT_EQ(
        Messages([&] { Click(*form->btnStart); }),
        std::vector<std::string>{"The first image " + empty +
                                 " has no pixels; it sets the slot size, so every strip would be empty."});
    EXPECT_FALSE(std::filesystem::exists(out + "/Empty.bmp"));
    EXPECT_FALSE(std::filesystem::exists(out + "/A.bmp"));
}

TEST_F(MainWindow, AnErrorInTheRunLeavesBusyModeToo) {
    const std::string out = folder.MakeFolder("out");
    const std::string good = folder / "A.bmp";
    WriteBmp(good, 8, 8, clRed);
    const std::string bad = folder.WriteFile("B.bmp", "garbage");
    Answers({good + "\t" + bad, out});
    Click(*form->btnImageBrowse);
    Pump();
    Click(*form->btnOutputBrowse);
    Pump();
    Click(*form->btnStart);
    Pump();
    // Shown by the error display: what went wrong, with which file, and what was written before.
    EXPECT_EQ(errors,
              std::vector<std::string>{"Stream read error.\n" + bad +
                                       ": not a BMP or PNG image\n1 strip was written before the error."});
    EXPECT_TRUE(form->btnStart->Visible());
    EXPECT_FALSE(form->pbWork->Visible());
    EXPECT_TRUE(form->btnImageBrowse->Enabled());
    EXPECT_EQ(Screen().Cursor(), crDefault);
}

// Strips that exist are replaced only when the user says so; Esc answers No and nothing is written.
// A folder another weld is writing into is refused.
TEST_F(MainWindow, StartAsksBeforeReplacingAndKeepsOutOfABusyFolder) {
    const std::string src = folder.MakeFolder("src"), out = folder.MakeFolder("out");
    std::vector<std::string> sources;
    for (char icon = 'A'; icon <= 'G'; ++icon) {
        sources.push_back(src + "/" + icon + ".bmp");
        WriteBmp(sources.back(), 8, 8, clRed);
        if (icon != 'D') WriteBmp(out + "/" + icon + ".bmp", 4, 4, clLime);
    }
    form->FilesDropped(sources);
    Answers({out});
    Click(*form->btnOutputBrowse);
    Pump();
    const std::vector<std::uint8_t> before = test::ReadBytes(out + "/A.bmp");
    std::vector<std::string> texts;
    const auto answer = [&](int key) {
        Headless().WhenIdle([&, key] {
            texts.push_back(
                dynamic_cast<TLabel*>(Screen().ActiveForm()->FindComponent("Message"))->Caption());
            Key(key);
        });
    };
    answer(window::vk::kEscape);
    Click(*form->btnStart);
    Pump();
    EXPECT_EQ(texts,
              std::vector<std::string>{"6 strips already exist in " + out +
                                       "/ and will be replaced: A.bmp, B.bmp, C.bmp, E.bmp, F.bmp and 1 "
                                       "more. Replace them?"});
    EXPECT_EQ(test::ReadBytes(out + "/A.bmp"), before);
    EXPECT_FALSE(std::filesystem::exists(out + "/D.bmp"));

    texts.clear();
    answer(window::vk::kReturn);  // Yes, the default button
    answer(window::vk::kReturn);  // the completion text
    Click(*form->btnStart);
    Pump();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].starts_with("Your new images were created in ")) << texts[1];
    EXPECT_EQ(test::ReadBmp(out + "/A.bmp")->width, 24);
    EXPECT_TRUE(std::filesystem::exists(out + "/D.bmp"));

    const std::optional<FolderLock> other = FolderLock::TryTake(out);
    ASSERT_TRUE(other);
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }),
              std::vector<std::string>{"Another weld is writing into " + out + "/."});
}

// A chooser's listing interleaves icons whose names begin alike: each icon still gets its own files,
// and the report warns of the state one lacks.
TEST_F(MainWindow, InterleavedIconsWeldRightAndTheReportWarnsOfMissingStates) {
    const std::string src = folder.MakeFolder("src"), out = folder.MakeFolder("out");
    const std::pair<const char*, TColor> files[] = {{"Arrow.bmp", clRed},
                                                    {"Arrow10.bmp", clLime},
                                                    {"Arrow10_h.bmp", clBlue},
                                                    {"Arrow2.bmp", clNavy},
                                                    {"Arrow_h.bmp", clYellow}};
    std::vector<std::string> paths;
    for (const auto& [name, color] : files) {
        paths.push_back(src + "/" + name);
        WriteBmp(paths.back(), 4, 4, color);
    }
    form->FilesDropped(paths);
    form->cbImageState->SetItemIndex(0);  // 2 states: Normal, Hot
    Answers({out});
    Click(*form->btnOutputBrowse);
    Pump();
    std::string caption;
    std::vector<std::string> opened;
    SetLinkOpener([&](const std::string& target) {
        opened.push_back(target);
        return true;
    });
    // The report's own button opens the output folder.
    onMessage = [&] {
        caption = Screen().ActiveForm()->Caption();
        Click(*dynamic_cast<TButton*>(Screen().ActiveForm()->FindComponent("Custom")));
    };
    EXPECT_EQ(Messages([&] { Click(*form->btnStart); }),
              std::vector<std::string>{
                  "Your new images were created in 1 second.\n1 icon has missing states: Arrow2 (Hot)"});
    SetLinkOpener(nullptr);
    EXPECT_EQ(caption, "Warning");
    EXPECT_EQ(opened, std::vector<std::string>{out + "/"});
    const std::pair<const char*, std::array<TColor, 2>> strips[] = {
        {"Arrow", {clRed, clYellow}}, {"Arrow10", {clLime, clBlue}}, {"Arrow2", {clNavy, clWhite}}};
    for (const auto& [name, colors] : strips) {
        TBitmap strip;
        strip.LoadFile(out + "/" + name + ".bmp");
        for (int slot = 0; slot < 2; ++slot)
            EXPECT_EQ(strip.Canvas().Pixels(slot * 4 + 3, 3), ResolveColor(colors[std::size_t(slot)]))
                << name;
    }
}

// The last session's choices come back at start (a folder gone since is forgotten): Start works at
// once with the remembered output folder, a drop takes PNG files, the strips take the remembered
// format, the choosers open in the remembered folders, and a close keeps the choices.
TEST_F(MainWindow, ComesBackWithItsChoicesAndWeldsPngSourcesInTheChosenFormat) {
    using enum ImageState;
    const std::string src = folder.MakeFolder("src"), out = folder.MakeFolder("out");
    const auto restart = [&] {
        delete form;
        form = new TfrmMain(&Application());
        form->Show();
        Pump();
    };
    std::ofstream(config) << "[Window]\nSourceFolder=" << src << "\nOutputFolder=" << out
                          << "\n[Weld]\nStateCount=2\nOrder=hot,Normal,Pressed,Disabled\nStripFormat=png\n";
    restart();
    EXPECT_EQ(form->cbImageState->ItemIndex(), 0);
    EXPECT_EQ((std::array{form->cbImage1->ItemIndex(), form->cbImage2->ItemIndex(),
                          form->cbImage3->ItemIndex(), form->cbImage4->ItemIndex()}),
              (std::array{1, 0, 3, 2}));
    EXPECT_EQ(form->lblOutputPath->Caption(), out + "/");
    EXPECT_EQ(form->dlgBrowse->SelectedFolder(), out);
    Answers({""});
    Click(*form->btnImageBrowse);
    Pump();
    EXPECT_EQ(form->dlgOpen->InitialDir(), src + "/");

    const RgbaImage normal(4, 4, {200, 0, 0, 128});
    WriteFileBytes(src + "/Go.png", EncodePng(normal));
    WriteBmp(src + "/Go_h.BMP", 4, 4, clLime);
    form->FilesDropped({src + "/Go.png", src + "/Go_h.BMP"});
    ASSERT_EQ(form->FileList()->Count(), 2);
    Messages([&] { Click(*form->btnStart); });
    RgbaImage model(8, 4, {0, 255, 0, 255});
    model.CopyFrom(normal, 4, 0);
    EXPECT_EQ(DecodePng(ReadFileBytes(out + "/Go.png")).Bytes(), model.Bytes());

    Desk().InputClose(form->Handle());
    Pump();
    EXPECT_EQ(ReadSettings(config).choices,
              (WindowChoices{src + "/", out + "/", 2, {Hot, Normal, Pressed, Disabled}, StripFormat::Png}));
    std::filesystem::remove_all(src);
    std::filesystem::remove_all(out);
    restart();
    EXPECT_EQ(form->lblOutputPath->Caption(), TfrmMain::kOutputPathPrompt);
    Answers({""});
    Click(*form->btnImageBrowse);
    Pump();
    EXPECT_EQ(form->dlgOpen->InitialDir(), "");
    EXPECT_EQ(errors, std::vector<std::string>{});
}

// SVG sources (.svgz too) weld from the window as the batch welds them; an SVG without a size of its
// own takes the size Options keeps, which the batch is given as --size.
TEST_F(MainWindow, SvgSourcesWeldAsTheBatchWeldsThem) {
    SetSvgHelperProgram(PLEXON_BINARY);  // this test program is no helper
    const std::string src = folder.MakeFolder("svg"), out = folder.MakeFolder("out");
    folder.WriteFile("svg/Go.svg",
                     R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 8 8">)"
                     R"(<circle cx="4" cy="4" r="3" fill="#c04000" fill-opacity="0.7"/></svg>)");
    // Compressed, as .svgz files are.
    WriteFileBytes(src + "/Go_h.svgz",
                   test::Gzip(R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">)"
                              R"(<rect x="2" y="3" width="12" height="9" fill="#2060c0"/></svg>)"));
    std::ofstream(config) << "[Window]\nOutputFolder=" << out << "\n[Weld]\nStateCount=2\nSvgSize=24\n";
    delete form;
    form = new TfrmMain(&Application());
    form->Show();
    Pump();
    EXPECT_EQ(form->SvgSizeChoice(), 24);
    Desk().InputDrop(form->Handle(), {src});
    Pump();
    EXPECT_EQ(form->lblImageCount->Caption(), "svg/ (2 images)");
    EXPECT_EQ(form->ImageSize(), 24);
    Messages([&] { Click(*form->btnStart); });
    const std::string batch = std::string(PLEXON_BINARY) + " weld -q --config " + folder / "none.ini" +
                              " -n 2 --size 24 -o " + folder / "batch" + " " + src;
    ASSERT_EQ(std::system(batch.c_str()), 0) << batch;
    EXPECT_EQ(ReadFileBytes(out + "/Go.bmp"), ReadFileBytes(folder / "batch/24x24/Go.bmp"));
    EXPECT_EQ(errors, std::vector<std::string>{});
}

class OptionsCommand : public MainWindow {
  protected:
    // Runs the Options command with `inside` scripted while the dialog shows; `inside` ends with the
    // input that closes it, left for the dialog's own loop to handle.
    void RunOptions(const std::function<void()>& inside) {
        Headless().WhenIdle([&] {
            ASSERT_NE(frmOptions, nullptr);
            inside();
        });
        Click(*form->btnOptions);
        Pump();
        EXPECT_EQ(frmOptions, nullptr);
    }
};

TEST_F(OptionsCommand, OkTakesTheTypedLetterAndItIsSavedOnClose) {
    std::string shown;
    RunOptions([&] {
        shown = frmOptions->txtSuffixHot->DisplayText() + frmOptions->txtSuffixDisabled->DisplayText() +
                frmOptions->txtSuffixPressed->DisplayText();
        frmOptions->txtSuffixHot->SetFocus();
        frmOptions->txtSuffixHot->SetSel(1, 1);
        Type("X");
        Pump();
        frmOptions->cbStripFormat->SetFocus();
        Key(window::vk::kEnd);
        Pump();
        frmOptions->chkDeriveMissing->SetFocus();
        Key(window::vk::kSpace);
        Pump();
        frmOptions->cbSvgSize->SetFocus();
        Key(window::vk::kEnd);
        Pump();
        Click(*frmOptions->btnOK);
    });
    EXPECT_EQ(form->SvgSizeChoice(), 64);
    EXPECT_EQ(shown, "_h_d_p");
    EXPECT_EQ(form->StripFormatChoice(), StripFormat::BmpAlpha);
    EXPECT_TRUE(form->DeriveMissingChoice());
    EXPECT_EQ(form->Suffixes().SuffixHot, "X");
    Click(*form->btnExit);
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_EQ(ReadSettings(config).suffixes.SuffixHot, "X");
    EXPECT_EQ(ReadSettings(config).choices.format, StripFormat::BmpAlpha);
    EXPECT_TRUE(ReadSettings(config).choices.deriveMissing);
    EXPECT_EQ(ReadSettings(config).choices.svgSize, 64);
}

TEST_F(OptionsCommand, CancelAndTheCloseBoxKeepTheLetters) {
    RunOptions([&] {
        frmOptions->txtSuffixHot->SetFocus();
        frmOptions->txtSuffixHot->SetSel(1, 1);
        Type("Q");
        Pump();
        Click(*frmOptions->btnCancel);
    });
    RunOptions([&] {
        frmOptions->txtSuffixDisabled->SetFocus();
        frmOptions->txtSuffixDisabled->SetSel(1, 1);
        Type("Q");
        Pump();
        Desk().InputClose(frmOptions->Handle());
    });
    EXPECT_EQ(form->Suffixes(), SuffixSettings{});
    EXPECT_EQ(errors, std::vector<std::string>{});
}

TEST_F(OptionsCommand, LongAndEmptySettingsShowTheirFirstLetterOrNothing) {
    form->Suffixes().SuffixHot = "hh";
    form->Suffixes().SuffixPressed = "";
    form->Suffixes().SuffixDisabled = "\xD0\x96\xD0\x96";  // two Cyrillic letters: the first is one letter
    std::string hot, disabled, pressed, refusal;
    const SuffixSettings before = form->Suffixes();
    RunOptions([&] {
        hot = frmOptions->txtSuffixHot->DisplayText();
        disabled = frmOptions->txtSuffixDisabled->DisplayText();
        pressed = frmOptions->txtSuffixPressed->DisplayText();
        // Enter checks every field, changed or not: the empty Pressed field is refused and the dialog
        // stays until Esc cancels it.
        Headless().WhenIdle([&] {
            refusal = dynamic_cast<TLabel*>(Screen().ActiveForm()->FindComponent("Message"))->Caption();
            Key(window::vk::kReturn);
        });
        Headless().WhenIdle([] { Key(window::vk::kEscape); });
        Key(window::vk::kReturn);
    });
    EXPECT_EQ(hot, "_h");
    EXPECT_EQ(disabled, "_\xD0\x96");
    EXPECT_EQ(pressed, "__");
    EXPECT_EQ(refusal, "The Hot, Disabled and Pressed letters must be three different letters or digits.");
    EXPECT_EQ(form->Suffixes(), before);
}

TEST_F(MainWindow, AboutShowsModallyAndIsFreedAfterwards) {
    bool shown = false;
    Headless().WhenIdle([&] {
        shown = frmAbout != nullptr && Screen().ActiveForm() == frmAbout;
        Key(window::vk::kReturn);
    });
    Click(*form->btnAbout);
    Pump();
    EXPECT_TRUE(shown);
    EXPECT_EQ(frmAbout, nullptr);
}

// Nothing is lost without a message: a failed save names the file and why and keeps the window; every
// later close tries again and asks before it closes without saving.
TEST_F(MainWindow, AFailedSaveKeepsTheWindowUntilTheUserClosesWithoutSaving) {
    // A settings file below an ordinary file can never be written.
    const std::string blocker = folder.WriteFile("blocker", "x");
    const std::string unwritable = blocker + "/config.ini";
    ::setenv("PLEXON_CONFIG", unwritable.c_str(), 1);
    Desk().InputClose(form->Handle());
    Pump();
    ASSERT_EQ(errors.size(), 1u);
    const std::string failure = "Unable to write to " + unwritable + ": Not a directory";
    EXPECT_EQ(errors[0], failure);
    EXPECT_TRUE(form->Visible());
    onMessage = [] { Key(window::vk::kRight); };  // to No
    EXPECT_EQ(Messages([&] { Desk().InputClose(form->Handle()); }),
              std::vector<std::string>{failure + ". Close without saving your choices?"});
    EXPECT_TRUE(form->Visible());
    onMessage = nullptr;
    EXPECT_EQ(Messages([&] { Desk().InputClose(form->Handle()); }).size(), 1u);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(form->Visible());
}

TEST_F(MainWindow, LettersItWouldNotChooseAreNamedOnceAtStart) {
    std::ofstream(config) << "[FileSuffix]\nHotFile=hh\nPressedFile=d\n";
    delete form;
    form = nullptr;
    EXPECT_EQ(Messages([&] { form = new TfrmMain(&Application()); }),
              std::vector<std::string>{config + ": HotFile=hh is not one letter or digit; no file will count as Hot.\n" +
                                       config + ": PressedFile=d is DisabledFile's letter too; such files count as Disabled."});
    EXPECT_EQ(form->Suffixes().SuffixHot, "hh");
}

TEST_F(MainWindow, ASettingsFileThatCannotBeReadIsNamedAtStartAndNeverWritten) {
    const std::string fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::setenv("PLEXON_CONFIG", fifo.c_str(), 1);
    delete form;
    form = nullptr;
    EXPECT_EQ(
        Messages([&] { form = new TfrmMain(&Application()); }),
        std::vector<std::string>{"The settings file " + fifo +
                                 " cannot be read (cannot open: not a regular file). The default suffix "
                                 "letters and choices are used, and changes will not be saved."});
    form->Show();
    Pump();
    form->Suffixes().SuffixHot = "Q";
    Desk().InputClose(form->Handle());
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(MainWindow, TheCloseBoxSavesTheLettersAndReleasesTheSelection) {
    Answers({Icons(2)});
    Click(*form->btnImageBrowse);
    Pump();
    ASSERT_NE(form->FileList(), nullptr);
    form->Suffixes().SuffixDisabled = "7";
    Desk().InputClose(form->Handle());
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->FileList(), nullptr);
    EXPECT_EQ(ReadSettings(config).suffixes.SuffixDisabled, "7");
}

}  // namespace
}  // namespace plexon::test
