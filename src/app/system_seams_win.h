// The system facilities behind the Program's seams.
#pragma once

#include "base/program_win.h"

namespace tolvik {

// Seams wired to the real system: every one of them is set.
Seams SystemSeams();

}  // namespace tolvik
