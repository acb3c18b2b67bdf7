// The base of the panel family (filled panel, group box): a windowed container with a bevel whose
// width keeps aligned children inside the border, transparency over the parent, and the background
// that transparent children copy. What fills the panel is the subclasses' business.
#pragma once

#include "controls/PxBevel.h"
#include "framework/WinControl.h"

namespace plexon {

class TPxCustomPanel : public TWinControl {
  public:
    explicit TPxCustomPanel(TComponent* owner);

    TPxBevel& Bevel() { return bevel_; }
    const TPxBevel& Bevel() const { return bevel_; }
    // Transparent: the parent's background shows instead of the panel's own.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The bevel's plain borders are left undrawn (their space is still taken).
    bool TransparentBorder() const { return transparentBorder_; }
    void SetTransparentBorder(bool value);

    // Copies the panel's background (without bevel, caption or children) under the client
    // rectangle `area` to (x, y) of dc, as transparent children need it. False when the panel
    // keeps no background of its own to give.
    virtual bool CopyBackground(gdi::HDC dc, const gdi::RECT& area, int x, int y);
    // Whether CopyBackground has something to give.
    virtual bool KeepsBackground() { return false; }

  protected:
    gdi::RECT AlignRect() const override;
    void EraseBackground(gdi::HDC dc) override;
    // Fills r of dc (client coordinates of this control) with what lies behind it: the parent's
    // background where it keeps one, else the parent's colour.
    void PaintParentBackground(gdi::HDC dc, const gdi::RECT& r);
    // A settings object changed: realign and repaint.
    virtual void SettingsChanged();

  private:
    TPxBevel bevel_;
    bool transparent_ = false;
    bool transparentBorder_ = false;
};

}  // namespace plexon
