#pragma once

// One holding of the portfolio: the lots of one product, all on the holding's side, oldest first,
// and the running totals of commission and realised profit for that product.

#include <cstdint>
#include <string>
#include <vector>

namespace valmore {

// One lot: shares opened together on one day at one price.
struct PositionElement {
    std::int32_t price = 0;      // the price the lot was opened at
    std::int32_t amount = 0;     // shares still open
    std::int32_t commition = 0;  // commission paid at opening; not reduced by partial closes
    std::string date;            // Date of the day the lot was opened

    bool operator==(const PositionElement&) const = default;
};

class Equity {
public:
    // A ring of 1000 slots where head equal to tail means empty, so at most 999 lots are held. A play
    // opens at most one lot per product and day, so the ring never fills in play. Slots are made as the
    // tail first reaches them: a holding of a few lots stays small to copy, as the trial run and the
    // snapshot copy whole portfolios.
    static constexpr int kRingSize = 1000;
    static constexpr int kMaxLots = kRingSize - 1;

    std::int32_t Type = 0;  // always 0; stored and restored only
    std::int32_t ProductIndex = 0;
    std::int32_t CommitionTotal = 0;
    std::int32_t RealizedTax = 0;  // 20 % of a positive TotalRealized; not stored in snapshots
    std::int32_t TotalRealized = 0;
    std::int32_t Side = 0;     // 0 long, 1 short
    std::int32_t Changed = 0;  // 1 after an executed trade; stored and restored only

    int LotCount() const { return (tail_ - head_ + kRingSize) % kRingSize; }
    bool Empty() const { return head_ == tail_; }
    bool Full() const { return LotCount() == kMaxLots; }
    int Head() const { return head_; }
    // The i-th lot counted from the oldest; i must be below LotCount().
    const PositionElement& Lot(int i) const { return ring_[Slot(i)]; }
    PositionElement& Lot(int i) { return ring_[Slot(i)]; }

    // Appends a lot at the newest end; false (and nothing changes) when the ring is full.
    bool PushLot(PositionElement lot);
    // Removes the oldest lot; nothing when empty.
    void PopOldest();
    void ClearLots();

    // Shares held, negative for a short holding.
    std::int32_t SignedQuantity() const;
    // Average opening price of the shares held, truncated; 0 without shares.
    std::int32_t AveragePrice() const;
    // What closing everything at currentPrice would realise.
    std::int32_t UnrealizedPL(std::int32_t currentPrice) const;
    void RecomputeRealizedTax();

    // Equal when the totals and the lots in queue order are equal; where the ring starts does not matter.
    bool operator==(const Equity& other) const;

private:
    std::size_t Slot(int i) const { return static_cast<std::size_t>((head_ + i) % kRingSize); }

    std::vector<PositionElement> ring_;  // grows to kRingSize slots at most
    int head_ = 0;
    int tail_ = 0;
};

}  // namespace valmore
