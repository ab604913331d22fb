#include "sim/Equity.h"

#include <utility>

#include "sim/Money.h"

namespace valmore {

bool Equity::PushLot(PositionElement lot) {
    if (Full()) return false;
    // The tail moves one slot at a time, so it is at most one past the slots made so far.
    if (static_cast<std::size_t>(tail_) == ring_.size()) {
        ring_.push_back(std::move(lot));
    } else {
        ring_[static_cast<std::size_t>(tail_)] = std::move(lot);
    }
    tail_ = (tail_ + 1) % kRingSize;
    return true;
}

void Equity::PopOldest() {
    if (Empty()) return;
    ring_[static_cast<std::size_t>(head_)] = PositionElement{};
    head_ = (head_ + 1) % kRingSize;
}

void Equity::ClearLots() {
    ring_.clear();
    head_ = 0;
    tail_ = 0;
}

std::int32_t Equity::SignedQuantity() const {
    std::int64_t shares = 0;
    for (int i = 0; i < LotCount(); ++i) shares += Lot(i).amount;
    return ClampToInt32(Side == 1 ? -shares : shares);
}

std::int32_t Equity::AveragePrice() const {
    std::int64_t shares = 0;
    std::int64_t cost = 0;
    for (int i = 0; i < LotCount(); ++i) {
        shares += Lot(i).amount;
        cost += static_cast<std::int64_t>(Lot(i).price) * Lot(i).amount;
    }
    return shares == 0 ? 0 : ClampToInt32(cost / shares);
}

std::int32_t Equity::UnrealizedPL(std::int32_t currentPrice) const {
    std::int64_t total = 0;
    for (int i = 0; i < LotCount(); ++i) {
        std::int64_t move = static_cast<std::int64_t>(currentPrice) - Lot(i).price;
        total += (Side == 1 ? -move : move) * Lot(i).amount;
    }
    return ClampToInt32(total);
}

void Equity::RecomputeRealizedTax() {
    RealizedTax = TaxOnGain(TotalRealized);
}

bool Equity::operator==(const Equity& other) const {
    if (Type != other.Type || ProductIndex != other.ProductIndex || CommitionTotal != other.CommitionTotal ||
        RealizedTax != other.RealizedTax || TotalRealized != other.TotalRealized || Side != other.Side ||
        Changed != other.Changed || LotCount() != other.LotCount()) {
        return false;
    }
    for (int i = 0; i < LotCount(); ++i) {
        if (!(Lot(i) == other.Lot(i))) return false;
    }
    return true;
}

}  // namespace valmore
