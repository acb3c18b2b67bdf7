// The string list.
#include "framework/StringList.h"

#include "framework/FrameworkErrors.h"

namespace plexon {

void TStringList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) throw EStringListError(Format(msg::kListIndex, {std::to_string(index)}));
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return items_[std::size_t(index)];
}

void TStringList::SetStrings(int index, const std::string& value) {
    CheckIndex(index, Count());
    items_[std::size_t(index)] = value;
    Changed();
}

int TStringList::Add(const std::string& value) {
    items_.push_back(value);
    Changed();
    return Count() - 1;
}

void TStringList::Insert(int index, const std::string& value) {
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, value);
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty()) return;
    items_.clear();
    Changed();
}

int TStringList::IndexOf(const std::string& value) const {
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == value) return int(i);
    return -1;
}

void TStringList::Assign(const std::vector<std::string>& values) {
    items_ = values;
    Changed();
}

std::string TStringList::Text() const {
    std::string text;
    for (const std::string& item : items_) text += item + "\r\n";
    return text;
}

void TStringList::EndUpdate() {
    if (updates_ > 0 && --updates_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        if (OnChange) OnChange();
    }
}

void TStringList::Changed() {
    if (updates_ > 0) {
        changedInUpdate_ = true;
    } else if (OnChange) {
        OnChange();
    }
}

}  // namespace plexon
