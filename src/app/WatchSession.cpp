// Watching the source folders with inotify and re-welding the icons their events name.
#include "app/WatchSession.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <map>
#include <set>

#include "platform/shell/FileAttributes.h"
#include "platform/shell/Interruption.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/ReplacingFile.h"
#include "weld/Manifest.h"
#include "weld/SourceList.h"
#include "weld/SourceNaming.h"
#include "weld/StartCheck.h"
#include "weld/StripPlan.h"
#include "weld/WeldRun.h"

namespace plexon {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Editors save by writing a new file and renaming it over the old one, in a burst of events: a change
// is welded once the burst has been quiet for kQuiet, and never later than kLatest after its first event.
constexpr milliseconds kQuiet{40}, kLatest{150};

constexpr std::uint32_t kEvents =
    IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF;

// A descriptor closed with its owner.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// SIGINT and SIGTERM arrive as readable data instead of ending the process, for the session only.
class SignalsAsData {
  public:
    SignalsAsData() {
        sigemptyset(&set_);
        sigaddset(&set_, SIGINT);
        sigaddset(&set_, SIGTERM);
        ::sigprocmask(SIG_BLOCK, &set_, &old_);
        fd_ = ::signalfd(-1, &set_, SFD_CLOEXEC | SFD_NONBLOCK);
        if (fd_ < 0) throw EOSError(FileReason("cannot watch for signals", errno));
    }
    ~SignalsAsData() {
        ::close(fd_);
        ::sigprocmask(SIG_SETMASK, &old_, nullptr);
    }
    SignalsAsData(const SignalsAsData&) = delete;
    SignalsAsData& operator=(const SignalsAsData&) = delete;
    int get() const { return fd_; }

  private:
    sigset_t set_, old_;
    int fd_ = -1;
};

class Session {
  public:
    Session(const WatchInputs& inputs, Console& console)
        : inputs_(inputs), console_(console), inotify_(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
        if (inotify_.get() < 0) throw EOSError(FileReason("cannot watch folders", errno));
        const std::vector<PathFacts> facts = LookUpPaths(inputs.sources);
        for (std::size_t i = 0; i < inputs.sources.size(); ++i) {
            const std::string& source = inputs.sources[i];
            if (facts[i].folder)
                Watch(IncludeTrailingPathDelimiter(source), true);
            else
                named_[Watch(SourceFolderOfFile(source), false)].insert(ExtractFileName(source));
        }
        for (const PlannedStrip& strip : PlanAtSizes(PlanStrips(inputs.request), inputs.request))
            strips_.insert(strip.outputPath);
        failed_.insert(inputs.skipped.begin(), inputs.skipped.end());
    }

    int Run() {
        if (!inputs_.quiet)
            console_.err << "plexon: watching " << folders_.size()
                         << (folders_.size() == 1 ? " folder" : " folders") << " for changes; Ctrl+C ends\n";
        std::set<std::string> dirty;
        bool pending = false;  // events wait for their burst to end
        Clock::time_point first, last;
        while (true) {
            int timeout = -1;
            if (pending) {
                const Clock::time_point due = std::min(last + kQuiet, first + kLatest);
                timeout = int(std::max<std::int64_t>(
                    0, std::chrono::duration_cast<milliseconds>(due - Clock::now()).count() + 1));
            }
            pollfd fds[] = {{inotify_.get(), POLLIN, 0}, {signals_.get(), POLLIN, 0}};
            if (::poll(fds, 2, timeout) < 0 && errno != EINTR)
                throw EOSError(FileReason("cannot watch", errno));
            if (fds[1].revents & POLLIN) return TakeSignal();
            const bool events = fds[0].revents & POLLIN && ReadEvents(dirty);
            if (folders_.empty()) return kExitFailed;
            if (events) {
                last = Clock::now();
                if (!pending) first = last;
                pending = true;
            }
            if (pending && Clock::now() >= std::min(last + kQuiet, first + kLatest)) {
                try {
                    Reweld(dirty);
                } catch (const Interrupted&) {
                    return TakeSignal();  // it came while an SVG helper was being waited for
                }
                dirty.clear();
                pending = false;
            }
        }
    }

  private:
    // Taken, or it would end the process once unblocked.
    int TakeSignal() {
        signalfd_siginfo info;
        [[maybe_unused]] const ssize_t got = ::read(signals_.get(), &info, sizeof info);
        return kExitDone;
    }

    static std::string SourceFolderOfFile(const std::string& file) {
        const std::string folder = ExtractFilePath(file);
        return folder.empty() ? "./" : folder;
    }

    int Watch(const std::string& folder, bool whole) {
        const int wd = ::inotify_add_watch(inotify_.get(), folder.c_str(), kEvents | IN_ONLYDIR);
        if (wd < 0)
            throw EFOpenError(Format(msg::kFOpen, {folder}), folder, FileReason("cannot watch", errno));
        folders_[wd] = folder;
        if (whole) wholeFolders_.insert(wd);
        return wd;
    }

    // Reads the pending events into the icons they concern; true when one concerns a source. A lost
    // event (the queue overflowed) makes every icon due.
    bool ReadEvents(std::set<std::string>& dirty) {
        alignas(inotify_event) char buffer[16 << 10];
        bool any = false;
        for (ssize_t got; (got = ::read(inotify_.get(), buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                at += sizeof(inotify_event) + event->len;
                if (event->mask & IN_Q_OVERFLOW) {
                    dirty.insert(std::string());  // stands for all
                    any = true;
                    continue;
                }
                // A folder moved away keeps its watch, which would follow it: let go of it.
                if (event->mask & IN_MOVE_SELF) ::inotify_rm_watch(inotify_.get(), event->wd);
                if (event->mask & IN_IGNORED) {
                    FolderGone(event->wd);
                    continue;
                }
                if (event->len == 0 || !folders_.count(event->wd)) continue;
                const std::string name = event->name;
                if (!Concerns(event->wd, name)) continue;
                dirty.insert(BaseNameOfStem(ExtractStem(name), inputs_.request.Suffixes));
                any = true;
            }
        }
        return any;
    }

    // A watched folder was removed or moved away: its files are no longer where the run was told.
    void FolderGone(int wd) {
        const auto found = folders_.find(wd);
        if (found == folders_.end()) return;
        console_.err << "plexon: " << found->second << ": the folder is gone; "
                     << (folders_.size() > 1 ? "still watching the others\n" : "the watch ends\n");
        wholeFolders_.erase(wd);
        named_.erase(wd);
        folders_.erase(found);
    }

    // A source of this session: a source file in a watched folder, or a file given by name; never a
    // strip of ours or a file being written by the replacement.
    bool Concerns(int wd, const std::string& name) const {
        if (IsReplacementName(name) || strips_.count(folders_.at(wd) + name)) return false;
        if (wholeFolders_.count(wd) && IsSourceFileName(name, SourceFormats::All)) return true;
        const auto named = named_.find(wd);
        return named != named_.end() && named->second.count(name);
    }

    // Welds the icons named (all for the empty name) from the sources as they are now.
    void Reweld(const std::set<std::string>& icons) {
        WeldRequest request = inputs_.request;
        std::vector<std::string> all;
        try {
            all = ExpandSources(inputs_.sources, request.Suffixes, SourceFormats::All);
        } catch (const Exception& error) {
            console_.err << "plexon: " << error.Message() << "; still watching\n";
            return;
        }
        const bool everything = icons.count(std::string()) > 0;
        request.FileList.clear();
        for (std::string& file : all) {
            if (!PathExists(file)) continue;  // a given file that is gone
            if (everything || icons.count(BaseNameOfStem(ExtractStem(file), request.Suffixes)))
                request.FileList.push_back(file);
        }
        std::vector<PlannedStrip> plan = PlanStrips(request);
        for (const PlannedStrip& strip : plan) failed_.erase(strip.baseName);
        std::set<std::string> failed = RefuseTargets(request, plan, all);
        std::erase_if(plan, [&failed](const PlannedStrip& strip) { return failed.count(strip.baseName) > 0; });
        try {
            WeldRun run(request, std::move(plan));
            for (const PlannedStrip& strip : run.WrittenStrips()) strips_.insert(strip.outputPath);
            run.SetSkipNotice(
                [&](const PlannedStrip& strip, const std::string& path, const Exception& error) {
                    failed.insert(strip.baseName);
                    failed_.insert(strip.baseName);
                    console_.err << "plexon: " << path << ": "
                                 << (error.FilePath().empty() ? error.Message() : error.FileReason()) << "; "
                                 << strip.baseName << " was not welded, still watching\n";
                });
            run.Execute({});
            if (!inputs_.quiet)
                for (const PlannedStrip& strip : run.WrittenStrips())
                    if (!failed.count(strip.baseName)) console_.out << strip.outputPath << '\n';
        } catch (const Exception& error) {
            console_.err << "plexon: "
                         << (error.FilePath().empty() ? error.Message()
                                                      : error.FilePath() + ": " + error.FileReason())
                         << "; still watching\n";
        }
        console_.out.flush();
        if (inputs_.manifest) WriteWholeManifest(all);
    }

    // The first weld's target check on the icons welded again, against every source of the session:
    // an icon whose strip would land on a source (one copied into the output folder, say) or on a
    // folder is named and not welded. The icons refused.
    std::set<std::string> RefuseTargets(const WeldRequest& request, const std::vector<PlannedStrip>& plan,
                                        const std::vector<std::string>& all) {
        std::set<std::string> refused;
        const std::vector<PlannedStrip> sized = PlanAtSizes(plan, request);
        for (const TargetRefusal& target : FindTargetRefusals(request, sized, std::nullopt, Refusals::All, &all)) {
            const std::string& icon = sized[target.target].baseName;
            if (!refused.insert(icon).second) continue;
            failed_.insert(icon);
            console_.err << "plexon: " << target.refusal.path << ": " << target.refusal.BatchReason() << "; "
                         << icon << " was not welded, still watching\n";
        }
        return refused;
    }

    void WriteWholeManifest(const std::vector<std::string>& all) {
        WeldRequest request = inputs_.request;
        request.FileList = all;
        const std::vector<PlannedStrip> sized = PlanAtSizes(PlanStrips(request), request);
        // What stands at the manifest's path now is looked at again (a FIFO or a source put there since
        // the weld began is never replaced); where it lies against the strips was checked at the start
        // and cannot change, so the strips are not looked at again.
        if (const std::vector<TargetRefusal> refused =
                FindTargetRefusals(request, {}, inputs_.manifest, Refusals::First);
            !refused.empty()) {
            console_.err << "plexon: " << refused.front().refusal.path << ": " << refused.front().refusal.BatchReason()
                         << "; the manifest was not written, still watching\n";
            return;
        }
        try {
            // An icon whose last weld failed has no strip of these sources.
            WriteManifest(
                *inputs_.manifest,
                ManifestStrips(sized, request, std::vector<std::string>(failed_.begin(), failed_.end())),
                request);
        } catch (const Exception& error) {
            console_.err << "plexon: " << *inputs_.manifest << ": " << error.FileReason()
                         << "; still watching\n";
        }
    }

    const WatchInputs& inputs_;
    Console& console_;
    Descriptor inotify_;
    SignalsAsData signals_;
    InterruptScope interrupt_{signals_.get()};  // a signal also ends a wait for an SVG helper
    std::map<int, std::string> folders_;          // watch descriptor to folder, ending in "/"
    std::set<int> wholeFolders_;                  // folders given as sources
    std::map<int, std::set<std::string>> named_;  // files given by name, by folder
    std::set<std::string> strips_;                // our strips, never sources
    std::set<std::string> failed_;                // icons whose last weld failed
};

}  // namespace

int WatchSources(const WatchInputs& inputs, Console& console) {
    return Session(inputs, console).Run();
}

}  // namespace plexon
