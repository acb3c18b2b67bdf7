// The mask engine of the masked edit: a mask "body;save-literals;blank" split into fixed and
// editable positions, laying a text over it, reading it back and checking it. A position holds one
// character, whatever number of bytes it takes. No drawing, no keys.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace plexon {

class TEditMask {
  public:
    // Mask characters: L letter, A letter or digit, 0 digit, C any character (required), and
    // l, a, 9, c the optional forms; "\" makes the next character fixed; any other is fixed.
    explicit TEditMask(const std::string& mask);

    int Length() const { return int(positions_.size()); }
    bool IsFixed(int index) const { return positions_.at(std::size_t(index)).kind == Kind::Fixed; }
    // Letters of any script count as letters; digits are 0 to 9.
    bool Accepts(int index, char32_t ch) const;
    bool SavesLiterals() const { return saveLiterals_; }

    // What the field shows: fixed characters and entered ones, blanks elsewhere.
    const std::string& Display() const { return display_; }
    // Where position index begins in Display(), in bytes (index Length() gives its size).
    std::size_t Offset(int index) const { return offsets_.at(std::size_t(index)); }
    bool IsEmptyAt(int index) const { return !IsFixed(index) && cells_[std::size_t(index)] == blank_; }
    // Empty, or holding a space: what a required position may not be.
    bool IsBlankAt(int index) const { return IsEmptyAt(index) || cells_[std::size_t(index)] == " "; }
    void Set(int index, char32_t ch);  // ch must be accepted
    void Clear(int index);             // editable positions only
    // Lays text over the mask: with saved literals each character meets one position (a fixed
    // position passes over its character); otherwise characters fill the editable positions.
    // Characters past the mask are dropped; ones a position does not accept leave it empty.
    void SetText(const std::string& text);
    // Entered characters (blank as a space), with the fixed ones when literals are saved.
    std::string Text() const;
    // Every required position holds a character other than a space.
    bool Complete() const;
    // The first editable position at or after index (Length() when none), or at or before it (-1).
    int NextEditable(int index) const;
    int PreviousEditable(int index) const;

  private:
    enum class Kind { Fixed, Letter, AlphaNumeric, Digit, Any };
    struct Position {
        Kind kind;
        bool required;
        std::string fixed;
    };
    void Put(int index, std::string cell);

    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    std::string blank_ = "_";
    std::vector<std::string> cells_;  // one character each, as its bytes
    std::string display_;
    std::vector<std::size_t> offsets_{0};
};

}  // namespace plexon
