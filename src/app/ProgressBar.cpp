// Progress bar drawing: carriage return, bar, percentage; a newline when done.
#include "app/ProgressBar.h"

#include <cassert>
#include <iomanip>
#include <string>

namespace plexon {

TerminalProgressBar::TerminalProgressBar(std::ostream& out, int barWidth) : out_(out), barWidth_(barWidth) {
    assert(barWidth > 0);
}

TerminalProgressBar::~TerminalProgressBar() {
    if (shown_ >= 0) out_ << '\n' << std::flush;
}

void TerminalProgressBar::Show(int position) {
    assert(position >= 0 && position <= 100);
    if (position == shown_) return;
    shown_ = position;
    int filled = position * barWidth_ / 100;
    out_ << "\r[" << std::string(filled, '#') << std::string(barWidth_ - filled, ' ') << "] " << std::setw(3)
         << position << '%' << std::flush;
}

}  // namespace plexon
