// The main window and Options as a screen reader reads them: each whole accessible tree against
// the text it should give, and Start's action and the state-count selection acting as clicks do.
#include <cstdlib>
#include <functional>
#include <string>

#include "controls/PxSpeedButton.h"
#include "forms/FormMain.h"
#include "forms/ChooserWindow.h"
#include "forms/FormAbout.h"
#include "forms/FormOptions.h"
#include "forms/MessageDialog.h"
#include "framework/ComboBox.h"
#include "framework/FormTestSupport.h"
#include "support/TempFolder.h"

namespace plexon::test {
namespace {

using window::Accessible;
using window::AccessibleRole;

const char* const kMainTree =
    R"tree(frame "Tesvo Plexon" (0,0 413x353) enabled sensitive showing visible active
  label "Tesvo :: Supporting developers since 2001 :: www.tesvo.example" (36,336 361x17) enabled sensitive showing visible text="Tesvo  ::  Supporting developers since 2001   ::   www.tesvo.example  "
    link "www.tesvo.example" (279,336 99x13) enabled sensitive showing visible action=click hint="https://www.tesvo.example/"
  panel "1. Select the images to join" (8,48 397x77) enabled sensitive showing visible
    label "< Click the Browse button to select image files >" (20,68 377x13) enabled sensitive showing visible text="< Click the Browse button to select image files >"
    label "" (20,96 213x13) enabled sensitive showing visible text=""
    push button "Browse..." (320,88 75x25) enabled sensitive focusable focused showing visible action=click
    push button "Folder..." (240,88 75x25) enabled sensitive focusable showing visible action=click
  panel "2. Image type" (8,132 397x53) enabled sensitive showing visible
    label "What type of image would you like to create?" (20,156 217x13) enabled sensitive showing visible text="What type of image would you like to create?" label-for=combo box
    combo box "What type of image would you like to create?" (248,152 145x21) enabled sensitive focusable showing visible text="3 state images" selected=1
      list item "2 state images" (249,174 143x13) enabled sensitive visible selectable
      list item "3 state images" (249,187 143x13) enabled sensitive visible selectable selected
      list item "4 state images" (249,200 143x13) enabled sensitive visible selectable
  panel "4. Output path" (8,256 397x77) enabled sensitive showing visible
    label "< Click the Browse button to select location for generated images >" (20,276 377x13) enabled sensitive showing visible text="< Click the Browse button to select location for generated images >"
    push button "Browse..." (320,296 75x25) enabled sensitive focusable showing visible action=click
  panel "" (0,0 413x41) enabled sensitive showing visible
    progress bar "" (8,8 397x25) enabled sensitive value=80[0..100]
    push button "Start" (4,4 77x33) enabled sensitive showing visible action=click hint="Join the selected images (Alt+S)"
    push button "Options" (84,4 77x33) enabled sensitive showing visible action=click hint="Change the file suffixes (Alt+O)"
    push button "About" (164,4 77x33) enabled sensitive showing visible action=click hint="About this program (Alt+A)"
    push button "Exit" (244,4 77x33) enabled sensitive showing visible action=click hint="Close the program (Alt+X)"
  panel "3. Select the order of images in the final file" (8,192 397x57) enabled sensitive showing visible
    combo box "Normal" (20,216 85x21) enabled sensitive focusable showing visible text="Normal" selected=0
      list item "Normal" (21,238 83x13) enabled sensitive visible selectable selected
      list item "Hot" (21,251 83x13) enabled sensitive visible selectable
      list item "Disabled" (21,264 83x13) enabled sensitive visible selectable
      list item "Pressed" (21,277 83x13) enabled sensitive visible selectable
    combo box "Hot" (116,216 85x21) enabled sensitive focusable showing visible text="Hot" selected=1
      list item "Normal" (117,238 83x13) enabled sensitive visible selectable
      list item "Hot" (117,251 83x13) enabled sensitive visible selectable selected
      list item "Disabled" (117,264 83x13) enabled sensitive visible selectable
      list item "Pressed" (117,277 83x13) enabled sensitive visible selectable
    combo box "Disabled" (212,216 85x21) enabled sensitive focusable showing visible text="Disabled" selected=2
      list item "Normal" (213,238 83x13) enabled sensitive visible selectable
      list item "Hot" (213,251 83x13) enabled sensitive visible selectable
      list item "Disabled" (213,264 83x13) enabled sensitive visible selectable selected
      list item "Pressed" (213,277 83x13) enabled sensitive visible selectable
    combo box "Pressed" (308,216 85x21) focusable showing visible text="Pressed" selected=3
      list item "Normal" (309,238 83x13) visible selectable
      list item "Hot" (309,251 83x13) visible selectable
      list item "Disabled" (309,264 83x13) visible selectable
      list item "Pressed" (309,277 83x13) visible selectable selected
)tree";

const char* const kOptionsTree =
    R"tree(dialog "Options" (0,0 257x285) enabled sensitive showing visible active
  separator "" (0,235 257x5) enabled sensitive showing visible
  push button "OK" (88,247 75x25) enabled sensitive focusable focused showing visible default action=click
  push button "Cancel" (172,247 75x25) enabled sensitive focusable showing visible action=click
  panel "File suffix information" (8,8 241x109) enabled sensitive showing visible
    label "The file suffix identifies the icon state; hot, disabled or pressed." (124,28 111x39) enabled sensitive showing visible text="The file suffix identifies\nthe icon state; hot, \ndisabled or pressed."
    label "Hot" (24,32 17x13) enabled sensitive showing visible text="Hot" label-for=text
    label "Disabled" (24,60 40x13) enabled sensitive showing visible text="Disabled" label-for=text
    label "Pressed" (24,88 38x13) enabled sensitive showing visible text="Pressed" label-for=text
    text "Hot" (76,28 37x21) enabled sensitive focusable showing visible editable text="_h"
    text "Disabled" (76,56 36x21) enabled sensitive focusable showing visible editable text="_d"
    text "Pressed" (76,84 36x21) enabled sensitive focusable showing visible editable text="_p"
  panel "Strip format" (8,124 241x105) enabled sensitive showing visible
    combo box "BMP (as before)" (24,144 209x21) enabled sensitive focusable showing visible text="BMP (as before)" selected=0
      list item "BMP (as before)" (25,166 207x13) enabled sensitive visible selectable selected
      list item "PNG with transparency" (25,179 207x13) enabled sensitive visible selectable
      list item "BMP with transparency" (25,192 207x13) enabled sensitive visible selectable
    check box "Make missing states from the Normal image" (16,172 225x17) enabled sensitive focusable showing visible action=click
    label "Size for SVG images" (24,204 97x13) enabled sensitive showing visible text="Size for SVG images" label-for=combo box
    combo box "Size for SVG images" (168,200 65x21) enabled sensitive focusable showing visible text="32" selected=3
      list item "16" (169,222 63x13) enabled sensitive visible selectable
      list item "20" (169,235 63x13) enabled sensitive visible selectable
      list item "24" (169,248 63x13) enabled sensitive visible selectable
      list item "32" (169,261 63x13) enabled sensitive visible selectable selected
      list item "48" (169,274 63x13) enabled sensitive visible selectable
      list item "64" (169,287 63x13) enabled sensitive visible selectable
)tree";

class AccessibleWindows : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        ::setenv("PLEXON_CONFIG", (folder.Path() + "config.ini").c_str(), 1);
    }
    void TearDown() override {
        FormTest::TearDown();
        ::unsetenv("PLEXON_CONFIG");
    }
    static std::string Outline(TForm& form) {
        form.Show();
        Pump();
        const Accessible* root = Desk().AccessibleOf(form.Handle());
        return root ? window::AccessibleOutline(*root) : "no accessible root";
    }
    // The first node below root, depth first, with that role and name (any name when empty).
    static Accessible* Find(Accessible& root, AccessibleRole role, const std::string& name = "") {
        if (root.Role() == role && (name.empty() || root.AccessibleName() == name)) return &root;
        for (int i = 0; i < root.AccessibleChildCount(); ++i)
            if (Accessible* found = Find(*root.AccessibleChild(i), role, name)) return found;
        return nullptr;
    }
    TempFolder folder;
};

TEST_F(AccessibleWindows, MainWindowTreeReadsAsItShows) {
    EXPECT_EQ(Outline(*new TfrmMain(&Application())), kMainTree);
}

TEST_F(AccessibleWindows, OptionsTreeNamesFieldsByTheirLabels) {
    EXPECT_EQ(Outline(*new TfrmOptions(&Application())), kOptionsTree);
}

TEST_F(AccessibleWindows, StartsActionAndTheStateSelectionActAsClicks) {
    auto* form = new TfrmMain(&Application());
    form->Show();
    Pump();
    Accessible& root = *Desk().AccessibleOf(form->Handle());
    Accessible* start = Find(root, AccessibleRole::PushButton, "Start");
    ASSERT_NE(start, nullptr);
    // Where Start shows: the window is placed at its bounds, at 1x, without a display.
    const gdi::RECT onScreen = *Desk().ScreenExtents(*start);
    EXPECT_EQ(std::make_pair(onScreen.left, onScreen.top), std::make_pair(form->Left() + 4, form->Top() + 4));

    // Start without images refuses in a message dialog, read as an alert; while it runs, the main
    // window takes no clicks, so neither does Start's node.
    std::string alert;
    bool startRefused = false;
    Headless().WhenIdle([&] {
        for (window::HWND top : Desk().TopLevels())
            if (Accessible* node = Desk().AccessibleOf(top); node && node->Role() == AccessibleRole::Alert)
                alert = node->AccessibleName() + ": " + Find(*node, AccessibleRole::Label)->AccessibleText();
        startRefused = !start->States().Contains(window::AccessibleState::Sensitive) && !start->DoAction(0);
        Key(window::vk::kReturn);
    });
    EXPECT_TRUE(start->DoAction(0));
    Pump();
    EXPECT_EQ(alert, "Information: Please select some images to join.");
    EXPECT_TRUE(startRefused);

    Accessible* states = Find(root, AccessibleRole::ComboBox, "What type of image would you like to create?");
    ASSERT_NE(states, nullptr);
    EXPECT_TRUE(states->SelectChild(2));
    EXPECT_EQ(form->cbImageState->ItemIndex(), 2);
    // The fourth slot opens, as choosing four states with the mouse does.
    EXPECT_TRUE(form->cbImage4->States().Contains(window::AccessibleState::Enabled));
}

TEST_F(AccessibleWindows, OptionsFieldsEditAsTypingDoes) {
    auto* form = new TfrmOptions(&Application());
    form->Show();
    Accessible& hot = *Find(*Desk().AccessibleOf(form->Handle()), AccessibleRole::Text, "Hot");
    struct Case {
        std::function<bool()> edit;
        bool changed;
        const char* shown;
    };
    const Case cases[] = {
        {[&] { return hot.DeleteAccessibleText(1, 2); }, true, "__"},
        {[&] { return hot.InsertAccessibleText(1, "-"); }, false, "__"},  // the mask takes letters and digits
        {[&] { return hot.InsertAccessibleText(0, "x"); }, true, "_x"},   // past the fixed "_"
        {[&] { return hot.SetAccessibleText("_q"); }, true, "_q"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.edit(), c.changed);
        EXPECT_EQ(hot.AccessibleText(), c.shown);
    }
    EXPECT_EQ(form->Letters().SuffixHot, "q");
}

}  // namespace
}  // namespace plexon::test

namespace plexon::test {
namespace {

// Every node of the window reads with a role a reader knows and, where a user acts or reads, a name:
// windows, buttons, boxes, fields, links and items; every button can be clicked through its node.
void ExpectReadable(const Accessible& node, const std::string& where) {
    using window::AccessibleRole;
    const AccessibleRole role = node.Role();
    const bool named = role == AccessibleRole::Frame || role == AccessibleRole::Dialog ||
                       role == AccessibleRole::Alert || role == AccessibleRole::PushButton ||
                       role == AccessibleRole::CheckBox || role == AccessibleRole::ComboBox ||
                       role == AccessibleRole::Text || role == AccessibleRole::Link ||
                       role == AccessibleRole::ListItem;
    if (named) {
        EXPECT_FALSE(node.AccessibleName().empty()) << where << ": " << window::RoleName(role);
    }
    if (role == AccessibleRole::PushButton) {
        EXPECT_EQ(node.ActionName(0), "click") << where;
    }
    for (int i = 0; i < node.AccessibleChildCount(); ++i) ExpectReadable(*node.AccessibleChild(i), where);
}

TEST_F(AccessibleWindows, EveryWindowOfTheProgramReads) {
    ChooserRequest chooser;
    chooser.kind = ChooserKind::Folder;
    chooser.initialFolder = folder.Path();
    const std::pair<const char*, TForm*> forms[] = {
        {"About", new TfrmAbout(&Application())},
        {"message", BuildMessageDialog("Your new images were created.", mtInformation, {mbOK}, "Open &Folder")},
        {"chooser", new TChooserForm(&Application(), chooser)},
    };
    const window::AccessibleRole roles[] = {window::AccessibleRole::Dialog, window::AccessibleRole::Alert,
                                            window::AccessibleRole::Dialog};
    for (std::size_t i = 0; i < std::size(forms); ++i) {
        forms[i].second->Show();
        Pump();
        const Accessible* root = Desk().AccessibleOf(forms[i].second->Handle());
        ASSERT_NE(root, nullptr) << forms[i].first;
        EXPECT_EQ(root->Role(), roles[i]) << forms[i].first;
        ExpectReadable(*root, forms[i].first);
        delete forms[i].second;
    }
}

}  // namespace
}  // namespace plexon::test
