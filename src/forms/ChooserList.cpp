// The chooser list: selection rules of a classic extended-selection list box, its scroll bar and
// wheel, type-to-find, and the folder glyph.
#include "forms/ChooserList.h"

#include <algorithm>

#include "framework/ControlDrawing.h"
#include "framework/ScrollBar.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"
#include "runtime/PathText.h"
#include "runtime/Utf8.h"

namespace plexon {

namespace {
constexpr TColor clHighlight = SystemColor(13), clHighlightText = SystemColor(14);
constexpr int kBorder = 2;
constexpr int kGlyphWidth = 18;

// A closed manila folder with its tab, 14 x 12, its top-left at (x, y).
void DrawFolderGlyph(gdi::HDC dc, int x, int y) {
    constexpr TColor kPaper = TColor(0x66D8FF), kEdge = TColor(0x007FA0);  // as 0x00BBGGRR
    FillSolid(dc, {x + 1, y, x + 6, y + 2}, kPaper);
    FrameSolid(dc, {x, y - 1, x + 7, y + 3}, kEdge);
    FillSolid(dc, {x, y + 2, x + 14, y + 12}, kPaper);
    FrameSolid(dc, {x, y + 2, x + 14, y + 12}, kEdge);
}
}  // namespace

TChooserList::TChooserList(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    focusOnClick_ = true;
    scrollBar_ = new TScrollBar(this);
    scrollBar_->SetParent(this);
    scrollBar_->OnScroll = [this](TComponent*) {
        topIndex_ = scrollBar_->Position();
        Invalidate();
    };
}

void TChooserList::BoundsChanged() {
    TWinControl::BoundsChanged();
    const int width = gdi::GetSystemMetrics(gdi::SM_CXVSCROLL);
    scrollBar_->SetBounds(Width() - kBorder - width, kBorder, width, std::max(0, Height() - 2 * kBorder));
    SyncScrollBar();
}

void TChooserList::SetItems(std::vector<TChooserItem> items) {
    items_ = std::move(items);
    selected_.assign(items_.size(), false);
    itemIndex_ = items_.empty() ? -1 : 0;
    anchor_ = itemIndex_;
    topIndex_ = 0;
    typed_.clear();
    SyncScrollBar();
    Invalidate();
}

void TChooserList::Changed() {
    ScrollIntoView();
    Invalidate();
    if (OnChange) OnChange(this);
}

void TChooserList::SelectOnly(int index) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0 && index < int(items_.size())) selected_[std::size_t(index)] = true;
    itemIndex_ = anchor_ = index;
    Changed();
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

void TChooserList::SetTopIndex(int index) {
    topIndex_ = std::clamp(index, 0, std::max(0, int(items_.size()) - VisibleRows()));
    scrollBar_->SetPosition(topIndex_);
    Invalidate();
}

void TChooserList::SyncScrollBar() {
    topIndex_ = std::clamp(topIndex_, 0, std::max(0, int(items_.size()) - VisibleRows()));
    scrollBar_->SetParams(int(items_.size()), VisibleRows(), topIndex_);
}

void TChooserList::ScrollIntoView() {
    if (itemIndex_ < 0) return;
    if (itemIndex_ < topIndex_) SetTopIndex(itemIndex_);
    if (itemIndex_ >= topIndex_ + VisibleRows()) SetTopIndex(itemIndex_ - VisibleRows() + 1);
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
        Changed();
        return;
    }
    if (multiSelect_ && window::Has(shift, Shift::Ctrl)) {
        FocusOnly(index);
        return;
    }
    SelectOnly(index);
}

void TChooserList::FocusOnly(int index) {
    itemIndex_ = anchor_ = index;
    ScrollIntoView();
    Invalidate();
}

void TChooserList::Toggle(int index) {
    selected_[std::size_t(index)] = !selected_[std::size_t(index)];
    itemIndex_ = anchor_ = index;
    Changed();
}

void TChooserList::SelectAll() {
    std::fill(selected_.begin(), selected_.end(), true);
    Changed();
}

bool TChooserList::WantsKey(int key, Shift) const {
    return (key >= window::vk::kLeft && key <= window::vk::kDown) || (wantsReturn_ && key == window::vk::kReturn);
}

void TChooserList::KeyDown(int& key, Shift shift) {
    namespace vk = window::vk;
    TWinControl::KeyDown(key, shift);
    const int page = VisibleRows();
    const bool ctrl = window::Has(shift, Shift::Ctrl);
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
        case vk::kSpace:
            if (!ctrl || itemIndex_ < 0) return;
            if (multiSelect_) Toggle(itemIndex_);
            else SelectOnly(itemIndex_);
            break;
        case 'A':
            if (!ctrl || !multiSelect_) return;
            SelectAll();
            break;
        default:
            return;
    }
    key = 0;
}

void TChooserList::KeyPress(char32_t& key) {
    TWinControl::KeyPress(key);
    if (key <= ' ' || key == 0x7F) return;
    FindTyped(key);
    key = 0;
}

// Letters typed close together spell the start of a name; a single letter typed again goes on to
// the next name with it, as in the desktop's file managers.
void TChooserList::FindTyped(char32_t ch) {
    const std::uint64_t now = window::TheDesktop().Native().Milliseconds();
    if (now - lastTyped_ > kFindPause) typed_.clear();
    lastTyped_ = now;
    typed_ += utf8::Encode(ch);
    const std::string wanted = LowerCase(typed_);
    const int count = int(items_.size());
    if (count == 0) return;
    const int from = typed_.size() == utf8::Encode(ch).size() ? itemIndex_ + 1 : std::max(itemIndex_, 0);
    for (int step = 0; step < count; ++step) {
        const int i = ((from + step) % count + count) % count;
        if (LowerCase(items_[std::size_t(i)].name).starts_with(wanted)) {
            SelectOnly(i);
            return;
        }
    }
}

void TChooserList::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left || y < kBorder) return;
    const int index = topIndex_ + (y - kBorder) / kItemHeight;
    if (index >= int(items_.size())) return;
    if (multiSelect_ && window::Has(shift, Shift::Ctrl)) {
        Toggle(index);
        return;
    }
    MoveTo(index, window::KeyModifiers(shift));
}

bool TChooserList::MouseWheel(Shift, int notches) {
    SetTopIndex(topIndex_ - notches * kWheelLines);
    return true;
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
    return index >= 0 && index < int(items_.size()) ? items_[std::size_t(index)].name : std::string();
}

std::string TChooserList::ItemDescription(int index) const {
    return index >= 0 && index < int(items_.size()) && items_[std::size_t(index)].folder ? "folder" : "";
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
    return {box.left + kBorder, top, box.right - kBorder - scrollBar_->Width(), top + kItemHeight};
}

void TChooserList::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    FillSolid(dc, ClientRect(), Color());
    gdi::RECT edge = ClientRect();
    gdi::DrawEdge(dc, &edge, gdi::EDGE_SUNKEN, gdi::BF_RECT);
    TFont highlighted = Font();
    highlighted.SetColor(clHighlightText);
    const int rows = VisibleRows();
    const int right = Width() - kBorder - scrollBar_->Width();
    for (int row = 0; row < rows && topIndex_ + row < int(items_.size()); ++row) {
        const int i = topIndex_ + row;
        const TChooserItem& item = items_[std::size_t(i)];
        const gdi::RECT line{kBorder, kBorder + row * kItemHeight, right, kBorder + (row + 1) * kItemHeight};
        if (item.folder) DrawFolderGlyph(dc, line.left + 2, line.top + 3);
        const gdi::RECT text{line.left + kGlyphWidth, line.top, line.right, line.bottom};
        const bool selected = selected_[std::size_t(i)];
        if (selected) FillSolid(dc, text, clHighlight);
        DrawControlText(dc, item.name, {text.left + 2, text.top, text.right, text.bottom},
                        gdi::DT_SINGLELINE | gdi::DT_VCENTER | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS,
                        selected ? highlighted : Font());
        if (i == itemIndex_ && Focused()) FrameSolid(dc, text, clWindowText);
    }
}

}  // namespace plexon
