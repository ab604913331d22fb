#include "net/ServerLink.h"

#include "platform/HttpGet.h"
#include "protocol/ResultFields.h"

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

// The account status an account request leaves. Validation knows no taken nickname: that word
// refuses it like any other.
AccountStatus AccountStatusAfter(const UnframedReply& reply, bool nicknameCounts) {
    if (const std::optional<AccountStatus> failed = AccountStatusOf(reply.outcome)) return *failed;
    switch (ReadAccountReply(reply.text)) {
        case AccountReply::Accepted:
            return AccountStatus::Valid;
        case AccountReply::NicknameTaken:
            return nicknameCounts ? AccountStatus::NicknameTaken : AccountStatus::Rejected;
        case AccountReply::Refused:
            break;
    }
    return AccountStatus::Rejected;
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
    ResultFields fields;
    fields.userId = userId;
    fields.scenarioId = scenarioId;
    fields.date = r.Date;
    fields.totalScore = r.TotalScore;
    fields.totalPL = r.TotalPL;
    fields.averageAmount = r.AvarageAmount;
    fields.commission = r.Commition;
    fields.tax = r.Tax;
    fields.tradeCount = r.TradeCount;
    return fields.Encode();
}

CServerLink::CServerLink(std::string baseUrl) : baseUrl_(std::move(baseUrl)) {}

void CServerLink::SetTimeouts(long connectMs, long totalMs) {
    connectTimeoutMs_ = connectMs;
    totalTimeoutMs_ = totalMs;
}

UnframedReply CServerLink::FetchUrl(const std::string& url) const {
    HttpGetOptions options;
    options.connectTimeoutMs = connectTimeoutMs_;
    options.totalTimeoutMs = totalTimeoutMs_;
    options.maxBodyBytes = kMaxReplyBytes;
    options.userAgent = kUserAgent;
    options.givenUp = givenUp_;
    const HttpGetResult result = HttpGet(url, options);
    switch (result.outcome) {
        case HttpOutcome::Ok:
            return Unframe(result.body);
        case HttpOutcome::Unreachable:
            return {LinkOutcome::NoConnection, {}};
        case HttpOutcome::Failed:
            break;
    }
    return {LinkOutcome::ServerFailure, {}};
}

LinkReply<std::vector<ServerScenario>> CServerLink::ScenarioListRequest(std::string_view focus) const {
    const UnframedReply reply = FetchUrl(baseUrl_ + "ScenarioList" + Query({{"VERSION", version_}, {"FOCUS", focus}}));
    return {reply.outcome, DecodeScenarioList(reply.text)};
}

LinkReply<std::vector<RankingRow>> CServerLink::RankingRequest(std::string_view scenarioId,
                                                               std::string_view userId) const {
    const UnframedReply reply =
        FetchUrl(baseUrl_ + "Ranking" + Query({{"ID", scenarioId}, {"USERID", userId}, {"VERSION", version_}}));
    return {reply.outcome, DecodeRanking(reply.text)};
}

ResultReply CServerLink::ResultRequest(std::string_view message, std::string_view password) const {
    const UnframedReply reply = FetchUrl(baseUrl_ + "ResultHandler" +
                                         Query({{"MESS", message}, {"VERSION", version_}, {"PASSWORD", password}}));
    if (reply.outcome != LinkOutcome::Done) return {reply.outcome, {}};
    // Any other reply takes the result silently.
    if (std::optional<std::string> refusal = ResultRefusalMessage(reply.text)) {
        return {LinkOutcome::Refused, std::move(*refusal)};
    }
    return {LinkOutcome::Done, {}};
}

AccountStatus CServerLink::UserValidateRequest(std::string_view userId, std::string_view password) const {
    if (userId.empty() || password.empty()) return AccountStatus::Empty;
    return AccountStatusAfter(FetchUrl(baseUrl_ + "UserValidate" +
                                       Query({{"USERID", userId}, {"VERSION", version_}, {"PASSWORD", password}})),
                              false);
}

AccountStatus CServerLink::ChangeUserInfoRequest(std::string_view userId, std::string_view password,
                                                 std::string_view previousPassword, std::string_view nickname) const {
    if (userId.empty() || password.empty()) return AccountStatus::Empty;
    return AccountStatusAfter(FetchUrl(baseUrl_ + "ChangeUserInfo" +
                                       Query({{"USERID", userId},
                                              {"VERSION", version_},
                                              {"PASSWORD", password},
                                              {"PREVPASSWORD", previousPassword},
                                              {"NICKNAME", nickname}})),
                              true);
}

}  // namespace valmore
