#pragma once

// A tiny HTTP server on 127.0.0.1 for the request tests: one thread accepts connections one at a
// time and answers each with the raw bytes the test's handler gives for the request target, after
// an optional delay, or holds it open without a word until the server stops. It records every target
// it received.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace valmore::test {

class FakeHttpServer {
public:
    struct Reply {
        std::string raw;  // status line, headers and body, exactly as sent
        int delayMs = 0;
        bool silent = false;  // never answered; the next connection is taken at once
    };
    using Handler = std::function<Reply(const std::string& target)>;

    static Reply Silence() { return {"", 0, true}; }

    static Reply Body(const std::string& body, int status = 200) {
        return {"HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\nConnection: close\r\n\r\n" + body};
    }

    explicit FakeHttpServer(Handler handler)
        : handler_(std::move(handler)), listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 8);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~FakeHttpServer() { Stop(); }

    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(port_) + "/RURadiza/servlet/"; }

    std::vector<std::string> Targets() const {
        std::lock_guard lock(mutex_);
        return targets_;
    }

    // Closes the port: later requests find nothing listening.
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (listener_ >= 0) ::close(listener_);
        listener_ = -1;
        for (const int client : held_) ::close(client);
        held_.clear();
    }

private:
    void Serve() {
        while (!stop_) {
            pollfd p{listener_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) continue;
            // The request line is all it looks at; curl sends the whole request in one piece.
            char buffer[8192];
            const ssize_t received = ::recv(client, buffer, sizeof buffer, 0);
            const std::string request(buffer, static_cast<std::size_t>(std::max<ssize_t>(received, 0)));
            const std::size_t start = request.find(' ') + 1;
            const std::string target = request.substr(start, request.find(' ', start) - start);
            {
                std::lock_guard lock(mutex_);
                targets_.push_back(target);
            }
            const Reply reply = handler_(target);
            if (reply.silent) {
                held_.push_back(client);
                continue;
            }
            for (int waited = 0; !stop_ && waited < reply.delayMs; waited += 10) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            for (std::size_t sent = 0; sent < reply.raw.size();) {
                const ssize_t n = ::send(client, reply.raw.data() + sent, reply.raw.size() - sent, MSG_NOSIGNAL);
                if (n <= 0) break;
                sent += static_cast<std::size_t>(n);
            }
            ::close(client);
        }
    }

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> targets_;
    std::vector<int> held_;  // only the serving thread touches it until Stop has joined it
};

}  // namespace valmore::test
