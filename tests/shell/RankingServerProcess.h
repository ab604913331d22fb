#pragma once

// The bundled valmore-server for the trainer's tests: a free loopback port, a fresh SQLite database,
// the build's scenarios and open registration; killed with the object.

#include "XvfbSession.h"
#include "support/TempDir.h"

namespace valmore::test {

struct RankingServerProcess {
    bool Start() {
        Pipe output;
        const std::string prefix = "valmore-server: listening on http://127.0.0.1:";
        if (!process.Start({VALMORE_SERVER_PATH, "serve", "--listen", "127.0.0.1:0", "--db", database, "--data-dir",
                            VALMORE_RUN_DIR, "--open-registration"},
                           {}, output.Write()))
            return false;
        output.CloseWrite();
        const std::optional<std::string> line = output.ReadLine(milliseconds(30000));
        port = line && line->rfind(prefix, 0) == 0 ? std::stoi(line->substr(prefix.size())) : 0;
        return port > 0;
    }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port) + "/RURadiza/servlet/"; }

    TempDir dir;
    std::string database = (dir / "server.sqlite").string();
    Child process;
    int port = 0;
};

}  // namespace valmore::test
