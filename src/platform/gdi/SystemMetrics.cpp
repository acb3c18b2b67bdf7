// System metrics of the fixed display, sized as the classic 3D scheme at 96 pixels per inch has them.
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

}  // namespace plexon::gdi
