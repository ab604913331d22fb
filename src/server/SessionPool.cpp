#include "server/SessionPool.h"

namespace valmore {

CSessionPool::Lease::Lease(CSessionPool& pool) : pool_(pool) {
    {
        std::lock_guard lock(pool_.mutex_);
        if (!pool_.idle_.empty()) {
            session_ = std::move(pool_.idle_.back());
            pool_.idle_.pop_back();
        }
    }
    if (!session_) session_ = pool_.database_->Connect();
}

CSessionPool::Lease::~Lease() {
    if (!session_->Idle()) return;
    std::lock_guard lock(pool_.mutex_);
    pool_.idle_.push_back(std::move(session_));
}

}  // namespace valmore
