#pragma once

// The requests to the ranking server: one HTTP GET each to a servlet under the base URL, with every
// value percent-encoded, and the result codes of ServerReplies.h. Requests block until the reply is
// read, a timeout ends them or they are given up; the screens run them off the interface thread on
// a copy of the link.

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/ServerReplies.h"
#include "results/ResultStore.h"

namespace valmore {

// Every byte outside the unreserved ASCII set (letters, digits, "-", ".", "_", "~") as %XX, so a
// "&" or "#" in a value cannot change the request; Shift_JIS bytes go out the same way.
std::string PercentEncode(std::string_view bytes);

// The MESS value of a result submission: the user ID, then the scenario ID and the record's figures,
// each followed by a comma.
std::string ResultMessage(std::string_view userId, std::string_view scenarioId, const ResultRecord& record);

class CServerLink {
public:
    static constexpr long kConnectTimeoutMs = 5000;
    static constexpr long kTotalTimeoutMs = 15000;

    // baseUrl ends with "/RURadiza/servlet/" (or whatever path the server answers under).
    explicit CServerLink(std::string baseUrl);

    const std::string& BaseUrl() const { return baseUrl_; }
    // Tests shorten these to see a timeout quickly.
    void SetTimeouts(long connectMs, long totalMs);
    // Tests send another version to see the server refuse it.
    void SetProtocolVersion(std::string version) { version_ = std::move(version); }
    // Requests stop, as a server failure, as soon as the flag turns true; it must outlive them.
    void StopWhen(const std::atomic<bool>* givenUp) { givenUp_ = givenUp; }

    // The reply text, or "INTERNET_FAILURE", "SERVER_FAILURE" or "VERSION_ERROR".
    std::string FetchUrl(const std::string& url) const;

    // reply is filled with the reply text on success and left empty otherwise.
    std::int32_t ScenarioListRequest(std::string_view focus, std::string* reply) const;
    std::int32_t RankingRequest(std::string_view scenarioId, std::string_view userId, std::string* reply) const;
    // The password signs the result: the server takes results only from the account's owner.
    std::int32_t ResultRequest(std::string_view message, std::string_view password, std::string* reply) const;
    std::int32_t UserValidateRequest(std::string_view userId, std::string_view password) const;
    std::int32_t ChangeUserInfoRequest(std::string_view userId, std::string_view password,
                                       std::string_view previousPassword, std::string_view nickname) const;

private:
    std::string baseUrl_;
    long connectTimeoutMs_ = kConnectTimeoutMs;
    long totalTimeoutMs_ = kTotalTimeoutMs;
    std::string version_{kProtocolVersion};
    const std::atomic<bool>* givenUp_ = nullptr;
};

}  // namespace valmore
