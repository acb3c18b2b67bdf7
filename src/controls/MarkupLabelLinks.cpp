// The markup label as a screen reader sees it: a label whose text is its markup without tags, with
// one child per link.
#include "controls/MarkupLabel.h"
#include "controls/MarkupLinkNode.h"
#include "controls/markup/MarkupText.h"

namespace plexon {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string TMarkupLinkNode::AccessibleName() const {
    return Trimmed(Link().text);
}

gdi::RECT TMarkupLinkNode::Extents() const {
    const gdi::RECT label = label_.Extents(), r = Link().rect;
    return {label.left + r.left, label.top + r.top, label.left + r.right, label.top + r.bottom};
}

bool TMarkupLinkNode::DoAction(int index) {
    const TMarkupLink link = Link();
    if (index != 0 || link.target.empty() || !label_.AcceptsInput() || !label_.ReallyVisible()) return false;
    label_.FollowLink(link.target);
    return true;
}

TMarkupLink TMarkupLinkNode::Link() const {
    const std::vector<TMarkupLink> links = label_.Links();
    return index_ < int(links.size()) ? links[std::size_t(index_)] : TMarkupLink{};
}

std::string TMarkupLabel::AccessibleText() const {
    return WithNewlines(MarkupShownText(DisplayText()));
}

int TMarkupLabel::AccessibleChildCount() const {
    return int(const_cast<TMarkupLabel*>(this)->Links().size());
}

window::Accessible* TMarkupLabel::AccessibleChild(int index) const {
    if (index < 0 || index >= AccessibleChildCount()) return nullptr;
    // Nodes stay once made, so a screen reader's references to them stay valid.
    while (int(linkNodes_.size()) <= index)
        linkNodes_.push_back(
            std::make_unique<TMarkupLinkNode>(*const_cast<TMarkupLabel*>(this), int(linkNodes_.size())));
    return linkNodes_[std::size_t(index)].get();
}

}  // namespace plexon
