#pragma once

// Driving the real valmore-server from tests: the program started and stopped as a child process,
// plain HTTP requests sent byte for byte, and a throwaway PostgreSQL cluster. Every wait is bounded.

#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace valmore::test {

struct HttpReply {
    int status = 0;  // 0 when no reply came
    std::string body;
};

// One GET on 127.0.0.1 with the target exactly as given (raw bytes included), on a new connection.
HttpReply HttpGet(int port, std::string_view target);

// "/RURadiza/servlet/NAME?QUERY&VERSION=..." with the protocol version the trainer sends.
std::string ServletTarget(std::string_view name, std::string_view query);

struct CommandRun {
    int status = -1;
    std::string output;  // standard output and standard error
};

// Runs valmore-server with the arguments and waits for it.
CommandRun RunServerCommand(const std::vector<std::string>& args);

// A running "valmore-server serve" on a free loopback port, killed when the object goes away.
class ServerProcess {
public:
    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts the server with the arguments after "serve" and waits for its "listening" line.
    // Standard error goes to logFile.
    bool Start(const std::vector<std::string>& args, const std::filesystem::path& logFile);
    int Port() const { return port_; }
    std::string Get(std::string_view target) const { return HttpGet(port_, target).body; }

    // SIGTERM, then waits: the exit status, or -1 when it did not exit normally in time.
    int Stop();
    // SIGKILL, as a crash would end it.
    void Kill();

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

// A PostgreSQL cluster in a temporary folder on a free loopback port, run by the "postgres" account
// when the tests run as root (the server refuses root). One per test program, started on first use.
class PostgresCluster {
public:
    // The shared cluster, or null with *whyNot set when PostgreSQL's server programs are missing.
    static PostgresCluster* Shared(std::string* whyNot);
    ~PostgresCluster();

    // A fresh, empty database of the cluster, as a connection string for --db.
    std::string NewDatabase();

private:
    PostgresCluster() = default;
    std::string RunAsOwner(const std::string& command) const;

    std::filesystem::path bin_;
    std::filesystem::path dir_;
    int port_ = 0;
    int databases_ = 0;
    bool asPostgresUser_ = false;
};

}  // namespace valmore::test
