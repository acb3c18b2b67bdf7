// System metrics and window-part fonts of the fixed display, sized as the classic 3D scheme at 96
// pixels per inch has them.
#include <cstring>

#include "platform/gdi/Objects.h"
#include "platform/gdi/SystemColors.h"

namespace plexon::gdi {

int GetSystemMetrics(int index) {
    switch (index) {
        case SM_CXSCREEN:
            return 1024;
        case SM_CYSCREEN:
            return 768;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return 16;
        case SM_CYCAPTION:
            return 19;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return 1;
        case SM_CXFIXEDFRAME:
        case SM_CYFIXEDFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return 19;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        default:
            return 0;
    }
}

BOOL SystemParametersInfo(UINT action, UINT size, void* out, UINT flags) {
    (void)flags;  // nothing is ever written back
    auto* metrics = static_cast<NONCLIENTMETRICS*>(out);
    if (action != SPI_GETNONCLIENTMETRICS || metrics == nullptr || size != sizeof(NONCLIENTMETRICS) ||
        metrics->cbSize != sizeof(NONCLIENTMETRICS)) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    LOGFONT font;
    font.lfHeight = -11;
    std::strcpy(font.lfFaceName, "Tahoma");
    metrics->iBorderWidth = 1;
    metrics->iScrollWidth = metrics->iScrollHeight = GetSystemMetrics(SM_CXVSCROLL);
    metrics->iCaptionWidth = metrics->iCaptionHeight = 18;
    metrics->iSmCaptionWidth = metrics->iSmCaptionHeight = 12;
    metrics->iMenuWidth = metrics->iMenuHeight = 18;
    metrics->lfMenuFont = metrics->lfStatusFont = metrics->lfMessageFont = font;
    metrics->lfSmCaptionFont = font;
    font.lfWeight = FW_BOLD;
    metrics->lfCaptionFont = font;
    return 1;
}

}  // namespace plexon::gdi
