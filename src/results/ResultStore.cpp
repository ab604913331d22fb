#include "results/ResultStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/AtomicFile.h"

namespace valmore {

namespace {

struct IntField {
    const char* key;
    std::int32_t ResultRecord::*member;
    bool required;
};

// File order of the record's numbers; the first six may be missing in older files.
constexpr IntField kFields[] = {
    {"TotalScore", &ResultRecord::TotalScore, false},     {"TechnicalScore", &ResultRecord::TechnicalScore, false},
    {"LogicalScore", &ResultRecord::LogicalScore, false}, {"TotalPL", &ResultRecord::TotalPL, false},
    {"RealizedPL", &ResultRecord::RealizedPL, false},     {"UnrealizedPL", &ResultRecord::UnrealizedPL, false},
    {"Commition", &ResultRecord::Commition, true},        {"Tax", &ResultRecord::Tax, true},
    {"TradeCount", &ResultRecord::TradeCount, true},      {"AvarageAmount", &ResultRecord::AvarageAmount, true},
};

void BuildTree(CDocTree& doc, const std::map<std::string, std::vector<ResultRecord>>& lists) {
    doc.CreateRoot();
    int n = 0;
    for (const auto& [id, records] : lists) {
        std::string listName = std::to_string(n++);
        doc.AddChild(listName);
        doc.EnterChild(listName);
        doc.AddTextChild("Id", id);
        for (std::size_t j = 0; j < records.size(); ++j) {
            std::string recordName = std::to_string(j);
            doc.AddChild(recordName);
            doc.EnterChild(recordName);
            doc.AddTextChild("Date", records[j].Date);
            for (const IntField& field : kFields) doc.AddIntChild(field.key, records[j].*field.member);
            doc.ExitToParent();
        }
        doc.ExitToParent();
    }
}

}  // namespace

CResultStore::CResultStore(std::filesystem::path file) : file_(std::move(file)) {}

StoreLoadResult CResultStore::Load() {
    // Saves killed mid-way on an earlier run leave temporary files that nothing else would remove.
    RemoveLeftoverTemporaries(file_);
    CDocTree doc;
    DocLoadResult loaded = doc.Load(file_);
    return Take(doc, loaded);
}

StoreLoadResult CResultStore::LoadBytes(std::string bytes) {
    CDocTree doc;
    DocLoadResult loaded = doc.LoadFromBytes(std::move(bytes), file_.string());
    return Take(doc, loaded);
}

StoreLoadResult CResultStore::Take(CDocTree& doc, const DocLoadResult& loaded) {
    lists_.clear();
    keepDamagedFile_ = false;
    StoreLoadResult result;
    if (loaded.status == DocLoadStatus::CannotOpen) return result;
    result.fileFound = true;
    if (!loaded.Ok()) {
        // What was read before the damage is still worth keeping in the store.
        result.problems.push_back(loaded.Problem());
        keepDamagedFile_ = true;
        if (doc.Root() == nullptr) return result;
    }
    auto leftOut = [&](std::string what, int part, std::string scenario) {
        result.problems.push_back(
            {LoadProblemKind::PartLeftOut, 0, part, std::move(scenario), file_.string() + ": " + std::move(what)});
    };
    doc.MoveToRoot();
    int scenarios = doc.CountChildren();
    for (int i = 0; i < scenarios; ++i) {
        std::string listName = std::to_string(i);
        if (!doc.EnterChild(listName)) {
            leftOut("list " + listName + " is missing", i + 1, {});
            continue;
        }
        std::optional<std::string> id = doc.GetChildText("Id");
        if (!id) {
            leftOut("list " + listName + " has no \"Id\"", i + 1, {});
            doc.ExitToParent();
            continue;
        }
        std::vector<ResultRecord>& list = lists_[*id];
        int records = std::max(0, doc.CountChildren() - 1);
        for (int j = 0; j < records; ++j) {
            std::string recordName = std::to_string(j);
            if (!doc.EnterChild(recordName)) {
                leftOut("record " + recordName + " of list " + listName + " is missing", j + 1, *id);
                continue;
            }
            ResultRecord record;
            bool complete = true;
            std::optional<std::string> date = doc.GetChildText("Date");
            if (date) {
                record.Date = *date;
            } else {
                complete = false;
            }
            for (const IntField& field : kFields) {
                std::optional<std::string> text = doc.GetChildText(field.key);
                if (text) {
                    record.*field.member = CDocTree::TextToInt(*text);
                } else if (field.required) {
                    complete = false;
                }
            }
            doc.ExitToParent();
            if (!complete) {
                leftOut("record " + recordName + " of list " + listName + " lacks a required value and was left out",
                        j + 1, *id);
                continue;
            }
            list.push_back(std::move(record));
        }
        doc.ExitToParent();
    }
    // A file that had to be partly skipped is kept as it was before anything overwrites it.
    if (!result.problems.empty()) keepDamagedFile_ = true;
    return result;
}

std::string CResultStore::ToText() const {
    CDocTree doc;
    BuildTree(doc, lists_);
    return doc.ToText();
}

DocSaveResult CResultStore::Save() {
    if (keepDamagedFile_) {
        // The damaged file is never overwritten: if it cannot be moved aside, nothing is written.
        DocSaveResult aside;
        if (!KeepAside(file_, &aside.error, &aside.errorNumber)) return aside;
        keepDamagedFile_ = false;
    }
    CDocTree doc;
    BuildTree(doc, lists_);
    return doc.Save(file_);
}

DocSaveResult CResultStore::Add(const std::string& scenarioId, const ResultRecord& record) {
    lists_[scenarioId].push_back(record);
    return Save();
}

const std::vector<ResultRecord>* CResultStore::Find(const std::string& scenarioId) const {
    auto it = lists_.find(scenarioId);
    return it == lists_.end() ? nullptr : &it->second;
}

int CResultStore::Count(const std::string& scenarioId) const {
    const std::vector<ResultRecord>* list = Find(scenarioId);
    return list ? static_cast<int>(list->size()) : 0;
}

std::optional<ResultRecord> CResultStore::At(const std::string& scenarioId, int index) const {
    const std::vector<ResultRecord>* list = Find(scenarioId);
    if (!list || index < 0 || index >= static_cast<int>(list->size())) return std::nullopt;
    return (*list)[static_cast<std::size_t>(index)];
}

void CResultStore::SortByTotalScore(const std::string& scenarioId) {
    auto it = lists_.find(scenarioId);
    if (it == lists_.end()) return;
    std::stable_sort(it->second.begin(), it->second.end(),
                     [](const ResultRecord& a, const ResultRecord& b) { return a.TotalScore > b.TotalScore; });
}

std::optional<double> RateOfReturn(const ResultRecord& record, const std::string& durationText,
                                   std::int32_t fundAmount) {
    double days = CDocTree::TextToReal(durationText);
    if (!(days > 0.0) || !std::isfinite(days) || fundAmount <= 0) return std::nullopt;
    const double profit = static_cast<double>(FinalProfit(record));
    return profit * (365.0 / days) / fundAmount * 100.0;
}

std::string RateOfReturnText(const ResultRecord& record, const std::string& durationText, std::int32_t fundAmount) {
    std::optional<double> rate = RateOfReturn(record, durationText, fundAmount);
    if (!rate) return "----";
    char text[64];
    std::snprintf(text, sizeof text, "%3.3f", *rate);
    return text;
}

}  // namespace valmore
