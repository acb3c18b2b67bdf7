// A text progress bar with the percentage, redrawn in place on a terminal stream. It does not decide
// whether the stream is a terminal; the caller only makes one when it is.
#pragma once

#include <ostream>

namespace plexon {

class TerminalProgressBar {
  public:
    explicit TerminalProgressBar(std::ostream& out, int barWidth = 40);
    TerminalProgressBar(const TerminalProgressBar&) = delete;
    TerminalProgressBar& operator=(const TerminalProgressBar&) = delete;
    ~TerminalProgressBar();  // ends the bar's line if one was drawn

    // position 0..100; drawn only when it changes, so a long run does not flood the terminal.
    void Show(int position);

  private:
    std::ostream& out_;
    int barWidth_;
    int shown_ = -1;
};

}  // namespace plexon
