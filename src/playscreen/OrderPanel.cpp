#include "playscreen/OrderPanel.h"

#include <algorithm>

#include "platform/Sjis.h"
#include "sim/DayController.h"
#include "ui/Skin.h"

namespace valmore {

namespace {

constexpr int kBackgroundBitmap = kSkinOrderPanel;
constexpr int kNameFont = 18;    // 18 pt in XGA mode, 24 pt in SXGA mode
constexpr int kCodeFont = 14;    // 14 pt in XGA mode, 18 pt in SXGA mode
constexpr int kPromptFont = 11;  // 11 pt in XGA mode, 12 pt in SXGA mode
// A shortened product name ends this far before the INFO button.
constexpr int kInfoGap = 4;

// The column headers, relative to the panel's corner; column c is shifted right by c times the
// column step.
struct HeaderLayout {
    int left;
    int top;
    int right;
    int bottom;
    int columnStep;
};
constexpr std::array<HeaderLayout, 2> kHeaders{{{2, 35, 336, 97, 337}, {2, 54, 336, 110, 421}}};

}  // namespace

COrderPanel::COrderPanel(IViewHost& owner, const CDayController& controller)
    : CPanel(owner), name(Sj("注文")), controller_(controller) {
    backgroundBitmap = kBackgroundBitmap;
}

void COrderPanel::SetRect(int x, int y, int width, int height) {
    CPanel::SetRect(x, y, width, height);
    const HeaderLayout& h = kHeaders[owner_.Mode() == kModeSxga ? 1 : 0];
    for (int c = 0; c < kColumns; ++c) {
        const int shift = c * h.columnStep;
        headers_[static_cast<std::size_t>(c)] = Rect{x + h.left + shift, y + h.top, x + h.right + shift, y + h.bottom};
    }
}

void COrderPanel::SetColumn(int c, const ColumnControls& controls) {
    if (c < 0 || c >= kColumns) return;
    controls_[static_cast<std::size_t>(c)] = controls;
    const std::array<std::pair<CSkinButton*, OrderChoice>, 3> decisions{
        {{controls.buy, OrderChoice::Buy}, {controls.pass, OrderChoice::Pass}, {controls.sell, OrderChoice::Sell}}};
    for (const auto& [button, choice] : decisions) {
        if (!button) continue;
        button->identifier = c;
        button->onClick = [this, choice](unsigned, int, int, CSkinButton& b) { OnDecision(b.identifier, choice); };
    }
    if (controls.quantity) controls.quantity->identifier = c;
    if (controls.info) {
        controls.info->identifier = c;
        controls.info->onClick = [this](unsigned, int, int, CSkinButton& b) { OnInfo(b.identifier); };
    }
}

CSkinButton* COrderPanel::Button(int c, OrderChoice choice) const {
    const ColumnControls& controls = Controls(c);
    switch (choice) {
        case OrderChoice::Buy:
            return controls.buy;
        case OrderChoice::Pass:
            return controls.pass;
        case OrderChoice::Sell:
            return controls.sell;
        default:
            return nullptr;
    }
}

void COrderPanel::AssignColumns() {
    const CPlay* play = controller_.Play();
    if (!play) return;
    switch (play->Market().ProductCount) {
        case 1:
            columnProduct_ = {-1, 0, -1};
            break;
        case 2:
            columnProduct_ = {0, 1, -1};
            break;
        case 3:
            columnProduct_ = {0, 1, 2};
            break;
        default:
            break;
    }
}

void COrderPanel::StartDay() {
    const CPlay* play = controller_.Play();
    if (!play) return;
    for (int c = 0; c < kColumns; ++c) {
        if (!ColumnUsed(c)) continue;
        const ColumnControls& controls = Controls(c);
        const std::int32_t unit = TradingUnit(play->Market(), ColumnProduct(c));
        if (controls.quantity) {
            controls.quantity->SetMin(unit);
            controls.quantity->SetStep(unit);
            controls.quantity->Reset();
        }
        decisions_.at(static_cast<std::size_t>(c)) = OrderChoice::None;
    }
    ShowDecisions();
    dirty = true;
}

void COrderPanel::RefreshOrderButtons() {
    AssignColumns();
    const bool accepting = controller_.AcceptingOrders();
    const bool dayInProgress = controller_.Play() && controller_.GetState() == CDayController::kDay;
    if (!accepting && execute_) execute_->enabled = false;
    for (int c = 0; c < kColumns; ++c) {
        const ColumnControls& controls = Controls(c);
        const bool enable = accepting && ColumnUsed(c);
        for (CSkinButton* button : {controls.buy, controls.pass, controls.sell, controls.info}) {
            if (!button) continue;
            button->enabled = enable;
        }
        // Between the execution and the next day the choices are kept (the disabled buttons show their
        // greyed pictures meanwhile); outside a day they are cleared.
        if (!dayInProgress) decisions_.at(static_cast<std::size_t>(c)) = OrderChoice::None;
        if (controls.quantity) {
            if (accepting) controls.quantity->Reset();
            controls.quantity->SetEnabled(false);
        }
    }
    ShowDecisions();
    dirty = true;
}

OrderChoice COrderPanel::GetChoice(int c) const {
    if (c < 0 || c >= kColumns) return OrderChoice::None;
    return decisions_[static_cast<std::size_t>(c)];
}

void COrderPanel::ShowDecisions() {
    for (int c = 0; c < kColumns; ++c) {
        for (OrderChoice choice : {OrderChoice::Buy, OrderChoice::Pass, OrderChoice::Sell}) {
            if (CSkinButton* button = Button(c, choice)) button->pressed = GetChoice(c) == choice;
        }
    }
}

void COrderPanel::UpdateExecuteButton() {
    if (!execute_) return;
    bool anyUsed = false;
    bool allDecided = true;
    for (int c = 0; c < kColumns; ++c) {
        if (!ColumnUsed(c)) continue;
        anyUsed = true;
        if (GetChoice(c) == OrderChoice::None) allDecided = false;
    }
    // Without a single used column there is nothing to execute.
    execute_->enabled = anyUsed && allDecided;
}

OrderColumns COrderPanel::CurrentOrders() const {
    OrderColumns orders;
    for (int c = 0; c < kColumns; ++c) {
        OrderColumn& order = orders[static_cast<std::size_t>(c)];
        order.product = ColumnProduct(c);
        order.choice = GetChoice(c);
        const CSpinBox* quantity = Controls(c).quantity;
        order.quantity = quantity ? quantity->Value() : 0;
    }
    return orders;
}

void COrderPanel::OnDecision(int c, OrderChoice choice) {
    if (c < 0 || c >= kColumns) return;
    Decide(c, GetChoice(c) == choice ? OrderChoice::None : choice);
}

void COrderPanel::Decide(int c, OrderChoice choice) {
    decisions_[static_cast<std::size_t>(c)] = choice;
    const CPlay* play = controller_.Play();
    // Taking a decision back leaves the quantity as it was.
    if (choice != OrderChoice::None) {
        CSpinBox* quantity = Controls(c).quantity;
        if (quantity && play && ColumnUsed(c)) {
            const QuantityLimits limits = LimitsForChoice(choice, play->Market(), play->Position(), ColumnProduct(c));
            if (limits.enabled) {
                quantity->SetEnabled(true);
                quantity->SetMin(limits.minimum);
                quantity->SetStep(limits.step);
                quantity->SetMax(limits.maximum);
            } else {
                quantity->SetEnabled(false);
            }
        }
    }
    ShowDecisions();
    UpdateExecuteButton();
    dirty = true;
}

void COrderPanel::OnInfo(int c) {
    if (c < 0 || c >= kColumns || !ColumnUsed(c)) return;
    const CPlay* play = controller_.Play();
    if (!play) return;
    const int product = ColumnProduct(c);
    if (!play->Market().HasProduct(product)) return;
    if (play->Market().Products[static_cast<std::size_t>(product)].info == 0) return;
    if (onCompanyInfo) onCompanyInfo(product);
}

bool COrderPanel::Choose(int c, OrderChoice choice) {
    if (c < 0 || c >= kColumns) return false;
    CSkinButton* button = Button(c, choice);
    if (!button || !button->enabled || !button->visible) return false;
    if (GetChoice(c) != choice) Decide(c, choice);
    return true;
}

void COrderPanel::Draw(CCanvas& dc) {
    if (!dirty) return;
    dirty = false;
    DrawBackground(dc);
    const CPlay* play = controller_.Play();
    if (!play) return;
    dc.SetTextAlign(HAlign::Left, VAlign::Top);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.SetTextColour(owner_.Skin().Colours().text);
    for (int c = 0; c < kColumns; ++c) {
        if (ColumnUsed(c) && play->Market().HasProduct(ColumnProduct(c))) DrawHeader(dc, c);
    }
}

void COrderPanel::DrawHeader(CCanvas& dc, int c) const {
    const CSkin& skin = owner_.Skin();
    const MarketProduct& product = controller_.Play()->Market().Products[static_cast<std::size_t>(ColumnProduct(c))];
    const Rect& header = HeaderRect(c);
    const std::string code = "(" + product.prdCode + ")";
    CCanvas::FontGuard font(dc, skin.Font(kNameFont));
    int nameWidth = dc.TextExtent(product.name).width;
    dc.SelectFont(skin.Font(kCodeFont));
    const int codeWidth = dc.TextExtent(code).width;
    // Name and code are centred together over the column.
    const int centreX = (header.left + header.right) / 2;
    const int nameBottom = header.top + 2 * header.Height() / 3;
    // A name long enough to run under the INFO button beside its line is shortened with an ellipsis,
    // by as much as it would reach under it on each side so that it stays centred; a name that ends
    // before the button keeps every character.
    if (const CSkinButton* info = Controls(c).info; info) {
        const Rect& button = info->GetRect();
        const bool besideLine = button.top < nameBottom && button.bottom > header.top && button.left > centreX;
        const int reach = centreX + (nameWidth + codeWidth + 1) / 2 - (button.left - kInfoGap);
        if (besideLine && reach > 0) nameWidth = std::max(0, nameWidth - 2 * reach);
    }
    const int nameLeft = centreX - (nameWidth + codeWidth) / 2;
    const unsigned lineFlags = CCanvas::kVCenter | CCanvas::kSingleLine | CCanvas::kEndEllipsis;
    dc.SetTextColour(skin.Colours().text);
    dc.SelectFont(skin.Font(kNameFont));
    dc.DrawText(product.name, Rect{nameLeft, header.top, nameLeft + nameWidth, nameBottom}, CCanvas::kLeft | lineFlags);
    dc.SelectFont(skin.Font(kCodeFont));
    dc.DrawText(code, Rect{nameLeft + nameWidth, header.top, nameLeft + nameWidth + codeWidth, nameBottom},
                CCanvas::kLeft | lineFlags);

    const CSkinButton* pass = Controls(c).pass;
    const bool waiting = GetChoice(c) == OrderChoice::None && pass && pass->enabled;
    dc.SetTextColour(waiting ? skin.Colours().text : skin.Colours().mutedText);
    dc.SelectFont(skin.Font(kPromptFont));
    dc.DrawText(Sj("売買を選択してください"), Rect{header.left, nameBottom, header.right, header.bottom},
                CCanvas::kCenter | CCanvas::kVCenter | CCanvas::kSingleLine);
}

}  // namespace valmore
