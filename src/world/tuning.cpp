// The simulation's numbers, zero until the data file is read.
#include "world/tuning.h"

namespace tether {

Tuning tuningValues;

} // namespace tether
