#include "platform/HttpGet.h"

#include <curl/curl.h>

#include <cerrno>
#include <memory>
#include <mutex>

namespace valmore {

namespace {

struct EasyRelease {
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
using EasyPtr = std::unique_ptr<CURL, EasyRelease>;

struct Sink {
    std::string* body;
    std::size_t limit;
    bool tooLarge = false;
};

// Returning less than was offered makes curl end the transfer, so an endless body stops at the limit.
std::size_t Append(char* data, std::size_t size, std::size_t count, void* user) {
    Sink* sink = static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (sink->body->size() + n > sink->limit) {
        sink->tooLarge = true;
        return 0;
    }
    sink->body->append(data, n);
    return n;
}

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

HttpGetResult HttpGet(const std::string& url, const HttpGetOptions& options) {
    InitialiseOnce();
    HttpGetResult result;
    EasyPtr curl(curl_easy_init());
    if (!curl) {
        result.reason = "cannot start a request";
        return result;
    }
    std::string body;
    Sink sink{&body, options.maxBodyBytes};
    char errorText[CURL_ERROR_SIZE] = {};
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_HTTPGET, 1L);
    // Signals would interrupt the program's own handlers; timeouts work without them.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    // The proxy settings of the environment apply, but never to the machine itself.
    curl_easy_setopt(c, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    // Always a fresh reply from the server, never a cached one.
    struct SlistRelease {
        void operator()(curl_slist* l) const { curl_slist_free_all(l); }
    };
    std::unique_ptr<curl_slist, SlistRelease> headers(curl_slist_append(nullptr, "Cache-Control: no-cache"));
    if (headers) curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    if (!options.userAgent.empty()) curl_easy_setopt(c, CURLOPT_USERAGENT, options.userAgent.c_str());
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = curl_easy_perform(c);
    if (code != CURLE_OK) {
        result.reason = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        if (sink.tooLarge) result.reason = "reply larger than the limit";
        long osError = 0;
        curl_easy_getinfo(c, CURLINFO_OS_ERRNO, &osError);
        const bool noRoute =
            code == CURLE_COULDNT_CONNECT && (osError == ENETUNREACH || osError == EHOSTUNREACH || osError == ENETDOWN);
        if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_COULDNT_RESOLVE_PROXY || noRoute) {
            result.outcome = HttpOutcome::Unreachable;
        }
        return result;
    }
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
        result.reason = "HTTP status " + std::to_string(status);
        return result;
    }
    result.outcome = HttpOutcome::Ok;
    result.body = std::move(body);
    return result;
}

}  // namespace valmore
