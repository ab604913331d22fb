#include "sim/Position.h"

#include <algorithm>
#include <string>

#include "sim/Money.h"
#include "sim/TradeHistory.h"

namespace valmore {

namespace {

std::int64_t TradeAmount(std::int32_t price, std::int32_t quantity) {
    return ClampToInt32(static_cast<std::int64_t>(price) * quantity);
}

// 0.1 % of a trade amount, truncated toward zero to the yen.
std::int32_t Commission(std::int64_t amount) {
    return ClampToInt32(amount / 1000);
}

}  // namespace

CPosition::CPosition() {
    for (std::size_t i = 0; i < Equities.size(); ++i) Equities[i].ProductIndex = static_cast<std::int32_t>(i);
}

bool CPosition::Order(int action, int product, std::int32_t quantity, bool silent, const OrderContext& context) {
    if (action < kActionBuy || action > kActionSell || !context.market.HasProduct(product) || quantity < 0) {
        return false;
    }
    if (!silent && context.history) context.history->CountOrder(product);
    if (action == kActionPass || quantity == 0) return true;
    int closeSide = action == kActionBuy ? kSideShort : kSideLong;
    int openSide = action == kActionBuy ? kSideLong : kSideShort;
    std::int32_t rest = CloseLots(closeSide, product, quantity, silent, context);
    if (rest > 0) OpenLot(openSide, product, rest, silent, context);
    return true;
}

std::int32_t CPosition::CloseLots(int side, int product, std::int32_t quantity, bool silent,
                                  const OrderContext& context) {
    Equity& holding = Equities[static_cast<std::size_t>(product)];
    if (holding.Side != side) return quantity;
    std::int32_t rest = quantity;
    while (rest > 0 && !holding.Empty()) {
        std::int32_t oldest = holding.Lot(0).amount;
        if (oldest <= 0) {
            // A lot without shares closes nothing; dropping it keeps the loop finite.
            holding.PopOldest();
            if (holding.Empty()) holding.Side = kSideLong;
            continue;
        }
        std::int32_t piece = oldest > rest ? rest : oldest;
        ClosePiece(side, product, piece, silent, context);
        rest -= piece;
    }
    return rest;
}

void CPosition::ClosePiece(int side, int product, std::int32_t quantity, bool silent, const OrderContext& context) {
    Equity& holding = Equities[static_cast<std::size_t>(product)];
    PositionElement& lot = holding.Lot(0);
    std::int32_t price = context.market.Products[static_cast<std::size_t>(product)].currentPrice;
    std::int64_t proceeds = TradeAmount(price, quantity);
    std::int64_t cost = TradeAmount(lot.price, quantity);
    std::int32_t commission = Commission(proceeds);
    std::int64_t realized;
    if (side == kSideLong) {
        AddSaturated(CashAmount, proceeds);
        realized = proceeds - cost;
    } else {
        AddSaturated(CashAmount, -proceeds);
        realized = cost - proceeds;
    }
    AddSaturated(CashAmount, -commission);
    AddSaturated(holding.CommitionTotal, commission);
    AddSaturated(holding.TotalRealized, realized);
    holding.RecomputeRealizedTax();
    holding.Changed = silent ? 0 : 1;
    if (!silent && context.history) {
        context.history->RecordClose(product, context.day, side, price, quantity, commission, ClampToInt32(realized));
    }
    if (quantity < lot.amount) {
        lot.amount -= quantity;
    } else {
        holding.PopOldest();
        if (holding.Empty()) holding.Side = kSideLong;
    }
}

bool CPosition::OpenLot(int side, int product, std::int32_t quantity, bool silent, const OrderContext& context) {
    Equity& holding = Equities[static_cast<std::size_t>(product)];
    if (holding.Full()) return false;
    std::int32_t price = context.market.Products[static_cast<std::size_t>(product)].currentPrice;
    std::int64_t amount = TradeAmount(price, quantity);
    std::int32_t commission = Commission(amount);
    holding.Side = side;
    if (side == kSideLong) {
        AddSaturated(CashAmount, -(amount + commission));
    } else {
        AddSaturated(CashAmount, amount);
        AddSaturated(CashAmount, -commission);
    }
    holding.PushLot(PositionElement{price, quantity, commission, std::string(context.date)});
    AddSaturated(holding.CommitionTotal, commission);
    holding.Changed = silent ? 0 : 1;
    if (!silent && context.history)
        context.history->RecordOpen(product, context.day, side, price, quantity, commission);
    return true;
}

void CPosition::ApplyInterest(double interest) {
    std::int32_t amount = TruncateToInt32(interest * CashAmount * (1.0 / 36500));
    if (amount > 0) AddSaturated(TotalInterest, amount);
    AddSaturated(CashAmount, amount);
    InterestTax = TaxOnGain(TotalInterest);
}

void CPosition::ApplyDividends(const ScenarioEvent& event, int productCount) {
    int count = std::clamp(productCount, 0, kMaxProducts);
    for (int i = 0; i < count; ++i) {
        std::int32_t perShare = event.Dividend[static_cast<std::size_t>(i)];
        if (perShare == 0) continue;
        std::int64_t amount =
            ClampToInt32(static_cast<std::int64_t>(perShare) * Equities[static_cast<std::size_t>(i)].SignedQuantity());
        // The 20 % withheld from a positive dividend never reaches the cash.
        AddSaturated(CashAmount, amount > 0 ? amount * 80 / 100 : amount);
        AddSaturated(TotalDividend, amount);
        if (amount > 0) AddSaturated(DividendTax, amount * 20 / 100);
    }
}

void CPosition::CloseAll(const OrderContext& context) {
    for (int i = 0; i < context.market.ProductCount; ++i) {
        std::int32_t shares = Equities[static_cast<std::size_t>(i)].SignedQuantity();
        if (shares > 0) Order(kActionSell, i, shares, false, context);
        if (shares < 0) Order(kActionBuy, i, ClampToInt32(-static_cast<std::int64_t>(shares)), false, context);
    }
}

std::int32_t CPosition::TotalAssets(const CMarket& market) const {
    std::int64_t total = static_cast<std::int64_t>(CashAmount) - InterestTax;
    for (int i = 0; i < market.ProductCount; ++i) {
        const Equity& holding = Equities[static_cast<std::size_t>(i)];
        total += static_cast<std::int64_t>(holding.SignedQuantity()) *
                     market.Products[static_cast<std::size_t>(i)].currentPrice -
                 holding.RealizedTax;
    }
    return ClampToInt32(total);
}

std::int32_t CPosition::TaxOnGains() const {
    std::int64_t total = InterestTax;
    for (const Equity& holding : Equities) total += holding.RealizedTax;
    return ClampToInt32(total);
}

std::int32_t CPosition::TotalTax() const {
    return ClampToInt32(static_cast<std::int64_t>(TaxOnGains()) + DividendTax);
}

std::int32_t CPosition::AvailableCash() const {
    return ClampToInt32(static_cast<std::int64_t>(CashAmount) - TaxOnGains());
}

void CPosition::RecomputeRealizedTax() {
    for (Equity& holding : Equities) holding.RecomputeRealizedTax();
}

}  // namespace valmore
