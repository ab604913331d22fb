#pragma once

// One HTTP GET through libcurl, with the limits that keep a dead or hostile server from holding the
// program: a connect timeout, a total timeout and a largest body. The outcome tells a network that
// cannot reach the host apart from a server that fails to answer properly. A request can be given
// up from another thread at any moment; it then ends within a few tens of milliseconds.

#include <atomic>
#include <cstddef>
#include <string>

namespace valmore {

struct HttpGetOptions {
    long connectTimeoutMs = 5000;
    long totalTimeoutMs = 15000;
    std::size_t maxBodyBytes = 1024 * 1024;
    std::string userAgent;
    // When set and true, the request stops and fails with the reason "given up".
    const std::atomic<bool>* givenUp = nullptr;
};

enum class HttpOutcome {
    Ok,           // a 2xx reply; the body is complete
    Unreachable,  // the host name cannot be resolved, or no route leads to the host
    Failed,       // refused or broken connection, an HTTP error status, a timeout, a body too large,
                  // or given up
};

struct HttpGetResult {
    HttpOutcome outcome = HttpOutcome::Failed;
    std::string body;    // only for Ok
    std::string reason;  // what went wrong, in English, for tests and diagnostics
};

HttpGetResult HttpGet(const std::string& url, const HttpGetOptions& options);

}  // namespace valmore
