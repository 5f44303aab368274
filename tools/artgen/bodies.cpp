#include "art.h"
void makeBodies() {}
