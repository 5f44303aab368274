#include "art.h"
void makeEffects() {}
