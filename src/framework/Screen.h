// The screen: its size, the forms that exist, the active form and the screen cursor, which wins
// over the cursor of the control under the mouse (the hourglass during long work).
#pragma once

#include <vector>

#include "framework/Control.h"

namespace plexon {

class TScreen {
  public:
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    int Width() const;
    int Height() const;
    int FormCount() const { return int(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(std::size_t(index)); }
    bool HasForm(const TForm* form) const;
    // The form whose window has the keyboard.
    TForm* ActiveForm() const;

  private:
    friend class TForm;
    std::vector<TForm*> forms_;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

}  // namespace plexon
