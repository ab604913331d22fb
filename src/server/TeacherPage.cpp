#include "server/TeacherPage.h"

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"

namespace valmore {

namespace {

std::string Text(std::string_view sjis) {
    return HtmlEscape(Cp932ToUtf8(sjis));
}

std::string Cell(std::string_view tag, std::string_view content, std::string_view cls = {}) {
    std::string out = "<" + std::string(tag);
    if (!cls.empty()) out += " class=\"" + std::string(cls) + "\"";
    return out + ">" + std::string(content) + "</" + std::string(tag) + ">";
}

std::string Num(std::int64_t value) {
    return Cell("td", FormatGrouped(value), "num");
}

std::string ModeLabel(int mode) {
    if (mode == 0) return "練習";
    if (mode == 1) return "実践";
    return "----";
}

constexpr const char* kStyle = R"css(
body { font-family: "IPAPGothic", "IPAGothic", sans-serif; margin: 1.5em 2em; color: #222; background: #fafaf7; }
h1 { font-size: 1.5em; border-bottom: 3px solid #2a5d8f; padding-bottom: .3em; }
h2 { font-size: 1.2em; margin-top: 1.6em; color: #2a5d8f; }
h3 { font-size: 1em; margin: 1.2em 0 .4em; }
table { border-collapse: collapse; margin-bottom: .6em; background: #fff; }
th, td { border: 1px solid #bbb; padding: .2em .6em; }
th { background: #e4ecf4; font-weight: normal; }
td.num { text-align: right; font-variant-numeric: tabular-nums; }
p.note { color: #666; font-size: .9em; }
.news { background: #fff; border: 1px solid #ccc; padding: .6em 1em; }
)css";

}  // namespace

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::string CsvCell(std::string_view utf8) {
    std::string text(utf8);
    if (!text.empty() &&
        (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@' || text[0] == '\t' || text[0] == '\r')) {
        text.insert(0, "'");
    }
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted.push_back('"');
        quoted.push_back(c);
    }
    return quoted + "\"";
}

CTeacherPage::CTeacherPage(IServerStore& store, const CScenarioDirectory& scenarios, std::filesystem::path newsFile)
    : store_(store), scenarios_(scenarios), newsFile_(std::move(newsFile)) {}

std::string CTeacherPage::Html() const {
    const std::map<std::string, std::int64_t> counts = store_.ResultCounts();
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"utf-8\">"
            "<title>ヴァルモア ランキングサーバー</title><style>"
         << kStyle << "</style></head><body>\n<h1>ヴァルモア ランキングサーバー</h1>\n";

    page << "<h2 id=\"news\">お知らせ</h2>\n<div class=\"news\">";
    std::ifstream news(newsFile_, std::ios::binary);
    std::string line;
    bool anyNews = false;
    while (std::getline(news, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        page << HtmlEscape(line) << "<br>\n";
        anyNews = true;
    }
    if (!anyNews) page << "現在、メンテナンスなどのお知らせはありません。";
    page << "</div>\n";

    page << "<h2 id=\"scenarios\">シナリオ</h2>\n<table><tr><th>ID</th><th>タイトル</th><th>区分</th><th>難易度</th>"
            "<th>期間</th><th>成績の数</th></tr>\n";
    std::vector<std::pair<std::string, std::string>> ranked;  // scenario ID and title, for the rankings below
    for (const ScenarioHeader& h : scenarios_.All()) {
        const auto found = counts.find(h.ID);
        const std::int64_t count = found == counts.end() ? 0 : found->second;
        page << "<tr>" << Cell("td", Text(h.ID)) << Cell("td", Text(h.Title)) << Cell("td", ModeLabel(h.Mode))
             << Num(h.Level) << Cell("td", Text(h.Duration) + " 日", "num") << Num(count) << "</tr>\n";
        if (count > 0) ranked.emplace_back(h.ID, h.Title);
    }
    for (const auto& [id, count] : counts) {
        if (scenarios_.Find(id) != nullptr) continue;
        page << "<tr>" << Cell("td", Text(id)) << Cell("td", "（データフォルダにないシナリオ）") << Cell("td", "----")
             << Cell("td", "----") << Cell("td", "----") << Num(count) << "</tr>\n";
        ranked.emplace_back(id, std::string{});
    }
    page << "</table>\n";

    page << "<h2 id=\"rankings\">ランキング</h2>\n";
    if (ranked.empty()) page << "<p>まだ成績がありません。</p>\n";
    for (const auto& [id, title] : ranked) {
        page << "<h3>" << Text(id) << (title.empty() ? "" : "　" + Text(title)) << "</h3>\n"
             << "<table><tr><th>順位</th><th>ユーザーID</th><th>ニックネーム</th><th>日付</th><th>総合得点</th>"
                "<th>取引回数</th><th>損益</th><th>手数料</th><th>税金</th><th>平均株数</th></tr>\n";
        const std::vector<RankedResult> rows = store_.Ranking(id, {}, kRankingRowsShown);
        for (const RankedResult& row : rows) {
            const ResultFields& f = row.result.fields;
            page << "<tr>" << Num(row.rank) << Cell("td", Text(f.userId)) << Cell("td", Text(row.result.shownName))
                 << Cell("td", Text(f.date)) << Num(f.totalScore) << Num(f.tradeCount) << Num(f.totalPL)
                 << Num(f.commission) << Num(f.tax) << Num(f.averageAmount) << "</tr>\n";
        }
        page << "</table>\n";
        if (static_cast<int>(rows.size()) >= kRankingRowsShown) {
            page << "<p class=\"note\">上位 " << kRankingRowsShown << " 人を表示しています。</p>\n";
        }
    }

    page << "<h2 id=\"users\">ユーザー別の成績</h2>\n";
    std::map<std::string, std::vector<StoredResult>> byUser;
    for (StoredResult& result : store_.AllResults()) byUser[result.fields.userId].push_back(std::move(result));
    const std::vector<StoredAccount> accounts = store_.AllAccounts();
    if (accounts.empty()) page << "<p>登録されたユーザーはいません。</p>\n";
    for (const StoredAccount& account : accounts) {
        const std::vector<StoredResult>& results = byUser[account.userId];
        page << "<h3>" << Text(account.ShownName());
        if (account.nickname) page << "（" << Text(account.userId) << "）";
        page << "　" << results.size() << " 件</h3>\n";
        if (results.empty()) continue;
        page << "<table><tr><th>シナリオ</th><th>日付</th><th>総合得点</th><th>取引回数</th><th>損益</th>"
                "<th>手数料</th><th>税金</th><th>平均株数</th><th>受付日時 (UTC)</th></tr>\n";
        const std::size_t first =
            results.size() > kResultsPerUserShown ? results.size() - kResultsPerUserShown : std::size_t{0};
        for (std::size_t i = results.size(); i-- > first;) {
            const ResultFields& f = results[i].fields;
            page << "<tr>" << Cell("td", Text(f.scenarioId)) << Cell("td", Text(f.date)) << Num(f.totalScore)
                 << Num(f.tradeCount) << Num(f.totalPL) << Num(f.commission) << Num(f.tax) << Num(f.averageAmount)
                 << Cell("td", HtmlEscape(results[i].storedAt)) << "</tr>\n";
        }
        page << "</table>\n";
        if (first > 0) page << "<p class=\"note\">新しい " << kResultsPerUserShown << " 件を表示しています。</p>\n";
    }

    page << "<p><a href=\"/results.csv\">すべての成績 (CSV)</a></p>\n</body></html>\n";
    return page.str();
}

std::string CTeacherPage::Csv() const {
    std::string csv = "\xEF\xBB\xBF";
    csv +=
        "番号,ユーザーID,ニックネーム,シナリオID,シナリオ名,日付,総合得点,損益,平均株数,手数料,税金,取引回数,"
        "受付日時 (UTC)\r\n";
    for (const StoredResult& r : store_.AllResults()) {
        const ResultFields& f = r.fields;
        const ScenarioHeader* header = scenarios_.Find(f.scenarioId);
        const std::string cells[] = {std::to_string(r.id),
                                     CsvCell(Cp932ToUtf8(f.userId)),
                                     CsvCell(Cp932ToUtf8(r.shownName)),
                                     CsvCell(Cp932ToUtf8(f.scenarioId)),
                                     CsvCell(header != nullptr ? Cp932ToUtf8(header->Title) : ""),
                                     CsvCell(Cp932ToUtf8(f.date)),
                                     std::to_string(f.totalScore),
                                     std::to_string(f.totalPL),
                                     std::to_string(f.averageAmount),
                                     std::to_string(f.commission),
                                     std::to_string(f.tax),
                                     std::to_string(f.tradeCount),
                                     CsvCell(r.storedAt)};
        for (std::size_t i = 0; i < std::size(cells); ++i) {
            if (i > 0) csv += ',';
            csv += cells[i];
        }
        csv += "\r\n";
    }
    return csv;
}

}  // namespace valmore
