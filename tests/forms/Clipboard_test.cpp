// Clipboard text: what arrives is the text up to a zero byte; a clipboard that does not take the
// text is reported with "Cannot open clipboard".
#include "forms/Clipboard.h"

#include <gtest/gtest.h>

#include "platform/window/HeadlessBackend.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

// A desktop whose clipboard stays closed: writes go nowhere.
class ClosedClipboard : public window::HeadlessBackend {
  public:
    void SetClipboardText(const std::string&) override {}
};

TEST(Clipboard, TextArrivesUpToItsFirstZeroByte) {
    window::HeadlessBackend desktop;
    PutClipboardText(desktop, "line\r\n\xE9t\xE9");
    EXPECT_EQ(desktop.ClipboardText(), "line\r\n\xE9t\xE9");
    PutClipboardText(desktop, std::string("a\0b", 3));
    EXPECT_EQ(desktop.ClipboardText(), "a");
}

TEST(Clipboard, AClipboardThatCannotBeOpenedRaises) {
    ClosedClipboard desktop;
    try {
        PutClipboardText(desktop, "text");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot open clipboard");
    }
}

}  // namespace
}  // namespace plexon
