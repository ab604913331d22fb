#pragma once

// The busy pointer for the length of a scope: requests block the window until their reply is read,
// and the pointer tells the user the program is waiting, not stuck.

#include "ui/ViewHost.h"

namespace valmore {

class CWaitCursor {
public:
    explicit CWaitCursor(IViewHost& host) : host_(host) { host_.SetWaitCursor(true); }
    ~CWaitCursor() { host_.SetWaitCursor(false); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    IViewHost& host_;
};

}  // namespace valmore
