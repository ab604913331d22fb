#pragma once

// Generates scenario-like document tree text: a header, products, market figures, company texts and
// trading days whose news bodies are Shift_JIS markup drawn from a vocabulary, so the text has the
// mix of structure and varied Japanese prose that real scenario files have. Used by the benchmarks
// and to seed the fuzz corpora.

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/Sjis.h"

namespace valmore::bench {

struct ScenarioTextShape {
    int events = 30;
    int products = 3;
    // Roughly how many words each news body has; bodies vary around it.
    int wordsPerDetail = 60;
    bool crlf = true;
    bool comments = true;
};

inline std::string GenerateScenarioText(const ScenarioTextShape& shape, std::uint32_t seed = 1) {
    const std::string vocabulary =
        Sj("株価 決算 発表 増益 減益 予想 上方修正 下方修正 新製品 市場 投資家 売買 配当 金利 為替 円高 円安 "
           "日経平均 業績 見通し ボーナス マーケット 表示 ソフトウェア 能力 受注 工場 海外 輸出 原材料 価格 上昇 "
           "下落 急騰 反落 の が を に は と で した する です ました 、 。 「 」");
    std::vector<std::string> words;
    for (std::size_t start = 0; start < vocabulary.size();) {
        std::size_t space = vocabulary.find(' ', start);
        if (space == std::string::npos) space = vocabulary.size();
        words.push_back(vocabulary.substr(start, space - start));
        start = space + 1;
    }
    const std::string eol = shape.crlf ? "\r\n" : "\n";
    std::mt19937 random(seed);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto prose = [&](int wordCount) {
        std::string s;
        for (int i = 0; i < wordCount; ++i) {
            switch (pick(40)) {
                case 0:
                    s += "$n";
                    break;
                case 1:
                    s += "$c" + std::to_string(pick(8));
                    break;
                case 2:
                    s += "$l" + words[pick(words.size())] + "$e";
                    break;
                case 3:
                    s += std::to_string(pick(100000));
                    break;
                default:
                    s += words[pick(words.size())];
                    break;
            }
            if (pick(25) == 0) s += eol;
        }
        return s;
    };
    auto leaf = [&](int depth, const std::string& name, const std::string& value) {
        return std::string(static_cast<std::size_t>(depth), '\t') + "{" + name + eol +
               std::string(static_cast<std::size_t>(depth + 1), '\t') + "\"" + value + "\"" + eol +
               std::string(static_cast<std::size_t>(depth), '\t') + "}" + eol;
    };
    auto open = [&](int depth, const std::string& name) {
        return std::string(static_cast<std::size_t>(depth), '\t') + "{" + name + eol;
    };
    auto close = [&](int depth) { return std::string(static_cast<std::size_t>(depth), '\t') + "}" + eol; };

    std::string t;
    t += open(0, "Scenario");
    if (shape.comments) t += "# generated scenario" + eol;
    t += open(1, "Header");
    t += leaf(2, "ID", "GEN" + std::to_string(seed));
    t += leaf(2, "Title", words[pick(words.size())] + words[pick(words.size())] + Sj("の研究"));
    t += leaf(2, "Category", "0") + leaf(2, "Mode", "1") + leaf(2, "Level", "2");
    t += leaf(2, "Duration", std::to_string(shape.events)) + leaf(2, "EstimatedTime", "30");
    t += leaf(2, "FundAmount", "10,000,000");
    t += close(1);
    t += open(1, "Product");
    for (int p = 0; p < shape.products; ++p) {
        t += open(2, std::to_string(p));
        t += leaf(3, "Name", words[pick(words.size())] + Sj("工業"));
        t += leaf(3, "Code", std::to_string(1000 + p * 111));
        t += leaf(3, "Price", std::to_string(500 + pick(3000)));
        t += leaf(3, "UnitQty", "1000") + leaf(3, "TicPrice", "1") + leaf(3, "InfoNo", std::to_string(p + 1));
        t += close(2);
    }
    t += close(1);
    t += open(1, "Market") + leaf(2, "Interest", "0.03") + leaf(2, "Exchange", "108.25") +
         leaf(2, "N225", "12,345.67") + close(1);
    t += open(1, "PrdInfo");
    for (int p = 1; p <= shape.products; ++p) t += leaf(2, std::to_string(p), prose(shape.wordsPerDetail));
    t += close(1);
    t += open(1, "Event");
    for (int e = 0; e < shape.events; ++e) {
        if (shape.comments && e % 10 == 0) t += "; week " + std::to_string(e / 5) + eol;
        t += open(2, std::to_string(e));
        t += leaf(3, "Date", "2024/" + std::to_string(e % 12 + 1) + "/" + std::to_string(e % 28 + 1));
        t += leaf(3, "DOW", Sj("月火水木金").substr((e % 5) * 2, 2));
        t += leaf(3, "HeadLine", prose(8));
        t += leaf(3, "Detail", prose(shape.wordsPerDetail / 2 + static_cast<int>(pick(shape.wordsPerDetail + 1))));
        if (pick(3) == 0) t += leaf(3, "Info", prose(10));
        t += open(3, "Motion");
        for (int p = 0; p < shape.products; ++p) {
            t += open(4, std::to_string(p));
            t += leaf(5, "Price", std::to_string(500 + pick(3000)));
            if (pick(10) == 0) t += leaf(5, "Dividend", std::to_string(pick(20)));
            t += leaf(5, "Judge", std::to_string(pick(3)));
            t += close(4);
        }
        t += close(3);
        if (pick(5) == 0) t += leaf(3, "N225", std::to_string(10000 + pick(5000)) + ".50");
        t += close(2);
    }
    t += close(1);
    t += close(0);
    return t;
}

}  // namespace valmore::bench
