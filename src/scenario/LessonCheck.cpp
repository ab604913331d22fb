#include "scenario/LessonCheck.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

#include "doctree/DocTree.h"
#include "platform/AtomicFile.h"
#include "platform/Sjis.h"
#include "scenario/ScenarioCheck.h"
#include "scenario/ScenarioLoader.h"

namespace valmore {

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------------
// The words the checks look for. Texts are compared in UTF-8, where a byte search never matches across
// two characters.

// A debrief's reasoning that takes for granted what the learner holds (the answer key may not: the
// same day is judged for someone with shares, without them, or short). "持っている株はそのまま持つ" is
// how a pass is defined, so it is not among them.
constexpr const char* kHoldingPhrases[] = {
    "利益確定するのが正解", "利益を確定するのが正解", "利益確定の売りが正解", "利益確定が正解",
    "保有している株式は",   "保有している株は",       "持っていた人は",       "持っている人は",
    "買っていた人",         "空売りしている株",       "買い戻すのが正解",     "買い戻しが正解",
    "買い戻しするのが正解", "買い戻しの好機",         "買い増すのが正解",     "買い増しが正解",
};

// News that is not yet a fact, or a fact the market already expects: judged 0 or 3 unless exempted.
constexpr const char* kRumourWords[] = {
    "伝わった", "と伝わる",       "報道",       "検討",       "観測",   "織り込",   "うわさ",
    "思惑",     "関係者によると", "予想どおり", "想定どおり", "先回り", "出尽くし",
};

// Words that tie a claim to the index rather than to a product.
constexpr const char* kIndexWords[] = {"日経平均", "平均株価"};

// Streak claims: "3日続落" is a fall on each of the last three days the learner has seen.
struct StreakWord {
    const char* word;
    int direction;  // +1 rises, -1 falls
};
constexpr StreakWord kStreakWords[] = {{"日続落", -1}, {"日続伸", 1}};

// A change over a span: "3日で1割以上上がった", "1週間で2割近く", "高値から25％下がり".
struct SpanWord {
    const char* word;
    int days;  // trading days the span covers; 0: the span's length is the number written before it
};
constexpr SpanWord kSpanWords[] = {{"日間で", 0}, {"日で", 0}, {"1週間で", 5}, {"2週間で", 10}};
constexpr const char* kMonthStartWord = "月に入って";  // "4月に入って1割上がり": since the month began
constexpr const char* kFromHighWord = "高値から";
constexpr const char* kFromLowWord = "安値から";
struct DirectionWord {
    const char* word;
    int direction;
};
constexpr DirectionWord kDirectionWords[] = {{"値上が", 1}, {"値下が", -1}, {"上が", 1}, {"下が", -1},
                                             {"上昇", 1},   {"下落", -1},   {"高く", 1}, {"安く", -1},
                                             {"戻", 1},     {"下げ", -1},   {"上げ", 1}};
// How a claimed size is meant: at least, just under, or about.
enum class Bound { AtLeast, Under, About };
struct QualifierWord {
    const char* word;
    Bound bound;
};
constexpr QualifierWord kQualifierWords[] = {
    {"以上", Bound::AtLeast},   {"超", Bound::AtLeast}, {"強", Bound::AtLeast},
    {"あまり", Bound::AtLeast}, {"近く", Bound::Under}, {"弱", Bound::Under},
    {"ほど", Bound::About},     {"前後", Bound::About}, {"程度", Bound::About}};
// A stated price of the product: "株価は…1,230円", "1,230円で取引を終えた"; "前後" and the like allow 3 %.
constexpr const char* kPriceLeadWords[] = {"株価は", "終値は"};
constexpr const char* kOtherPriceWords[] = {"目標", "理論", "適正"};  // "目標株価は" is no price seen
constexpr const char* kClosedAtWord = "円で取引を終え";
constexpr const char* kApproximateWords[] = {"前後", "近辺", "近く", "台", "程度"};
constexpr double kApproximateTolerance = 0.03;
// The last day's move: "前日比30円高", "前日比2.5％安".
constexpr const char* kDayChangeWord = "前日比";
constexpr DirectionWord kDayChangeDirections[] = {{"高", 1}, {"上", 1}, {"安", -1}, {"下", -1}};
// A gap to another price: "600円まではまだ31円の差", "との差は4円".
constexpr const char* kGapWord = "円の差";

// What a Tokyo morning's news says of the New York session of the night before, and the words that say
// it was closed. "米国" alone is not among them: a trade talk or a patent in the US is no session.
constexpr const char* kUsSessionWords[] = {"米国市場", "海外市場",   "米国の長期金利",     "米長期金利", "米国の金利",
                                           "米国株",   "米株",       "ニューヨーク",       "NY",         "ナスダック",
                                           "ダウ平均", "前日の米国", "前夜発表された米国", "前夜の米国", "前夜、米国"};
// On a Monday the last session abroad is the Friday's (前週末); these name the night before.
constexpr const char* kLastNightWords[] = {"前夜", "前日の米国", "前日の海外"};
constexpr const char* kClosedWords[] = {"休場", "休み"};

constexpr const char* kDowNames[] = {"日", "月", "火", "水", "木", "金", "土"};  // Sunday first

constexpr const char* kJudgementSection = "【判断】";
constexpr const char* kMistakeSection = "【よくある失敗】";

// The debriefs of the library share so many "よくある失敗" sentences before they read as boilerplate.
constexpr int kMaxDaysPerMistakeSentence = 3;

// Right decisions that lose: their share of the judged buy/sell days, how much they lose, and how many
// still lose two days later. A share of fewer judged days than this says nothing.
constexpr int kMinJudgedDaysForShare = 20;
constexpr double kMinLosingShare = 10.0;
constexpr double kMaxLosingShare = 15.0;
constexpr double kMinAverageLoss = 1.5;

// The practice run's scenario follows its script; its moves are not an exercise in uncertainty.
constexpr const char* kPracticeScenario = "操作練習";

// ---------------------------------------------------------------------------------------------------
// Calendars. The years of the scenarios are not written in them; they are the years whose weekdays
// match the dates (see DeriveYears). Holiday rules below hold from 2007 to 2099.

constexpr int kFirstCalendarYear = 2007;
constexpr int kLastCalendarYear = 2099;

using Holidays = std::map<int, std::string>;  // month * 100 + day -> name

std::chrono::sys_days DateOf(int year, int month, int day) {
    return std::chrono::sys_days{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                                 std::chrono::day{static_cast<unsigned>(day)}};
}

bool IsValidDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           (std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
            std::chrono::day{static_cast<unsigned>(day)})
               .ok();
}

int WeekdayOf(std::chrono::sys_days date) {
    return static_cast<int>(std::chrono::weekday{date}.c_encoding());
}

int Key(std::chrono::sys_days date) {
    std::chrono::year_month_day ymd{date};
    return static_cast<int>(static_cast<unsigned>(ymd.month())) * 100 +
           static_cast<int>(static_cast<unsigned>(ymd.day()));
}

// The day of month of the n-th given weekday (0 Sunday) of a month; n = -1 for the last one.
int NthWeekday(int year, int month, int weekday, int n) {
    if (n < 0) {
        int last = static_cast<int>(static_cast<unsigned>(std::chrono::year_month_day_last{
            std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} / std::chrono::last}
                                                              .day()));
        while (WeekdayOf(DateOf(year, month, last)) != weekday) --last;
        return last;
    }
    int first = 1;
    while (WeekdayOf(DateOf(year, month, first)) != weekday) ++first;
    return first + 7 * (n - 1);
}

// Days the Tokyo exchange is closed besides weekends: national holidays, their substitutes, days
// between two holidays, and the year-end and new-year break.
const Holidays& JapaneseMarketHolidays(int year) {
    static std::map<int, Holidays> cache;
    auto [it, added] = cache.try_emplace(year);
    if (!added) return it->second;
    Holidays& h = it->second;
    const int since1980 = year - 1980;
    const int vernal = static_cast<int>(20.8431 + 0.242194 * since1980) - since1980 / 4;
    const int autumnal = static_cast<int>(23.2488 + 0.242194 * since1980) - since1980 / 4;
    h[101] = "元日";
    h[100 + NthWeekday(year, 1, 1, 2)] = "成人の日";
    h[211] = "建国記念の日";
    if (year >= 2020) h[223] = "天皇誕生日";
    if (year <= 2018) h[1223] = "天皇誕生日";
    h[300 + vernal] = "春分の日";
    h[429] = "昭和の日";
    h[503] = "憲法記念日";
    h[504] = "みどりの日";
    h[505] = "こどもの日";
    // The Olympic years moved three holidays.
    h[year == 2020 ? 723 : year == 2021 ? 722 : 700 + NthWeekday(year, 7, 1, 3)] = "海の日";
    if (year >= 2016) h[year == 2020 ? 810 : year == 2021 ? 808 : 811] = "山の日";
    h[900 + NthWeekday(year, 9, 1, 3)] = "敬老の日";
    h[900 + autumnal] = "秋分の日";
    h[year == 2020   ? 724
      : year == 2021 ? 723
                     : 1000 + NthWeekday(year, 10, 1, 2)] = year >= 2020 ? "スポーツの日" : "体育の日";
    h[1103] = "文化の日";
    h[1123] = "勤労感謝の日";
    if (year == 2019) {
        h[430] = "国民の休日";
        h[501] = "即位の日";
        h[502] = "国民の休日";
        h[1022] = "即位礼正殿の儀";
    }
    const Holidays national = h;
    for (std::chrono::sys_days d = DateOf(year, 1, 2); d < DateOf(year, 12, 31); d += std::chrono::days{1}) {
        if (!national.count(Key(d)) && WeekdayOf(d) != 0 && national.count(Key(d - std::chrono::days{1})) &&
            national.count(Key(d + std::chrono::days{1})))
            h[Key(d)] = "国民の休日";
    }
    for (const auto& [key, name] : national) {
        std::chrono::sys_days d = DateOf(year, key / 100, key % 100);
        if (WeekdayOf(d) != 0) continue;
        do d += std::chrono::days{1};
        while (h.count(Key(d)));
        if (std::chrono::year_month_day{d}.year() == std::chrono::year{year}) h[Key(d)] = "振替休日";
    }
    h.try_emplace(102, "年始の休業日");
    h.try_emplace(103, "年始の休業日");
    h.try_emplace(1231, "年末の休業日");
    return h;
}

std::chrono::sys_days EasterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4, f = (b + 8) / 25;
    const int g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    return DateOf(year, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}

// Weekdays the New York Stock Exchange is closed.
const Holidays& UsMarketHolidays(int year) {
    static std::map<int, Holidays> cache;
    auto [it, added] = cache.try_emplace(year);
    if (!added) return it->second;
    Holidays& h = it->second;
    // A Saturday holiday closes the Friday before, a Sunday one the Monday after; New Year's Day on a
    // Saturday closes nothing, as the old year's books close on the Friday.
    auto observed = [&](int month, int day, const char* name, bool fridayBefore) {
        std::chrono::sys_days d = DateOf(year, month, day);
        if (WeekdayOf(d) == 6) {
            if (!fridayBefore) return;
            d -= std::chrono::days{1};
        } else if (WeekdayOf(d) == 0) {
            d += std::chrono::days{1};
        }
        h[Key(d)] = name;
    };
    observed(1, 1, "New Year's Day", false);
    h[100 + NthWeekday(year, 1, 1, 3)] = "Martin Luther King Jr. Day";
    h[200 + NthWeekday(year, 2, 1, 3)] = "Washington's Birthday";
    h[Key(EasterSunday(year) - std::chrono::days{2})] = "Good Friday";
    h[500 + NthWeekday(year, 5, 1, -1)] = "Memorial Day";
    if (year >= 2022) observed(6, 19, "Juneteenth", true);
    observed(7, 4, "Independence Day", true);
    h[900 + NthWeekday(year, 9, 1, 1)] = "Labor Day";
    h[1100 + NthWeekday(year, 11, 4, 4)] = "Thanksgiving Day";
    observed(12, 25, "Christmas Day", true);
    // Days of national mourning.
    if (year == 2018) h[1205] = "a day of mourning";
    if (year == 2025) h[109] = "a day of mourning";
    return h;
}

// ---------------------------------------------------------------------------------------------------
// The library as the checks see it: texts in UTF-8 without markup, and the market as shown each day.

struct Day {
    std::string date;  // as written, "" when absent
    int month = 0;
    int dayOfMonth = 0;
    int year = 0;  // 0 while unknown
    std::string dow;
    std::string news;  // headline and detail, read before the day's trading
    std::string info;
    std::array<std::int32_t, kMaxProducts> price{};
    std::array<std::int32_t, kMaxProducts> judge{};
    double interest = 0.0;
    double exchange = 0.0;
    double n225 = 0.0;
};

struct Scenario {
    fs::path file;
    std::string name;  // the file name without extensions
    std::vector<std::string> products;
    std::array<std::int32_t, kMaxProducts> startPrice{};
    double startN225 = 0.0;
    std::vector<Day> days;
    bool practice = false;

    // "event 3 (11/6)"
    std::string Where(std::size_t day) const {
        std::string where = "event " + std::to_string(day);
        if (!days[day].date.empty()) where += " (" + days[day].date + ")";
        return where;
    }
    // The price the learner has seen at the end of day `day` (-1: the starting price).
    std::int32_t PriceAfter(int day, int product) const {
        return day < 0 ? startPrice[static_cast<std::size_t>(product)]
                       : days[static_cast<std::size_t>(day)].price[static_cast<std::size_t>(product)];
    }
};

// Visible text of a markup text: links by their display text, line and page breaks as "\n".
std::string PlainText(const std::optional<std::string>& sjis) {
    if (!sjis) return {};
    const std::string text = *sjis;
    std::string plain;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '$') {
            std::size_t length = SjisCharLength(text, pos);
            if (text[pos] != '&') plain.append(text, pos, length);
            pos += length;
            continue;
        }
        if (pos + 1 >= text.size()) break;
        const char code = text[pos + 1];
        pos += 2;
        if (code == 'n' || code == 'p') {
            plain += '\n';
        } else if (code == 'd') {
            std::size_t keyStart = text.find('$', pos);
            if (keyStart == std::string::npos) break;
            plain.append(text, pos, keyStart - pos);
            std::size_t keyEnd = text.find('$', keyStart + 1);
            if (keyEnd == std::string::npos) break;
            pos = keyEnd + 1;
        } else {
            pos += MarkupCodeWidth(code);
        }
    }
    return Cp932ToUtf8(plain);
}

// The part of a debrief from `heading` to the next heading (or the end); "" without the heading.
std::string Section(const std::string& text, const char* heading) {
    std::size_t start = text.find(heading);
    if (start == std::string::npos) return {};
    start += std::string_view(heading).size();
    return text.substr(start, text.find("【", start) - start);
}

std::vector<std::string> Sentences(const std::string& text) {
    std::vector<std::string> sentences;
    std::string current;
    auto flush = [&] {
        std::size_t first = current.find_first_not_of(" \t\n");
        if (first != std::string::npos) sentences.push_back(current.substr(first));
        current.clear();
    };
    for (std::size_t pos = 0; pos < text.size();) {
        if (text.compare(pos, 3, "。") == 0) {
            current += "。";
            flush();
            pos += 3;
        } else if (text[pos] == '\n') {
            flush();
            ++pos;
        } else {
            current += text[pos++];
        }
    }
    flush();
    return sentences;
}

std::string NameWithoutExtensions(const fs::path& file) {
    std::string name = file.filename().string();
    return name.substr(0, name.find('.'));
}

void DeriveYears(Scenario& scenario);

// "4/7" gives 4 and 7; anything else leaves the month 0 (an undated day).
void ParseMonthDay(const std::string& date, int* month, int* day) {
    std::size_t slash = date.find('/');
    auto number = [](std::string_view digits) {
        int value = 0;
        if (digits.empty() || digits.size() > 2) return 0;
        for (char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
            value = value * 10 + (c - '0');
        }
        return value;
    };
    if (slash == std::string::npos) return;
    std::size_t end = slash + 1;
    while (end < date.size() && std::isdigit(static_cast<unsigned char>(date[end]))) ++end;
    *month = number(std::string_view(date).substr(0, slash));
    *day = number(std::string_view(date).substr(slash + 1, end - slash - 1));
    if (*day == 0) *month = 0;
}

std::optional<Scenario> ReadPlayedScenario(const fs::path& file) {
    std::string bytes;
    if (!ReadWholeFile(file, &bytes)) return std::nullopt;
    CDocTree doc;
    if (!doc.LoadFromBytes(bytes, file.string()).Ok()) return std::nullopt;
    doc.MoveToRoot();
    if (doc.FindChild("Dict") != nullptr) return std::nullopt;
    CScenario scenario;
    TextTable prdInfo;
    TextTable resources;
    std::vector<std::string> problems;
    if (!ReadScenarioDocument(doc, scenario, prdInfo, resources, problems)) return std::nullopt;
    if (scenario.header.Mode == 9) return std::nullopt;

    Scenario read;
    read.file = file;
    read.name = NameWithoutExtensions(file);
    read.practice = read.name == kPracticeScenario;
    for (int p = 0; p < scenario.ProductCount(); ++p) {
        read.products.push_back(Cp932ToUtf8(scenario.products[static_cast<std::size_t>(p)].Name));
        read.startPrice[static_cast<std::size_t>(p)] = scenario.products[static_cast<std::size_t>(p)].Price;
    }
    read.startN225 = scenario.market.N225;
    double interest = scenario.market.Interest;
    double exchange = scenario.market.Exchange;
    double n225 = scenario.market.N225;
    for (const ScenarioEvent& event : scenario.events) {
        Day day;
        if (event.Date) {
            day.date = Cp932ToUtf8(*event.Date);
            ParseMonthDay(day.date, &day.month, &day.dayOfMonth);
        }
        if (event.DOW) day.dow = Cp932ToUtf8(*event.DOW);
        day.news = PlainText(event.HeadLine) + "\n" + PlainText(event.Detail);
        day.info = PlainText(event.Info);
        day.price = event.Price;
        day.judge = event.Judge;
        // Zero keeps the figure: what the market panel shows that day.
        if (event.Interest != 0.0) interest = event.Interest;
        if (event.Exchange != 0.0) exchange = event.Exchange;
        if (event.N225 != 0.0) n225 = event.N225;
        day.interest = interest;
        day.exchange = exchange;
        day.n225 = n225;
        read.days.push_back(std::move(day));
    }
    DeriveYears(read);
    return read;
}

bool Contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

template <std::size_t N>
const char* FirstOf(const std::string& text, const char* const (&words)[N]) {
    for (const char* word : words)
        if (Contains(text, word)) return word;
    return nullptr;
}

// Gives each dated day its year: of the years whose calendar matches the most written weekdays, the
// latest not after this year (news is written about the past), a month that goes back starting the next
// year. Without any weekday written the years stay unknown.
void DeriveYears(Scenario& scenario) {
    const int thisYear = static_cast<int>(
        std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())}.year());
    auto yearsFrom = [&](int first, auto&& each) {
        int year = first;
        int previousMonth = 0;
        for (Day& day : scenario.days) {
            if (day.month == 0) continue;
            if (day.month < previousMonth) ++year;
            previousMonth = day.month;
            each(day, year);
        }
    };
    int bestMatches = 0;
    std::vector<int> candidates;
    for (int first = kFirstCalendarYear; first <= kLastCalendarYear; ++first) {
        int matches = 0;
        yearsFrom(first, [&](Day& day, int year) {
            if (!day.dow.empty() && IsValidDate(year, day.month, day.dayOfMonth) &&
                day.dow == kDowNames[WeekdayOf(DateOf(year, day.month, day.dayOfMonth))])
                ++matches;
        });
        if (matches > bestMatches) candidates.clear();
        if (matches >= bestMatches && matches > 0) {
            bestMatches = matches;
            candidates.push_back(first);
        }
    }
    if (candidates.empty()) return;
    int best = candidates.front();
    for (int candidate : candidates)
        if (candidate <= thisYear) best = candidate;
    yearsFrom(best, [](Day& day, int year) { day.year = year; });
}

std::string Grouped(long value) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return (value < 0 ? "-" : "") + digits;
}

std::string Fixed(double value, int decimals) {
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The number written just before `end` ("1,230" in "1,230円"), or nullopt.
std::optional<double> NumberBefore(const std::string& text, std::size_t end, std::size_t* start = nullptr) {
    std::size_t begin = end;
    while (begin > 0 && (std::isdigit(static_cast<unsigned char>(text[begin - 1])) || text[begin - 1] == ',' ||
                         text[begin - 1] == '.'))
        --begin;
    while (begin < end && !std::isdigit(static_cast<unsigned char>(text[begin]))) ++begin;
    if (begin == end) return std::nullopt;
    std::string digits;
    for (std::size_t i = begin; i < end; ++i)
        if (text[i] != ',') digits += text[i];
    if (start) *start = begin;
    return std::strtod(digits.c_str(), nullptr);
}

// The number written at `pos` and where it ends, or nullopt.
std::optional<double> NumberAt(const std::string& text, std::size_t pos, std::size_t* end) {
    std::size_t stop = pos;
    while (stop < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[stop])) || text[stop] == ',' || text[stop] == '.'))
        ++stop;
    if (stop == pos || !std::isdigit(static_cast<unsigned char>(text[pos]))) return std::nullopt;
    *end = stop;
    return NumberBefore(text, stop);
}

std::size_t SentenceStart(const std::string& text, std::size_t pos) {
    std::size_t stop = text.rfind("。", pos);
    std::size_t line = text.rfind('\n', pos);
    std::size_t start = stop == std::string::npos ? 0 : stop + 3;
    if (line != std::string::npos && line + 1 > start) start = line + 1;
    return start;
}

std::size_t SentenceEnd(const std::string& text, std::size_t pos) {
    return std::min(text.find("。", pos), text.find('\n', pos));
}

std::string Percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", value);
    return text;
}

std::string Whole(double value) {
    return std::to_string(static_cast<int>(std::lround(value)));
}

const char* JudgeWord(std::int32_t judge) {
    return judge == 1 ? "buy" : judge == 2 ? "sell" : "pass";
}

struct Checker {
    const std::vector<Scenario>& scenarios;
    const LessonExemptions& exemptions;
    std::string folder;
    std::vector<LessonFinding> findings;

    void Add(const Scenario& scenario, const std::string& message) {
        findings.push_back({scenario.file.string(), message});
    }

    // The values the learner has seen before day `day`: the start, then each day's close. Product -1 is
    // the index.
    std::vector<double> Seen(const Scenario& scenario, int product, std::size_t day) const {
        std::vector<double> seen{product < 0 ? scenario.startN225 : double(scenario.startPrice[std::size_t(product)])};
        for (std::size_t d = 0; d < day; ++d)
            seen.push_back(product < 0 ? scenario.days[d].n225 : double(scenario.days[d].price[std::size_t(product)]));
        return seen;
    }

    // What a claim at `pos` speaks of: the product or index named last before it, else the only product.
    // -1 is the index; nullopt when it cannot be told.
    std::optional<int> SubjectAt(const Scenario& scenario, const std::string& news, std::size_t pos) const {
        std::optional<int> subject;
        std::size_t at = 0;
        bool found = false;
        auto consider = [&](const std::string& name, int who) {
            std::size_t where = news.rfind(name, pos);
            if (where == std::string::npos || where >= pos) return;
            if (!found || where > at) {
                at = where;
                subject = who;
                found = true;
            }
        };
        for (std::size_t p = 0; p < scenario.products.size(); ++p) consider(scenario.products[p], int(p));
        for (const char* word : kIndexWords) consider(word, -1);
        if (!found && scenario.products.size() == 1) return 0;
        return subject;
    }

    std::string Series(const std::vector<double>& values, std::size_t from, int product) const {
        std::string list;
        for (std::size_t i = from; i < values.size(); ++i)
            list += (list.empty() ? "" : ", ") + (product < 0 ? Fixed(values[i], 2) : Grouped(std::lround(values[i])));
        return list;
    }

    void Streaks(const Scenario& scenario, std::size_t d) {
        const std::string& news = scenario.days[d].news;
        for (const StreakWord& streak : kStreakWords) {
            for (std::size_t at = news.find(streak.word); at != std::string::npos;
                 at = news.find(streak.word, at + 1)) {
                std::size_t start = 0;
                std::optional<double> claimed = NumberBefore(news, at, &start);
                std::optional<int> subject = SubjectAt(scenario, news, at);
                if (!claimed || !subject) continue;
                const std::vector<double> seen = Seen(scenario, *subject, d);
                std::size_t i = seen.size() - 1;
                int count = 0;
                while (i > 0 && streak.direction * (seen[i] - seen[i - 1]) > 0) {
                    ++count;
                    --i;
                }
                // Before the first day the history is unknown: a longer streak may have begun there.
                const double n = *claimed;
                if (n == count || (i == 0 && n > count)) continue;
                Add(scenario, "streak: " + scenario.Where(d) + ": \"" + news.substr(start, at - start) + streak.word +
                                  "\" but the " + (*subject < 0 ? "index" : "prices") + " before the day " +
                                  (streak.direction < 0 ? "fell " : "rose ") + std::to_string(count) +
                                  (count == 1 ? " day" : " days") + " in a row (" + Series(seen, i, *subject) + ")");
            }
        }
    }

    void StatedPrices(const Scenario& scenario, std::size_t d) {
        const std::string& news = scenario.days[d].news;
        for (std::size_t yen = news.find("円"); yen != std::string::npos; yen = news.find("円", yen + 1)) {
            std::size_t start = 0;
            std::optional<double> value = NumberBefore(news, yen, &start);
            if (!value) continue;
            const std::size_t sentence = SentenceStart(news, start);
            bool stated = news.compare(yen, std::string_view(kClosedAtWord).size(), kClosedAtWord) == 0;
            for (const char* lead : kPriceLeadWords) {
                std::size_t at = news.rfind(lead, start);
                if (at == std::string::npos || at < sentence) continue;
                bool other = false;
                for (const char* word : kOtherPriceWords)
                    if (at >= std::string_view(word).size() &&
                        news.compare(at - std::string_view(word).size(), std::string_view(word).size(), word) == 0)
                        other = true;
                if (other) continue;
                // Only the first yen figure after the lead is the price.
                if (news.find("円", at) == yen) stated = true;
            }
            std::optional<int> subject = SubjectAt(scenario, news, start);
            if (!stated || !subject || *subject < 0) continue;
            const double last = Seen(scenario, *subject, d).back();
            if (*value < last / 2 || *value > last * 2) continue;
            const std::string after = news.substr(yen + 3, 6);
            bool approximate = false;
            for (const char* word : kApproximateWords)
                if (after.rfind(word, 0) == 0) approximate = true;
            const double tolerance = approximate ? last * kApproximateTolerance : 0.0;
            if (std::fabs(*value - last) > tolerance) {
                Add(scenario, "price: " + scenario.Where(d) + ": \"" + news.substr(start, yen + 3 - start) +
                                  "\" but the last price the learner saw is " + Grouped(std::lround(last)));
            }
            Gap(scenario, d, sentence, last);
        }
    }

    // "600円まではまだ31円の差": the other price in the sentence lies that far from the last price.
    void Gap(const Scenario& scenario, std::size_t d, std::size_t sentence, double last) {
        const std::string& news = scenario.days[d].news;
        const std::size_t end = SentenceEnd(news, sentence);
        std::size_t gapAt = news.find(kGapWord, sentence);
        if (gapAt == std::string::npos || gapAt > end) return;
        std::size_t gapStart = 0;
        std::optional<double> gap = NumberBefore(news, gapAt, &gapStart);
        if (!gap) return;
        std::vector<double> others;
        for (std::size_t yen = news.find("円", sentence); yen < end; yen = news.find("円", yen + 1)) {
            std::size_t start = 0;
            std::optional<double> value = NumberBefore(news, yen, &start);
            if (value && start != gapStart && std::fabs(*value - last) > 0.0 && *value > last / 2 && *value < last * 2)
                others.push_back(*value);
        }
        if (others.empty()) return;
        for (double other : others)
            if (std::fabs(std::fabs(other - last) - *gap) < 0.5) return;
        Add(scenario, "price: " + scenario.Where(d) + ": \"" + news.substr(gapStart, gapAt + 9 - gapStart) + "\" but " +
                          Grouped(std::lround(others.front())) + " and the last price " + Grouped(std::lround(last)) +
                          " are " + Grouped(std::lround(std::fabs(others.front() - last))) + " apart");
    }

    // "3日で1割以上下がった": the change over the last days the learner has seen.
    void Changes(const Scenario& scenario, std::size_t d) {
        const std::string& news = scenario.days[d].news;
        auto check = [&](std::size_t claimStart, std::size_t amountAt, std::optional<int> subject,
                         std::optional<int> span) {
            if (!subject) return;
            std::size_t amountEnd = 0;
            std::optional<double> amount = NumberAt(news, amountAt, &amountEnd);
            if (!amount) return;
            double claimed = 0.0;
            std::size_t pos = amountEnd;
            if (news.compare(pos, 3, "割") == 0) {
                claimed = *amount * 10.0;
                pos += 3;
            } else if (news.compare(pos, 3, "％") == 0) {
                claimed = *amount;
                pos += 3;
            } else if (news.compare(pos, 1, "%") == 0) {
                claimed = *amount;
                pos += 1;
            } else {
                return;
            }
            Bound bound = Bound::About;
            for (const QualifierWord& q : kQualifierWords)
                if (news.compare(pos, std::string_view(q.word).size(), q.word) == 0) {
                    bound = q.bound;
                    pos += std::string_view(q.word).size();
                    break;
                }
            const std::string rest = news.substr(pos, std::min<std::size_t>(12, SentenceEnd(news, pos) - pos));
            int direction = 0;
            for (const DirectionWord& w : kDirectionWords)
                if (!direction && rest.find(w.word) != std::string::npos && rest.find(w.word) < 9)
                    direction = w.direction;
            if (!direction) return;
            const std::vector<double> seen = Seen(scenario, *subject, d);
            double base = 0.0;
            if (span) {
                if (int(seen.size()) - 1 - *span < 0) return;
                base = seen[seen.size() - 1 - std::size_t(*span)];
            } else {
                base = direction < 0 ? *std::max_element(seen.begin(), seen.end())
                                     : *std::min_element(seen.begin(), seen.end());
            }
            if (base <= 0.0) return;
            const double moved = (seen.back() - base) / base * 100.0;
            const double size = direction * moved;
            bool agrees = size > 0.0;
            if (agrees && bound == Bound::AtLeast) agrees = size >= claimed - 0.05;
            if (agrees && bound == Bound::Under) agrees = size >= claimed * 0.75 && size <= claimed + 0.5;
            if (agrees && bound == Bound::About) agrees = std::fabs(size - claimed) <= std::max(claimed * 0.25, 1.0);
            if (agrees) return;
            Add(scenario, "price: " + scenario.Where(d) + ": \"" + news.substr(claimStart, pos - claimStart) + "\" " +
                              (direction < 0 ? "down" : "up") + ", but the " + (*subject < 0 ? "index" : "price") +
                              " moved " + Fixed(moved, 1) + " %" +
                              (span ? " in " + std::to_string(*span) + " days" : std::string(" from there")) + " (" +
                              (*subject < 0 ? Fixed(base, 2) : Grouped(std::lround(base))) + " to " +
                              (*subject < 0 ? Fixed(seen.back(), 2) : Grouped(std::lround(seen.back()))) + ")");
        };
        for (const SpanWord& word : kSpanWords) {
            for (std::size_t at = news.find(word.word); at != std::string::npos; at = news.find(word.word, at + 1)) {
                std::size_t start = at;
                int days = word.days;
                if (days == 0) {
                    std::optional<double> n = NumberBefore(news, at, &start);
                    if (!n || *n > kMaxEvents) continue;
                    days = int(*n);
                }
                check(start, at + std::string_view(word.word).size(), SubjectAt(scenario, news, start), days);
            }
        }
        for (std::size_t at = news.find(kMonthStartWord); at != std::string::npos;
             at = news.find(kMonthStartWord, at + 1)) {
            std::size_t start = 0;
            std::optional<double> month = NumberBefore(news, at, &start);
            if (!month || *month > 12) continue;
            // The days of that month the learner has seen, up to the one before this day.
            int inMonth = 0;
            for (std::size_t k = d; k > 0 && scenario.days[k - 1].month == int(*month); --k) ++inMonth;
            if (inMonth == 0 || inMonth == int(d)) continue;
            check(start, at + std::string_view(kMonthStartWord).size(), SubjectAt(scenario, news, start), inMonth);
        }
        for (const char* word : {kFromHighWord, kFromLowWord}) {
            for (std::size_t at = news.find(word); at != std::string::npos; at = news.find(word, at + 1))
                check(at, at + std::string_view(word).size(), SubjectAt(scenario, news, at), std::nullopt);
        }
    }

    void DayChanges(const Scenario& scenario, std::size_t d) {
        const std::string& news = scenario.days[d].news;
        const std::size_t lead = std::string_view(kDayChangeWord).size();
        for (std::size_t at = news.find(kDayChangeWord); at != std::string::npos;
             at = news.find(kDayChangeWord, at + 1)) {
            std::optional<int> subject = SubjectAt(scenario, news, at);
            std::size_t end = 0;
            std::optional<double> amount = NumberAt(news, at + lead, &end);
            if (!subject || !amount) continue;
            const bool yen = news.compare(end, 3, "円") == 0;
            const bool percent = news.compare(end, 3, "％") == 0;
            if (!yen && !percent) continue;
            int direction = 0;
            for (const DirectionWord& w : kDayChangeDirections)
                if (news.compare(end + 3, std::string_view(w.word).size(), w.word) == 0) direction = w.direction;
            const std::vector<double> seen = Seen(scenario, *subject, d);
            if (!direction || seen.size() < 2 || seen[seen.size() - 2] <= 0.0) continue;
            const double previous = seen[seen.size() - 2];
            const double moved = yen ? seen.back() - previous : (seen.back() - previous) / previous * 100.0;
            // A percentage is written to one decimal.
            if (std::fabs(direction * *amount - moved) <= (yen ? 0.005 : 0.05 + 1e-9)) continue;
            const bool index = *subject < 0;
            Add(scenario, "price: " + scenario.Where(d) + ": \"" + news.substr(at, end + 6 - at) + "\" but the " +
                              (index ? "index" : "price") + " moved from " +
                              (index ? Fixed(previous, 2) : Grouped(std::lround(previous))) + " to " +
                              (index ? Fixed(seen.back(), 2) : Grouped(std::lround(seen.back()))));
        }
    }

    void Claims() {
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                Streaks(scenario, d);
                StatedPrices(scenario, d);
                DayChanges(scenario, d);
                Changes(scenario, d);
            }
        }
    }

    void MarketFigures() {
        struct Shown {
            const Scenario* scenario;
            std::size_t day;
        };
        std::map<std::tuple<int, int, int>, Shown> first;
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                const Day& day = scenario.days[d];
                if (day.year == 0) continue;
                auto [it, added] = first.try_emplace({day.year, day.month, day.dayOfMonth}, Shown{&scenario, d});
                if (added || it->second.scenario == &scenario) continue;
                const Day& other = it->second.scenario->days[it->second.day];
                const std::tuple<const char*, double, double, int> fields[] = {
                    {"N225", day.n225, other.n225, 2},
                    {"Exchange", day.exchange, other.exchange, 2},
                    {"Interest", day.interest, other.interest, 2}};
                for (const auto& [name, mine, theirs, decimals] : fields) {
                    if (std::fabs(mine - theirs) < 0.005) continue;
                    Add(scenario, std::string("market: ") + scenario.Where(d) + ": " + name + " is " +
                                      Fixed(mine, decimals) + " here but " + Fixed(theirs, decimals) + " in " +
                                      it->second.scenario->name + " " + it->second.scenario->Where(it->second.day) +
                                      " of " + std::to_string(day.year));
                }
            }
        }
    }

    void Calendar() {
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                const Day& day = scenario.days[d];
                if (day.year == 0 || day.year > kLastCalendarYear) continue;
                const std::string where = "calendar: " + scenario.Where(d) + ": ";
                const std::string written = day.date + "/" + std::to_string(day.year);
                if (!IsValidDate(day.year, day.month, day.dayOfMonth)) {
                    Add(scenario, where + written + " is not a date");
                    continue;
                }
                const std::chrono::sys_days date = DateOf(day.year, day.month, day.dayOfMonth);
                const int weekday = WeekdayOf(date);
                if (!day.dow.empty() && day.dow != kDowNames[weekday] && weekday != 0 && weekday != 6)
                    Add(scenario, where + written + " is a " + kDowNames[weekday] + ", not " + day.dow);
                const Holidays& japan = JapaneseMarketHolidays(day.year);
                if (auto holiday = japan.find(Key(date)); holiday != japan.end())
                    Add(scenario, where + written + " is " + holiday->second + ", a Japanese market holiday");
                UsMarketNight(scenario, d, date);
                if (weekday == 0 || weekday == 6)
                    Add(scenario, where + written + " is a " + kDowNames[weekday] + ", a day the market is closed");
            }
        }
    }

    // The news of a Tokyo morning reports the New York session of the night before; after a weekend
    // that is the Friday's (前週末), after a US holiday there was none.
    void UsMarketNight(const Scenario& scenario, std::size_t d, std::chrono::sys_days date) {
        const std::string& news = scenario.days[d].news;
        const std::string where = "calendar: " + scenario.Where(d) + ": ";
        if (WeekdayOf(date) == 1) {
            if (const char* word = FirstOf(news, kLastNightWords))
                Add(scenario, where + "the last session abroad before a Monday is the Friday's (前週末), not " + word);
        }
        if (!FirstOf(news, kUsSessionWords) || FirstOf(news, kClosedWords)) return;
        std::chrono::sys_days night = date - std::chrono::days{1};
        if (WeekdayOf(night) == 0 || WeekdayOf(night) == 6) {
            while (WeekdayOf(night) == 0 || WeekdayOf(night) == 6) night -= std::chrono::days{1};
        }
        const std::chrono::year_month_day ymd{night};
        const int year = static_cast<int>(ymd.year());
        const Holidays& us = UsMarketHolidays(year);
        if (auto holiday = us.find(Key(night)); holiday != us.end()) {
            Add(scenario, where + "the US market was closed on " + std::to_string(Key(night) / 100) + "/" +
                              std::to_string(Key(night) % 100) + " (" + holiday->second +
                              "); the news cannot report its session");
        }
    }

    void Holdings() {
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                const std::string judgement = Section(scenario.days[d].info, kJudgementSection);
                for (const char* phrase : kHoldingPhrases) {
                    if (judgement.find(phrase) == std::string::npos) continue;
                    Add(scenario, std::string("holding: ") + scenario.Where(d) +
                                      ": the 【判断】 assumes a holding (\"" + phrase +
                                      "\"); write what is right to do whatever is held");
                }
            }
        }
    }

    void Rumours() {
        std::vector<bool> used(exemptions.entries.size(), false);
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                const Day& day = scenario.days[d];
                const char* word = nullptr;
                for (const char* candidate : kRumourWords)
                    if (!word && day.news.find(candidate) != std::string::npos) word = candidate;
                if (!word) continue;
                for (std::size_t p = 0; p < scenario.products.size(); ++p) {
                    if (day.judge[p] != 1 && day.judge[p] != 2) continue;
                    bool exempt = false;
                    for (std::size_t x = 0; x < exemptions.entries.size(); ++x) {
                        const LessonExemption& e = exemptions.entries[x];
                        if (e.scenario == scenario.name && e.date == day.date &&
                            (e.product == "*" || e.product == scenario.products[p])) {
                            exempt = true;
                            used[x] = true;
                        }
                    }
                    if (exempt) continue;
                    Add(scenario, std::string("rumour: ") + scenario.Where(d) + ", " + scenario.products[p] +
                                      ": judged " + JudgeWord(day.judge[p]) + " on news with \"" + word +
                                      "\"; rumours and expected news are 0 or 3 unless the exemptions give a reason");
                }
            }
        }
        // An exemption for a day that no longer needs it hides the next change to that day.
        for (std::size_t x = 0; x < exemptions.entries.size(); ++x) {
            const LessonExemption& e = exemptions.entries[x];
            if (used[x]) continue;
            for (const Scenario& scenario : scenarios) {
                if (scenario.name != e.scenario) continue;
                findings.push_back({scenario.file.string(), "rumour: the exemption for " + e.date + " " + e.product +
                                                                " matches no buy or sell judgement on rumour news"});
            }
        }
    }

    void RepeatedMistakes() {
        struct Use {
            const Scenario* scenario;
            std::size_t day;
        };
        std::map<std::string, std::vector<Use>> uses;
        std::vector<std::string> order;
        for (const Scenario& scenario : scenarios) {
            for (std::size_t d = 0; d < scenario.days.size(); ++d) {
                std::set<std::string> seen;
                for (const std::string& sentence : Sentences(Section(scenario.days[d].info, kMistakeSection))) {
                    if (!seen.insert(sentence).second) continue;
                    auto [it, added] = uses.try_emplace(sentence);
                    if (added) order.push_back(sentence);
                    it->second.push_back({&scenario, d});
                }
            }
        }
        for (const std::string& sentence : order) {
            const std::vector<Use>& days = uses[sentence];
            if (static_cast<int>(days.size()) <= kMaxDaysPerMistakeSentence) continue;
            std::string list;
            for (const Use& use : days)
                list += (list.empty() ? "" : ", ") + use.scenario->name + " " + use.scenario->days[use.day].date;
            Add(*days.front().scenario, "repeat: " + days.front().scenario->Where(days.front().day) +
                                            ": the 【よくある失敗】 sentence \"" + sentence + "\" is on " +
                                            std::to_string(days.size()) + " days (" + list + "); at most " +
                                            std::to_string(kMaxDaysPerMistakeSentence) + " are allowed");
        }
    }

    void LosingDays() {
        int judged = 0;
        int losing = 0;
        int stillLosing = 0;
        double lossSum = 0.0;
        for (const Scenario& scenario : scenarios) {
            if (scenario.practice) continue;
            const int days = static_cast<int>(scenario.days.size());
            for (int p = 0; p < static_cast<int>(scenario.products.size()); ++p) {
                for (int d = 0; d < days; ++d) {
                    const std::int32_t judge =
                        scenario.days[static_cast<std::size_t>(d)].judge[static_cast<std::size_t>(p)];
                    if (judge != 1 && judge != 2) continue;
                    ++judged;
                    // The order fills at the price before the day's move.
                    const double before = scenario.PriceAfter(d - 1, p);
                    const double direction = judge == 1 ? 1.0 : -1.0;
                    const double gain = direction * (scenario.PriceAfter(d, p) - before);
                    if (gain >= 0.0 || before <= 0.0) continue;
                    ++losing;
                    lossSum += -gain / before * 100.0;
                    // Two days after the day's own move, as the debriefs' "2日後" counts; near the end, the
                    // last price, which the play ends with.
                    const int later = std::min(d + 2, days - 1);
                    if (direction * (scenario.PriceAfter(later, p) - before) < 0.0) ++stillLosing;
                }
            }
        }
        if (judged < kMinJudgedDaysForShare) return;
        const double share = losing * 100.0 / judged;
        const std::string counted = std::to_string(losing) + " of " + std::to_string(judged) +
                                    " judged buy/sell days lose on the next price (" + Percent(share) + ")";
        if (share < kMinLosingShare || share > kMaxLosingShare) {
            findings.push_back({folder, "losing: " + counted + "; " + Whole(kMinLosingShare) + " to " +
                                            Percent(kMaxLosingShare) + " are needed"});
        }
        if (losing == 0) return;
        const double average = lossSum / losing;
        if (average < kMinAverageLoss) {
            findings.push_back({folder, "losing: " + counted + " with an average loss of " + Percent(average) +
                                            "; at least " + Percent(kMinAverageLoss) + " is needed"});
        }
        if (stillLosing * 3 < losing) {
            findings.push_back({folder, "losing: " + std::to_string(stillLosing) + " of the " + std::to_string(losing) +
                                            " losing days still lose two days later; at least a third must"});
        }
    }
};

}  // namespace

std::vector<std::string> ReadLessonExemptions(const fs::path& file, LessonExemptions& exemptions) {
    std::string text;
    if (!ReadWholeFile(file, &text)) return {file.string() + ": cannot be read"};
    std::vector<std::string> problems;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[line.find_first_not_of(" \t")] == '#') continue;
        std::istringstream fields(line);
        LessonExemption entry;
        fields >> entry.scenario >> entry.date >> entry.product;
        std::getline(fields, entry.reason);
        entry.reason.erase(0, std::min(entry.reason.size(), entry.reason.find_first_not_of(" \t")));
        if (entry.reason.empty()) {
            problems.push_back(file.string() + ", line " + std::to_string(number) +
                               ": an exemption needs SCENARIO DATE PRODUCT and a reason");
            continue;
        }
        exemptions.entries.push_back(std::move(entry));
    }
    return problems;
}

std::vector<LessonFinding> CheckLessonLibrary(const std::vector<fs::path>& files, const LessonExemptions& exemptions) {
    std::vector<Scenario> scenarios;
    for (const fs::path& file : files)
        if (std::optional<Scenario> read = ReadPlayedScenario(file)) scenarios.push_back(std::move(*read));
    if (scenarios.empty()) return {};
    std::string folder = scenarios.front().file.parent_path().string();
    Checker checker{scenarios, exemptions, folder.empty() ? std::string(".") : folder, {}};
    checker.Claims();
    checker.MarketFigures();
    checker.Holdings();
    checker.Rumours();
    checker.Calendar();
    checker.RepeatedMistakes();
    checker.LosingDays();
    return checker.findings;
}

}  // namespace valmore
