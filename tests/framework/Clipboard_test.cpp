// Clipboard text through the headless back end.
#include "FormTestSupport.h"

#include "framework/Clipboard.h"

namespace plexon::test {
namespace {

using ClipboardText = FormTest;

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

TEST_F(ClipboardText, TextPutThereByOthersIsRead) {
    Headless().SetClipboardText("from elsewhere");
    EXPECT_EQ(Clipboard().AsText(), "from elsewhere");
}

}  // namespace
}  // namespace plexon::test
