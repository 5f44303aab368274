// Which rules a replay plays by when its version leaves it open: version 1
// was written by the released 1.0.0 and by development builds with other
// rules (world/rules.h), and only playing it tells which.
#pragma once

#include "platform/replay.h"

namespace tether {

// Sets replay.rules to the first rules its version admits by which it ends
// on its recorded world hash, each tried in a world of its own (the world in
// use is untouched); the first it admits when none does. A replay whose
// version admits one set of rules is not played. The data file must have
// been read (readDataFile) and the replay must fit (checkReplayFits).
void settleReplayRules(Replay& replay);

} // namespace tether
