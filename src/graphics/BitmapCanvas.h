// The canvas of a bitmap: a memory device context made on demand with the bitmap selected, the
// process-wide list of such contexts and their release after each window message.
#pragma once

#include "graphics/Canvas.h"
#include "platform/gdi/Types.h"

namespace plexon {

class TBitmap;

// Takes the bitmap out of every bitmap canvas context that has it selected (a bitmap can be
// selected in one context only, and must be in none when it is deleted).
void DeselectBitmapFromCanvases(gdi::HBITMAP bitmap);

class TBitmapCanvas : public TCanvas {
  public:
    explicit TBitmapCanvas(TBitmap& bitmap);
    ~TBitmapCanvas() override;

    // Restores what the context held before, deletes it and leaves BitmapCanvasList.
    void FreeContext();

  protected:
    void CreateHandle() override;
    void Changing() override;
    void Changed() override;

  private:
    friend void DeselectBitmapFromCanvases(gdi::HBITMAP bitmap);

    TBitmap& bitmap_;
    gdi::HBITMAP selected_ = nullptr;  // the bitmap's handle as selected into the context
    gdi::HBITMAP oldBitmap_ = nullptr;
    gdi::HPALETTE oldPalette_ = nullptr;
};

// Releases the context of every bitmap canvas that nobody has locked; runs after every window
// message and at shutdown.
void ReleaseIdleBitmapDcs();
// How many bitmap canvases currently own a context.
int BitmapCanvasCount();

}  // namespace plexon
