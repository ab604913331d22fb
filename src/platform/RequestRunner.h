#pragma once

// Runs one piece of work at a time on a worker thread for the interface thread, which looks for its
// end (on a tick, say) and then reads what the work left in storage of its own. Giving up tells the
// work to stop and forgets it at once; the worker is joined later, before the next start or when the
// runner goes, so no thread outlives the runner. The work owns everything it touches (captures by
// value), since after giving up the caller's objects may be gone while the worker winds down.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace valmore {

class CRequestRunner {
public:
    // The flag turns true when the work has been given up; long work looks at it and stops.
    using Work = std::function<void(const std::atomic<bool>& givenUp)>;

    CRequestRunner() = default;
    // Gives up what is out and waits for the worker to end.
    ~CRequestRunner();
    CRequestRunner(const CRequestRunner&) = delete;
    CRequestRunner& operator=(const CRequestRunner&) = delete;

    // Starts the work on a worker thread; false, with nothing started, while another is out or when
    // no thread can be had.
    bool Start(Work work);
    // Started, and neither collected nor given up.
    bool Out() const { return shared_ != nullptr; }
    // The work that is out has returned.
    bool Finished() const;
    // Waits at most the time for the work that is out to return; true when it has.
    bool WaitFinished(int maxWaitMs);
    // Takes back the work once it has finished: what it stored may be read from now on. False, and
    // the work still out, when it has not finished.
    bool Collect();
    // Tells the work to stop and forgets it.
    void GiveUp();

private:
    struct Shared {
        std::atomic<bool> givenUp{false};
        std::mutex mutex;
        std::condition_variable ended;
        bool finished = false;
    };

    void JoinWorker();

    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

}  // namespace valmore
