#include "net/ServerLink.h"

#include "net/ServerReplies.h"
#include "platform/HttpGet.h"

namespace valmore {

namespace {

constexpr const char* kUserAgent = "WININET Sample Program";

// The largest reply taken: far above any ranking or scenario list, far below what could hurt.
constexpr std::size_t kMaxReplyBytes = 1024 * 1024;

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

std::string Query(std::initializer_list<std::pair<std::string_view, std::string_view>> parameters) {
    std::string query;
    for (const auto& [name, value] : parameters) {
        query += query.empty() ? "?" : "&";
        query += name;
        query += '=';
        query += PercentEncode(value);
    }
    return query;
}

// A reply that is only text for the caller: the failure words and a refused version leave it empty.
std::string ReplyOrEmpty(const std::string& fetched) {
    if (fetched == kInternetFailure || fetched == kServerFailure || fetched == kVersionError) return {};
    return fetched;
}

}  // namespace

std::string PercentEncode(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string ResultMessage(std::string_view userId, std::string_view scenarioId, const ResultRecord& r) {
    std::string message(userId);
    message += ',';
    for (std::string_view text : {scenarioId, std::string_view(r.Date)}) {
        message += text;
        message += ',';
    }
    for (std::int32_t value : {r.TotalScore, r.TotalPL, r.AvarageAmount, r.Commition, r.Tax, r.TradeCount}) {
        message += std::to_string(value);
        message += ',';
    }
    return message;
}

CServerLink::CServerLink(std::string baseUrl) : baseUrl_(std::move(baseUrl)) {}

void CServerLink::SetTimeouts(long connectMs, long totalMs) {
    connectTimeoutMs_ = connectMs;
    totalTimeoutMs_ = totalMs;
}

std::string CServerLink::FetchUrl(const std::string& url) const {
    HttpGetOptions options;
    options.connectTimeoutMs = connectTimeoutMs_;
    options.totalTimeoutMs = totalTimeoutMs_;
    options.maxBodyBytes = kMaxReplyBytes;
    options.userAgent = kUserAgent;
    options.givenUp = givenUp_;
    const HttpGetResult result = HttpGet(url, options);
    switch (result.outcome) {
        case HttpOutcome::Ok:
            return UnframeReply(result.body);
        case HttpOutcome::Unreachable:
            return std::string(kInternetFailure);
        case HttpOutcome::Failed:
            break;
    }
    return std::string(kServerFailure);
}

std::int32_t CServerLink::ScenarioListRequest(std::string_view focus, std::string* reply) const {
    const std::string fetched = FetchUrl(baseUrl_ + "ScenarioList" + Query({{"VERSION", version_}, {"FOCUS", focus}}));
    if (reply) *reply = ReplyOrEmpty(fetched);
    return ScenarioListCode(fetched);
}

std::int32_t CServerLink::RankingRequest(std::string_view scenarioId, std::string_view userId,
                                         std::string* reply) const {
    const std::string fetched =
        FetchUrl(baseUrl_ + "Ranking" + Query({{"ID", scenarioId}, {"USERID", userId}, {"VERSION", version_}}));
    if (reply) *reply = ReplyOrEmpty(fetched);
    return RankingCode(fetched);
}

std::int32_t CServerLink::ResultRequest(std::string_view message, std::string_view password, std::string* reply) const {
    const std::string fetched = FetchUrl(baseUrl_ + "ResultHandler" +
                                         Query({{"MESS", message}, {"VERSION", version_}, {"PASSWORD", password}}));
    if (reply) *reply = ReplyOrEmpty(fetched);
    return ResultCode(fetched);
}

std::int32_t CServerLink::UserValidateRequest(std::string_view userId, std::string_view password) const {
    if (userId.empty() || password.empty()) return 1;
    return UserValidateCode(FetchUrl(baseUrl_ + "UserValidate" +
                                     Query({{"USERID", userId}, {"VERSION", version_}, {"PASSWORD", password}})));
}

std::int32_t CServerLink::ChangeUserInfoRequest(std::string_view userId, std::string_view password,
                                                std::string_view previousPassword, std::string_view nickname) const {
    if (userId.empty() || password.empty()) return 1;
    return ChangeUserInfoCode(FetchUrl(baseUrl_ + "ChangeUserInfo" +
                                       Query({{"USERID", userId},
                                              {"VERSION", version_},
                                              {"PASSWORD", password},
                                              {"PREVPASSWORD", previousPassword},
                                              {"NICKNAME", nickname}})));
}

}  // namespace valmore
