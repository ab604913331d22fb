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

struct MultiRelease {
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};

// How long one wait for the network lasts before the given-up flag is looked at again.
constexpr int kGiveUpPollMs = 20;

// The transfer through a multi handle, so a request given up from another thread ends at the next
// short poll instead of when a timeout runs out; curl's own timeouts apply as they do otherwise.
CURLcode Perform(CURL* c, const std::atomic<bool>* givenUp, bool* stopped) {
    std::unique_ptr<CURLM, MultiRelease> multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), c) != CURLM_OK) return CURLE_FAILED_INIT;
    CURLcode code = CURLE_GOT_NOTHING;
    for (;;) {
        if (givenUp && givenUp->load()) {
            *stopped = true;
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
                if (message->msg == CURLMSG_DONE) code = message->data.result;
            }
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, kGiveUpPollMs, nullptr);
    }
    curl_multi_remove_handle(multi.get(), c);
    return code;
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

    bool stopped = false;
    const CURLcode code = Perform(c, options.givenUp, &stopped);
    if (code != CURLE_OK) {
        result.reason = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        if (sink.tooLarge) result.reason = "reply larger than the limit";
        if (stopped) result.reason = "given up";
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
