#include "sim/SnapshotStore.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <utility>

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

bool ReadMarket(PlayReader& in, CMarket& market) {
    if (!in.Enter("Market")) return false;
    std::int32_t count = 0;
    if (!in.Int("DayCount", market.DayCount) || !in.Real("Exchange", market.Exchange) ||
        !in.Real("Interest", market.Interest) || !in.Real("N225", market.N225) ||
        !in.IntIn("ProductLastIndex", count, 0, kMaxProducts) || !in.Enter("Products")) {
        return false;
    }
    market.ProductCount = count;
    if (in.Children() != count) {
        return in.Fail("\"" + in.Where("") + "\" holds " + std::to_string(in.Children()) + " products, not " +
                       std::to_string(count));
    }
    for (int i = 0; i < count; ++i) {
        MarketProduct& product = market.Products[static_cast<std::size_t>(i)];
        if (!in.Enter(Name(i)) || !in.Int("Valid", product.Valid) || !in.Int("currentPrice", product.currentPrice) ||
            !in.Int("firstPrice", product.firstPrice) || !in.Int("info", product.info) ||
            !in.Text("name", product.name) || !in.Text("prdCode", product.prdCode) ||
            !in.Int("ticPrice", product.ticPrice) || !in.IntIn("unitQty", product.unitQty, 1, INT32_MAX)) {
            return false;
        }
        in.Exit();
    }
    in.Exit();
    in.Exit();
    return true;
}

bool ReadHolding(PlayReader& in, Equity& holding) {
    if (!in.Int("Changed", holding.Changed) || !in.Int("CommitionTotal", holding.CommitionTotal) ||
        !in.IntIn("ProductIndex", holding.ProductIndex, 0, kMaxProducts - 1) ||
        !in.IntIn("Side", holding.Side, kSideLong, kSideShort) || !in.Int("TotalRealized", holding.TotalRealized) ||
        !in.Int("Type", holding.Type) || !in.Enter("PositionElement")) {
        return false;
    }
    int lots = in.Children();
    if (lots > Equity::kMaxLots) {
        return in.Fail("\"" + in.Where("") + "\" holds " + std::to_string(lots) + " lots, more than " +
                       std::to_string(Equity::kMaxLots));
    }
    holding.ClearLots();
    for (int i = 0; i < lots; ++i) {
        PositionElement lot;
        if (!in.Enter(Name(i)) || !in.IntIn("amount", lot.amount, 1, INT32_MAX) ||
            !in.Int("commition", lot.commition) || !in.Text("date", lot.date) || !in.Int("price", lot.price)) {
            return false;
        }
        in.Exit();
        holding.PushLot(std::move(lot));
    }
    in.Exit();
    holding.RecomputeRealizedTax();
    return true;
}

bool ReadPosition(PlayReader& in, CPosition& position) {
    if (!in.Enter("Position") || !in.Int("CashAmount", position.CashAmount) ||
        !in.Int("DividendTax", position.DividendTax) || !in.Int("InterestTax", position.InterestTax) ||
        !in.Int("TotalDividend", position.TotalDividend) || !in.Int("TotalInterest", position.TotalInterest) ||
        !in.Enter("Equity")) {
        return false;
    }
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
            if (!in.Enter(Name(i)) || !in.IntIn("action", entry.action, kActionBuy, kActionSell) ||
                !in.Int("price", entry.price) || !in.Int("quantity", entry.quantity) ||
                !in.Int("commition", entry.commition) || !in.Int("realized", entry.realized)) {
                return false;
            }
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
    tree.AddChild("Market");
    tree.EnterChild("Market");
    tree.AddIntChild("DayCount", market.DayCount);
    tree.AddRealChild("Exchange", market.Exchange);
    tree.AddRealChild("Interest", market.Interest);
    tree.AddRealChild("N225", market.N225);
    tree.AddIntChild("ProductLastIndex", market.ProductCount);
    tree.AddChild("Products");
    tree.EnterChild("Products");
    for (int i = 0; i < market.ProductCount && i < kMaxProducts; ++i) {
        const MarketProduct& product = market.Products[static_cast<std::size_t>(i)];
        tree.AddChild(Name(i));
        tree.EnterChild(Name(i));
        tree.AddIntChild("Valid", product.Valid);
        tree.AddIntChild("currentPrice", product.currentPrice);
        tree.AddIntChild("firstPrice", product.firstPrice);
        tree.AddIntChild("info", product.info);
        tree.AddTextChild("name", product.name);
        tree.AddTextChild("prdCode", product.prdCode);
        tree.AddIntChild("ticPrice", product.ticPrice);
        tree.AddIntChild("unitQty", product.unitQty);
        tree.ExitToParent();
    }
    tree.ExitToParent();
    tree.ExitToParent();
}

void WritePosition(CDocTree& tree, const CPosition& position) {
    tree.AddChild("Position");
    tree.EnterChild("Position");
    tree.AddIntChild("CashAmount", position.CashAmount);
    tree.AddIntChild("DividendTax", position.DividendTax);
    tree.AddIntChild("InterestTax", position.InterestTax);
    tree.AddIntChild("TotalDividend", position.TotalDividend);
    tree.AddIntChild("TotalInterest", position.TotalInterest);
    tree.AddChild("Equity");
    tree.EnterChild("Equity");
    for (int i = 0; i < kMaxProducts; ++i) {
        const Equity& holding = position.Holding(i);
        tree.AddChild(Name(i));
        tree.EnterChild(Name(i));
        tree.AddIntChild("Changed", holding.Changed);
        tree.AddIntChild("CommitionTotal", holding.CommitionTotal);
        tree.AddIntChild("ProductIndex", holding.ProductIndex);
        tree.AddIntChild("Side", holding.Side);
        tree.AddIntChild("TotalRealized", holding.TotalRealized);
        tree.AddIntChild("Type", holding.Type);
        tree.AddChild("PositionElement");
        tree.EnterChild("PositionElement");
        for (int lot = 0; lot < holding.LotCount(); ++lot) {
            const PositionElement& element = holding.Lot(lot);
            tree.AddChild(Name(lot));
            tree.EnterChild(Name(lot));
            tree.AddIntChild("amount", element.amount);
            tree.AddIntChild("commition", element.commition);
            tree.AddTextChild("date", element.date);
            tree.AddIntChild("price", element.price);
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
    tree.AddChild("TradeHistory");
    tree.EnterChild("TradeHistory");
    tree.AddChild("Days");
    tree.EnterChild("Days");
    int days = std::min(currentIndex + 1, history.DayRecordCount());
    for (int k = 0; k < days; ++k) {
        tree.AddChild(Name(k));
        tree.EnterChild(Name(k));
        for (int i = 0; i < kMaxProducts; ++i) {
            const TradeEntry& entry = history.days[static_cast<std::size_t>(k)].products[static_cast<std::size_t>(i)];
            tree.AddChild(Name(i));
            tree.EnterChild(Name(i));
            tree.AddIntChild("action", entry.action);
            tree.AddIntChild("price", entry.price);
            tree.AddIntChild("quantity", entry.quantity);
            tree.AddIntChild("commition", entry.commition);
            tree.AddIntChild("realized", entry.realized);
            tree.ExitToParent();
        }
        tree.ExitToParent();
    }
    tree.ExitToParent();
    tree.AddChild("OrderCount");
    tree.EnterChild("OrderCount");
    for (int i = 0; i < kMaxProducts; ++i) tree.AddIntChild(Name(i), history.OrderCount[static_cast<std::size_t>(i)]);
    tree.ExitToParent();
    tree.ExitToParent();
}

}  // namespace

std::string SnapshotLoadReport::Message() const {
    std::string text;
    for (const std::string& problem : problems) {
        if (!text.empty()) text += "\n";
        text += problem;
    }
    return text;
}

std::filesystem::path CSnapshotStore::DamagedCopyName(const std::filesystem::path& file) {
    std::filesystem::path copy = file;
    copy += ".damaged";
    return copy;
}

SnapshotLoadReport CSnapshotStore::Load(const std::filesystem::path& file) {
    SnapshotLoadReport report;
    records_.clear();
    damagedFile_.reset();
    auto refuse = [&](const std::string& reason) {
        report.problems.push_back(file.string() + ": " + reason);
        damagedFile_ = file;
    };

    CDocTree tree;
    DocLoadResult loaded = tree.Load(file);
    if (loaded.status == DocLoadStatus::CannotOpen) {
        // No file is the usual first start. One that is there but cannot be read must not be overwritten unseen.
        std::error_code error;
        if (std::filesystem::exists(file, error)) refuse(loaded.reason.empty() ? "cannot be read" : loaded.reason);
        return report;
    }
    if (!loaded.Ok()) {
        // A partly parsed file could yield a play with lots or days missing; none is taken from it.
        refuse(loaded.reason.empty() ? "cannot be read" : loaded.reason);
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
            refuse("stored play " + Name(i) + " skipped: " + in.Reason());
            continue;
        }
        if (records_.count(id) != 0) {
            refuse("stored play " + Name(i) + " skipped: a second play for scenario \"" + id + "\"");
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
        std::error_code error;
        if (std::filesystem::exists(*damagedFile_, error)) {
            std::filesystem::rename(*damagedFile_, DamagedCopyName(*damagedFile_), error);
            if (error) {
                return DocSaveResult{
                    false, damagedFile_->string() + ": cannot keep the damaged file aside: " + error.message()};
            }
        }
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
