// The drawing surface: a device context with a font, a pen, a brush and a copy mode; text, shapes,
// picture drawing and pixel access. Where the context comes from is the subclass's business.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Pen.h"
#include "platform/gdi/Types.h"

namespace plexon {

class TBitmap;
class TGraphic;

enum class TBrushStyle { Solid, Clear };

// A fill colour and style; the platform brush is made on first use and remade after a change.
class TBrush {
  public:
    TBrush() = default;
    ~TBrush();
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    // The platform brush: solid in the resolved colour, or the hollow stock brush for Clear.
    gdi::HBRUSH Handle();

  private:
    friend class TCanvas;
    void FreeHandle();

    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    gdi::HBRUSH handle_ = nullptr;
    std::function<void()> releasing_;  // see TFont
};

// Font, pen and brush are selected into the context whenever Handle() hands it out, so platform
// calls on Handle() draw with them; a change to one of them takes it out of the context until then.
class TCanvas {
  public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Makes sure of a device context; EInvalidOperation "Canvas does not allow drawing" without.
    gdi::HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }

    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    gdi::DWORD CopyMode() const { return copyMode_; }
    void SetCopyMode(gdi::DWORD rop) { copyMode_ = rop; }

    // Draws the picture at its own size with its top-left corner at (x, y); nothing for a
    // missing or empty picture.
    void DrawGraphic(int x, int y, TGraphic* graphic);
    // Draws the picture stretched into r; nothing for a missing picture.
    void StretchGraphic(const gdi::RECT& r, TGraphic* graphic);

    // Copies the source rectangle of the bitmap into r, painting the brush where the bitmap has
    // `color` (a clear brush leaves the canvas there); nothing for a missing bitmap.
    void ColorKeyCopy(const gdi::RECT& r, TBitmap* bitmap, const gdi::RECT& source, TColor color);

    gdi::COLORREF Pixels(int x, int y);
    void SetPixels(int x, int y, TColor color);

    // Text in Font from the top left of its cell; the background is the Brush colour, or left as it
    // is with a Clear brush. The pen position moves to the end of the text.
    void TextOut(int x, int y, const std::string& text);
    gdi::SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // Shapes outlined with Pen and filled with Brush, on the platform's pixel rules.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const std::vector<gdi::POINT>& points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    gdi::POINT PenPos() const { return penPos_; }
    // The rectangle filled / framed (one pixel) with Brush.
    void FillRect(const gdi::RECT& r);
    void FrameRect(const gdi::RECT& r);

    // The canvas's own lock: a locked canvas keeps its device context (see ReleaseIdleBitmapDcs).
    void Lock();
    void Unlock();
    // Takes the lock only when nobody, this thread included, holds it; true when taken.
    bool TryLock();
    int LockCount() const;

  protected:
    // Makes a context and hands it to SetHandle; a plain canvas cannot make one.
    virtual void CreateHandle() {}
    virtual void Changing() {}
    virtual void Changed() {}
    // A new context (or none) has nothing of this canvas selected yet.
    void SetHandle(gdi::HDC dc);

  private:
    // Selects what is not selected yet: font (with the text colour), pen, brush (with the background).
    void SelectObjects();
    void ReleaseFont();
    void ReleasePen();
    void ReleaseBrush();

    gdi::HDC dc_ = nullptr;
    bool fontSelected_ = false, penSelected_ = false, brushSelected_ = false;
    gdi::POINT penPos_;
    TBrush brush_;
    TFont font_;
    TPen pen_;
    gdi::DWORD copyMode_ = 0x00CC0020;  // SRCCOPY
    std::recursive_mutex lock_;
    int lockCount_ = 0;  // guarded by the process-wide count lock
};

// Holds a canvas's lock for one scope, on the normal and on the error path.
class TCanvasLock {
  public:
    explicit TCanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas_.Lock(); }
    ~TCanvasLock() { canvas_.Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

  private:
    TCanvas& canvas_;
};

}  // namespace plexon
