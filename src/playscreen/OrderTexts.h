#pragma once

// The texts the simulation screen shows about the day's orders: the trade log of the information
// panel and the notice of a refused day. The order rules report what happened; the wording and the
// markup live here.

#include <string>
#include <vector>

#include "sim/Market.h"
#include "sim/Orders.h"

namespace valmore {

// One markup line per executed trade, in execution order, with its columns placed for a text area
// `width` pixels wide; empty when nothing was executed.
std::string TradeLogMarkup(const std::vector<ExecutedTrade>& trades, const CMarket& market, int width);

// The notice (Shift_JIS markup) that tells the user why the day's orders were refused; empty for
// an outcome that needs no notice.
std::string RefusalNotice(OrderRefusal refusal);

}  // namespace valmore
