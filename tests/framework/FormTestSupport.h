// GUI tests through the headless desktop: a fixture that frees every form afterwards, and input
// helpers that click at control coordinates and type keys the way a window system reports them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "graphics/Color.h"
#include "platform/gdi/Raster.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"
#include "runtime/Utf8.h"

namespace plexon::test {

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("PLEXON_BACKEND", "headless", 1);
        window::SelectBackend(window::BackendKind::Headless);
        Application().SetTitle("Tesvo Plexon");
        Application().OnException = nullptr;
    }
    void TearDown() override {
        while (Screen().FormCount() > 0) delete Screen().Forms(0);
        Application().OnException = nullptr;
    }

    static window::Desktop& Desk() { return window::TheDesktop(); }
    static window::HeadlessBackend& Headless() { return window::Headless(); }
    static void Pump() { Application().ProcessMessages(); }

    // A point of control's client area in its form's client coordinates.
    static gdi::POINT FormPoint(const TControl& control, int x, int y) {
        const TForm* form = control.ParentForm();
        const gdi::POINT p = control.ClientToScreen({x, y});
        return {p.x - form->Left(), p.y - form->Top()};
    }
    static void ClickAt(const TControl& control, int x, int y, int clicks = 1) {
        window::HWND top = const_cast<TForm*>(control.ParentForm())->Handle();
        const gdi::POINT p = FormPoint(control, x, y);
        Desk().InputMouseButton(top, p, window::MouseButton::Left, true, clicks, window::Shift::Left);
        Desk().InputMouseButton(top, p, window::MouseButton::Left, false, clicks, window::Shift::None);
    }
    static void Click(const TControl& control) { ClickAt(control, control.Width() / 2, control.Height() / 2); }
    static void Key(int key, window::Shift shift = window::Shift::None) {
        Desk().InputKey(key, true, shift);
        Desk().InputKey(key, false, shift);
    }
    // Letters and digits as key presses with their characters; characters beyond ASCII come as text
    // input alone, as an input method sends them.
    static void Type(const std::string& text) {
        for (const char32_t c : utf8::Decoded(text)) {
            const int key = c >= 'a' && c <= 'z' ? int(c - 'a' + 'A') : int(c);
            if (c < 0x80) Desk().InputKey(key, true, window::Shift::None);
            Desk().InputChar(c);
            if (c < 0x80) Desk().InputKey(key, false, window::Shift::None);
        }
    }
    // Pixel of a form's frame as 0x00RRGGBB.
    static std::uint32_t FramePixel(TForm& form, int x, int y) {
        const window::FrameView frame = Desk().Frame(form.Handle());
        EXPECT_NE(frame.pixels, nullptr);
        const std::uint8_t* p = frame.pixels + std::size_t(y) * frame.stride + std::size_t(x) * 4;
        return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    }
    // The pixels (0x00RRGGBB) of r in a top-level window's frame, top row first.
    static std::vector<std::uint32_t> FrameArea(window::HWND top, const gdi::RECT& r) {
        std::vector<std::uint32_t> pixels;
        const window::FrameView frame = Desk().Frame(top);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const std::uint8_t* p = frame.pixels + std::size_t(y) * frame.stride + std::size_t(x) * 4;
                pixels.push_back(std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0]);
            }
        return pixels;
    }
    // Pixel at a control's client point, read from its form's frame.
    static std::uint32_t ControlPixel(const TControl& control, int x, int y) {
        const gdi::POINT p = FormPoint(control, x, y);
        return FramePixel(*const_cast<TForm*>(control.ParentForm()), p.x, p.y);
    }
    // The box (client coordinates of control) around the pixels of control's area that differ
    // from `background`, and how many they are; an empty box when none do.
    struct Ink {
        gdi::RECT box{0, 0, 0, 0};
        int count = 0;
    };
    static Ink InkOf(const TControl& control, std::uint32_t background) {
        Ink ink;
        ink.box = {control.Width(), control.Height(), 0, 0};
        for (int y = 0; y < control.Height(); ++y)
            for (int x = 0; x < control.Width(); ++x)
                if (ControlPixel(control, x, y) != background) {
                    ++ink.count;
                    ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y), std::max(ink.box.right, x + 1),
                               std::max(ink.box.bottom, y + 1)};
                }
        if (ink.count == 0) ink.box = {0, 0, 0, 0};
        return ink;
    }
    // 0x00RRGGBB of a colour as the controls paint it.
    static std::uint32_t Rgb(TColor color) {
        const gdi::COLORREF c = ResolveColor(color);
        return std::uint32_t(gdi::GetRValue(c)) << 16 | std::uint32_t(gdi::GetGValue(c)) << 8 | gdi::GetBValue(c);
    }
};

}  // namespace plexon::test
