#include "sim/Play.h"

#include <algorithm>
#include <utility>

namespace valmore {

void CPlay::Begin(CScenario scenario, PrdInfoTable prdInfo) {
    scenario_ = std::move(scenario);
    scenario_.CurrentEventListIndex = 0;
    prdInfo_ = std::move(prdInfo);
    market_ = CMarket{};
    market_.LoadFrom(scenario_);
    position_ = CPosition{};
    position_.CashAmount = scenario_.header.FundAmount;
    history_ = CTradeHistory(scenario_.EventCount());
    figures_.reset();
}

OrderOutcome CPlay::ExecuteDay(const OrderColumns& columns) {
    if (IsOver()) {
        OrderOutcome outcome;
        outcome.refusal = OrderRefusal::NoDay;
        return outcome;
    }
    return ExecuteOrders(columns, market_, position_, scenario_, history_);
}

void CPlay::CloseDay() {
    if (IsOver()) return;
    const ScenarioEvent& event = scenario_.CurrentEvent();
    market_.ApplyEvent(event);
    position_.ApplyDividends(event, market_.ProductCount);
    position_.ApplyInterest(market_.Interest);
    market_.UpdateInfo(event);
}

bool CPlay::AdvanceDay() {
    if (IsOver()) return false;
    scenario_.CurrentEventListIndex += 1;
    if (!IsOver()) {
        market_.DayCount += 1;
        return true;
    }
    std::string date = scenario_.CurrentDate();
    position_.CloseAll(OrderContext{market_, scenario_.CurrentEventListIndex, date, &history_});
    return false;
}

FinalFigures CPlay::Finish(std::string dateText) {
    figures_ = history_.Finish(position_, market_, scenario_, std::move(dateText));
    return *figures_;
}

SnapshotRecord CPlay::MakeSnapshot() const {
    SnapshotRecord record;
    record.market.CopyFrom(market_);
    record.position = position_;
    record.CurrentEventListIndex = scenario_.CurrentEventListIndex;
    record.history = history_;
    return record;
}

ResumeResult CPlay::Resume(SnapshotRecord record) {
    int events = scenario_.EventCount();
    if (record.CurrentEventListIndex < 0 || record.CurrentEventListIndex >= events) {
        return {false,
                "the stored day " + std::to_string(record.CurrentEventListIndex) +
                    " is not a day of the scenario (it has " + std::to_string(events) + ")",
                ResumeProblem::PlayDoesNotFit};
    }
    int products = std::clamp(scenario_.ProductCount(), 0, kMaxProducts);
    if (record.market.ProductCount != products) {
        return {false,
                "the stored play has " + std::to_string(record.market.ProductCount) + " products, the scenario " +
                    std::to_string(products),
                ResumeProblem::PlayDoesNotFit};
    }
    market_.CopyFrom(record.market);
    position_ = std::move(record.position);
    position_.RecomputeRealizedTax();
    scenario_.CurrentEventListIndex = record.CurrentEventListIndex;
    history_ = std::move(record.history);
    // A file written before the history was kept has none: those days count as passed.
    history_.Resize(events + 1);
    figures_.reset();
    return {true, std::string()};
}

}  // namespace valmore
