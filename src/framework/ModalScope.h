// Keeps the application modal for a scope: the one place that disables the other forms and gives the
// keyboard back afterwards. It runs no message loop; the caller does.
#pragma once

#include <vector>

namespace plexon {

class TForm;

// Disables every enabled form except `modalForm` on entry; on exit (also when unwinding) re-enables the
// forms that still exist and gives the previously active form, if still shown, its focused control back.
class TModalScope {
  public:
    explicit TModalScope(const TForm* modalForm = nullptr);
    ~TModalScope();
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;

  private:
    TForm* previous_;
    std::vector<TForm*> disabled_;
};

}  // namespace plexon
