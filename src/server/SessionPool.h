#pragma once

// The idle sessions of a database, lent to one call at a time. A session that comes back broken or
// still inside a transaction is closed rather than lent again, so one failure cannot spoil later calls.

#include <memory>
#include <mutex>
#include <vector>

#include "server/SqlSession.h"

namespace valmore {

class CSessionPool {
public:
    explicit CSessionPool(std::unique_ptr<ISqlDatabase> database) : database_(std::move(database)) {}

    class Lease {
    public:
        explicit Lease(CSessionPool& pool);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ISqlSession& operator*() const { return *session_; }
        ISqlSession* operator->() const { return session_.get(); }

    private:
        CSessionPool& pool_;
        std::unique_ptr<ISqlSession> session_;
    };

private:
    std::unique_ptr<ISqlDatabase> database_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<ISqlSession>> idle_;
};

}  // namespace valmore
