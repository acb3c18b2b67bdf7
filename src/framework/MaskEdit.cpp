// The masked edit.
#include "framework/MaskEdit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/ControlDrawing.h"
#include "framework/FrameworkErrors.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"
#include "runtime/Utf8.h"

namespace plexon {

namespace {
void Beep() { window::TheDesktop().Native().Beep(); }
}  // namespace

TMaskEdit::TMaskEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetCursor(crIBeam);
    focusOnClick_ = true;
    blink_ = new TTimer(this);
    blink_->SetEnabled(false);
    blink_->SetInterval(kCaretBlinkTime);
    blink_->OnTimer = [this](TComponent*) {
        caretShown_ = !caretShown_;
        Invalidate();
    };
}

void TMaskEdit::ResetCaret() {
    caretShown_ = true;
    blink_->Restart();
    Invalidate();
}

void TMaskEdit::FocusChanged(bool focused) {
    blink_->SetEnabled(focused);
    ResetCaret();
    TWinControl::FocusChanged(focused);
}

void TMaskEdit::WndProc(window::Message& message) {
    if (message.kind == window::MessageKind::CaptureLost) selecting_ = false;
    TWinControl::WndProc(message);
}

void TMaskEdit::SetEditMask(const std::string& mask) {
    const std::string text = mask_.Text();
    maskText_ = mask;
    mask_ = TEditMask(mask);
    mask_.SetText(text);
    Invalidate();
}

void TMaskEdit::SetMaskedText(const std::string& text) {
    mask_.SetText(text);
    SetSel(0, 0);
    Invalidate();
}

window::AccessibleStates TMaskEdit::States() const {
    const window::AccessibleStates states = TWinControl::States();
    return AcceptsInput() ? states.With(window::AccessibleState::Editable) : states;
}

window::AccessibleFacets TMaskEdit::Facets() const {
    return {window::AccessibleFacet::Text, window::AccessibleFacet::EditableText};
}

bool TMaskEdit::SetAccessibleText(const std::string& text) {
    if (!AcceptsInput()) return false;
    SetMaskedText(text);
    Changed();
    return true;
}

bool TMaskEdit::InsertAccessibleText(int position, const std::string& text) {
    if (!AcceptsInput()) return false;
    const std::string before = mask_.Text();
    SetSel(position, 0);
    for (char32_t c : utf8::Decoded(text)) KeyPress(c);
    return mask_.Text() != before;
}

bool TMaskEdit::DeleteAccessibleText(int start, int end) {
    if (!AcceptsInput()) return false;
    SetSel(start, end - start);
    const bool removed = ClearSelection();
    if (removed) Changed();
    return removed;
}

void TMaskEdit::SetSel(int start, int length) {
    selStart_ = std::clamp(start, 0, mask_.Length());
    selLength_ = std::clamp(length, 0, mask_.Length() - selStart_);
    ResetCaret();
}

void TMaskEdit::DoEnter() {
    enterText_ = mask_.Text();
    modified_ = false;
    SetSel(0, mask_.Length());
    TWinControl::DoEnter();
}

void TMaskEdit::DoExit() {
    if (modified_ && !mask_.Complete()) {
        Beep();
        int first = 0;
        while (first < mask_.Length() && (mask_.IsFixed(first) || !mask_.IsBlankAt(first))) ++first;
        SetSel(std::min(first, mask_.Length()), 0);
        throw EDBEditError(std::string(msg::kInvalidEditInput));
    }
    TWinControl::DoExit();
}

bool TMaskEdit::WantsKey(int key, Shift) const {
    // Esc belongs to the field while it has changes to undo; arrows always move the caret.
    return (key == window::vk::kEscape && modified_) || key == window::vk::kLeft || key == window::vk::kRight ||
           key == window::vk::kUp || key == window::vk::kDown;
}

void TMaskEdit::Changed() {
    modified_ = true;
    Invalidate();
}

bool TMaskEdit::ClearSelection() {
    bool removed = false;
    for (int i = selStart_; i < selStart_ + selLength_; ++i) removed |= ClearAt(i);
    selLength_ = 0;
    return removed;
}

bool TMaskEdit::ClearAt(int index) {
    if (mask_.IsFixed(index) || mask_.IsEmptyAt(index)) return false;
    mask_.Clear(index);
    return true;
}

void TMaskEdit::KeyDown(int& key, Shift shift) {
    TWinControl::KeyDown(key, shift);
    namespace vk = window::vk;
    const int length = mask_.Length();
    switch (key) {
        case vk::kEscape:
            if (modified_) {
                mask_.SetText(enterText_);
                modified_ = false;
                SetSel(0, length);
                key = 0;
            }
            break;
        case vk::kLeft:
        case vk::kUp: {
            const int to = mask_.PreviousEditable(selStart_ - 1);
            SetSel(to < 0 ? selStart_ : to, 0);
            break;
        }
        case vk::kRight:
        case vk::kDown: {
            const int to = mask_.NextEditable(selLength_ > 0 ? selStart_ + selLength_ : selStart_ + 1);
            SetSel(std::min(to, length), 0);
            break;
        }
        case vk::kHome:
            SetSel(std::min(mask_.NextEditable(0), length), 0);
            break;
        case vk::kEnd:
            SetSel(length, 0);
            break;
        // Only a key that removed a character changes the field.
        case vk::kBack: {
            bool removed = false;
            if (selLength_ > 0) {
                removed = ClearSelection();
                SetSel(mask_.NextEditable(selStart_), 0);
            } else if (int at = mask_.PreviousEditable(selStart_ - 1); at >= 0) {
                removed = ClearAt(at);
                SetSel(at, 0);
            }
            if (removed) Changed();
            break;
        }
        case vk::kDelete: {
            bool removed = false;
            if (selLength_ > 0) {
                removed = ClearSelection();
            } else if (int at = mask_.NextEditable(selStart_); at < length) {
                removed = ClearAt(at);
            }
            if (removed) Changed();
            break;
        }
        default:
            break;
    }
}

void TMaskEdit::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key < 0x20) return;  // control characters come as keys
    const int at = mask_.NextEditable(selStart_);
    if (at >= mask_.Length() || !mask_.Accepts(at, key)) {
        Beep();
        return;
    }
    ClearSelection();
    mask_.Set(at, key);
    SetSel(std::min(mask_.NextEditable(at + 1), mask_.Length()), 0);
    Changed();
}

int TMaskEdit::PositionAt(int x) {
    // The caret goes before the character whose middle lies right of x.
    const ScopedMemoryDc measuring;
    const std::string& shown = mask_.Display();
    int at = 0;
    for (; at < mask_.Length(); ++at) {
        const int before = ControlTextExtent(measuring.Get(), shown.substr(0, mask_.Offset(at)), Font()).cx;
        const int after =
            ControlTextExtent(measuring.Get(), shown.substr(0, mask_.Offset(at + 1)), Font()).cx;
        if (TextLeft() + (before + after) / 2 > x) break;
    }
    return at;
}

void TMaskEdit::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !HandleAllocated()) return;
    anchor_ = PositionAt(x);
    selecting_ = true;
    window::TheDesktop().SetCapture(Handle());
    SetSel(anchor_, 0);
}

void TMaskEdit::MouseMove(Shift shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    if (!selecting_) return;
    const int at = PositionAt(x);
    SetSel(std::min(anchor_, at), std::abs(at - anchor_));
}

void TMaskEdit::MouseUp(MouseButton button, Shift shift, int x, int y) {
    if (button == MouseButton::Left && selecting_) {
        selecting_ = false;
        if (window::TheDesktop().Capture() == Handle()) window::TheDesktop().ReleaseCapture();
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TMaskEdit::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool enabled = ReallyEnabled();
    FillSolid(dc, ClientRect(), enabled ? Color() : clBtnFace);
    gdi::RECT edge = ClientRect();
    gdi::DrawEdge(dc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
    const std::string& shown = mask_.Display();
    const gdi::UINT format = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX;
    gdi::RECT text{TextLeft(), 2, Width() - 2, Height() - 2};
    DrawControlText(dc, shown, text, format, Font(), enabled ? TextState::Enabled : TextState::Disabled);
    if (!Focused()) return;
    const std::size_t from = mask_.Offset(selStart_);
    const int start = TextLeft() + ControlTextExtent(dc, shown.substr(0, from), Font()).cx;
    // The caret and the selection band are as high as a line of the font, centred like the text.
    const int lineHeight = ControlTextExtent(dc, "", Font()).cy;
    const int top = std::max(3, (Height() - lineHeight) / 2);
    const int bottom = std::min(Height() - 3, top + lineHeight);
    if (selLength_ > 0) {
        const std::string selected = shown.substr(from, mask_.Offset(selStart_ + selLength_) - from);
        const int width = ControlTextExtent(dc, selected, Font()).cx;
        FillSolid(dc, {start, top, start + width, bottom}, SystemColor(13));
        DrawControlTextInColor(dc, selected, {start, 2, Width() - 2, Height() - 2}, format, Font(), SystemColor(14));
    } else if (caretShown_) {
        FillSolid(dc, {start, top, start + 1, bottom}, clWindowText);
    }
}

}  // namespace plexon
