#include "server/RankingServer.h"

#include <httplib.h>

#include <cstdarg>
#include <thread>

namespace valmore {

namespace {

// Each waiting keep-alive connection holds a worker, so there are enough for many trainers at once.
constexpr std::size_t kWorkers = 64;
constexpr const char* kServletPrefix = "/RURadiza/servlet/";

int ArgonSlots() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 2 : static_cast<int>(cores);
}

}  // namespace

CRankingServer::CRankingServer(IServerStore& store, const CScenarioDirectory& scenarios, RankingServerOptions options)
    : store_(store),
      options_(std::move(options)),
      passwords_(ArgonSlots()),
      servlets_(store, scenarios, passwords_, options_.servlets),
      teacherPage_(store, scenarios, options_.newsFile),
      http_(std::make_unique<httplib::Server>()) {
    httplib::Server& http = *http_;
    http.new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    http.set_tcp_nodelay(true);
    // Address reuse only: with port sharing a second server on a busy port would start without a word
    // and take half of the first one's connections.
    http.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    http.set_keep_alive_max_count(1000);
    http.set_keep_alive_timeout(5);
    http.set_read_timeout(10);
    http.set_write_timeout(10);
    http.set_payload_max_length(kMaxTargetBytes);

    http.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
        if (request.target.size() <= kMaxTargetBytes) return httplib::Server::HandlerResponse::Unhandled;
        response.status = 414;
        response.set_content("request too long\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });

    http.Get(std::string(kServletPrefix) + "([A-Za-z]+)", [this](const httplib::Request& request,
                                                                 httplib::Response& response) {
        const std::string servlet = request.matches[1];
        try {
            const std::optional<ServletReply> reply = servlets_.Handle(servlet, CQueryString::Parse(request.target));
            if (!reply) {
                response.status = 404;
                response.set_content("no such servlet\n", "text/plain");
                return;
            }
            response.set_header("Cache-Control", "no-store");
            response.set_content(reply->body, "text/plain; charset=Shift_JIS");
            Log("%s user=%s -> %s", servlet.c_str(), reply->userId.empty() ? "-" : reply->userId.c_str(),
                reply->outcome.c_str());
        } catch (const std::exception& e) {
            // No "RURADIZA:" reply, so the trainer reports a server failure and nothing counts as stored.
            response.status = 503;
            response.set_content("server failure\n", "text/plain");
            Log("%s failed: %s", servlet.c_str(), e.what());
        }
    });

    http.Get("/", [this](const httplib::Request&, httplib::Response& response) {
        try {
            response.set_header("Cache-Control", "no-store");
            response.set_content(teacherPage_.Html(), "text/html; charset=utf-8");
        } catch (const std::exception& e) {
            response.status = 503;
            response.set_content("server failure\n", "text/plain");
            Log("teachers' page failed: %s", e.what());
        }
    });
    http.Get("/results.csv", [this](const httplib::Request&, httplib::Response& response) {
        try {
            response.set_header("Content-Disposition", "attachment; filename=\"results.csv\"");
            response.set_content(teacherPage_.Csv(), "text/csv; charset=utf-8");
        } catch (const std::exception& e) {
            response.status = 503;
            response.set_content("server failure\n", "text/plain");
            Log("results.csv failed: %s", e.what());
        }
    });
}

CRankingServer::~CRankingServer() = default;

int CRankingServer::Bind(const std::string& host, int port) {
    if (port == 0) return http_->bind_to_any_port(host);
    return http_->bind_to_port(host, port) ? port : -1;
}

bool CRankingServer::Run() {
    return http_->listen_after_bind();
}

void CRankingServer::Stop() {
    http_->stop();
}

void CRankingServer::Log(const char* format, ...) const {
    if (options_.log == nullptr) return;
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(options_.log, "valmore-server: %s\n", line);
}

}  // namespace valmore
