// Tests of our own chooser window: a fixture with a folder of a few files and a subfolder, runs of
// the window with actions on it, and clicks, wheel turns and names as the list shows them.
#pragma once

#include <filesystem>
#include <functional>

#include "ChooserTestSupport.h"
#include "forms/ChooserRun.h"
#include "forms/ChooserWindow.h"

namespace plexon::test {

using Paths = std::vector<std::string>;

class ChooserWindow : public ChooserTest {
  protected:
    void SetUp() override {
        ChooserTest::SetUp();
        std::filesystem::create_directory(folder / "sub");
        for (const char* name : {"a.bmp", "B.BMP", "notes.txt", "c.bmp"}) folder.WriteFile(name, "x");
    }
    ChooserRequest Files(Selection selection = Selection::Multiple) const {
        return {.kind = ChooserKind::Files,
                .selection = selection,
                .filters = {{"Bitmap files (*.bmp)", {"*.bmp"}}, {"Text and PNG", {"*.txt", "*.png"}}},
                .initialFolder = folder.Path()};
    }
    // Runs the window through the chooser run, with `act` on the shown window.
    ChooserAnswer Run(const ChooserRequest& request, std::function<void(TChooserForm&)> act,
                      ChooserWindowOptions options = {}) {
        Headless().WhenIdle([act] {
            auto* form = dynamic_cast<TChooserForm*>(Screen().ActiveForm());
            ASSERT_NE(form, nullptr);
            act(*form);
        });
        return RunChooser(request, options);
    }
    // The names listed, folders marked with a trailing "/".
    static Paths Names(TChooserForm& form) {
        Paths names;
        for (const TChooserItem& item : form.List().Items()) names.push_back(item.name + (item.folder ? "/" : ""));
        return names;
    }
    static void ClickItem(TChooserList& list, int index, window::Shift shift = window::Shift::None) {
        window::HWND top = list.ParentForm()->Handle();
        const gdi::POINT p = FormPoint(list, 20, 2 + index * TChooserList::kItemHeight + 5);
        Desk().InputMouseButton(top, p, window::MouseButton::Left, true, 1, shift | window::Shift::Left);
        Desk().InputMouseButton(top, p, window::MouseButton::Left, false, 1, shift);
        Pump();
    }
    // Turns the wheel over the list by notches (positive away from the user).
    static void Wheel(TChooserList& list, int notches) {
        window::HWND top = list.ParentForm()->Handle();
        Desk().InputMouseMove(top, FormPoint(list, 20, 20), window::Shift::None);
        Desk().InputMouseWheel(top, notches, window::Shift::None);
        Pump();
    }
    TempFolder folder;
};

}  // namespace plexon::test
