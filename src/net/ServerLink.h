#pragma once

// The requests to the ranking server: one HTTP GET each to a servlet under the base URL, with every
// value percent-encoded. Each gives what it came to as a LinkOutcome (or, for the account requests,
// the account status) and what the reply carried, read with the protocol's decoders. Requests block
// until the reply is read, a timeout ends them or they are given up; the screens run them off the
// interface thread on a copy of the link.

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "net/UserAccount.h"
#include "protocol/RankingRow.h"
#include "protocol/ServerProtocol.h"
#include "protocol/ServerScenario.h"
#include "results/ResultStore.h"

namespace valmore {

// Every byte outside the unreserved ASCII set (letters, digits, "-", ".", "_", "~") as %XX, so a
// "&" or "#" in a value cannot change the request; Shift_JIS bytes go out the same way.
std::string PercentEncode(std::string_view bytes);

// The MESS value of a result submission: the user ID, the scenario ID and the record's figures.
std::string ResultMessage(std::string_view userId, std::string_view scenarioId, const ResultRecord& record);

// What a request came to, and what a Done reply carried.
template <class T>
struct LinkReply {
    LinkOutcome outcome = LinkOutcome::ServerFailure;
    T value{};
};

// A submitted result: Done when taken, Refused with the server's message (possibly empty).
struct ResultReply {
    LinkOutcome outcome = LinkOutcome::ServerFailure;
    std::string message;
};

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

    // The reply text of a URL, or the failure that stood in its way.
    UnframedReply FetchUrl(const std::string& url) const;

    LinkReply<std::vector<ServerScenario>> ScenarioListRequest(std::string_view focus) const;
    LinkReply<std::vector<RankingRow>> RankingRequest(std::string_view scenarioId, std::string_view userId) const;
    // The password signs the result: the server takes results only from the account's owner.
    ResultReply ResultRequest(std::string_view message, std::string_view password) const;
    // Empty for an empty user ID or password, with nothing sent.
    AccountStatus UserValidateRequest(std::string_view userId, std::string_view password) const;
    AccountStatus ChangeUserInfoRequest(std::string_view userId, std::string_view password,
                                        std::string_view previousPassword, std::string_view nickname) const;

private:
    std::string baseUrl_;
    long connectTimeoutMs_ = kConnectTimeoutMs;
    long totalTimeoutMs_ = kTotalTimeoutMs;
    std::string version_{kProtocolVersion};
    const std::atomic<bool>* givenUp_ = nullptr;
};

}  // namespace valmore
