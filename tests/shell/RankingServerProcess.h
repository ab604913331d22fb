#pragma once

// The bundled valmore-server for the trainer's tests: started on a free loopback port with a fresh
// SQLite database, the build's scenarios and open registration, and killed with the object.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "XvfbSession.h"
#include "support/TempDir.h"

namespace valmore::test {

class RankingServerProcess {
public:
    bool Start() {
        Pipe output;
        if (!process_.Start({VALMORE_SERVER_PATH, "serve", "--listen", "127.0.0.1:0", "--db", Database(), "--data-dir",
                             VALMORE_RUN_DIR, "--open-registration"},
                            {}, output.Write())) {
            return false;
        }
        output.CloseWrite();
        const std::optional<std::string> line = output.ReadLine(std::chrono::milliseconds(30000));
        const std::string prefix = "valmore-server: listening on http://127.0.0.1:";
        if (!line || line->rfind(prefix, 0) != 0) return false;
        port_ = std::stoi(line->substr(prefix.size()));
        return port_ > 0;
    }
    // As a crash would: requests find nobody answering.
    void Stop() { process_.Kill(); }

    // An account made beside the trainer, as a teacher would with the server's own tool (UTF-8).
    bool AddUser(const std::vector<std::string>& values) const {
        std::vector<std::string> args{VALMORE_SERVER_PATH, "add-user", "--db", Database()};
        args.insert(args.end(), values.begin(), values.end());
        return RunCommand(args, "", std::chrono::milliseconds(60000)) == 0;
    }

    int Port() const { return port_; }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/RURadiza/servlet/"; }

private:
    std::string Database() const { return (dir_ / "server.sqlite").string(); }

    TempDir dir_;
    Child process_;
    int port_ = 0;
};

}  // namespace valmore::test
