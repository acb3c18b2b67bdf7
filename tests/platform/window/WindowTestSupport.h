// A fresh headless desktop per test and a window procedure that records what it receives.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi/Raster.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"

namespace plexon::window::test {

struct Received {
    MessageKind kind;
    HWND window;
    gdi::POINT point;
    int key;
    char32_t ch;
};

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override { SelectBackend(BackendKind::Headless); }
    void TearDown() override {
        for (HWND top : desk().TopLevels()) desk().DestroyWindow(top);
    }
    static Desktop& desk() { return TheDesktop(); }

    // A window that records its messages and paints itself in one colour.
    HWND Make(HWND parent, gdi::RECT bounds, gdi::COLORREF color, bool visible = true) {
        HWND window = desk().CreateWindow({.parent = parent, .bounds = bounds, .caption = "W", .proc = [this, color](Message& m) {
            log.push_back({m.kind, m.window, m.point, m.key, m.ch});
            if (m.kind == MessageKind::Paint) {
                gdi::HBRUSH brush = gdi::CreateSolidBrush(color);
                gdi::RECT all{0, 0, 10000, 10000};
                gdi::FillRect(m.dc, &all, brush);
                gdi::DeleteObject(brush);
            }
        }});
        if (visible) desk().Show(window, true);
        return window;
    }

    void Pump() {
        Message m;
        while (desk().GetMessage(m, Wait::No)) desk().DispatchMessage(m);
    }

    // The kinds received, without paint traffic.
    std::vector<MessageKind> InputKinds() const {
        std::vector<MessageKind> kinds;
        for (const Received& r : log)
            if (r.kind != MessageKind::Paint && r.kind != MessageKind::EraseBackground) kinds.push_back(r.kind);
        return kinds;
    }

    // Pixel of a top-level frame as 0x00RRGGBB.
    static std::uint32_t FramePixel(HWND top, int x, int y) {
        const FrameView frame = desk().Frame(top);
        EXPECT_TRUE(frame.pixels != nullptr);
        const std::uint8_t* p = frame.pixels + std::size_t(y) * frame.stride + std::size_t(x) * 4;
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }

    std::vector<Received> log;
};

}  // namespace plexon::window::test
