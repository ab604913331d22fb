#pragma once

// The user dialog of SXGA mode: the same dialog on the larger background, with its own places.

#include "net/screens/UserValidateDlg.h"

namespace valmore {

class QVUserValidateDlgSXGA : public QVUserValidateDlg {
public:
    QVUserValidateDlgSXGA(IViewHost& owner, ITextServices& services);
};

}  // namespace valmore
