// The drop-down-list combo box. The open list is a pop-up window (PopupWindow.h) that holds the
// mouse capture, so that a click anywhere else closes it.
#include "framework/ComboBox.h"

#include "framework/ControlDrawing.h"
#include "framework/PopupWindow.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FocusRect.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"
#include "runtime/Utf8.h"

namespace plexon {

namespace {
constexpr int kButtonWidth = 17;
constexpr TColor clHighlight = SystemColor(13), clHighlightText = SystemColor(14);
}  // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    focusOnClick_ = true;
    items_.OnChange = [this] {
        if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
        Invalidate();
    };
}

TComboBox::~TComboBox() {
    items_.OnChange = nullptr;
    SetDroppedDown(false);
}

void TComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= items_.Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Invalidate();
}

void TComboBox::Choose(int index) {
    if (index < 0 || index >= items_.Count() || index == itemIndex_) return;
    SetItemIndex(index);
    if (OnChange) OnChange(this);
}

void TComboBox::SetDroppedDown(bool value) {
    if (value == DroppedDown()) return;
    if (!value) {
        window::HWND popup = popup_;
        popup_ = nullptr;
        if (window::TheDesktop().IsWindow(popup)) window::TheDesktop().DestroyWindow(popup);
        Invalidate();
        return;
    }
    const gdi::POINT origin = ClientToScreen({0, Height()});
    const int rows = std::max(1, std::min(items_.Count(), 8));
    const gdi::SIZE size{Width(), rows * itemHeight_ + 2};
    // A list with no room below the box (on the screen, or in the form) opens above it.
    const gdi::RECT bounds = FitPopup(origin, size, origin.y - Height(), PopupArea(Handle()));
    hotIndex_ = itemIndex_;
    popup_ = CreatePopup(Handle(), bounds, window::PopupKind::List, [this](window::Message& m) { PopupProc(m); });
    window::TheDesktop().SetCapture(popup_);
    Invalidate();
}

int TComboBox::ItemAt(int y) const {
    const int index = (y - 1) / itemHeight_;
    return y >= 1 && index < items_.Count() ? index : -1;
}

void TComboBox::PopupProc(window::Message& m) {
    using window::MessageKind;
    const bool inside = m.point.x >= 0 && m.point.y >= 0 && m.point.x < Width() && popup_ &&
                        m.point.y < popup_->Height();
    switch (m.kind) {
        case MessageKind::Paint:
            PaintPopup(m.dc);
            break;
        case MessageKind::MouseMove:
            if (inside && ItemAt(m.point.y) >= 0 && ItemAt(m.point.y) != hotIndex_) {
                hotIndex_ = ItemAt(m.point.y);
                window::TheDesktop().Invalidate(popup_);
            }
            break;
        case MessageKind::MouseDown:
        case MessageKind::DoubleClick:
            if (!inside) SetDroppedDown(false);
            break;
        case MessageKind::MouseUp:
            if (inside && ItemAt(m.point.y) >= 0) {
                const int chosen = ItemAt(m.point.y);
                SetDroppedDown(false);
                Choose(chosen);  // last: OnChange may do anything
            }
            break;
        case MessageKind::CaptureLost:
            if (popup_ == m.window) SetDroppedDown(false);
            break;
        default:
            break;
    }
}

void TComboBox::PaintPopup(gdi::HDC dc) {
    const gdi::RECT all{0, 0, Width(), popup_->Height()};
    FillSolid(dc, all, clWindow);
    FrameSolid(dc, all, clWindowText);
    for (int i = 0; i < items_.Count(); ++i) {
        const gdi::RECT row{1, 1 + i * itemHeight_, Width() - 1, 1 + (i + 1) * itemHeight_};
        if (i == hotIndex_) FillSolid(dc, row, clHighlight);
        DrawControlTextInColor(dc, items_[i], {row.left + 2, row.top, row.right, row.bottom},
                               gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX, Font(),
                               i == hotIndex_ ? clHighlightText : Font().Color());
    }
}

void TComboBox::WndProc(window::Message& message) {
    if (message.kind == window::MessageKind::KillFocus) SetDroppedDown(false);
    TWinControl::WndProc(message);
}

bool TComboBox::WantsKey(int key, Shift) const {
    namespace vk = window::vk;
    if (key >= vk::kLeft && key <= vk::kDown) return true;
    return DroppedDown() && (key == vk::kReturn || key == vk::kEscape);
}

void TComboBox::KeyDown(int& key, Shift shift) {
    TWinControl::KeyDown(key, shift);
    namespace vk = window::vk;
    const int last = items_.Count() - 1;
    if (DroppedDown()) {
        auto moveHot = [&](int to) {
            hotIndex_ = std::clamp(to, 0, last);
            window::TheDesktop().Invalidate(popup_);
        };
        switch (key) {
            case vk::kUp: moveHot(hotIndex_ - 1); break;
            case vk::kDown: moveHot(hotIndex_ + 1); break;
            case vk::kHome: moveHot(0); break;
            case vk::kEnd: moveHot(last); break;
            case vk::kReturn: {
                const int chosen = hotIndex_;
                SetDroppedDown(false);
                Choose(chosen);
                break;
            }
            case vk::kEscape:
            case vk::kF4: SetDroppedDown(false); break;
            default: break;
        }
        return;
    }
    if ((key == vk::kDown && window::Has(shift, Shift::Alt)) || key == vk::kF4) {
        SetDroppedDown(true);
        return;
    }
    if (items_.Count() == 0) return;
    switch (key) {
        case vk::kUp:
        case vk::kLeft: Choose(std::max(0, itemIndex_ - 1)); break;
        case vk::kDown:
        case vk::kRight: Choose(std::min(last, itemIndex_ + 1)); break;
        case vk::kHome: Choose(0); break;
        case vk::kEnd: Choose(last); break;
        default: break;
    }
}

void TComboBox::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key < 0x20 || items_.Count() == 0) return;
    // The next item after the chosen one that starts with the letter, wrapping around.
    const int count = items_.Count();
    const int from = DroppedDown() ? hotIndex_ : itemIndex_;
    for (int step = 1; step <= count; ++step) {
        const int i = ((from < 0 ? -1 : from) + step) % count;
        const std::string& item = items_[i];
        if (!item.empty() && utf8::UpperCase(utf8::Decode(item, 0).code) == utf8::UpperCase(key)) {
            if (DroppedDown()) {
                hotIndex_ = i;
                window::TheDesktop().Invalidate(popup_);
            } else {
                Choose(i);
            }
            return;
        }
    }
}

void TComboBox::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button == MouseButton::Left) SetDroppedDown(!DroppedDown());
}

void TComboBox::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool enabled = ReallyEnabled();
    FillSolid(dc, ClientRect(), enabled ? Color() : clBtnFace);
    gdi::RECT edge = ClientRect();
    gdi::DrawEdge(dc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
    gdi::RECT button{Width() - 2 - kButtonWidth, 2, Width() - 2, Height() - 2};
    FillSolid(dc, button, clBtnFace);
    gdi::RECT buttonEdge = button;
    gdi::DrawEdge(dc, &buttonEdge, DroppedDown() ? gdi::BDR_SUNKENOUTER : gdi::EDGE_RAISED, gdi::BF_RECT);
    const int cx = (button.left + button.right) / 2 + (DroppedDown() ? 1 : 0);
    const int cy = (button.top + button.bottom) / 2 + (DroppedDown() ? 1 : 0);
    const gdi::POINT arrow[3] = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}};
    FillArrowGlyph(dc, arrow, enabled ? TextState::Enabled : TextState::Disabled);
    const gdi::RECT field{3, 3, button.left - 1, Height() - 3};
    const bool highlighted = Focused() && !DroppedDown();
    if (highlighted) FillSolid(dc, field, clHighlight);
    const gdi::RECT textRect{field.left + 2, field.top, field.right, field.bottom};
    const gdi::UINT format = gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX;
    if (itemIndex_ >= 0) {
        if (highlighted)
            DrawControlTextInColor(dc, items_[itemIndex_], textRect, format, Font(), clHighlightText);
        else
            DrawControlText(dc, items_[itemIndex_], textRect, format, Font(),
                            enabled ? TextState::Enabled : TextState::Disabled);
    }
    if (highlighted) gdi::DrawFocusRect(dc, &field);
}

}  // namespace plexon
