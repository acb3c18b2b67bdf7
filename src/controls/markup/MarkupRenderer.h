// The running state of one RenderMarkup call and the steps that share it: lines and passes
// (RenderMarkup.cpp), tags (MarkupTags.cpp), pictures, lists and backgrounds (MarkupPictureTags.cpp).
// Internal to the renderer.
#pragma once

#include <string>
#include <string_view>

#include "controls/markup/RenderMarkup.h"
#include "graphics/Font.h"

namespace plexon::markup {

enum class PassMode { Measure, Draw };
enum class Alignment { Left, Right, Center };

// The next occurrence of one character in the suffixes of one buffer, remembered between calls so
// that walking a long text without that character stays linear.
class NextChar {
  public:
    explicit NextChar(char c) : c_(c) {}
    // Index in rest, or npos.
    std::size_t In(std::string_view rest);

  private:
    char c_;
    const char* bufferEnd_ = nullptr;
    const char* next_ = nullptr;  // bufferEnd_ when there is none
};

// One pass over a line: its rectangles and what it has reached.
struct Pass {
    PassMode mode = PassMode::Measure;
    bool second = false;  // the line's positioning pass
    gdi::RECT R{}, W{};
    int x = 0;  // offset from R.left reached
    bool lineTextEmpty = true;
    char lineTextLast = 0;
    int runCount = 0;
    int trailingSpace = 0;
    int lineBottom = 0;  // the aligned line's bottom, for hit tests
    int indent = 0;      // of R.left, by P INDENT (measuring pass)
    bool ended = false, overflow = false, itemSeen = false, runHit = false;
    std::string* consumed = nullptr;  // measuring pass: the source text it takes for the second pass
    std::string_view rest;
};

class Renderer {
  public:
    Renderer(TCanvas& canvas, const TMarkupInput& input);
    TMarkupResult Run();

  private:
    void RunLine(std::string_view& rest, const gdi::RECT& running);
    void RunPass(Pass& pass);
    void TakeRun(Pass& pass, std::string_view source);
    int DrawRun(Pass& pass, const std::string& run);
    void Consume(Pass& pass, std::size_t count);
    void Drop(Pass& pass) { pass.rest = {}; }

    // Tags (MarkupTags.cpp).
    void ApplyTag(Pass& pass, std::string_view tag);
    void OpenTag(Pass& pass, std::string_view tag);
    void CloseTag(Pass& pass, std::string_view tag);
    void FontTag(Pass& pass, std::string_view tag);
    void ParagraphTag(Pass& pass, std::string_view tag);
    void RotateTag(std::string_view tag);
    void LinkStart(Pass& pass, std::string_view tag);
    void LinkEnd(Pass& pass);

    // Pictures, lists and backgrounds (MarkupPictureTags.cpp).
    void PictureTag(Pass& pass, std::string_view tag);
    void ListItemTag(Pass& pass);
    struct Band {
        TColor from = clNone, to = clNone;
        bool gradient = false;
    };
    Band ParagraphBand(std::string_view upperTag);
    void ParagraphBackground(std::string_view upperTag);
    void PaintBand(const Band& band, const gdi::RECT& line);
    void LineBackgrounds(std::string_view text, const gdi::RECT& line);
    void BodyTag(Pass& pass, std::string_view tag);
    void BodyBackground(std::string_view tag, const gdi::RECT& line);
    class TMarkupPicture* FindNamedPicture(const std::string& source);

    // Canvas helpers.
    TFont& Font() { return canvas_.Font(); }
    void SetBackground(TColor colour);
    int Height(std::string_view text);
    int GhHeight() { return Height("gh"); }
    void ApplyRotation();
    bool Drawing(const Pass& pass) const { return pass.mode == PassMode::Draw; }

    TCanvas& canvas_;
    const TMarkupInput& in_;
    const gdi::UINT format_;
    TFont base_;
    TColor entryBrush_;
    TBrushStyle entryBrushStyle_;
    std::string text_;
    TMarkupResult result_;

    TFont measureChain_, drawChain_;
    TColor background_ = clNone;
    TColor fontSavedBackground_ = clNone, paragraphSavedBackground_ = clNone, linkSavedBackground_ = clNone;
    TColor highlightSavedBackground_ = clNone, highlightSavedFont_ = clNone;
    bool inLink_ = false;
    std::string linkTarget_;
    std::string linkText_;  // what the positioning pass placed of the current link
    int linkCounter_ = 0;
    gdi::POINT linkStart_{};
    int linkStartLine_ = 0;
    bool linkFound_ = false;
    int pictureCounter_ = 0, hitPicture_ = -1;
    int listLevel_ = 0;
    Alignment alignment_ = Alignment::Left;
    int indent_ = 0;
    bool shadow_ = false, hidden_ = false, errorMark_ = false, subscript_ = false, superscript_ = false;
    bool paragraphBackground_ = false;
    TColor paragraphFrom_ = clNone, paragraphTo_ = clNone;  // a gradient paragraph's colours
    bool rotated_ = false;
    int rotation_ = 0;  // tenths of a degree

    int lineNumber_ = 0;
    int lineHeight_ = 0, subDepth_ = 0, supLift_ = 0, pictureOffset_ = 0;
    NextChar nextTag_{'<'}, nextSpace_{' '};
    NextChar lineTag_{'<'}, lineSpace_{' '};
};

}  // namespace plexon::markup
