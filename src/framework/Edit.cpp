// The plain text field: caret moves by whole characters, the text scrolls to keep the caret shown.
#include "framework/Edit.h"

#include <algorithm>
#include <cstdlib>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/Text.h"
#include "runtime/Utf8.h"

namespace plexon {

namespace {
constexpr int kTextLeft = 3;
constexpr gdi::UINT kFormat = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX;
}  // namespace

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
    focusOnClick_ = true;
}

void TEdit::SetEditText(const std::string& text) {
    SetText(text);
    caret_ = text.size();
    Invalidate();
}

void TEdit::Edited(std::string text, std::size_t caret) {
    SetText(text);
    caret_ = caret;
    Invalidate();
    if (OnChange) OnChange(this);
}

bool TEdit::WantsKey(int key, Shift) const {
    return key == window::vk::kLeft || key == window::vk::kRight;
}

void TEdit::KeyDown(int& key, Shift shift) {
    namespace vk = window::vk;
    TWinControl::KeyDown(key, shift);
    const std::string& text = Text();
    switch (key) {
        case vk::kLeft:
            if (caret_ > 0) caret_ = utf8::Previous(text, caret_);
            break;
        case vk::kRight:
            if (caret_ < text.size()) caret_ = utf8::Next(text, caret_);
            break;
        case vk::kHome:
            caret_ = 0;
            break;
        case vk::kEnd:
            caret_ = text.size();
            break;
        case vk::kBack:
            if (caret_ == 0) return;
            {
                const std::size_t from = utf8::Previous(text, caret_);
                Edited(text.substr(0, from) + text.substr(caret_), from);
            }
            break;
        case vk::kDelete:
            if (caret_ >= text.size()) return;
            Edited(text.substr(0, caret_) + text.substr(utf8::Next(text, caret_)), caret_);
            break;
        default:
            return;
    }
    Invalidate();
    key = 0;
}

void TEdit::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key < ' ' || key == 0x7F || !AcceptsInput()) return;
    const std::string typed = utf8::Encode(key);
    const std::string& text = Text();
    Edited(text.substr(0, caret_) + typed + text.substr(caret_), caret_ + typed.size());
    key = 0;
}

void TEdit::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left) return;
    const std::string& text = Text();
    // The gap nearest to the pointer.
    std::size_t best = 0;
    int bestDistance = std::abs(x - kTextLeft + scroll_);
    for (std::size_t at = 0; at < text.size();) {
        at = utf8::Next(text, at);
        const int distance = std::abs(x - kTextLeft + scroll_ - WidthBefore(at));
        if (distance < bestDistance) best = at, bestDistance = distance;
    }
    caret_ = best;
    Invalidate();
}

int TEdit::WidthBefore(std::size_t at) {
    if (at == 0) return 0;
    return ControlTextExtent(Canvas().Handle(), Text().substr(0, at), Font()).cx;
}

window::AccessibleStates TEdit::States() const {
    const window::AccessibleStates states = TWinControl::States();
    return AcceptsInput() ? states.With(window::AccessibleState::Editable) : states;
}

window::AccessibleFacets TEdit::Facets() const {
    return {window::AccessibleFacet::Text, window::AccessibleFacet::EditableText};
}

bool TEdit::SetAccessibleText(const std::string& text) {
    if (!AcceptsInput()) return false;
    Edited(text, text.size());
    return true;
}

void TEdit::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    FillSolid(dc, ClientRect(), ReallyEnabled() ? Color() : clBtnFace);
    gdi::RECT edge = ClientRect();
    gdi::DrawEdge(dc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
    const int inner = Width() - 2 * kTextLeft;
    const int caretX = WidthBefore(caret_);
    if (caretX - scroll_ > inner) scroll_ = caretX - inner;
    if (caretX < scroll_) scroll_ = caretX;
    gdi::IntersectClipRect(dc, 2, 2, Width() - 2, Height() - 2);
    DrawControlText(dc, Text(), {kTextLeft - scroll_, 2, Width() + caretX, Height() - 2}, kFormat, Font(),
                    ReallyEnabled() ? TextState::Enabled : TextState::Disabled);
    if (Focused()) FillSolid(dc, {kTextLeft - scroll_ + caretX, 4, kTextLeft - scroll_ + caretX + 1, Height() - 4},
                             clWindowText);
    gdi::SelectClipRgn(dc, nullptr);
}

}  // namespace plexon
