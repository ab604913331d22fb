#include "server/Servlets.h"

#include <charconv>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/Sjis.h"
#include "server/UserRules.h"

namespace valmore {

namespace {

constexpr std::string_view kReplyPrefix = "RURADIZA:";
constexpr std::string_view kResultRefused = "SCENARIO_VALIDATE_FAILUER,";
// Failures further apart than this start the count again.
constexpr int kFailureWindowSeconds = 15 * 60;
constexpr std::size_t kMaxDateBytes = 64;
// How much of an unknown scenario ID a message repeats.
constexpr std::size_t kMaxQuotedBytes = 40;
constexpr int kResultFieldCount = 9;

std::string Reply(std::string_view text) {
    return std::string(kReplyPrefix) + std::string(text);
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

// A whole 32-bit decimal number, as the trainer writes it with "%d".
std::optional<std::int64_t> ParseNumber(std::string_view text) {
    std::int32_t value = 0;
    if (text.empty() || text.front() == '+') return std::nullopt;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

bool HasControlByte(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = SjisCharLength(text, pos);
        if (length == 1 && static_cast<unsigned char>(text[pos]) < 0x20) return true;
        pos += length;
    }
    return false;
}

ServletReply Refusal(std::string_view message, std::string outcome, std::string userId = {}) {
    return ServletReply{Reply(std::string(kResultRefused) + ReplyField(message)), std::move(outcome),
                        std::move(userId)};
}

}  // namespace

std::string ReplyField(std::string_view sjis) {
    if (sjis.empty()) return "----";
    static const std::string kFullWidthComma = Sj("，");
    std::string out;
    // A comma never occurs as the second byte of a Shift_JIS character, so bytes can be replaced.
    for (const char c : sjis) {
        if (c == ',') {
            out += kFullWidthComma;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

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
            return ServletReply{"VERERROR:" + Sj("このバージョンには対応していません。"), "version-refused", {}};
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
    if (!IsValidUserId(userId) || !IsValidPassword(password)) return ServletReply{Reply("NG"), "NG", ForLog(userId)};

    std::optional<StoredAccount> account = store_.FindAccount(userId);
    if (!account && options_.openRegistration) {
        const StoredAccount created{userId, passwords_.Hash(password), std::nullopt};
        if (store_.CreateAccount(created) == CreateAccountOutcome::Created) {
            return ServletReply{Reply("OK"), "OK registered", ForLog(userId)};
        }
        // Someone registered the same ID a moment earlier: their password decides.
        account = store_.FindAccount(userId);
    }
    if (!account) {
        FailedLogin(userId);
        return ServletReply{Reply("NG"), "NG unknown", ForLog(userId)};
    }
    if (!Authenticate(*account, password)) return ServletReply{Reply("NG"), "NG", ForLog(userId)};
    store_.ClearLoginFailures(userId);
    return ServletReply{Reply("OK"), "OK", ForLog(userId)};
}

ServletReply CServlets::ChangeUserInfo(const CQueryString& query) {
    const std::string userId = query.Value("USERID");
    const std::string password = query.Value("PASSWORD");
    const std::string previous = query.Value("PREVPASSWORD");
    const std::string nickname = query.Value("NICKNAME");
    const ServletReply refused{Reply("NG"), "NG", ForLog(userId)};
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
            return ServletReply{Reply("OK"), "OK", ForLog(userId)};
        case ChangeAccountOutcome::NicknameTaken:
            return ServletReply{Reply("NICKNAME_ERROR"), "NICKNAME_ERROR", ForLog(userId)};
        case ChangeAccountOutcome::Stale:
            break;
    }
    return ServletReply{Reply("NG"), "NG changed meanwhile", ForLog(userId)};
}

ServletReply CServlets::ResultHandler(const CQueryString& query) {
    std::string message = query.Value("MESS");
    // The fields are comma-terminated; a message without the last comma is read the same way.
    if (!message.empty() && message.back() == ',') message.pop_back();
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = message.find(',', start);
        fields.push_back(message.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    bool complete = static_cast<int>(fields.size()) == kResultFieldCount;
    for (const std::string& field : fields) complete = complete && !field.empty();
    if (!complete) return Refusal(Sj("成績のデータが正しくないため、送信できませんでした。"), "refused malformed");

    ResultFields result;
    result.userId = fields[0];
    result.scenarioId = fields[1];
    result.date = fields[2];
    const std::string user = ForLog(result.userId);
    const std::string scenario = Quoted(result.scenarioId);
    if (scenarios_.Find(result.scenarioId) == nullptr) {
        return Refusal(Sj("シナリオ「") + scenario +
                           Sj("」はこのサーバーに登録されていないため、成績を受け付けられませんでした。"),
                       "refused unknown scenario", user);
    }
    std::int64_t* numbers[] = {&result.totalScore, &result.totalPL, &result.averageAmount,
                               &result.commission, &result.tax,     &result.tradeCount};
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        const std::optional<std::int64_t> value = ParseNumber(fields[3 + i]);
        if (!value) {
            return Refusal(
                Sj("シナリオ「") + scenario + Sj("」の成績に数値でない項目があるため、受け付けられませんでした。"),
                "refused not a number", user);
        }
        *numbers[i] = *value;
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
    return ServletReply{Reply("OK"), "OK", user};
}

ServletReply CServlets::Ranking(const CQueryString& query) {
    const std::string scenarioId = query.Value("ID");
    const std::string viewer = query.Value("USERID");
    if (scenarioId.empty()) return ServletReply{Reply("NG"), "NG no scenario", ForLog(viewer)};

    std::vector<RankedResult> rows = store_.Ranking(scenarioId, viewer, kRankingRows);
    // The viewer's own row comes after the top rows when it is not among them, and takes the last place.
    if (static_cast<int>(rows.size()) > kRankingRows) {
        rows.erase(rows.begin() + (kRankingRows - 1), rows.end() - 1);
    }
    std::string body = ReplyField(scenarioId) + ",";
    for (const RankedResult& row : rows) {
        const ResultFields& f = row.result.fields;
        for (const std::string& field :
             {std::to_string(row.rank), ReplyField(f.userId), ReplyField(row.result.shownName), ReplyField(f.date),
              std::to_string(f.totalScore), std::to_string(f.tradeCount), std::to_string(f.totalPL),
              std::to_string(f.commission), std::to_string(f.tax), std::to_string(f.averageAmount)}) {
            body += field;
            body += ',';
        }
    }
    return ServletReply{Reply(body), "OK " + std::to_string(rows.size()) + " rows", ForLog(viewer)};
}

ServletReply CServlets::ScenarioList(const CQueryString& query) {
    if (query.Value("FOCUS") != "EXAM") return ServletReply{Reply("NG"), "NG focus", {}};
    std::string body;
    for (const ScenarioHeader& h : scenarios_.All()) {
        if (h.Mode == CScenarioDirectory::kHiddenMode) continue;
        for (const std::string& field :
             {ReplyField(h.ID), ReplyField(h.Title), std::to_string(h.Category), std::to_string(h.Mode),
              std::to_string(h.Level), ReplyField(h.Duration), ReplyField(h.EstimatedTime),
              std::to_string(h.ProductCount), std::to_string(h.FundAmount)}) {
            body += field;
            body += ',';
        }
    }
    return ServletReply{Reply(body), "OK", {}};
}

}  // namespace valmore
