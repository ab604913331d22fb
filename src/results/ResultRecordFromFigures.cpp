#include "results/ResultRecordFromFigures.h"

namespace valmore {

ResultRecord ResultRecordFromFigures(const FinalFigures& f) {
    ResultRecord r;
    r.Date = f.Date;
    r.TotalScore = f.TotalScore;
    r.TechnicalScore = f.TechnicalScore;
    r.LogicalScore = f.LogicalScore;
    r.TotalPL = f.TotalPL;
    r.RealizedPL = f.RealizedPL;
    r.UnrealizedPL = f.UnrealizedPL;
    r.Commition = f.Commition;
    r.Tax = f.Tax;
    r.TradeCount = f.TradeCount;
    r.AvarageAmount = f.AvarageAmount;
    return r;
}

}  // namespace valmore
