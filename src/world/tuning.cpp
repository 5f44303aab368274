// The simulation's numbers, zero until the data file is read.
#include "world/tuning.h"

namespace tether {

float shipRadius, shipMass, shipMaxSpeed, shipMaxThrust, shipRotationSpeed;
int shipReloadTime;
float mineRadius, mineMass, mineHealth;
float turretX[gunMountCount], turretY[gunMountCount];
float gunMountAlong[gunMountCount], gunMountAcross[gunMountCount];
float enRadius[enemyClassCount], enMass[enemyClassCount];
float enMaxSpeed[enemyClassCount], enMaxThrust[enemyClassCount];
float enRotationSpeed[enemyClassCount];
int enReloadTime[enemyClassCount];
float enHealth[enemyClassCount];
float grapRadius, grapMass, grapSpeed, grapMaxDistance, grapNumLinks;
int grapReloadTime;
float nodeRadius, nodeMass, nodeMaxSpeed, nodeMaxThrust, nodeRotationSpeed;
int nodeReloadTime;
float planetBaseRadius;
float sunBaseRadius;
float blackholeBaseRadius;

} // namespace tether
