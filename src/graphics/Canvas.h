// The drawing surface: a device context with a brush, a font colour and a copy mode, picture
// drawing and pixel access. Where the context comes from is the subclass's business.
#pragma once

#include <mutex>

#include "graphics/Color.h"
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
    void FreeHandle();

    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::Solid;
    gdi::HBRUSH handle_ = nullptr;
};

// Only the colour for now: it is the text colour of drawing into a context.
class TFont {
  public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }

  private:
    TColor color_ = clWindowText;
};

class TCanvas {
  public:
    TCanvas() = default;
    virtual ~TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // Makes sure of a device context; EInvalidOperation "Canvas does not allow drawing" without.
    gdi::HDC Handle();
    bool HandleAllocated() const { return dc_ != nullptr; }

    TBrush& Brush() { return brush_; }
    TFont& Font() { return font_; }
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
    void SetHandle(gdi::HDC dc) { dc_ = dc; }

  private:
    gdi::HDC dc_ = nullptr;
    TBrush brush_;
    TFont font_;
    gdi::DWORD copyMode_ = 0x00CC0020;  // SRCCOPY
    std::recursive_mutex lock_;
    int lockCount_ = 0;  // guarded by the process-wide count lock
};

}  // namespace plexon
