// The demo form, one of each standard control, and the `demo` command that opens it. The form
// only reports its button clicks; it sets no settings and touches no file.
#pragma once

#include <iostream>
#include <ostream>

#include "app/CommandLine.h"
#include "framework/Form.h"

namespace plexon {

// The form reports its button clicks on the stream `out` points to.
class TDemoForm : public TForm {
  public:
    explicit TDemoForm(TComponent* owner);
    std::ostream* out = &std::cout;
};

// Runs the demo form until it closes; needs a display.
int RunDemo(Console& console);

}  // namespace plexon
