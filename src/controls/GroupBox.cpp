// The plain group box: the frame runs through the middle of the caption's line, and the caption
// covers it on the face colour eight pixels from the left.
#include "controls/GroupBox.h"

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Text.h"

namespace plexon {

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
}

void TGroupBox::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const gdi::SIZE text = ControlTextExtent(dc, Caption().empty() ? "0" : Caption(), Font());
    gdi::RECT frame{0, text.cy / 2, Width(), Height()};
    gdi::DrawEdge(dc, &frame, gdi::EDGE_ETCHED, gdi::BF_RECT);
    if (Caption().empty()) return;
    const gdi::RECT label =
        MeasureControlText(dc, Caption(), {8, 0, Width() - 8, text.cy}, gdi::DT_SINGLELINE, Font());
    FillSolid(dc, label, Color());
    DrawControlText(dc, Caption(), label, gdi::DT_SINGLELINE, Font(),
                    ReallyEnabled() ? TextState::Enabled : TextState::Disabled);
}

}  // namespace plexon
