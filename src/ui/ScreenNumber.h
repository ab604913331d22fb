#pragma once

// The numbers of the program's screens in the main view's screen table. Every screen switches by
// these names, so a screen never needs to know another screen's class.

namespace valmore {

enum ScreenNumber : int {
    kScreenSimulation = 0,
    kScreenMainMenu = 1,
    kScreenScenarioSelect = 2,
    kScreenResult = 3,
    kScreenRecords = 4,
    kScreenCommMenu = 5,
    kScreenRanking = 6,
    kScreenRegistration = 7,
};
constexpr int kScreenSlots = 10;
constexpr int kScreenCount = 8;  // slots 0 to 7 hold the program's screens

}  // namespace valmore
