#include "server/ServerHarness.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <libpq-fe.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

extern char** environ;

namespace valmore::test {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Argv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return argv;
}

// Waits for the child at most `seconds`; its exit status, or -1.
int WaitFor(pid_t pid, double seconds) {
    const auto deadline = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return -2;
}

std::string ReadAll(int fd) {
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace

HttpReply HttpGet(int port, std::string_view target) {
    HttpReply reply;
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return reply;
    timeval timeout{30, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return reply;
    }
    const std::string request =
        "GET " + std::string(target) + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size())) {
        close(fd);
        return reply;
    }
    // Reads up to the end of the body that Content-Length announces; a refused request may leave
    // the connection open.
    std::string response;
    std::size_t headerEnd = std::string::npos;
    std::size_t wanted = std::string::npos;
    char buffer[8192];
    while (wanted == std::string::npos || response.size() < wanted) {
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        response.append(buffer, static_cast<std::size_t>(n));
        if (headerEnd == std::string::npos && (headerEnd = response.find("\r\n\r\n")) != std::string::npos) {
            std::string headers = response.substr(0, headerEnd);
            for (char& c : headers) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            const std::size_t length = headers.find("\r\ncontent-length:");
            if (length != std::string::npos)
                wanted = headerEnd + 4 + std::strtoul(headers.c_str() + length + 17, nullptr, 10);
        }
    }
    close(fd);
    const std::size_t space = response.find(' ');
    if (space == std::string::npos || headerEnd == std::string::npos) return reply;
    reply.status = std::atoi(response.c_str() + space + 1);
    reply.body = response.substr(headerEnd + 4);
    return reply;
}

std::string ServletTarget(std::string_view name, std::string_view query) {
    std::string target = "/RURadiza/servlet/" + std::string(name) + "?" + std::string(query);
    if (!query.empty()) target += "&";
    return target + "VERSION=QUIVO_TARN_000_000";
}

CommandRun RunServerCommand(const std::vector<std::string>& args) {
    std::vector<std::string> all{VALMORE_SERVER_PATH};
    all.insert(all.end(), args.begin(), args.end());
    int pipeFds[2];
    CommandRun run;
    if (pipe(pipeFds) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = -1;
    std::vector<char*> argv = Argv(all);
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc == 0) {
        run.output = ReadAll(pipeFds[0]);
        run.status = WaitFor(pid, 120);
    }
    close(pipeFds[0]);
    return run;
}

ServerProcess::~ServerProcess() {
    Kill();
}

bool ServerProcess::Start(const std::vector<std::string>& args, const std::filesystem::path& logFile) {
    std::vector<std::string> all{VALMORE_SERVER_PATH, "serve", "--listen", "127.0.0.1:0"};
    all.insert(all.end(), args.begin(), args.end());
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv = Argv(all);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        pid_ = -1;
        close(pipeFds[0]);
        return false;
    }
    // The line comes once the database is open and the port bound; a slow sanitizer build needs a while.
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    std::string line;
    while (line.find('\n') == std::string::npos && Clock::now() < deadline) {
        pollfd poll_fd{pipeFds[0], POLLIN, 0};
        if (poll(&poll_fd, 1, 200) <= 0) continue;
        char c;
        if (read(pipeFds[0], &c, 1) != 1) break;
        line.push_back(c);
    }
    close(pipeFds[0]);
    // Exactly "valmore-server: listening on http://127.0.0.1:PORT/", the port being the one bound.
    const std::string prefix = "valmore-server: listening on http://127.0.0.1:";
    if (line.rfind(prefix, 0) != 0) return false;
    port_ = std::atoi(line.c_str() + prefix.size());
    return port_ > 0 && line == prefix + std::to_string(port_) + "/\n";
}

int ServerProcess::Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    const int status = WaitFor(pid_, 60);
    if (status == -2) {
        Kill();
        return -1;
    }
    pid_ = -1;
    port_ = 0;
    return status;
}

void ServerProcess::Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    WaitFor(pid_, 60);
    pid_ = -1;
    port_ = 0;
}

PostgresCluster* PostgresCluster::Shared(std::string* whyNot) {
    static std::unique_ptr<PostgresCluster> shared;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PostgresCluster> cluster(new PostgresCluster());
        std::error_code ec;
        for (const auto& version : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
            if (std::filesystem::exists(version.path() / "bin" / "initdb")) cluster->bin_ = version.path() / "bin";
        }
        const passwd* owner = getpwnam("postgres");
        cluster->asPostgresUser_ = geteuid() == 0;
        if (cluster->bin_.empty()) {
            failure =
                "PostgreSQL server programs (initdb, pg_ctl) not found under /usr/lib/postgresql/*/bin; "
                "scripts/setup installs the postgresql package";
        } else if (cluster->asPostgresUser_ && owner == nullptr) {
            failure = "running as root and there is no postgres account to run PostgreSQL";
        } else {
            std::string pattern = (std::filesystem::temp_directory_path() / "valmore-pg-XXXXXX").string();
            if (mkdtemp(pattern.data()) == nullptr) {
                failure = "mkdtemp failed";
            } else {
                cluster->dir_ = pattern;
                if (cluster->asPostgresUser_ && chown(pattern.c_str(), owner->pw_uid, owner->pw_gid) != 0) {
                    failure = "cannot hand the cluster folder to postgres";
                }
            }
        }
        if (failure.empty()) {
            const std::string dir = cluster->dir_.string();
            const std::string init = cluster->RunAsOwner((cluster->bin_ / "initdb").string() + " -D " + dir +
                                                         "/data -U postgres -A trust -E UTF8 --no-sync");
            if (!init.empty()) failure = "initdb failed: " + init;
        }
        // A random port, tried again when some other program holds it.
        std::mt19937 random(static_cast<unsigned>(getpid()) ^
                            static_cast<unsigned>(Clock::now().time_since_epoch().count()));
        for (int attempt = 0; failure.empty() && attempt < 8; ++attempt) {
            cluster->port_ = 20000 + static_cast<int>(random() % 30000);
            const std::string dir = cluster->dir_.string();
            const std::string start = cluster->RunAsOwner(
                (cluster->bin_ / "pg_ctl").string() + " -D " + dir + "/data -l " + dir + "/log -w -t 60 -o \"-p " +
                std::to_string(cluster->port_) + " -k " + dir + " -c listen_addresses=127.0.0.1 -c fsync=off\" start");
            if (start.empty()) break;
            if (attempt == 7) failure = "pg_ctl start failed: " + start;
        }
        if (failure.empty()) {
            shared = std::move(cluster);
        } else if (!cluster->dir_.empty()) {
            std::filesystem::remove_all(cluster->dir_, ec);
        }
    }
    if (!shared && whyNot != nullptr) *whyNot = failure;
    return shared.get();
}

PostgresCluster::~PostgresCluster() {
    RunAsOwner((bin_ / "pg_ctl").string() + " -D " + dir_.string() + "/data -m immediate -w stop");
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

// Runs a shell command as the cluster's owner; "" on success, else its output.
std::string PostgresCluster::RunAsOwner(const std::string& command) const {
    const std::string line =
        asPostgresUser_ ? "runuser -u postgres -- sh -c '" + command + "' 2>&1" : "sh -c '" + command + "' 2>&1";
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr) return "cannot run " + command;
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pclose(pipe);
    return status == 0 ? std::string{} : (output.empty() ? "failed" : output);
}

std::string PostgresCluster::NewDatabase() {
    const std::string name = "valmore_test_" + std::to_string(++databases_);
    const std::string where = "host=127.0.0.1 port=" + std::to_string(port_) + " user=postgres dbname=postgres";
    PGconn* connection = PQconnectdb(where.c_str());
    PGresult* result = PQexec(connection, ("CREATE DATABASE " + name).c_str());
    const bool created = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
    PQfinish(connection);
    if (!created) return {};
    return "postgresql://postgres@127.0.0.1:" + std::to_string(port_) + "/" + name;
}

}  // namespace valmore::test
