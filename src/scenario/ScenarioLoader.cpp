#include "scenario/ScenarioLoader.h"

#include <string>

namespace valmore {

namespace {

std::string Decimal(int i) { return std::to_string(i); }

// Reads the texts of a "PrdInfo" or "Resource" section into slots 1 to count; a missing section
// leaves the table empty.
void ReadTextTable(CDocTree& doc, std::string_view section, TextTable& table, std::vector<std::string>& problems) {
    table.Clear();
    doc.MoveToRoot();
    if (!doc.EnterChild(section)) return;
    int count = doc.CountChildren();
    if (count > kMaxTexts) {
        problems.push_back("section \"" + std::string(section) + "\" has " + Decimal(count) + " texts; at most " +
                           Decimal(kMaxTexts) + " are allowed");
        count = kMaxTexts;
    }
    for (int k = 1; k <= count; ++k) table.slots[static_cast<std::size_t>(k)] = doc.GetChildText(Decimal(k));
    doc.MoveToRoot();
}

// Looks up a required key of the cursor node; records a problem naming `where` when it is absent.
std::optional<std::string> Required(const CDocTree& doc, std::string_view key, const std::string& where,
                                    std::vector<std::string>& problems) {
    std::optional<std::string> text = doc.GetChildText(key);
    if (!text) problems.push_back(where + ": required key \"" + std::string(key) + "\" is missing");
    return text;
}

std::int32_t IntOr(const std::optional<std::string>& text, std::int32_t fallback) {
    return text ? CDocTree::TextToInt(*text) : fallback;
}

double RealOr(const std::optional<std::string>& text, double fallback) {
    return text ? CDocTree::TextToReal(*text) : fallback;
}

bool ReadProducts(CDocTree& doc, CScenario& scenario, std::vector<std::string>& problems) {
    doc.MoveToRoot();
    if (!doc.EnterChild("Product")) {
        problems.push_back("section \"Product\" is missing");
        return false;
    }
    int count = doc.CountChildren();
    if (count < 1 || count > kMaxProducts) {
        problems.push_back("section \"Product\" has " + Decimal(count) + " products; 1 to 3 are allowed");
        if (count < 1) return false;
        count = kMaxProducts;
    }
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        std::string where = "product " + Decimal(i);
        if (!doc.EnterChild(Decimal(i))) {
            problems.push_back(where + " is missing (products are numbered from 0)");
            ok = false;
            continue;
        }
        ScenarioProduct& product = scenario.products[static_cast<std::size_t>(i)];
        std::optional<std::string> name = Required(doc, "Name", where, problems);
        std::optional<std::string> code = Required(doc, "Code", where, problems);
        std::optional<std::string> price = Required(doc, "Price", where, problems);
        std::optional<std::string> info = Required(doc, "InfoNo", where, problems);
        ok = ok && name && code && price && info;
        product.Name = name.value_or("");
        product.Code = code.value_or("");
        product.Price = IntOr(price, 0);
        product.UnitQty = IntOr(doc.GetChildText("UnitQty"), 1000);
        product.TicPrice = IntOr(doc.GetChildText("TicPrice"), 10);
        product.InfoNo = IntOr(info, 0);
        // A unit of no shares would make every order zero and the quantity controls useless.
        if (product.UnitQty < 1) {
            problems.push_back(where + ": \"UnitQty\" must be at least 1");
            ok = false;
        }
        if (product.Price < 0) {
            problems.push_back(where + ": \"Price\" must not be negative");
            ok = false;
        }
        if (product.InfoNo < 0 || product.InfoNo > kMaxTexts) {
            problems.push_back(where + ": \"InfoNo\" must be 0 to 99");
            ok = false;
        }
        doc.ExitToParent();
    }
    scenario.header.ProductCount = count;
    return ok;
}

bool ReadMarket(CDocTree& doc, CScenario& scenario, std::vector<std::string>& problems) {
    doc.MoveToRoot();
    if (!doc.EnterChild("Market")) {
        problems.push_back("section \"Market\" is missing");
        return false;
    }
    std::optional<std::string> interest = Required(doc, "Interest", "section \"Market\"", problems);
    std::optional<std::string> exchange = Required(doc, "Exchange", "section \"Market\"", problems);
    std::optional<std::string> n225 = Required(doc, "N225", "section \"Market\"", problems);
    scenario.market.Interest = RealOr(interest, 0.0);
    scenario.market.Exchange = RealOr(exchange, 0.0);
    scenario.market.N225 = RealOr(n225, 0.0);
    doc.MoveToRoot();
    return interest && exchange && n225;
}

bool ReadEvents(CDocTree& doc, CScenario& scenario, std::vector<std::string>& problems) {
    doc.MoveToRoot();
    if (!doc.EnterChild("Event")) {
        problems.push_back("section \"Event\" is missing");
        return false;
    }
    int count = doc.CountChildren();
    if (count < 1 || count > kMaxEvents) {
        problems.push_back("section \"Event\" has " + Decimal(count) + " events; 1 to 200 are allowed");
        if (count < 1) return false;
        count = kMaxEvents;
    }
    bool ok = true;
    scenario.events.assign(static_cast<std::size_t>(count), ScenarioEvent{});
    for (int e = 0; e < count; ++e) {
        std::string where = "event " + Decimal(e);
        if (!doc.EnterChild(Decimal(e))) {
            problems.push_back(where + " is missing (events are numbered from 0)");
            ok = false;
            continue;
        }
        ScenarioEvent& event = scenario.events[static_cast<std::size_t>(e)];
        event.Date = doc.GetChildText("Date");
        event.DOW = doc.GetChildText("DOW");
        event.HeadLine = doc.GetChildText("HeadLine");
        event.Detail = doc.GetChildText("Detail");
        event.Info = doc.GetChildText("Info");
        if (!doc.EnterChild("Motion")) {
            problems.push_back(where + ": \"Motion\" is missing");
            ok = false;
        } else {
            for (int i = 0; i < scenario.header.ProductCount; ++i) {
                auto slot = static_cast<std::size_t>(i);
                std::string motion = where + ", motion of product " + Decimal(i);
                if (!doc.EnterChild(Decimal(i))) {
                    problems.push_back(motion + " is missing");
                    ok = false;
                    continue;
                }
                std::optional<std::string> price = Required(doc, "Price", motion, problems);
                ok = ok && price;
                event.Price[slot] = IntOr(price, 0);
                event.Dividend[slot] = IntOr(doc.GetChildText("Dividend"), 0);
                event.PrdInfo[slot] = IntOr(doc.GetChildText("PrdInfo"), -1);
                event.Judge[slot] = JudgeCodeFromText(doc.GetChildText("Judge"));
                if (event.Price[slot] < 0) {
                    problems.push_back(motion + ": \"Price\" must not be negative");
                    ok = false;
                }
                if (event.PrdInfo[slot] < -1 || event.PrdInfo[slot] > kMaxTexts) {
                    problems.push_back(motion + ": \"PrdInfo\" must be -1 to 99");
                    ok = false;
                }
                doc.ExitToParent();
            }
            doc.ExitToParent();
        }
        event.Interest = RealOr(doc.GetChildText("Interest"), 0.0);
        event.Exchange = RealOr(doc.GetChildText("Exchange"), 0.0);
        event.N225 = RealOr(doc.GetChildText("N225"), 0.0);
        doc.ExitToParent();
    }
    doc.MoveToRoot();
    return ok;
}

ScenarioLoadResult Finish(CDocTree& doc, const DocLoadResult& loaded, CScenario& scenario, TextTable& prdInfo,
                          TextTable& resources) {
    ScenarioLoadResult result;
    result.file = loaded.file;
    if (!loaded.Ok()) {
        result.status = loaded.status;
        result.line = loaded.line;
        result.problems.push_back(loaded.reason.empty() ? "cannot be read" : loaded.reason);
        return result;
    }
    CScenario fresh;
    TextTable freshInfo;
    TextTable freshResources;
    if (ReadScenarioDocument(doc, fresh, freshInfo, freshResources, result.problems)) {
        scenario = std::move(fresh);
        prdInfo = std::move(freshInfo);
        resources = std::move(freshResources);
        result.ok = true;
    }
    return result;
}

}  // namespace

std::string ScenarioLoadResult::Message() const {
    if (ok || problems.empty()) return std::string();
    return file + ": " + problems.front();
}

bool ReadScenarioHeader(CDocTree& document, ScenarioHeader& header, std::vector<std::string>* problems) {
    std::vector<std::string> local;
    std::vector<std::string>& out = problems ? *problems : local;
    std::size_t before = out.size();
    document.MoveToRoot();
    if (!document.EnterChild("Header")) {
        out.push_back("section \"Header\" is missing");
        document.MoveToRoot();
        return false;
    }
    const std::string where = "section \"Header\"";
    header.ID = Required(document, "ID", where, out).value_or("");
    header.Title = Required(document, "Title", where, out).value_or("");
    header.Category = IntOr(Required(document, "Category", where, out), 0);
    header.Mode = IntOr(Required(document, "Mode", where, out), 0);
    header.Level = IntOr(Required(document, "Level", where, out), 0);
    header.Duration = Required(document, "Duration", where, out).value_or("");
    header.EstimatedTime = Required(document, "EstimatedTime", where, out).value_or("");
    header.FundAmount = IntOr(Required(document, "FundAmount", where, out), 0);
    document.MoveToRoot();
    header.ProductCount = document.EnterChild("Product") ? document.CountChildren() : 0;
    document.MoveToRoot();
    // An empty ID would make the play impossible to file under its scenario.
    if (out.size() == before && header.ID.empty()) out.push_back(where + ": \"ID\" is empty");
    return out.size() == before;
}

bool ReadScenarioDocument(CDocTree& document, CScenario& scenario, TextTable& prdInfo, TextTable& resources,
                          std::vector<std::string>& problems) {
    std::size_t before = problems.size();
    if (document.Root() == nullptr) {
        problems.push_back("the file holds no document");
        return false;
    }
    bool productsOk = ReadProducts(document, scenario, problems);
    ReadMarket(document, scenario, problems);
    ReadTextTable(document, "PrdInfo", prdInfo, problems);
    int productCount = scenario.header.ProductCount;
    ReadScenarioHeader(document, scenario.header, &problems);
    // The header counts the products of the section; the loader reads at most three of them.
    scenario.header.ProductCount = productCount;
    if (productsOk) ReadEvents(document, scenario, problems);
    ReadTextTable(document, "Resource", resources, problems);
    scenario.CurrentEventListIndex = 0;
    document.MoveToRoot();
    return problems.size() == before;
}

ScenarioLoadResult LoadScenario(const std::filesystem::path& path, CScenario& scenario, TextTable& prdInfo,
                                TextTable& resources, IDocErrorSink* sink) {
    CDocTree doc(sink);
    DocLoadResult loaded = doc.Load(path);
    return Finish(doc, loaded, scenario, prdInfo, resources);
}

ScenarioLoadResult LoadScenarioFromBytes(std::string bytes, std::string_view name, CScenario& scenario,
                                         TextTable& prdInfo, TextTable& resources) {
    CDocTree doc;
    DocLoadResult loaded = doc.LoadFromBytes(std::move(bytes), name);
    return Finish(doc, loaded, scenario, prdInfo, resources);
}

}  // namespace valmore
