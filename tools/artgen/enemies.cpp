#include "art.h"
void makeEnemies() {}
