// The mask engine.
#include "framework/EditMask.h"

namespace plexon {

bool IsAlpha8(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    // The accented and other letters of the upper half of the character set.
    switch (c) {
        case 0x83: case 0x8A: case 0x8C: case 0x8E: case 0x9A: case 0x9C: case 0x9E: case 0x9F:
        case 0xAA: case 0xB5: case 0xBA:
            return true;
        default:
            return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    }
}

bool IsAlphaNumeric8(char ch) {
    return IsAlpha8(ch) || (ch >= '0' && ch <= '9');
}

TEditMask::TEditMask(const std::string& mask) {
    std::string body = mask;
    const std::size_t first = mask.find(';');
    if (first != std::string::npos) {
        body = mask.substr(0, first);
        const std::string rest = mask.substr(first + 1);
        const std::size_t second = rest.find(';');
        const std::string save = rest.substr(0, second);
        saveLiterals_ = save != "0";
        if (second != std::string::npos && second + 1 < rest.size()) blank_ = rest[second + 1];
    }
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        switch (c) {
            case 'L': positions_.push_back({Kind::Letter, true, 0}); break;
            case 'l': positions_.push_back({Kind::Letter, false, 0}); break;
            case 'A': positions_.push_back({Kind::AlphaNumeric, true, 0}); break;
            case 'a': positions_.push_back({Kind::AlphaNumeric, false, 0}); break;
            case '0': positions_.push_back({Kind::Digit, true, 0}); break;
            case '9': positions_.push_back({Kind::Digit, false, 0}); break;
            case 'C': positions_.push_back({Kind::Any, true, 0}); break;
            case 'c': positions_.push_back({Kind::Any, false, 0}); break;
            case '\\':
                if (i + 1 < body.size()) positions_.push_back({Kind::Fixed, false, body[++i]});
                break;
            default: positions_.push_back({Kind::Fixed, false, c}); break;
        }
    }
    for (const Position& p : positions_) display_ += p.kind == Kind::Fixed ? p.fixed : blank_;
}

bool TEditMask::Accepts(int index, char ch) const {
    switch (positions_.at(std::size_t(index)).kind) {
        case Kind::Fixed: return false;
        case Kind::Letter: return IsAlpha8(ch);
        case Kind::AlphaNumeric: return IsAlphaNumeric8(ch);
        case Kind::Digit: return ch >= '0' && ch <= '9';
        case Kind::Any: return ch != 0;
    }
    return false;
}

void TEditMask::Set(int index, char ch) {
    if (!IsFixed(index)) display_[std::size_t(index)] = ch;
}

void TEditMask::Clear(int index) {
    if (!IsFixed(index)) display_[std::size_t(index)] = blank_;
}

void TEditMask::SetText(const std::string& text) {
    std::size_t next = 0;
    for (int i = 0; i < Length(); ++i) {
        if (IsFixed(i)) {
            display_[std::size_t(i)] = positions_[std::size_t(i)].fixed;
            if (saveLiterals_ && next < text.size()) ++next;
            continue;
        }
        const bool have = next < text.size();
        const char c = have ? text[next++] : blank_;
        display_[std::size_t(i)] = have && Accepts(i, c) ? c : blank_;
    }
}

std::string TEditMask::Text() const {
    std::string text;
    for (int i = 0; i < Length(); ++i) {
        if (IsFixed(i)) {
            if (saveLiterals_) text += display_[std::size_t(i)];
        } else {
            text += IsEmptyAt(i) ? ' ' : display_[std::size_t(i)];
        }
    }
    return text;
}

bool TEditMask::Complete() const {
    for (int i = 0; i < Length(); ++i)
        if (positions_[std::size_t(i)].required && (IsEmptyAt(i) || display_[std::size_t(i)] == ' ')) return false;
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
