// Definitions of the shared level state. The registries are defined in the
// order the game relies on for construction (and reverse destruction);
// destroying a registry frees its list nodes only, never what they point to.
#include "world/world.h"

#include "world/connector.h"
#include "world/contacts.h"
#include "world/object.h"
#include "world/spring.h"

namespace tether {

std::list<Object*> attractingMasses;
std::list<Object*> dynamicMasses;
std::list<Object*> drawables;
std::list<Spring*> springs;
std::list<Object*> enemies;
std::list<Object*> objects;
std::list<Connector*> connectors;

Object* ship = nullptr;
Object* turret = nullptr;
Object* leftGrapHook = nullptr;
Object* rightGrapHook = nullptr;
Connector* leftHookConnector = nullptr;
Connector* rightHookConnector = nullptr;

bool leftHookExtended = false;
bool rightHookExtended = false;
bool leftHookGrappling = false;
bool rightHookGrappling = false;
bool leftHookRetracting = false;
bool rightHookRetracting = false;

int numEnemies = 0;
bool gameOver = false;
bool bossLevel = false;
std::string bossMapPath;
int bossMusic = 0;
int chosenShip = 0;

float worldW = 2000.0f;
float worldH = 2000.0f;
float backx = 0.0f;
float backy = 0.0f;

void clearWorld()
{
    forgetAllContacts();
    dynamicMasses.clear();
    attractingMasses.clear();
    drawables.clear();
    enemies.clear();
    // The hooks are children of the mount, which is a child of the ship.
    for (Object* object : objects)
        if (object && object != leftGrapHook && object != rightGrapHook)
            delete object;
    objects.clear();
    for (Spring* spring : springs)
        delete spring;
    springs.clear();
    for (Connector* link : connectors)
        delete link;
    connectors.clear();
    ship = turret = leftGrapHook = rightGrapHook = nullptr;
    leftHookConnector = rightHookConnector = nullptr;
}

} // namespace tether
