// When a caption shows its access key's underline: only while its form shows keyboard cues (Alt
// held), so captions keep their look until the user reaches for the keyboard. The keys work either way.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon {

class TControl;

// DT_HIDEPREFIX while the control's form shows no keyboard cues, else 0: added to the DrawText
// format of the control's caption.
gdi::UINT AccessKeyCueFormat(const TControl& control);

}  // namespace plexon
