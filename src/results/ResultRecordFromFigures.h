#pragma once

#include "results/ResultStore.h"
#include "sim/FinalFigures.h"

namespace valmore {

// The record a finished play adds to the result history.
ResultRecord ResultRecordFromFigures(const FinalFigures& figures);

}  // namespace valmore
