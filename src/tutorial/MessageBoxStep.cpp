#include "tutorial/MessageBoxStep.h"

#include "tutorial/Tutorial.h"
#include "tutorial/TutorialHost.h"

namespace valmore {

void CMessageBoxStep::Poll(CTutorial& tutorial, PollFlags&) {
    finished = tutorial.Holds(condition, *this);
    if (!finished) tutorial.Host().BlinkMessageBox();
}

void CMessageBoxStep::Start(ITutorialHost& host) {
    host.HighlightMessageBox(rect);
}

}  // namespace valmore
