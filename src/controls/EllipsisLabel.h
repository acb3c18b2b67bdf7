// The label that shortens a caption that does not fit its width: at its end, or in the middle of a
// path (keeping the last component). The caption itself never changes; the shortening is the text
// drawing's, at paint time.
#pragma once

#include "framework/Label.h"
#include "platform/gdi/Types.h"

namespace plexon {

enum class TEllipsType { etNone, etEndEllips, etPathEllips };
using enum TEllipsType;
enum class TTextLayout { tlTop, tlCenter, tlBottom };
using enum TTextLayout;

class TEllipsisLabel : public TLabel {
  public:
    explicit TEllipsisLabel(TComponent* owner) : TLabel(owner) {}

    TEllipsType EllipsType() const { return ellipsType_; }
    void SetEllipsType(TEllipsType value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);

    // The text-drawing format the properties make.
    gdi::UINT DrawFormat() const;

  protected:
    void Paint() override;

  private:
    TEllipsType ellipsType_ = etNone;
    TTextLayout layout_ = tlTop;
};

}  // namespace plexon
