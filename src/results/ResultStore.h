#pragma once

// The result history: every finished play, listed per scenario ID and kept in "result.dat".

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "doctree/DocTree.h"
#include "sim/FinalFigures.h"

namespace valmore {

struct ResultRecord {
    std::string Date;
    std::int32_t TotalScore = 0;
    std::int32_t TechnicalScore = 0;
    std::int32_t LogicalScore = 0;
    std::int32_t TotalPL = 0;
    std::int32_t RealizedPL = 0;
    std::int32_t UnrealizedPL = 0;
    std::int32_t Commition = 0;
    std::int32_t Tax = 0;
    std::int32_t TradeCount = 0;
    std::int32_t AvarageAmount = 0;

    bool operator==(const ResultRecord&) const = default;
};

// The final profit of a stored result: TotalPL - Tax - Commition.
constexpr std::int64_t FinalProfit(const ResultRecord& r) {
    return FinalProfit(r.TotalPL, r.Tax, r.Commition);
}

struct StoreLoadResult {
    bool fileFound = false;             // false: no file yet, an empty store, nothing to report
    std::vector<LoadProblem> problems;  // damage found; what could be read was kept

    bool Ok() const { return problems.empty(); }
};

class CResultStore {
public:
    explicit CResultStore(std::filesystem::path file = "result.dat");

    // Reads the file; a missing file gives an empty store. A damaged file is reported and kept aside
    // ("result.dat.damaged", or "result.dat.damaged-2" and so on) by the next Save, so no earlier result
    // is overwritten unseen; a Save that cannot keep it aside writes nothing.
    StoreLoadResult Load();
    // As Load, for bytes already read from the file.
    StoreLoadResult LoadBytes(std::string bytes);
    // Writes the whole store, replacing the file atomically; a failure leaves the old file whole.
    DocSaveResult Save();

    // Appends the record to the scenario's list and writes the file.
    DocSaveResult Add(const std::string& scenarioId, const ResultRecord& record);

    // The scenario's list, or null when it has no results.
    const std::vector<ResultRecord>* Find(const std::string& scenarioId) const;
    int Count(const std::string& scenarioId) const;
    // Bounds-checked element access: none for an invalid index.
    std::optional<ResultRecord> At(const std::string& scenarioId, int index) const;
    // Sorts the scenario's list in place, highest TotalScore first, so the next Save keeps that order.
    void SortByTotalScore(const std::string& scenarioId);

    const std::map<std::string, std::vector<ResultRecord>>& Lists() const { return lists_; }
    const std::filesystem::path& File() const { return file_; }
    std::string ToText() const;

private:
    StoreLoadResult Take(CDocTree& doc, const DocLoadResult& loaded);

    std::filesystem::path file_;
    // Ordered by ID bytes, so a file read and written again comes out byte for byte the same.
    std::map<std::string, std::vector<ResultRecord>> lists_;
    bool keepDamagedFile_ = false;
};

// The rate of return in percent a year: final profit (TotalPL - Tax - Commition) x 365 / days /
// fund x 100. None when the duration or the fund is not a positive number.
std::optional<double> RateOfReturn(const ResultRecord& record, const std::string& durationText,
                                   std::int32_t fundAmount);
// The rate as the record list shows it: "%3.3f", or "----" when there is none.
std::string RateOfReturnText(const ResultRecord& record, const std::string& durationText, std::int32_t fundAmount);

}  // namespace valmore
