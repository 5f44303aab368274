// The table that ends tether-sim --runs: per map and ship, the runs, the
// share won, the median game time of the won runs and the median health
// left over all runs.
#pragma once

#include "screens/summary.h"

#include <string>
#include <vector>

namespace sim {

// The table for summaries, in the order their maps and ships first appear,
// as aligned plain text lines.
std::string resultsTable(const std::vector<tether::LevelSummary>& summaries);

} // namespace sim
