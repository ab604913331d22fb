#pragma once

// The teachers' view of the server: one HTML page (readable without scripts) with the scenarios and
// their number of results, each scenario's ranking and each user's results, and all results as a CSV
// file for a spreadsheet. Both are UTF-8; the stored Shift_JIS texts are converted here.

#include <filesystem>
#include <string>

#include "server/ScenarioDirectory.h"
#include "server/ServerStore.h"

namespace valmore {

class CTeacherPage {
public:
    // `newsFile`: a UTF-8 text shown under "お知らせ" when it exists (maintenance news).
    CTeacherPage(IServerStore& store, const CScenarioDirectory& scenarios, std::filesystem::path newsFile);

    std::string Html() const;
    // With a byte order mark and one header row; lines end in CRLF.
    std::string Csv() const;

    static constexpr int kRankingRowsShown = 100;
    static constexpr int kResultsPerUserShown = 50;

private:
    IServerStore& store_;
    const CScenarioDirectory& scenarios_;
    std::filesystem::path newsFile_;
};

std::string HtmlEscape(std::string_view utf8);
// A CSV cell: quoted when it holds a comma, a quote or a line end; a text that a spreadsheet would
// take for a formula gets a leading apostrophe.
std::string CsvCell(std::string_view utf8);

}  // namespace valmore
