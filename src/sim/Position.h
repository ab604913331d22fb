#pragma once

// The user's portfolio during a play: cash, one holding per product, and the totals of interest,
// dividends and the taxes owed on them. A plain value: the trial run and the snapshot copy it whole.

#include <array>
#include <cstdint>
#include <string_view>

#include "scenario/Scenario.h"
#include "sim/Equity.h"
#include "sim/Market.h"

namespace valmore {

class CTradeHistory;

enum TradeAction : int { kActionBuy = 0, kActionPass = 1, kActionSell = 2 };
enum TradeSide : int { kSideLong = 0, kSideShort = 1 };

// What an order needs besides the portfolio: the prices, the day being played (CurrentEventListIndex)
// with its Date for new lots, and the history that executed trades are reported to (none for a trial).
struct OrderContext {
    const CMarket& market;
    int day = 0;
    std::string_view date;
    CTradeHistory* history = nullptr;
};

class CPosition {
public:
    std::array<Equity, kMaxProducts> Equities;  // the holdings of products 0, 1, 2
    std::int32_t CashAmount = 0;                // gross: owed taxes stay in it and are subtracted by the valuations
    std::int32_t TotalInterest = 0;
    std::int32_t InterestTax = 0;
    std::int32_t TotalDividend = 0;
    std::int32_t DividendTax = 0;

    CPosition();

    // Executes one order: a buy first covers a short holding oldest lot first and opens a long lot with
    // the rest; a sell does the reverse. A silent order (the trial run) is neither counted nor recorded.
    // Returns false and changes nothing for an unknown action or product or a negative quantity.
    bool Order(int action, int product, std::int32_t quantity, bool silent, const OrderContext& context);

    // One day of interest on cash at `interest` percent a year; a negative balance pays it.
    void ApplyInterest(double interest);
    // The day's dividends of the first productCount products; a short holding pays them in full.
    void ApplyDividends(const ScenarioEvent& event, int productCount);
    // Reverses every open holding at the current prices, as executed orders.
    void CloseAll(const OrderContext& context);

    // Cash and holdings at current prices, net of the taxes owed on gains and interest.
    std::int32_t TotalAssets(const CMarket& market) const;
    // Tax owed on realised gains and interest; the cash rule subtracts it from the cash.
    std::int32_t TaxOnGains() const;
    // TaxOnGains and the tax withheld from dividends.
    std::int32_t TotalTax() const;
    // Cash that may be spent: CashAmount minus TaxOnGains.
    std::int32_t AvailableCash() const;
    // Sets every holding's RealizedTax from its TotalRealized (after a restore).
    void RecomputeRealizedTax();

    const Equity& Holding(int product) const { return Equities[static_cast<std::size_t>(product)]; }

    bool operator==(const CPosition&) const = default;

private:
    std::int32_t CloseLots(int side, int product, std::int32_t quantity, bool silent, const OrderContext& context);
    void ClosePiece(int side, int product, std::int32_t quantity, bool silent, const OrderContext& context);
    bool OpenLot(int side, int product, std::int32_t quantity, bool silent, const OrderContext& context);
};

}  // namespace valmore
