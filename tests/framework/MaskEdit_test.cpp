// The masked edit with the suffix mask "_A;1;_": laying texts over the mask, typing rules, Backspace
// and Delete, Esc undoing changes, and the check on leaving with its error and the focus kept.
#include "FormTestSupport.h"

#include "framework/Button.h"
#include "framework/EditMask.h"
#include "framework/FrameworkErrors.h"
#include "framework/MaskEdit.h"
#include "graphics/GdiSupport.h"
#include "framework/ControlDrawing.h"

namespace plexon::test {
namespace {

TEST(EditMask, LaysTextsOverTheMask) {
    TEditMask mask("_A;1;_");
    mask.SetText("_h");
    EXPECT_EQ(mask.Display(), "_h");
    EXPECT_EQ(mask.Text(), "_h");
    mask.SetText("_hh");
    EXPECT_EQ(mask.Display(), "_h");
    mask.SetText("_");
    EXPECT_EQ(mask.Display(), "__");
    EXPECT_EQ(mask.Text(), "_ ");
    mask.SetText("");
    EXPECT_EQ(mask.Display(), "__");
    mask.SetText("_-");
    EXPECT_EQ(mask.Display(), "__");
    EXPECT_FALSE(mask.Complete());
}

TEST(EditMask, PositionsAcceptTheirKindsOfCharacter) {
    TEditMask mask("L-0-A-C-\\L;0;*");
    EXPECT_EQ(mask.Display(), "*-*-*-*-L");
    EXPECT_TRUE(mask.Accepts(0, 'q'));
    EXPECT_FALSE(mask.Accepts(0, '7'));
    EXPECT_TRUE(mask.Accepts(2, '7'));
    EXPECT_FALSE(mask.Accepts(2, 'x'));
    EXPECT_TRUE(mask.Accepts(4, U'\u00E9'));   // e acute
    EXPECT_FALSE(mask.Accepts(4, U'\u00D7'));  // the multiplication sign is no letter
    EXPECT_TRUE(mask.Accepts(6, '-'));
    EXPECT_TRUE(mask.IsFixed(8));
    mask.SetText("q7x!");
    EXPECT_EQ(mask.Text(), "q7x!");  // without saved literals only the entered characters
    EXPECT_TRUE(mask.Complete());
}

TEST(EditMask, OptionalPositionsMayStayEmpty) {
    TEditMask mask("a9;1; ");
    EXPECT_TRUE(mask.Complete());
    EXPECT_EQ(mask.NextEditable(0), 0);
    EXPECT_EQ(mask.PreviousEditable(-1), -1);
}

class MaskEdits : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 257, 168);
        hot = new TMaskEdit(form);
        hot->SetEditMask("_A;1;_");
        hot->SetMaxLength(2);
        hot->SetBounds(68, 20, 37, 21);
        hot->SetParent(form);
        ok = new TButton(form);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetParent(form);
        ok->SetTabOrder(0);
        cancel = new TButton(form);
        cancel->SetCaption("Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetBounds(172, 135, 75, 25);
        cancel->SetParent(form);
        hot->SetMaskedText("_h");
        Application().OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    TForm* form = nullptr;
    TMaskEdit* hot = nullptr;
    TButton* ok = nullptr;
    TButton* cancel = nullptr;
    std::vector<std::string> errors;
};

TEST_F(MaskEdits, TypingReplacesTheLetterAndKeepsItsCase) {
    form->Show();
    hot->SetFocus();
    Type("X");
    Pump();
    EXPECT_EQ(hot->MaskedText(), "_X");
    Key(window::vk::kHome);
    Type("7");
    Pump();
    EXPECT_EQ(hot->MaskedText(), "_7");
    EXPECT_EQ(Headless().Beeps(), 0);
}

// The field edits characters: a letter of any script fills the one position, whatever its bytes,
// and Backspace takes it away whole.
TEST_F(MaskEdits, LettersOfEveryScriptFillOnePosition) {
    form->Show();
    hot->SetFocus();
    for (const char* letter : {"\xC3\x9F", "\xD0\x96", "\xCE\xBB", "\xE3\x82\xA2", "\xE6\xBC\xA2"}) {
        Key(window::vk::kHome);
        Type(letter);
        Pump();
        EXPECT_EQ(hot->MaskedText(), std::string("_") + letter);
        EXPECT_EQ(hot->SelStart(), 2);
    }
    Key(window::vk::kBack);
    Pump();
    EXPECT_EQ(hot->DisplayText(), "__");
    Type("\xE2\x80\xA6");  // an ellipsis is no letter
    Pump();
    EXPECT_EQ(hot->DisplayText(), "__");
    EXPECT_EQ(Headless().Beeps(), 1);
    // Laid over the mask, a letter of several bytes fills the position and a bad byte leaves it empty.
    hot->SetMaskedText("_\xD0\x96\xD0\x96");
    EXPECT_EQ(hot->MaskedText(), "_\xD0\x96");
    hot->SetMaskedText("_\xD0");
    EXPECT_EQ(hot->MaskedText(), "_ ");
}

TEST_F(MaskEdits, RefusedCharactersBeepAndChangeNothing) {
    form->Show();
    hot->SetFocus();
    Type("-_ ");
    Pump();
    EXPECT_EQ(hot->MaskedText(), "_h");
    EXPECT_EQ(Headless().Beeps(), 3);
    EXPECT_FALSE(hot->Modified());
}

TEST_F(MaskEdits, BackspaceAndDeleteEmptyTheLetter) {
    form->Show();
    hot->SetFocus();
    Key(window::vk::kEnd);
    Key(window::vk::kBack);
    Pump();
    EXPECT_EQ(hot->DisplayText(), "__");
    EXPECT_EQ(hot->MaskedText(), "_ ");
    Type("q");
    Key(window::vk::kHome);
    Key(window::vk::kDelete);
    Pump();
    EXPECT_EQ(hot->DisplayText(), "__");
}

// Backspace and Delete on an empty field (selected whole, or at the caret) remove nothing and so
// change nothing: leaving it is no refusal.
TEST_F(MaskEdits, BackspaceOrDeleteThatRemovesNothingChangesNothing) {
    hot->SetMaskedText("_");
    form->Show();
    hot->SetFocus();
    for (const int key : {window::vk::kDelete, window::vk::kBack, window::vk::kEnd, window::vk::kBack,
                          window::vk::kHome, window::vk::kDelete})
        Key(key);
    Pump();
    EXPECT_FALSE(hot->Modified());
    Click(*cancel);
    Pump();
    EXPECT_EQ(errors, std::vector<std::string>{});
    EXPECT_FALSE(hot->Focused());
}

TEST_F(MaskEdits, LeavingAnEmptiedFieldRaisesAndKeepsTheFocus) {
    form->Show();
    hot->SetFocus();
    Key(window::vk::kDelete);
    Click(*cancel);
    Pump();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value.  Use escape key to abandon changes");
    EXPECT_TRUE(hot->Focused());
    EXPECT_EQ(hot->SelStart(), 1);
    EXPECT_EQ(Headless().Beeps(), 1);
    EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(MaskEdits, EscUndoesChangesFirstAndCancelsTheSecondTime) {
    Headless().WhenIdle([&] {
        hot->SetFocus();
        Key(window::vk::kDelete);
        Click(*cancel);
    });
    Headless().WhenIdle([&] {
        Key(window::vk::kEscape);
        Pump();
        EXPECT_EQ(hot->DisplayText(), "_h");
        EXPECT_EQ(form->ModalResult(), mrNone);
        Key(window::vk::kEscape);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(hot->MaskedText(), "_h");
}

TEST_F(MaskEdits, AnUntouchedEmptyFieldIsNeverChecked) {
    hot->SetMaskedText("_");
    Headless().WhenIdle([&] {
        hot->SetFocus();
        Click(*ok);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(hot->MaskedText(), "_ ");
}

TEST_F(MaskEdits, TheDialogOpensOnTheFirstButtonInTabOrder) {
    form->Show();
    EXPECT_TRUE(ok->Focused());
    Key(window::vk::kTab);
    Pump();
    EXPECT_TRUE(hot->Focused());
    EXPECT_EQ(hot->SelLength(), 2);
}

// A wider field of six letters for the caret and the mouse.
class MaskEditCaret : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 257, 91);
        auto* button = new TButton(form);
        button->SetBounds(170, 50, 75, 25);
        button->SetParent(form);
        edit = new TMaskEdit(form);
        edit->SetEditMask("LLLLLL;1;_");
        edit->SetBounds(12, 12, 121, 21);
        edit->SetParent(form);
        edit->SetMaskedText("Plexon");
        form->Show();
        edit->SetFocus();
        Pump();
    }
    // The client x of the gap before position `at`, in the edit's font.
    int GapX(int at) {
        const ScopedMemoryDc measuring;
        return 3 + ControlTextExtent(measuring.Get(), edit->DisplayText().substr(0, std::size_t(at)), edit->Font()).cx;
    }
    static void Advance(std::uint64_t ms) {
        Headless().AdvanceTime(ms);
        Pump();
    }
    void Press(int x) {
        Desk().InputMouseButton(form->Handle(), FormPoint(*edit, x, 10), window::MouseButton::Left, true, 1,
                                window::Shift::Left);
        Pump();
    }
    void DragTo(int x) {
        Desk().InputMouseMove(form->Handle(), FormPoint(*edit, x, 10), window::Shift::Left);
        Pump();
    }
    void Release(int x) {
        Desk().InputMouseButton(form->Handle(), FormPoint(*edit, x, 10), window::MouseButton::Left, false, 1,
                                window::Shift::None);
        Pump();
    }
    // The caret's top row is above every glyph, so only the caret inks it there.
    bool CaretDrawnAt(int x) {
        const ScopedMemoryDc measuring;
        const int lineHeight = ControlTextExtent(measuring.Get(), "", edit->Font()).cy;
        return ControlPixel(*edit, x, std::max(3, (edit->Height() - lineHeight) / 2)) == Rgb(clWindowText);
    }
    TForm* form = nullptr;
    TMaskEdit* edit = nullptr;
};

TEST_F(MaskEditCaret, BlinksWhileFocusedAndShowsAgainOnEveryKey) {
    edit->SetSel(2, 0);
    Pump();
    ASSERT_TRUE(edit->CaretShown());
    EXPECT_TRUE(CaretDrawnAt(GapX(2)));
    Advance(TMaskEdit::kCaretBlinkTime);
    EXPECT_FALSE(edit->CaretShown());
    EXPECT_FALSE(CaretDrawnAt(GapX(2)));
    Advance(TMaskEdit::kCaretBlinkTime);
    EXPECT_TRUE(edit->CaretShown());
    Advance(TMaskEdit::kCaretBlinkTime);
    ASSERT_FALSE(edit->CaretShown());
    Key(window::vk::kRight);
    Pump();
    EXPECT_TRUE(edit->CaretShown());
    EXPECT_TRUE(CaretDrawnAt(GapX(3)));
    // A fresh phase: it stays for a whole blink time after the key.
    Advance(TMaskEdit::kCaretBlinkTime - 1);
    EXPECT_TRUE(edit->CaretShown());
}

TEST_F(MaskEditCaret, StopsBlinkingWithoutTheFocus) {
    Key(window::vk::kTab);
    Pump();
    ASSERT_FALSE(edit->Focused());
    Advance(TMaskEdit::kCaretBlinkTime);
    EXPECT_TRUE(edit->CaretShown());
    for (int x = 3; x < edit->Width() - 3; ++x) EXPECT_FALSE(CaretDrawnAt(x));
}

TEST_F(MaskEditCaret, SitsAfterTheCharactersInTheEditsFont) {
    edit->SetSel(4, 0);
    Pump();
    const int small = GapX(4);
    EXPECT_TRUE(CaretDrawnAt(small));
    edit->Font().SetSize(12);
    Pump();
    const int large = GapX(4);
    ASSERT_GT(large, small + 3);
    EXPECT_TRUE(CaretDrawnAt(large));
    EXPECT_FALSE(CaretDrawnAt(small));
}

TEST_F(MaskEditCaret, DraggingSelectsFromWhereThePressWas) {
    Press(GapX(1));
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 0);
    DragTo(GapX(4));
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 3);
    // Beyond the field the mouse is still the field's, and selects to the end.
    DragTo(edit->Width() + 40);
    EXPECT_EQ(edit->SelLength(), 5);
    Release(edit->Width() + 40);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 5);
    // Moving without the button changes nothing.
    Desk().InputMouseMove(form->Handle(), FormPoint(*edit, GapX(2), 10), window::Shift::None);
    Pump();
    EXPECT_EQ(edit->SelLength(), 5);
}

TEST_F(MaskEditCaret, DraggingBackwardsSelectsUpToThePress) {
    Press(GapX(5));
    DragTo(GapX(2));
    Release(GapX(2));
    EXPECT_EQ(edit->SelStart(), 2);
    EXPECT_EQ(edit->SelLength(), 3);
    Type("q");
    Pump();
    EXPECT_EQ(edit->MaskedText(), "Plq  n");
}

}  // namespace
}  // namespace plexon::test
