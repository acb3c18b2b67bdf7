// The modal scope on its own: other forms disabled inside, re-enabled and focused again after, also
// when the scope is left by an exception or a form goes away inside it.
#include "framework/ModalScope.h"

#include <stdexcept>

#include "FormTestSupport.h"
#include "framework/Button.h"

namespace plexon::test {
namespace {

class ModalScopes : public FormTest {};

TEST_F(ModalScopes, DisablesOtherFormsAndRestoresThemAndTheFocusEvenWhenUnwinding) {
    auto* main = new TForm(&Application());
    main->SetBounds(0, 0, 300, 200);
    auto* first = new TButton(main);
    first->SetParent(main);
    auto* second = new TButton(main);
    second->SetParent(main);
    main->Show();
    auto* gone = new TForm(&Application());
    gone->Show();
    auto* modal = new TForm(&Application());
    modal->Show();
    for (const bool throws : {false, true}) {
        SCOPED_TRACE(throws);
        second->SetFocus();
        Pump();
        try {
            const TModalScope scope(modal);
            EXPECT_FALSE(main->Handle()->Enabled());
            EXPECT_TRUE(modal->Handle()->Enabled());
            window::TheDesktop().SetFocus(modal->Handle());
            Pump();
            if (gone) {
                delete gone;
                gone = nullptr;
            }
            if (throws) throw std::runtime_error("leave");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(main->Handle()->Enabled());
        EXPECT_TRUE(second->Focused());
    }
}

}  // namespace
}  // namespace plexon::test
