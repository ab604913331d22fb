#include "ui/PriceChart.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kLabelFont = 8;
constexpr int kPenWidth = 2;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 2;    // between a grid label's right end and the plot
constexpr int kDateGap = 2;     // between the plot's bottom and a date label
constexpr int kYearPrefix = 5;  // "2024/" in front of every scenario date

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// A date under the plot without its year: "2024/03/10" shows as "03/10". A text too short to carry
// a year is shown whole, so such scenarios still get their days labelled.
std::string_view DateLabel(std::string_view date) {
    std::size_t pos = 0;
    for (int i = 0; i < kYearPrefix; ++i) {
        const std::size_t length = SjisCharLength(date, pos);
        if (length == 0) return date;
        pos += length;
    }
    if (pos >= date.size()) return date;
    return date.substr(pos);
}

}  // namespace

void CPriceChart::Reset() {
    product_ = 0;
    ClearSeries();
}

void CPriceChart::ClearSeries() {
    series_ = ChartSeries{};
    maximum_ = 0;
    minimum_ = 0;
    step_ = 0;
}

void CPriceChart::SetSeries(ChartSeries series) {
    series_ = std::move(series);
    series_.dates.resize(series_.prices.size());
    ComputeScale();
}

int CPriceChart::FirstDayDrawn() const {
    if (span_ == Span::Whole) return 0;
    return std::max(0, DaysShown() - kDaysAcross);
}

int CPriceChart::DaysAcross() const {
    return span_ == Span::Whole ? std::max(kDaysAcross, DaysShown()) : kDaysAcross;
}

int CPriceChart::DateEvery() const {
    // A plot holding more days keeps its dates as far apart as on one of 30 days.
    return kDateEvery * ((DaysAcross() + kDaysAcross - 1) / kDaysAcross);
}

std::int64_t CPriceChart::StartPrice() const {
    // With more than 30 days the line starts from the close of the day just left of the plot.
    const int first = FirstDayDrawn();
    if (first == 0) return series_.firstPrice;
    return series_.prices[static_cast<std::size_t>(first - 1)];
}

void CPriceChart::ComputeScale() {
    std::int64_t high = StartPrice();
    std::int64_t low = high;
    for (int i = FirstDayDrawn(); i < DaysShown(); ++i) {
        const std::int64_t price = series_.prices[static_cast<std::size_t>(i)];
        high = std::max(high, price);
        low = std::min(low, price);
    }

    // A tick price of 0 (or a negative one from a damaged file) would divide by zero; one yen is the
    // finest step a price can take.
    const std::int64_t tick = series_.ticPrice > 0 ? series_.ticPrice : 1;
    high = std::clamp((high / tick + 1) * tick, std::int64_t{0}, kInt32Max);
    low = std::clamp((low / tick - 1) * tick, std::int64_t{0}, kInt32Max);
    maximum_ = static_cast<int>(high);
    minimum_ = static_cast<int>(low);

    const std::int64_t range = high - low;
    if (range <= 0) {
        step_ = static_cast<int>(tick);
        return;
    }
    // The grid unit is a tenth of the range's power of ten. Below 10 yen that would be a fraction of a
    // yen, so such a narrow range is gridded in whole yen.
    int exponent = 0;
    for (std::int64_t rest = range; rest >= 10; rest /= 10) ++exponent;
    std::int64_t unit = 1;
    for (int i = 1; i < exponent; ++i) unit *= 10;
    const std::int64_t r = (range / unit) % 100;
    const std::int64_t factor = r < 5 ? 1 : r < 10 ? 2 : r < 30 ? 5 : r < 50 ? 10 : 20;
    step_ = static_cast<int>(std::min(std::max(factor * unit, tick), kInt32Max));
}

int CPriceChart::DayX(int day) const {
    const std::int64_t width = plot_.right - plot_.left;
    return plot_.left + static_cast<int>(width * (day - FirstDayDrawn() + 1) / DaysAcross());
}

int CPriceChart::PriceY(std::int64_t price) const {
    const std::int64_t range = std::int64_t{maximum_} - minimum_;
    if (range <= 0) return plot_.bottom;
    const std::int64_t height = plot_.bottom - plot_.top;
    return plot_.bottom - static_cast<int>(height * (price - minimum_) / range);
}

void CPriceChart::Draw(CCanvas& dc, const CSkin& skin) const {
    CCanvas::FontGuard font(dc, skin.Font(kLabelFont));
    const Rgb oldColour = dc.SetTextColour(skin.Colours().mutedText);
    const BackgroundMode oldMode = dc.SetBackgroundMode(BackgroundMode::Transparent);
    const HAlign oldH = dc.TextHAlign();
    const VAlign oldV = dc.TextVAlign();
    const Pen oldPen = dc.SelectPen(Pen{PenStyle::Solid, kPenWidth, skin.Colours().mutedText});

    const std::int64_t range = std::int64_t{maximum_} - minimum_;
    if (maximum_ != 0 && range > 0 && step_ > 0) {
        dc.SetTextAlign(HAlign::Right, VAlign::Top);
        const int textHeight = dc.TextExtent("0").height;
        const std::int64_t height = plot_.bottom - plot_.top;
        for (std::int64_t v = 0; v <= range; v += step_) {
            const int y = plot_.bottom - static_cast<int>(height * v / range);
            dc.Line({plot_.left, y}, {plot_.left + kTickLength, y});
            dc.TextOut(plot_.left - kLabelGap, y - textHeight / 2, FormatGrouped(minimum_ + v));
        }

        dc.SelectPen(Pen{PenStyle::Solid, kPenWidth, skin.Colours().chartLine});
        dc.SetTextAlign(HAlign::Center, VAlign::Top);
        const int dateEvery = DateEvery();
        Point from{plot_.left, PriceY(StartPrice())};
        for (int i = FirstDayDrawn(); i < DaysShown(); ++i) {
            const Point to{DayX(i), PriceY(series_.prices[static_cast<std::size_t>(i)])};
            dc.Line(from, to);
            from = to;
            const auto& date = series_.dates[static_cast<std::size_t>(i)];
            if (i % dateEvery == 0 && date) dc.TextOut(to.x, plot_.bottom + kDateGap, DateLabel(*date));
        }
    }

    dc.SelectPen(Pen{PenStyle::Solid, kPenWidth, skin.Colours().mutedText});
    dc.Line({plot_.left, plot_.top}, {plot_.right, plot_.top});
    dc.Line({plot_.right, plot_.top}, {plot_.right, plot_.bottom});
    dc.Line({plot_.right, plot_.bottom}, {plot_.left, plot_.bottom});
    dc.Line({plot_.left, plot_.bottom}, {plot_.left, plot_.top});

    dc.SelectPen(oldPen);
    dc.SetTextAlign(oldH, oldV);
    dc.SetBackgroundMode(oldMode);
    dc.SetTextColour(oldColour);
}

}  // namespace valmore
