// The desktop's timers: kept by id with their next due time on the back end's clock, handed out by
// the queue when nothing else is waiting. Timer actions run from dispatching, never from GetMessage.
#include <algorithm>

#include "platform/window/Window.h"

namespace plexon::window {

int Desktop::SetTimer(std::uint32_t intervalMs, std::function<void()> action, TimerKind kind) {
    const int id = ++lastTimerId_;
    // At least a millisecond, so that a due timer is not due again at once and a loop that handles
    // what is queued comes to an end.
    const std::uint32_t interval = std::max<std::uint32_t>(intervalMs, 1);
    timers_[id] = {interval, backend_->Milliseconds() + interval, std::move(action), kind};
    return id;
}

void Desktop::KillTimer(int id) {
    timers_.erase(id);
}

bool Desktop::TimerDue(Message& message) {
    const std::uint64_t now = backend_->Milliseconds();
    int earliest = 0;
    std::uint64_t earliestDue = now;
    for (const auto& [id, timer] : timers_) {
        if (timer.due <= earliestDue) {
            earliest = id;
            earliestDue = timer.due;
        }
    }
    if (earliest == 0) return false;
    message = {.kind = MessageKind::Timer, .window = nullptr, .id = earliest};
    return true;
}

bool Desktop::IsServiceTimer(const Message& message) const {
    if (message.kind != MessageKind::Timer) return false;
    const auto found = timers_.find(message.id);
    return found != timers_.end() && found->second.kind == TimerKind::Service;
}

void Desktop::SkipTimer(int id) {
    if (const auto found = timers_.find(id); found != timers_.end())
        found->second.due = backend_->Milliseconds() + found->second.interval;
}

void Desktop::DispatchTimer(int id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return;  // killed after it was taken from the queue
    // The next interval starts now: a late timer does not catch up with the ones it missed.
    found->second.due = backend_->Milliseconds() + found->second.interval;
    // A copy: the action may kill its own timer.
    const std::function<void()> action = found->second.action;
    if (action) action();
}

}  // namespace plexon::window
