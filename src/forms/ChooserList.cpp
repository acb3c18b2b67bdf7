// The chooser list: selection rules of a classic extended-selection list box.
#include "forms/ChooserList.h"

#include <algorithm>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {
constexpr TColor clHighlight = SystemColor(13), clHighlightText = SystemColor(14);
constexpr int kBorder = 2;
}  // namespace

TChooserList::TChooserList(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    focusOnClick_ = true;
}

void TChooserList::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    selected_.assign(items_.size(), false);
    itemIndex_ = items_.empty() ? -1 : 0;
    anchor_ = itemIndex_;
    topIndex_ = 0;
    Invalidate();
}

void TChooserList::SelectOnly(int index) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0 && index < int(items_.size())) selected_[std::size_t(index)] = true;
    itemIndex_ = anchor_ = index;
    ScrollIntoView();
    Invalidate();
    if (OnChange) OnChange(this);
}

std::vector<int> TChooserList::SelectedIndexes() const {
    std::vector<int> indexes;
    for (std::size_t i = 0; i < selected_.size(); ++i)
        if (selected_[i]) indexes.push_back(int(i));
    return indexes;
}

int TChooserList::VisibleRows() const {
    return std::max(1, (Height() - 2 * kBorder) / kItemHeight);
}

void TChooserList::ScrollIntoView() {
    if (itemIndex_ < 0) return;
    if (itemIndex_ < topIndex_) topIndex_ = itemIndex_;
    if (itemIndex_ >= topIndex_ + VisibleRows()) topIndex_ = itemIndex_ - VisibleRows() + 1;
}

// Moves the focus to index: alone, or with Shift (and multiple selection) as a range from the anchor.
void TChooserList::MoveTo(int index, Shift shift) {
    if (items_.empty()) return;
    index = std::clamp(index, 0, int(items_.size()) - 1);
    if (multiSelect_ && window::Has(shift, Shift::Shift) && anchor_ >= 0) {
        std::fill(selected_.begin(), selected_.end(), false);
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
            selected_[std::size_t(i)] = true;
        itemIndex_ = index;
        ScrollIntoView();
        Invalidate();
        if (OnChange) OnChange(this);
        return;
    }
    SelectOnly(index);
}

bool TChooserList::WantsKey(int key, Shift) const {
    return key >= window::vk::kLeft && key <= window::vk::kDown;
}

void TChooserList::KeyDown(int& key, Shift shift) {
    namespace vk = window::vk;
    TWinControl::KeyDown(key, shift);
    const int page = VisibleRows();
    switch (key) {
        case vk::kUp:
        case vk::kLeft:
            MoveTo(itemIndex_ - 1, shift);
            break;
        case vk::kDown:
        case vk::kRight:
            MoveTo(itemIndex_ + 1, shift);
            break;
        case vk::kPrior:
            MoveTo(itemIndex_ - page, shift);
            break;
        case vk::kNext:
            MoveTo(itemIndex_ + page, shift);
            break;
        case vk::kHome:
            MoveTo(0, shift);
            break;
        case vk::kEnd:
            MoveTo(int(items_.size()) - 1, shift);
            break;
        default:
            return;
    }
    key = 0;
}

void TChooserList::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left || y < kBorder) return;
    const int index = topIndex_ + (y - kBorder) / kItemHeight;
    if (index >= int(items_.size())) return;
    if (multiSelect_ && window::Has(shift, Shift::Ctrl)) {
        selected_[std::size_t(index)] = !selected_[std::size_t(index)];
        itemIndex_ = anchor_ = index;
        Invalidate();
        if (OnChange) OnChange(this);
        return;
    }
    MoveTo(index, window::KeyModifiers(shift));
}

window::Accessible* TChooserList::AccessibleChild(int index) const {
    return itemNodes_.At(*const_cast<TChooserList*>(this), *this, index, int(items_.size()));
}

bool TChooserList::SelectChild(int index) {
    if (!AcceptsInput() || index < 0 || index >= int(items_.size())) return false;
    MoveTo(index, Shift::None);
    return true;
}

std::string TChooserList::ItemText(int index) const {
    return index >= 0 && index < int(items_.size()) ? items_[std::size_t(index)] : std::string();
}

bool TChooserList::ItemSelected(int index) const {
    return index >= 0 && index < int(selected_.size()) && selected_[std::size_t(index)];
}

bool TChooserList::ItemShowing(int index) const {
    return ReallyVisible() && index >= topIndex_ && index < topIndex_ + VisibleRows();
}

gdi::RECT TChooserList::ItemExtents(int index) const {
    const gdi::RECT box = Extents();
    const int top = box.top + kBorder + (index - topIndex_) * kItemHeight;
    return {box.left + kBorder, top, box.right - kBorder, top + kItemHeight};
}

void TChooserList::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    FillSolid(dc, ClientRect(), Color());
    gdi::RECT edge = ClientRect();
    gdi::DrawEdge(dc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
    TFont highlighted = Font();
    highlighted.SetColor(clHighlightText);
    const int rows = VisibleRows();
    for (int row = 0; row < rows && topIndex_ + row < int(items_.size()); ++row) {
        const int i = topIndex_ + row;
        const gdi::RECT line{kBorder, kBorder + row * kItemHeight, Width() - kBorder,
                             kBorder + (row + 1) * kItemHeight};
        const bool selected = selected_[std::size_t(i)];
        if (selected) FillSolid(dc, line, clHighlight);
        DrawControlText(dc, items_[std::size_t(i)], {line.left + 2, line.top, line.right, line.bottom},
                        gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX,
                        selected ? highlighted : Font());
        if (i == itemIndex_ && Focused()) FrameSolid(dc, line, clWindowText);
    }
}

}  // namespace plexon
