// The instances shared by fonts of one description, kept while fonts use them and, within a bound,
// for a while after: least recently used idle instances are dropped first. Never drops one in use.
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/gdi/FontInstance.h"
#include "runtime/PathText.h"

namespace plexon::gdi::detail {

namespace {

// Most recently used first. An instance is in use while a font holds it besides this cache; fonts
// get instances only through InstanceFor, under the font lock, so that count cannot grow behind us.
class InstanceCache {
  public:
    std::shared_ptr<FontInstance> Get(const std::string& key, const LOGFONT& description) {
        std::shared_ptr<FontInstance> instance;
        if (const auto found = index_.find(key); found != index_.end()) {
            order_.splice(order_.begin(), order_, found->second);
            instance = found->second->second;
        } else {
            instance = std::make_shared<FontInstance>(description);
            order_.emplace_front(key, instance);
            index_.emplace(key, order_.begin());
        }
        TrimIdle();
        return instance;
    }

    FontCacheState State() const {
        FontCacheState state;
        state.instances = order_.size();
        for (const auto& [key, instance] : order_)
            if (instance.use_count() == 1) {
                ++state.idle;
                state.idleBytes += instance->CacheBytes();
            }
        return state;
    }

  private:
    using Order = std::list<std::pair<std::string, std::shared_ptr<FontInstance>>>;

    // Checked whenever a font takes an instance. The one it takes (the front) is counted as idle
    // already: fonts are mostly made, used and deleted, so it is idle again soon.
    void TrimIdle() {
        FontCacheState state = State();
        ++state.idle;  // the caller holds a copy of the one taken
        state.idleBytes += order_.front().second->CacheBytes();
        for (auto at = order_.end(); --at != order_.begin();) {
            if (state.idle <= kIdleInstanceLimit && state.idleBytes <= kIdleBytesLimit) break;
            if (at->second.use_count() != 1) continue;
            --state.idle;
            state.idleBytes -= at->second->CacheBytes();
            index_.erase(at->first);
            at = order_.erase(at);
        }
    }

    Order order_;
    std::unordered_map<std::string, Order::iterator> index_;
};

InstanceCache& Cache() {
    static InstanceCache cache;
    return cache;
}

}  // namespace

std::shared_ptr<FontInstance> InstanceFor(const LOGFONT& description) {
    // Everything that changes glyphs or metrics, and nothing else, goes into the key.
    const std::string key =
        LowerCase(FaceNameOf(description)) + '/' + std::to_string(description.lfHeight) + '/' +
        std::to_string(description.lfWeight >= FW_SEMIBOLD) + '/' +
        std::to_string(description.lfItalic != 0) + '/' + std::to_string(description.lfUnderline != 0) + '/' +
        std::to_string(description.lfStrikeOut != 0) + '/' + std::to_string(description.lfEscapement);
    return Cache().Get(key, description);
}

FontCacheState FontCacheStateNow() {
    return Cache().State();
}

}  // namespace plexon::gdi::detail
