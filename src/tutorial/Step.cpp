#include "tutorial/Step.h"

#include "tutorial/Tutorial.h"
#include "tutorial/TutorialHost.h"

namespace valmore {

void CTutorialStep::Draw(CCanvas&, const IMarkupSkin&) {}

void CTutorialStep::Poll(CTutorial& tutorial, PollFlags& flags) {
    finished = tutorial.Holds(condition, *this);
    flags.advance = flags.advance && finished;
    if (!finished) {
        flags.repaint = true;
        if (!rect.IsEmpty()) tutorial.Host().Invalidate(DrawnRect());
    }
    flags.run = flags.run && run;
    flags.clicks = flags.clicks && clicks;
}

bool CTutorialStep::OnButtonUp(unsigned, int, int) {
    return true;
}

bool CTutorialStep::OnButtonDown(unsigned, int, int) {
    return true;
}

void CTutorialStep::Start(ITutorialHost&) {}

}  // namespace valmore
