// The mask engine of the masked edit: a mask "body;save-literals;blank" split into fixed and
// editable positions, laying a text over it, reading it back and checking it. No drawing, no keys.
#pragma once

#include <string>
#include <vector>

namespace plexon {

// Letters and digits of the 8-bit character set (Windows-1252), as its character tests call them.
bool IsAlpha8(char ch);
bool IsAlphaNumeric8(char ch);

class TEditMask {
  public:
    // Mask characters: L letter, A letter or digit, 0 digit, C any character (required), and
    // l, a, 9, c the optional forms; "\" makes the next character fixed; any other is fixed.
    explicit TEditMask(const std::string& mask);

    int Length() const { return int(positions_.size()); }
    bool IsFixed(int index) const { return positions_.at(std::size_t(index)).kind == Kind::Fixed; }
    bool Accepts(int index, char ch) const;
    char BlankChar() const { return blank_; }
    bool SavesLiterals() const { return saveLiterals_; }

    // What the field shows: fixed characters and entered ones, blanks elsewhere.
    const std::string& Display() const { return display_; }
    bool IsEmptyAt(int index) const { return !IsFixed(index) && display_[std::size_t(index)] == blank_; }
    void Set(int index, char ch);  // ch must be accepted
    void Clear(int index);         // editable positions only
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
        char fixed;
    };
    std::vector<Position> positions_;
    bool saveLiterals_ = true;
    char blank_ = '_';
    std::string display_;
};

}  // namespace plexon
