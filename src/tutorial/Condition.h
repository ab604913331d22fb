#pragma once

// What a step of the practice script waits for. A step is finished while its condition holds.

#include <cstdint>

namespace valmore {

enum class ConditionKind {
    Click,             // the last button release was accepted by every active step
    GroupDone,         // no other active step of the same group is unfinished
    PlayStarted,       // the controller has left the opening
    NewsShown,         // sub-state 0
    OrdersAccepted,    // sub-state 1
    PriceMoveShown,    // sub-state 3
    DetailView,        // the news panel shows a news detail
    MessageBoxClosed,  // the message box is not open
    ColumnQuantity,    // the spin box of column `column` holds `quantity` shares
};

struct Condition {
    ConditionKind kind = ConditionKind::Click;
    int column = 0;
    std::int32_t quantity = 0;

    bool operator==(const Condition&) const = default;
};

}  // namespace valmore
