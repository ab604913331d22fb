#include <gtest/gtest.h>

#include "playscreen/OrderTexts.h"
#include "sim/PlayFixtures.h"

namespace valmore {
namespace {

using test::FlatScenario;
using test::MarketOf;

// Shift_JIS bytes of the words in the trade log.
const std::string kBuyWord = "\x94\x83\x82\xa2";
const std::string kSellWord = "\x94\x84\x82\xe8";
const std::string kShares = "\x8a\x94";
const std::string kYen = "\x89\x7e";

TEST(TradeLogText, HasOneLinePerExecutedOrderInItsExactLayout) {
    const CMarket market = MarketOf(FlatScenario(2, 5));
    const std::vector<ExecutedTrade> trades{{0, OrderChoice::Buy, 6000, 1000}, {1, OrderChoice::Sell, 1000, 12345}};
    EXPECT_EQ(TradeLogMarkup(trades, market, 401), "1000:P0 $x0120$c000100050" + kBuyWord + "$c000000000 $x0160" +
                                                       "6,000" + kShares + " $x0220" + "1,000" + kYen + "$n" +
                                                       "1001:P1 $x0120$c155000000" + kSellWord + "$c000000000 $x0160" +
                                                       "1,000" + kShares + " $x0220" + "12,345" + kYen + "$n");
    EXPECT_EQ(TradeLogMarkup({}, market, 401), "") << "a day passed everywhere writes no line";
    EXPECT_EQ(TradeLogMarkup({{2, OrderChoice::Buy, 1000, 1000}}, market, 401), "")
        << "a product the market does not have writes nothing";
}

TEST(RefusalNotice, ExplainsEachRefusalWithItsFixedText) {
    EXPECT_EQ(RefusalNotice(OrderRefusal::ShortSaleLimit),
              "\x8b\xf3\x94\x84\x82\xe8\x90\xa7\x8c\xc0\x82\xf0\x92\xb4\x82\xa6\x82\xdc\x82\xb7\x82\xcc\x82\xc5"
              "\x81\x41\x94\x84\x82\xe8\x82\xcc\x8a\x94\x90\x94\x82\xf0\x8c\xb8\x82\xe7\x82\xb5\x82\xc4\x92\x8d"
              "\x95\xb6\x82\xf0\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42"
              "\x93\x96\x83\x56\x83\x7e\x83\x85\x83\x8c\x81\x5b\x83\x56\x83\x87\x83\x93\x82\xc5\x82\xcd\x81\x41"
              "\x8b\xf3\x94\x84\x82\xe8\x82\xcd\x8a\x65\x96\xc1\x95\xbf\x31\x30\x92\x50\x88\xca\x82\xdc\x82\xc5"
              "\x81\x41\x82\xc6\x82\xa2\x82\xa4\x83\x8b\x81\x5b\x83\x8b\x82\xf0\x90\xdd\x82\xaf\x82\xc4\x82\xa0"
              "\x82\xe8\x82\xdc\x82\xb7\x81\x42");
    const std::string cash = RefusalNotice(OrderRefusal::Cash);
    EXPECT_EQ(cash.substr(0, 8), "\x8c\xbb\x8b\xe0\x82\xaa\x91\xab");
    EXPECT_NE(cash.find("$g031"), std::string::npos) << "the PASS button's picture inline";
    EXPECT_EQ(RefusalNotice(OrderRefusal::NoDay), "") << "the button does nothing outside the orders";
}

}  // namespace
}  // namespace valmore
