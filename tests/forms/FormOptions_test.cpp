// The Options dialog on its own: layout and texts, the suffix fields' typing rules, and Enter, Esc
// and the close box as dialog keys.
#include "forms/FormOptions.h"

#include <array>

#include "controls/PxGroupBox.h"
#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/FormTestSupport.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"

namespace plexon::test {
namespace {

// Left, top, width and height of a control.
std::array<int, 4> Bounds(const TControl& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height()};
}

class OptionsDialog : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TfrmOptions(&Application());
    }
    // Shows the dialog modally while `script` runs from the loop; returns the modal result.
    TModalResult RunWith(std::function<void()> script) {
        Headless().WhenIdle(std::move(script));
        return form->ShowModal();
    }
    TfrmOptions* form = nullptr;
};

TEST_F(OptionsDialog, HasItsDescribedLayoutAndTexts) {
    EXPECT_EQ(form->Caption(), "Options");
    EXPECT_EQ(form->BorderStyle(), bsDialog);
    EXPECT_EQ(form->Width(), 257);
    EXPECT_EQ(form->Height(), 285);
    EXPECT_EQ(form->Font().Name(), "Tahoma");
    EXPECT_EQ(form->Font().Height(), -11);
    EXPECT_EQ(Bounds(*form->btnOK), (std::array<int, 4>{88, 247, 75, 25}));
    EXPECT_TRUE(form->btnOK->Default());
    EXPECT_EQ(form->btnOK->ModalResult(), mrOk);
    EXPECT_EQ(form->btnCancel->Caption(), "Cancel");
    EXPECT_TRUE(form->btnCancel->Cancel());
    EXPECT_EQ(form->btnCancel->ModalResult(), mrCancel);
    EXPECT_EQ(form->PxGroupBox2->Caption(), "File suffix information");
    EXPECT_EQ(Bounds(*form->PxGroupBox2), (std::array<int, 4>{8, 8, 241, 109}));
    EXPECT_EQ(Bounds(*form->txtSuffixHot), (std::array<int, 4>{68, 20, 37, 21}));
    EXPECT_EQ(form->Label1->Caption(),
              "The file suffix identifies\rthe icon state; hot, \rdisabled or pressed.");
    EXPECT_EQ(form->Label1->Font().Color(), clNavy);
    EXPECT_EQ(form->Label2->Caption(), "Hot");
    EXPECT_EQ(form->Label3->Caption(), "Disabled");
    EXPECT_EQ(form->Label4->Caption(), "Pressed");
    EXPECT_EQ(form->Bevel1->Shape(), TBevelShape::bsTopLine);
    EXPECT_EQ(Bounds(*form->Bevel1), (std::array<int, 4>{0, 235, 257, 5}));
    EXPECT_EQ(form->Bevel1->Anchors(), akLeft | akRight | akBottom);
    EXPECT_EQ(Bounds(*form->btnCancel), (std::array<int, 4>{172, 247, 75, 25}));
    for (const TButton* button : {form->btnOK, form->btnCancel})
        EXPECT_EQ(button->Anchors(), akRight | akBottom);
    EXPECT_EQ(Bounds(*form->Label1), (std::array<int, 4>{116, 20, 111, 39}));
    EXPECT_EQ(Bounds(*form->Label2), (std::array<int, 4>{16, 24, 17, 13}));
    EXPECT_EQ(Bounds(*form->Label3), (std::array<int, 4>{16, 52, 40, 13}));
    EXPECT_EQ(Bounds(*form->Label4), (std::array<int, 4>{16, 80, 38, 13}));
    EXPECT_EQ(Bounds(*form->txtSuffixDisabled), (std::array<int, 4>{68, 48, 36, 21}));
    EXPECT_EQ(Bounds(*form->txtSuffixPressed), (std::array<int, 4>{68, 76, 36, 21}));
    EXPECT_EQ(form->Position(), poScreenCenter);
    for (TMaskEdit* field : {form->txtSuffixHot, form->txtSuffixDisabled, form->txtSuffixPressed}) {
        EXPECT_EQ(field->EditMask(), "_A;1;_");
        EXPECT_EQ(field->MaxLength(), 2);
        EXPECT_EQ(field->Parent(), form->PxGroupBox2);
    }
    EXPECT_EQ(form->txtSuffixHot->DisplayText(), "_h");
    EXPECT_EQ(form->txtSuffixDisabled->DisplayText(), "_d");
    EXPECT_EQ(form->txtSuffixPressed->DisplayText(), "_p");
    EXPECT_EQ(form->PxGroupBox3->Caption(), "Strip format");
    EXPECT_EQ(Bounds(*form->PxGroupBox3), (std::array<int, 4>{8, 124, 241, 105}));
    EXPECT_EQ(Bounds(*form->cbStripFormat), (std::array<int, 4>{16, 20, 209, 21}));
    EXPECT_EQ(form->cbStripFormat->Items().Text(),
              "BMP (as before)\r\nPNG with transparency\r\nBMP with transparency\r\n");
    EXPECT_EQ(form->ChosenStripFormat(), StripFormat::Bmp);
    EXPECT_EQ(Bounds(*form->chkDeriveMissing), (std::array<int, 4>{8, 48, 225, 17}));
    EXPECT_EQ(form->chkDeriveMissing->Caption(), "Make missing states from the Normal image");
    EXPECT_FALSE(form->chkDeriveMissing->Checked());
    EXPECT_EQ(form->PxGroupBox3->TabList(),
              (std::vector<TWinControl*>{form->cbStripFormat, form->chkDeriveMissing, form->cbSvgSize}));
    // The SVG size row, under the check box.
    EXPECT_EQ(Bounds(*form->lblSvgSize), (std::array<int, 4>{16, 80, 97, 13}));
    EXPECT_EQ(form->lblSvgSize->Caption(), "Size for SVG images");
    EXPECT_EQ(form->lblSvgSize->FocusControl(), form->cbSvgSize);
    EXPECT_EQ(Bounds(*form->cbSvgSize), (std::array<int, 4>{160, 76, 65, 21}));
    EXPECT_EQ(form->cbSvgSize->Items().Text(), "16\r\n20\r\n24\r\n32\r\n48\r\n64\r\n");
    EXPECT_EQ(form->ChosenSvgSize(), 32);
    form->SetSvgSize(48);
    EXPECT_EQ(form->ChosenSvgSize(), 48);
    form->SetSvgSize(33);  // no size of the list: the default shows
    EXPECT_EQ(form->ChosenSvgSize(), 32);
    EXPECT_EQ(form->TabList(), (std::vector<TWinControl*>{form->btnOK, form->btnCancel, form->PxGroupBox2,
                                                          form->PxGroupBox3}));
    EXPECT_EQ(
        form->PxGroupBox2->TabList(),
        (std::vector<TWinControl*>{form->txtSuffixHot, form->txtSuffixDisabled, form->txtSuffixPressed}));
}

TEST_F(OptionsDialog, OpensWithTheFocusOnOk) {
    bool okFocused = false;
    RunWith([&] {
        okFocused = form->btnOK->Focused();
        Key(window::vk::kEscape);
    });
    EXPECT_TRUE(okFocused);
}

TEST_F(OptionsDialog, EnterConfirmsEscAndTheCloseBoxCancel) {
    EXPECT_EQ(RunWith([] { Key(window::vk::kReturn); }), mrOk);
    EXPECT_EQ(RunWith([] { Key(window::vk::kEscape); }), mrCancel);
    EXPECT_EQ(RunWith([&] { Desk().InputClose(form->Handle()); }), mrCancel);
    // The closed format list leaves Enter and Esc to the dialog; Down chooses the next format.
    const auto fromList = [&](int key) {
        return RunWith([&, key] {
            form->cbStripFormat->SetFocus();
            Key(window::vk::kDown);
            Key(key);
        });
    };
    EXPECT_EQ(fromList(window::vk::kReturn), mrOk);
    EXPECT_EQ(form->ChosenStripFormat(), StripFormat::Png);
    EXPECT_EQ(fromList(window::vk::kEscape), mrCancel);
}

TEST_F(OptionsDialog, FieldsTakeLettersAndDigitsAndRefuseTheRest) {
    std::string afterLetter, afterDigit, afterRefused;
    int beeps = 0;
    RunWith([&] {
        form->txtSuffixHot->SetFocus();
        form->txtSuffixHot->SetSel(1, 1);
        Type("X");
        Pump();
        afterLetter = form->txtSuffixHot->MaskedText();
        form->txtSuffixHot->SetSel(1, 1);
        Type("7");
        Pump();
        afterDigit = form->txtSuffixHot->MaskedText();
        const int before = Headless().Beeps();
        form->txtSuffixHot->SetSel(1, 1);
        Type("-_ ");
        Pump();
        beeps = Headless().Beeps() - before;
        afterRefused = form->txtSuffixHot->MaskedText();
        Key(window::vk::kReturn);
    });
    EXPECT_EQ(afterLetter, "_X");
    EXPECT_EQ(afterDigit, "_7");
    EXPECT_EQ(beeps, 3);
    EXPECT_EQ(afterRefused, "_7");
}

TEST_F(OptionsDialog, AccentedLettersOfTheCharacterSetAreLetters) {
    std::string text;
    RunWith([&] {
        form->txtSuffixPressed->SetFocus();
        form->txtSuffixPressed->SetSel(1, 1);
        Desk().InputChar(U'\u00E9');  // e acute
        Pump();
        text = form->txtSuffixPressed->MaskedText();
        Key(window::vk::kReturn);
    });
    EXPECT_EQ(text, "_\xC3\xA9");
}

TEST_F(OptionsDialog, BackspaceAndDeleteEmptyTheLetter) {
    std::string afterDelete, afterEsc, afterBack;
    const TModalResult result = RunWith([&] {
        form->txtSuffixHot->SetFocus();
        form->txtSuffixHot->SetSel(1, 1);
        Key(window::vk::kDelete);
        Pump();
        afterDelete = form->txtSuffixHot->DisplayText();
        Key(window::vk::kEscape);  // the field was changed: Esc restores it
        Pump();
        afterEsc = form->txtSuffixHot->DisplayText();
        form->txtSuffixHot->SetSel(2, 2);
        Key(window::vk::kBack);
        Pump();
        afterBack = form->txtSuffixHot->DisplayText();
        Key(window::vk::kEscape);
        Pump();
        Headless().WhenIdle([] { Key(window::vk::kEscape); });
    });
    EXPECT_EQ(afterDelete, "__");
    EXPECT_EQ(afterEsc, "_h");
    EXPECT_EQ(afterBack, "__");
    EXPECT_EQ(form->txtSuffixHot->MaskedText(), "_h");
    EXPECT_EQ(result, mrCancel);
}

TEST_F(OptionsDialog, AnEmptiedFieldIsRefusedOnLeavingUntilEscRestoresIt) {
    std::vector<std::string> errors;
    Application().OnException = [&](const std::exception& e) { errors.push_back(e.what()); };
    bool stillOpen = false, hotFocused = false;
    std::string restored;
    const TModalResult result = RunWith([&] {
        form->txtSuffixHot->SetFocus();
        form->txtSuffixHot->SetSel(1, 1);
        Key(window::vk::kBack);
        Pump();
        EXPECT_EQ(form->txtSuffixHot->DisplayText(), "__");
        Click(*form->btnCancel);
        Pump();
        stillOpen = form->ModalResult() == mrNone;
        hotFocused = form->txtSuffixHot->Focused();
        Key(window::vk::kEscape);  // restores the letter and is used up
        Pump();
        restored = form->txtSuffixHot->MaskedText();
        Headless().WhenIdle([] { Key(window::vk::kEscape); });  // the second one cancels
    });
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Invalid input value.  Use escape key to abandon changes");
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(hotFocused);
    EXPECT_EQ(restored, "_h");
    EXPECT_EQ(result, mrCancel);
}

}  // namespace
}  // namespace plexon::test
