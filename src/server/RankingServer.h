#pragma once

// The HTTP side of valmore-server: the servlets under /RURadiza/servlet/, the teachers' page at "/"
// and the results as CSV at "/results.csv". One line per servlet request goes to the log, naming the
// servlet, the user ID and the outcome, never a password.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "server/PasswordCheck.h"
#include "server/ScenarioDirectory.h"
#include "server/ServerStore.h"
#include "server/Servlets.h"
#include "server/TeacherPage.h"

namespace httplib {
class Server;
}

namespace valmore {

struct RankingServerOptions {
    ServletOptions servlets;
    std::filesystem::path newsFile;
    std::FILE* log = stderr;  // null for no log
};

class CRankingServer {
public:
    static constexpr std::size_t kMaxTargetBytes = 4096;

    CRankingServer(IServerStore& store, const CScenarioDirectory& scenarios, RankingServerOptions options);
    ~CRankingServer();
    CRankingServer(const CRankingServer&) = delete;
    CRankingServer& operator=(const CRankingServer&) = delete;

    // Binds the address; port 0 takes a free one. Returns the port bound, or -1.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); false when serving failed.
    bool Run();
    // Safe from any thread.
    void Stop();

private:
    void Log(const char* format, ...) const;

    IServerStore& store_;
    RankingServerOptions options_;
    CPasswordCheck passwords_;
    CServlets servlets_;
    CTeacherPage teacherPage_;
    std::unique_ptr<httplib::Server> http_;
};

}  // namespace valmore
