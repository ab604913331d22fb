#include "sim/SnapshotStore.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <type_traits>
#include <utility>
#include <variant>

#include "platform/AtomicFile.h"

namespace valmore {

namespace {

std::string Name(int index) {
    return std::to_string(index);
}

// Walks one play node, remembering where it is so a refusal can say which key is wrong.
class PlayReader {
public:
    explicit PlayReader(CDocTree& tree) : tree_(tree) {}

    const std::string& Reason() const { return reason_; }

    bool Has(std::string_view name) const { return tree_.FindChild(name) != nullptr; }

    bool Enter(std::string_view name) {
        if (!tree_.EnterChild(name)) return Fail("missing \"" + Where(name) + "\"");
        path_.emplace_back(name);
        return true;
    }

    void Exit() {
        tree_.ExitToParent();
        path_.pop_back();
    }

    int Children() const { return tree_.CountChildren(); }

    bool Text(std::string_view name, std::string& out) {
        std::optional<std::string> text = tree_.GetChildText(name);
        if (!text) return Fail("missing \"" + Where(name) + "\"");
        out = std::move(*text);
        return true;
    }

    bool Int(std::string_view name, std::int32_t& out) {
        std::string text;
        if (!Text(name, text)) return false;
        out = CDocTree::TextToInt(text);
        return true;
    }

    bool IntIn(std::string_view name, std::int32_t& out, std::int32_t lowest, std::int32_t highest) {
        if (!Int(name, out)) return false;
        if (out < lowest || out > highest) {
            return Fail("\"" + Where(name) + "\" is " + std::to_string(out) + ", outside " + std::to_string(lowest) +
                        " to " + std::to_string(highest));
        }
        return true;
    }

    bool Real(std::string_view name, double& out) {
        std::string text;
        if (!Text(name, text)) return false;
        out = CDocTree::TextToReal(text);
        return true;
    }

    bool Fail(std::string reason) {
        if (reason_.empty()) reason_ = std::move(reason);
        return false;
    }

    std::string Where(std::string_view name) const {
        std::string where;
        for (const std::string& part : path_) where += part + "/";
        return where + std::string(name);
    }

private:
    CDocTree& tree_;
    std::vector<std::string> path_;
    std::string reason_;
};

// One stored value of a node: its key, the member it fills, and for numbers the range that a
// value must lie in for the play to be taken. Reading and writing both walk these tables, so the
// keys and their order exist once.
template <class T>
struct Field {
    const char* key;
    std::variant<std::int32_t T::*, double T::*, std::string T::*> member;
    std::int32_t lowest = INT32_MIN;
    std::int32_t highest = INT32_MAX;
};

// In file order, before each node's children.
const Field<CMarket> kMarketFields[] = {
    {"DayCount", &CMarket::DayCount},
    {"Exchange", &CMarket::Exchange},
    {"Interest", &CMarket::Interest},
    {"N225", &CMarket::N225},
    {"ProductLastIndex", &CMarket::ProductCount, 0, kMaxProducts},
};
const Field<MarketProduct> kProductFields[] = {
    {"Valid", &MarketProduct::Valid},
    {"currentPrice", &MarketProduct::currentPrice},
    {"firstPrice", &MarketProduct::firstPrice},
    {"info", &MarketProduct::info},
    {"name", &MarketProduct::name},
    {"prdCode", &MarketProduct::prdCode},
    {"ticPrice", &MarketProduct::ticPrice},
    {"unitQty", &MarketProduct::unitQty, 1, INT32_MAX},
};
const Field<CPosition> kPositionFields[] = {
    {"CashAmount", &CPosition::CashAmount},       {"DividendTax", &CPosition::DividendTax},
    {"InterestTax", &CPosition::InterestTax},     {"TotalDividend", &CPosition::TotalDividend},
    {"TotalInterest", &CPosition::TotalInterest},
};
const Field<Equity> kHoldingFields[] = {
    {"Changed", &Equity::Changed},
    {"CommitionTotal", &Equity::CommitionTotal},
    {"ProductIndex", &Equity::ProductIndex, 0, kMaxProducts - 1},
    {"Side", &Equity::Side, kSideLong, kSideShort},
    {"TotalRealized", &Equity::TotalRealized},
    {"Type", &Equity::Type},
};
const Field<PositionElement> kLotFields[] = {
    {"amount", &PositionElement::amount, 1, INT32_MAX},
    {"commition", &PositionElement::commition},
    {"date", &PositionElement::date},
    {"price", &PositionElement::price},
};
const Field<TradeEntry> kTradeFields[] = {
    {"action", &TradeEntry::action, kActionBuy, kActionSell},
    {"price", &TradeEntry::price},
    {"quantity", &TradeEntry::quantity},
    {"commition", &TradeEntry::commition},
    {"realized", &TradeEntry::realized},
};

template <class T, std::size_t N>
bool ReadFields(PlayReader& in, const Field<T> (&fields)[N], T& out) {
    for (const Field<T>& field : fields) {
        bool read = std::visit(
            [&](auto member) {
                auto& value = out.*member;
                using Value = std::remove_reference_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::int32_t>) {
                    return in.IntIn(field.key, value, field.lowest, field.highest);
                } else if constexpr (std::is_same_v<Value, double>) {
                    return in.Real(field.key, value);
                } else {
                    return in.Text(field.key, value);
                }
            },
            field.member);
        if (!read) return false;
    }
    return true;
}

template <class T, std::size_t N>
void WriteFields(CDocTree& tree, const Field<T> (&fields)[N], const T& from) {
    for (const Field<T>& field : fields) {
        std::visit(
            [&](auto member) {
                const auto& value = from.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::int32_t>) {
                    tree.AddIntChild(field.key, value);
                } else if constexpr (std::is_same_v<Value, double>) {
                    tree.AddRealChild(field.key, value);
                } else {
                    tree.AddTextChild(field.key, value);
                }
            },
            field.member);
    }
}

// Adds a child node and enters it.
void AddAndEnter(CDocTree& tree, const std::string& name) {
    tree.AddChild(name);
    tree.EnterChild(name);
}

bool ReadMarket(PlayReader& in, CMarket& market) {
    if (!in.Enter("Market") || !ReadFields(in, kMarketFields, market) || !in.Enter("Products")) return false;
    if (in.Children() != market.ProductCount) {
        return in.Fail("\"" + in.Where("") + "\" holds " + std::to_string(in.Children()) + " products, not " +
                       std::to_string(market.ProductCount));
    }
    for (int i = 0; i < market.ProductCount; ++i) {
        if (!in.Enter(Name(i)) || !ReadFields(in, kProductFields, market.Products[static_cast<std::size_t>(i)])) {
            return false;
        }
        in.Exit();
    }
    in.Exit();
    in.Exit();
    return true;
}

bool ReadHolding(PlayReader& in, Equity& holding) {
    if (!ReadFields(in, kHoldingFields, holding) || !in.Enter("PositionElement")) return false;
    int lots = in.Children();
    if (lots > Equity::kMaxLots) {
        return in.Fail("\"" + in.Where("") + "\" holds " + std::to_string(lots) + " lots, more than " +
                       std::to_string(Equity::kMaxLots));
    }
    holding.ClearLots();
    for (int i = 0; i < lots; ++i) {
        PositionElement lot;
        if (!in.Enter(Name(i)) || !ReadFields(in, kLotFields, lot)) return false;
        in.Exit();
        holding.PushLot(std::move(lot));
    }
    in.Exit();
    holding.RecomputeRealizedTax();
    return true;
}

bool ReadPosition(PlayReader& in, CPosition& position) {
    if (!in.Enter("Position") || !ReadFields(in, kPositionFields, position) || !in.Enter("Equity")) return false;
    for (int i = 0; i < kMaxProducts; ++i) {
        if (!in.Enter(Name(i)) || !ReadHolding(in, position.Equities[static_cast<std::size_t>(i)])) return false;
        in.Exit();
    }
    in.Exit();
    in.Exit();
    return true;
}

bool ReadHistory(PlayReader& in, CTradeHistory& history) {
    if (!in.Enter("TradeHistory") || !in.Enter("Days")) return false;
    int days = in.Children();
    if (days > kMaxEvents + 1) {
        return in.Fail("\"" + in.Where("") + "\" holds " + std::to_string(days) + " days, more than " +
                       std::to_string(kMaxEvents + 1));
    }
    history.Resize(days);
    for (int k = 0; k < days; ++k) {
        if (!in.Enter(Name(k))) return false;
        for (int i = 0; i < kMaxProducts; ++i) {
            TradeEntry& entry = history.days[static_cast<std::size_t>(k)].products[static_cast<std::size_t>(i)];
            if (!in.Enter(Name(i)) || !ReadFields(in, kTradeFields, entry)) return false;
            in.Exit();
        }
        in.Exit();
    }
    in.Exit();
    if (!in.Enter("OrderCount")) return false;
    for (int i = 0; i < kMaxProducts; ++i) {
        if (!in.IntIn(Name(i), history.OrderCount[static_cast<std::size_t>(i)], 0, INT32_MAX)) return false;
    }
    in.Exit();
    in.Exit();
    return true;
}

bool ReadPlay(PlayReader& in, std::string& id, SnapshotRecord& record) {
    std::int32_t index = 0;
    if (!in.Text("Id", id) || !in.IntIn("CurrentEventListIndex", index, 0, kMaxEvents)) return false;
    record.CurrentEventListIndex = index;
    if (!ReadMarket(in, record.market) || !ReadPosition(in, record.position)) return false;
    // Files written before the history was kept have none; such a play starts with every day passed.
    if (in.Has("TradeHistory") && !ReadHistory(in, record.history)) return false;
    return true;
}

void WriteMarket(CDocTree& tree, const CMarket& market) {
    AddAndEnter(tree, "Market");
    WriteFields(tree, kMarketFields, market);
    AddAndEnter(tree, "Products");
    for (int i = 0; i < market.ProductCount && i < kMaxProducts; ++i) {
        AddAndEnter(tree, Name(i));
        WriteFields(tree, kProductFields, market.Products[static_cast<std::size_t>(i)]);
        tree.ExitToParent();
    }
    tree.ExitToParent();
    tree.ExitToParent();
}

void WritePosition(CDocTree& tree, const CPosition& position) {
    AddAndEnter(tree, "Position");
    WriteFields(tree, kPositionFields, position);
    AddAndEnter(tree, "Equity");
    for (int i = 0; i < kMaxProducts; ++i) {
        const Equity& holding = position.Holding(i);
        AddAndEnter(tree, Name(i));
        WriteFields(tree, kHoldingFields, holding);
        AddAndEnter(tree, "PositionElement");
        for (int lot = 0; lot < holding.LotCount(); ++lot) {
            AddAndEnter(tree, Name(lot));
            WriteFields(tree, kLotFields, holding.Lot(lot));
            tree.ExitToParent();
        }
        tree.ExitToParent();
        tree.ExitToParent();
    }
    tree.ExitToParent();
    tree.ExitToParent();
}

// The days up to and including the day being played; later days hold nothing yet.
void WriteHistory(CDocTree& tree, const CTradeHistory& history, int currentIndex) {
    AddAndEnter(tree, "TradeHistory");
    AddAndEnter(tree, "Days");
    int days = std::min(currentIndex + 1, history.DayRecordCount());
    for (int k = 0; k < days; ++k) {
        AddAndEnter(tree, Name(k));
        for (int i = 0; i < kMaxProducts; ++i) {
            AddAndEnter(tree, Name(i));
            WriteFields(tree, kTradeFields,
                        history.days[static_cast<std::size_t>(k)].products[static_cast<std::size_t>(i)]);
            tree.ExitToParent();
        }
        tree.ExitToParent();
    }
    tree.ExitToParent();
    AddAndEnter(tree, "OrderCount");
    for (int i = 0; i < kMaxProducts; ++i) tree.AddIntChild(Name(i), history.OrderCount[static_cast<std::size_t>(i)]);
    tree.ExitToParent();
    tree.ExitToParent();
}

}  // namespace

std::string SnapshotLoadReport::Message() const {
    std::string text;
    for (const LoadProblem& problem : problems) {
        if (!text.empty()) text += "\n";
        text += problem.message;
    }
    return text;
}

SnapshotLoadReport CSnapshotStore::Load(const std::filesystem::path& file) {
    // Saves killed mid-way on an earlier run leave temporary files that nothing else would remove.
    RemoveLeftoverTemporaries(file);
    CDocTree tree;
    DocLoadResult loaded = tree.Load(file);
    return Take(tree, loaded, file);
}

SnapshotLoadReport CSnapshotStore::LoadBytes(std::string bytes, const std::filesystem::path& file) {
    CDocTree tree;
    DocLoadResult loaded = tree.LoadFromBytes(std::move(bytes), file.string());
    return Take(tree, loaded, file);
}

SnapshotLoadReport CSnapshotStore::Take(CDocTree& tree, const DocLoadResult& loaded,
                                        const std::filesystem::path& file) {
    SnapshotLoadReport report;
    records_.clear();
    damagedFile_.reset();
    auto refuse = [&](LoadProblem problem, const std::string& reason) {
        problem.message = file.string() + ": " + reason;
        report.problems.push_back(std::move(problem));
        damagedFile_ = file;
    };
    auto leftOut = [&](int part, std::string id, const std::string& reason) {
        refuse({LoadProblemKind::PartLeftOut, 0, part, std::move(id), {}}, reason);
    };

    if (loaded.status == DocLoadStatus::CannotOpen) {
        // No file is the usual first start. One that is there but cannot be read must not be overwritten unseen.
        std::error_code error;
        if (std::filesystem::exists(file, error))
            refuse(loaded.Problem(), loaded.reason.empty() ? "cannot be read" : loaded.reason);
        return report;
    }
    if (!loaded.Ok()) {
        // A partly parsed file could yield a play with lots or days missing; none is taken from it.
        refuse(loaded.Problem(), loaded.reason.empty() ? "cannot be read" : loaded.reason);
        return report;
    }
    if (tree.Root() == nullptr) return report;

    tree.MoveToRoot();
    int plays = tree.CountChildren();
    for (int i = 0; i < plays; ++i) {
        tree.MoveToRoot();
        PlayReader in(tree);
        std::string id;
        SnapshotRecord record;
        if (!in.Enter(Name(i)) || !ReadPlay(in, id, record)) {
            leftOut(i + 1, id, "stored play " + Name(i) + " skipped: " + in.Reason());
            continue;
        }
        if (records_.count(id) != 0) {
            leftOut(i + 1, id, "stored play " + Name(i) + " skipped: a second play for scenario \"" + id + "\"");
            continue;
        }
        records_.emplace(std::move(id), std::move(record));
    }
    return report;
}

void CSnapshotStore::Write(CDocTree& tree) const {
    tree.CreateRoot();
    int index = 0;
    for (const auto& [id, record] : records_) {
        std::string name = Name(index++);
        tree.AddChild(name);
        tree.EnterChild(name);
        tree.AddTextChild("Id", id);
        tree.AddIntChild("CurrentEventListIndex", record.CurrentEventListIndex);
        WriteMarket(tree, record.market);
        WritePosition(tree, record.position);
        WriteHistory(tree, record.history, record.CurrentEventListIndex);
        tree.ExitToParent();
    }
}

std::string CSnapshotStore::ToText() const {
    CDocTree tree;
    Write(tree);
    return tree.ToText();
}

DocSaveResult CSnapshotStore::Save(const std::filesystem::path& file) {
    if (damagedFile_) {
        DocSaveResult aside;
        if (!KeepAside(*damagedFile_, &aside.error, &aside.errorNumber)) return aside;
        damagedFile_.reset();
    }
    CDocTree tree;
    Write(tree);
    return tree.Save(file);
}

void CSnapshotStore::Store(const std::string& id, SnapshotRecord record) {
    records_[id] = std::move(record);
}

bool CSnapshotStore::Has(std::string_view id) const {
    return records_.find(id) != records_.end();
}

const SnapshotRecord* CSnapshotStore::Find(std::string_view id) const {
    auto found = records_.find(id);
    return found == records_.end() ? nullptr : &found->second;
}

std::optional<SnapshotRecord> CSnapshotStore::Take(std::string_view id) {
    auto found = records_.find(id);
    if (found == records_.end()) return std::nullopt;
    SnapshotRecord record = std::move(found->second);
    records_.erase(found);
    return record;
}

}  // namespace valmore
