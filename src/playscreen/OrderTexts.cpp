#include "playscreen/OrderTexts.h"

#include <algorithm>
#include <cstdio>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"

namespace valmore {

namespace {

// "%4.4d": at least four digits, zero-padded.
std::string Pad4(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%4.4d", value);
    return text;
}

std::string TradeLogLine(const ExecutedTrade& trade, const MarketProduct& product, int width) {
    std::string line = product.prdCode + ":" + product.name + " $x" + Pad4(width * 6 / 20);
    line += trade.choice == OrderChoice::Buy ? "$c000100050" + Sj("買い") : "$c155000000" + Sj("売り");
    line += "$c000000000 $x" + Pad4(width * 8 / 20) + FormatGrouped(trade.quantity) + Sj("株");
    line += " $x" + Pad4(width * 11 / 20) + FormatGrouped(trade.price) + Sj("円") + "$n";
    return line;
}

}  // namespace

std::string TradeLogMarkup(const std::vector<ExecutedTrade>& trades, const CMarket& market, int width) {
    const int w = std::clamp(width, 0, 1 << 20);
    std::string log;
    for (const ExecutedTrade& trade : trades) {
        if (!market.HasProduct(trade.product)) continue;
        log += TradeLogLine(trade, market.Products[static_cast<std::size_t>(trade.product)], w);
    }
    return log;
}

std::string RefusalNotice(OrderRefusal refusal) {
    switch (refusal) {
        case OrderRefusal::ShortSaleLimit:
            return Sj(
                "空売り制限を超えますので、売りの株数を減らして注文をやり直してください。"
                "当シミュレーションでは、空売りは各銘柄10単位まで、というルールを設けてあります。");
        case OrderRefusal::Cash:
            return Sj(
                "現金が足りませんので、注文をやり直してください。例えば、$n１. 買いの株数を減らしてください。"
                "$n２. $g031を選択してください。$n３. 売ることのできる銘柄がある場合は、売ってください。");
        default:
            return std::string();
    }
}

}  // namespace valmore
