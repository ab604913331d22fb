// valmore-server: the ranking server the trainer's server link talks to, and its account tool.

#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/Sjis.h"
#include "platform/UserDir.h"
#include "server/PasswordCheck.h"
#include "server/RankingServer.h"
#include "server/ScenarioDirectory.h"
#include "server/ServerStore.h"
#include "server/UserRules.h"

#ifndef VALMORE_DEFAULT_DATA_DIR
#define VALMORE_DEFAULT_DATA_DIR "."
#endif

namespace {

using namespace valmore;

constexpr const char* kUsage =
    "Usage: valmore-server serve [--listen HOST:PORT] [--db DB] [--data-dir DIR] [--open-registration]\n"
    "                            [--accept-unsigned-results]\n"
    "       valmore-server add-user [--db DB] USERID PASSWORD [NICKNAME]\n"
    "\n"
    "  --listen HOST:PORT         the address to serve (default 127.0.0.1:8787; port 0 takes a free one)\n"
    "  --db DB                    an SQLite file (created when missing) or a postgresql:// connection\n"
    "                             string (default: valmore-server.sqlite in $XDG_DATA_HOME/valmore or\n"
    "                             ~/.local/share/valmore)\n"
    "  --data-dir DIR             the folder holding data/*.scn (default: the build's run folder)\n"
    "  --open-registration        a login with an unknown user ID that keeps the rules creates it\n"
    "  --accept-unsigned-results  take results that come without the user's password\n";

struct Options {
    std::string command;
    std::string host = "127.0.0.1";
    int port = 8787;
    std::optional<std::string> db;
    std::filesystem::path dataDir = VALMORE_DEFAULT_DATA_DIR;
    bool openRegistration = false;
    bool acceptUnsignedResults = false;
    std::vector<std::string> operands;
};

int Refuse(const std::string& why) {
    std::fprintf(stderr, "valmore-server: %s\nTry 'valmore-server --help'.\n", why.c_str());
    return 2;
}

bool ParseListen(const std::string& value, Options& options) {
    const std::size_t colon = value.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    std::string host = value.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
    const std::string port = value.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos) return false;
    const int number = std::stoi(port);
    if (number > 65535) return false;
    options.host = host;
    options.port = number;
    return true;
}

std::string DatabaseOf(const Options& options, std::string* error) {
    if (options.db) return *options.db;
    const std::filesystem::path dir = DefaultUserDir(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (dir.empty()) {
        *error = "no folder for the database: HOME is not set; use --db";
        return {};
    }
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) {
        *error = "cannot create the folder " + dir.string();
        return {};
    }
    return (dir / "valmore-server.sqlite").string();
}

std::unique_ptr<IServerStore> OpenStore(const Options& options) {
    std::string error;
    const std::string db = DatabaseOf(options, &error);
    std::unique_ptr<IServerStore> store = db.empty() ? nullptr : OpenServerStore(db, &error);
    if (!store) std::fprintf(stderr, "valmore-server: %s\n", error.c_str());
    return store;
}

int AddUser(const Options& options) {
    if (options.operands.size() < 2 || options.operands.size() > 3) {
        return Refuse("add-user needs USERID PASSWORD and may take a NICKNAME");
    }
    // The command line is UTF-8; the server keeps what the trainer sends, Shift_JIS.
    StoredAccount account;
    account.userId = Utf8ToCp932(options.operands[0]);
    const std::string password = Utf8ToCp932(options.operands[1]);
    if (options.operands.size() == 3) account.nickname = Utf8ToCp932(options.operands[2]);
    if (!IsValidUserId(account.userId)) {
        std::fprintf(stderr, "valmore-server: the user ID must be 1 to %zu bytes without half-width symbols\n",
                     kMaxUserIdBytes);
        return 1;
    }
    if (!IsValidPassword(password)) {
        std::fprintf(stderr, "valmore-server: the password must be 1 to %zu bytes without half-width symbols\n",
                     kMaxPasswordBytes);
        return 1;
    }
    if (account.nickname && !IsValidNickname(*account.nickname)) {
        std::fprintf(stderr,
                     "valmore-server: the nickname must be 1 to %zu bytes in Shift_JIS (10 full-width characters) "
                     "without half-width symbols\n",
                     kMaxNicknameBytes);
        return 1;
    }
    std::unique_ptr<IServerStore> store = OpenStore(options);
    if (!store) return 1;
    try {
        CPasswordCheck passwords(1);
        account.passwordHash = passwords.Hash(password);
        switch (store->CreateAccount(account)) {
            case CreateAccountOutcome::Created:
                return 0;
            case CreateAccountOutcome::UserExists:
                std::fprintf(stderr, "valmore-server: the user ID %s exists already\n", options.operands[0].c_str());
                return 1;
            case CreateAccountOutcome::NicknameTaken:
                std::fprintf(stderr, "valmore-server: the nickname %s is taken\n", options.operands[2].c_str());
                return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "valmore-server: %s\n", e.what());
    }
    return 1;
}

int Serve(const Options& options) {
    if (!options.operands.empty()) return Refuse("serve takes no operand '" + options.operands.front() + "'");
    std::error_code ec;
    if (!std::filesystem::is_directory(options.dataDir, ec)) {
        std::fprintf(stderr, "valmore-server: the data folder %s does not exist (see --data-dir)\n",
                     options.dataDir.string().c_str());
        return 1;
    }
    // SIGINT and SIGTERM are taken by one thread that stops the server; every other thread,
    // the workers included, inherits the blocked mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<IServerStore> store = OpenStore(options);
    if (!store) return 1;
    std::vector<std::string> skipped;
    const CScenarioDirectory scenarios = CScenarioDirectory::Load(options.dataDir, &skipped);
    for (const std::string& why : skipped) std::fprintf(stderr, "valmore-server: scenario left out: %s\n", why.c_str());

    RankingServerOptions serverOptions;
    serverOptions.servlets.openRegistration = options.openRegistration;
    serverOptions.servlets.acceptUnsignedResults = options.acceptUnsignedResults;
    serverOptions.newsFile = options.dataDir / "news.txt";
    CRankingServer server(*store, scenarios, serverOptions);
    const int port = server.Bind(options.host, options.port);
    if (port < 0) {
        std::fprintf(stderr, "valmore-server: cannot listen on %s:%d\n", options.host.c_str(), options.port);
        return 1;
    }
    const bool ipv6 = options.host.find(':') != std::string::npos;
    std::printf("valmore-server: listening on http://%s%s%s:%d/\n", ipv6 ? "[" : "", options.host.c_str(),
                ipv6 ? "]" : "", port);
    std::fflush(stdout);

    std::atomic<bool> finished{false};
    std::thread stopper([&server, &finished, stopSignals] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        // A stop asked for before the server is running is not heard, so it is asked again until it is.
        while (!finished) {
            server.Stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const bool served = server.Run();
    finished = true;
    // When serving ended without a signal, wake the waiting thread so it can be joined.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    if (!served) {
        std::fprintf(stderr, "valmore-server: serving failed\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::optional<std::string> value;
        if (arg.rfind("--", 0) == 0 && arg.find('=') != std::string::npos) {
            name = arg.substr(0, arg.find('='));
            value = arg.substr(arg.find('=') + 1);
        }
        auto takeValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        if (name == "--help" || name == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (name == "--listen") {
            const std::optional<std::string> listen = takeValue();
            if (!listen || !ParseListen(*listen, options)) return Refuse("--listen needs HOST:PORT");
        } else if (name == "--db") {
            const std::optional<std::string> db = takeValue();
            if (!db || db->empty()) return Refuse("--db needs a file or a postgresql:// connection string");
            options.db = *db;
        } else if (name == "--data-dir") {
            const std::optional<std::string> dir = takeValue();
            if (!dir || dir->empty()) return Refuse("--data-dir needs a folder");
            options.dataDir = *dir;
        } else if (name == "--open-registration" && !value) {
            options.openRegistration = true;
        } else if (name == "--accept-unsigned-results" && !value) {
            options.acceptUnsignedResults = true;
        } else if (arg.rfind("--", 0) == 0) {
            return Refuse("unknown option '" + arg + "'");
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.operands.push_back(arg);
        }
    }
    if (options.command == "serve") return Serve(options);
    if (options.command == "add-user") return AddUser(options);
    return Refuse(options.command.empty() ? "a command is needed: serve or add-user"
                                          : "unknown command '" + options.command + "'");
}
