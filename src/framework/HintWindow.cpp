// The hint window and its tracking. A hint waits kHintPause after the last move over its control,
// stays kHintHidePause, and goes when the pointer leaves the control or the hint's area, or on a
// click or key; after timing out or being cancelled it stays away until the pointer leaves the
// control or the hint's area (a markup label's link).
#include "framework/HintWindow.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "framework/ControlCanvas.h"
#include "framework/ControlDrawing.h"
#include "framework/Form.h"
#include "framework/PopupWindow.h"
#include "framework/WinControl.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {

constexpr int kMaxTextWidth = 300;
// The frame and the space around the text.
constexpr int kPadX = 3, kPadY = 2;
constexpr int kUnboundedHeight = 1 << 30;
constexpr gdi::UINT kTextFormat = gdi::DT_LEFT | gdi::DT_TOP | gdi::DT_WORDBREAK | gdi::DT_NOPREFIX;

class THintWindow {
  public:
    // form: the top-level window of the hint's control, which holds the hint where pop-ups are drawn
    // inside their form.
    THintWindow(THintInfo info, gdi::POINT at, gdi::POINT pointer, window::HWND form)
        : info_(std::move(info)) {
        font_.SetName("Tahoma");
        font_.SetHeight(-11);
        font_.SetColor(clInfoText);
        // Measured in the frame the paint gives the text, with no bottom: a markup hint lays out
        // only the lines its frame holds.
        const gdi::SIZE text = Text(nullptr, {kPadX, kPadY, kPadX + kMaxTextWidth, kUnboundedHeight});
        const gdi::SIZE size{text.cx + 2 * kPadX, text.cy + 2 * kPadY};
        // Kept on the screen (or in the form); with no room below the pointer it goes above it.
        handle_ = CreatePopup(form, FitPopup(at, size, pointer.y, PopupArea(form)), window::PopupKind::Hint,
                              [this](window::Message& m) {
                                  if (m.kind == window::MessageKind::Paint) Paint(m.dc);
                              });
    }
    ~THintWindow() { window::TheDesktop().DestroyWindow(handle_); }
    THintWindow(const THintWindow&) = delete;
    THintWindow& operator=(const THintWindow&) = delete;

    window::HWND Handle() const { return handle_; }

  private:
    // Draws the text into r on dc, or with no dc only measures it.
    gdi::SIZE Text(gdi::HDC dc, const gdi::RECT& r) {
        const ScopedMemoryDc measuring;
        TControlCanvas canvas;
        canvas.Attach(dc ? dc : measuring.Get());
        canvas.Font().Assign(font_);
        canvas.Brush().SetColor(clInfoBk);
        gdi::SIZE size{};
        if (info_.paint) {
            size = info_.paint(canvas, r, dc != nullptr);
        } else if (dc) {
            DrawControlText(dc, info_.text, r, kTextFormat, font_);
        } else {
            const gdi::RECT m = MeasureControlText(measuring.Get(), info_.text, r, kTextFormat, font_);
            size = {m.right - m.left, m.bottom - m.top};
        }
        return size;  // the canvas takes its objects out of the context as it goes
    }
    void Paint(gdi::HDC dc) {
        const gdi::RECT r{0, 0, handle_->Width(), handle_->Height()};
        FrameSolid(dc, r, clWindowFrame);
        FillSolid(dc, {1, 1, r.right - 1, r.bottom - 1}, clInfoBk);
        Text(dc, {kPadX, kPadY, r.right - kPadX, r.bottom - kPadY});
    }

    THintInfo info_;
    TFont font_;
    window::HWND handle_ = nullptr;
};

struct HintTracking {
    TControl* control = nullptr;  // the control with ShowHint under the pointer
    gdi::RECT area{};
    bool done = false;  // shown and gone, or none to show: no hint until the pointer leaves `area`
    int showTimer = 0, hideTimer = 0;
    std::unique_ptr<THintWindow> window;

    void KillTimers() {
        for (int* timer : {&showTimer, &hideTimer})
            if (*timer) window::TheDesktop().KillTimer(std::exchange(*timer, 0));
    }
    void Hide() {
        KillTimers();
        window.reset();
    }
    void Show() {
        KillTimers();
        const gdi::POINT pointer = window::TheDesktop().GetCursorPos();
        const gdi::POINT p = control->ScreenToClient(pointer);
        THintInfo info;
        info.area = control->ClientRect();
        // Without a hint here, none until the pointer leaves the area the control answered for.
        const bool shown = control->ReallyVisible() && control->GetHintInfo(p, info) && !info.text.empty();
        area = info.area;
        done = !shown;
        if (!shown) return;
        const gdi::POINT at = info.position.value_or(gdi::POINT{pointer.x, pointer.y + 20});
        TForm* form = control->ParentForm();
        window = std::make_unique<THintWindow>(std::move(info), at, pointer, form ? form->Handle() : nullptr);
        hideTimer = window::TheDesktop().SetTimer(kHintHidePause, [this] {
            Hide();
            done = true;
        });
    }
};

HintTracking& Tracking() {
    // Never destroyed: at exit the desktop may be gone before it.
    static HintTracking& tracking = *new HintTracking;
    return tracking;
}

bool Inside(const gdi::RECT& r, gdi::POINT p) {
    return p.x >= r.left && p.y >= r.top && p.x < r.right && p.y < r.bottom;
}

}  // namespace

void HintMouseMove(TControl& under) {
    HintTracking& t = Tracking();
    TControl* control = &under;
    while (control && !control->ShowHint()) control = control->Parent();
    if (control != t.control) {
        t.Hide();
        t.control = control;
        t.done = false;
    } else if (control && (t.window || t.done) &&
               !Inside(t.area, control->ScreenToClient(window::TheDesktop().GetCursorPos()))) {
        t.Hide();
        t.done = false;
    }
    if (!t.control || t.done || t.window) return;
    // Every move starts the pause again: the hint waits for the pointer to rest.
    if (t.showTimer) window::TheDesktop().KillTimer(t.showTimer);
    t.showTimer = window::TheDesktop().SetTimer(kHintPause, [&t] { t.Show(); });
}

void HintMouseLeave(TControl& control) {
    HintTracking& t = Tracking();
    if (t.control != &control) return;
    t.Hide();
    t.control = nullptr;
}

void CancelHint() {
    HintTracking& t = Tracking();
    if (!t.control) return;
    if (!t.window) t.area = t.control->ClientRect();
    t.Hide();
    t.done = true;
}

void HintControlGone(TControl& control) {
    HintMouseLeave(control);
}

window::HWND ShownHintWindow() {
    const HintTracking& t = Tracking();
    return t.window ? t.window->Handle() : nullptr;
}

}  // namespace plexon
