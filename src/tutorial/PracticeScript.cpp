#include "tutorial/PracticeScript.h"

#include <cstdio>
#include <iterator>

#include "platform/Sjis.h"
#include "tutorial/ClickTargetStep.h"
#include "tutorial/HighlightStep.h"
#include "tutorial/MessageBoxStep.h"
#include "tutorial/Tutorial.h"
#include "tutorial/WaitStep.h"
#include "ui/ViewHost.h"

namespace valmore {

namespace {

enum Flags : unsigned { kHeld = 0, kRun = 1u << 0, kClicks = 1u << 1 };

constexpr Condition Click() {
    return {ConditionKind::Click};
}
constexpr Condition GroupDone() {
    return {ConditionKind::GroupDone};
}
constexpr Condition PlayStarted() {
    return {ConditionKind::PlayStarted};
}
constexpr Condition NewsShown() {
    return {ConditionKind::NewsShown};
}
constexpr Condition OrdersAccepted() {
    return {ConditionKind::OrdersAccepted};
}
constexpr Condition PriceMoveShown() {
    return {ConditionKind::PriceMoveShown};
}
constexpr Condition DetailView() {
    return {ConditionKind::DetailView};
}
constexpr Condition Column(int column, std::int32_t quantity) {
    return {ConditionKind::ColumnQuantity, column, quantity};
}

constexpr ScriptStep Balloon(int group, Rect placement, Condition condition, unsigned flags, Footer footer, int font) {
    return {group, StepKind::Balloon, placement, condition, (flags & kRun) != 0, (flags & kClicks) != 0, footer, font};
}
constexpr ScriptStep Highlight(int group, Rect rect, Condition condition, unsigned flags) {
    return {group, StepKind::Highlight, rect, condition, (flags & kRun) != 0, (flags & kClicks) != 0};
}
constexpr ScriptStep ClickTarget(int group, Rect rect, Condition condition, unsigned flags) {
    return {group, StepKind::ClickTarget, rect, condition, (flags & kRun) != 0, (flags & kClicks) != 0};
}
constexpr ScriptStep Wait(int group, Condition condition, unsigned flags) {
    return {group, StepKind::Wait, Rect{}, condition, (flags & kRun) != 0, (flags & kClicks) != 0};
}
constexpr ScriptStep MessageBox(int group, Rect rect) {
    return {group, StepKind::MessageBox, rect, Condition{ConditionKind::MessageBoxClosed}};
}

// XGA mode: a 1024 x 768 canvas, balloons 500 pixels wide.
constexpr ScriptStep kXgaScript[] = {
    Balloon(0, {0, 0, 500, 100}, GroupDone(), kRun, Footer::Wait, 16),
    Wait(0, PlayStarted(), kRun),
    Balloon(1, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(2, {0, 0, 500, 150}, Click(), kHeld, Footer::Click, 16),
    Highlight(2, {6, 52, 400, 212}, Click(), kHeld),
    Balloon(3, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Highlight(3, {158, 111, 398, 185}, Click(), kHeld),
    Balloon(4, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Highlight(4, {8, 87, 398, 111}, Click(), kHeld),
    Balloon(5, {0, 350, 500, 450}, Click(), kHeld, Footer::Click, 16),
    Highlight(5, {82, 310, 463, 329}, Click(), kHeld),
    Balloon(6, {0, 250, 500, 400}, Click(), kHeld, Footer::Click, 16),
    Highlight(6, {6, 409, 1018, 577}, Click(), kHeld),
    Balloon(7, {0, 0, 500, 100}, OrdersAccepted(), kRun, Footer::Wait, 16),
    Highlight(8, {408, 87, 1017, 107}, OrdersAccepted(), kRun),
    Balloon(9, {0, 0, 500, 100}, GroupDone(), kRun | kClicks, Footer::Follow, 16),
    ClickTarget(9, {408, 87, 1017, 107}, DetailView(), kRun | kClicks),
    Balloon(10, {0, 0, 500, 100}, Click(), kClicks, Footer::Follow, 16),
    ClickTarget(10, {524, 90, 558, 104}, Click(), kClicks),
    Balloon(11, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(11, {565, 585, 594, 612}, Click(), kClicks),
    Balloon(12, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(12, {528, 585, 557, 612}, Click(), kClicks),
    Balloon(13, {0, 250, 500, 400}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(13, {613, 452, 676, 473}, Click(), kClicks),
    Balloon(14, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(14, {565, 585, 594, 612}, Click(), kClicks),
    Balloon(15, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(15, {565, 585, 594, 612}, Click(), kClicks),
    Balloon(16, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(16, {528, 585, 557, 612}, Click(), kClicks),
    Balloon(17, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(18, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(19, {0, 0, 500, 150}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(19, {120, 504, 232, 531}, Click(), kClicks),
    Balloon(20, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(21, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(21, {343, 504, 457, 531}, Click(), kClicks),
    Balloon(22, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(22, {423, 542, 452, 569}, Column(1, 6000), kClicks),
    Balloon(23, {0, 0, 500, 150}, Click(), kHeld, Footer::Click, 16),
    Balloon(24, {0, 0, 500, 150}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(24, {963, 412, 1012, 439}, Click(), kClicks),
    Balloon(25, {0, 0, 500, 100}, GroupDone(), kHeld, Footer::Click, 16),
    Highlight(25, {8, 617, 598, 675}, Click(), kHeld),
    Balloon(26, {0, 450, 500, 550}, GroupDone(), kRun, Footer::Wait, 16),
    Highlight(26, {6, 219, 1018, 404}, NewsShown(), kRun),
    Balloon(27, {0, 450, 500, 550}, GroupDone(), kHeld, Footer::Click, 16),
    Highlight(27, {6, 219, 1018, 404}, Click(), kHeld),
    Balloon(28, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(28, {8, 310, 1018, 329}, Click(), kHeld),
    Balloon(29, {0, 450, 500, 600}, Click(), kHeld, Footer::Click, 16),
    Highlight(29, {552, 310, 630, 329}, Click(), kHeld),
    Balloon(30, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(30, {788, 310, 865, 329}, Click(), kHeld),
    Balloon(31, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(31, {932, 310, 1018, 329}, Click(), kHeld),
    Balloon(32, {0, 450, 500, 600}, Click(), kHeld, Footer::Click, 16),
    Highlight(32, {331, 310, 464, 329}, Click(), kHeld),
    Balloon(33, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(33, {8, 330, 1018, 349}, Click(), kHeld),
    Balloon(34, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(34, {8, 350, 250, 369}, Click(), kHeld),
    Balloon(35, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(35, {631, 350, 708, 369}, Click(), kHeld),
    Balloon(36, {0, 450, 500, 650}, Click(), kHeld, Footer::Click, 16),
    Highlight(36, {866, 350, 931, 369}, Click(), kHeld),
    Balloon(37, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Balloon(38, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(38, {932, 350, 1018, 369}, Click(), kHeld),
    Balloon(39, {0, 0, 500, 100}, OrdersAccepted(), kRun, Footer::Wait, 16),
    Highlight(40, {408, 87, 1017, 107}, OrdersAccepted(), kRun),
    Balloon(41, {0, 0, 500, 100}, GroupDone(), kRun | kClicks, Footer::Follow, 16),
    ClickTarget(41, {408, 87, 1017, 107}, DetailView(), kRun | kClicks),
    Balloon(42, {0, 0, 500, 100}, GroupDone(), kHeld, Footer::Click, 16),
    Wait(42, Click(), kHeld),
    Balloon(43, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(44, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(44, {6, 504, 120, 531}, Click(), kClicks),
    Balloon(45, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(45, {86, 542, 115, 569}, Column(0, 4000), kClicks),
    Balloon(46, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(47, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(47, {343, 504, 457, 531}, Click(), kClicks),
    Balloon(48, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(48, {423, 542, 452, 569}, Column(1, 3000), kClicks),
    Balloon(49, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(49, {963, 412, 1012, 439}, Click(), kClicks),
    Balloon(50, {0, 25, 500, 275}, GroupDone(), kHeld, Footer::Follow, 16),
    MessageBox(50, {496, 4, 545, 31}),
    Balloon(51, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(51, {571, 542, 600, 569}, Column(1, 1000), kClicks),
    Balloon(52, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(52, {963, 412, 1012, 439}, Click(), kClicks),
    Wait(53, PriceMoveShown(), kRun),
    Balloon(54, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(54, {8, 330, 250, 349}, Click(), kHeld),
    Balloon(55, {0, 450, 500, 650}, Click(), kHeld, Footer::Click, 16),
    Highlight(55, {631, 330, 708, 349}, Click(), kHeld),
    Balloon(56, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(56, {866, 330, 931, 349}, Click(), kHeld),
    Balloon(57, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(57, {932, 330, 1018, 349}, Click(), kHeld),
    Balloon(58, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(58, {251, 270, 1019, 289}, Click(), kHeld),
    Balloon(59, {0, 0, 500, 100}, OrdersAccepted(), kRun, Footer::Wait, 16),
    Highlight(60, {408, 87, 1017, 107}, OrdersAccepted(), kRun),
    Balloon(61, {0, 0, 500, 100}, GroupDone(), kRun | kClicks, Footer::Follow, 16),
    ClickTarget(61, {408, 87, 1017, 107}, DetailView(), kRun | kClicks),
    Balloon(62, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(62, {8, 330, 250, 349}, Click(), kHeld),
    Balloon(63, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(63, {8, 350, 250, 369}, Click(), kHeld),
    Balloon(64, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(65, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(65, {229, 504, 343, 531}, Click(), kClicks),
    Balloon(66, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(66, {86, 542, 115, 569}, Column(0, 4000), kClicks),
    Balloon(67, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(67, {566, 504, 680, 531}, Click(), kClicks),
    Balloon(68, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(68, {423, 542, 452, 569}, Column(1, 7000), kClicks),
    Balloon(69, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(69, {963, 412, 1012, 439}, Click(), kClicks),
    Wait(70, PriceMoveShown(), kRun),
    Balloon(71, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(71, {8, 330, 250, 369}, Click(), kHeld),
    Balloon(72, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 16),
    Highlight(72, {552, 330, 630, 369}, Click(), kHeld),
    Balloon(73, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 14),
    Highlight(73, {788, 330, 865, 349}, Click(), kHeld),
    Balloon(74, {0, 450, 500, 550}, Click(), kHeld, Footer::Click, 14),
    Highlight(74, {788, 350, 865, 369}, Click(), kHeld),
    Balloon(75, {0, 450, 500, 600}, GroupDone(), kClicks, Footer::Click, 14),
    Wait(75, Click(), kHeld),
    Balloon(76, {0, 0, 500, 100}, OrdersAccepted(), kRun, Footer::Wait, 16),
    Highlight(77, {408, 87, 1017, 107}, OrdersAccepted(), kRun),
    Balloon(78, {0, 0, 500, 100}, GroupDone(), kRun | kClicks, Footer::Follow, 16),
    ClickTarget(78, {408, 87, 1017, 107}, DetailView(), kRun | kClicks),
    Balloon(79, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(80, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(80, {229, 504, 343, 531}, Click(), kClicks),
    Balloon(81, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(81, {86, 542, 115, 569}, Column(0, 10000), kClicks),
    Balloon(82, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(83, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(83, {566, 504, 680, 531}, Click(), kClicks),
    Balloon(84, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(84, {423, 542, 452, 569}, Column(1, 5000), kClicks),
    Balloon(85, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(85, {963, 412, 1012, 439}, Click(), kClicks),
    Balloon(86, {0, 0, 500, 200}, Click(), kHeld, Footer::Click, 16),
    Wait(87, NewsShown(), kRun),
    Balloon(88, {0, 400, 500, 600}, Click(), kHeld, Footer::Click, 16),
    Highlight(88, {170, 330, 250, 369}, Click(), kHeld),
    Balloon(89, {0, 400, 500, 500}, Click(), kHeld, Footer::Click, 16),
    Highlight(89, {552, 270, 788, 369}, Click(), kHeld),
    Balloon(90, {0, 0, 500, 100}, OrdersAccepted(), kRun, Footer::Wait, 16),
    Highlight(91, {408, 87, 1017, 107}, OrdersAccepted(), kRun),
    Balloon(92, {0, 0, 500, 100}, GroupDone(), kRun | kClicks, Footer::Follow, 16),
    ClickTarget(92, {408, 87, 1017, 107}, DetailView(), kRun | kClicks),
    Balloon(93, {0, 0, 500, 150}, GroupDone(), kHeld, Footer::Click, 16),
    Wait(93, Click(), kHeld),
    Balloon(94, {0, 0, 500, 100}, Click(), kHeld, Footer::Click, 16),
    Balloon(95, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(95, {229, 504, 343, 531}, Click(), kClicks),
    Balloon(96, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(96, {457, 504, 569, 531}, Click(), kClicks),
    Balloon(97, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(97, {963, 412, 1012, 439}, Click(), kClicks),
    Balloon(98, {0, 50, 500, 250}, GroupDone(), kHeld, Footer::Follow, 16),
    MessageBox(98, {496, 4, 545, 31}),
    Balloon(99, {0, 0, 500, 100}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(99, {120, 504, 232, 531}, Click(), kClicks),
    Balloon(100, {0, 0, 500, 150}, Click(), kHeld, Footer::Click, 16),
    Balloon(101, {0, 250, 500, 350}, GroupDone(), kClicks, Footer::Follow, 16),
    ClickTarget(101, {963, 412, 1012, 439}, Click(), kClicks),
    Balloon(102, {0, 0, 500, 100}, Click(), kHeld, Footer::None, 16),
};

// SXGA mode: the same groups with the same elements at their SXGA places, balloons 700 pixels wide,
// all texts in font 14.
constexpr ScriptStep kSxgaScript[] = {
    Balloon(0, {0, 0, 700, 150}, GroupDone(), kRun, Footer::Wait, 14),
    Wait(0, PlayStarted(), kRun),
    Balloon(1, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(2, {0, 0, 700, 200}, Click(), kHeld, Footer::Click, 14),
    Highlight(2, {7, 67, 500, 268}, Click(), kHeld),
    Balloon(3, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Highlight(3, {197, 150, 498, 237}, Click(), kHeld),
    Balloon(4, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Highlight(4, {9, 121, 498, 150}, Click(), kHeld),
    Balloon(5, {0, 550, 700, 700}, Click(), kHeld, Footer::Click, 14),
    Highlight(5, {103, 388, 580, 412}, Click(), kHeld),
    Balloon(6, {0, 250, 700, 400}, Click(), kHeld, Footer::Click, 14),
    Highlight(6, {7, 511, 1273, 722}, Click(), kHeld),
    Balloon(7, {0, 0, 700, 150}, OrdersAccepted(), kRun, Footer::Wait, 14),
    Highlight(8, {509, 121, 1270, 141}, OrdersAccepted(), kRun),
    Balloon(9, {0, 0, 700, 150}, GroupDone(), kRun | kClicks, Footer::Follow, 14),
    ClickTarget(9, {509, 121, 1270, 141}, DetailView(), kRun | kClicks),
    Balloon(10, {0, 0, 700, 150}, Click(), kClicks, Footer::Follow, 14),
    ClickTarget(10, {628, 124, 660, 140}, Click(), kClicks),
    Balloon(11, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(11, {711, 731, 748, 765}, Click(), kClicks),
    Balloon(12, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(12, {672, 731, 709, 765}, Click(), kClicks),
    Balloon(13, {0, 250, 700, 450}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(13, {747, 576, 826, 603}, Click(), kClicks),
    Balloon(14, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(14, {711, 731, 748, 765}, Click(), kClicks),
    Balloon(15, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(15, {711, 731, 748, 765}, Click(), kClicks),
    Balloon(16, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(16, {672, 731, 709, 765}, Click(), kClicks),
    Balloon(17, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(18, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(19, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(19, {150, 630, 290, 664}, Click(), kClicks),
    Balloon(20, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(21, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(21, {429, 630, 571, 664}, Click(), kClicks),
    Balloon(22, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(22, {528, 677, 564, 712}, Column(1, 6000), kClicks),
    Balloon(23, {0, 0, 700, 200}, Click(), kHeld, Footer::Click, 14),
    Balloon(24, {0, 0, 700, 200}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(24, {1205, 515, 1267, 549}, Click(), kClicks),
    Balloon(25, {0, 0, 700, 150}, GroupDone(), kHeld, Footer::Click, 14),
    Highlight(25, {7, 769, 750, 845}, Click(), kHeld),
    Balloon(26, {0, 600, 700, 750}, GroupDone(), kRun, Footer::Wait, 14),
    Highlight(26, {7, 273, 1273, 505}, NewsShown(), kRun),
    Balloon(27, {0, 600, 700, 750}, GroupDone(), kHeld, Footer::Click, 14),
    Highlight(27, {7, 273, 1273, 505}, Click(), kHeld),
    Balloon(28, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(28, {7, 388, 1273, 412}, Click(), kHeld),
    Balloon(29, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(29, {691, 388, 789, 412}, Click(), kHeld),
    Balloon(30, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(30, {986, 388, 1082, 412}, Click(), kHeld),
    Balloon(31, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(31, {1166, 388, 1272, 412}, Click(), kHeld),
    Balloon(32, {0, 600, 700, 800}, Click(), kHeld, Footer::Click, 14),
    Highlight(32, {414, 388, 580, 412}, Click(), kHeld),
    Balloon(33, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(33, {7, 412, 1273, 436}, Click(), kHeld),
    Balloon(34, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(34, {7, 438, 313, 462}, Click(), kHeld),
    Balloon(35, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(35, {790, 438, 886, 462}, Click(), kHeld),
    Balloon(36, {0, 600, 700, 800}, Click(), kHeld, Footer::Click, 14),
    Highlight(36, {1083, 438, 1165, 462}, Click(), kHeld),
    Balloon(37, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Balloon(38, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(38, {1166, 438, 1272, 462}, Click(), kHeld),
    Balloon(39, {0, 0, 700, 150}, OrdersAccepted(), kRun, Footer::Wait, 14),
    Highlight(40, {509, 121, 1270, 141}, OrdersAccepted(), kRun),
    Balloon(41, {0, 0, 700, 150}, GroupDone(), kRun | kClicks, Footer::Follow, 14),
    ClickTarget(41, {509, 121, 1270, 141}, DetailView(), kRun | kClicks),
    Balloon(42, {0, 0, 700, 150}, GroupDone(), kHeld, Footer::Click, 14),
    Wait(42, Click(), kHeld),
    Balloon(43, {0, 250, 700, 400}, Click(), kHeld, Footer::Click, 14),
    Balloon(44, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(44, {8, 630, 150, 664}, Click(), kClicks),
    Balloon(45, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(45, {107, 677, 143, 712}, Column(0, 4000), kClicks),
    Balloon(46, {0, 250, 700, 400}, Click(), kHeld, Footer::Click, 14),
    Balloon(47, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(47, {429, 630, 571, 664}, Click(), kClicks),
    Balloon(48, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(48, {528, 677, 564, 712}, Column(1, 3000), kClicks),
    Balloon(49, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(49, {1205, 515, 1267, 549}, Click(), kClicks),
    Balloon(50, {0, 50, 700, 250}, GroupDone(), kHeld, Footer::Follow, 14),
    MessageBox(50, {496, 4, 549, 38}),
    Balloon(51, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(51, {714, 677, 750, 712}, Column(1, 1000), kClicks),
    Balloon(52, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(52, {1205, 515, 1267, 549}, Click(), kClicks),
    Wait(53, PriceMoveShown(), kRun),
    Balloon(54, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(54, {9, 413, 313, 437}, Click(), kHeld),
    Balloon(55, {0, 600, 700, 800}, Click(), kHeld, Footer::Click, 14),
    Highlight(55, {790, 413, 886, 437}, Click(), kHeld),
    Balloon(56, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(56, {1083, 413, 1165, 437}, Click(), kHeld),
    Balloon(57, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(57, {1166, 413, 1272, 437}, Click(), kHeld),
    Balloon(58, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(58, {414, 338, 1272, 362}, Click(), kHeld),
    Balloon(59, {0, 0, 700, 150}, OrdersAccepted(), kRun, Footer::Wait, 14),
    Highlight(60, {516, 121, 1263, 141}, OrdersAccepted(), kRun),
    Balloon(61, {0, 0, 700, 150}, GroupDone(), kRun | kClicks, Footer::Follow, 14),
    ClickTarget(61, {516, 121, 1263, 141}, DetailView(), kRun | kClicks),
    Balloon(62, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(62, {9, 413, 313, 437}, Click(), kHeld),
    Balloon(63, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(63, {9, 438, 313, 462}, Click(), kHeld),
    Balloon(64, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(65, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(65, {290, 630, 430, 664}, Click(), kClicks),
    Balloon(66, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(66, {107, 677, 143, 712}, Column(0, 4000), kClicks),
    Balloon(67, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(67, {711, 630, 851, 664}, Click(), kClicks),
    Balloon(68, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(68, {528, 677, 564, 712}, Column(1, 7000), kClicks),
    Balloon(69, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(69, {1205, 515, 1267, 549}, Click(), kClicks),
    Wait(70, PriceMoveShown(), kRun),
    Balloon(71, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(71, {9, 413, 313, 462}, Click(), kHeld),
    Balloon(72, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(72, {691, 413, 789, 462}, Click(), kHeld),
    Balloon(73, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(73, {986, 413, 1082, 437}, Click(), kHeld),
    Balloon(74, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(74, {986, 438, 1082, 462}, Click(), kHeld),
    Balloon(75, {0, 600, 700, 800}, GroupDone(), kClicks, Footer::Click, 14),
    Wait(75, Click(), kHeld),
    Balloon(76, {0, 0, 700, 150}, OrdersAccepted(), kRun, Footer::Wait, 14),
    Highlight(77, {516, 121, 1263, 141}, OrdersAccepted(), kRun),
    Balloon(78, {0, 0, 700, 150}, GroupDone(), kRun | kClicks, Footer::Follow, 14),
    ClickTarget(78, {516, 121, 1263, 141}, DetailView(), kRun | kClicks),
    Balloon(79, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(80, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(80, {290, 630, 430, 664}, Click(), kClicks),
    Balloon(81, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(81, {107, 677, 143, 712}, Column(0, 10000), kClicks),
    Balloon(82, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(83, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(83, {711, 630, 851, 664}, Click(), kClicks),
    Balloon(84, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(84, {528, 677, 564, 712}, Column(1, 5000), kClicks),
    Balloon(85, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(85, {1205, 515, 1267, 549}, Click(), kClicks),
    Balloon(86, {0, 0, 700, 200}, Click(), kHeld, Footer::Click, 14),
    Wait(87, NewsShown(), kRun),
    Balloon(88, {0, 600, 700, 800}, Click(), kHeld, Footer::Click, 14),
    Highlight(88, {9, 413, 313, 462}, Click(), kHeld),
    Balloon(89, {0, 600, 700, 750}, Click(), kHeld, Footer::Click, 14),
    Highlight(89, {691, 338, 985, 462}, Click(), kHeld),
    Balloon(90, {0, 0, 700, 150}, OrdersAccepted(), kRun, Footer::Wait, 14),
    Highlight(91, {516, 121, 1263, 141}, OrdersAccepted(), kRun),
    Balloon(92, {0, 0, 700, 150}, GroupDone(), kRun | kClicks, Footer::Follow, 14),
    ClickTarget(92, {516, 121, 1263, 141}, DetailView(), kRun | kClicks),
    Balloon(93, {0, 0, 700, 200}, GroupDone(), kHeld, Footer::Click, 14),
    Wait(93, Click(), kHeld),
    Balloon(94, {0, 0, 700, 150}, Click(), kHeld, Footer::Click, 14),
    Balloon(95, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(95, {290, 630, 430, 664}, Click(), kClicks),
    Balloon(96, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(96, {571, 630, 711, 664}, Click(), kClicks),
    Balloon(97, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(97, {1205, 515, 1267, 549}, Click(), kClicks),
    Balloon(98, {0, 100, 700, 300}, GroupDone(), kHeld, Footer::Follow, 14),
    MessageBox(98, {496, 4, 549, 38}),
    Balloon(99, {0, 0, 700, 150}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(99, {150, 630, 290, 664}, Click(), kClicks),
    Balloon(100, {0, 0, 700, 200}, Click(), kHeld, Footer::Click, 14),
    Balloon(101, {0, 250, 700, 400}, GroupDone(), kClicks, Footer::Follow, 14),
    ClickTarget(101, {1205, 515, 1267, 549}, Click(), kClicks),
    Balloon(102, {0, 0, 700, 100}, Click(), kHeld, Footer::None, 14),
};

// The engine holds a script of fewer than kMaxSteps steps: the end of the script takes a place too.
static_assert(std::size(kXgaScript) < CTutorial::kMaxSteps && std::size(kSxgaScript) < CTutorial::kMaxSteps);

}  // namespace

std::span<const ScriptStep> PracticeScript(int mode) {
    if (mode == kModeSxga) return kSxgaScript;
    return kXgaScript;
}

std::string BalloonMarkup(const ScriptStep& step) {
    char codes[16];
    std::snprintf(codes, sizeof codes, "$f%02d$h06", step.font);
    return codes + Sj(PracticeText(step.group));
}

std::vector<std::unique_ptr<CTutorialStep>> BuildPracticeSteps(int mode, Size canvas) {
    std::vector<std::unique_ptr<CTutorialStep>> steps;
    for (const ScriptStep& s : PracticeScript(mode)) {
        switch (s.kind) {
            case StepKind::Balloon:
                steps.push_back(std::make_unique<CBalloonStep>(s.group, s.rect, canvas, s.condition, s.run, s.clicks,
                                                               s.footer, BalloonMarkup(s)));
                break;
            case StepKind::Highlight:
                steps.push_back(std::make_unique<CHighlightStep>(s.group, s.rect, s.condition, s.run, s.clicks));
                break;
            case StepKind::ClickTarget:
                steps.push_back(std::make_unique<CClickTargetStep>(s.group, s.rect, s.condition, s.run, s.clicks));
                break;
            case StepKind::Wait:
                steps.push_back(std::make_unique<CWaitStep>(s.group, s.condition, s.run, s.clicks));
                break;
            case StepKind::MessageBox:
                steps.push_back(std::make_unique<CMessageBoxStep>(s.group, s.rect));
                break;
        }
    }
    return steps;
}

}  // namespace valmore
