// The mask engine.
#include "framework/EditMask.h"

#include <string_view>

#include "runtime/Utf8.h"

namespace plexon {

namespace {

// The characters of text, each as its own bytes.
std::vector<std::string> Split(std::string_view text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = utf8::Next(text, at);
        characters.emplace_back(text.substr(at, next - at));
        at = next;
    }
    return characters;
}

}  // namespace

TEditMask::TEditMask(const std::string& mask) {
    std::string body = mask;
    const std::size_t first = mask.find(';');
    if (first != std::string::npos) {
        body = mask.substr(0, first);
        const std::string rest = mask.substr(first + 1);
        const std::size_t second = rest.find(';');
        const std::string save = rest.substr(0, second);
        saveLiterals_ = save != "0";
        if (second != std::string::npos && second + 1 < rest.size())
            blank_ = Split(rest.substr(second + 1))[0];
    }
    const std::vector<std::string> characters = Split(body);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::string& c = characters[i];
        if (c == "L")
            positions_.push_back({Kind::Letter, true, {}});
        else if (c == "l")
            positions_.push_back({Kind::Letter, false, {}});
        else if (c == "A")
            positions_.push_back({Kind::AlphaNumeric, true, {}});
        else if (c == "a")
            positions_.push_back({Kind::AlphaNumeric, false, {}});
        else if (c == "0")
            positions_.push_back({Kind::Digit, true, {}});
        else if (c == "9")
            positions_.push_back({Kind::Digit, false, {}});
        else if (c == "C")
            positions_.push_back({Kind::Any, true, {}});
        else if (c == "c")
            positions_.push_back({Kind::Any, false, {}});
        else if (c == "\\") {
            if (i + 1 < characters.size()) positions_.push_back({Kind::Fixed, false, characters[++i]});
        } else {
            positions_.push_back({Kind::Fixed, false, c});
        }
    }
    cells_.resize(positions_.size());
    offsets_.resize(positions_.size() + 1);
    for (int i = 0; i < Length(); ++i) Put(i, IsFixed(i) ? positions_[std::size_t(i)].fixed : blank_);
}

void TEditMask::Put(int index, std::string cell) {
    cells_[std::size_t(index)] = std::move(cell);
    display_.clear();
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        offsets_[i] = display_.size();
        display_ += cells_[i];
    }
    offsets_.back() = display_.size();
}

bool TEditMask::Accepts(int index, char32_t ch) const {
    const bool digit = ch >= '0' && ch <= '9';
    switch (positions_.at(std::size_t(index)).kind) {
        case Kind::Fixed: return false;
        case Kind::Letter:
            return utf8::IsLetter(ch);
        case Kind::AlphaNumeric:
            return utf8::IsLetter(ch) || digit;
        case Kind::Digit:
            return digit;
        case Kind::Any: return ch != 0;
    }
    return false;
}

void TEditMask::Set(int index, char32_t ch) {
    if (!IsFixed(index)) Put(index, utf8::Encode(ch));
}

void TEditMask::Clear(int index) {
    if (!IsFixed(index)) Put(index, blank_);
}

void TEditMask::SetText(const std::string& text) {
    std::size_t next = 0;
    for (int i = 0; i < Length(); ++i) {
        if (IsFixed(i)) {
            Put(i, positions_[std::size_t(i)].fixed);
            if (saveLiterals_ && next < text.size()) next = utf8::Next(text, next);
            continue;
        }
        if (next >= text.size()) {
            Put(i, blank_);
            continue;
        }
        const utf8::Character c = utf8::Decode(text, next);
        // A bad byte reads as U+FFFD; a position that takes any character keeps the byte itself.
        Put(i, Accepts(i, c.code) ? text.substr(next, c.size) : blank_);
        next += c.size;
    }
}

std::string TEditMask::Text() const {
    std::string text;
    for (int i = 0; i < Length(); ++i) {
        if (IsFixed(i)) {
            if (saveLiterals_) text += cells_[std::size_t(i)];
        } else {
            text += IsEmptyAt(i) ? std::string(" ") : cells_[std::size_t(i)];
        }
    }
    return text;
}

bool TEditMask::Complete() const {
    for (int i = 0; i < Length(); ++i)
        if (positions_[std::size_t(i)].required && IsBlankAt(i)) return false;
    return true;
}

int TEditMask::NextEditable(int index) const {
    while (index < Length() && IsFixed(index)) ++index;
    return index;
}

int TEditMask::PreviousEditable(int index) const {
    while (index >= 0 && IsFixed(index)) --index;
    return index;
}

}  // namespace plexon
