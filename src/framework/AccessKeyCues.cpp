// The access-key underline rule, read from the control's form.
#include "framework/AccessKeyCues.h"

#include "framework/Form.h"
#include "platform/gdi/Text.h"

namespace plexon {

gdi::UINT AccessKeyCueFormat(const TControl& control) {
    const TForm* form = control.ParentForm();
    return form && form->KeyboardCues() ? 0 : gdi::DT_HIDEPREFIX;
}

}  // namespace plexon
