#include "platform/RequestRunner.h"

#include <chrono>
#include <system_error>

namespace valmore {

CRequestRunner::~CRequestRunner() {
    GiveUp();
    JoinWorker();
}

bool CRequestRunner::Start(Work work) {
    if (Out() || !work) return false;
    // A worker given up earlier has been told to stop; it is waited for here, so two never overlap.
    JoinWorker();
    auto shared = std::make_shared<Shared>();
    try {
        worker_ = std::thread([shared, work = std::move(work)] {
            try {
                work(shared->givenUp);
            } catch (...) {
                // Whatever the work could not finish is missing from its results; the thread ends
                // normally, so the program does not.
            }
            std::lock_guard lock(shared->mutex);
            shared->finished = true;
            shared->ended.notify_all();
        });
    } catch (const std::system_error&) {
        return false;
    }
    shared_ = std::move(shared);
    return true;
}

bool CRequestRunner::Finished() const {
    if (!shared_) return false;
    std::lock_guard lock(shared_->mutex);
    return shared_->finished;
}

bool CRequestRunner::WaitFinished(int maxWaitMs) {
    if (!shared_) return false;
    std::unique_lock lock(shared_->mutex);
    return shared_->ended.wait_for(lock, std::chrono::milliseconds(maxWaitMs), [this] { return shared_->finished; });
}

bool CRequestRunner::Collect() {
    if (!Finished()) return false;
    shared_.reset();
    JoinWorker();
    return true;
}

void CRequestRunner::GiveUp() {
    if (!shared_) return;
    shared_->givenUp = true;
    shared_.reset();
}

void CRequestRunner::JoinWorker() {
    if (worker_.joinable()) worker_.join();
}

}  // namespace valmore
