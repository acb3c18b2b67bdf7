// Clipboard text through the headless back end: what arrives is the text up to a zero byte; a
// clipboard that does not take the text is reported with "Cannot open clipboard".
#include "FormTestSupport.h"

#include "framework/Clipboard.h"
#include "runtime/Exceptions.h"

namespace plexon::test {
namespace {

class ClipboardText : public FormTest {
  protected:
    void TearDown() override {
        Headless().SetClipboardOpens(true);
        FormTest::TearDown();
    }
};

TEST_F(ClipboardText, WhatIsSetIsReadBackAndReplaced) {
    EXPECT_EQ(Clipboard().AsText(), "");
    Clipboard().SetAsText("Open_h.bmp");
    EXPECT_EQ(Clipboard().AsText(), "Open_h.bmp");
    Clipboard().SetAsText("caf\xE9");  // 8-bit text stays as it is
    EXPECT_EQ(Clipboard().AsText(), "caf\xE9");
    EXPECT_EQ(Headless().ClipboardText(), "caf\xE9");
}

TEST_F(ClipboardText, TextEndsAtItsFirstZeroByte) {
    Clipboard().SetAsText(std::string("Open\0_h", 7));
    EXPECT_EQ(Clipboard().AsText(), "Open");
}

TEST_F(ClipboardText, AClipboardThatCannotBeOpenedRaises) {
    Headless().SetClipboardOpens(false);
    try {
        Clipboard().SetAsText("text");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot open clipboard");
    }
}

TEST_F(ClipboardText, TextPutThereByOthersIsRead) {
    Headless().SetClipboardText("from elsewhere");
    EXPECT_EQ(Clipboard().AsText(), "from elsewhere");
}

}  // namespace
}  // namespace plexon::test
