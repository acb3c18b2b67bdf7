// The filled panel: a container whose background its fill object paints once into a bitmap of the
// panel's size, with the bevel and a one-line caption over it. Children that are transparent copy
// that background. Bitmap effects on the background and caption effects are not built.
#pragma once

#include <memory>

#include "controls/PxCustomPanel.h"
#include "controls/PxFillObject.h"

namespace plexon {

class TPxPanelFill : public TPxCustomPanel {
  public:
    explicit TPxPanelFill(TComponent* owner);
    ~TPxPanelFill() override;

    TPxFillObject& FillObject() { return fill_; }
    // Copies the given fill into the owned one.
    void SetFillObject(const TPxFillObject& fill) { fill_.Assign(fill); }
    // Placement of the caption inside the bevel.
    TPxAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPxAlignment value);

    bool CopyBackground(gdi::HDC dc, const gdi::RECT& area, int x, int y) override;
    bool KeepsBackground() override { return !Transparent() && Background(); }
    // How many times the background bitmap was built: once per size or setting, not per paint.
    int BackgroundBuilds() const { return builds_; }

  protected:
    void EraseBackground(gdi::HDC dc) override;
    void Paint() override;
    void BoundsChanged() override;
    void SettingsChanged() override;
    void ParentFontOrColorChanged() override;

  private:
    // The background bitmap, built when it is stale; null when the fill draws nothing.
    TBitmap* Background();
    void BackgroundChanged();

    TPxFillObject fill_;
    TPxAlignment alignment_ = agCenter;
    std::unique_ptr<TBitmap> background_;
    bool stale_ = true;
    int builtWidth_ = 0, builtHeight_ = 0;
    int builds_ = 0;
};

}  // namespace plexon
