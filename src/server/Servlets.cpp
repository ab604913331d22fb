#include "server/Servlets.h"

#include <chrono>
#include <thread>
#include <vector>

#include "platform/Sjis.h"
#include "protocol/RankingRow.h"
#include "protocol/ResultFields.h"
#include "protocol/ServerProtocol.h"
#include "protocol/ServerScenario.h"
#include "server/UserRules.h"

namespace valmore {

namespace {

// Failures further apart than this start the count again.
constexpr int kFailureWindowSeconds = 15 * 60;
constexpr std::size_t kMaxDateBytes = 64;
// How much of an unknown scenario ID a message repeats.
constexpr std::size_t kMaxQuotedBytes = 40;

std::string Reply(std::string_view text) {
    return FramedReply(text);
}

std::string Reply(AccountReply reply) {
    return FramedReply(AccountReplyText(reply));
}

// A value of the request inside a message: control bytes dropped, cut at a character boundary.
std::string Quoted(std::string_view sjis) {
    std::string out;
    for (std::size_t pos = 0; pos < sjis.size();) {
        const std::size_t length = SjisCharLength(sjis, pos);
        if (out.size() + length > kMaxQuotedBytes) break;
        if (length == 2 || static_cast<unsigned char>(sjis[pos]) >= 0x20) out.append(sjis.substr(pos, length));
        pos += length;
    }
    return out;
}

std::string ForLog(std::string_view userId) {
    return IsValidUserId(userId) ? Cp932ToUtf8(userId) : std::string{};
}

// The C0 controls and DEL; the second byte of a two-byte character is never one of them.
bool HasControlByte(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = SjisCharLength(text, pos);
        const auto c = static_cast<unsigned char>(text[pos]);
        if (length == 1 && (c < 0x20 || c == 0x7F)) return true;
        pos += length;
    }
    return false;
}

ServletReply Refusal(std::string_view message, std::string outcome, std::string userId = {}) {
    return ServletReply{Reply(ResultRefusal(message)), std::move(outcome), std::move(userId)};
}

}  // namespace

CServlets::CServlets(IServerStore& store, const CScenarioDirectory& scenarios, CPasswordCheck& passwords,
                     ServletOptions options)
    : store_(store), scenarios_(scenarios), passwords_(passwords), options_(options) {}

std::optional<ServletReply> CServlets::Handle(std::string_view servlet, const CQueryString& query) {
    using Servlet = ServletReply (CServlets::*)(const CQueryString&);
    static constexpr std::pair<std::string_view, Servlet> kServlets[] = {
        {"UserValidate", &CServlets::UserValidate},   {"ChangeUserInfo", &CServlets::ChangeUserInfo},
        {"ResultHandler", &CServlets::ResultHandler}, {"Ranking", &CServlets::Ranking},
        {"ScenarioList", &CServlets::ScenarioList},
    };
    for (const auto& [name, servletFunction] : kServlets) {
        if (name != servlet) continue;
        if (query.Get("VERSION") != std::optional<std::string>(kProtocolVersion)) {
            return ServletReply{VersionRefusedReply(Sj("このバージョンには対応していません。")), "version-refused", {}};
        }
        return (this->*servletFunction)(query);
    }
    return std::nullopt;
}

int CServlets::FailureDelayMilliseconds(int failuresInARow) {
    if (failuresInARow <= 2) return 0;
    const int shift = failuresInARow - 3 < 3 ? failuresInARow - 3 : 3;
    return 250 << shift;  // 250, 500, 1000, 2000 ms
}

void CServlets::FailedLogin(std::string_view userId) {
    const int failures = store_.RecordLoginFailure(userId, kFailureWindowSeconds);
    const int delay = FailureDelayMilliseconds(failures);
    if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
}

bool CServlets::Authenticate(const StoredAccount& account, std::string_view password) {
    if (IsValidPassword(password) && passwords_.Verify(account.userId, password, account.passwordHash)) return true;
    FailedLogin(account.userId);
    return false;
}

ServletReply CServlets::UserValidate(const CQueryString& query) {
    const std::string userId = query.Value("USERID");
    const std::string password = query.Value("PASSWORD");
    if (!IsValidUserId(userId) || !IsValidPassword(password))
        return ServletReply{Reply(AccountReply::Refused), "NG", ForLog(userId)};

    std::optional<StoredAccount> account = store_.FindAccount(userId);
    if (!account && options_.openRegistration) {
        const StoredAccount created{userId, passwords_.Hash(password), std::nullopt};
        if (store_.CreateAccount(created) == CreateAccountOutcome::Created) {
            return ServletReply{Reply(AccountReply::Accepted), "OK registered", ForLog(userId)};
        }
        // Someone registered the same ID a moment earlier: their password decides.
        account = store_.FindAccount(userId);
    }
    if (!account) {
        FailedLogin(userId);
        return ServletReply{Reply(AccountReply::Refused), "NG unknown", ForLog(userId)};
    }
    if (!Authenticate(*account, password)) return ServletReply{Reply(AccountReply::Refused), "NG", ForLog(userId)};
    store_.ClearLoginFailures(userId);
    return ServletReply{Reply(AccountReply::Accepted), "OK", ForLog(userId)};
}

ServletReply CServlets::ChangeUserInfo(const CQueryString& query) {
    const std::string userId = query.Value("USERID");
    const std::string password = query.Value("PASSWORD");
    const std::string previous = query.Value("PREVPASSWORD");
    const std::string nickname = query.Value("NICKNAME");
    const ServletReply refused{Reply(AccountReply::Refused), "NG", ForLog(userId)};
    if (!IsValidUserId(userId) || !IsValidPassword(password) || !IsValidNickname(nickname)) return refused;

    const std::optional<StoredAccount> account = store_.FindAccount(userId);
    if (!account) {
        FailedLogin(userId);
        return refused;
    }
    if (!Authenticate(*account, previous)) return refused;
    store_.ClearLoginFailures(userId);

    // Keeping the password keeps its hash, so the change costs no second Argon2id.
    const std::string newHash = password == previous ? account->passwordHash : passwords_.Hash(password);
    switch (store_.ChangeAccount(userId, account->passwordHash, newHash, nickname)) {
        case ChangeAccountOutcome::Changed:
            return ServletReply{Reply(AccountReply::Accepted), "OK", ForLog(userId)};
        case ChangeAccountOutcome::NicknameTaken:
            return ServletReply{Reply(AccountReply::NicknameTaken), "NICKNAME_ERROR", ForLog(userId)};
        case ChangeAccountOutcome::Stale:
            break;
    }
    return ServletReply{Reply(AccountReply::Refused), "NG changed meanwhile", ForLog(userId)};
}

ServletReply CServlets::ResultHandler(const CQueryString& query) {
    ResultFields result;
    const ResultFields::DecodeStatus decoded = ResultFields::Decode(query.Value("MESS"), &result);
    if (decoded == ResultFields::DecodeStatus::Malformed) {
        return Refusal(Sj("成績のデータが正しくないため、送信できませんでした。"), "refused malformed");
    }
    const std::string user = ForLog(result.userId);
    const std::string scenario = Quoted(result.scenarioId);
    if (scenarios_.Find(result.scenarioId) == nullptr) {
        return Refusal(Sj("シナリオ「") + scenario +
                           Sj("」はこのサーバーに登録されていないため、成績を受け付けられませんでした。"),
                       "refused unknown scenario", user);
    }
    if (decoded == ResultFields::DecodeStatus::NotANumber) {
        return Refusal(
            Sj("シナリオ「") + scenario + Sj("」の成績に数値でない項目があるため、受け付けられませんでした。"),
            "refused not a number", user);
    }
    if (result.tradeCount < 0) {
        return Refusal(
            Sj("シナリオ「") + scenario + Sj("」の成績の取引回数が正しくないため、受け付けられませんでした。"),
            "refused trade count", user);
    }
    if (result.date.size() > kMaxDateBytes || HasControlByte(result.date)) {
        return Refusal(Sj("シナリオ「") + scenario + Sj("」の成績の日付が正しくないため、受け付けられませんでした。"),
                       "refused date", user);
    }

    const std::optional<StoredAccount> account =
        IsValidUserId(result.userId) ? store_.FindAccount(result.userId) : std::nullopt;
    if (!account) {
        const std::string named = IsValidUserId(result.userId) ? Sj("「") + result.userId + Sj("」") : std::string{};
        return Refusal(Sj("ユーザーID") + named + Sj("は登録されていません。「登録情報」から登録してください。"),
                       "refused unknown user", user);
    }
    if (!options_.acceptUnsignedResults && !Authenticate(*account, query.Value("PASSWORD"))) {
        return Refusal(Sj("パスワードが正しくないため、成績を受け付けられませんでした。「登録情報」をご確認ください。"),
                       "refused password", user);
    }
    store_.AddResult(result);
    return ServletReply{Reply(kAccepted), "OK", user};
}

ServletReply CServlets::Ranking(const CQueryString& query) {
    const std::string scenarioId = query.Value("ID");
    const std::string viewer = query.Value("USERID");
    if (scenarioId.empty()) return ServletReply{Reply(kRefused), "NG no scenario", ForLog(viewer)};

    std::vector<RankedResult> rows = store_.Ranking(scenarioId, viewer, kRankingRows);
    // The viewer's own row comes after the top rows when it is not among them, and takes the last place.
    if (static_cast<int>(rows.size()) > kRankingRows) {
        rows.erase(rows.begin() + (kRankingRows - 1), rows.end() - 1);
    }
    std::vector<RankingRow> shown;
    shown.reserve(rows.size());
    for (const RankedResult& row : rows) {
        const ResultFields& f = row.result.fields;
        shown.push_back(RankingRow{.rank = row.rank,
                                   .userId = f.userId,
                                   .shownName = row.result.shownName,
                                   .date = f.date,
                                   .totalScore = f.totalScore,
                                   .tradeCount = f.tradeCount,
                                   .totalPL = f.totalPL,
                                   .commission = f.commission,
                                   .tax = f.tax,
                                   .averageAmount = f.averageAmount});
    }
    const std::string body = EncodeRanking(scenarioId, shown);
    return ServletReply{Reply(body), "OK " + std::to_string(rows.size()) + " rows", ForLog(viewer)};
}

ServletReply CServlets::ScenarioList(const CQueryString& query) {
    if (query.Value("FOCUS") != "EXAM") return ServletReply{Reply(kRefused), "NG focus", {}};
    std::vector<ServerScenario> offered;
    for (const ScenarioHeader& h : scenarios_.All()) {
        if (h.Mode == CScenarioDirectory::kHiddenMode) continue;
        offered.push_back(ServerScenario{.ID = h.ID,
                                         .Title = h.Title,
                                         .Category = h.Category,
                                         .Mode = h.Mode,
                                         .Level = std::to_string(h.Level),
                                         .Duration = h.Duration,
                                         .EstimatedTime = h.EstimatedTime,
                                         .ProductCount = h.ProductCount,
                                         .FundAmount = h.FundAmount});
    }
    const std::string body = EncodeScenarioList(offered);
    return ServletReply{Reply(body), "OK", {}};
}

}  // namespace valmore
